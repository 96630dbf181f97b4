#include "agreements/logo.h"
#include "agreements/yearselection.h"
#include "app/startup.h"
#include "records/layout.h"
#include "support/testsupport.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

// The year selection window among the real primary windows, opened from the
// launcher's Rental Agreements tile.
class TestYearSelection final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void tileOpensItOnTheCurrentYear_data();
    void tileOpensItOnTheCurrentYear();
    void textsAndControls();
    void yearFieldTakesOnlyDigits_data();
    void yearFieldTakesOnlyDigits();
    void enterMovesToOpenWithoutOpening();
    void shortYearIsRefused_data();
    void shortYearIsRefused();
    void openHandsTheYearsFileToTheEditor();
    void closingWithoutOpenReturnsToTheLauncher_data();
    void closingWithoutOpenReturnsToTheLauncher();
    void secondVisitStartsOverAndNamesTheNewYear();
    void dataFolderWhoseNameIsNotUtf8();

private:
    QWidget *window(const char *name) const { return ui::primaryWindow(QString::fromLatin1(name)); }
    QWidget *years() const { return window("TfrmMenuRicevute"); }
    QWidget *editor() const { return window("TfrmRent_Receipts"); }
    QWidget *launcher() const { return window("TfrmAvvio"); }
    QLineEdit *yearField() const { return years()->findChild<QLineEdit *>(QStringLiteral("txtAnnoFatture")); }
    QPushButton *openButton() const { return years()->findChild<QPushButton *>(QStringLiteral("btnApriFatture")); }
    QString memory() const { return years()->findChild<QLabel *>(QStringLiteral("lblMemory"))->text(); }
    QString editorFile() const { return editor()->findChild<QLabel *>(QStringLiteral("lblFile"))->text(); }
    void openFromLauncher(const char *tile = "btnApp04") const
    {
        launcher()->findChild<ui::PictureButton *>(QString::fromLatin1(tile))->click();
    }
    void typeYear(const QString &year) const
    {
        yearField()->clear();
        QTest::keyClicks(yearField(), year);
    }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    QList<QWidget *> m_windows;
};

void TestYearSelection::initTestCase() { app::prepareApplication(*qApp); }

void TestYearSelection::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    m_windows = app::createWindows();
    for (QWidget *w : std::as_const(m_windows))
        w->setGeometry(0, 0, 1366, 768);
    ui::showPrimary(ui::primaryWindow(QStringLiteral("TfrmAvvio")));
    QVERIFY(QTest::qWaitForWindowExposed(launcher()));
}

void TestYearSelection::cleanup()
{
    app::destroyWindows(m_windows);
    delete m_dialogs;
    delete m_data;
}

void TestYearSelection::tileOpensItOnTheCurrentYear_data()
{
    QTest::addColumn<QString>("tile");
    QTest::newRow("picture") << "imgApp04";
    QTest::newRow("button") << "btnApp04";
    QTest::newRow("italian title") << "ItaApp04";
}

void TestYearSelection::tileOpensItOnTheCurrentYear()
{
    QFETCH(QString, tile);
    QVERIFY(!years()->isVisible());
    openFromLauncher(qPrintable(tile));
    QVERIFY(years()->isVisible());
    QVERIFY(!launcher()->isVisible());
    QVERIFY(!editor()->isVisible());
    QCOMPARE(yearField()->text(), QDate::currentDate().toString(QStringLiteral("yyyy")));
    QCOMPARE(memory(), QStringLiteral("avvio"));
    years()->activateWindow();
    QTRY_VERIFY(yearField()->hasFocus());
}

void TestYearSelection::textsAndControls()
{
    openFromLauncher();
    QCOMPARE(years()->windowTitle(), QStringLiteral(" Carvello - Rental Agreements"));
    auto text = [this](const char *name) { return years()->findChild<QLabel *>(QString::fromLatin1(name))->text(); };
    QCOMPARE(text("lblInformazioni"),
             QStringLiteral("To issue Rental Agreements for your clients, enter a calendar year and press Open."));
    QCOMPARE(text("intAnnoFatture"), QStringLiteral("Rental Agreements annual database"));
    QCOMPARE(text("titAnnoFatture"), QStringLiteral("Year :"));
    QCOMPARE(openButton()->text(), QStringLiteral("Open"));
    QCOMPARE(yearField()->maxLength(), 4);
    QCOMPARE(yearField()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QVERIFY(yearField()->font().bold());
    QVERIFY(years()->findChild<QWidget *>(QStringLiteral("imgLogo02"))->isVisible());
    auto *close = years()->findChild<ui::PictureButton *>(QStringLiteral("imgEsci"));
    QVERIFY(close && close->isVisible());
    QCOMPARE(close->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!years()->findChild<QLabel *>(QStringLiteral("lblMemory"))->isVisible());
    QVERIFY(!years()->findChild<QLabel *>(QStringLiteral("lblFile"))->isVisible());
    // Everything fits the screen.
    for (QWidget *w : years()->findChildren<QWidget *>()) {
        if (w->isVisible())
            QVERIFY2(years()->rect().contains(QRect(w->mapTo(years(), QPoint(0, 0)), w->size())),
                     qPrintable(w->objectName()));
    }
}

void TestYearSelection::yearFieldTakesOnlyDigits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digits") << "2031"
                            << "2031";
    QTest::newRow("letters and blanks swallowed") << "2a0 x3-1."
                                                  << "2031";
    QTest::newRow("at most four") << "202512"
                                  << "2025";
}

void TestYearSelection::yearFieldTakesOnlyDigits()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    openFromLauncher();
    typeYear(typed);
    QCOMPARE(yearField()->text(), expected);
}

void TestYearSelection::enterMovesToOpenWithoutOpening()
{
    openFromLauncher();
    years()->activateWindow();
    QTRY_VERIFY(yearField()->hasFocus());
    typeYear(QStringLiteral("2024"));
    // Editing keys work; Tab and Home are swallowed.
    QTest::keyClick(yearField(), Qt::Key_Left);
    QTest::keyClick(yearField(), Qt::Key_Backspace);
    QTest::keyClick(yearField(), Qt::Key_Home);
    QTest::keyClick(yearField(), Qt::Key_Left);
    QTest::keyClick(yearField(), Qt::Key_Delete);
    QTest::keyClicks(yearField(), QStringLiteral("9"));
    QCOMPARE(yearField()->text(), QStringLiteral("294"));
    QTest::keyClick(yearField(), Qt::Key_Left);
    QTest::keyClick(yearField(), Qt::Key_Right);
    QTest::keyClick(yearField(), Qt::Key_End);
    QTest::keyClicks(yearField(), QStringLiteral("1"));
    QCOMPARE(yearField()->text(), QStringLiteral("2914"));
    QTest::keyClick(yearField(), Qt::Key_Tab);
    QVERIFY(yearField()->hasFocus());
    QTest::keyClick(yearField(), Qt::Key_Return);
    QVERIFY(openButton()->hasFocus());
    QVERIFY(years()->isVisible());
    QCOMPARE(memory(), QStringLiteral("avvio"));
    QCOMPARE(editorFile(), QString());
    // Enter on the button then opens the year.
    QTest::keyClick(openButton(), Qt::Key_Return);
    QVERIFY(editor()->isVisible());
    QVERIFY(!years()->isVisible());
    QCOMPARE(editor()->windowTitle(), QStringLiteral(" Carvello - Rental Agreements for the year 2914"));
}

void TestYearSelection::shortYearIsRefused_data()
{
    QTest::addColumn<QString>("year");
    QTest::newRow("empty") << "";
    QTest::newRow("one digit") << "7";
    QTest::newRow("three digits") << "202";
}

void TestYearSelection::shortYearIsRefused()
{
    QFETCH(QString, year);
    openFromLauncher();
    years()->activateWindow();
    typeYear(year);
    openButton()->setFocus();
    openButton()->click();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Enter a calendar year using four digits."));
    QTRY_VERIFY(yearField()->hasFocus());
    QVERIFY(years()->isVisible());
    QVERIFY(!editor()->isVisible());
    QCOMPARE(memory(), QStringLiteral("avvio"));
    QCOMPARE(editorFile(), QString());
    QCOMPARE(editor()->windowTitle(), QStringLiteral(" Carvello - Rental Agreements"));
}

void TestYearSelection::openHandsTheYearsFileToTheEditor()
{
    openFromLauncher();
    typeYear(QStringLiteral("2031"));
    openButton()->click();
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(editor()->isVisible());
    QVERIFY(!years()->isVisible());
    QVERIFY(!launcher()->isVisible());
    const QString expected = QDir::toNativeSeparators(m_data->file(QStringLiteral("2031.rnt")));
    QCOMPARE(editorFile(), expected);
    QCOMPARE(years()->findChild<QLabel *>(QStringLiteral("lblFile"))->text(), expected);
    QCOMPARE(editor()->windowTitle(), QStringLiteral(" Carvello - Rental Agreements for the year 2031"));
    QCOMPARE(memory(), QStringLiteral("ricevute"));
    QVERIFY(QDir(m_data->dataFolder()).exists()); // the data folder is made sure to exist
    QVERIFY(!QFile::exists(expected));            // but the year's file is the editor's business
}

void TestYearSelection::closingWithoutOpenReturnsToTheLauncher_data()
{
    QTest::addColumn<bool>("closePicture");
    QTest::newRow("close picture") << true;
    QTest::newRow("close box") << false;
}

void TestYearSelection::closingWithoutOpenReturnsToTheLauncher()
{
    QFETCH(bool, closePicture);
    // A year opened earlier stays the editor's file.
    openFromLauncher();
    typeYear(QStringLiteral("2023"));
    openButton()->click();
    const QString before = editorFile();
    editor()->close();
    QVERIFY(launcher()->isVisible());

    openFromLauncher();
    typeYear(QStringLiteral("2030"));
    if (closePicture)
        years()->findChild<ui::PictureButton *>(QStringLiteral("imgEsci"))->click();
    else
        years()->close();
    QVERIFY(launcher()->isVisible());
    QVERIFY(!years()->isVisible());
    QVERIFY(!editor()->isVisible());
    QCOMPARE(editorFile(), before);
    QCOMPARE(editor()->windowTitle(), QStringLiteral(" Carvello - Rental Agreements for the year 2023"));
}

void TestYearSelection::secondVisitStartsOverAndNamesTheNewYear()
{
    openFromLauncher();
    typeYear(QStringLiteral("1999"));
    openButton()->click();
    editor()->close();
    openFromLauncher();
    QCOMPARE(yearField()->text(), QDate::currentDate().toString(QStringLiteral("yyyy")));
    QCOMPARE(memory(), QStringLiteral("avvio"));
    typeYear(QStringLiteral("2040"));
    openButton()->click();
    QCOMPARE(editor()->windowTitle(), QStringLiteral(" Carvello - Rental Agreements for the year 2040"));
    QCOMPARE(editorFile(), QDir::toNativeSeparators(m_data->file(QStringLiteral("2040.rnt"))));
}

void TestYearSelection::dataFolderWhoseNameIsNotUtf8()
{
#ifdef Q_OS_WIN
    QSKIP("Windows paths are UTF-16");
#else
    // A folder name of bytes that are no UTF-8 text: everything that opens
    // a file there must find it, and nothing may abort.
    const QByteArray base = QFile::encodeName(m_data->root()) + QByteArray("/caf\xE9-\xFF");
    const std::filesystem::path folder(base.toStdString());
    QVERIFY(std::filesystem::create_directories(folder));
    qputenv("XDG_DATA_HOME", base);
    openFromLauncher();
    typeYear(QStringLiteral("2031"));
    openButton()->click();
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(editor()->isVisible());
    for (const char *name : {"txtCompany01", "txtNumber", "txtDate", "txtName", "txtMake", "txtPlate"})
        editor()->findChild<QLineEdit *>(QString::fromLatin1(name))->setText(QStringLiteral("x"));
    editor()->findChild<ui::PictureButton *>(QStringLiteral("cmdSalva"))->click();
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    const std::filesystem::path yearFile = folder / "Drivora" / "2031.rnt";
    QVERIFY(std::filesystem::exists(yearFile));
    QCOMPARE(std::filesystem::file_size(yearFile), std::uintmax_t(records::kAgreementRecordLength));

    // The logo is written there too.
    m_dialogs->modalHandlers.enqueue([](QDialog *dialog) {
        dialog->findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
        return dialog->result();
    });
    editor()->findChild<ui::PictureButton *>(QStringLiteral("btnLogo"))->click();
    QVERIFY(std::filesystem::exists(folder / "Drivora" / "Logo.bmp"));
    QVERIFY(!agreements::storedLogo().isNull());
    editor()->close();
    QVERIFY(std::filesystem::exists(folder / "Drivora" / "Drivora_Settings.ini"));
#endif
}

QTEST_MAIN(TestYearSelection)
#include "test_yearselection.moc"
