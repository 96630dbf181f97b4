#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace search {

// The lines of a result list as the record file holds their text (code-page
// bytes), decoded only for the lines the view asks for: tens of thousands of
// lines cost their bytes and nothing more.
class ResultLines final : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setLines(std::vector<std::string> lines);
    void clear();
    const std::vector<std::string> &lines() const { return m_lines; }
    // The line as the list shows it.
    QString lineText(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    std::vector<std::string> m_lines;
};

} // namespace search
