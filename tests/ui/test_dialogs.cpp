#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/dialogs/tmisc.h"

#include <QDialog>
#include <QTest>

using namespace ui;

class TestDialogs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordsMessagesAndAnswers();
    void modalWindowsNeverBlock();
    void shellOpenGoesThroughTheInterface();
    void shellTargets_data();
    void shellTargets();
    void windowsFiltersBecomeQtFilters_data();
    void windowsFiltersBecomeQtFilters();
};

void TestDialogs::recordsMessagesAndAnswers()
{
    ScriptedDialogs dialogs;
    QCOMPARE(&Dialogs::instance(), &dialogs);
    warning(nullptr, QStringLiteral("w"));
    error(nullptr, QStringLiteral("e"));
    information(nullptr, QStringLiteral("i"));
    notice(nullptr, QStringLiteral("n"));
    dialogs.answers.enqueue(Answer::No);
    QVERIFY(!confirm(nullptr, QStringLiteral("q?")));
    QVERIFY(confirm(nullptr, QStringLiteral("q2?")));
    QCOMPARE(dialogs.messages.size(), 6);
    QCOMPARE(dialogs.messages[0].kind, MessageKind::Warning);
    QCOMPARE(dialogs.messages[0].buttons, Buttons::OkCancel);
    QCOMPARE(dialogs.messages[1].kind, MessageKind::Error);
    QCOMPARE(dialogs.messages[2].kind, MessageKind::Information);
    QCOMPARE(dialogs.messages[3].buttons, Buttons::Ok);
    QCOMPARE(dialogs.messages[4].buttons, Buttons::YesNo);
    QCOMPARE(dialogs.lastText(), QStringLiteral("q2?"));
}

void TestDialogs::modalWindowsNeverBlock()
{
    ScriptedDialogs dialogs;
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("TfrmTest"));
    bool sawVisible = false;
    dialogs.modalHandlers.enqueue([&sawVisible](QDialog *d) {
        sawVisible = d->isVisible();
        return 7;
    });
    QCOMPARE(Dialogs::instance().execModal(&dialog), 7);
    QVERIFY(sawVisible);
    QCOMPARE(Dialogs::instance().execModal(&dialog), 0);
    QCOMPARE(dialogs.modalShown, QStringList({QStringLiteral("TfrmTest"), QStringLiteral("TfrmTest")}));
}

void TestDialogs::shellOpenGoesThroughTheInterface()
{
    ScriptedDialogs dialogs;
    TMisc::Open(QStringLiteral("\"mailto:a@b.it\""));
    QCOMPARE(dialogs.opened, QStringList(QStringLiteral("\"mailto:a@b.it\"")));
}

void TestDialogs::shellTargets_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("url");
    QTest::newRow("mail") << "\"mailto:a@b.it\""
                          << "mailto:a@b.it";
    QTest::newRow("mail with <") << "\"mailto:a<b@x.com\""
                                 << "mailto:a%3Cb@x.com";
    QTest::newRow("mail with a blank at the end") << "\"mailto:a@x.com \""
                                                  << "mailto:a@x.com";
    QTest::newRow("mail with blanks inside") << "mailto:a b@x.com"
                                             << "mailto:a%20b@x.com";
    QTest::newRow("mail in capitals") << "MAILTO:a@x.com"
                                      << "mailto:a@x.com";
    QTest::newRow("web") << "\"https://www.example.com/a?b=1\""
                         << "https://www.example.com/a?b=1";
    QTest::newRow("file") << "\"/tmp/Guida.pdf\""
                          << "file:///tmp/Guida.pdf";
    QTest::newRow("empty") << "\"\""
                           << "";
}

void TestDialogs::shellTargets()
{
    QFETCH(QString, command);
    QFETCH(QString, url);
    QCOMPARE(QString::fromLatin1(shellTarget(command).toEncoded()), url);
}

void TestDialogs::windowsFiltersBecomeQtFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("semicolons") << "JPEG (*.jpg; *.jpeg);;Bitmap (*.bmp)"
                                << "JPEG (*.jpg *.jpeg);;Bitmap (*.bmp)";
    QTest::newRow("no blank") << "Pictures (*.jpg;*.png)"
                              << "Pictures (*.jpg *.png)";
    QTest::newRow("already Qt") << "File Jpeg (*.jpg)"
                                << "File Jpeg (*.jpg)";
    QTest::newRow("no patterns") << "All files"
                                 << "All files";
}

void TestDialogs::windowsFiltersBecomeQtFilters()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(qtFileFilter(filter), expected);
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
