#include "app/passwordwindows.h"
#include "app/startup.h"
#include "records/inifile.h"
#include "records/osfile.h"
#include "records/password.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/navigation.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The login and change-password windows over a real password file.
class TestAccessWindows final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void showingSeedsAMissingPasswordFile();
    void okIsEnabledByATrimmedEntry_data();
    void okIsEnabledByATrimmedEntry();
    void login_data();
    void login();
    void corruptedValueIsADecodingError();
    void change_data();
    void change();
    void changedPasswordIsRequiredAtOnce();
    void missingSeedAndPasswordFileRefuseEveryEntry();
    void failedChangeKeepsTheOldPassword_data();
    void failedChangeKeepsTheOldPassword();

private:
    QWidget *window(const char *name) const { return ui::primaryWindow(QString::fromLatin1(name)); }
    app::TfrmPassword *loginWindow() const { return ui::primary<app::TfrmPassword>(QStringLiteral("TfrmPassword")); }
    QLineEdit *edit(const char *window, const char *name) const
    {
        return this->window(window)->findChild<QLineEdit *>(QString::fromLatin1(name));
    }
    QPushButton *push(const char *window, const char *name) const
    {
        return this->window(window)->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    QString passwordFile() const { return m_data->file(QStringLiteral("unins000.log")); }
    void store(const char *plain) const
    {
        QDir().mkpath(m_data->dataFolder());
        testing::writeFile(passwordFile(),
                           "[Login]\r\nValue=" + QByteArray::fromStdString(records::scramble(plain)) + "\r\n");
    }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    QList<QWidget *> m_windows;
};

void TestAccessWindows::initTestCase() { app::prepareApplication(*qApp); }

void TestAccessWindows::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    const QString seedFolder = m_data->root() + QStringLiteral("/program");
    QDir().mkpath(seedFolder);
    testing::writeFile(seedFolder + QStringLiteral("/unins000.log"),
                       "[Login]\r\nValue=" + QByteArray::fromStdString(records::scramble("CARVELLO")) + "\r\n");
    app::setProgramFolderForTests(seedFolder.toStdString());
    m_windows = app::createWindows();
}

void TestAccessWindows::cleanup()
{
    app::destroyWindows(m_windows);
    delete m_dialogs;
    delete m_data;
}

void TestAccessWindows::showingSeedsAMissingPasswordFile()
{
    ui::showPrimary(app::mainWindow());
    QCOMPARE(app::mainWindow()->objectName(), QStringLiteral("TfrmPassword"));
    QCOMPARE(testing::readFile(passwordFile()),
             "[Login]\r\nValue=" + QByteArray::fromStdString(records::scramble("CARVELLO")) + "\r\n");
    QCOMPARE(loginWindow()->focusWidget(), edit("TfrmPassword", "txtPassword"));
    // An existing file is never replaced; a deleted one comes back.
    store("OTHER");
    loginWindow()->hide();
    loginWindow()->show();
    QCOMPARE(testing::readFile(passwordFile()),
             "[Login]\r\nValue=" + QByteArray::fromStdString(records::scramble("OTHER")) + "\r\n");
    QFile::remove(passwordFile());
    loginWindow()->hide();
    loginWindow()->show();
    QVERIFY(QFile::exists(passwordFile()));
}

void TestAccessWindows::okIsEnabledByATrimmedEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("nothing") << QString() << false;
    QTest::newRow("blanks") << QStringLiteral("  ") << false;
    QTest::newRow("a letter") << QStringLiteral("a") << true;
    QTest::newRow("non-breaking space") << QStringLiteral("\u00A0") << true;
}

void TestAccessWindows::okIsEnabledByATrimmedEntry()
{
    QFETCH(QString, typed);
    QFETCH(bool, enabled);
    ui::showPrimary(app::mainWindow());
    QVERIFY(!push("TfrmPassword", "cmdOK")->isEnabled());
    QTest::keyClicks(edit("TfrmPassword", "txtPassword"), typed);
    QCOMPARE(push("TfrmPassword", "cmdOK")->isEnabled(), enabled);
    QCOMPARE(edit("TfrmPassword", "txtPassword")->echoMode(), QLineEdit::Password);
}

void TestAccessWindows::login_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("as stored") << QStringLiteral("CARVELLO") << true;
    QTest::newRow("lower case") << QStringLiteral("carvello") << true;
    QTest::newRow("blanks around") << QStringLiteral("  CarVello\t") << true;
    QTest::newRow("another word") << QStringLiteral("carvel") << false;
    QTest::newRow("blank inside") << QStringLiteral("CAR VELLO") << false;
}

void TestAccessWindows::login()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    ui::showPrimary(app::mainWindow());
    QTest::keyClicks(edit("TfrmPassword", "txtPassword"), typed);
    QTest::keyClick(edit("TfrmPassword", "txtPassword"), Qt::Key_Return);
    QCOMPARE(window("TfrmAvvio")->isVisible(), accepted);
    QCOMPARE(loginWindow()->isVisible(), !accepted);
    if (accepted) {
        QVERIFY(m_dialogs->messages.isEmpty());
        return;
    }
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Plain);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Spiacente, password errata!."));
    QCOMPARE(edit("TfrmPassword", "txtPassword")->text(), QString());
}

void TestAccessWindows::corruptedValueIsADecodingError()
{
    QDir().mkpath(m_data->dataFolder());
    testing::writeFile(passwordFile(), "[Login]\r\nValue=65ZZ\r\n");
    ui::showPrimary(app::mainWindow());
    edit("TfrmPassword", "txtPassword")->setText(QStringLiteral("carvello"));
    push("TfrmPassword", "cmdOK")->click();
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Attenzione! Si è verificato un errore nella decodifica della "
                                                   "password. Si consiglia di reinstallare il software."));
    QCOMPARE(edit("TfrmPassword", "txtPassword")->text(), QStringLiteral("carvello"));
    QVERIFY(loginWindow()->isVisible());
}

void TestAccessWindows::change_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("stored"); // the plain password afterwards
    QTest::newRow("changed") << "carvello"
                             << "caffè2"
                             << "caffè2" << QStringLiteral("La password è stata cambiata con successo!")
                             << QByteArray("CAFFè2");
    QTest::newRow("wrong old") << "other"
                               << "new"
                               << "new" << QStringLiteral("Attenzione! Vecchia password errata!")
                               << QByteArray("CARVELLO");
    QTest::newRow("confirmation in another case")
        << "carvello"
        << "new"
        << "NEW"
        << QStringLiteral("Attenzione! La nuova password non è stata confermata correttamente. Inserire nuovamente "
                          "entrambi i valori.")
        << QByteArray("CARVELLO");
}

void TestAccessWindows::change()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(QByteArray, stored);
    ui::showPrimary(app::mainWindow());
    push("TfrmPassword", "btnCambiaPassword")->click();
    QVERIFY(window("TfrmCambiaPassword")->isVisible());
    QVERIFY(!loginWindow()->isVisible());
    QPushButton *ok = push("TfrmCambiaPassword", "cmdOK");
    QVERIFY(!ok->isEnabled());
    edit("TfrmCambiaPassword", "txtPasswordOld")->setText(old);
    edit("TfrmCambiaPassword", "txtPasswordNew")->setText(fresh);
    QVERIFY(!ok->isEnabled());
    edit("TfrmCambiaPassword", "txtConferma")->setText(confirm);
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(m_dialogs->lastText(), message);
    const std::string value = records::readIniString(passwordFile().toStdString(), "Login", "Value", "");
    QCOMPARE(QByteArray::fromStdString(*records::unscramble(value)),
             QByteArray::fromStdString(std::string(stored.constData())));
    const bool done = message.startsWith(QStringLiteral("La password"));
    QCOMPARE(loginWindow()->isVisible(), done);
    if (done)
        QCOMPARE(edit("TfrmPassword", "txtPassword")->text(), QString());
}

void TestAccessWindows::changedPasswordIsRequiredAtOnce()
{
    ui::showPrimary(app::mainWindow());
    push("TfrmPassword", "btnCambiaPassword")->click();
    edit("TfrmCambiaPassword", "txtPasswordOld")->setText(QStringLiteral("CARVELLO"));
    edit("TfrmCambiaPassword", "txtPasswordNew")->setText(QStringLiteral("desk"));
    edit("TfrmCambiaPassword", "txtConferma")->setText(QStringLiteral("desk"));
    push("TfrmCambiaPassword", "cmdOK")->click();
    QVERIFY(loginWindow()->isVisible());
    edit("TfrmPassword", "txtPassword")->setText(QStringLiteral("carvello"));
    push("TfrmPassword", "cmdOK")->click();
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Spiacente, password errata!."));
    edit("TfrmPassword", "txtPassword")->setText(QStringLiteral("DESK"));
    push("TfrmPassword", "cmdOK")->click();
    QVERIFY(window("TfrmAvvio")->isVisible());
}

void TestAccessWindows::missingSeedAndPasswordFileRefuseEveryEntry()
{
    QFile::remove(m_data->root() + QStringLiteral("/program/unins000.log"));
    ui::showPrimary(app::mainWindow());
    QVERIFY(!QFile::exists(passwordFile()));
    QVERIFY(!push("TfrmPassword", "cmdOK")->isEnabled());
    for (const QString &typed : {QStringLiteral("CARVELLO"), QStringLiteral("x"), QStringLiteral(" ")}) {
        m_dialogs->clear();
        edit("TfrmPassword", "txtPassword")->setText(typed);
        if (!push("TfrmPassword", "cmdOK")->isEnabled()) {
            QVERIFY(ui::trimControl(typed).isEmpty());
            continue;
        }
        push("TfrmPassword", "cmdOK")->click();
        QCOMPARE(m_dialogs->lastText(), QStringLiteral("Spiacente, password errata!."));
        QVERIFY(loginWindow()->isVisible());
    }
}

void TestAccessWindows::failedChangeKeepsTheOldPassword_data()
{
    QTest::addColumn<int>("op");
    QTest::newRow("the new file cannot be made") << int(records::faults::Op::Open);
    QTest::newRow("disk full") << int(records::faults::Op::Write);
    QTest::newRow("rename refused") << int(records::faults::Op::Rename);
}

void TestAccessWindows::failedChangeKeepsTheOldPassword()
{
    QFETCH(int, op);
    ui::showPrimary(app::mainWindow());
    push("TfrmPassword", "btnCambiaPassword")->click();
    edit("TfrmCambiaPassword", "txtPasswordOld")->setText(QStringLiteral("carvello"));
    edit("TfrmCambiaPassword", "txtPasswordNew")->setText(QStringLiteral("desk"));
    edit("TfrmCambiaPassword", "txtConferma")->setText(QStringLiteral("desk"));
    records::faults::failAlways(static_cast<records::faults::Op>(op));
    push("TfrmCambiaPassword", "cmdOK")->click();
    records::faults::clear();
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Attenzione! Si è verificato un errore nella modifica della "
                                                   "password. Si consiglia di installare nuovamente il software."));
    push("TfrmCambiaPassword", "cmdEsci")->click();
    QVERIFY(loginWindow()->isVisible());
    edit("TfrmPassword", "txtPassword")->setText(QStringLiteral("CARVELLO"));
    push("TfrmPassword", "cmdOK")->click();
    QVERIFY(window("TfrmAvvio")->isVisible());
}

QTEST_MAIN(TestAccessWindows)
#include "test_accesswindows.moc"
