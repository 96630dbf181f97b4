#include "records/exportwriter.h"

#include "records/codepage.h"
#include "records/exportgrid.h"
#include "records/textutil.h"

namespace records {

namespace {

constexpr std::string_view kHead = "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                                   "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
                                   "xmlns=\"http://www.w3.org/TR/REC-html40\">"
                                   "<head>"
                                   "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                                   "<!--[if gte mso 9]><xml>"
                                   "<x:ExcelWorkbook>"
                                   "<x:ExcelWorksheets>"
                                   "<x:ExcelWorksheet>"
                                   "<x:Name>";
constexpr std::string_view kOptions = "</x:Name>"
                                      "<x:WorksheetOptions>"
                                      "<x:Selected/>"
                                      "<x:Panes>"
                                      "<x:Pane>"
                                      "<x:Number>1</x:Number>"
                                      "<x:ActiveRow>3</x:ActiveRow>"
                                      "</x:Pane>"
                                      "</x:Panes>"
                                      "<x:ProtectContents>False</x:ProtectContents>"
                                      "<x:ProtectObjects>False</x:ProtectObjects>"
                                      "<x:ProtectScenarios>False</x:ProtectScenarios>"
                                      "</x:WorksheetOptions>"
                                      "</x:ExcelWorksheet>"
                                      "</x:ExcelWorksheets>"
                                      "</x:ExcelWorkbook>"
                                      "</xml><![endif]-->"
                                      "</head>"
                                      "<body>"
                                      "<table x:str>";
constexpr std::string_view kTail = "</table></body></html>";

void appendEscaped(std::string &out, std::string_view cp1252)
{
    // Most cells hold no markup character: copy the runs between them whole.
    // A line break inside a field (a file written by another program) is
    // written as a character reference: the file stays one line, and the
    // cell shows what it would have shown with the break written raw.
    while (!cp1252.empty()) {
        const std::size_t at = cp1252.find_first_of("&<>\r\n");
        out.append(cp1252.substr(0, at));
        if (at == std::string_view::npos)
            return;
        switch (cp1252[at]) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += "&#10;";
        }
        cp1252.remove_prefix(at + 1);
    }
}

} // namespace

std::string spreadsheetFile(std::string_view worksheetName, std::span<const ExportColumn> columns,
                            const ExportGrid &grid)
{
    std::string out;
    out.reserve(2048 + grid.rowCount() * columns.size() * 48);
    out += kHead;
    appendEscaped(out, toCp1252(worksheetName));
    out += kOptions;
    out += "<tr>";
    for (const ExportColumn &column : columns) {
        out += "<td style=\"text-align: left; font-weight: bold;\" width=";
        out += std::to_string(column.fileWidth);
        out += '>';
        appendEscaped(out, toCp1252(column.header));
        out += "</td>";
    }
    out += "</tr>";
    for (std::size_t row = 0; row < grid.rowCount(); ++row) {
        out += "<tr>";
        for (std::size_t k = 0; k < columns.size(); ++k) {
            out += "<td style=\"text-align: left;\">";
            appendEscaped(out, trimControl(grid.cell(row, k)));
            out += "</td>";
        }
        out += "</tr>";
    }
    out += kTail;
    return out;
}

std::string spreadsheetFile(std::string_view worksheetName, std::span<const ExportColumn> columns,
                            const std::vector<std::vector<std::string>> &rows)
{
    ExportGrid grid(columns.size());
    grid.resize(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t k = 0; k < columns.size() && k < rows[r].size(); ++k)
            grid.setCell(r, k, toCp1252(rows[r][k]));
    }
    return spreadsheetFile(worksheetName, columns, grid);
}

} // namespace records
