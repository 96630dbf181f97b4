#include "app/startup.h"
#include "clients/clienteditor.h"
#include "support/editorcases.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
// What only the client editor does; the behaviour it shares with the other
// editors is tested in tests/ui/test_editors.cpp.
class TestClientEditor final : public QObject, private testing::EditorControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void emailButtonOpensAMailLink();
    void issuesIconExplainsAndFocuses();
};

void TestClientEditor::initTestCase() { app::prepareApplication(*qApp); }

void TestClientEditor::init() { QVERIFY(openEditor(testing::clientCase())); }

void TestClientEditor::cleanup() { closeEditor(); }

void TestClientEditor::emailButtonOpensAMailLink()
{
    edit(QStringLiteral("txtEmail"))->setText(QStringLiteral(" anna@mail.it "));
    click(QStringLiteral("btnEmail"));
    edit(QStringLiteral("txtEmail"))->clear();
    click(QStringLiteral("btnEmail"));
    QCOMPARE(dialogs().opened, QStringList({QStringLiteral("\"mailto:anna@mail.it\""), QStringLiteral("\"mailto:\"")}));
    QVERIFY(dialogs().messages.isEmpty());
}

void TestClientEditor::issuesIconExplainsAndFocuses()
{
    click(QStringLiteral("icoIssues"));
    QCOMPARE(dialogs().messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(dialogs().lastText(),
             QStringLiteral("Describe any pending issues you have with your client in this text box.\n\r\n\r"
                            "If you don't have any pending issues, just leave this text box empty.\n\r\n\r"
                            "Click on the button with the yellow triangle icon to get the list of pending issues "
                            "you have with all of your clients."));
    QVERIFY(edit(QStringLiteral("txtIssues"))->hasFocus());
}

QTEST_MAIN(TestClientEditor)
#include "test_clienteditor.moc"
