#include "clients/clientcard.h"

#include "clients/clienteditor.h"
#include "records/layout.h"
#include "report/reportoutput.h"
#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"

#include <QLocale>
#include <QRegularExpression>

namespace clients {

using namespace report;

namespace {

// The regional long time format names the time zone in many locales; the
// card gives hours, minutes and seconds only, as the desk reads them.
QString regionalTime(const QTime &time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.replace(QRegularExpression(QStringLiteral("\\(?\\bt+\\b\\)?")), QStringLiteral(" "));
    format = format.simplified();
    if (format.isEmpty())
        format = QStringLiteral("HH:mm:ss");
    return QLocale::system().toString(time, format);
}

} // namespace

QString printedLine(const QDateTime &when)
{
    return QStringLiteral("Printed on ") + ui::formatDate(when.date()) + QStringLiteral(" at ")
           + regionalTime(when.time()) + QStringLiteral(" hrs");
}

void fillClientCard(Report &report, const records::Record &client, const QDateTime &printed)
{
    report.page(0).setOrientation(Orientation::Portrait);
    // The attachment labels travel in the record too, but are not printed.
    for (const records::FieldDef &f : client.layout().fields()) {
        if (f.kind == records::FieldKind::Hidden)
            continue;
        report.textObject(QStringLiteral("txt") + ui::toQt(f.name)).setText(ui::toQt(client.text(f.name)));
    }
    report.textObject(QStringLiteral("txtCalce")).setText(printedLine(printed));
}

TfrmPrintClient::TfrmPrintClient(TfrmClients *editor)
    : DocumentDialog({QStringLiteral("TfrmPrintClient"), QStringLiteral(" Print"), QStringLiteral("imgLogo01"),
                      QStringLiteral(":/artwork/explain_print.svg"), QStringLiteral("Print"), QColor(0x46, 0x82, 0xB4)},
                     editor),
      m_clientEditor(editor)
{ }

void TfrmPrintClient::btnStampaClick()
{
    try {
        if (!m_clientEditor)
            throw ReportError(QStringLiteral("The client editor is gone."));
        Report report = Report::load(m_template);
        fillClientCard(report, m_clientEditor->engine()->collect(), QDateTime::currentDateTime());
        printReport(this, prepare(report));
    } catch (const std::exception &failure) {
        ui::error(this, QString::fromUtf8(failure.what()));
        return;
    }
    accept();
}

void printClientCard(TfrmClients *editor) { ui::runUseWindow(new TfrmPrintClient(editor)); }

} // namespace clients
