#include "fleet/vehiclesearch.h"

#include "agreements/agreementimport.h"
#include "search/handbacks.h"

namespace fleet {

const search::SearchDesign &vehicleSearch()
{
    static const search::SearchDesign design = [] {
        search::SearchDesign d;
        d.className = QStringLiteral("TfrmFindVehicle");
        d.caption = QStringLiteral(" Find vehicles in database");
        d.banner = QStringLiteral("FIND VEHICLES");
        d.resultTitle = QStringLiteral("VEHICLES FOUND");
        d.file = &records::vehicleFile();
        d.list = &records::vehicleFile().search;
        d.criteria = {
            {"txtType", "Type of vehicle:", "effCampo01", 1, false},
            {"txtServices", "Services included:", "effCampo02", 1, true},
            {"txtMake", "Make:", "effCampo09", 2, false},
            {"txtModel", "Model:", "effCampo10", 2, true},
            {"txtPlate", "Plate number:", "effCampo05", 3, false},
            {"txtSeats", "Seats:", "effCampo06", 3, true},
            {"txtDaily", "Daily price:", "effCampo07", 4, false},
            {"txtExtra", "Extra costs", "effCampo08", 4, true},
            {"txtMechanic", "Mechanic:", "effCampo03", 5, false},
            {"txtNotes", "Notes:", "effCampo04", 5, true},
        };
        d.printTitle = QStringLiteral("Vehicles in database");
        d.handBacks = {
            // The editor's own steps after showing a record load its photo.
            {QStringLiteral("fleet"), search::showInEditor},
            {QStringLiteral("rent_receipts"), [](QWidget *caller, const records::Record &vehicle,
                                                 std::size_t) { agreements::importVehicle(caller, vehicle); }},
        };
        return d;
    }();
    return design;
}

} // namespace fleet
