#include "records/exportwriter.h"
#include "records/layout.h"
#include "records/recordfiles.h"

#include <QByteArray>
#include <QTest>

#include <set>

using namespace records;

namespace {

// The file, written out piece by piece as the export format lists them.
QByteArray expectedFile(const QByteArray &sheet, const QList<std::pair<QByteArray, int>> &headers,
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

constexpr ExportColumn kTwo[] = {{"Name", "Client", 250, 300, false}, {"City", "City", 200, 250, true}};

} // namespace

class TestExportWriter final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exactBytes_data();
    void exactBytes();
    void descriptorsCarryTheExportTables_data();
    void descriptorsCarryTheExportTables();
};

void TestExportWriter::exactBytes_data()
{
    QTest::addColumn<QList<QList<QByteArray>>>("cells");   // UTF-8 as stored on screen
    QTest::addColumn<QList<QList<QByteArray>>>("written"); // bytes in the file
    QTest::newRow("no rows") << QList<QList<QByteArray>>{} << QList<QList<QByteArray>>{};
    QTest::newRow("plain") << QList<QList<QByteArray>>{{"Rossi", "Roma"}}
                           << QList<QList<QByteArray>>{{"Rossi", "Roma"}};
    QTest::newRow("trimmed of blanks and controls")
        << QList<QList<QByteArray>>{{"  Rossi\t", "\r\nRoma "}} << QList<QList<QByteArray>>{{"Rossi", "Roma"}};
    QTest::newRow("code page bytes") << QList<QList<QByteArray>>{{"Citt\xC3\xA0", "\xE2\x82\xAC 5"}}
                                     << QList<QList<QByteArray>>{{"Citt\xE0", "\x80 5"}};
    QTest::newRow("markup characters escaped")
        << QList<QList<QByteArray>>{{"a<b&c", "x > y"}} << QList<QList<QByteArray>>{{"a&lt;b&amp;c", "x &gt; y"}};
    QTest::newRow("a short row gets empty cells")
        << QList<QList<QByteArray>>{{"Rossi"}} << QList<QList<QByteArray>>{{"Rossi", ""}};
}

void TestExportWriter::exactBytes()
{
    QFETCH(QList<QList<QByteArray>>, cells);
    QFETCH(QList<QList<QByteArray>>, written);
    std::vector<std::vector<std::string>> rows;
    for (const QList<QByteArray> &row : cells) {
        rows.emplace_back();
        for (const QByteArray &cell : row)
            rows.back().push_back(cell.toStdString());
    }
    const QByteArray file = QByteArray::fromStdString(spreadsheetFile("Clients Database", kTwo, rows));
    QCOMPARE(file, expectedFile("Clients Database", {{"Client", 300}, {"City", 250}}, written));
    QVERIFY(!file.contains('\n') && !file.contains('\r'));
    QVERIFY(!file.startsWith("\xEF\xBB\xBF"));
}

void TestExportWriter::descriptorsCarryTheExportTables_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("clients") << 0 << QByteArray("Clients_Database.xls") << QByteArray("Clients Database")
                             << QByteArray("Client") << QByteArray("Zip");
    QTest::newRow("fleet") << 1 << QByteArray("Vehicle_Fleet.xls") << QByteArray("Vehicle Fleet")
                           << QByteArray("Type of vehicle") << QByteArray("Renter");
    QTest::newRow("agreements") << 2 << QByteArray("Rental_Agreements.xls") << QByteArray("Rental Agreements")
                                << QByteArray("Rental Agreement No.") << QByteArray("Company01");
}

void TestExportWriter::descriptorsCarryTheExportTables()
{
    QFETCH(int, which);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, sheet);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, left);
    const RecordFileDescriptor &d = which == 0 ? clientFile() : which == 1 ? vehicleFile() : agreementFile();
    const ExportTable &table = d.exportTable;
    QCOMPARE(QByteArray(table.fileName.data(), qsizetype(table.fileName.size())), file);
    QCOMPARE(QByteArray(table.worksheet.data(), qsizetype(table.worksheet.size())), sheet);
    QCOMPARE(table.columns.size(), std::size_t(25));
    QCOMPARE(QByteArray(table.columns[0].header.data(), qsizetype(table.columns[0].header.size())), first);
    std::set<std::string_view> fields;
    for (const ExportColumn &c : table.columns) {
        QVERIFY2(d.layout.indexOf(c.field), c.field.data());
        QVERIFY(c.gridWidth > 0 && c.fileWidth > 0);
        fields.insert(c.field);
    }
    QCOMPARE(fields.size(), std::size_t(25)); // no field twice
    QVERIFY(!fields.count(std::string_view(left.constData(), std::size_t(left.size()))));
}

QTEST_APPLESS_MAIN(TestExportWriter)
#include "test_exportwriter.moc"
