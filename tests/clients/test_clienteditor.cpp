#include "app/startup.h"
#include "clients/clienteditor.h"
#include "clients/clientfields.h"
#include "records/layout.h"
#include "support/testsupport.h"
#include "support/windowcontrols.h"
#include "ui/dialogs/dialogs.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/picturebutton.h"
#include "ui/dialogs/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using clients::TfrmClients;

namespace {

const QString kCannotOpen = QStringLiteral(
    "Unable to open the database.\n\r\n\rMake sure you have administration privileges for the app installation folder.");

// The 26 visible fields in Enter-chain order.
const QStringList kChain = {
    QStringLiteral("txtName"), QStringLiteral("txtGender"), QStringLiteral("txtBirthDate"),
    QStringLiteral("txtBirthPlace"), QStringLiteral("txtStreet"), QStringLiteral("txtCity"),
    QStringLiteral("txtState"), QStringLiteral("txtZip"), QStringLiteral("txtCitizenship"),
    QStringLiteral("txtTaxNumber"), QStringLiteral("txtSSN"), QStringLiteral("txtEmail"),
    QStringLiteral("txtHomePhone"), QStringLiteral("txtMobilePhone"), QStringLiteral("txtCommunication"),
    QStringLiteral("txtWork"), QStringLiteral("txtLicense"), QStringLiteral("txtIssDate"),
    QStringLiteral("txtExpDate"), QStringLiteral("txtAuthority"), QStringLiteral("txtIssues"),
    QStringLiteral("txtVehicles"), QStringLiteral("txtMethod"), QStringLiteral("txtBank"),
    QStringLiteral("txtStatus"), QStringLiteral("txtNotes"),
};

const QStringList kHidden = {QStringLiteral("lblFile01"), QStringLiteral("lblFile02"), QStringLiteral("lblFile03"),
                             QStringLiteral("lblDesc01"), QStringLiteral("lblDesc02"), QStringLiteral("lblDesc03")};

} // namespace

class TestClientEditor final : public QObject, private testing::WindowControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void opensEmptyInNewRecordState();
    void fieldsHaveTheRecordCapacities();
    void saveRequiresAName_data();
    void saveRequiresAName();
    void saveWritesTheExactBytesThenOverwrites();
    void browsesAFileWrittenElsewhere();
    void browsingAnEmptyDatabase();
    void previousFromNewRecordShowsTheFirst();
    void duplicateOfANewRecordIsRefused();
    void duplicateDropsAttachmentsAndAppends();
    void unwritableDatabaseKeepsTheScreen();
    void textOutsideTheCodePageComesBackSubstituted();
    void enterChainFollowsTheFieldOrder();
    void typingFilters();
    void languageToggleChangesOnlyTitles();
    void reopeningStartsEmptyAndKeepsLanguage();
    void emailButtonOpensAMailLink();
    void issuesIconExplainsAndFocuses();
    void hints_data();
    void hints();

private:
    QString dbFile() const { return m_data->file(QStringLiteral("Clients.Pro")); }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    TfrmClients *m_editor = nullptr;
};

void TestClientEditor::initTestCase() { app::prepareApplication(*qApp); }

void TestClientEditor::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    m_editor = new TfrmClients;
    setWindow(m_editor);
    QVERIFY(testing::showAndActivate(m_editor));
}

void TestClientEditor::cleanup()
{
    delete m_editor;
    delete m_dialogs;
    delete m_data;
}

void TestClientEditor::opensEmptyInNewRecordState()
{
    QCOMPARE(m_editor->windowTitle(), QStringLiteral(" Carvello - Client Database"));
    QCOMPARE(position(), QString());
    for (const QString &name : kChain)
        QCOMPARE(edit(name)->text(), QString());
    for (const QString &name : kHidden) {
        QVERIFY(label(name));
        QVERIFY(!label(name)->isVisible());
    }
    QVERIFY(edit(QStringLiteral("txtName"))->hasFocus());
    TfrmClients fresh;
    QCOMPARE(fresh.findChild<QLabel *>(QStringLiteral("panInfo"))->text(), QStringLiteral("Ready to enter new record..."));
    QVERIFY(!QFile::exists(dbFile())); // showing touches no file
}

void TestClientEditor::fieldsHaveTheRecordCapacities()
{
    const records::Layout &layout = records::clientLayout();
    for (const QString &name : kChain) {
        const auto index = layout.indexOf(name.mid(3).toStdString());
        QVERIFY(index);
        QCOMPARE(edit(name)->maxLength(), layout.field(*index).capacity);
        QVERIFY(!edit(name)->accessibleName().isEmpty());
    }
    QCOMPARE(edit(QStringLiteral("txtGender"))->maxLength(), 1);
    QCOMPARE(edit(QStringLiteral("txtNotes"))->maxLength(), 250);
}

void TestClientEditor::saveRequiresAName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("only blanks") << QStringLiteral("    ");
}

void TestClientEditor::saveRequiresAName()
{
    QFETCH(QString, name);
    edit(QStringLiteral("txtName"))->setText(name);
    edit(QStringLiteral("txtCity"))->setText(QStringLiteral("Rimini"));
    edit(QStringLiteral("txtCity"))->setFocus();
    click(QStringLiteral("cmdSave"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Enter the client's name to save the record."));
    QVERIFY(edit(QStringLiteral("txtName"))->hasFocus());
    QVERIFY(!QFile::exists(dbFile()));
    QCOMPARE(position(), QString());
}

void TestClientEditor::saveWritesTheExactBytesThenOverwrites()
{
    std::map<std::string, QByteArray> expected;
    int k = 0;
    for (const QString &name : kChain) {
        const QByteArray value = name == QLatin1String("txtGender") ? QByteArray("F")
                                                                   : QByteArray("v") + QByteArray::number(++k);
        const QString padding = name == QLatin1String("txtGender") ? QString() : QStringLiteral("  ");
        edit(name)->setText(padding + QString::fromLatin1(value) + padding);
        expected[name.mid(3).toStdString()] = value;
    }
    label(QStringLiteral("lblFile01"))->setText(QStringLiteral("contract.pdf"));
    expected["File01"] = "contract.pdf";
    click(QStringLiteral("cmdSave"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(position(), QStringLiteral("1"));
    QByteArray bytes = testing::readFile(dbFile());
    QCOMPARE(bytes.size(), 4603);
    for (const records::FieldDef &f : records::clientLayout().fields()) {
        const std::string n(f.name);
        QCOMPARE(testing::fieldBytes(records::clientLayout(), bytes, n), expected.count(n) ? expected[n] : QByteArray());
    }
    // The screen is not changed by saving.
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("  v1  "));

    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Renamed"));
    click(QStringLiteral("cmdSave"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Changes to record saved successfully."));
    QCOMPARE(position(), QStringLiteral("1"));
    bytes = testing::readFile(dbFile());
    QCOMPARE(bytes.size(), 4603);
    QCOMPARE(testing::fieldBytes(records::clientLayout(), bytes, "Name"), QByteArray("Renamed"));
}

void TestClientEditor::browsesAFileWrittenElsewhere()
{
    const records::Layout &layout = records::clientLayout();
    QByteArray first = testing::encodeRecord(layout, {{"Name", "Anna Bianchi"}, {"City", "Forl\xEC"}, {"Gender", "f"},
                                                      {"File02", "a.pdf"}, {"Desc02", "licence"}}, 'x');
    QByteArray second = testing::encodeRecord(layout, {{"Name", ""}, {"Street", "  Via Po 1  "}}, ' ');
    QByteArray third = testing::encodeRecord(layout, {{"Name", "Carlo"}, {"Notes", "last"}});
    third[251] = char(200); // Gender length byte damaged: read as capacity 1
    third[252] = 'M';
    testing::writeFile(dbFile(), first + second + third + QByteArray(99, 'z'));

    click(QStringLiteral("cmdFirst"));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("Anna Bianchi"));
    QCOMPARE(edit(QStringLiteral("txtCity"))->text(), QStringLiteral("Forlì"));
    QCOMPARE(edit(QStringLiteral("txtGender"))->text(), QStringLiteral("f")); // shown as stored
    QCOMPARE(label(QStringLiteral("lblFile02"))->text(), QStringLiteral("a.pdf"));
    QCOMPARE(label(QStringLiteral("lblDesc02"))->text(), QStringLiteral("licence"));

    click(QStringLiteral("cmdNext"));
    QCOMPARE(position(), QStringLiteral("2"));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtStreet"))->text(), QStringLiteral("Via Po 1"));
    QCOMPARE(label(QStringLiteral("lblFile02"))->text(), QString());

    click(QStringLiteral("cmdLast"));
    QCOMPARE(position(), QStringLiteral("3")); // the trailing 99 bytes are not a record
    QCOMPARE(edit(QStringLiteral("txtNotes"))->text(), QStringLiteral("last"));
    QCOMPARE(edit(QStringLiteral("txtGender"))->text(), QStringLiteral("M"));

    const int before = int(m_dialogs->messages.size());
    click(QStringLiteral("cmdNext"));
    QCOMPARE(position(), QStringLiteral("3"));
    click(QStringLiteral("cmdPrevious"));
    click(QStringLiteral("cmdPrevious"));
    QCOMPARE(position(), QStringLiteral("1"));
    click(QStringLiteral("cmdPrevious"));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(int(m_dialogs->messages.size()), before); // no message at either end
}

void TestClientEditor::browsingAnEmptyDatabase()
{
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
    click(QStringLiteral("cmdNext"));
    QVERIFY(QFile::exists(dbFile()));
    QCOMPARE(QFileInfo(dbFile()).size(), 0);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("The database contains no record."));
    QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(position(), QString());
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("typed"));
    for (const char *b : {"cmdFirst", "cmdLast", "cmdPrevious"}) {
        m_dialogs->clear();
        click(QString::fromLatin1(b));
        QCOMPARE(m_dialogs->lastText(), QStringLiteral("The database contains no record."));
    }
}

void TestClientEditor::previousFromNewRecordShowsTheFirst()
{
    testing::writeFile(dbFile(), testing::encodeRecord(records::clientLayout(), {{"Name", "One"}})
                                     + testing::encodeRecord(records::clientLayout(), {{"Name", "Two"}}));
    click(QStringLiteral("cmdLast"));
    click(QStringLiteral("cmdNew"));
    QCOMPARE(position(), QString());
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
    click(QStringLiteral("cmdPrevious"));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("One"));
}

void TestClientEditor::duplicateOfANewRecordIsRefused()
{
    click(QStringLiteral("cmdDuplicate"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->lastText(),
             QStringLiteral("Incorrect use of the function.\n\r\n\rYou can only duplicate a record after saving it."));
}

void TestClientEditor::duplicateDropsAttachmentsAndAppends()
{
    testing::writeFile(dbFile(), testing::encodeRecord(records::clientLayout(),
                                                       {{"Name", "Rossi"}, {"File01", "id.pdf"}, {"Desc01", "ID"}}));
    click(QStringLiteral("cmdFirst"));
    edit(QStringLiteral("txtCity"))->setFocus();
    click(QStringLiteral("cmdDuplicate"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral(
        "You can now edit the record.\n\r\n\rWhen you finish, press the Save button to save the changes."));
    QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(position(), QString());
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("Rossi"));
    for (const QString &name : kHidden)
        QCOMPARE(label(name)->text(), QString());
    QVERIFY(edit(QStringLiteral("txtName"))->hasFocus());
    click(QStringLiteral("cmdSave"));
    QCOMPARE(position(), QStringLiteral("2"));
    const QByteArray bytes = testing::readFile(dbFile());
    QCOMPARE(bytes.size(), 2 * 4603);
    QCOMPARE(testing::fieldBytes(records::clientLayout(), bytes.left(4603), "File01"), QByteArray("id.pdf"));
    QCOMPARE(testing::fieldBytes(records::clientLayout(), bytes.mid(4603), "File01"), QByteArray());
    QCOMPARE(testing::fieldBytes(records::clientLayout(), bytes.mid(4603), "Name"), QByteArray("Rossi"));
}

void TestClientEditor::unwritableDatabaseKeepsTheScreen()
{
    testing::writeFile(dbFile(), testing::encodeRecord(records::clientLayout(), {{"Name", "Kept"}}));
    click(QStringLiteral("cmdFirst"));
    // Replace the file by a folder of the same name: no open can succeed.
    QFile::remove(dbFile());
    QDir().mkpath(dbFile());
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Changed"));
    for (const char *b : {"cmdSave", "cmdFirst", "cmdNext", "cmdLast", "cmdPrevious"}) {
        m_dialogs->clear();
        click(QString::fromLatin1(b));
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Error);
        QCOMPARE(m_dialogs->lastText(), kCannotOpen);
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("Changed"));
    }
    QVERIFY(QFileInfo(dbFile()).isDir());
}

void TestClientEditor::textOutsideTheCodePageComesBackSubstituted()
{
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Иван Ŝmit"));
    click(QStringLiteral("cmdSave"));
    click(QStringLiteral("cmdNew"));
    click(QStringLiteral("cmdFirst"));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("???? Smit"));
}

void TestClientEditor::enterChainFollowsTheFieldOrder()
{
    edit(kChain.first())->setFocus();
    for (qsizetype k = 0; k < kChain.size(); ++k) {
        QLineEdit *current = edit(kChain.at(k));
        QVERIFY2(current->hasFocus(), qPrintable(kChain.at(k)));
        QTest::keyClick(current, Qt::Key_Return);
    }
    QVERIFY(edit(QStringLiteral("txtName"))->hasFocus()); // txtNotes wraps to txtName
    for (const QString &name : kChain)
        QCOMPARE(edit(name)->text(), QString());
}

void TestClientEditor::typingFilters()
{
    QTest::keyClicks(edit(QStringLiteral("txtGender")), QStringLiteral("m"));
    QCOMPARE(edit(QStringLiteral("txtGender"))->text(), QStringLiteral("M"));
    edit(QStringLiteral("txtGender"))->clear();
    QTest::keyClicks(edit(QStringLiteral("txtGender")), QStringLiteral(" "));
    QCOMPARE(edit(QStringLiteral("txtGender"))->text(), QString());
    QTest::keyClicks(edit(QStringLiteral("txtEmail")), QStringLiteral("Anna@Mail.it "));
    QCOMPARE(edit(QStringLiteral("txtEmail"))->text(), QStringLiteral("Anna@Mail.it"));
}

void TestClientEditor::languageToggleChangesOnlyTitles()
{
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Mario"));
    click(QStringLiteral("optItaliano"));
    const auto fields = clients::clientFields();
    for (int k = 0; k < 26; ++k) {
        const QString name = QStringLiteral("lblField%1").arg(k + 1, 3, 10, QLatin1Char('0'));
        QCOMPARE(label(name)->text(), QString::fromUtf8(fields[std::size_t(k)].italian));
    }
    QCOMPARE(label(QStringLiteral("lblField017"))->text(), QStringLiteral("Patente n."));
    QCOMPARE(label(QStringLiteral("lblField006"))->text(), QStringLiteral("Città:"));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("Mario"));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral(" Carvello - Client Database"));
    auto *eng = m_editor->findChild<ui::PictureButton *>(QStringLiteral("optEnglish"));
    QCOMPARE(eng->hint(), QStringLiteral("Translate the text fields into English."));
    click(QStringLiteral("optItaliano")); // again: same texts
    QCOMPARE(label(QStringLiteral("lblField001"))->text(), QStringLiteral("Nome Cliente:"));
    click(QStringLiteral("optEnglish"));
    QCOMPARE(label(QStringLiteral("lblField001"))->text(), QStringLiteral("Client's name:"));
    QCOMPARE(label(QStringLiteral("lblField026"))->text(), QStringLiteral("Notes:"));
}

void TestClientEditor::reopeningStartsEmptyAndKeepsLanguage()
{
    testing::writeFile(dbFile(), testing::encodeRecord(records::clientLayout(), {{"Name", "Shown"}}));
    click(QStringLiteral("cmdFirst"));
    click(QStringLiteral("optItaliano"));
    m_editor->close();
    QVERIFY(!m_editor->isVisible());
    m_editor->show();
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
    QCOMPARE(position(), QString());
    QCOMPARE(label(QStringLiteral("lblField001"))->text(), QStringLiteral("Nome Cliente:"));
}

void TestClientEditor::emailButtonOpensAMailLink()
{
    edit(QStringLiteral("txtEmail"))->setText(QStringLiteral(" anna@mail.it "));
    click(QStringLiteral("btnEmail"));
    edit(QStringLiteral("txtEmail"))->clear();
    click(QStringLiteral("btnEmail"));
    QCOMPARE(m_dialogs->opened,
             QStringList({QStringLiteral("\"mailto:anna@mail.it\""), QStringLiteral("\"mailto:\"")}));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestClientEditor::issuesIconExplainsAndFocuses()
{
    click(QStringLiteral("icoIssues"));
    QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(m_dialogs->lastText(),
             QStringLiteral("Describe any pending issues you have with your client in this text box.\n\r\n\r"
                            "If you don't have any pending issues, just leave this text box empty.\n\r\n\r"
                            "Click on the button with the yellow triangle icon to get the list of pending issues "
                            "you have with all of your clients."));
    QVERIFY(edit(QStringLiteral("txtIssues"))->hasFocus());
}

void TestClientEditor::hints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("cmdNew") << "cmdNew" << "Enter new record.";
    QTest::newRow("cmdDuplicate") << "cmdDuplicate" << "Duplicate record.";
    QTest::newRow("cmdSave") << "cmdSave" << "Save record.";
    QTest::newRow("cmdFirst") << "cmdFirst" << "View first record.";
    QTest::newRow("cmdPrevious") << "cmdPrevious" << "View previous record.";
    QTest::newRow("cmdNext") << "cmdNext" << "View next record.";
    QTest::newRow("cmdLast") << "cmdLast" << "View last record.";
    QTest::newRow("cmdClose") << "cmdClose" << "Close window.";
    QTest::newRow("btnEmail") << "btnEmail" << "Send an e-mail to the client.";
    QTest::newRow("icoIssues") << "icoIssues" << "Info about pending issues with clients.";
    QTest::newRow("optEnglish") << "optEnglish" << "Translate the text fields into English.";
    QTest::newRow("optItaliano") << "optItaliano" << "Traduci i campi di testo in italiano.";
}

void TestClientEditor::hints()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    verifyHint(control, hint, QStringLiteral("txtName"));
    verifyHintClearedOverPanel();
}

QTEST_MAIN(TestClientEditor)
#include "test_clienteditor.moc"
