#include "records/agreementsettings.h"
#include "records/inifile.h"
#include "support/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

using namespace records;

namespace {

std::string_view sv(const QByteArray &bytes) { return {bytes.constData(), static_cast<std::size_t>(bytes.size())}; }
QByteArray qb(const std::string &s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }
QString qs(const std::string &utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

} // namespace

class TestIniFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void valuesAreCutAt2048Characters();
    void write_data();
    void write();
    void writeThenReadBack_data();
    void writeThenReadBack();
    void fileIsCreatedByTheFirstWrite();
    void missingFileReadsAsFallback();
    void unwritableFileIsAnErrorNamingThePath();
    void unreadableFileIsNeverReplaced();
    void writeLeavesNoTemporaryFiles();
    void oddContentNeverBreaksReadOrWrite();

    void headerLinesAndStartNumber();
    void normaliseStartNumber_data();
    void normaliseStartNumber();
    void proposedNumber_data();
    void proposedNumber();
};

void TestIniFile::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray crlf = "[Rental Company]\r\nLine 1=Rossi Rent\r\nLine 2=Via Roma 1\r\n"
                            "[Rental Agreements]\r\nStart Number=500\r\n";
    QTest::newRow("crlf") << crlf << QByteArray("Rental Company") << QByteArray("Line 2") << "Via Roma 1";
    QTest::newRow("crlf other section") << crlf << QByteArray("Rental Agreements") << QByteArray("Start Number")
                                        << "500";
    QTest::newRow("lf") << QByteArray("[A]\nk=v\n") << QByteArray("A") << QByteArray("k") << "v";
    QTest::newRow("no final line break") << QByteArray("[A]\r\nk=last") << QByteArray("A") << QByteArray("k") << "last";
    QTest::newRow("case of names ignored") << QByteArray("[rental COMPANY]\r\nLINE 1=x\r\n")
                                           << QByteArray("Rental Company") << QByteArray("line 1") << "x";
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ A ]  \r\n\t k \t=  two words  \r\n") << QByteArray("A") << QByteArray("k") << "two words";
    QTest::newRow("double quotes dropped")
        << QByteArray("[A]\r\nk=\" padded \"\r\n") << QByteArray("A") << QByteArray("k") << " padded ";
    QTest::newRow("single quotes dropped")
        << QByteArray("[A]\r\nk='x'\r\n") << QByteArray("A") << QByteArray("k") << "x";
    QTest::newRow("unmatched quote kept")
        << QByteArray("[A]\r\nk=\"Best\" Cars\r\n") << QByteArray("A") << QByteArray("k") << "\"Best\" Cars";
    QTest::newRow("equals in value") << QByteArray("[A]\r\nk=a=b\r\n") << QByteArray("A") << QByteArray("k") << "a=b";
    QTest::newRow("empty value") << QByteArray("[A]\r\nk=\r\n") << QByteArray("A") << QByteArray("k") << "";
    QTest::newRow("first duplicate key wins")
        << QByteArray("[A]\r\nk=1\r\nk=2\r\n") << QByteArray("A") << QByteArray("k") << "1";
    QTest::newRow("first section of a name wins")
        << QByteArray("[A]\r\nx=0\r\n[A]\r\nk=2\r\n") << QByteArray("A") << QByteArray("k") << "<missing>";
    QTest::newRow("key of another section")
        << QByteArray("[B]\r\nk=1\r\n[A]\r\nj=2\r\n") << QByteArray("A") << QByteArray("k") << "<missing>";
    QTest::newRow("entries before any section")
        << QByteArray("k=1\r\n") << QByteArray("A") << QByteArray("k") << "<missing>";
    QTest::newRow("commented entry") << QByteArray("[A]\r\n;k=1\r\nk=2\r\n") << QByteArray("A") << QByteArray("k")
                                     << "2";
    QTest::newRow("line without equals") << QByteArray("[A]\r\nk\r\n") << QByteArray("A") << QByteArray("k")
                                         << "<missing>";
    QTest::newRow("windows-1252 value") << QByteArray("[A]\r\nk=Citt\xE0 \x80 5\r\n") << QByteArray("A")
                                        << QByteArray("k") << QStringLiteral("Città € 5");
    QTest::newRow("windows-1252 names folded") << QByteArray("[SOCIET\xC0]\r\nCITT\xC0=1\r\n")
                                               << QByteArray("societ\xC3\xA0") << QByteArray("citt\xC3\xA0") << "1";
    QTest::newRow("utf-8 with byte order mark") << QByteArray("\xEF\xBB\xBF[A]\r\nk=Citt\xC3\xA0\r\n")
                                                << QByteArray("A") << QByteArray("k") << QStringLiteral("Città");
    QTest::newRow("value stops at a zero byte") << QByteArray("[A]\r\nk=ab\0cd\r\n", sizeof("[A]\r\nk=ab\0cd\r\n") - 1)
                                                << QByteArray("A") << QByteArray("k") << "ab";
    QTest::newRow("stray carriage returns")
        << QByteArray("[A]\r\r\nk=v\r\r\n") << QByteArray("A") << QByteArray("k") << "v";
    QTest::newRow("section without bracket end")
        << QByteArray("[A\r\nk=1\r\n") << QByteArray("A") << QByteArray("k") << "<missing>";
    QTest::newRow("blanks around the names asked for")
        << QByteArray("[A]\r\nk=v\r\n") << QByteArray(" A\t") << QByteArray("\tk ") << "v";
}

void TestIniFile::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QString, expected);
    QCOMPARE(qs(findIniValue(sv(content), sv(section), sv(key), "<missing>")), expected);
}

void TestIniFile::valuesAreCutAt2048Characters()
{
    const QByteArray value(5000, 'x');
    QCOMPARE(findIniValue(sv("[A]\r\nk=" + value + "\r\n"), "A", "k").size(), kIniValueMax);
    QCOMPARE(findIniValue(sv("[A]\r\nk=" + value.left(2048) + "\r\n"), "A", "k").size(), std::size_t(2048));
    // Characters, not bytes: in a UTF-8 file "à" takes two.
    QByteArray accented = "\xEF\xBB\xBF[A]\r\nk=";
    for (int k = 0; k < 3000; ++k)
        accented += "\xC3\xA0";
    QCOMPARE(qs(findIniValue(sv(accented), "A", "k")).size(), 2048);
    // In Windows-1252 each byte is a character that grows in UTF-8.
    QCOMPARE(qs(findIniValue(sv("[A]\r\nk=" + QByteArray(3000, '\xE0')), "A", "k")), QString(2048, QChar(0xE0)));
}

void TestIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("empty file") << QByteArray() << QByteArray("Rental Company") << QByteArray("Line 1")
                                << QByteArray("Rossi") << QByteArray("[Rental Company]\r\nLine 1=Rossi\r\n");
    QTest::newRow("empty value written") << QByteArray() << QByteArray("Rental Company") << QByteArray("Line 4")
                                         << QByteArray() << QByteArray("[Rental Company]\r\nLine 4=\r\n");
    QTest::newRow("replace in place keeps everything else")
        << QByteArray("; settings\r\n[A]\r\nk=old\r\nz=1\r\n\r\n[B]\r\nk=b\r\n") << QByteArray("A") << QByteArray("k")
        << QByteArray("new") << QByteArray("; settings\r\n[A]\r\nk=new\r\nz=1\r\n\r\n[B]\r\nk=b\r\n");
    QTest::newRow("key spelled as in the file") << QByteArray("[a]\n  KEY = old \n") << QByteArray("A")
                                                << QByteArray("key") << QByteArray("v") << QByteArray("[a]\nKEY=v\n");
    QTest::newRow("first duplicate replaced")
        << QByteArray("[A]\r\nk=1\r\nk=2\r\n") << QByteArray("A") << QByteArray("k") << QByteArray("3")
        << QByteArray("[A]\r\nk=3\r\nk=2\r\n");
    QTest::newRow("new key at end of its section")
        << QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n") << QByteArray("a") << QByteArray("k") << QByteArray("v")
        << QByteArray("[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\ny=2\r\n");
    QTest::newRow("new key in empty last section without line break")
        << QByteArray("[B]\r\ny=2\r\n[A]") << QByteArray("A") << QByteArray("k") << QByteArray("v")
        << QByteArray("[B]\r\ny=2\r\n[A]\r\nk=v");
    QTest::newRow("new section appended with the file's line breaks")
        << QByteArray("[B]\ny=2") << QByteArray("A") << QByteArray("k") << QByteArray("v")
        << QByteArray("[B]\ny=2\n[A]\nk=v\n");
    QTest::newRow("no sections at all") << QByteArray("just some text") << QByteArray("A") << QByteArray("k")
                                        << QByteArray("v") << QByteArray("just some text\r\n[A]\r\nk=v\r\n");
    QTest::newRow("windows-1252 written")
        << QByteArray() << QByteArray("A") << QByteArray("k") << QByteArray("Citt\xC3\xA0 \xE2\x82\xAC")
        << QByteArray("[A]\r\nk=Citt\xE0 \x80\r\n");
    QTest::newRow("utf-8 file stays utf-8")
        << QByteArray("\xEF\xBB\xBF[A]\r\nk=x\r\n") << QByteArray("A") << QByteArray("k") << QByteArray("Citt\xC3\xA0")
        << QByteArray("\xEF\xBB\xBF[A]\r\nk=Citt\xC3\xA0\r\n");
    QTest::newRow("line breaks in a value") << QByteArray() << QByteArray("A") << QByteArray("k")
                                            << QByteArray("one\r\n[B]\nx=1") << QByteArray("[A]\r\nk=one  [B] x=1\r\n");
    QTest::newRow("blanks around names not written")
        << QByteArray() << QByteArray(" A ") << QByteArray("\tk ") << QByteArray("v") << QByteArray("[A]\r\nk=v\r\n");
    QTest::newRow("blanks around names find the entry")
        << QByteArray("[A]\r\nk=old\r\n") << QByteArray("A ") << QByteArray(" k") << QByteArray("new")
        << QByteArray("[A]\r\nk=new\r\n");
    QTest::newRow("line breaks in names")
        << QByteArray("[A B]\r\nk=old\r\n") << QByteArray("A\nB") << QByteArray("k\r\n") << QByteArray("new")
        << QByteArray("[A B]\r\nk=new\r\n");
    QTest::newRow("binary bytes elsewhere kept")
        << QByteArray("\x01\x02\xFF\r\n[A]\r\nk=\x7F\r\n") << QByteArray("A") << QByteArray("j") << QByteArray("v")
        << QByteArray("\x01\x02\xFF\r\n[A]\r\nk=\x7F\r\nj=v\r\n");
}

void TestIniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);
    QCOMPARE(qb(setIniValue(sv(before), sv(section), sv(key), sv(value))), after);
}

void TestIniFile::writeThenReadBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QStringLiteral("Rossi Autonoleggio S.r.l.");
    QTest::newRow("accents") << QStringLiteral("Forlì, Città di Castello");
    QTest::newRow("equals and brackets") << QStringLiteral("[x]=y; z");
    QTest::newRow("empty") << QString();
}

void TestIniFile::writeThenReadBack()
{
    QFETCH(QString, value);
    testing::TempDataFolder data;
    const std::filesystem::path file = data.path(QStringLiteral("x.ini"));
    std::filesystem::create_directories(file.parent_path());
    writeIniString(file, "S", "a", "first");
    writeIniString(file, "S", "k", value.toStdString());
    writeIniString(file, "T", "k", "other");
    QCOMPARE(qs(readIniString(file, "s", "K", "<missing>")), value);
    QCOMPARE(qs(readIniString(file, "S", "a")), QStringLiteral("first"));
    QCOMPARE(qs(readIniString(file, "T", "k")), QStringLiteral("other"));
}

void TestIniFile::fileIsCreatedByTheFirstWrite()
{
    testing::TempDataFolder data;
    const std::filesystem::path file = settingsFilePath();
    QVERIFY(!std::filesystem::exists(file));
    QCOMPARE(readCompanyLine(1), std::string());
    QVERIFY(!std::filesystem::exists(file)); // reading creates nothing
    writeCompanyLine(1, "  Rossi  ");
    QCOMPARE(testing::readFile(data.file(QStringLiteral("Drivora_Settings.ini"))),
             QByteArray("[Rental Company]\r\nLine 1=Rossi\r\n"));
}

void TestIniFile::missingFileReadsAsFallback()
{
    testing::TempDataFolder data;
    QCOMPARE(readIniString(data.path(QStringLiteral("none.ini")), "A", "k", "dflt"), std::string("dflt"));
    // A folder where the file should be reads as missing too.
    QDir().mkpath(data.file(QStringLiteral("dir.ini")));
    QCOMPARE(readIniString(data.path(QStringLiteral("dir.ini")), "A", "k"), std::string());
}

void TestIniFile::unwritableFileIsAnErrorNamingThePath()
{
    testing::TempDataFolder data;
    // The data folder cannot be created: a file stands where it should be.
    testing::writeFile(data.root() + QStringLiteral("/Drivora"), "not a folder");
    try {
        writeStartNumber("5");
        QFAIL("no error");
    } catch (const IniFileError &e) {
        QCOMPARE(QString::fromStdString(e.what()),
                 QStringLiteral("Unable to write to ") + data.root() + QStringLiteral("/Drivora/Drivora_Settings.ini"));
        QCOMPARE(e.file(), settingsFilePath());
    }
    QCOMPARE(testing::readFile(data.root() + QStringLiteral("/Drivora")), QByteArray("not a folder"));
}

void TestIniFile::unreadableFileIsNeverReplaced()
{
    testing::TempDataFolder data;
    const QString path = data.file(QStringLiteral("Drivora_Settings.ini"));
    QDir().mkpath(path + QStringLiteral("/inside"));
    QVERIFY_THROWS_EXCEPTION(IniFileError, writeCompanyLine(2, "x"));
    QVERIFY(QFileInfo::exists(path + QStringLiteral("/inside")));
}

void TestIniFile::writeLeavesNoTemporaryFiles()
{
    testing::TempDataFolder data;
    for (int line = 1; line <= 4; ++line)
        writeCompanyLine(line, "line " + std::to_string(line));
    writeStartNumber("7");
    // The lock file that keeps two running copies apart stays; it is empty.
    QCOMPARE(QDir(data.dataFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{QStringLiteral("Drivora_Settings.ini"), QStringLiteral("Drivora_Settings.ini.lock")}));
    QCOMPARE(QFileInfo(data.file(QStringLiteral("Drivora_Settings.ini.lock"))).size(), 0);
    QCOMPARE(testing::readFile(data.file(QStringLiteral("Drivora_Settings.ini"))),
             QByteArray("[Rental Company]\r\nLine 1=line 1\r\nLine 2=line 2\r\nLine 3=line 3\r\nLine 4=line 4\r\n"
                        "[Rental Agreements]\r\nStart Number=7\r\n"));
    // Writing the value it already holds changes nothing.
    const QDateTime before = QFileInfo(data.file(QStringLiteral("Drivora_Settings.ini"))).lastModified();
    writeStartNumber("7");
    QCOMPARE(QFileInfo(data.file(QStringLiteral("Drivora_Settings.ini"))).lastModified(), before);
}

void TestIniFile::oddContentNeverBreaksReadOrWrite()
{
    // Random files made of the pieces that trouble parsers, then one entry
    // written: every old line survives and the entry reads back.
    const QList<QByteArray> pieces = {"[",
                                      "]",
                                      "=",
                                      "\r",
                                      "\n",
                                      "\r\n",
                                      " ",
                                      "\t",
                                      ";",
                                      "\"",
                                      "'",
                                      QByteArray(1, '\0'),
                                      "\xEF\xBB\xBF",
                                      "\xFF\xFE",
                                      "\xE0",
                                      "[Rental Company]",
                                      "Line 1",
                                      "line 1",
                                      "[rental company]\r\n",
                                      QByteArray(3000, 'y'),
                                      "Line 1=a",
                                      "\xC3",
                                      "x",
                                      "[]",
                                      "=="};
    QRandomGenerator rng(20240101);
    for (int round = 0; round < 400; ++round) {
        QByteArray content;
        const int parts = int(rng.bounded(40));
        for (int k = 0; k < parts; ++k)
            content += pieces.at(rng.bounded(int(pieces.size())));
        (void)findIniValue(sv(content), "Rental Company", "Line 1");
        const std::string written = setIniValue(sv(content), "Rental Company", "Line 1", "Rossi");
        QCOMPARE(findIniValue(written, "Rental Company", "Line 1"), std::string("Rossi"));
        const std::string again = setIniValue(written, "Rental Company", "Line 2", "Via Po");
        QCOMPARE(findIniValue(again, "Rental Company", "Line 1"), std::string("Rossi"));
        QCOMPARE(findIniValue(again, "Rental Company", "Line 2"), std::string("Via Po"));
        // A new key is only inserted: every old byte is still there, in order.
        const std::string added = setIniValue(sv(content), "Rental Company", "Zzz", "1");
        const std::string_view before = sv(content);
        std::size_t prefix = 0;
        while (prefix < before.size() && prefix < added.size() && before[prefix] == added[prefix])
            ++prefix;
        std::size_t suffix = 0;
        while (suffix < before.size() - prefix && suffix < added.size() - prefix
               && before[before.size() - 1 - suffix] == added[added.size() - 1 - suffix])
            ++suffix;
        QVERIFY(added.size() > before.size());
        QCOMPARE(prefix + suffix, before.size());
    }
}

void TestIniFile::headerLinesAndStartNumber()
{
    testing::TempDataFolder data;
    testing::writeFile(data.file(QStringLiteral("Drivora_Settings.ini")),
                       "[Rental Agreements]\nStart Number= 12.5 \n[RENTAL COMPANY]\nline 3=Tel. 0541 \xB7 1\n");
    QCOMPARE(readStartNumber(), std::string("12.5"));
    QCOMPARE(qs(readCompanyLine(3)), QStringLiteral("Tel. 0541 · 1"));
    QCOMPARE(readCompanyLine(1), std::string());
    writeCompanyLine(3, "Tel. 0541 \xC2\xB7 2");
    writeCompanyLine(1, "");
    writeStartNumber("13");
    QCOMPARE(testing::readFile(data.file(QStringLiteral("Drivora_Settings.ini"))),
             QByteArray("[Rental Agreements]\nStart Number=13\n[RENTAL COMPANY]\nline 3=Tel. 0541 \xB7 2\nLine 1=\n"));
}

void TestIniFile::normaliseStartNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("leading zeros") << "0042"
                                   << "42";
    QTest::newRow("007") << "007"
                         << "7";
    QTest::newRow("empty") << ""
                           << "1";
    QTest::newRow("blanks") << "   "
                            << "1";
    QTest::newRow("not a number") << "abc"
                                  << "1";
    QTest::newRow("trailing letters") << "12a"
                                      << "1";
    QTest::newRow("comma is no decimal point") << "2,5"
                                               << "1";
    QTest::newRow("half rounds up") << "2.5"
                                    << "3";
    QTest::newRow("below half") << "2.49"
                                << "2";
    QTest::newRow("fraction only") << ".5"
                                   << "1";
    QTest::newRow("point at the end") << "5."
                                      << "5";
    QTest::newRow("exponent") << "1e3"
                              << "1000";
    QTest::newRow("blanks around") << " 500 "
                                   << "500";
    QTest::newRow("negative half rounds up") << "-2.5"
                                             << "-2";
    QTest::newRow("zero") << "0"
                          << "0";
    QTest::newRow("largest typed") << "99999"
                                   << "99999";
    QTest::newRow("too large") << "9e99"
                               << "1";
    QTest::newRow("infinity") << "inf"
                              << "1";
    QTest::newRow("lone sign") << "-"
                               << "1";
    QTest::newRow("lone point") << "."
                                << "1";
}

void TestIniFile::normaliseStartNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(qs(records::normaliseStartNumber(text.toStdString())), expected);
}

void TestIniFile::proposedNumber_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing start, empty year") << "" << 0 << "1";
    QTest::newRow("missing start, one saved") << "" << 1 << "2";
    QTest::newRow("start 100, three saved") << "100" << 3 << "103";
    QTest::newRow("start 500 new year") << "500" << 0 << "500";
    QTest::newRow("leading zeros") << "0042" << 0 << "42";
    QTest::newRow("not whole") << "12.5" << 0 << "<error>";
    QTest::newRow("not a number") << "abc" << 0 << "<error>";
    QTest::newRow("sum does not fit") << "9223372036854775807" << 1 << "<error>";
    QTest::newRow("too long") << "99999999999999999999" << 0 << "<error>";
}

void TestIniFile::proposedNumber()
{
    QFETCH(QString, start);
    QFETCH(int, count);
    QFETCH(QString, expected);
    const auto proposed = proposedAgreementNumber(start.toStdString(), std::size_t(count));
    QCOMPARE(proposed ? qs(*proposed) : QStringLiteral("<error>"), expected);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
