#pragma once

#include "search/searchdesign.h"

namespace agreements {

// The search of the agreements of the year open in the agreement editor
// (caller word "rent_receipts").
const search::SearchDesign &agreementSearch();

} // namespace agreements
