#include "fleet/vehiclecard.h"

namespace fleet {

void printVehicleCard(TfrmFleet *) { }
void previewVehicleCard(TfrmFleet *) { }

} // namespace fleet
