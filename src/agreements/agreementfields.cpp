#include "agreements/agreementfields.h"

#include <array>

namespace agreements {

namespace {

using ui::EditorFieldDef;
using ui::TypingFilter;

// A field of the eight rows: its title label is lblField + `title`.
constexpr EditorFieldDef row(std::string_view name, const char *english, const char *italian, int width, int rowIndex,
                             int title, TypingFilter filter = TypingFilter::None)
{
    return EditorFieldDef{name, english, italian, width, rowIndex, 0, false, filter, false, title};
}

constexpr EditorFieldDef header(std::string_view name, int width)
{
    return EditorFieldDef{name, nullptr, nullptr, width, 0, kHeaderArea};
}

constexpr std::array kFields = {
    header("Company01", 540),
    header("Company02", 540),
    header("Company03", 540),
    header("Company04", 540),
    header("Number", 170),
    header("Date", 170),
    row("Name", "Driver's name:", "Nome Cliente:", 330, 0, 1),
    row("Gender", "Gender:", "Sesso:", 70, 0, 2, TypingFilter::TrimUpper),
    row("BirthDate", "Date of birth:", "Data di nascita:", 140, 0, 3),
    row("BirthPlace", "Place of birth:", "Luogo di nascita:", 250, 0, 4),
    row("MobilePhone", "Cell phone:", "Tel. cellulare:", 200, 0, 14),
    row("Street", "Street address:", "Indirizzo di residenza:", 420, 1, 5),
    row("City", "City:", "Città:", 250, 1, 6),
    row("State", "State:", "Stato:", 200, 1, 7),
    row("Zip", "Zip Code:", "CAP:", 140, 1, 8),
    row("License", "Driver's License Number:", "Patente n.", 260, 2, 17),
    row("IssDate", "Issue date:", "Data rilascio:", 140, 2, 19),
    row("ExpDate", "Expiration date:", "Data scadenza:", 140, 2, 20),
    row("Authority", "Issuing Authority:", "Ente rilascio:", 420, 2, 22),
    row("Type", "Type of vehicle:", "Tipo veicolo:", 200, 3, 9),
    row("Make", "Make:", "Marca:", 200, 3, 10),
    row("Model", "Model:", "Modello:", 200, 3, 11),
    row("Plate", "Plate number:", "Targa n.", 160, 3, 12, TypingFilter::Upper),
    row("VIN", "VIN:", "Telaio n.", 260, 3, 13),
    row("Damage", "Damage to rental car caused by driver:", "Danni causati al veicolo dal Cliente:", 430, 4, 15),
    row("Insurance", "Insurance:", "Assicurazione:", 360, 4, 16),
    row("OdoOut", "Odometer out:", "Km partenza:", 150, 4, 18),
    row("OdoIn", "Odometer in:", "Km rientro:", 150, 4, 21),
    row("FuelOut", "Fuel level out:", "Carburante uscita:", 160, 5, 23),
    row("FuelIn", "Fuel level in:", "Carburante rientro:", 160, 5, 24),
    row("Services", "Services included in rental price:", "Servizi inclusi nel prezzo di noleggio:", 390, 5, 25),
    row("Extra", "Extra costs:", "Costi aggiuntivi:", 350, 5, 26),
    row("Daily", "Daily price:", "Tariffa giornaliera:", 160, 6, 27),
    row("Days", "No. of days:", "Numero giorni:", 140, 6, 28),
    row("Deposit", "Deposit:", "Cauzione:", 150, 6, 29),
    row("Total", "Total:", "Totale:", 150, 6, 30),
    row("Payment", "Payment details:", "Modalità di pagamento:", 460, 6, 31),
    row("PickUpDate", "Pick-up date:", "Data ritiro:", 130, 7, 32),
    row("PickUpTime", "Pick-up time:", "Ora ritiro:", 120, 7, 33),
    row("PickUpLocation", "Pick-up location:", "Sede ritiro:", 270, 7, 34),
    row("ReturnDate", "Return date:", "Data riconsegna:", 140, 7, 35),
    row("ReturnTime", "Return time:", "Ora riconsegna:", 130, 7, 36),
    row("ReturnLocation", "Return location:", "Sede riconsegna:", 270, 7, 37),
};

static_assert(kFields.size() == 43);

} // namespace

std::span<const ui::EditorFieldDef> agreementFields() { return kFields; }

} // namespace agreements
