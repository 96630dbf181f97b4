#pragma once

#include "ui/editor/editorwindow.h"

#include <span>

namespace fleet {

// Areas of the vehicle editor's fields.
enum FleetArea { kDetailsArea = 0, kRatesArea = 1, kNotesArea = 2 };

// The vehicle editor's 32 fields in record, tab and Enter-chain order.
std::span<const ui::EditorFieldDef> fleetFields();

} // namespace fleet
