#include "app/startup.h"
#include "records/layout.h"
#include "support/editorcases.h"
#include "support/testsupport.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/appearance.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

// What only the agreement editor does: the company header, the numbering,
// the settings it keeps and its documents. The behaviour it shares with the
// other editors is tested in tests/ui/test_editors.cpp.
class TestAgreementEditor final : public QObject, private testing::EditorControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void showingReadsTheHeaderAndStartsANewAgreement();
    void numberAndDateCaptionsStayEnglish();
    void newProposesStartPlusCount_data();
    void newProposesStartPlusCount();
    void newTwiceProposesTheSameNumber();
    void deletedDataFolderIsMadeAgain();
    void newWithANonWholeStartNumber();
    void newAndDuplicateOnAFileThatCannotBeOpened();
    void savingLeavesTheSettingsFile();
    void closingWritesTheHeaderLines();
    void closingRemembersAStoredAgreementsHeader();
    void closingWithAnUnwritableSettingsFile();
    void numerationAndLogoButtonsOpenTheirWindows();
    void printAndPreviewUseTheFieldsOnScreen();

private:
    // The 43 fields in record, tab and Enter-chain order; the first four are
    // the header lines.
    static const QStringList &fields() { return testing::agreementCase().fields; }
    QString yearFile() const { return session().recordFile(); }
    QString settingsFile() const { return session().settingsFile(); }
    void fillRequired() const { testing::fillRequired(window(), testing::agreementCase()); }
    QByteArray record(const std::map<std::string, QByteArray> &values, char filler = '\0') const
    {
        return testing::encodeRecord(records::agreementLayout(), values, filler);
    }
};

void TestAgreementEditor::initTestCase() { app::prepareApplication(*qApp); }

void TestAgreementEditor::init()
{
    // The header lines are Rossi Rent, Via Po 1, an empty one and Tel. 0541;
    // lblFile names 2024.rnt.
    QVERIFY(openEditor(testing::agreementCase()));
}

void TestAgreementEditor::cleanup() { closeEditor(); }

void TestAgreementEditor::showingReadsTheHeaderAndStartsANewAgreement()
{
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("Rossi Rent"));
    QCOMPARE(edit(QStringLiteral("txtCompany02"))->text(), QStringLiteral("Via Po 1"));
    QCOMPARE(edit(QStringLiteral("txtCompany03"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtCompany04"))->text(), QStringLiteral("Tel. 0541"));
    QVERIFY(!label(QStringLiteral("lblFile"))->isVisible());

    // Every showing starts over from the settings, dropping what was typed.
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
    edit(QStringLiteral("txtCompany01"))->setText(QStringLiteral("changed"));
    label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("3"));
    window()->hide();
    testing::writeFile(settingsFile(), "[Rental Company]\r\nLine 1=Bianchi\r\n");
    window()->show();
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("Bianchi"));
    QCOMPARE(edit(QStringLiteral("txtCompany04"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
    QCOMPARE(position(), QString());
}

void TestAgreementEditor::numberAndDateCaptionsStayEnglish()
{
    click(QStringLiteral("optItaliano"));
    QCOMPARE(label(QStringLiteral("lblField031"))->text(), QStringLiteral("Modalità di pagamento:"));
    QCOMPARE(label(QStringLiteral("imgNumero"))->text(), QStringLiteral("Rental Agreement No."));
    QCOMPARE(label(QStringLiteral("imgData"))->text(), QStringLiteral("Date:"));
}

void TestAgreementEditor::newProposesStartPlusCount_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no settings file, new year") << QByteArray("<none>") << 0 << "1";
    QTest::newRow("no start number, two stored") << QByteArray("[Rental Company]\r\nLine 1=x\r\n") << 2 << "3";
    QTest::newRow("empty start number") << QByteArray("[Rental Agreements]\r\nStart Number=\r\n") << 0 << "1";
    QTest::newRow("start 100, three stored") << QByteArray("[Rental Agreements]\r\nStart Number=100\r\n") << 3 << "103";
    QTest::newRow("start 500 in January") << QByteArray("[rental agreements]\nstart number = 500\n") << 0 << "500";
    QTest::newRow("leading zeros") << QByteArray("[Rental Agreements]\r\nStart Number=0042\r\n") << 1 << "43";
}

void TestAgreementEditor::newProposesStartPlusCount()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, stored);
    QFETCH(QString, expected);
    QFile::remove(settingsFile());
    if (settings != "<none>")
        testing::writeFile(settingsFile(), settings);
    QByteArray bytes;
    for (int k = 0; k < stored; ++k)
        bytes += record({{"Number", QByteArray::number(k + 1)}});
    if (stored > 0)
        testing::writeFile(yearFile(), bytes + QByteArray(100, 'z')); // a partial record is not counted
    for (const QString &name : fields())
        edit(name)->setText(QStringLiteral("old"));
    label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("2"));

    click(QStringLiteral("cmdNuovo"));
    QVERIFY(dialogs().messages.isEmpty());
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), expected);
    QCOMPARE(edit(QStringLiteral("txtDate"))->text(), ui::todayText());
    QCOMPARE(position(), QString());
    for (int k = 0; k < 4; ++k)
        QCOMPARE(edit(fields().at(k))->text(), QStringLiteral("old")); // the header stays
    for (const QString &name : fields().mid(6))
        QCOMPARE(edit(name)->text(), QString());
    QVERIFY(edit(QStringLiteral("txtName"))->hasFocus());
    QVERIFY(QFile::exists(yearFile())); // a new year's file is created empty
    if (stored == 0)
        QCOMPARE(QFileInfo(yearFile()).size(), 0);
}

void TestAgreementEditor::newTwiceProposesTheSameNumber()
{
    click(QStringLiteral("cmdNuovo"));
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QStringLiteral("1"));
    click(QStringLiteral("cmdNuovo"));
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QStringLiteral("1"));
    fillRequired();
    edit(QStringLiteral("txtNumber"))->setText(QStringLiteral("1"));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(position(), QStringLiteral("1"));
    click(QStringLiteral("cmdNuovo"));
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QStringLiteral("2"));
}

void TestAgreementEditor::deletedDataFolderIsMadeAgain()
{
    fillRequired();
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(dialogs().lastText(), QStringLiteral("Record saved successfully."));
    // The user deletes the data folder while the year stays open.
    QVERIFY(QDir(session().data().dataFolder()).removeRecursively());
    dialogs().clear();
    click(QStringLiteral("cmdPrimo"));
    QCOMPARE(dialogs().lastText(), QStringLiteral("The database contains no record."));
    click(QStringLiteral("cmdNuovo"));
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QStringLiteral("1"));
    fillRequired();
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(dialogs().lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(QFileInfo(yearFile()).size(), qint64(records::kAgreementRecordLength));
    for (const auto &m : std::as_const(dialogs().messages))
        QVERIFY2(m.kind != ui::MessageKind::Error, qPrintable(m.text));
}

void TestAgreementEditor::newWithANonWholeStartNumber()
{
    testing::writeFile(settingsFile(), "[Rental Agreements]\r\nStart Number=12.5\r\n");
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
    edit(QStringLiteral("txtCompany01"))->setText(QStringLiteral("header"));
    label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("4"));
    click(QStringLiteral("cmdNuovo"));
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Error);
    QCOMPARE(dialogs().messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(dialogs().lastText(), testing::kCannotOpen);
    // The fields were emptied before the number failed.
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("header"));
    QCOMPARE(position(), QString());
}

void TestAgreementEditor::newAndDuplicateOnAFileThatCannotBeOpened()
{
    // Unlike the other editors, New and Duplicate open the year's file: New
    // to count its agreements, Duplicate to tell at once whether the copy can
    // be saved.
    QDir().mkpath(yearFile()); // a folder where the year's file should be
    label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("2"));
    // The other buttons too, before any browsing has opened the file.
    for (const char *b : {"cmdNuovo", "cmdSalva", "cmdPrimo", "cmdAvanti", "cmdUltimo", "cmdIndietro"}) {
        dialogs().clear();
        fillRequired();
        edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
        click(QString::fromLatin1(b));
        QCOMPARE(dialogs().messages.size(), 1);
        QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Error);
        QCOMPARE(dialogs().lastText(), testing::kCannotOpen);
        QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("typed"));
        QCOMPARE(position(), QStringLiteral("2"));
    }
    dialogs().clear();
    fillRequired();
    click(QStringLiteral("cmdDuplica"));
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().lastText(), testing::kCannotOpen);
    QCOMPARE(position(), QString()); // Duplicate had already emptied it
    QVERIFY(QFileInfo(yearFile()).isDir());
}

void TestAgreementEditor::savingLeavesTheSettingsFile()
{
    fillRequired();
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(dialogs().lastText(), QStringLiteral("Record saved successfully."));
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Renamed"));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(dialogs().lastText(), QStringLiteral("Changes to record saved successfully."));
    // Only closing writes the header lines to the settings file.
    QCOMPARE(testing::readFile(settingsFile()), testing::agreementCase().settings);
}

void TestAgreementEditor::closingWritesTheHeaderLines()
{
    QFile::remove(settingsFile());
    window()->hide();
    window()->show(); // first run: no settings file
    for (int k = 0; k < 4; ++k)
        QCOMPARE(edit(fields().at(k))->text(), QString());
    window()->close();
    QVERIFY(!window()->isVisible());
    QCOMPARE(testing::readFile(settingsFile()),
             QByteArray("[Rental Company]\r\nLine 1=\r\nLine 2=\r\nLine 3=\r\nLine 4=\r\n"));

    window()->show();
    edit(QStringLiteral("txtCompany01"))->setText(QStringLiteral("  Rossi Rent  "));
    edit(QStringLiteral("txtCompany03"))->setText(QStringLiteral("Forlì"));
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("unsaved"));
    click(QStringLiteral("cmdEsci"));
    QVERIFY(!window()->isVisible());
    QVERIFY(dialogs().messages.isEmpty());
    QCOMPARE(testing::readFile(settingsFile()),
             QByteArray("[Rental Company]\r\nLine 1=Rossi Rent\r\nLine 2=\r\nLine 3=Forl\xEC\r\nLine 4=\r\n"));
    QVERIFY(!QFile::exists(yearFile())); // the unsaved agreement is dropped
    window()->show();
    QCOMPARE(edit(QStringLiteral("txtCompany03"))->text(), QStringLiteral("Forlì"));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
}

void TestAgreementEditor::closingRemembersAStoredAgreementsHeader()
{
    testing::writeFile(yearFile(), record({{"Company01", "Stored Co"}, {"Company04", "Line four"}}));
    click(QStringLiteral("cmdPrimo"));
    window()->close();
    const QByteArray ini = testing::readFile(settingsFile());
    QVERIFY(ini.contains("Line 1=Stored Co\r\n"));
    QVERIFY(ini.contains("Line 2=\r\n"));
    QVERIFY(ini.contains("Line 4=Line four\r\n"));
}

void TestAgreementEditor::closingWithAnUnwritableSettingsFile()
{
    QFile::remove(settingsFile());
    QDir().mkpath(settingsFile() + QStringLiteral("/x"));
    window()->close();
    QCOMPARE(dialogs().messages.size(), 1); // reported once, not per line
    QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Error);
    QCOMPARE(dialogs().lastText(), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(settingsFile()));
    QVERIFY(!window()->isVisible()); // the window still closes
    window()->show();                // and opens again with empty header lines
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QString());
}

void TestAgreementEditor::numerationAndLogoButtonsOpenTheirWindows()
{
    QString memory;
    dialogs().modalHandlers.enqueue([&memory](QDialog *dialog) {
        memory = dialog->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
        return 0;
    });
    click(QStringLiteral("cmdNumeration"));
    click(QStringLiteral("btnLogo"));
    QCOMPARE(dialogs().modalShown, QStringList({QStringLiteral("TfrmNumeration"), QStringLiteral("TfrmLogo")}));
    QCOMPARE(memory, QStringLiteral("ricevute"));
    // Per-use windows are destroyed after use, from the event loop once the
    // handler that closed them is done.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window()->findChild<QDialog *>());
    QVERIFY(dialogs().messages.isEmpty());
}

void TestAgreementEditor::printAndPreviewUseTheFieldsOnScreen()
{
    // Nothing is saved: the paper shows what the editor shows.
    edit(QStringLiteral("txtNumber"))->setText(QStringLiteral("4711"));
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Ingrid Svensson"));
    const QString pdf = session().data().root() + QStringLiteral("/printed.pdf");
    dialogs().printFile = pdf;
    dialogs().printerChoices.enqueue(true);
    dialogs().modalHandlers.enqueue([](QDialog *window) {
        window->findChild<QAbstractButton *>(QStringLiteral("btnStampa"))->click();
        return 0;
    });
    click(QStringLiteral("cmdPrint"));
    QCOMPARE(dialogs().modalShown, QStringList(QStringLiteral("TfrmStampaRic")));
    QCOMPARE(dialogs().printDialogs, 1);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(!QFile::exists(yearFile()));

    dialogs().clear();
    dialogs().modalHandlers.enqueue([](QDialog *window) {
        window->findChild<QAbstractButton *>(QStringLiteral("btnStampa"))->click();
        return 0;
    });
    click(QStringLiteral("cmdPreview"));
    QCOMPARE(dialogs().modalShown,
             QStringList({QStringLiteral("TfrmAnteprimaRic"), QStringLiteral("TfrmReportPreview")}));
    QVERIFY(dialogs().messages.isEmpty());
}

QTEST_MAIN(TestAgreementEditor)
#include "test_agreementeditor.moc"
