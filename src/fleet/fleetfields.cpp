#include "fleet/fleetfields.h"

#include <array>

namespace fleet {

namespace {

using ui::EditorFieldDef;
using ui::TypingFilter;

constexpr int D = kDetailsArea;
constexpr int R = kRatesArea;
constexpr int N = kNotesArea;
constexpr TypingFilter None = TypingFilter::None;

// name, English title, Italian title, width, row, area, white at rest, filter
constexpr std::array kFields = {
    EditorFieldDef{"Type", "Type of vehicle:", "Tipo veicolo:", 300, 0, D},
    EditorFieldDef{"Services", "Services included in rental price:", "Servizi inclusi nel prezzo di noleggio:", 560, 0,
                   D},
    EditorFieldDef{"Make", "Make:", "Marca:", 300, 1, D},
    EditorFieldDef{"Model", "Model:", "Modello:", 300, 1, D},
    EditorFieldDef{"Plate", "Plate number:", "Targa n.", 300, 2, D, false, TypingFilter::Upper},
    EditorFieldDef{"Year", "Year:", "Anno:", 80, 2, D},
    EditorFieldDef{"Color", "Color:", "Colore:", 200, 2, D},
    EditorFieldDef{"VIN", "VIN:", "Telaio n.", 300, 3, D},
    EditorFieldDef{"Tires", "Tires:", "Pneumatici:", 560, 3, D},
    EditorFieldDef{"Engine", "Engine number:", "Numero di serie motore:", 300, 4, D},
    EditorFieldDef{"Odometer", "Last odometer reading:", "Km percorsi:", 220, 4, D},
    EditorFieldDef{"DateOdo", "Date of reading:", "Data lettura km:", 140, 4, D},
    EditorFieldDef{"Fuel", "Fuel type:", "Tipo carburante:", 300, 5, D},
    EditorFieldDef{"Displacement", "Displacement (cc):", "Cilindrata (cc):", 220, 5, D},
    EditorFieldDef{"KW", "kW:", "kW:", 140, 5, D},
    EditorFieldDef{"Environment", "Environmental sustainability:", "Compatibilità ambientale:", 300, 6, D},
    EditorFieldDef{"Seats", "Seats:", "Posti:", 220, 6, D},
    EditorFieldDef{"Weight", "Weight capacity:", "Portata massima:", 140, 6, D},
    EditorFieldDef{"Insurance", "Insurance:", "Assicurazione:", 300, 7, D},
    EditorFieldDef{"Cost", "Purchase cost:", "Costo di acquisto:", 220, 7, D},
    EditorFieldDef{"Value", "Current value:", "Valore attuale:", 140, 7, D},
    EditorFieldDef{"Incidents", "Accidents:", "Incidenti:", 430, 8, D},
    EditorFieldDef{"Breakdowns", "Breakdowns:", "Guasti:", 430, 8, D},
    EditorFieldDef{"Renter", "Owner's name:", "Proprietario:", 186, 0, R, true, None},
    EditorFieldDef{"PhoneOwn", "Phone:", "Telefono:", 140, 0, R, true, None},
    EditorFieldDef{"Daily", "Daily price:", "€ Giorno:", 106, 1, R, true, None},
    EditorFieldDef{"Weekly", "Weekly price:", "€ Settimana:", 107, 1, R, true, None},
    EditorFieldDef{"Monthly", "Monthly price:", "€ Mese:", 107, 1, R, true, None},
    EditorFieldDef{"Extra", "Extra costs:", "Costi aggiuntivi:", 336, 2, R, true, None},
    EditorFieldDef{"Mechanic", "Mechanic:", "Meccanico:", 186, 3, R, true, None},
    EditorFieldDef{"PhoneMec", "Phone:", "Telefono:", 140, 3, R, true, None},
    EditorFieldDef{"Notes", "Notes:", "Note:", 1170, 0, N, true, None},
};

} // namespace

std::span<const ui::EditorFieldDef> fleetFields() { return kFields; }

} // namespace fleet
