#include "records/codepage.h"
#include "records/password.h"

#include <QTest>

using namespace records;

class TestPassword final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scrambleKnownValues_data();
    void scrambleKnownValues();
    void roundTrip_data();
    void roundTrip();
    void unscrambleReadsWhatOthersWrote_data();
    void unscrambleReadsWhatOthersWrote();
    void storedForm_data();
    void storedForm();
};

void TestPassword::scrambleKnownValues_data()
{
    // Worked out by hand from the start key, the multiplier and the addend.
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("hex");
    QTest::newRow("one letter") << QStringLiteral("A") << QStringLiteral("67");
    QTest::newRow("the state moves with the scrambled byte") << QStringLiteral("AB") << QStringLiteral("6790");
    QTest::newRow("a word") << QStringLiteral("CARVELLO2026") << QStringLiteral("65D6E004D3D0F67D43AD3013");
    QTest::newRow("code page letters") << QStringLiteral("Caff\u00E8 \u20AC") << QStringLiteral("65F60DFDF53D09");
    QTest::newRow("empty") << QString() << QString();
}

void TestPassword::scrambleKnownValues()
{
    QFETCH(QString, plain);
    QFETCH(QString, hex);
    QCOMPARE(QString::fromStdString(scramble(plain.toStdString())), hex);
}

void TestPassword::roundTrip_data()
{
    QTest::addColumn<QString>("plain");
    QTest::newRow("ascii") << QStringLiteral("PASSWORD");
    QTest::newRow("accents and euro") << QStringLiteral("\u00C9T\u00C9 \u20AC 100");
    QTest::newRow("control characters") << QString::fromLatin1("\x01\x1F\x7F", 3);
    QTest::newRow("every character of the code page") << [] {
        std::string bytes;
        for (int c = 1; c < 256; ++c)
            bytes += static_cast<char>(c);
        return QString::fromStdString(fromCp1252(bytes));
    }();
    QTest::newRow("300 characters") << QString(300, QLatin1Char('x')) + QStringLiteral("\u00E8");
}

void TestPassword::roundTrip()
{
    QFETCH(QString, plain);
    const std::string hex = scramble(plain.toStdString());
    QCOMPARE(hex.size(), static_cast<std::size_t>(plain.size()) * 2); // one code-page byte a character
    const auto back = unscramble(hex);
    QVERIFY(back);
    QCOMPARE(QString::fromStdString(*back), plain);
}

void TestPassword::unscrambleReadsWhatOthersWrote_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("plain");
    QTest::newRow("upper-case digits") << QStringLiteral("6790") << true << QStringLiteral("AB");
    QTest::newRow("lower-case digits") << QStringLiteral("6790").toLower() << true << QStringLiteral("AB");
    QTest::newRow("a trailing single digit is ignored") << QStringLiteral("67907") << true << QStringLiteral("AB");
    QTest::newRow("one digit alone") << QStringLiteral("6") << true << QString();
    QTest::newRow("not hexadecimal") << QStringLiteral("67G0") << false << QString();
    QTest::newRow("blank inside") << QStringLiteral("67 0") << false << QString();
    QTest::newRow("empty") << QString() << true << QString();
}

void TestPassword::unscrambleReadsWhatOthersWrote()
{
    QFETCH(QString, hex);
    QFETCH(bool, readable);
    QFETCH(QString, plain);
    const auto back = unscramble(hex.toStdString());
    QCOMPARE(back.has_value(), readable);
    if (readable)
        QCOMPARE(QString::fromStdString(*back), plain);
}

void TestPassword::storedForm_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("ascii folded up") << QStringLiteral("carVello") << QStringLiteral("CARVELLO");
    QTest::newRow("blanks trimmed") << QStringLiteral("  carvello\t") << QStringLiteral("CARVELLO");
    QTest::newRow("accent keeps its case") << QStringLiteral("caff\u00E8") << QStringLiteral("CAFF\u00E8");
    QTest::newRow("non-breaking space kept") << QStringLiteral("\u00A0a") << QStringLiteral("\u00A0A");
}

void TestPassword::storedForm()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(QString::fromStdString(storedPasswordForm(typed.toStdString())), stored);
}

QTEST_APPLESS_MAIN(TestPassword)
#include "test_password.moc"
