#include "records/exportgrid.h"

#include "records/recordfile.h"
#include "records/search.h"

#include <limits>
#include <optional>
#include <stdexcept>

namespace records {

ExportGrid::ExportGrid(std::size_t columns) : m_columns(columns) { }

void ExportGrid::resize(std::size_t rows)
{
    m_cells.resize(rows * m_columns);
    m_rows = rows;
}

std::string_view ExportGrid::cell(std::size_t row, std::size_t column) const
{
    if (row >= m_rows || column >= m_columns)
        return {};
    const Span &s = m_cells[row * m_columns + column];
    return std::string_view(m_pool).substr(s.offset, s.length);
}

void ExportGrid::setCell(std::size_t row, std::size_t column, std::string_view cp1252)
{
    if (row >= m_rows || column >= m_columns)
        throw std::out_of_range("export grid cell");
    // A changed cell's old bytes stay in the pool: cells are changed by
    // typing, a few at a time, so compacting is not worth its cost.
    if (m_pool.size() + cp1252.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("export grid too large");
    Span &s = m_cells[row * m_columns + column];
    s.offset = static_cast<std::uint32_t>(m_pool.size());
    s.length = static_cast<std::uint32_t>(cp1252.size());
    m_pool.append(cp1252);
}

std::size_t fillExportGrid(ExportGrid &grid, const std::filesystem::path &path, const Layout &layout,
                           std::span<const ExportColumn> columns)
{
    std::vector<std::optional<std::size_t>> fields;
    fields.reserve(columns.size());
    for (const ExportColumn &column : columns)
        fields.push_back(layout.indexOf(column.field));
    std::size_t records = 0;
    try {
        RecordFile file(path, layout.recordLength());
        if (file.count() == 0) {
            file.close();
            return 0;
        }
        records = file.count();
        grid.resize(records);
        Record buffer(layout);
        file.scan(buffer, [&](std::size_t position, const Record &record) {
            for (std::size_t k = 0; k < fields.size() && k < grid.columnCount(); ++k) {
                if (fields[k])
                    grid.setCell(position - 1, k, storedField(record, *fields[k]));
            }
            return true;
        });
        file.close();
    } catch (const std::exception &) { }
    return records;
}

} // namespace records
