#include "exchange/exportwindow.h"

#include "records/codepage.h"
#include "records/datafolder.h"
#include "records/recordfiles.h"
#include "records/safefile.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/tmisc.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/gradientwidget.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/picturebutton.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace exchange {

namespace {

const QString kCaption = QStringLiteral(" Export database to Microsoft Excel");
const QString kGreeting = QStringLiteral("Export database to Excel.");
const QString kAskExport =
    QStringLiteral("Exporting the database to Excel can take a while depending on the number of records.\r\n\r\n"
                   "Do you confirm you want to export the data now?");
const QString kAskOpen =
    QStringLiteral("Data export completed successfully.\r\n\r\nDo you want to open the Excel file now?");
const QString kFailed =
    QStringLiteral("Unable to complete data export.\n\r\n\rMake sure that the Excel file is not already open.");
const QColor kBackground(0xEE, 0xED, 0xED);
const QColor kSlateBlue(0x6A, 0x5A, 0xCD);
constexpr int kRowHeight = 21;
constexpr int kNumberWidth = 60;

QString toQt(std::string_view cp1252) { return QString::fromStdString(records::fromCp1252(cp1252)); }

} // namespace

ExportModel::ExportModel(std::span<const records::ExportColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns), m_grid(columns.size())
{
    m_grid.resize(records::kExportEmptyRows);
}

void ExportModel::fill(const std::filesystem::path &file, const records::Layout &layout)
{
    beginResetModel();
    records::ExportGrid grid(m_columns.size());
    grid.resize(records::kExportEmptyRows);
    // A failure part-way keeps the rows read so far, without a message:
    // the grid is a view, and the export shows what it holds.
    m_numbered = records::fillExportGrid(grid, file, layout, m_columns);
    m_grid = std::move(grid);
    endResetModel();
}

int ExportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_grid.rowCount());
}

int ExportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size()) + 1;
}

QVariant ExportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == 0)
        return row < m_numbered ? QString::number(row + 1) : QString();
    return toQt(m_grid.cell(row, static_cast<std::size_t>(index.column() - 1)));
}

bool ExportModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_grid.setCell(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column() - 1),
                   records::toCp1252(ui::toStd(value.toString())));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant ExportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return QStringLiteral("No.");
    if (section > 0 && static_cast<std::size_t>(section) <= m_columns.size())
        return QString::fromUtf8(m_columns[section - 1].header.data(),
                                 static_cast<qsizetype>(m_columns[section - 1].header.size()));
    return {};
}

Qt::ItemFlags ExportModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() > 0 && m_columns[index.column() - 1].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

void ExportGridView::commitTyping()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

ExportWindow::ExportWindow(const Design &design, QWidget *caller, const std::filesystem::path &chosenFile)
    : ui::UseWindow({design.className, kCaption, kBackground, kBackground, false, true}, caller),
      m_file(design.file),
      m_topic(design.topic),
      m_chosen(chosenFile),
      m_model(new ExportModel(design.file.exportTable.columns, this)),
      m_grid(new ExportGridView(this)),
      m_hintBar(new ui::HintBar(kSlateBlue, kGreeting, this))
{
    setFixedSize(862, 560);

    auto *panel = ui::makeBox(QColor(0xF8, 0xF8, 0xF8), this, 6);
    panel->setObjectName(QStringLiteral("panMain"));
    panel->setFixedSize(837, 533);

    auto *strip = ui::makeBox(Qt::white, panel, 4);
    strip->setObjectName(QStringLiteral("shpStrip"));
    strip->setFixedHeight(84);
    auto *banner = new QSvgWidget(QStringLiteral(":/artwork/export_banner.svg"), strip);
    banner->setObjectName(QStringLiteral("imgBanner"));
    banner->setFixedSize(420, 64);
    auto *hand = new QSvgWidget(QStringLiteral(":/artwork/hand.svg"), strip);
    hand->setObjectName(QStringLiteral("imgMano"));
    hand->setFixedSize(40, 40);
    auto makeImage = [&](const QString &name, const QString &picture, const QString &hint) {
        auto *b = new ui::PictureButton(name, picture, hint, strip);
        b->setFixedSize(48, 48);
        m_hintBar->addHint(b, hint);
        return b;
    };
    auto *cmdEsporta = makeImage(QStringLiteral("cmdEsporta"), QStringLiteral(":/artwork/export.svg"),
                                 QStringLiteral("Export database to Microsoft Excel."));
    auto *cmdGuida = makeImage(QStringLiteral("cmdGuida"), QStringLiteral(":/artwork/help.svg"),
                               QStringLiteral("Get context-sensitive help."));
    auto *cmdEsci =
        makeImage(QStringLiteral("cmdEsci"), QStringLiteral(":/artwork/close.svg"), QStringLiteral("Close window."));
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(12, 10, 16, 10);
    stripLayout->setSpacing(14);
    stripLayout->addWidget(banner);
    stripLayout->addStretch(1);
    stripLayout->addWidget(hand);
    stripLayout->addWidget(cmdEsporta);
    stripLayout->addWidget(cmdGuida);
    stripLayout->addWidget(cmdEsci);

    m_grid->setObjectName(QStringLiteral("grdRecords"));
    m_grid->setAccessibleName(QStringLiteral("Records to export"));
    m_grid->setModel(m_model);
    m_grid->setFixedSize(821, 409);
    m_grid->setAlternatingRowColors(true);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_grid->setTabKeyNavigation(false);
    m_grid->setWordWrap(false);
    m_grid->setFont(ui::windowFont(QStringLiteral("Verdana"), 12));
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    QHeaderView *header = m_grid->horizontalHeader();
    header->setFont(ui::windowFont(QStringLiteral("Verdana"), 12, true));
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->resizeSection(0, kNumberWidth);
    const auto columns = design.file.exportTable.columns;
    for (std::size_t k = 0; k < columns.size(); ++k)
        header->resizeSection(static_cast<int>(k) + 1, columns[k].gridWidth);

    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(8, 8, 8, 8);
    panelLayout->setSpacing(8);
    panelLayout->addWidget(strip);
    panelLayout->addWidget(m_grid);
    panelLayout->addWidget(m_hintBar);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel, 0, Qt::AlignCenter);

    const QList<QWidget *> areas{this,   panel, strip, m_grid, m_grid->viewport(), m_hintBar, m_hintBar->label(),
                                 banner, hand};
    for (QWidget *area : areas)
        m_hintBar->clearOver(area);

    connect(cmdEsporta, &QAbstractButton::clicked, this, &ExportWindow::cmdEsportaClick);
    connect(cmdGuida, &QAbstractButton::clicked, this, &ExportWindow::cmdGuidaClick);
    connect(cmdEsci, &QAbstractButton::clicked, this, &ExportWindow::cmdEsciClick);
    // The pictures take no focus, like every picture button of the program;
    // the keyboard reaches them through these keys (Esc closes the dialog).
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this), &QShortcut::activated, this,
            &ExportWindow::cmdEsportaClick);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &ExportWindow::cmdGuidaClick);
}

void ExportWindow::formShow()
{
    // Shown once per opening; a second showing must not drop the typing.
    if (m_filled)
        return;
    m_filled = true;
    m_model->fill(m_file.path(m_chosen), m_file.layout);
    m_grid->setFocus(Qt::OtherFocusReason);
    m_grid->setCurrentIndex(m_model->index(0, 1));
}

void ExportWindow::cmdEsportaClick()
{
    m_grid->commitTyping();
    if (!ui::confirm(this, kAskExport))
        return;
    const records::ExportTable &table = m_file.exportTable;
    const std::filesystem::path target = records::dataFile(table.fileName);
    const std::string content = records::spreadsheetFile(table.worksheet, table.columns, m_model->grid());
    // The new file replaces the old one only once it is whole on the disk:
    // a refused or failed export leaves the last good one in place.
    if (!records::replaceFile(target, content)) {
        ui::notice(this, kFailed);
        return;
    }
    if (ui::confirm(this, kAskOpen))
        TMisc::Open(QLatin1Char('"') + ui::toQtPath(target) + QLatin1Char('"'));
}

void ExportWindow::cmdGuidaClick() { help::showHelp(this, m_topic); }

void ExportWindow::cmdEsciClick() { close(); }

void openClientExport(QWidget *caller)
{
    ui::runUseWindow(
        new ExportWindow({QStringLiteral("TfrmExpClients"), records::clientFile(), help::Topic::Export}, caller));
}

void openFleetExport(QWidget *caller)
{
    ui::runUseWindow(
        new ExportWindow({QStringLiteral("TfrmExpFleet"), records::vehicleFile(), help::Topic::ExportFleet}, caller));
}

void openAgreementExport(QWidget *caller, const QString &agreementFile)
{
    ui::runUseWindow(
        new ExportWindow({QStringLiteral("TfrmExpServices"), records::agreementFile(), help::Topic::Export}, caller,
                         ui::fromQtPath(ui::trimControl(agreementFile))));
}

} // namespace exchange
