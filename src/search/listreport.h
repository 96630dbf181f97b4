#pragma once

#include "report/reportmodel.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;

namespace search {

inline const QString kListTemplate = QStringLiteral(":/templates/search_results.json");

// The list report filled in: `title` in the title bar, the lines exactly as
// the list shows them, one report line each, the heights set from their
// number, and "Printed on <date> at <time> hrs" in the closing bar.
// Throws report::ReportError.
report::Report listReport(const QString &title, const QStringList &lines, const QDateTime &printed);

// Prints the list report through the printer choice; cancelling prints
// nothing. Throws report::ReportError.
void printList(QWidget *parent, const QString &title, const QStringList &lines);

} // namespace search
