#pragma once

namespace fleet {

class TfrmFleet;

// The vehicle card windows over `editor`: print or preview the record as it
// stands on screen, with its photo.
void printVehicleCard(TfrmFleet *editor);
void previewVehicleCard(TfrmFleet *editor);

} // namespace fleet
