#pragma once

#include "records/exportwriter.h"
#include "records/layout.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// An export grid starts with this many empty rows, which an empty database
// leaves as they are (and the export writes as empty rows).
inline constexpr std::size_t kExportEmptyRows = 10;

// The cells of an export, as the grid on screen shows them and the export
// writes them: every cell is held in the record files' code page, in one
// pool of bytes, so a file of tens of thousands of records costs little more
// than its text.
class ExportGrid final
{
public:
    explicit ExportGrid(std::size_t columns);

    std::size_t rowCount() const { return m_rows; }
    std::size_t columnCount() const { return m_columns; }
    // Rows added are empty; rows removed lose their cells.
    void resize(std::size_t rows);

    // Code-page bytes, as stored.
    std::string_view cell(std::size_t row, std::size_t column) const;
    void setCell(std::size_t row, std::size_t column, std::string_view cp1252);

private:
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    std::size_t m_columns;
    std::size_t m_rows = 0;
    std::string m_pool;
    std::vector<Span> m_cells;
};

// Fills `grid` from the record file at `path`: one row per record, in file
// order, with the trimmed fields of `columns`. A file without records leaves
// the grid as it was. Reading stops at the first failure and the rows filled
// so far stay. Returns the number of records the grid was sized to, 0 when
// the file holds none or cannot be opened.
std::size_t fillExportGrid(ExportGrid &grid, const std::filesystem::path &path, const Layout &layout,
                           std::span<const ExportColumn> columns);

// The export file of the grid's rows (see spreadsheetFile).
std::string spreadsheetFile(std::string_view worksheetName, std::span<const ExportColumn> columns,
                            const ExportGrid &grid);

} // namespace records
