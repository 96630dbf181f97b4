#pragma once

namespace ui {

// Serves the program's scroll areas to assistive technology through an
// interface that survives being asked for a child that is no longer there
// (see accessibility.cpp). Call once, before the windows are created.
void installAccessibleScrollAreas();

} // namespace ui
