#include "app/startup.h"
#include "durabilitysupport.h"
#include "records/osfile.h"
#include "support/editorcases.h"
#include "support/testsupport.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/qtext.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

// File failures as the user meets them in the windows: the editor reports a
// save that did not land and saves once on the retry; the agreement editor
// reports settings it could not write and keeps the old ones.

namespace {

using records::faults::Op;

const QString kSaved = QStringLiteral("Record saved successfully.");
const QString kChangesSaved = QStringLiteral("Changes to record saved successfully.");

} // namespace

class TestEditorFaults final : public QObject, private testing::EditorControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void failedSaveIsReportedAndTheRetrySavesOnce_data();
    void failedSaveIsReportedAndTheRetrySavesOnce();
    void failedSettingsWriteIsReportedOnClosing_data();
    void failedSettingsWriteIsReportedOnClosing();
    void unreadableSettingsShowEmptyHeaderLines();
};

void TestEditorFaults::initTestCase() { app::prepareApplication(*qApp); }

void TestEditorFaults::cleanup()
{
    records::faults::clear();
    closeEditor();
}

void TestEditorFaults::failedSaveIsReportedAndTheRetrySavesOnce_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<int>("nth"); // which flush fails
    // A first save makes the journal and flushes its folder before the
    // journal itself, the record and the emptied journal; a later one
    // flushes only those three.
    QTest::newRow("new record: journal's folder") << false << 1;
    QTest::newRow("new record: journal") << false << 2;
    QTest::newRow("new record: record") << false << 3;
    QTest::newRow("new record: emptied journal") << false << 4;
    QTest::newRow("changes: journal") << true << 1;
    QTest::newRow("changes: record") << true << 2;
    QTest::newRow("changes: emptied journal") << true << 3;
}

void TestEditorFaults::failedSaveIsReportedAndTheRetrySavesOnce()
{
    QFETCH(bool, overwrite);
    QFETCH(int, nth);
    const testing::EditorCase &c = testing::clientCase();
    QVERIFY(openEditor(c));
    QLineEdit *name = edit(QStringLiteral("txtName"));
    name->setText(QStringLiteral("Anna Rossi"));
    if (overwrite) {
        click(c.buttons.save);
        QCOMPARE(dialogs().lastText(), kSaved);
        name->setText(QStringLiteral("Anna Bianchi"));
    }
    const QString shownPosition = position();
    const QByteArray before = testing::readFile(session().recordFile());
    dialogs().clear();

    records::faults::failNth(Op::Sync, nth);
    click(c.buttons.save);
    QVERIFY(durability::faultFired(Op::Sync, nth));
    records::faults::clear();
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Error);
    QCOMPARE(dialogs().lastText(), testing::kCannotOpen);
    QCOMPARE(position(), shownPosition);
    QCOMPARE(testing::readFile(session().recordFile()), before);

    dialogs().clear();
    click(c.buttons.save);
    QCOMPARE(dialogs().lastText(), overwrite ? kChangesSaved : kSaved);
    QCOMPARE(position(), QStringLiteral("1"));
    const QByteArray after = testing::readFile(session().recordFile());
    QCOMPARE(after.size(), qsizetype(c.recordBytes)); // once, not twice
    QCOMPARE(testing::fieldBytes(*c.layout, after, "Name"), name->text().toLatin1());
}

void TestEditorFaults::failedSettingsWriteIsReportedOnClosing_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("nth");
    // The update locks, reads the settings, writes a temporary file, flushes
    // it and renames it over them.
    QTest::newRow("lock file not opened") << int(Op::Open) << 1;
    QTest::newRow("settings not read") << int(Op::Read) << 1;
    QTest::newRow("temporary file not written") << int(Op::Write) << 1;
    QTest::newRow("temporary file not flushed") << int(Op::Sync) << 1;
    QTest::newRow("not renamed") << int(Op::Rename) << 1;
}

void TestEditorFaults::failedSettingsWriteIsReportedOnClosing()
{
    QFETCH(int, op);
    QFETCH(int, nth);
    QVERIFY(openEditor(testing::agreementCase()));
    const QByteArray before = testing::readFile(session().settingsFile());
    QVERIFY(!before.isEmpty());
    edit(QStringLiteral("txtCompany01"))->setText(QStringLiteral("Bianchi Rent"));
    dialogs().clear();

    records::faults::failNth(Op(op), nth);
    window()->close();
    QVERIFY(durability::faultFired(Op(op), nth));
    records::faults::clear();
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Error);
    QCOMPARE(dialogs().lastText(),
             QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(session().settingsFile()));
    QVERIFY(!window()->isVisible());
    QCOMPARE(testing::readFile(session().settingsFile()), before);
    QCOMPARE(durability::temporaryFiles(ui::fromQtPath(session().data().dataFolder())), QStringList());
}

void TestEditorFaults::unreadableSettingsShowEmptyHeaderLines()
{
    // Reading the settings once aborted the program on a read error; now an
    // unreadable file reads as one without entries.
    QVERIFY(openEditor(testing::agreementCase()));
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("Rossi Rent"));
    window()->hide();
    dialogs().clear();
    records::faults::failAlways(Op::Read);
    window()->show();
    records::faults::clear();
    for (const char *line : {"txtCompany01", "txtCompany02", "txtCompany04"})
        QCOMPARE(edit(QString::fromLatin1(line))->text(), QString());
    QVERIFY(dialogs().messages.isEmpty());
}

QTEST_MAIN(TestEditorFaults)
#include "test_editorfaults.moc"
