#include "support/editorcases.h"

#include "agreements/agreementeditor.h"
#include "clients/clienteditor.h"
#include "fleet/fleeteditor.h"
#include "ui/widgets/appearance.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

namespace testing {

namespace {

// A field whose title label is numbered in field order.
void addNumberedField(EditorCase &c, const char *control, const char *english, const char *italian)
{
    const QString name = QString::fromLatin1(control);
    c.fields.append(name);
    c.titles.append({c.titlePrefix + QStringLiteral("%1").arg(c.titles.size() + 1, 3, 10, QLatin1Char('0')), name,
                     QString::fromUtf8(english), QString::fromUtf8(italian)});
}

QStringList controls(std::initializer_list<const char *> names)
{
    QStringList list;
    for (const char *n : names)
        list.append(QString::fromLatin1(n));
    return list;
}

const QStringList kAttachments =
    controls({"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"});

EditorCase makeClientCase()
{
    EditorCase c;
    c.name = QStringLiteral("clients");
    c.create = [] { return new clients::TfrmClients; };
    c.layout = &records::clientLayout();
    c.recordBytes = 4603;
    c.fileName = QStringLiteral("Clients.Pro");
    c.className = QStringLiteral("TfrmClients");
    c.title = QStringLiteral(" Carvello - Client Database");
    c.greeting = QStringLiteral("Ready to enter new record...");
    c.gradientTop = QColor(0x42, 0x7A, 0xA8);
    c.buttons = {QStringLiteral("cmdNew"),   QStringLiteral("cmdDuplicate"), QStringLiteral("cmdSave"),
                 QStringLiteral("cmdFirst"), QStringLiteral("cmdPrevious"),  QStringLiteral("cmdNext"),
                 QStringLiteral("cmdLast"),  QStringLiteral("cmdClose")};
    c.centredFields = controls({"txtGender"});
    c.capacities = {{QStringLiteral("txtGender"), 1}, {QStringLiteral("txtNotes"), 250}};
    c.hidden = kAttachments;
    c.openingFocus = c.newFocus = c.duplicateFocus = QStringLiteral("txtName");
    c.typedField = QStringLiteral("txtName");
    c.shortField = QStringLiteral("txtGender");
    c.required = {{QStringLiteral("txtName"), QStringLiteral("Enter the client's name to save the record.")}};
    c.titlePrefix = QStringLiteral("lblField");
    const struct {
        const char *control, *english, *italian;
    } rows[] = {
        {"txtName", "Client's name:", "Nome Cliente:"},
        {"txtGender", "Gender:", "Sesso:"},
        {"txtBirthDate", "Date of birth:", "Data di nascita:"},
        {"txtBirthPlace", "Place of birth:", "Luogo di nascita:"},
        {"txtStreet", "Street address:", "Indirizzo:"},
        {"txtCity", "City:", "Città:"},
        {"txtState", "State:", "Stato:"},
        {"txtZip", "Zip Code:", "CAP:"},
        {"txtCitizenship", "Citizenship:", "Cittadinanza:"},
        {"txtTaxNumber", "Tax Number:", "Codice fiscale:"},
        {"txtSSN", "Social Security Number:", "Numero previdenza sociale:"},
        {"txtEmail", "E-mail:", "E-mail:"},
        {"txtHomePhone", "Home phone:", "Tel. casa:"},
        {"txtMobilePhone", "Cell phone:", "Tel. cellulare:"},
        {"txtCommunication", "Preferred communication method:", "Metodo di comunicazione preferito:"},
        {"txtWork", "Work address:", "Indirizzo sede lavoro:"},
        {"txtLicense", "Driver's License Number:", "Patente n."},
        {"txtIssDate", "Issue date:", "Data rilascio:"},
        {"txtExpDate", "Expiration date:", "Data scadenza:"},
        {"txtAuthority", "Issuing Authority:", "Ente rilascio:"},
        {"txtIssues", "Pending issues:", "Questioni in sospeso:"},
        {"txtVehicles", "Vehicles of interest:", "Veicoli di interesse:"},
        {"txtMethod", "Payment method:", "Metodo di pagamento:"},
        {"txtBank", "Credit card details:", "Dettagli carta di credito:"},
        {"txtStatus", "Payment status:", "Stato pagamenti:"},
        {"txtNotes", "Notes:", "Note:"},
    };
    for (const auto &r : rows)
        addNumberedField(c, r.control, r.english, r.italian);
    c.typing = {{QStringLiteral("txtGender"), QStringLiteral("m"), QStringLiteral("M")},
                {QStringLiteral("txtGender"), QStringLiteral(" "), QString()},
                {QStringLiteral("txtEmail"), QStringLiteral("Anna@Mail.it "), QStringLiteral("Anna@Mail.it")}};
    c.ownButtons = {{QStringLiteral("btnEmail"), QStringLiteral("Send an e-mail to the client.")},
                    {QStringLiteral("icoIssues"), QStringLiteral("Info about pending issues with clients.")},
                    {QStringLiteral("cmdFind"), QStringLiteral("Find record in database.")},
                    {QStringLiteral("cmdDefaulting"), QStringLiteral("Show list of pending issues with your clients.")},
                    {QStringLiteral("cmdAttach"), QStringLiteral("Attach files to record.")},
                    {QStringLiteral("cmdPrint"), QStringLiteral("Show print window.")},
                    {QStringLiteral("cmdExport"), QStringLiteral("Export database to Excel.")},
                    {QStringLiteral("cmdHelp"), QStringLiteral("Get context-sensitive help.")}};
    return c;
}

EditorCase makeFleetCase()
{
    EditorCase c;
    c.name = QStringLiteral("fleet");
    c.create = [] { return new fleet::TfrmFleet; };
    c.layout = &records::vehicleLayout();
    c.recordBytes = 4852;
    c.fileName = QStringLiteral("Vehicle_Fleet.pro");
    c.className = QStringLiteral("TfrmFleet");
    c.title = QStringLiteral(" Carvello - Vehicle Fleet");
    c.greeting = QStringLiteral("Ready to enter a new record...");
    c.gradientTop = QColor(0x42, 0x7A, 0xA8);
    c.buttons = {QStringLiteral("cmdNuovo"),  QStringLiteral("cmdDuplica"),  QStringLiteral("cmdSalva"),
                 QStringLiteral("cmdPrimo"),  QStringLiteral("cmdIndietro"), QStringLiteral("cmdAvanti"),
                 QStringLiteral("cmdUltimo"), QStringLiteral("cmdEsci")};
    struct Row {
        const char *control, *english, *italian;
        int capacity;
        bool white;
    };
    const Row rows[] = {
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
    c.titlePrefix = QStringLiteral("lblCampo");
    for (const Row &r : rows) {
        addNumberedField(c, r.control, r.english, r.italian);
        c.capacities.insert(c.fields.last(), r.capacity);
        if (r.white)
            c.whiteFields.append(c.fields.last());
    }
    c.hidden = kAttachments;
    c.openingFocus = c.newFocus = c.duplicateFocus = QStringLiteral("txtType");
    c.typedField = QStringLiteral("txtMake");
    c.shortField = QStringLiteral("txtYear");
    auto required = [](const char *field, const char *warning) {
        return EditorCase::Required{QString::fromLatin1(field), QString::fromLatin1(warning)};
    };
    // Fuel is checked after Seats although it comes first on screen.
    c.required = {
        required("txtType", "Enter the type of vehicle to save the record."),
        required("txtMake", "Enter the make of the vehicle to save the record."),
        required("txtModel", "Enter the the model of the vehicle to save the record."),
        required("txtPlate", "Enter the license plate number of the vehicle to save the record."),
        required("txtYear", "Enter the manufacture year of the vehicle to save the record."),
        required("txtSeats", "Enter the number of seats of the vehicle to save the record."),
        required("txtFuel", "Enter the fuel type of the vehicle to save the record."),
    };
    c.typing = {{QStringLiteral("txtPlate"), QStringLiteral("ab123cd"), QStringLiteral("AB123CD")},
                {QStringLiteral("txtPlate"), QStringLiteral(" ab-12 cd "), QStringLiteral(" AB-12 CD ")}};
    c.ownButtons = {{QStringLiteral("cmdSlideshow"), QStringLiteral("View pictures as slide show.")},
                    {QStringLiteral("cmdTrova"), QStringLiteral("Find record in database.")},
                    {QStringLiteral("btnCaricaFoto"), QStringLiteral("Load picture.")},
                    {QStringLiteral("btnSalvaFoto"), QStringLiteral("Save picture.")},
                    {QStringLiteral("btnCancFoto"), QStringLiteral("Delete picture.")},
                    {QStringLiteral("btnZoomFoto"), QStringLiteral("View picture in its actual size.")},
                    {QStringLiteral("cmdFile"), QStringLiteral("Attach files to record.")},
                    {QStringLiteral("cmdAnteprima"), QStringLiteral("Show preview window.")},
                    {QStringLiteral("cmdStampa"), QStringLiteral("Show print window.")},
                    {QStringLiteral("cmdEsporta"), QStringLiteral("Export database to Excel.")},
                    {QStringLiteral("cmdGuida"), QStringLiteral("Get context-sensitive help.")}};
    c.hintClearingAreas = controls({"imgFoto"});
    c.extrasBlank = [](QWidget *window) { return qobject_cast<fleet::TfrmFleet *>(window)->photo().isPlaceholder(); };
    return c;
}

EditorCase makeAgreementCase()
{
    EditorCase c;
    c.name = QStringLiteral("agreements");
    c.create = [] { return new agreements::TfrmRent_Receipts; };
    c.layout = &records::agreementLayout();
    c.recordBytes = 4154;
    c.fileName = QStringLiteral("2024.rnt");
    c.fileInLblFile = true;
    c.settings = "[Rental Company]\r\nLine 1=Rossi Rent\r\nLine 2=Via Po 1\r\nLine 3=\r\nLine 4=Tel. 0541\r\n";
    c.className = QStringLiteral("TfrmRent_Receipts");
    c.title = QStringLiteral(" Carvello - Rental Agreements");
    c.greeting = QStringLiteral("Ready to enter a new Rental Agreement...");
    c.gradientTop = QColor(0x3E, 0x74, 0x9E);
    c.buttons = {QStringLiteral("cmdNuovo"),  QStringLiteral("cmdDuplica"),  QStringLiteral("cmdSalva"),
                 QStringLiteral("cmdPrimo"),  QStringLiteral("cmdIndietro"), QStringLiteral("cmdAvanti"),
                 QStringLiteral("cmdUltimo"), QStringLiteral("cmdEsci")};
    c.fields = controls({"txtCompany01",   "txtCompany02",  "txtCompany03",     "txtCompany04",  "txtNumber",
                         "txtDate",        "txtName",       "txtGender",        "txtBirthDate",  "txtBirthPlace",
                         "txtMobilePhone", "txtStreet",     "txtCity",          "txtState",      "txtZip",
                         "txtLicense",     "txtIssDate",    "txtExpDate",       "txtAuthority",  "txtType",
                         "txtMake",        "txtModel",      "txtPlate",         "txtVIN",        "txtDamage",
                         "txtInsurance",   "txtOdoOut",     "txtOdoIn",         "txtFuelOut",    "txtFuelIn",
                         "txtServices",    "txtExtra",      "txtDaily",         "txtDays",       "txtDeposit",
                         "txtTotal",       "txtPayment",    "txtPickUpDate",    "txtPickUpTime", "txtPickUpLocation",
                         "txtReturnDate",  "txtReturnTime", "txtReturnLocation"});
    c.centredFields = controls(
        {"txtNumber", "txtDate", "txtGender", "txtPickUpDate", "txtPickUpTime", "txtReturnDate", "txtReturnTime"});
    c.capacities = {{QStringLiteral("txtNumber"), 20}, {QStringLiteral("txtGender"), 1}};
    c.header = controls({"txtCompany01", "txtCompany02", "txtCompany03", "txtCompany04"});
    c.newRecordValues = {{QStringLiteral("txtDate"), ui::todayText()}};
    c.duplicateValues = {{QStringLiteral("txtNumber"), QString()}, {QStringLiteral("txtDate"), ui::todayText()}};
    c.openingFocus = QStringLiteral("txtNumber");
    c.newFocus = QStringLiteral("txtName");
    c.duplicateFocus = QStringLiteral("txtNumber");
    c.typedField = QStringLiteral("txtName");
    c.shortField = QStringLiteral("txtGender");
    c.required = {
        {QStringLiteral("txtCompany01"), QStringLiteral("Enter the rental company's name to save the record.")},
        {QStringLiteral("txtNumber"), QStringLiteral("Enter the number of the Rental Agreement to save the record.")},
        {QStringLiteral("txtDate"), QStringLiteral("Enter the date of the Rental Agreement to save the record.")},
        {QStringLiteral("txtName"), QStringLiteral("Enter the driver's name to save the record.")},
        {QStringLiteral("txtMake"), QStringLiteral("Enter the vehicle make to save the record.")},
        {QStringLiteral("txtPlate"), QStringLiteral("Enter the vehicle plate number to save the record.")},
    };
    c.titlePrefix = QStringLiteral("lblField");
    const struct {
        const char *label, *field, *english, *italian;
    } captions[] = {
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
    for (const auto &t : captions)
        c.titles.append({QString::fromLatin1(t.label), QString::fromLatin1(t.field), QString::fromUtf8(t.english),
                         QString::fromUtf8(t.italian)});
    c.typing = {{QStringLiteral("txtGender"), QStringLiteral("m"), QStringLiteral("M")},
                {QStringLiteral("txtGender"), QStringLiteral(" "), QString()},
                {QStringLiteral("txtPlate"), QStringLiteral("ab 12 cd "), QStringLiteral("AB 12 CD ")}};
    c.ownButtons = {{QStringLiteral("cmdPreview"), QStringLiteral("Show preview window.")},
                    {QStringLiteral("cmdPrint"), QStringLiteral("Show print window.")},
                    {QStringLiteral("cmdNumeration"), QStringLiteral("Set Rental Agreements starting number.")},
                    {QStringLiteral("btnLogo"),
                     QStringLiteral("Load a picture to use as the company's logo when printing Rental Agreements.")},
                    {QStringLiteral("cmdTrova"), QStringLiteral("Find record in database.")},
                    {QStringLiteral("impDriver"), QStringLiteral("Import data from Client Database.")},
                    {QStringLiteral("impVehicle"), QStringLiteral("Import data from Vehicle Fleet.")},
                    {QStringLiteral("cmdEsporta"), QStringLiteral("Export database to Excel.")},
                    {QStringLiteral("cmdGuida"), QStringLiteral("Get context-sensitive help.")}};
    return c;
}

} // namespace

const EditorCase &clientCase()
{
    static const EditorCase c = makeClientCase();
    return c;
}

const EditorCase &fleetCase()
{
    static const EditorCase c = makeFleetCase();
    return c;
}

const EditorCase &agreementCase()
{
    static const EditorCase c = makeAgreementCase();
    return c;
}

const QList<const EditorCase *> &editorCases()
{
    static const QList<const EditorCase *> all = {&clientCase(), &fleetCase(), &agreementCase()};
    return all;
}

QList<EditorCase::Hint> recordButtonHints(const EditorCase &editor)
{
    const EditorCase::Buttons &b = editor.buttons;
    return {
        {b.newRecord, QStringLiteral("Enter new record.")},
        {b.duplicate, QStringLiteral("Duplicate record.")},
        {b.save, QStringLiteral("Save record.")},
        {b.first, QStringLiteral("View first record.")},
        {b.previous, QStringLiteral("View previous record.")},
        {b.next, QStringLiteral("View next record.")},
        {b.last, QStringLiteral("View last record.")},
        {b.close, QStringLiteral("Close window.")},
        {QStringLiteral("optEnglish"), QStringLiteral("Translate the text fields into English.")},
        {QStringLiteral("optItaliano"), QStringLiteral("Traduci i campi di testo in italiano.")},
    };
}

void fillRequired(QWidget *window, const EditorCase &editor, const QString &text)
{
    for (const EditorCase::Required &r : editor.required)
        window->findChild<QLineEdit *>(r.field)->setText(text);
}

EditorSession::EditorSession(const EditorCase &editor) : m_editor(editor)
{
    if (!m_editor.settings.isEmpty())
        writeFile(settingsFile(), m_editor.settings);
    m_window.reset(m_editor.create());
    if (m_editor.fileInLblFile)
        m_window->findChild<QLabel *>(QStringLiteral("lblFile"))->setText(QDir::toNativeSeparators(recordFile()));
}

EditorSession::~EditorSession() = default;

QString EditorSession::settingsFile() const { return m_data.file(QStringLiteral("Drivora_Settings.ini")); }

bool EditorSession::show() { return showAndActivate(m_window.get()); }

bool EditorControls::openEditor(const EditorCase &editor)
{
    m_session = std::make_unique<EditorSession>(editor);
    setWindow(m_session->window());
    return m_session->show();
}

void EditorControls::closeEditor()
{
    setWindow(nullptr);
    m_session.reset();
}

} // namespace testing
