#pragma once

#include "search/searchdesign.h"

namespace fleet {

// The vehicle search window (caller words "fleet" and "rent_receipts").
const search::SearchDesign &vehicleSearch();

} // namespace fleet
