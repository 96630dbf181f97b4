#include "records/codepage.h"
#include "records/layout.h"
#include "records/record.h"
#include "records/recordfiles.h"
#include "records/search.h"
#include "support/testsupport.h"

#include <QTest>

#include <cstring>

using namespace records;

namespace {

Record clientWith(const std::map<std::string, QByteArray> &latin1)
{
    // Bytes as another program following the layout would store them.
    const QByteArray bytes = testing::encodeRecord(clientLayout(), latin1);
    Record r(clientLayout());
    std::memcpy(r.bytes().data(), bytes.constData(), r.bytes().size());
    return r;
}

} // namespace

class TestSearch final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rule_data();
    void rule();
    void criteriaThatCount_data();
    void criteriaThatCount();
    void damagedLengthIsReadAsTheCapacity();
    void clientLines_data();
    void clientLines();
    void joinedColumns_data();
    void joinedColumns();
    void listOrder();
    void sameLineIgnoresOnlyControlsAtTheEnds();
};

void TestSearch::rule_data()
{
    QTest::addColumn<QByteArray>("stored"); // Windows-1252 bytes of the City field
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    QTest::newRow("inside a word") << QByteArray("Heidelberg") << QStringLiteral("berg") << true;
    QTest::newRow("start, other case") << QByteArray("Bergamo") << QStringLiteral("berg") << true;
    QTest::newRow("typed in capitals") << QByteArray("Bergamo") << QStringLiteral("BERG") << true;
    QTest::newRow("words in another order") << QByteArray("San Jose") << QStringLiteral("jose san") << false;
    QTest::newRow("words in order") << QByteArray("San Jose") << QStringLiteral("san jose") << true;
    QTest::newRow("trailing blank is typed text") << QByteArray("Via Roma") << QStringLiteral("via ") << true;
    QTest::newRow("trailing blank missing") << QByteArray("Viale") << QStringLiteral("via ") << false;
    QTest::newRow("leading blank is typed text") << QByteArray("Roma") << QStringLiteral(" roma") << false;
    QTest::newRow("accent in the same case") << QByteArray("Forl\xEC") << QStringLiteral("forl\u00EC") << true;
    QTest::newRow("accent in the other case") << QByteArray("\xC8vora") << QStringLiteral("\u00E8vora") << false;
    QTest::newRow("accented capital stays") << QByteArray("\xE8vora") << QStringLiteral("\u00C8VORA") << false;
    QTest::newRow("euro sign") << QByteArray("Price \x80 5") << QStringLiteral("\u20AC 5") << true;
    QTest::newRow("best fit, as saving does") << QByteArray("Gdansk") << QStringLiteral("Gda\u0144sk") << true;
    QTest::newRow("longer than the field") << QByteArray("Rome") << QStringLiteral("Romeo") << false;
    QTest::newRow("empty field") << QByteArray() << QStringLiteral("a") << false;
    QTest::newRow("whole field") << QByteArray("Rome") << QStringLiteral("rome") << true;
    // Marks the code page drops convert to nothing, which occurs everywhere.
    QTest::newRow("only combining marks") << QByteArray() << QStringLiteral("\u035A") << true;
}

void TestSearch::rule()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    QFETCH(bool, found);
    const CriterionText criterion{"City", typed.toStdString()};
    const SearchRule rule(clientLayout(), std::span(&criterion, 1));
    QCOMPARE(rule.required(), std::size_t(1));
    QCOMPARE(rule.matches(clientWith({{"City", stored}})), found);
}

void TestSearch::criteriaThatCount_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("city");
    QTest::addColumn<int>("required");
    QTest::addColumn<bool>("found");
    // The record: Name "Rossi Mario", City "Rimini".
    QTest::newRow("both occur") << "rossi"
                                << "rim" << 2 << true;
    QTest::newRow("only one occurs") << "rossi"
                                     << "roma" << 2 << false;
    QTest::newRow("blanks only count as empty") << "   "
                                                << "rim" << 1 << true;
    QTest::newRow("controls only count as empty") << "\t"
                                                  << "" << 0 << true;
    QTest::newRow("all empty lists every record") << ""
                                                  << "" << 0 << true;
}

void TestSearch::criteriaThatCount()
{
    QFETCH(QString, name);
    QFETCH(QString, city);
    QFETCH(int, required);
    QFETCH(bool, found);
    const CriterionText criteria[] = {{"Name", name.toStdString()}, {"City", city.toStdString()}};
    const SearchRule rule(clientLayout(), criteria);
    QCOMPARE(rule.required(), std::size_t(required));
    QCOMPARE(rule.matches(clientWith({{"Name", "Rossi Mario"}, {"City", "Rimini"}})), found);
}

void TestSearch::damagedLengthIsReadAsTheCapacity()
{
    // A length byte of 255 on a 50-byte field: the search reads 50 bytes and
    // never the next field.
    Record r = clientWith({{"City", QByteArray(50, 'x')}, {"State", "Lazio"}});
    const std::size_t city = *clientLayout().indexOf("City");
    r.bytes()[clientLayout().offset(city)] = 255;
    const CriterionText x{"City", std::string(50, 'x')};
    QVERIFY(SearchRule(clientLayout(), std::span(&x, 1)).matches(r));
    const CriterionText spill{"City", "xL"};
    QVERIFY(!SearchRule(clientLayout(), std::span(&spill, 1)).matches(r));
}

void TestSearch::clientLines_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("line");
    const QByteArray rest = "  Cell. +39 333 1234567     DL: AB123" + QByteArray(19, ' ') + "  Cars: SUV";
    QTest::newRow("short name padded") << QByteArray("Rossi") << QByteArray("Rossi                         ") + rest;
    QTest::newRow("long name cut at 30") << QByteArray("Bartholomew-Fitzgerald Montgomery")
                                         << QByteArray("Bartholomew-Fitzgerald Montgom") + rest;
    QTest::newRow("blanks trimmed first")
        << QByteArray("  Rossi\t") << QByteArray("Rossi                         ") + rest;
    QTest::newRow("accent is one byte") << QByteArray("Citt\xE0")
                                        << QByteArray("Citt\xE0                         ") + rest;
}

void TestSearch::clientLines()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, line);
    const Record r =
        clientWith({{"Name", name}, {"MobilePhone", "+39 333 1234567"}, {"License", "AB123"}, {"Vehicles", " SUV "}});
    QCOMPARE(QByteArray::fromStdString(resultLine(r, clientFile().search.columns)), line);
}

void TestSearch::joinedColumns_data()
{
    QTest::addColumn<QByteArray>("make");
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<QByteArray>("column");
    QTest::newRow("both") << QByteArray("Fiat") << QByteArray("Panda") << QByteArray("Fiat Panda                  ");
    QTest::newRow("no make") << QByteArray() << QByteArray("Panda") << QByteArray(" Panda                      ");
    QTest::newRow("neither") << QByteArray() << QByteArray() << QByteArray(28, ' ');
    QTest::newRow("trimmed each") << QByteArray(" Fiat ") << QByteArray(" Panda")
                                  << QByteArray("Fiat Panda                  ");
    QTest::newRow("cut at 28") << QByteArray("Mercedes-Benz") << QByteArray("Sprinter 319 CDI Long")
                               << QByteArray("Mercedes-Benz Sprinter 319 C");
}

void TestSearch::joinedColumns()
{
    QFETCH(QByteArray, make);
    QFETCH(QByteArray, model);
    QFETCH(QByteArray, column);
    const QByteArray bytes =
        testing::encodeRecord(vehicleLayout(), {{"Type", "Van"}, {"Make", make}, {"Model", model}});
    Record r(vehicleLayout());
    std::memcpy(r.bytes().data(), bytes.constData(), r.bytes().size());
    const QByteArray line = QByteArray::fromStdString(resultLine(r, vehicleFile().search.columns));
    QCOMPARE(line.mid(26, 28), column);
    QVERIFY(line.startsWith("Van" + QByteArray(21, ' ') + "  "));
}

void TestSearch::listOrder()
{
    std::vector<std::string> lines = {"rossi 2", "No. 9",   "Bianchi",   "ROSSI 1",
                                      "No. 10",  "rossi 2", "\xE9t\xE9", "Zeta"};
    // Equal lines keep their order: tag them to tell them apart.
    lines[5] += '\0';
    sortLines(lines);
    const std::vector<std::string> expected = {
        "Bianchi", "No. 10", "No. 9", "ROSSI 1", "rossi 2", std::string("rossi 2") + '\0', "Zeta", "\xE9t\xE9"};
    QCOMPARE(lines, expected);
    QVERIFY(!lineBefore("ABC", "abc"));
    QVERIFY(!lineBefore("abc", "ABC"));
}

void TestSearch::sameLineIgnoresOnlyControlsAtTheEnds()
{
    QVERIFY(sameLine("Rossi   ", "Rossi"));
    QVERIFY(sameLine("\tRossi", "Rossi "));
    QVERIFY(!sameLine("Rossi", "rossi"));
    QVERIFY(!sameLine("Ros si", "Rossi"));
}

QTEST_APPLESS_MAIN(TestSearch)
#include "test_search.moc"
