#pragma once

#include "search/searchdesign.h"

namespace clients {

// The client search window (caller words "clients" and "rent_receipts") and
// the list of clients with pending issues.
const search::SearchDesign &clientSearch();
const search::SearchDesign &pendingIssues();

} // namespace clients
