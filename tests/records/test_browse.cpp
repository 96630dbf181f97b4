#include "records/browse.h"
#include "records/datafolder.h"
#include "records/layout.h"
#include "records/recordfile.h"
#include "support/testsupport.h"

#include <QFile>
#include <QTest>

using namespace records;

namespace {

QByteArray clients(std::initializer_list<const char *> names)
{
    QByteArray bytes;
    for (const char *n : names)
        bytes += testing::encodeRecord(clientLayout(), {{"Name", n}});
    return bytes;
}

} // namespace

class TestBrowse final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void browsing_data();
    void browsing();
    void emptyFileIsCreatedAndReported();
    void saveAppendsThenOverwrites();
    void saveAtPositionOverwritesThatRecord();
    void badPositionIsAnError();
};

void TestBrowse::browsing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("position");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("newPosition"); // "-" = unchanged
    QTest::addColumn<QString>("name");

    const int shown = int(BrowseOutcome::Shown);
    const int nothing = int(BrowseOutcome::Nothing);
    QTest::newRow("first") << "first"
                           << "2" << shown << "1"
                           << "A";
    QTest::newRow("last") << "last"
                          << "" << shown << "3"
                          << "C";
    QTest::newRow("next from new record") << "next"
                                          << "" << shown << "1"
                                          << "A";
    QTest::newRow("next") << "next"
                          << "1" << shown << "2"
                          << "B";
    QTest::newRow("next on last") << "next"
                                  << "3" << nothing << "-"
                                  << "";
    QTest::newRow("previous from new record") << "previous"
                                              << "" << shown << "1"
                                              << "A";
    QTest::newRow("previous") << "previous"
                              << "3" << shown << "2"
                              << "B";
    QTest::newRow("previous on first") << "previous"
                                       << "1" << nothing << "-"
                                       << "";
}

void TestBrowse::browsing()
{
    QFETCH(QString, action);
    QFETCH(QString, position);
    QFETCH(int, outcome);
    QFETCH(QString, newPosition);
    QFETCH(QString, name);
    testing::TempDataFolder data;
    testing::writeFile(data.file(QStringLiteral("Clients.Pro")), clients({"A", "B", "C"}));
    const auto path = data.path(QStringLiteral("Clients.Pro"));
    Record buffer(clientLayout());
    const std::string pos = position.toStdString();
    BrowseResult r{BrowseOutcome::Nothing, std::nullopt};
    if (action == QLatin1String("first"))
        r = browseFirst(path, buffer);
    else if (action == QLatin1String("last"))
        r = browseLast(path, buffer);
    else if (action == QLatin1String("next"))
        r = browseNext(path, buffer, pos);
    else
        r = browsePrevious(path, buffer, pos);
    QCOMPARE(int(r.outcome), outcome);
    if (newPosition == QLatin1String("-"))
        QVERIFY(!r.position);
    else
        QCOMPARE(QString::fromStdString(r.position.value_or("?")), newPosition);
    if (!name.isEmpty())
        QCOMPARE(QString::fromStdString(buffer.text("Name")), name);
}

void TestBrowse::emptyFileIsCreatedAndReported()
{
    testing::TempDataFolder data;
    const auto path = dataFile("Clients.Pro");
    Record buffer(clientLayout());
    const BrowseResult next = browseNext(path, buffer, "");
    QCOMPARE(next.outcome, BrowseOutcome::Empty);
    QCOMPARE(next.position.value_or("?"), std::string()); // Next empties the position
    QVERIFY(QFile::exists(data.file(QStringLiteral("Clients.Pro"))));
    QCOMPARE(browseFirst(path, buffer).outcome, BrowseOutcome::Empty);
    QVERIFY(!browseLast(path, buffer).position);
    QCOMPARE(browsePrevious(path, buffer, "").outcome, BrowseOutcome::Empty);
}

void TestBrowse::saveAppendsThenOverwrites()
{
    testing::TempDataFolder data;
    const auto path = dataFile("Clients.Pro");
    Record r(clientLayout());
    r.setText("Name", "Neri");
    const SaveResult first = saveRecord(path, r, "");
    QCOMPARE(first.outcome, SaveOutcome::Appended);
    QCOMPARE(first.position, std::size_t(1));
    r.setText("Name", "Neri Anna");
    const SaveResult second = saveRecord(path, r, std::to_string(first.position));
    QCOMPARE(second.outcome, SaveOutcome::Overwritten);
    QCOMPARE(second.position, std::size_t(1));
    QCOMPARE(recordCount(path, 4603), std::size_t(1));
    Record back(clientLayout());
    readRecordAt(path, back, 1);
    QCOMPARE(back.text("Name"), std::string("Neri Anna"));
}

void TestBrowse::saveAtPositionOverwritesThatRecord()
{
    testing::TempDataFolder data;
    testing::writeFile(data.file(QStringLiteral("Clients.Pro")), clients({"A", "B", "C"}));
    const auto path = data.path(QStringLiteral("Clients.Pro"));
    Record r(clientLayout());
    r.setText("Name", "Bravo");
    QCOMPARE(saveRecord(path, r, "2").position, std::size_t(2));
    const QByteArray bytes = testing::readFile(data.file(QStringLiteral("Clients.Pro")));
    QCOMPARE(bytes.size(), 3 * 4603);
    QCOMPARE(testing::fieldBytes(clientLayout(), bytes.mid(4603, 4603), "Name"), QByteArray("Bravo"));
    QCOMPARE(testing::fieldBytes(clientLayout(), bytes.mid(0, 4603), "Name"), QByteArray("A"));
    QCOMPARE(testing::fieldBytes(clientLayout(), bytes.mid(2 * 4603), "Name"), QByteArray("C"));
}

void TestBrowse::badPositionIsAnError()
{
    testing::TempDataFolder data;
    const auto path = dataFile("Clients.Pro");
    Record r(clientLayout());
    QVERIFY_THROWS_EXCEPTION(RecordFileError, saveRecord(path, r, "x1"));
    QVERIFY_THROWS_EXCEPTION(RecordFileError, saveRecord(path, r, "5")); // past the end
}

QTEST_GUILESS_MAIN(TestBrowse)
#include "test_browse.moc"
