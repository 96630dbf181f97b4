#include "clients/clientfields.h"

#include <array>

namespace clients {

namespace {

using ui::EditorFieldDef;
using ui::TypingFilter;

// name, English title, Italian title, width, row
constexpr std::array kFields = {
    EditorFieldDef{"Name", "Client's name:", "Nome Cliente:", 300, 0},
    EditorFieldDef{"Gender", "Gender:", "Sesso:", 70, 0, 0, false, TypingFilter::TrimUpper},
    EditorFieldDef{"BirthDate", "Date of birth:", "Data di nascita:", 118, 0},
    EditorFieldDef{"BirthPlace", "Place of birth:", "Luogo di nascita:", 196, 0},
    EditorFieldDef{"Street", "Street address:", "Indirizzo:", 300, 1},
    EditorFieldDef{"City", "City:", "Città:", 198, 1},
    EditorFieldDef{"State", "State:", "Stato:", 196, 1},
    EditorFieldDef{"Zip", "Zip Code:", "CAP:", 120, 2},
    EditorFieldDef{"Citizenship", "Citizenship:", "Cittadinanza:", 170, 2},
    EditorFieldDef{"TaxNumber", "Tax Number:", "Codice fiscale:", 198, 2},
    EditorFieldDef{"SSN", "Social Security Number:", "Numero previdenza sociale:", 196, 2},
    EditorFieldDef{"Email", "E-mail:", "E-mail:", 272, 3, 0, false, TypingFilter::Trim},
    EditorFieldDef{"HomePhone", "Home phone:", "Tel. casa:", 198, 3},
    EditorFieldDef{"MobilePhone", "Cell phone:", "Tel. cellulare:", 196, 3},
    EditorFieldDef{"Communication", "Preferred communication method:", "Metodo di comunicazione preferito:", 300, 4},
    EditorFieldDef{"Work", "Work address:", "Indirizzo sede lavoro:", 404, 4},
    EditorFieldDef{"License", "Driver's License Number:", "Patente n.", 300, 5},
    EditorFieldDef{"IssDate", "Issue date:", "Data rilascio:", 198, 5},
    EditorFieldDef{"ExpDate", "Expiration date:", "Data scadenza:", 196, 5},
    EditorFieldDef{"Authority", "Issuing Authority:", "Ente rilascio:", 300, 6},
    EditorFieldDef{"Issues", "Pending issues:", "Questioni in sospeso:", 376, 6},
    EditorFieldDef{"Vehicles", "Vehicles of interest:", "Veicoli di interesse:", 714, 7},
    EditorFieldDef{"Method", "Payment method:", "Metodo di pagamento:", 301, 8},
    EditorFieldDef{"Bank", "Credit card details:", "Dettagli carta di credito:", 404, 8},
    EditorFieldDef{"Status", "Payment status:", "Stato pagamenti:", 714, 9},
    EditorFieldDef{"Notes", "Notes:", "Note:", 500, 10, 0, false, TypingFilter::None, true},
};

} // namespace

std::span<const ui::EditorFieldDef> clientFields() { return kFields; }

} // namespace clients
