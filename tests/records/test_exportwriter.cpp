#include "records/exportgrid.h"
#include "records/exportwriter.h"
#include "records/layout.h"
#include "records/osfile.h"
#include "records/recordfiles.h"
#include "support/exportfile.h"
#include "support/testsupport.h"

#include <QByteArray>
#include <QTest>

#include <set>

using namespace records;

namespace {

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
    void gridFromAFile_data();
    void gridFromAFile();
    void gridKeepsTheRowsReadBeforeAFailure();
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
    QTest::newRow("line breaks inside a cell keep the file on one line")
        << QList<QList<QByteArray>>{{"Via Roma 1\r\nRimini", "a\nb"}}
        << QList<QList<QByteArray>>{{"Via Roma 1&#13;&#10;Rimini", "a&#10;b"}};
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
    QCOMPARE(file, testing::expectedSpreadsheet("Clients Database", {{"Client", 300}, {"City", 250}}, written));
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

void TestExportWriter::gridFromAFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rows");
    const QByteArray one = testing::encodeRecord(clientLayout(), {{"Name", " Rossi "}, {"Zip", "47921"}}, 'x');
    const QByteArray two = testing::encodeRecord(clientLayout(), {{"Name", "Bianchi"}, {"Notes", "a<b"}});
    QTest::newRow("no file") << QByteArray() << 7;
    QTest::newRow("two records") << one + two << 2;
    QTest::newRow("a trailing partial record is not a row") << one + two + one.left(100) << 2;
}

void TestExportWriter::gridFromAFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, rows);
    testing::TempDataFolder data;
    const std::filesystem::path file = data.path(QStringLiteral("Clients.Pro"));
    if (!bytes.isEmpty())
        testing::writeFile(data.file(QStringLiteral("Clients.Pro")), bytes);
    ExportGrid grid(clientFile().exportTable.columns.size());
    grid.resize(7);
    const std::size_t filled = fillExportGrid(grid, file, clientLayout(), clientFile().exportTable.columns);
    QCOMPARE(grid.rowCount(), std::size_t(rows));
    QCOMPARE(filled, bytes.isEmpty() ? std::size_t(0) : std::size_t(rows));
    if (!bytes.isEmpty()) {
        QCOMPARE(grid.cell(0, 0), std::string_view("Rossi"));
        QCOMPARE(grid.cell(1, 0), std::string_view("Bianchi"));
        QCOMPARE(grid.cell(1, 24), std::string_view("a<b"));
        QCOMPARE(grid.cell(0, 24), std::string_view());
    }
}

void TestExportWriter::gridKeepsTheRowsReadBeforeAFailure()
{
    testing::TempDataFolder data;
    QByteArray bytes;
    for (int n = 0; n < 600; ++n)
        bytes += testing::encodeRecord(clientLayout(), {{"Name", "client " + QByteArray::number(n)}});
    testing::writeFile(data.file(QStringLiteral("Clients.Pro")), bytes);
    ExportGrid grid(clientFile().exportTable.columns.size());
    // The first block of records is read, the next read fails.
    faults::failNth(faults::Op::Read, 2);
    const std::size_t filled = fillExportGrid(grid, data.path(QStringLiteral("Clients.Pro")), clientLayout(),
                                              clientFile().exportTable.columns);
    faults::clear();
    QCOMPARE(filled, std::size_t(600));
    QCOMPARE(grid.rowCount(), std::size_t(600));
    QCOMPARE(grid.cell(0, 0), std::string_view("client 0"));
    QVERIFY(grid.cell(599, 0).empty());
}

QTEST_APPLESS_MAIN(TestExportWriter)
#include "test_exportwriter.moc"
