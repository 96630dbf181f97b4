#pragma once

class QString;
class QWidget;

namespace exchange {

// The three export windows, each opened by its editor and disposed of when
// it closes. The agreement export reads the file the agreement editor holds.
void openClientExport(QWidget *caller);
void openFleetExport(QWidget *caller);
void openAgreementExport(QWidget *caller, const QString &agreementFile);

} // namespace exchange
