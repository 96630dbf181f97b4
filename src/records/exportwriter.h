#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// One column of a spreadsheet export: the record field it shows, its header
// in the grid and the file, its widths and whether the grid lets the user
// change its cells before the export.
struct ExportColumn {
    std::string_view field;
    std::string_view header;
    int gridWidth;
    int fileWidth;
    bool editable;
};

// The export file: an HTML table in the Office spreadsheet format, one piece
// after the other with no line break anywhere, every character one byte of
// the record files' code page. `rows` hold UTF-8 cell texts, one per column;
// each is trimmed of codes 32 and below. Cell texts are escaped (& < >) so a
// spreadsheet program shows them exactly as stored instead of reading them
// as markup and dropping what follows; a line break inside a cell becomes a
// character reference, so the file never holds one.
std::string spreadsheetFile(std::string_view worksheetName, std::span<const ExportColumn> columns,
                            const std::vector<std::vector<std::string>> &rows);

} // namespace records
