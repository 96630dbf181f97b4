#pragma once

#include "ui/editor/editorwindow.h"

#include <span>

namespace agreements {

// The agreement editor's 43 fields in record, tab and Enter-chain order.
// The header lines, number and date (area 1) carry no title label; the
// others are laid out in eight rows of area 0.
std::span<const ui::EditorFieldDef> agreementFields();

inline constexpr int kHeaderArea = 1;

} // namespace agreements
