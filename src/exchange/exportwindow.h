#pragma once

#include "app/helpwindow.h"
#include "records/exportgrid.h"
#include "ui/widgets/usewindow.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <filesystem>

class QString;
class QWidget;

namespace records {
struct RecordFileDescriptor;
}

namespace ui {
class HintBar;
}

namespace exchange {

// The three export windows, each opened by its editor and disposed of when
// it closes. The agreement export reads the file the agreement editor holds.
void openClientExport(QWidget *caller);
void openFleetExport(QWidget *caller);
void openAgreementExport(QWidget *caller, const QString &agreementFile);

// The grid's rows over an export grid: "No." and the export columns. Cells
// of editable columns take typing, which changes the grid and nothing else.
class ExportModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ExportModel(std::span<const records::ExportColumn> columns, QObject *parent = nullptr);

    records::ExportGrid &grid() { return m_grid; }
    const records::ExportGrid &grid() const { return m_grid; }
    // Replaces the rows with those of the record file, each numbered with its
    // 1-based position; a file without records leaves the empty rows.
    void fill(const std::filesystem::path &file, const records::Layout &layout);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    std::span<const records::ExportColumn> m_columns;
    records::ExportGrid m_grid;
    std::size_t m_numbered = 0;
};

// The grid of an export window; it hands a cell being typed into to the
// model before the export reads the rows.
class ExportGridView final : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;
    void commitTyping();
};

// One window for the three databases: the record file is read into the grid
// when the window is shown, and the export writes the grid, as it then
// stands, into the database's file in the data folder.
class ExportWindow final : public ui::UseWindow
{
    Q_OBJECT

public:
    struct Design {
        QString className;
        const records::RecordFileDescriptor &file;
        help::Topic topic;
    };

    // `chosenFile` is the record file of a database whose file the user
    // chooses (the agreements of a year).
    ExportWindow(const Design &design, QWidget *caller, const std::filesystem::path &chosenFile = {});

    ExportModel *model() const { return m_model; }

    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void formShow() override;

private:
    const records::RecordFileDescriptor &m_file;
    help::Topic m_topic;
    std::filesystem::path m_chosen;
    bool m_filled = false;
    ExportModel *m_model;
    ExportGridView *m_grid;
    ui::HintBar *m_hintBar;
};

} // namespace exchange
