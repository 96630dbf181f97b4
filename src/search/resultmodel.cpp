#include "search/resultmodel.h"

#include "records/codepage.h"
#include "ui/qtext.h"

namespace search {

void ResultLines::setLines(std::vector<std::string> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void ResultLines::clear() { setLines({}); }

QString ResultLines::lineText(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_lines.size())
        return {};
    return ui::toQt(records::fromCp1252(m_lines[static_cast<std::size_t>(row)]));
}

int ResultLines::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant ResultLines::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return lineText(index.row());
    return {};
}

} // namespace search
