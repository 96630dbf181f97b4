#include "app/startup.h"
#include "fleet/fleeteditor.h"
#include "fleet/picturebox.h"
#include "fleettesting.h"
#include "records/layout.h"
#include "support/testsupport.h"
#include "support/windowcontrols.h"
#include "ui/dialogs/dialogs.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"
#include "ui/dialogs/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using fleet::TfrmFleet;

namespace {

const QString kCannotOpen = QStringLiteral(
    "Unable to open the database.\n\r\n\rMake sure you have administration privileges for the app installation folder.");

struct FieldRow {
    const char *control;
    const char *english;
    const char *italian;
    int capacity;
    bool white;
};

// The editor's fields as the user must see them, written out independently
// of the program's own table.
const FieldRow kFields[] = {
    {"txtType", "Type of vehicle:", "Tipo veicolo:", 50, false},
    {"txtServices", "Services included in rental price:", "Servizi inclusi nel prezzo di noleggio:", 250, false},
    {"txtMake", "Make:", "Marca:", 50, false},
    {"txtModel", "Model:", "Modello:", 50, false},
    {"txtPlate", "Plate number:", "Targa n.", 50, false},
    {"txtYear", "Year:", "Anno:", 4, false},
    {"txtColor", "Color:", "Colore:", 50, false},
    {"txtVIN", "VIN:", "Telaio n.", 50, false},
    {"txtTires", "Tires:", "Pneumatici:", 250, false},
    {"txtEngine", "Engine number:", "Numero di serie motore:", 50, false},
    {"txtOdometer", "Last odometer reading:", "Km percorsi:", 50, false},
    {"txtDateOdo", "Date of reading:", "Data lettura km:", 10, false},
    {"txtFuel", "Fuel type:", "Tipo carburante:", 50, false},
    {"txtDisplacement", "Displacement (cc):", "Cilindrata (cc):", 50, false},
    {"txtKW", "kW:", "kW:", 50, false},
    {"txtEnvironment", "Environmental sustainability:", "Compatibilità ambientale:", 50, false},
    {"txtSeats", "Seats:", "Posti:", 50, false},
    {"txtWeight", "Weight capacity:", "Portata massima:", 50, false},
    {"txtInsurance", "Insurance:", "Assicurazione:", 250, false},
    {"txtCost", "Purchase cost:", "Costo di acquisto:", 50, false},
    {"txtValue", "Current value:", "Valore attuale:", 50, false},
    {"txtIncidents", "Accidents:", "Incidenti:", 250, false},
    {"txtBreakdowns", "Breakdowns:", "Guasti:", 250, false},
    {"txtRenter", "Owner's name:", "Proprietario:", 250, true},
    {"txtPhoneOwn", "Phone:", "Telefono:", 50, true},
    {"txtDaily", "Daily price:", "€ Giorno:", 50, true},
    {"txtWeekly", "Weekly price:", "€ Settimana:", 50, true},
    {"txtMonthly", "Monthly price:", "€ Mese:", 50, true},
    {"txtExtra", "Extra costs:", "Costi aggiuntivi:", 250, true},
    {"txtMechanic", "Mechanic:", "Meccanico:", 250, true},
    {"txtPhoneMec", "Phone:", "Telefono:", 50, true},
    {"txtNotes", "Notes:", "Note:", 250, true},
};

const QStringList kHidden = {QStringLiteral("lblFile01"), QStringLiteral("lblFile02"), QStringLiteral("lblFile03"),
                             QStringLiteral("lblDesc01"), QStringLiteral("lblDesc02"), QStringLiteral("lblDesc03")};

QString control(int k) { return QString::fromLatin1(kFields[k].control); }

const records::Layout &vehicles() { return records::vehicleLayout(); }

// A vehicle with the seven required fields.
std::map<std::string, QByteArray> vehicle(const QByteArray &make)
{
    return {{"Type", "Car"}, {"Make", make}, {"Model", "M"}, {"Plate", "AB123"},
            {"Year", "2020"}, {"Seats", "5"}, {"Fuel", "Petrol"}};
}

} // namespace

class TestFleetEditor final : public QObject, private testing::WindowControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void opensEmptyInNewRecordState();
    void fieldTable_data();
    void fieldTable();
    void languageToggleChangesOnlyTitles();
    void saveChecksRequiredFieldsInOrder_data();
    void saveChecksRequiredFieldsInOrder();
    void saveTakesTheFocusFromTheField();
    void saveWritesTheExactBytesThenOverwrites();
    void attachmentLabelsAreCutToTheirCapacity();
    void browsesAFileWrittenElsewhere();
    void browsingAnEmptyDatabase();
    void nextAndPreviousFromANewRecordShowTheFirst();
    void duplicateOfANewRecordIsRefused();
    void duplicateAppendsACopyWithoutAttachments();
    void unwritableDatabaseKeepsTheScreen();
    void enterChainFollowsTheFieldOrder();
    void plateIsUpperCasedAsTyped_data();
    void plateIsUpperCasedAsTyped();
    void reopeningStartsEmptyAndKeepsLanguage();
    void hints_data();
    void hints();
    void onlyWorkingButtonsAreOffered();
    void fitsTheScreenWithoutClippingOrOverlap_data();
    void fitsTheScreenWithoutClippingOrOverlap();
    void launcherTileOpensTheEditorAndClosingReturns();

private:
    void fillRequired() const
    {
        for (const char *name : {"txtType", "txtMake", "txtModel", "txtPlate", "txtYear", "txtSeats", "txtFuel"})
            edit(QString::fromLatin1(name))->setText(QStringLiteral("x"));
    }
    QString dbFile() const { return m_data->file(QStringLiteral("Vehicle_Fleet.pro")); }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    TfrmFleet *m_editor = nullptr;
};

void TestFleetEditor::initTestCase() { app::prepareApplication(*qApp); }

void TestFleetEditor::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    m_editor = new TfrmFleet;
    setWindow(m_editor);
    QVERIFY(testing::showAndActivate(m_editor));
}

void TestFleetEditor::cleanup()
{
    delete m_editor;
    delete m_dialogs;
    delete m_data;
}

void TestFleetEditor::opensEmptyInNewRecordState()
{
    QCOMPARE(m_editor->objectName(), QStringLiteral("TfrmFleet"));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral(" Carvello - Vehicle Fleet"));
    QCOMPARE(position(), QString());
    QVERIFY(label(QStringLiteral("lblPosizione"))->font().bold());
    QCOMPARE(label(QStringLiteral("lblPosizione"))->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    for (const FieldRow &f : kFields)
        QCOMPARE(edit(QString::fromLatin1(f.control))->text(), QString());
    for (const QString &name : kHidden) {
        QVERIFY2(label(name), qPrintable(name));
        QVERIFY(!label(name)->isVisible());
    }
    QVERIFY(edit(QStringLiteral("txtType"))->hasFocus());
    auto *btnFocus = m_editor->findChild<QPushButton *>(QStringLiteral("btnFocus"));
    QVERIFY(btnFocus);
    QVERIFY(!btnFocus->isVisible());
    QVERIFY(m_editor->photo().isPlaceholder());
    QVERIFY(!m_editor->findChild<fleet::PictureBox *>(QStringLiteral("imgBianco"))->isVisible());
    TfrmFleet fresh;
    QCOMPARE(fresh.findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
             QStringLiteral("Ready to enter a new record..."));
    QVERIFY(!QFile::exists(dbFile())); // showing touches no file
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestFleetEditor::fieldTable_data()
{
    QTest::addColumn<int>("index");
    for (int k = 0; k < int(std::size(kFields)); ++k)
        QTest::newRow(kFields[k].control) << k;
}

void TestFleetEditor::fieldTable()
{
    QFETCH(int, index);
    const FieldRow &row = kFields[index];
    QLineEdit *field = edit(QString::fromLatin1(row.control));
    QVERIFY(field);
    QCOMPARE(field->maxLength(), row.capacity);
    // The record field of the same name has the same capacity.
    const auto recordField = vehicles().indexOf(std::string(row.control + 3));
    QVERIFY(recordField);
    QCOMPARE(int(*recordField), index);
    QCOMPARE(vehicles().field(*recordField).capacity, row.capacity);
    QCOMPARE(field->property("restColour").value<QColor>(), row.white ? QColor(Qt::white) : QColor(0xF0, 0xF8, 0xFF));
    QCOMPARE(field->font().family(), QStringLiteral("Verdana"));
    QVERIFY(field->font().bold());
    QCOMPARE(field->font().pixelSize(), 12);
    QLabel *title = label(QStringLiteral("lblCampo%1").arg(index + 1, 3, 10, QLatin1Char('0')));
    QVERIFY(title);
    QCOMPARE(title->text(), QString::fromUtf8(row.english));
    QCOMPARE(title->buddy(), field);
    // Each title stands above its own field.
    const QRect titleRect(title->mapTo(m_editor, QPoint(0, 0)), title->size());
    const QRect fieldRect(field->mapTo(m_editor, QPoint(0, 0)), field->size());
    QVERIFY(titleRect.bottom() < fieldRect.top());
    QVERIFY(fieldRect.top() - titleRect.bottom() < 10);
    QCOMPARE(titleRect.left(), fieldRect.left());
}

void TestFleetEditor::languageToggleChangesOnlyTitles()
{
    edit(QStringLiteral("txtMake"))->setText(QStringLiteral("Fiat"));
    const QString hint = label(QStringLiteral("panInfo"))->text();
    click(QStringLiteral("optItaliano"));
    for (int k = 0; k < int(std::size(kFields)); ++k) {
        const QString name = QStringLiteral("lblCampo%1").arg(k + 1, 3, 10, QLatin1Char('0'));
        QCOMPARE(label(name)->text(), QString::fromUtf8(kFields[k].italian));
        // A title shown in full, in either language.
        QVERIFY2(label(name)->width() >= label(name)->sizeHint().width(), qPrintable(name));
    }
    QCOMPARE(label(QStringLiteral("lblCampo005"))->text(), QStringLiteral("Targa n."));
    QCOMPARE(label(QStringLiteral("lblCampo008"))->text(), QStringLiteral("Telaio n."));
    QCOMPARE(label(QStringLiteral("lblCampo027"))->text(), QStringLiteral("€ Settimana:"));
    QCOMPARE(label(QStringLiteral("lblCampo028"))->text(), QStringLiteral("€ Mese:"));
    QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QStringLiteral("Fiat"));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral(" Carvello - Vehicle Fleet"));
    QCOMPARE(label(QStringLiteral("panInfo"))->text(), hint);
    click(QStringLiteral("optEnglish"));
    for (int k = 0; k < int(std::size(kFields)); ++k) {
        const QString name = QStringLiteral("lblCampo%1").arg(k + 1, 3, 10, QLatin1Char('0'));
        QCOMPARE(label(name)->text(), QString::fromUtf8(kFields[k].english));
    }
}

void TestFleetEditor::saveChecksRequiredFieldsInOrder_data()
{
    QTest::addColumn<QString>("empty"); // comma-separated
    QTest::addColumn<QString>("expectedField");
    QTest::addColumn<QString>("warning");
    QTest::newRow("type") << "txtType" << "txtType"
                          << "Enter the type of vehicle to save the record.";
    QTest::newRow("make") << "txtMake" << "txtMake"
                          << "Enter the make of the vehicle to save the record.";
    QTest::newRow("model") << "txtModel" << "txtModel"
                           << "Enter the the model of the vehicle to save the record.";
    QTest::newRow("plate") << "txtPlate" << "txtPlate"
                           << "Enter the license plate number of the vehicle to save the record.";
    QTest::newRow("year") << "txtYear" << "txtYear"
                          << "Enter the manufacture year of the vehicle to save the record.";
    QTest::newRow("seats") << "txtSeats" << "txtSeats"
                           << "Enter the number of seats of the vehicle to save the record.";
    QTest::newRow("fuel only") << "txtFuel" << "txtFuel"
                               << "Enter the fuel type of the vehicle to save the record.";
    // Fuel comes after Seats in the checks although it comes first on screen.
    QTest::newRow("fuel and seats") << "txtFuel,txtSeats" << "txtSeats"
                                    << "Enter the number of seats of the vehicle to save the record.";
    QTest::newRow("all") << "txtType,txtMake,txtModel,txtPlate,txtYear,txtSeats,txtFuel"
                         << "txtType" << "Enter the type of vehicle to save the record.";
}

void TestFleetEditor::saveChecksRequiredFieldsInOrder()
{
    QFETCH(QString, empty);
    QFETCH(QString, expectedField);
    QFETCH(QString, warning);
    fillRequired();
    for (const QString &name : empty.split(QLatin1Char(',')))
        edit(name)->setText(QStringLiteral("   ")); // blanks count as empty
    edit(QStringLiteral("txtNotes"))->setFocus();
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->lastText(), warning);
    QVERIFY(edit(expectedField)->hasFocus());
    QVERIFY(!QFile::exists(dbFile()));
    QCOMPARE(position(), QString());
}

void TestFleetEditor::saveTakesTheFocusFromTheField()
{
    fillRequired();
    QLineEdit *notes = edit(QStringLiteral("txtNotes"));
    notes->setFocus();
    QVERIFY(notes->hasFocus());
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    for (const FieldRow &f : kFields)
        QVERIFY2(!edit(QString::fromLatin1(f.control))->hasFocus(), f.control);
    QVERIFY(!m_editor->findChild<QPushButton *>(QStringLiteral("btnFocus"))->isVisible());
}

void TestFleetEditor::saveWritesTheExactBytesThenOverwrites()
{
    std::map<std::string, QByteArray> expected;
    for (int k = 0; k < int(std::size(kFields)); ++k) {
        const QByteArray value = k == 5 ? QByteArray("2021") : QByteArray("v") + QByteArray::number(k + 1);
        const QString padding = k == 5 ? QString() : QStringLiteral("  ");
        edit(control(k))->setText(padding + QString::fromLatin1(value) + QStringLiteral(" \t"));
        expected[std::string(kFields[k].control + 3)] = value;
    }
    edit(QStringLiteral("txtYear"))->setText(QStringLiteral("2021"));
    edit(QStringLiteral("txtPlate"))->setText(QStringLiteral(" ab 1 ")); // set by the program: not filtered
    expected["Plate"] = "ab 1";
    edit(QStringLiteral("txtServices"))->setText(QStringLiteral("Assistenza 24h, più"));
    expected["Services"] = "Assistenza 24h, pi\xF9";
    const QStringList hiddenValues = {QStringLiteral("policy.pdf"), QString(), QStringLiteral("c.doc"),
                                      QStringLiteral("Polizza"), QString(), QStringLiteral("Libretto")};
    for (qsizetype k = 0; k < kHidden.size(); ++k) {
        label(kHidden[k])->setText(QStringLiteral(" ") + hiddenValues[k]);
        expected[kHidden[k].mid(3).toStdString()] = hiddenValues[k].toLatin1();
    }
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(position(), QStringLiteral("1"));
    QByteArray bytes = testing::readFile(dbFile());
    QCOMPARE(bytes.size(), 4852);
    for (const records::FieldDef &f : vehicles().fields()) {
        const std::string n(f.name);
        QCOMPARE(testing::fieldBytes(vehicles(), bytes, n), expected.count(n) ? expected[n] : QByteArray());
    }
    // The screen keeps what was typed.
    QCOMPARE(edit(QStringLiteral("txtType"))->text(), QStringLiteral("  v1 \t"));

    edit(QStringLiteral("txtMake"))->setText(QStringLiteral("Lancia"));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Changes to record saved successfully."));
    QCOMPARE(position(), QStringLiteral("1"));
    bytes = testing::readFile(dbFile());
    QCOMPARE(bytes.size(), 4852);
    QCOMPARE(testing::fieldBytes(vehicles(), bytes, "Make"), QByteArray("Lancia"));

    // Appending again after New.
    click(QStringLiteral("cmdNuovo"));
    fillRequired();
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(position(), QStringLiteral("2"));
    QCOMPARE(testing::readFile(dbFile()).size(), 2 * 4852);
}

void TestFleetEditor::attachmentLabelsAreCutToTheirCapacity()
{
    fillRequired();
    label(QStringLiteral("lblDesc03"))->setText(QString(300, QLatin1Char('d')));
    click(QStringLiteral("cmdSalva"));
    const QByteArray bytes = testing::readFile(dbFile());
    QCOMPARE(bytes.size(), 4852);
    QCOMPARE(testing::fieldBytes(vehicles(), bytes, "Desc03"), QByteArray(250, 'd'));
}

void TestFleetEditor::browsesAFileWrittenElsewhere()
{
    QByteArray first = testing::encodeRecord(vehicles(), {{"Type", "Furgone"}, {"Make", "Citro\xEBn"},
                                                          {"Plate", "ab 123 cd"}, {"Notes", "  spaced  "},
                                                          {"File03", "x.pdf"}, {"Desc03", "Libretto"}}, 'x');
    // Required fields empty: browsed like any other record.
    QByteArray second = testing::encodeRecord(vehicles(), {{"Weekly", "350"}}, ' ');
    QByteArray third = testing::encodeRecord(vehicles(), {{"Type", "Auto"}, {"Year", "2019"}});
    third[455] = char(200); // Year's length byte damaged: read as its capacity
    third[456] = '1';
    third[457] = '9';
    third[458] = '9';
    third[459] = '9';
    testing::writeFile(dbFile(), first + second + third + QByteArray(1000, 'z'));

    click(QStringLiteral("cmdPrimo"));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(edit(QStringLiteral("txtType"))->text(), QStringLiteral("Furgone"));
    QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QStringLiteral("Citroën"));
    QCOMPARE(edit(QStringLiteral("txtPlate"))->text(), QStringLiteral("ab 123 cd")); // shown as stored
    QCOMPARE(edit(QStringLiteral("txtNotes"))->text(), QStringLiteral("spaced"));
    QCOMPARE(label(QStringLiteral("lblFile03"))->text(), QStringLiteral("x.pdf"));
    QCOMPARE(label(QStringLiteral("lblDesc03"))->text(), QStringLiteral("Libretto"));

    click(QStringLiteral("cmdAvanti"));
    QCOMPARE(position(), QStringLiteral("2"));
    QCOMPARE(edit(QStringLiteral("txtType"))->text(), QString());
    QCOMPARE(edit(QStringLiteral("txtWeekly"))->text(), QStringLiteral("350"));
    QCOMPARE(label(QStringLiteral("lblFile03"))->text(), QString());

    click(QStringLiteral("cmdUltimo"));
    QCOMPARE(position(), QStringLiteral("3")); // the trailing bytes are not a record
    QCOMPARE(edit(QStringLiteral("txtYear"))->text(), QStringLiteral("1999"));
    QVERIFY(m_dialogs->messages.isEmpty());

    click(QStringLiteral("cmdAvanti"));
    QCOMPARE(position(), QStringLiteral("3"));
    click(QStringLiteral("cmdIndietro"));
    click(QStringLiteral("cmdIndietro"));
    QCOMPARE(position(), QStringLiteral("1"));
    click(QStringLiteral("cmdIndietro"));
    QCOMPARE(position(), QStringLiteral("1"));
    QVERIFY(m_dialogs->messages.isEmpty()); // no message at either end

    // A record with empty required fields can be shown but not saved as is.
    click(QStringLiteral("cmdAvanti"));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Enter the type of vehicle to save the record."));
}

void TestFleetEditor::browsingAnEmptyDatabase()
{
    edit(QStringLiteral("txtMake"))->setText(QStringLiteral("typed"));
    click(QStringLiteral("cmdAvanti"));
    QVERIFY(QFile::exists(dbFile()));
    QCOMPARE(QFileInfo(dbFile()).size(), 0);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("The database contains no record."));
    QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(position(), QString());
    QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QStringLiteral("typed"));
    for (const char *b : {"cmdPrimo", "cmdUltimo", "cmdIndietro"}) {
        m_dialogs->clear();
        click(QString::fromLatin1(b));
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->lastText(), QStringLiteral("The database contains no record."));
    }
}

void TestFleetEditor::nextAndPreviousFromANewRecordShowTheFirst()
{
    testing::writeFile(dbFile(), testing::encodeRecord(vehicles(), vehicle("One"))
                                     + testing::encodeRecord(vehicles(), vehicle("Two")));
    for (const char *b : {"cmdAvanti", "cmdIndietro"}) {
        click(QStringLiteral("cmdUltimo"));
        QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QStringLiteral("Two"));
        click(QStringLiteral("cmdNuovo"));
        QCOMPARE(position(), QString());
        QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QString());
        QVERIFY(edit(QStringLiteral("txtType"))->hasFocus());
        click(QString::fromLatin1(b));
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QStringLiteral("One"));
    }
}

void TestFleetEditor::duplicateOfANewRecordIsRefused()
{
    fillRequired();
    click(QStringLiteral("cmdDuplica"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->lastText(),
             QStringLiteral("Incorrect use of the function.\n\r\n\rYou can only duplicate a record after saving it."));
    QCOMPARE(edit(QStringLiteral("txtType"))->text(), QStringLiteral("x"));
}

void TestFleetEditor::duplicateAppendsACopyWithoutAttachments()
{
    QByteArray file;
    for (int k = 1; k <= 9; ++k) {
        auto values = vehicle("Make" + QByteArray::number(k));
        values["File01"] = "f" + QByteArray::number(k);
        values["Desc02"] = "d" + QByteArray::number(k);
        file += testing::encodeRecord(vehicles(), values);
    }
    testing::writeFile(dbFile(), file);
    click(QStringLiteral("cmdPrimo"));
    for (int k = 0; k < 3; ++k)
        click(QStringLiteral("cmdAvanti"));
    QCOMPARE(position(), QStringLiteral("4"));
    QCOMPARE(label(QStringLiteral("lblFile01"))->text(), QStringLiteral("f4"));
    edit(QStringLiteral("txtNotes"))->setFocus();
    click(QStringLiteral("cmdDuplica"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Information);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral(
        "You can now edit the record.\n\r\n\rWhen you finish, press the Save button to save the changes."));
    QCOMPARE(position(), QString());
    QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QStringLiteral("Make4"));
    for (const QString &name : kHidden)
        QCOMPARE(label(name)->text(), QString());
    QVERIFY(edit(QStringLiteral("txtType"))->hasFocus());
    QVERIFY(m_editor->photo().isPlaceholder());

    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(position(), QStringLiteral("10"));
    const QByteArray bytes = testing::readFile(dbFile());
    QCOMPARE(bytes.size(), 10 * 4852);
    QCOMPARE(bytes.left(9 * 4852), file); // record 4 and the others unchanged
    const QByteArray copy = bytes.mid(9 * 4852);
    QCOMPARE(testing::fieldBytes(vehicles(), copy, "Make"), QByteArray("Make4"));
    QCOMPARE(testing::fieldBytes(vehicles(), copy, "File01"), QByteArray());
    QCOMPARE(testing::fieldBytes(vehicles(), copy, "Desc02"), QByteArray());
}

void TestFleetEditor::unwritableDatabaseKeepsTheScreen()
{
    testing::writeFile(dbFile(), testing::encodeRecord(vehicles(), vehicle("Kept")));
    click(QStringLiteral("cmdPrimo"));
    // A folder in place of the file: no open can succeed.
    QFile::remove(dbFile());
    QDir().mkpath(dbFile());
    edit(QStringLiteral("txtMake"))->setText(QStringLiteral("Changed"));
    for (const char *b : {"cmdSalva", "cmdPrimo", "cmdAvanti", "cmdUltimo", "cmdIndietro"}) {
        m_dialogs->clear();
        click(QString::fromLatin1(b));
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Error);
        QCOMPARE(m_dialogs->lastText(), kCannotOpen);
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QStringLiteral("Changed"));
    }
    QVERIFY(QFileInfo(dbFile()).isDir());
}

void TestFleetEditor::enterChainFollowsTheFieldOrder()
{
    auto fill = [](QLineEdit *e) { return e->grab().toImage().pixelColor(e->width() - 4, e->height() / 2); };
    edit(control(0))->setFocus();
    for (int k = 0; k < int(std::size(kFields)); ++k) {
        QLineEdit *current = edit(control(k));
        QVERIFY2(current->hasFocus(), kFields[k].control);
        // Yellow while it has the focus, its resting colour after.
        QTRY_COMPARE(fill(current), QColor(Qt::yellow));
        QTest::keyClick(current, Qt::Key_Return);
        QVERIFY(!current->hasFocus());
        QTRY_COMPARE(fill(current), kFields[k].white ? QColor(Qt::white) : QColor(0xF0, 0xF8, 0xFF));
    }
    QVERIFY(edit(QStringLiteral("txtType"))->hasFocus()); // txtNotes wraps to txtType
    for (const FieldRow &f : kFields)
        QCOMPARE(edit(QString::fromLatin1(f.control))->text(), QString());
}

void TestFleetEditor::plateIsUpperCasedAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letters and digits") << "ab123cd" << "AB123CD";
    QTest::newRow("blanks and hyphens kept") << " ab-12 cd " << " AB-12 CD ";
}

void TestFleetEditor::plateIsUpperCasedAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLineEdit *plate = edit(QStringLiteral("txtPlate"));
    plate->setFocus();
    QTest::keyClicks(plate, typed);
    QCOMPARE(plate->text(), shown);
    // Other fields are not filtered.
    QTest::keyClicks(edit(QStringLiteral("txtVIN")), typed);
    QCOMPARE(edit(QStringLiteral("txtVIN"))->text(), typed);
}

void TestFleetEditor::reopeningStartsEmptyAndKeepsLanguage()
{
    testing::writeFile(dbFile(), testing::encodeRecord(vehicles(), vehicle("Shown")));
    click(QStringLiteral("cmdPrimo"));
    click(QStringLiteral("optItaliano"));
    m_editor->close();
    QVERIFY(!m_editor->isVisible());
    m_editor->show();
    QCOMPARE(edit(QStringLiteral("txtMake"))->text(), QString());
    QCOMPARE(position(), QString());
    QVERIFY(m_editor->photo().isPlaceholder());
    QCOMPARE(label(QStringLiteral("lblCampo001"))->text(), QStringLiteral("Tipo veicolo:"));
}

void TestFleetEditor::hints_data()
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
    QTest::newRow("cmdSlideshow") << "cmdSlideshow" << "View pictures as slide show.";
    QTest::newRow("cmdEsci") << "cmdEsci" << "Close window.";
    QTest::newRow("btnCaricaFoto") << "btnCaricaFoto" << "Load picture.";
    QTest::newRow("btnSalvaFoto") << "btnSalvaFoto" << "Save picture.";
    QTest::newRow("btnCancFoto") << "btnCancFoto" << "Delete picture.";
    QTest::newRow("btnZoomFoto") << "btnZoomFoto" << "View picture in its actual size.";
    QTest::newRow("optEnglish") << "optEnglish" << "Translate the text fields into English.";
    QTest::newRow("optItaliano") << "optItaliano" << "Traduci i campi di testo in italiano.";
}

void TestFleetEditor::hints()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    // Over a field the hint stays; over the photo or a panel it is cleared.
    verifyHint(control, hint, QStringLiteral("txtMake"));
    verifyHintCleared(m_editor->findChild<fleet::PictureBox *>(QStringLiteral("imgFoto")), QPoint(20, 20));
    verifyHint(control, hint, QStringLiteral("txtMake"));
    verifyHintClearedOverPanel();
}

void TestFleetEditor::onlyWorkingButtonsAreOffered()
{
    // Every picture button does something; the ones whose windows do not
    // exist yet are not shown at all.
    const auto buttons = m_editor->findChildren<ui::PictureButton *>();
    QCOMPARE(buttons.size(), 15);
    for (const char *absent : {"cmdTrova", "cmdFile", "cmdAnteprima", "cmdStampa", "cmdEsporta", "cmdGuida"})
        QVERIFY2(!m_editor->findChild<QWidget *>(QString::fromLatin1(absent)), absent);
}

void TestFleetEditor::fitsTheScreenWithoutClippingOrOverlap_data()
{
    QTest::addColumn<bool>("italian");
    QTest::newRow("English") << false;
    QTest::newRow("Italian") << true;
}

void TestFleetEditor::fitsTheScreenWithoutClippingOrOverlap()
{
    QFETCH(bool, italian);
    if (italian)
        click(QStringLiteral("optItaliano"));
    // 1366 x 768 less a title bar: no scrolling needed.
    m_editor->setGeometry(0, 0, 1366, 738);
    QApplication::processEvents();
    auto *scroll = m_editor->findChild<QScrollArea *>();
    QVERIFY(scroll);
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QVERIFY(!scroll->verticalScrollBar()->isVisible());

    QList<QWidget *> items;
    for (QWidget *w : m_editor->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<ui::PictureButton *>(w) || qobject_cast<fleet::PictureBox *>(w)
            || (qobject_cast<QLabel *>(w) && w->objectName().startsWith(QLatin1String("lbl"))))
            items.append(w);
    }
    QVERIFY(items.size() > 32 * 2 + 15);
    const QRect window = m_editor->rect();
    for (QWidget *w : items) {
        const QRect r(w->mapTo(m_editor, QPoint(0, 0)), w->size());
        QVERIFY2(window.contains(r), qPrintable(w->objectName()));
        if (auto *l = qobject_cast<QLabel *>(w); l && l->objectName() != QLatin1String("lblPosizione"))
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName() + QLatin1String(" is cut")));
    }
    for (qsizetype a = 0; a < items.size(); ++a) {
        for (qsizetype b = a + 1; b < items.size(); ++b) {
            const QRect ra(items[a]->mapTo(m_editor, QPoint(0, 0)), items[a]->size());
            const QRect rb(items[b]->mapTo(m_editor, QPoint(0, 0)), items[b]->size());
            QVERIFY2(!ra.intersects(rb),
                     qPrintable(items[a]->objectName() + QLatin1String(" overlaps ") + items[b]->objectName()));
        }
    }
}

void TestFleetEditor::launcherTileOpensTheEditorAndClosingReturns()
{
    const QList<QWidget *> windows = app::createWindows();
    QWidget *launcher = ui::primaryWindow(QStringLiteral("TfrmAvvio"));
    auto *editor = ui::primary<TfrmFleet>(QStringLiteral("TfrmFleet"));
    QVERIFY(editor);
    QVERIFY(editor != m_editor);
    ui::showPrimary(launcher);
    for (const char *tile : {"imgApp01", "btnApp01", "ItaApp01"}) {
        launcher->findChild<ui::PictureButton *>(QString::fromLatin1(tile))->click();
        QVERIFY(editor->isVisible());
        QVERIFY(!launcher->isVisible());
        QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text(), QString());
        editor->findChild<ui::PictureButton *>(QStringLiteral("cmdEsci"))->click();
        QVERIFY(!editor->isVisible());
        QVERIFY(launcher->isVisible());
    }
    app::destroyWindows(windows);
}

QTEST_MAIN(TestFleetEditor)
#include "test_fleeteditor.moc"
