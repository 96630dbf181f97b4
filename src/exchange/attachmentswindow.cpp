#include "exchange/attachmentswindow.h"

namespace exchange {

void openAttachments(ui::EditorWindow *, const QString &) { }

} // namespace exchange
