#pragma once

#include "records/record.h"

#include <cstddef>

class QWidget;

namespace search {

// The hand-back of a chosen record to the editor of its own file: every
// field and hidden label, then the position, as browsing shows a record (the
// editor's own steps after showing one run too, such as loading the photo).
void showInEditor(QWidget *editor, const records::Record &record, std::size_t position);

} // namespace search
