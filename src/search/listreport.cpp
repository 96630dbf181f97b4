#include "search/listreport.h"

#include "report/reportlayout.h"
#include "report/reportoutput.h"
#include "ui/widgets/appearance.h"

#include <QLocale>

namespace search {

namespace {
// Report units (1/96 inch) a list line takes, and what the band adds.
constexpr double kLineUnits = 12.822;
constexpr double kBandExtraUnits = 10;
} // namespace

report::Report listReport(const QString &title, const QStringList &lines, const QDateTime &printed)
{
    report::Report document = report::Report::load(kListTemplate);
    document.textObject(QStringLiteral("txtTitolo")).setText(title);
    document.textObject(QStringLiteral("txtPagina"))
        .setText(QStringLiteral("Printed on ") + ui::formatDate(printed.date()) + QStringLiteral(" at ")
                 + QLocale::system().toString(printed.time(), QLocale::LongFormat) + QStringLiteral(" hrs"));
    report::ReportObject &list = document.textObject(QStringLiteral("txtRiepilogo"));
    list.clearLines();
    for (const QString &line : lines)
        list.addLine(line);
    const double height = static_cast<double>(lines.size()) * kLineUnits;
    list.setHeightUnits(height);
    document.band(QStringLiteral("MasterData")).setHeightUnits(height + kBandExtraUnits);
    return document;
}

void printList(QWidget *parent, const QString &title, const QStringList &lines)
{
    const report::PreparedReport prepared = report::prepare(listReport(title, lines, QDateTime::currentDateTime()));
    report::printReport(parent, prepared);
}

} // namespace search
