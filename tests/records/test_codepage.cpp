#include "records/codepage.h"
#include "records/textutil.h"

#include <QTest>

using namespace records;

class TestCodePage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encode_data();
    void encode();
    void everyByteRoundTrips();
    void decodeHighBytes();
    void trimAndFold_data();
    void trimAndFold();
    void containsFolded_data();
    void containsFolded();
};

void TestCodePage::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Hello 123") << QByteArray("Hello 123");
    QTest::newRow("latin-1 letters") << QStringLiteral("Città né") << QByteArray("Citt\xE0 n\xE9");
    QTest::newRow("euro and quotes") << QStringLiteral("€ “x” – …") << QByteArray("\x80 \x93x\x94 \x96 \x85");
    QTest::newRow("latin extended best fit") << QStringLiteral("āČőŁżŠ") << QByteArray("aCoLz\x8A");
    QTest::newRow("cyrillic substitute") << QStringLiteral("Жук") << QByteArray("???");
    QTest::newRow("chinese substitute") << QStringLiteral("车") << QByteArray("?");
    QTest::newRow("emoji is one substitute") << QString::fromUtf8("a\xF0\x9F\x9A\x97"
                                                                  "b")
                                             << QByteArray("a?b");
    QTest::newRow("decomposed accent") << QString::fromUtf8("e\xCC\x81") << QByteArray("e");
    QTest::newRow("fullwidth") << QStringLiteral("ＡＢ１") << QByteArray("AB1");
}

void TestCodePage::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const std::string out = toCp1252(text.toStdString());
    QCOMPARE(QByteArray(out.data(), static_cast<qsizetype>(out.size())), bytes);
}

void TestCodePage::everyByteRoundTrips()
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    QCOMPARE(toCp1252(fromCp1252(all)), all);
}

void TestCodePage::decodeHighBytes()
{
    QCOMPARE(QString::fromStdString(fromCp1252("\x80\x8A\x9F\xE8")), QStringLiteral("€ŠŸè"));
    QCOMPARE(cp1252ToUnicode(0x81), char32_t(0x81));
}

void TestCodePage::trimAndFold_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("trimmed");
    QTest::newRow("blanks") << QByteArray("  Rossi  ") << QByteArray("Rossi");
    QTest::newRow("controls") << QByteArray("\t\r\nRossi\x01\x1F") << QByteArray("Rossi");
    QTest::newRow("inner kept") << QByteArray(" a  b ") << QByteArray("a  b");
    QTest::newRow("all blank") << QByteArray(" \t ") << QByteArray();
    QTest::newRow("utf8 kept") << QByteArray(" \xC3\xA0 ") << QByteArray("\xC3\xA0");
}

void TestCodePage::trimAndFold()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, trimmed);
    const std::string out = trimmedCopy(input.toStdString());
    QCOMPARE(QByteArray::fromStdString(out), trimmed);
}

void TestCodePage::containsFolded_data()
{
    QTest::addColumn<QString>("haystack");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("found");
    QTest::newRow("empty needle") << QStringLiteral("abc") << QString() << true;
    QTest::newRow("case folded") << QStringLiteral("Mario ROSSI") << QStringLiteral("rossi") << true;
    QTest::newRow("middle") << QStringLiteral("Via Roma 12") << QStringLiteral("roma 1") << true;
    QTest::newRow("absent") << QStringLiteral("Via Roma") << QStringLiteral("milano") << false;
    QTest::newRow("only A-Z fold") << QStringLiteral("CITTÀ") << QStringLiteral("città") << false;
    QTest::newRow("longer needle") << QStringLiteral("ab") << QStringLiteral("abc") << false;
}

void TestCodePage::containsFolded()
{
    QFETCH(QString, haystack);
    QFETCH(QString, needle);
    QFETCH(bool, found);
    QCOMPARE(records::containsFolded(haystack.toStdString(), needle.toStdString()), found);
}

QTEST_APPLESS_MAIN(TestCodePage)
#include "test_codepage.moc"
