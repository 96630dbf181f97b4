#pragma once

#include "ui/editor/editorwindow.h"

#include <span>

namespace clients {

// The client editor's 26 fields in record, tab and Enter-chain order.
std::span<const ui::EditorFieldDef> clientFields();

} // namespace clients
