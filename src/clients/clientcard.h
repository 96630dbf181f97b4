#pragma once

#include "records/record.h"
#include "report/documentdialog.h"
#include "report/reportlayout.h"

#include <QDateTime>
#include <QPointer>

namespace clients {

class TfrmClients;

inline const QString kClientCardTemplate = QStringLiteral(":/templates/client_card.json");

// "Printed on dd/mm/yyyy at <regional time> hrs": the day always comes first,
// whatever order the regional settings give; their separators are kept.
QString printedLine(const QDateTime &when);

// Puts a client record into the client card template: the page turned to
// portrait, one text object per data field ("txt" + field) and the date line
// `txtCalce`. Throws report::ReportError.
void fillClientCard(report::Report &report, const records::Record &client, const QDateTime &printed);

// " Print": prints the client card of the record on screen through the print
// dialog. A failure is reported with its own text and the window stays open,
// so the user may try again or cancel.
class TfrmPrintClient final : public report::DocumentDialog
{
    Q_OBJECT

public:
    explicit TfrmPrintClient(TfrmClients *editor);

    void setTemplatePath(const QString &path) { m_template = path; }

    void btnStampaClick() override;

private:
    QPointer<TfrmClients> m_clientEditor;
    QString m_template = kClientCardTemplate;
};

// The client card window over `editor`: prints the record as it stands on
// screen, saved or not.
void printClientCard(TfrmClients *editor);

} // namespace clients
