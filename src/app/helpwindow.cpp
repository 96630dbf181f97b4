#include "app/helpwindow.h"

namespace help {

void showHelp(QWidget *, Topic) { }

} // namespace help
