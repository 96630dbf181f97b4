#include "ui/dialogs/tmisc.h"

#include "ui/dialogs/dialogs.h"

void TMisc::Open(const QString &command) { ui::Dialogs::instance().shellOpen(command); }
