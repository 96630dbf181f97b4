#include "ui/qtext.h"

#include <QTest>

// The crossings between the record core, the file system and the windows.
class TestQText final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pathsSurviveTheRoundTrip_data();
    void pathsSurviveTheRoundTrip();
    void trimmingTakesOnlyControlCharacters_data();
    void trimmingTakesOnlyControlCharacters();
};

void TestQText::pathsSurviveTheRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ascii") << QByteArray("/data/Drivora/2026.rnt") << QStringLiteral("/data/Drivora/2026.rnt");
    QTest::newRow("utf-8") << QByteArray("/data/caf\xC3\xA9/\xE2\x82\xAC") << QStringLiteral("/data/caf\u00E9/\u20AC");
    QTest::newRow("four bytes") << QByteArray("/a/\xF0\x9F\x9A\x97") << QString::fromUtf8("/a/\xF0\x9F\x9A\x97");
#ifndef Q_OS_WIN
    QTest::newRow("latin-1 byte") << QByteArray("/data/caf\xE9") << QStringLiteral("/data/caf") + QChar(0xDCE9);
    QTest::newRow("lone continuation") << QByteArray("/x\x80y") << QStringLiteral("/x") + QChar(0xDC80) + u'y';
    QTest::newRow("overlong slash") << QByteArray("/x\xC0\xAF") << QStringLiteral("/x") + QChar(0xDCC0) + QChar(0xDCAF);
    QTest::newRow("encoded surrogate") << QByteArray("/\xED\xA0\x80")
                                       << QStringLiteral("/") + QChar(0xDCED) + QChar(0xDCA0) + QChar(0xDC80);
    QTest::newRow("cut sequence at the end")
        << QByteArray("/x\xE2\x82") << QStringLiteral("/x") + QChar(0xDCE2) + QChar(0xDC82);
    QTest::newRow("bytes FF FE") << QByteArray("/\xFF\xFE") << QStringLiteral("/") + QChar(0xDCFF) + QChar(0xDCFE);
#endif
}

void TestQText::pathsSurviveTheRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
#ifdef Q_OS_WIN
    const std::filesystem::path path(QString::fromUtf8(bytes).toStdWString());
    QCOMPARE(ui::toQtPath(path), QString(shown).replace(QLatin1Char('/'), QLatin1Char('\\')));
#else
    const std::filesystem::path path(bytes.toStdString());
    QCOMPARE(ui::toQtPath(path), shown);
#endif
    QCOMPARE(ui::fromQtPath(ui::toQtPath(path)), path);
}

void TestQText::trimmingTakesOnlyControlCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks") << QStringLiteral("  Rossi  ") << QStringLiteral("Rossi");
    QTest::newRow("controls") << QStringLiteral("\t\r\n\x01Rossi\x1F ") << QStringLiteral("Rossi");
    QTest::newRow("inside kept") << QStringLiteral(" a  b ") << QStringLiteral("a  b");
    QTest::newRow("non-breaking spaces kept") << QStringLiteral("\u00A0\u00A0") << QStringLiteral("\u00A0\u00A0");
    QTest::newRow("ideographic space kept") << QStringLiteral(" \u3000x") << QStringLiteral("\u3000x");
    QTest::newRow("only blanks") << QStringLiteral(" \t ") << QString();
}

void TestQText::trimmingTakesOnlyControlCharacters()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(ui::trimControl(text), trimmed);
}

QTEST_APPLESS_MAIN(TestQText)
#include "test_qtext.moc"
