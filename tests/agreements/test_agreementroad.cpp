#include "app/startup.h"
#include "records/layout.h"
#include "support/testsupport.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// A new user's first agreements, through the real windows of the program,
// then a restart.
class TestAgreementRoad final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void firstAgreementsAndRestart();
    void startingNumberSetInTheEditorAppliesAtTheNextNew();

private:
    void start();
    void stop();
    QWidget *window(const char *name) const { return ui::primaryWindow(QString::fromLatin1(name)); }
    QLineEdit *field(const char *name) const
    {
        return window("TfrmRent_Receipts")->findChild<QLineEdit *>(QString::fromLatin1(name));
    }
    void press(const char *windowName, const char *control) const
    {
        auto *b = window(windowName)->findChild<QAbstractButton *>(QString::fromLatin1(control));
        QVERIFY2(b, control);
        b->click();
    }
    QString position() const
    {
        return window("TfrmRent_Receipts")->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text();
    }
    void openYear()
    {
        press("TfrmAvvio", "btnApp04");
        press("TfrmMenuRicevute", "btnApriFatture");
        QVERIFY(window("TfrmRent_Receipts")->isVisible());
    }
    QString yearFile() const
    {
        return m_data->file(QDate::currentDate().toString(QStringLiteral("yyyy")) + QStringLiteral(".rnt"));
    }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    QList<QWidget *> m_windows;
};

void TestAgreementRoad::initTestCase() { app::prepareApplication(*qApp); }

void TestAgreementRoad::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    start();
}

void TestAgreementRoad::cleanup()
{
    stop();
    delete m_dialogs;
    delete m_data;
}

void TestAgreementRoad::start()
{
    m_windows = app::createWindows();
    for (QWidget *w : std::as_const(m_windows))
        w->setGeometry(0, 0, 1366, 768);
    ui::showPrimary(ui::primaryWindow(QStringLiteral("TfrmAvvio")));
}

void TestAgreementRoad::stop()
{
    app::destroyWindows(m_windows);
    m_windows.clear();
}

void TestAgreementRoad::firstAgreementsAndRestart()
{
    openYear();
    QCOMPARE(window("TfrmRent_Receipts")->windowTitle(), QStringLiteral(" Carvello - Rental Agreements for the year ")
                                                             + QDate::currentDate().toString(QStringLiteral("yyyy")));
    press("TfrmRent_Receipts", "cmdNuovo");
    QCOMPARE(field("txtNumber")->text(), QStringLiteral("1"));
    QCOMPARE(field("txtDate")->text(), ui::todayText());

    field("txtCompany01")->setText(QStringLiteral("Rossi Autonoleggio"));
    field("txtCompany02")->setText(QStringLiteral("Via Roma 12, Rimini"));
    QTest::keyClicks(field("txtName"), QStringLiteral("Mario Bianchi"));
    QTest::keyClicks(field("txtGender"), QStringLiteral("m"));
    QTest::keyClicks(field("txtMake"), QStringLiteral("Fiat"));
    QTest::keyClicks(field("txtPlate"), QStringLiteral("ab123cd"));
    press("TfrmRent_Receipts", "cmdSalva");
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(position(), QStringLiteral("1"));

    press("TfrmRent_Receipts", "cmdNuovo");
    QCOMPARE(field("txtNumber")->text(), QStringLiteral("2"));
    QCOMPARE(field("txtName")->text(), QString());
    QCOMPARE(field("txtCompany01")->text(), QStringLiteral("Rossi Autonoleggio"));

    window("TfrmRent_Receipts")->close();
    QVERIFY(window("TfrmAvvio")->isVisible());
    QVERIFY(!window("TfrmRent_Receipts")->isVisible());

    // The program ends and starts again.
    stop();
    start();
    openYear();
    QCOMPARE(field("txtCompany01")->text(), QStringLiteral("Rossi Autonoleggio"));
    QCOMPARE(field("txtCompany02")->text(), QStringLiteral("Via Roma 12, Rimini"));
    QCOMPARE(field("txtNumber")->text(), QString());
    press("TfrmRent_Receipts", "cmdNuovo");
    QCOMPARE(field("txtNumber")->text(), QStringLiteral("2"));
    press("TfrmRent_Receipts", "cmdPrimo");
    QCOMPARE(field("txtName")->text(), QStringLiteral("Mario Bianchi"));
    QCOMPARE(field("txtGender")->text(), QStringLiteral("M"));
    QCOMPARE(field("txtPlate")->text(), QStringLiteral("AB123CD"));
    QCOMPARE(testing::readFile(yearFile()).size(), 4154);
    const QByteArray stored = testing::readFile(yearFile());
    QCOMPARE(testing::fieldBytes(records::agreementLayout(), stored, "Number"), QByteArray("1"));
    QCOMPARE(testing::fieldBytes(records::agreementLayout(), stored, "Company01"), QByteArray("Rossi Autonoleggio"));
}

void TestAgreementRoad::startingNumberSetInTheEditorAppliesAtTheNextNew()
{
    openYear();
    m_dialogs->modalHandlers.enqueue([](QDialog *dialog) {
        auto *start = dialog->findChild<QLineEdit *>(QStringLiteral("txtInizio"));
        start->clear();
        QTest::keyClicks(start, QStringLiteral("500"));
        dialog->findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
        return dialog->result();
    });
    press("TfrmRent_Receipts", "cmdNumeration");
    press("TfrmRent_Receipts", "cmdNuovo");
    QCOMPARE(field("txtNumber")->text(), QStringLiteral("500"));
    QVERIFY(m_dialogs->messages.isEmpty());
}

QTEST_MAIN(TestAgreementRoad)
#include "test_agreementroad.moc"
