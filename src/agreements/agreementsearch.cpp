#include "agreements/agreementsearch.h"

#include "search/handbacks.h"
#include "ui/qtext.h"

#include <QLabel>

namespace agreements {

const search::SearchDesign &agreementSearch()
{
    static const search::SearchDesign design = [] {
        search::SearchDesign d;
        d.className = QStringLiteral("TfrmFindService");
        d.caption = QStringLiteral(" Find Rental Agreements in database");
        d.banner = QStringLiteral("FIND RENTAL AGREEMENTS");
        d.resultTitle = QStringLiteral("RENTAL AGREEMENTS FOUND");
        d.file = &records::agreementFile();
        d.list = &records::agreementFile().search;
        d.criteria = {
            {"txtNumber", "Rental Agreement No.", "effCampo01", 1, false},
            {"txtDate", "Date of issue:", "effCampo02", 1, true},
            {"txtName", "Driver's name:", "effCampo09", 2, false},
            {"txtLicense", "Driver's License Number:", "effCampo10", 2, true},
            {"txtType", "Type of vehicle:", "effCampo05", 3, false},
            {"txtPlate", "Plate number:", "effCampo06", 3, true},
            {"txtMake", "Make:", "effCampo07", 4, false},
            {"txtModel", "Model:", "effCampo08", 4, true},
            {"txtDamage", "Damage to rental car caused by driver:", "effCampo03", 5, false},
            {"txtPayment", "Payment details:", "effCampo04", 5, true},
        };
        d.printTitle = QStringLiteral("Rental Agreements in database");
        // The year's file as the editor's hidden label names it; only that.
        d.chosenFile = [](QWidget *caller) {
            const auto *file = caller ? caller->findChild<QLabel *>(QStringLiteral("lblFile")) : nullptr;
            return file ? ui::fromQtPath(ui::trimControl(file->text())) : std::filesystem::path();
        };
        d.handBacks = {{QStringLiteral("rent_receipts"), search::showInEditor}};
        return d;
    }();
    return design;
}

} // namespace agreements
