#include "exchange/exportwindow.h"

namespace exchange {

void openClientExport(QWidget *) { }
void openFleetExport(QWidget *) { }
void openAgreementExport(QWidget *, const QString &) { }

} // namespace exchange
