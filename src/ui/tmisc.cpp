#include "ui/tmisc.h"

#include "ui/dialogs.h"

void TMisc::Open(const QString &command) { ui::Dialogs::instance().shellOpen(command); }
