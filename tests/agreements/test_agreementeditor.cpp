#include "agreements/agreementeditor.h"
#include "app/startup.h"
#include "records/layout.h"
#include "support/testsupport.h"
#include "support/windowcontrols.h"
#include "ui/widgets/appearance.h"
#include "ui/dialogs/dialogs.h"
#include "ui/widgets/picturebutton.h"
#include "ui/dialogs/scripteddialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using agreements::TfrmRent_Receipts;

namespace {

const QString kCannotOpen = QStringLiteral(
    "Unable to open the database.\n\r\n\rMake sure you have administration privileges for the app installation folder.");
const QString kNoRecord = QStringLiteral("The database contains no record.");

// The 43 fields in record, tab and Enter-chain order.
const QStringList kFields = {
    QStringLiteral("txtCompany01"), QStringLiteral("txtCompany02"), QStringLiteral("txtCompany03"),
    QStringLiteral("txtCompany04"), QStringLiteral("txtNumber"), QStringLiteral("txtDate"),
    QStringLiteral("txtName"), QStringLiteral("txtGender"), QStringLiteral("txtBirthDate"),
    QStringLiteral("txtBirthPlace"), QStringLiteral("txtMobilePhone"), QStringLiteral("txtStreet"),
    QStringLiteral("txtCity"), QStringLiteral("txtState"), QStringLiteral("txtZip"),
    QStringLiteral("txtLicense"), QStringLiteral("txtIssDate"), QStringLiteral("txtExpDate"),
    QStringLiteral("txtAuthority"), QStringLiteral("txtType"), QStringLiteral("txtMake"),
    QStringLiteral("txtModel"), QStringLiteral("txtPlate"), QStringLiteral("txtVIN"),
    QStringLiteral("txtDamage"), QStringLiteral("txtInsurance"), QStringLiteral("txtOdoOut"),
    QStringLiteral("txtOdoIn"), QStringLiteral("txtFuelOut"), QStringLiteral("txtFuelIn"),
    QStringLiteral("txtServices"), QStringLiteral("txtExtra"), QStringLiteral("txtDaily"),
    QStringLiteral("txtDays"), QStringLiteral("txtDeposit"), QStringLiteral("txtTotal"),
    QStringLiteral("txtPayment"), QStringLiteral("txtPickUpDate"), QStringLiteral("txtPickUpTime"),
    QStringLiteral("txtPickUpLocation"), QStringLiteral("txtReturnDate"), QStringLiteral("txtReturnTime"),
    QStringLiteral("txtReturnLocation"),
};

struct Caption {
    const char *label;
    const char *field;
    const char *english;
    const char *italian;
};

const Caption kCaptions[] = {
    {"lblField001", "txtName", "Driver's name:", "Nome Cliente:"},
    {"lblField002", "txtGender", "Gender:", "Sesso:"},
    {"lblField003", "txtBirthDate", "Date of birth:", "Data di nascita:"},
    {"lblField004", "txtBirthPlace", "Place of birth:", "Luogo di nascita:"},
    {"lblField014", "txtMobilePhone", "Cell phone:", "Tel. cellulare:"},
    {"lblField005", "txtStreet", "Street address:", "Indirizzo di residenza:"},
    {"lblField006", "txtCity", "City:", "Città:"},
    {"lblField007", "txtState", "State:", "Stato:"},
    {"lblField008", "txtZip", "Zip Code:", "CAP:"},
    {"lblField017", "txtLicense", "Driver's License Number:", "Patente n."},
    {"lblField019", "txtIssDate", "Issue date:", "Data rilascio:"},
    {"lblField020", "txtExpDate", "Expiration date:", "Data scadenza:"},
    {"lblField022", "txtAuthority", "Issuing Authority:", "Ente rilascio:"},
    {"lblField009", "txtType", "Type of vehicle:", "Tipo veicolo:"},
    {"lblField010", "txtMake", "Make:", "Marca:"},
    {"lblField011", "txtModel", "Model:", "Modello:"},
    {"lblField012", "txtPlate", "Plate number:", "Targa n."},
    {"lblField013", "txtVIN", "VIN:", "Telaio n."},
    {"lblField015", "txtDamage", "Damage to rental car caused by driver:", "Danni causati al veicolo dal Cliente:"},
    {"lblField016", "txtInsurance", "Insurance:", "Assicurazione:"},
    {"lblField018", "txtOdoOut", "Odometer out:", "Km partenza:"},
    {"lblField021", "txtOdoIn", "Odometer in:", "Km rientro:"},
    {"lblField023", "txtFuelOut", "Fuel level out:", "Carburante uscita:"},
    {"lblField024", "txtFuelIn", "Fuel level in:", "Carburante rientro:"},
    {"lblField025", "txtServices", "Services included in rental price:", "Servizi inclusi nel prezzo di noleggio:"},
    {"lblField026", "txtExtra", "Extra costs:", "Costi aggiuntivi:"},
    {"lblField027", "txtDaily", "Daily price:", "Tariffa giornaliera:"},
    {"lblField028", "txtDays", "No. of days:", "Numero giorni:"},
    {"lblField029", "txtDeposit", "Deposit:", "Cauzione:"},
    {"lblField030", "txtTotal", "Total:", "Totale:"},
    {"lblField031", "txtPayment", "Payment details:", "Modalità di pagamento:"},
    {"lblField032", "txtPickUpDate", "Pick-up date:", "Data ritiro:"},
    {"lblField033", "txtPickUpTime", "Pick-up time:", "Ora ritiro:"},
    {"lblField034", "txtPickUpLocation", "Pick-up location:", "Sede ritiro:"},
    {"lblField035", "txtReturnDate", "Return date:", "Data riconsegna:"},
    {"lblField036", "txtReturnTime", "Return time:", "Ora riconsegna:"},
    {"lblField037", "txtReturnLocation", "Return location:", "Sede riconsegna:"},
};

} // namespace

class TestAgreementEditor final : public QObject, private testing::WindowControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void showingReadsTheHeaderAndStartsANewAgreement();
    void fieldsInRecordOrderWithTheirLimits();
    void enterChainWrapsToTheFirstHeaderLine();
    void captionsInBothLanguages();
    void newProposesStartPlusCount_data();
    void newProposesStartPlusCount();
    void newTwiceProposesTheSameNumber();
    void deletedDataFolderIsMadeAgain();
    void newWithANonWholeStartNumber();
    void newOnAFileThatCannotBeOpened();
    void saveRequiresSixFieldsInOrder_data();
    void saveRequiresSixFieldsInOrder();
    void saveWritesTheExactBytesThenOverwrites();
    void browsesAFileWrittenElsewhere();
    void browsingAnEmptyYear();
    void nextAndPreviousFromANewAgreement();
    void duplicateOfANewAgreementIsRefused();
    void duplicateAppendsACopyAndLeavesTheOriginal();
    void typingFilters();
    void closingWritesTheHeaderLines();
    void closingRemembersAStoredAgreementsHeader();
    void closingWithAnUnwritableSettingsFile();
    void numerationAndLogoButtonsOpenTheirWindows();
    void printAndPreviewUseTheFieldsOnScreen();
    void hints_data();
    void hints();
    void fitsTheScreenInBothLanguages();

private:
    QString yearFile() const { return m_data->file(QStringLiteral("2024.rnt")); }
    QString settingsFile() const { return m_data->file(QStringLiteral("Drivora_Settings.ini")); }
    void fillRequired() const
    {
        for (const char *name : {"txtCompany01", "txtNumber", "txtDate", "txtName", "txtMake", "txtPlate"})
            edit(QString::fromLatin1(name))->setText(QStringLiteral("x"));
    }
    QByteArray record(const std::map<std::string, QByteArray> &values, char filler = '\0') const
    {
        return testing::encodeRecord(records::agreementLayout(), values, filler);
    }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    TfrmRent_Receipts *m_editor = nullptr;
};

void TestAgreementEditor::initTestCase() { app::prepareApplication(*qApp); }

void TestAgreementEditor::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    testing::writeFile(settingsFile(), "[Rental Company]\r\nLine 1=Rossi Rent\r\nLine 2=Via Po 1\r\n"
                                       "Line 3=\r\nLine 4=Tel. 0541\r\n");
    m_editor = new TfrmRent_Receipts;
    m_editor->findChild<QLabel *>(QStringLiteral("lblFile"))->setText(QDir::toNativeSeparators(yearFile()));
    setWindow(m_editor);
    QVERIFY(testing::showAndActivate(m_editor));
}

void TestAgreementEditor::cleanup()
{
    delete m_editor;
    delete m_dialogs;
    delete m_data;
}

void TestAgreementEditor::showingReadsTheHeaderAndStartsANewAgreement()
{
    QCOMPARE(m_editor->objectName(), QStringLiteral("TfrmRent_Receipts"));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral(" Carvello - Rental Agreements"));
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("Rossi Rent"));
    QCOMPARE(edit(QStringLiteral("txtCompany02"))->text(), QStringLiteral("Via Po 1"));
    QCOMPARE(edit(QStringLiteral("txtCompany03"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtCompany04"))->text(), QStringLiteral("Tel. 0541"));
    QCOMPARE(edit(QStringLiteral("txtDate"))->text(), ui::todayText());
    for (const QString &name : kFields.mid(4)) {
        if (name != QLatin1String("txtDate"))
            QCOMPARE(edit(name)->text(), QString());
    }
    QCOMPARE(position(), QString());
    QVERIFY(edit(QStringLiteral("txtNumber"))->hasFocus());
    QCOMPARE(label(QStringLiteral("panInfo"))->text(), QStringLiteral("Ready to enter a new Rental Agreement..."));
    QVERIFY(!label(QStringLiteral("lblFile"))->isVisible());
    QVERIFY(!QFile::exists(yearFile())); // showing touches no record file

    // Every showing starts over from the settings, dropping what was typed.
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
    edit(QStringLiteral("txtCompany01"))->setText(QStringLiteral("changed"));
    label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("3"));
    m_editor->hide();
    testing::writeFile(settingsFile(), "[Rental Company]\r\nLine 1=Bianchi\r\n");
    m_editor->show();
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("Bianchi"));
    QCOMPARE(edit(QStringLiteral("txtCompany04"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
    QCOMPARE(position(), QString());
}

void TestAgreementEditor::fieldsInRecordOrderWithTheirLimits()
{
    const records::Layout &layout = records::agreementLayout();
    QCOMPARE(qsizetype(layout.fieldCount()), kFields.size());
    for (qsizetype k = 0; k < kFields.size(); ++k) {
        QCOMPARE(QStringLiteral("txt") + QString::fromLatin1(layout.field(std::size_t(k)).name), kFields.at(k));
        QLineEdit *field = edit(kFields.at(k));
        QVERIFY2(field, qPrintable(kFields.at(k)));
        QCOMPARE(field->maxLength(), layout.field(std::size_t(k)).capacity);
        QCOMPARE(field->font().family(), QStringLiteral("Verdana"));
        QVERIFY(field->font().bold());
        QVERIFY(!field->accessibleName().isEmpty());
    }
    QCOMPARE(edit(QStringLiteral("txtNumber"))->maxLength(), 20);
    QCOMPARE(edit(QStringLiteral("txtGender"))->maxLength(), 1);
    for (const char *centred :
         {"txtNumber", "txtDate", "txtGender", "txtPickUpDate", "txtPickUpTime", "txtReturnDate", "txtReturnTime"})
        QCOMPARE(edit(QString::fromLatin1(centred))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(edit(QStringLiteral("txtName"))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

void TestAgreementEditor::enterChainWrapsToTheFirstHeaderLine()
{
    edit(kFields.first())->setFocus();
    for (const QString &name : kFields) {
        QVERIFY2(edit(name)->hasFocus(), qPrintable(name));
        QTest::keyClick(edit(name), Qt::Key_Return);
    }
    QVERIFY(edit(QStringLiteral("txtCompany01"))->hasFocus());
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("Rossi Rent")); // Enter types nothing
}

void TestAgreementEditor::captionsInBothLanguages()
{
    QCOMPARE(m_editor->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^lblField\\d{3}$"))).size(), 37);
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Mario"));
    for (const Caption &c : kCaptions) {
        QLabel *title = label(QString::fromLatin1(c.label));
        QVERIFY2(title, c.label);
        QCOMPARE(title->text(), QString::fromUtf8(c.english));
        QCOMPARE(title->buddy(), edit(QString::fromLatin1(c.field)));
    }
    click(QStringLiteral("optItaliano"));
    for (const Caption &c : kCaptions)
        QCOMPARE(label(QString::fromLatin1(c.label))->text(), QString::fromUtf8(c.italian));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("Mario"));
    QCOMPARE(label(QStringLiteral("imgNumero"))->text(), QStringLiteral("Rental Agreement No."));
    QCOMPARE(label(QStringLiteral("imgData"))->text(), QStringLiteral("Date:"));

    // The choice lasts while the window is hidden and shown again.
    m_editor->close();
    m_editor->show();
    QCOMPARE(label(QStringLiteral("lblField031"))->text(), QStringLiteral("Modalità di pagamento:"));
    click(QStringLiteral("optEnglish"));
    for (const Caption &c : kCaptions)
        QCOMPARE(label(QString::fromLatin1(c.label))->text(), QString::fromUtf8(c.english));
}

void TestAgreementEditor::newProposesStartPlusCount_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no settings file, new year") << QByteArray("<none>") << 0 << "1";
    QTest::newRow("no start number, two stored") << QByteArray("[Rental Company]\r\nLine 1=x\r\n") << 2 << "3";
    QTest::newRow("empty start number") << QByteArray("[Rental Agreements]\r\nStart Number=\r\n") << 0 << "1";
    QTest::newRow("start 100, three stored") << QByteArray("[Rental Agreements]\r\nStart Number=100\r\n") << 3
                                             << "103";
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
    for (const QString &name : kFields)
        edit(name)->setText(QStringLiteral("old"));
    label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("2"));

    click(QStringLiteral("cmdNuovo"));
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), expected);
    QCOMPARE(edit(QStringLiteral("txtDate"))->text(), ui::todayText());
    QCOMPARE(position(), QString());
    for (int k = 0; k < 4; ++k)
        QCOMPARE(edit(kFields.at(k))->text(), QStringLiteral("old")); // the header stays
    for (const QString &name : kFields.mid(6))
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
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    // The user deletes the data folder while the year stays open.
    QVERIFY(QDir(m_data->dataFolder()).removeRecursively());
    m_dialogs->clear();
    click(QStringLiteral("cmdPrimo"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("The database contains no record."));
    click(QStringLiteral("cmdNuovo"));
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QStringLiteral("1"));
    fillRequired();
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(QFileInfo(yearFile()).size(), qint64(records::kAgreementRecordLength));
    for (const auto &m : std::as_const(m_dialogs->messages))
        QVERIFY2(m.kind != ui::MessageKind::Error, qPrintable(m.text));
}

void TestAgreementEditor::newWithANonWholeStartNumber()
{
    testing::writeFile(settingsFile(), "[Rental Agreements]\r\nStart Number=12.5\r\n");
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
    edit(QStringLiteral("txtCompany01"))->setText(QStringLiteral("header"));
    label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("4"));
    click(QStringLiteral("cmdNuovo"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Error);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->lastText(), kCannotOpen);
    // The fields were emptied before the number failed.
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("header"));
    QCOMPARE(position(), QString());
}

void TestAgreementEditor::newOnAFileThatCannotBeOpened()
{
    QDir().mkpath(yearFile()); // a folder where the year's file should be
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
    label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("2"));
    for (const char *b : {"cmdNuovo", "cmdSalva", "cmdPrimo", "cmdAvanti", "cmdUltimo", "cmdIndietro"}) {
        m_dialogs->clear();
        fillRequired();
        edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
        click(QString::fromLatin1(b));
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Error);
        QCOMPARE(m_dialogs->lastText(), kCannotOpen);
        QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("typed"));
        QCOMPARE(position(), QStringLiteral("2"));
    }
    m_dialogs->clear();
    click(QStringLiteral("cmdDuplica"));
    QCOMPARE(m_dialogs->lastText(), kCannotOpen);
    QCOMPARE(position(), QString()); // Duplicate had already emptied it
    QVERIFY(QFileInfo(yearFile()).isDir());
}

void TestAgreementEditor::saveRequiresSixFieldsInOrder_data()
{
    QTest::addColumn<QString>("emptyField");
    QTest::addColumn<QString>("blank");
    QTest::addColumn<QString>("warning");
    QTest::newRow("company") << "txtCompany01" << "" << "Enter the rental company's name to save the record.";
    QTest::newRow("company only blanks") << "txtCompany01" << "    "
                                         << "Enter the rental company's name to save the record.";
    QTest::newRow("number") << "txtNumber" << "" << "Enter the number of the Rental Agreement to save the record.";
    QTest::newRow("date") << "txtDate" << " " << "Enter the date of the Rental Agreement to save the record.";
    QTest::newRow("name") << "txtName" << "" << "Enter the driver's name to save the record.";
    QTest::newRow("make") << "txtMake" << "" << "Enter the vehicle make to save the record.";
    QTest::newRow("plate") << "txtPlate" << "" << "Enter the vehicle plate number to save the record.";
}

void TestAgreementEditor::saveRequiresSixFieldsInOrder()
{
    QFETCH(QString, emptyField);
    QFETCH(QString, blank);
    QFETCH(QString, warning);
    // Every required field after the empty one is empty too: the first wins.
    bool reached = false;
    for (const char *name : {"txtCompany01", "txtNumber", "txtDate", "txtName", "txtMake", "txtPlate"}) {
        const QString n = QString::fromLatin1(name);
        reached = reached || n == emptyField;
        edit(n)->setText(n == emptyField ? blank : reached ? QString() : QStringLiteral("x"));
    }
    edit(QStringLiteral("txtCity"))->setFocus();
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->lastText(), warning);
    QVERIFY(edit(emptyField)->hasFocus());
    QVERIFY(!QFile::exists(yearFile()));
    QCOMPARE(position(), QString());
}

void TestAgreementEditor::saveWritesTheExactBytesThenOverwrites()
{
    std::map<std::string, QByteArray> expected;
    int k = 0;
    for (const QString &name : kFields) {
        const auto capacity = edit(name)->maxLength();
        QByteArray value = name == QLatin1String("txtGender") ? QByteArray("F") : "v" + QByteArray::number(++k);
        if (capacity == 250)
            value += QByteArray(240, 'w'); // long values end up whole
        const QString padding = capacity >= 10 ? QStringLiteral(" ") : QString();
        edit(name)->setText(padding + QString::fromLatin1(value.left(capacity - 2 * padding.size())) + padding);
        expected[name.mid(3).toStdString()] = value.left(capacity - 2 * padding.size());
    }
    edit(QStringLiteral("txtCity"))->setText(QStringLiteral("Forlì"));
    expected["City"] = "Forl\xEC";
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(m_dialogs->messages.last().buttons, ui::Buttons::OkCancel);
    QCOMPARE(position(), QStringLiteral("1"));
    QByteArray bytes = testing::readFile(yearFile());
    QCOMPARE(bytes.size(), 4154);
    for (const records::FieldDef &f : records::agreementLayout().fields())
        QCOMPARE(testing::fieldBytes(records::agreementLayout(), bytes, std::string(f.name)),
                 expected[std::string(f.name)]);

    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Renamed"));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Changes to record saved successfully."));
    QCOMPARE(position(), QStringLiteral("1"));
    bytes = testing::readFile(yearFile());
    QCOMPARE(bytes.size(), 4154);
    QCOMPARE(testing::fieldBytes(records::agreementLayout(), bytes, "Name"), QByteArray("Renamed"));
    // Saving does not write the header lines to the settings file.
    QCOMPARE(testing::readFile(settingsFile()).count("Line 1=Rossi Rent"), 1);
}

void TestAgreementEditor::browsesAFileWrittenElsewhere()
{
    const QByteArray first = record({{"Company01", "Old Header"}, {"Number", "7"}, {"Date", "01/02/2024"},
                                     {"Name", "Anna Bianchi"}, {"City", "Citt\xE0"}, {"Gender", "f"},
                                     {"ReturnLocation", "Rimini"}},
                                    'x');
    const QByteArray second = record({{"Name", ""}, {"Street", "  Via Po 1  "}}, ' ');
    const QByteArray third = record({{"Number", "9"}, {"Plate", "ab 12"}});
    testing::writeFile(yearFile(), first + second + third + QByteArray(99, 'z'));

    click(QStringLiteral("cmdPrimo"));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QStringLiteral("Old Header"));
    QCOMPARE(edit(QStringLiteral("txtCompany02"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QStringLiteral("7"));
    QCOMPARE(edit(QStringLiteral("txtDate"))->text(), QStringLiteral("01/02/2024"));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("Anna Bianchi"));
    QCOMPARE(edit(QStringLiteral("txtCity"))->text(), QStringLiteral("Città"));
    QCOMPARE(edit(QStringLiteral("txtGender"))->text(), QStringLiteral("f")); // shown as stored
    QCOMPARE(edit(QStringLiteral("txtReturnLocation"))->text(), QStringLiteral("Rimini"));

    click(QStringLiteral("cmdAvanti"));
    QCOMPARE(position(), QStringLiteral("2"));
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QString()); // empty required fields shown as they are
    QCOMPARE(edit(QStringLiteral("txtStreet"))->text(), QStringLiteral("Via Po 1"));
    QCOMPARE(edit(QStringLiteral("txtDate"))->text(), QString());

    click(QStringLiteral("cmdUltimo"));
    QCOMPARE(position(), QStringLiteral("3")); // the trailing 99 bytes are not a record
    QCOMPARE(edit(QStringLiteral("txtPlate"))->text(), QStringLiteral("ab 12"));

    const auto before = m_dialogs->messages.size();
    click(QStringLiteral("cmdAvanti"));
    QCOMPARE(position(), QStringLiteral("3"));
    click(QStringLiteral("cmdIndietro"));
    click(QStringLiteral("cmdIndietro"));
    QCOMPARE(position(), QStringLiteral("1"));
    click(QStringLiteral("cmdIndietro"));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(m_dialogs->messages.size(), before); // no message at either end
    QCOMPARE(testing::readFile(yearFile()).size(), 3 * 4154 + 99); // browsing writes nothing
}

void TestAgreementEditor::browsingAnEmptyYear()
{
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
    for (const char *b : {"cmdAvanti", "cmdPrimo", "cmdUltimo", "cmdIndietro"}) {
        m_dialogs->clear();
        click(QString::fromLatin1(b));
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Information);
        QCOMPARE(m_dialogs->lastText(), kNoRecord);
        QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("typed"));
        QCOMPARE(position(), QString());
    }
    QVERIFY(QFile::exists(yearFile()));
    QCOMPARE(QFileInfo(yearFile()).size(), 0);
}

void TestAgreementEditor::nextAndPreviousFromANewAgreement()
{
    testing::writeFile(yearFile(), record({{"Name", "One"}}) + record({{"Name", "Two"}}));
    for (const char *b : {"cmdAvanti", "cmdIndietro"}) {
        click(QStringLiteral("cmdNuovo"));
        QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QStringLiteral("3"));
        click(QString::fromLatin1(b));
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("One"));
    }
}

void TestAgreementEditor::duplicateOfANewAgreementIsRefused()
{
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("typed"));
    click(QStringLiteral("cmdDuplica"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->lastText(),
             QStringLiteral("Incorrect use of the function.\n\r\n\rYou can only duplicate a record after saving it."));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("typed"));
    QCOMPARE(edit(QStringLiteral("txtDate"))->text(), ui::todayText());
    QVERIFY(!QFile::exists(yearFile()));
}

void TestAgreementEditor::duplicateAppendsACopyAndLeavesTheOriginal()
{
    QByteArray bytes;
    for (int k = 1; k <= 10; ++k)
        bytes += record({{"Company01", "Rossi"}, {"Number", QByteArray::number(k)}, {"Date", "03/03/2024"},
                         {"Name", "Driver " + QByteArray::number(k)}, {"Make", "Fiat"}, {"Plate", "AB123"}});
    testing::writeFile(yearFile(), bytes);
    click(QStringLiteral("cmdPrimo"));
    for (int k = 0; k < 3; ++k)
        click(QStringLiteral("cmdAvanti"));
    QCOMPARE(position(), QStringLiteral("4"));
    edit(QStringLiteral("txtCity"))->setFocus();
    click(QStringLiteral("cmdDuplica"));
    QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral(
        "You can now edit the record.\n\r\n\rWhen you finish, press the Save button to save the changes."));
    QCOMPARE(position(), QString());
    QCOMPARE(edit(QStringLiteral("txtNumber"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtDate"))->text(), ui::todayText());
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QStringLiteral("Driver 4"));
    QVERIFY(edit(QStringLiteral("txtNumber"))->hasFocus());

    edit(QStringLiteral("txtNumber"))->setText(QStringLiteral("11"));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(position(), QStringLiteral("11"));
    const QByteArray after = testing::readFile(yearFile());
    QCOMPARE(after.size(), 11 * 4154);
    QCOMPARE(after.left(10 * 4154), bytes); // agreement 4 untouched
    const QByteArray copy = after.mid(10 * 4154);
    const records::Layout &layout = records::agreementLayout();
    QCOMPARE(testing::fieldBytes(layout, copy, "Name"), QByteArray("Driver 4"));
    QCOMPARE(testing::fieldBytes(layout, copy, "Number"), QByteArray("11"));
    QCOMPARE(testing::fieldBytes(layout, copy, "Date"), ui::todayText().toLatin1());
}

void TestAgreementEditor::typingFilters()
{
    QTest::keyClicks(edit(QStringLiteral("txtGender")), QStringLiteral("m"));
    QCOMPARE(edit(QStringLiteral("txtGender"))->text(), QStringLiteral("M"));
    edit(QStringLiteral("txtGender"))->clear();
    QTest::keyClicks(edit(QStringLiteral("txtGender")), QStringLiteral(" "));
    QCOMPARE(edit(QStringLiteral("txtGender"))->text(), QString());
    QTest::keyClicks(edit(QStringLiteral("txtPlate")), QStringLiteral("ab 12 cd "));
    QCOMPARE(edit(QStringLiteral("txtPlate"))->text(), QStringLiteral("AB 12 CD "));
    QTest::keyClicks(edit(QStringLiteral("txtModel")), QStringLiteral("panda "));
    QCOMPARE(edit(QStringLiteral("txtModel"))->text(), QStringLiteral("panda "));
}

void TestAgreementEditor::closingWritesTheHeaderLines()
{
    QFile::remove(settingsFile());
    m_editor->hide();
    m_editor->show(); // first run: no settings file
    for (int k = 0; k < 4; ++k)
        QCOMPARE(edit(kFields.at(k))->text(), QString());
    m_editor->close();
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(testing::readFile(settingsFile()),
             QByteArray("[Rental Company]\r\nLine 1=\r\nLine 2=\r\nLine 3=\r\nLine 4=\r\n"));

    m_editor->show();
    edit(QStringLiteral("txtCompany01"))->setText(QStringLiteral("  Rossi Rent  "));
    edit(QStringLiteral("txtCompany03"))->setText(QStringLiteral("Forlì"));
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("unsaved"));
    click(QStringLiteral("cmdEsci"));
    QVERIFY(!m_editor->isVisible());
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(testing::readFile(settingsFile()),
             QByteArray("[Rental Company]\r\nLine 1=Rossi Rent\r\nLine 2=\r\nLine 3=Forl\xEC\r\nLine 4=\r\n"));
    QVERIFY(!QFile::exists(yearFile())); // the unsaved agreement is dropped
    m_editor->show();
    QCOMPARE(edit(QStringLiteral("txtCompany03"))->text(), QStringLiteral("Forlì"));
    QCOMPARE(edit(QStringLiteral("txtName"))->text(), QString());
}

void TestAgreementEditor::closingRemembersAStoredAgreementsHeader()
{
    testing::writeFile(yearFile(), record({{"Company01", "Stored Co"}, {"Company04", "Line four"}}));
    click(QStringLiteral("cmdPrimo"));
    m_editor->close();
    const QByteArray ini = testing::readFile(settingsFile());
    QVERIFY(ini.contains("Line 1=Stored Co\r\n"));
    QVERIFY(ini.contains("Line 2=\r\n"));
    QVERIFY(ini.contains("Line 4=Line four\r\n"));
}

void TestAgreementEditor::closingWithAnUnwritableSettingsFile()
{
    QFile::remove(settingsFile());
    QDir().mkpath(settingsFile() + QStringLiteral("/x"));
    m_editor->close();
    QCOMPARE(m_dialogs->messages.size(), 1); // reported once, not per line
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Error);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(settingsFile()));
    QVERIFY(!m_editor->isVisible()); // the window still closes
    m_editor->show(); // and opens again with empty header lines
    QCOMPARE(edit(QStringLiteral("txtCompany01"))->text(), QString());
}

void TestAgreementEditor::printAndPreviewUseTheFieldsOnScreen()
{
    // Nothing is saved: the paper shows what the editor shows.
    edit(QStringLiteral("txtNumber"))->setText(QStringLiteral("4711"));
    edit(QStringLiteral("txtName"))->setText(QStringLiteral("Ingrid Svensson"));
    const QString pdf = m_data->root() + QStringLiteral("/printed.pdf");
    m_dialogs->printFile = pdf;
    m_dialogs->printerChoices.enqueue(true);
    m_dialogs->modalHandlers.enqueue([](QDialog *window) {
        window->findChild<QAbstractButton *>(QStringLiteral("btnStampa"))->click();
        return 0;
    });
    click(QStringLiteral("cmdPrint"));
    QCOMPARE(m_dialogs->modalShown, QStringList(QStringLiteral("TfrmStampaRic")));
    QCOMPARE(m_dialogs->printDialogs, 1);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(!QFile::exists(yearFile()));

    m_dialogs->clear();
    m_dialogs->modalHandlers.enqueue([](QDialog *window) {
        window->findChild<QAbstractButton *>(QStringLiteral("btnStampa"))->click();
        return 0;
    });
    click(QStringLiteral("cmdPreview"));
    QCOMPARE(m_dialogs->modalShown,
             QStringList({QStringLiteral("TfrmAnteprimaRic"), QStringLiteral("TfrmReportPreview")}));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestAgreementEditor::numerationAndLogoButtonsOpenTheirWindows()
{
    QString memory;
    m_dialogs->modalHandlers.enqueue([&memory](QDialog *dialog) {
        memory = dialog->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
        return 0;
    });
    click(QStringLiteral("cmdNumeration"));
    click(QStringLiteral("btnLogo"));
    QCOMPARE(m_dialogs->modalShown, QStringList({QStringLiteral("TfrmNumeration"), QStringLiteral("TfrmLogo")}));
    QCOMPARE(memory, QStringLiteral("ricevute"));
    // Per-use windows are destroyed after use.
    // Destroyed from the event loop once the handler that closed it is done.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_editor->findChild<QDialog *>());
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestAgreementEditor::hints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("cmdNuovo") << "cmdNuovo" << "Enter new record.";
    QTest::newRow("cmdDuplica") << "cmdDuplica" << "Duplicate record.";
    QTest::newRow("cmdSalva") << "cmdSalva" << "Save record.";
    QTest::newRow("cmdPrimo") << "cmdPrimo" << "View first record.";
    QTest::newRow("cmdIndietro") << "cmdIndietro" << "View previous record.";
    QTest::newRow("cmdAvanti") << "cmdAvanti" << "View next record.";
    QTest::newRow("cmdUltimo") << "cmdUltimo" << "View last record.";
    QTest::newRow("cmdPreview") << "cmdPreview" << "Show preview window.";
    QTest::newRow("cmdPrint") << "cmdPrint" << "Show print window.";
    QTest::newRow("cmdNumeration") << "cmdNumeration" << "Set Rental Agreements starting number.";
    QTest::newRow("cmdEsci") << "cmdEsci" << "Close window.";
    QTest::newRow("btnLogo") << "btnLogo"
                             << "Load a picture to use as the company's logo when printing Rental Agreements.";
    QTest::newRow("optItaliano") << "optItaliano" << "Traduci i campi di testo in italiano.";
    QTest::newRow("optEnglish") << "optEnglish" << "Translate the text fields into English.";
}

void TestAgreementEditor::hints()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    verifyHint(control, hint, QStringLiteral("txtName"));
    verifyHintClearedOverPanel();
}

void TestAgreementEditor::fitsTheScreenInBothLanguages()
{
    // Buttons that would do nothing yet are not there.
    for (const char *absent : {"cmdTrova", "cmdEsporta", "cmdGuida", "impDriver",
                               "impVehicle"})
        QVERIFY2(!m_editor->findChild<QWidget *>(QString::fromLatin1(absent)), absent);

    auto *scroll = m_editor->findChild<QScrollArea *>();
    QVERIFY(scroll);
    for (const char *flag : {"optItaliano", "optEnglish"}) {
        click(QString::fromLatin1(flag));
        QApplication::processEvents();
        QVERIFY(!scroll->verticalScrollBar()->isVisible());
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        const QRect window = m_editor->rect();
        QList<QRect> taken;
        for (const QString &name : kFields) {
            QLineEdit *field = edit(name);
            QVERIFY2(field->isVisible(), qPrintable(name));
            taken.append(QRect(field->mapTo(m_editor, QPoint(0, 0)), field->size()));
        }
        for (const Caption &c : kCaptions) {
            QLabel *title = label(QString::fromLatin1(c.label));
            QVERIFY2(title->isVisible(), c.label);
            QVERIFY2(title->fontMetrics().horizontalAdvance(title->text()) <= title->width(), c.label);
            taken.append(QRect(title->mapTo(m_editor, QPoint(0, 0)), title->size()));
        }
        for (qsizetype a = 0; a < taken.size(); ++a) {
            QVERIFY(window.contains(taken.at(a)));
            for (qsizetype b = a + 1; b < taken.size(); ++b)
                QVERIFY2(!taken.at(a).intersects(taken.at(b)), qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
        }
    }
    // The window's gradient shows around the panel.
    const QColor corner = m_editor->grab().toImage().pixelColor(2, 2);
    QVERIFY2(std::abs(corner.red() - 0x3E) <= 3 && std::abs(corner.green() - 0x74) <= 3
                 && std::abs(corner.blue() - 0x9E) <= 3,
             qPrintable(corner.name()));
}

QTEST_MAIN(TestAgreementEditor)
#include "test_agreementeditor.moc"
