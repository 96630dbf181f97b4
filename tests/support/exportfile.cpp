#include "support/exportfile.h"

namespace testing {

QByteArray expectedSpreadsheet(const QByteArray &sheet, const QList<std::pair<QByteArray, int>> &headers,
                               const QList<QList<QByteArray>> &rows)
{
    const QList<QByteArray> pieces = {
        "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
        "xmlns=\"http://www.w3.org/TR/REC-html40\">",
        "<head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
        "<!--[if gte mso 9]><xml>",
        "<x:ExcelWorkbook>",
        "<x:ExcelWorksheets>",
        "<x:ExcelWorksheet>",
        "<x:Name>" + sheet + "</x:Name>",
        "<x:WorksheetOptions>",
        "<x:Selected/>",
        "<x:Panes>",
        "<x:Pane>",
        "<x:Number>1</x:Number>",
        "<x:ActiveRow>3</x:ActiveRow>",
        "</x:Pane>",
        "</x:Panes>",
        "<x:ProtectContents>False</x:ProtectContents>",
        "<x:ProtectObjects>False</x:ProtectObjects>",
        "<x:ProtectScenarios>False</x:ProtectScenarios>",
        "</x:WorksheetOptions>",
        "</x:ExcelWorksheet>",
        "</x:ExcelWorksheets>",
        "</x:ExcelWorkbook>",
        "</xml><![endif]-->",
        "</head>",
        "<body>",
        "<table x:str>",
    };
    QByteArray out = pieces.join();
    out += "<tr>";
    for (const auto &[header, width] : headers)
        out += "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + header
               + "</td>";
    out += "</tr>";
    for (const QList<QByteArray> &row : rows) {
        out += "<tr>";
        for (const QByteArray &cell : row)
            out += "<td style=\"text-align: left;\">" + cell + "</td>";
        out += "</tr>";
    }
    out += "</table></body></html>";
    return out;
}

} // namespace testing
