#include "records/layout.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "records/recordfiles.h"
#include "records/shorttext.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <array>

using namespace records;

namespace {

struct Expected {
    const char *name;
    std::size_t offset;
    int capacity;
};

// Offsets and capacities of the published byte layouts, copied from the
// format's documentation rather than computed.
constexpr std::array<Expected, 32> kClient = {{
    {"Name", 0, 250},         {"Gender", 251, 1},       {"BirthDate", 253, 10},     {"BirthPlace", 264, 50},
    {"Street", 315, 250},     {"City", 566, 50},        {"State", 617, 50},         {"Zip", 668, 30},
    {"Citizenship", 699, 50}, {"TaxNumber", 750, 50},   {"SSN", 801, 50},           {"Email", 852, 50},
    {"HomePhone", 903, 30},   {"MobilePhone", 934, 30}, {"Communication", 965, 50}, {"Work", 1016, 250},
    {"License", 1267, 50},    {"IssDate", 1318, 10},    {"ExpDate", 1329, 10},      {"Authority", 1340, 250},
    {"Issues", 1591, 250},    {"Vehicles", 1842, 250},  {"Method", 2093, 250},      {"Bank", 2344, 250},
    {"Status", 2595, 250},    {"Notes", 2846, 250},     {"File01", 3097, 250},      {"File02", 3348, 250},
    {"File03", 3599, 250},    {"Desc01", 3850, 250},    {"Desc02", 4101, 250},      {"Desc03", 4352, 250},
}};

constexpr std::array<Expected, 38> kVehicle = {{
    {"Type", 0, 50},        {"Services", 51, 250},     {"Make", 302, 50},         {"Model", 353, 50},
    {"Plate", 404, 50},     {"Year", 455, 4},          {"Color", 460, 50},        {"VIN", 511, 50},
    {"Tires", 562, 250},    {"Engine", 813, 50},       {"Odometer", 864, 50},     {"DateOdo", 915, 10},
    {"Fuel", 926, 50},      {"Displacement", 977, 50}, {"KW", 1028, 50},          {"Environment", 1079, 50},
    {"Seats", 1130, 50},    {"Weight", 1181, 50},      {"Insurance", 1232, 250},  {"Cost", 1483, 50},
    {"Value", 1534, 50},    {"Incidents", 1585, 250},  {"Breakdowns", 1836, 250}, {"Renter", 2087, 250},
    {"PhoneOwn", 2338, 50}, {"Daily", 2389, 50},       {"Weekly", 2440, 50},      {"Monthly", 2491, 50},
    {"Extra", 2542, 250},   {"Mechanic", 2793, 250},   {"PhoneMec", 3044, 50},    {"Notes", 3095, 250},
    {"File01", 3346, 250},  {"File02", 3597, 250},     {"File03", 3848, 250},     {"Desc01", 4099, 250},
    {"Desc02", 4350, 250},  {"Desc03", 4601, 250},
}};

constexpr std::array<Expected, 43> kAgreement = {{
    {"Company01", 0, 250},        {"Company02", 251, 250},   {"Company03", 502, 250},
    {"Company04", 753, 250},      {"Number", 1004, 20},      {"Date", 1025, 10},
    {"Name", 1036, 250},          {"Gender", 1287, 1},       {"BirthDate", 1289, 10},
    {"BirthPlace", 1300, 50},     {"MobilePhone", 1351, 30}, {"Street", 1382, 250},
    {"City", 1633, 50},           {"State", 1684, 50},       {"Zip", 1735, 30},
    {"License", 1766, 50},        {"IssDate", 1817, 10},     {"ExpDate", 1828, 10},
    {"Authority", 1839, 250},     {"Type", 2090, 50},        {"Make", 2141, 50},
    {"Model", 2192, 50},          {"Plate", 2243, 50},       {"VIN", 2294, 50},
    {"Damage", 2345, 250},        {"Insurance", 2596, 250},  {"OdoOut", 2847, 50},
    {"OdoIn", 2898, 50},          {"FuelOut", 2949, 50},     {"FuelIn", 3000, 50},
    {"Services", 3051, 250},      {"Extra", 3302, 250},      {"Daily", 3553, 50},
    {"Days", 3604, 50},           {"Deposit", 3655, 50},     {"Total", 3706, 50},
    {"Payment", 3757, 250},       {"PickUpDate", 4008, 10},  {"PickUpTime", 4019, 10},
    {"PickUpLocation", 4030, 50}, {"ReturnDate", 4081, 10},  {"ReturnTime", 4092, 10},
    {"ReturnLocation", 4103, 50},
}};

template <std::size_t N> void compareLayout(const Layout &layout, const std::array<Expected, N> &expected)
{
    QCOMPARE(layout.fieldCount(), N);
    for (std::size_t k = 0; k < N; ++k) {
        const QByteArray where = QByteArray(expected[k].name);
        QVERIFY2(layout.field(k).name == expected[k].name, where.constData());
        QVERIFY2(layout.offset(k) == expected[k].offset, where.constData());
        QVERIFY2(layout.field(k).capacity == expected[k].capacity, where.constData());
    }
}

QByteArray bytesOf(const Record &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.bytes().data()), static_cast<qsizetype>(r.bytes().size()));
}

} // namespace

class TestRecords final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { RecordFile::setLockWait(std::chrono::milliseconds(200)); }

    void layouts();
    void storeAndLoad_data();
    void storeAndLoad();
    void storeCutsAtCapacity();
    void storeKeepsBytesAfterText();
    void damagedLengthByteStaysInsideField();
    void recordMatchesIndependentEncoding();

    void missingFileIsCreatedEmpty();
    void existingFileIsNeverTruncated();
    void countIgnoresTrailingPartialRecord();
    void appendOverwritesPartialRecordAtBoundary();
    void overwriteInPlace();
    void readAndSeekPastEndFail();
    void unopenableFileFailsWithoutReplacing();
    void secondHolderWaitsThenFails();
    void scanVisitsEveryWholeRecordInOrder();
    void scanStopsWhenAsked();
    void descriptorsSayWhereEachFileLives();
};

void TestRecords::layouts()
{
    compareLayout(clientLayout(), kClient);
    compareLayout(vehicleLayout(), kVehicle);
    compareLayout(agreementLayout(), kAgreement);
    QCOMPARE(clientLayout().recordLength(), std::size_t(4603));
    QCOMPARE(vehicleLayout().recordLength(), std::size_t(4852));
    QCOMPARE(agreementLayout().recordLength(), std::size_t(4154));
}

void TestRecords::descriptorsSayWhereEachFileLives()
{
    testing::TempDataFolder data;
    QCOMPARE(&clientFile().layout, &clientLayout());
    QCOMPARE(&vehicleFile().layout, &vehicleLayout());
    QCOMPARE(&agreementFile().layout, &agreementLayout());
    QCOMPARE(clientFile().path(), data.path(QStringLiteral("Clients.Pro")));
    QCOMPARE(vehicleFile().path(), data.path(QStringLiteral("Vehicle_Fleet.pro")));
    QCOMPARE(agreementYearFile("2026"), data.path(QStringLiteral("2026.rnt")));
    // A file of the data folder ignores a chosen file; a chosen file is
    // taken as given.
    QCOMPARE(clientFile().path(data.path(QStringLiteral("other.Pro"))), data.path(QStringLiteral("Clients.Pro")));
    const std::filesystem::path chosen = data.path(QStringLiteral("2026.rnt"));
    QCOMPARE(agreementFile().path(chosen), chosen);

    // The folder a file lives in is made again before every access.
    QVERIFY(QDir(data.dataFolder()).removeRecursively());
    QCOMPARE(agreementFile().path(chosen), chosen);
    QVERIFY(QFileInfo(data.dataFolder()).isDir());
    QVERIFY(QDir(data.dataFolder()).removeRecursively());
    QCOMPARE(vehicleFile().path(), data.path(QStringLiteral("Vehicle_Fleet.pro")));
    QVERIFY(QFileInfo(data.dataFolder()).isDir());
}

void TestRecords::storeAndLoad_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("trimmed both sides") << QStringLiteral("  Rossi  ") << 50 << QByteArray("\x05Rossi")
                                        << QStringLiteral("Rossi");
    QTest::newRow("control characters") << QStringLiteral("\tA B\r\n") << 50
                                        << QByteArray("\x03"
                                                      "A B")
                                        << QStringLiteral("A B");
    QTest::newRow("empty") << QString() << 10 << QByteArray("\x00", 1) << QString();
    QTest::newRow("latin-1") << QStringLiteral("Città") << 10
                             << QByteArray("\x05"
                                           "Citt\xE0")
                             << QStringLiteral("Città");
    QTest::newRow("outside the code page")
        << QStringLiteral("Жанна") << 10 << QByteArray("\x05?????") << QStringLiteral("?????");
    QTest::newRow("gender capacity one") << QStringLiteral("MF") << 1 << QByteArray("\x01M") << QStringLiteral("M");
}

void TestRecords::storeAndLoad()
{
    QFETCH(QString, typed);
    QFETCH(int, capacity);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);
    std::vector<std::uint8_t> field(static_cast<std::size_t>(capacity) + 1, 0xEE);
    storeText(field, typed.toStdString());
    const QByteArray head(reinterpret_cast<const char *>(field.data()), stored.size());
    QCOMPARE(head, stored);
    QCOMPARE(QString::fromStdString(loadText(field)), readBack);
}

void TestRecords::storeCutsAtCapacity()
{
    std::vector<std::uint8_t> field(251, 0);
    storeText(field, std::string(300, 'x'));
    QCOMPARE(int(field[0]), 250);
    QCOMPARE(loadText(field), std::string(250, 'x'));
}

void TestRecords::storeKeepsBytesAfterText()
{
    std::vector<std::uint8_t> field(11, 'Z');
    storeText(field, "ab");
    QCOMPARE(int(field[0]), 2);
    QCOMPARE(field[3], std::uint8_t('Z'));
}

void TestRecords::damagedLengthByteStaysInsideField()
{
    // Two adjacent fields; the first claims 200 bytes but holds 10.
    std::vector<std::uint8_t> bytes(11 + 11, 'q');
    bytes[0] = 200;
    bytes[11] = 3;
    const std::span<const std::uint8_t> first(bytes.data(), 11);
    QCOMPARE(loadText(first), std::string(10, 'q'));
    Record r(clientLayout());
    std::fill(r.bytes().begin(), r.bytes().end(), std::uint8_t('n'));
    r.bytes()[0] = 255; // Name, capacity 250
    r.bytes()[251] = 1; // Gender
    QCOMPARE(r.text("Name"), std::string(250, 'n'));
    QCOMPARE(r.text("Gender"), std::string("n"));
}

void TestRecords::recordMatchesIndependentEncoding()
{
    Record r(clientLayout());
    r.setText("Name", "Mario Rossi");
    r.setText("Gender", "m");
    r.setText("City", "Forlì");
    r.setText("Desc03", "last field");
    const QByteArray expected = testing::encodeRecord(
        clientLayout(), {{"Name", "Mario Rossi"}, {"Gender", "m"}, {"City", "Forl\xEC"}, {"Desc03", "last field"}});
    // Bytes after each text are free; compare the significant ones.
    for (const FieldDef &f : clientLayout().fields())
        QCOMPARE(testing::fieldBytes(clientLayout(), bytesOf(r), std::string(f.name)),
                 testing::fieldBytes(clientLayout(), expected, std::string(f.name)));
    QCOMPARE(r.text("City"), std::string("Forlì"));
    QCOMPARE(r.text("Nope"), std::string());
}

void TestRecords::missingFileIsCreatedEmpty()
{
    testing::TempDataFolder data;
    QDir().mkpath(data.dataFolder());
    RecordFile f(data.path(QStringLiteral("Clients.Pro")), 4603);
    QCOMPARE(f.count(), std::size_t(0));
    f.close();
    QVERIFY(QFile::exists(data.file(QStringLiteral("Clients.Pro"))));
    QCOMPARE(QFileInfo(data.file(QStringLiteral("Clients.Pro"))).size(), 0);
}

void TestRecords::existingFileIsNeverTruncated()
{
    testing::TempDataFolder data;
    const QByteArray two =
        testing::encodeRecord(clientLayout(), {{"Name", "A"}}) + testing::encodeRecord(clientLayout(), {{"Name", "B"}});
    testing::writeFile(data.file(QStringLiteral("Clients.Pro")), two);
    {
        RecordFile f(data.path(QStringLiteral("Clients.Pro")), 4603);
        QCOMPARE(f.count(), std::size_t(2));
        f.close();
    }
    QCOMPARE(testing::readFile(data.file(QStringLiteral("Clients.Pro"))), two);
}

void TestRecords::countIgnoresTrailingPartialRecord()
{
    testing::TempDataFolder data;
    testing::writeFile(data.file(QStringLiteral("x.pro")), QByteArray(2 * 4852 + 100, 'a'));
    RecordFile f(data.path(QStringLiteral("x.pro")), 4852);
    QCOMPARE(f.count(), std::size_t(2));
    f.seek(2);
    Record r(vehicleLayout());
    QVERIFY_THROWS_EXCEPTION(RecordFileError, f.read(r));
}

void TestRecords::appendOverwritesPartialRecordAtBoundary()
{
    testing::TempDataFolder data;
    const QString name = data.file(QStringLiteral("x.pro"));
    testing::writeFile(name, QByteArray(2 * 4852 + 100, 'a'));
    Record r(vehicleLayout());
    r.setText("Type", "Van");
    {
        RecordFile f(data.path(QStringLiteral("x.pro")), 4852);
        f.seek(f.count());
        f.write(r);
        QCOMPARE(f.index(), std::size_t(3));
        f.close();
    }
    const QByteArray bytes = testing::readFile(name);
    QCOMPARE(bytes.size(), 3 * 4852);
    QCOMPARE(bytes.mid(2 * 4852), bytesOf(r));
}

void TestRecords::overwriteInPlace()
{
    testing::TempDataFolder data;
    const QString name = data.file(QStringLiteral("c.pro"));
    testing::writeFile(name, testing::encodeRecord(clientLayout(), {{"Name", "A"}})
                                 + testing::encodeRecord(clientLayout(), {{"Name", "B"}})
                                 + testing::encodeRecord(clientLayout(), {{"Name", "C"}}));
    Record r(clientLayout());
    r.setText("Name", "Bee");
    RecordFile f(data.path(QStringLiteral("c.pro")), 4603);
    f.seek(1);
    f.write(r);
    QCOMPARE(f.index(), std::size_t(2));
    QCOMPARE(f.count(), std::size_t(3));
    f.seek(0);
    Record back(clientLayout());
    f.read(back);
    QCOMPARE(back.text("Name"), std::string("A"));
    f.read(back);
    QCOMPARE(back.text("Name"), std::string("Bee"));
    f.read(back);
    QCOMPARE(back.text("Name"), std::string("C"));
    f.close();
}

void TestRecords::readAndSeekPastEndFail()
{
    testing::TempDataFolder data;
    QDir().mkpath(data.dataFolder());
    RecordFile f(data.path(QStringLiteral("e.pro")), 4603);
    Record r(clientLayout());
    QVERIFY_THROWS_EXCEPTION(RecordFileError, f.read(r));
    QVERIFY_THROWS_EXCEPTION(RecordFileError, f.seek(1));
    f.seek(0); // the end of an empty file is a valid place to append
}

void TestRecords::unopenableFileFailsWithoutReplacing()
{
    testing::TempDataFolder data;
    // A folder where the file should be cannot be opened for writing, even
    // by a privileged user, and must not be replaced.
    QDir().mkpath(data.file(QStringLiteral("Clients.Pro")));
    QVERIFY_THROWS_EXCEPTION(RecordFileError, RecordFile(data.path(QStringLiteral("Clients.Pro")), 4603));
    QVERIFY(QFileInfo(data.file(QStringLiteral("Clients.Pro"))).isDir());
}

void TestRecords::secondHolderWaitsThenFails()
{
    testing::TempDataFolder data;
    QDir().mkpath(data.dataFolder());
    RecordFile holder(data.path(QStringLiteral("l.pro")), 4603);
    QVERIFY_THROWS_EXCEPTION(RecordFileError, RecordFile(data.path(QStringLiteral("l.pro")), 4603));
    holder.close();
    RecordFile next(data.path(QStringLiteral("l.pro")), 4603); // released by close
    next.close();
}

void TestRecords::scanVisitsEveryWholeRecordInOrder()
{
    testing::TempDataFolder data;
    QByteArray bytes;
    for (int k = 0; k < 300; ++k) // more than one read block
        bytes += testing::encodeRecord(clientLayout(), {{"Name", QByteArray::number(k + 1)}});
    bytes += QByteArray(17, 'x');
    testing::writeFile(data.file(QStringLiteral("s.pro")), bytes);
    RecordFile f(data.path(QStringLiteral("s.pro")), 4603);
    Record buffer(clientLayout());
    std::size_t seen = 0;
    f.scan(buffer, [&seen](std::size_t position, const Record &r) {
        ++seen;
        return position == seen && r.text("Name") == std::to_string(position);
    });
    QCOMPARE(seen, std::size_t(300));
    f.close();
}

void TestRecords::scanStopsWhenAsked()
{
    testing::TempDataFolder data;
    QByteArray bytes;
    for (int k = 0; k < 5; ++k)
        bytes += testing::encodeRecord(clientLayout(), {{"Name", "n"}});
    testing::writeFile(data.file(QStringLiteral("s.pro")), bytes);
    RecordFile f(data.path(QStringLiteral("s.pro")), 4603);
    Record buffer(clientLayout());
    int seen = 0;
    f.scan(buffer, [&seen](std::size_t, const Record &) { return ++seen < 2; });
    QCOMPARE(seen, 2);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "test_records.moc"
