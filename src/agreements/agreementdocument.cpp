#include "agreements/agreementdocument.h"

#include "agreements/logo.h"
#include "records/layout.h"
#include "report/reportoutput.h"
#include "report/reportpreview.h"
#include "ui/dialogs/dialogs.h"
#include "ui/editor/editorwindow.h"
#include "ui/qtext.h"
#include "ui/widgets/usewindow.h"

#include <QLabel>
#include <QPixmap>

namespace agreements {

using namespace report;

namespace {

// Every field of the agreement record has a text object of the same name on
// paper, filled from the editor's field; these are composed instead, and the
// model is printed together with the make.
bool isComposed(std::string_view field)
{
    return field == "Number" || field == "Date" || field == "Make" || field == "Model";
}

} // namespace

void fillAgreement(Report &report, const records::Record &agreement, const QImage &logo)
{
    const auto field = [&agreement](std::string_view name) { return ui::toQt(agreement.text(name)); };
    report.page(0).setOrientation(Orientation::Portrait);
    report.pictureObject(QStringLiteral("imgLogo")).setPicture(logo);
    report.textObject(QStringLiteral("txtNumber")).setText(QStringLiteral("Rental Agreement No. ") + field("Number"));
    report.textObject(QStringLiteral("txtDate")).setText(QStringLiteral("Date:  ") + field("Date"));
    report.textObject(QStringLiteral("txtMake")).setText(field("Make") + QLatin1Char(' ') + field("Model"));
    for (const records::FieldDef &f : records::agreementLayout().fields()) {
        if (isComposed(f.name))
            continue;
        report.textObject(QStringLiteral("txt") + ui::toQt(f.name)).setText(field(f.name));
    }
}

AgreementWindow::AgreementWindow(const Design &design, const QString &templatePath, const QString &failure,
                                 ui::EditorWindow *editor)
    : DocumentDialog(design, editor), m_agreementEditor(editor), m_template(templatePath), m_failure(failure)
{
    m_imgLogo = report::hiddenPicture(QStringLiteral("imgLogo"), this);
    m_imgTemp = report::hiddenPicture(QStringLiteral("imgTemp"), this);
    const QImage fallback = defaultLogo();
    m_imgTemp->setPixmap(QPixmap::fromImage(fallback));
}

void AgreementWindow::documentShow()
{
    // Read afresh at every showing: the logo window may have changed it.
    m_logo = currentLogo();
    m_imgLogo->setPixmap(QPixmap::fromImage(m_logo));
}

void AgreementWindow::btnStampaClick()
{
    try {
        Report report = Report::load(m_template);
        fillAgreement(report, m_agreementEditor->engine()->collect(), m_logo.isNull() ? defaultLogo() : m_logo);
        const PreparedReport prepared = prepare(report);
        output(prepared);
    } catch (const std::exception &) {
        ui::warning(this, m_failure);
    }
    accept();
}

TfrmStampaRic::TfrmStampaRic(ui::EditorWindow *editor)
    : AgreementWindow({QStringLiteral("TfrmStampaRic"), QStringLiteral(" Print"), QStringLiteral("imgLogo01"),
                       QStringLiteral(":/artwork/explain_print.svg"), QStringLiteral("Print")},
                      kAgreementTemplate, QStringLiteral("An error occurred while printing the document."), editor)
{ }

void TfrmStampaRic::output(const PreparedReport &report) { printReport(this, report); }

TfrmAnteprimaRic::TfrmAnteprimaRic(ui::EditorWindow *editor)
    : AgreementWindow({QStringLiteral("TfrmAnteprimaRic"), QStringLiteral(" Preview"), QStringLiteral("icoInf01"),
                       QStringLiteral(":/artwork/explain_preview.svg"), QStringLiteral("Show preview")},
                      kAgreementPreviewTemplate, QStringLiteral("An error occurred while loading the preview."), editor)
{ }

void TfrmAnteprimaRic::output(const PreparedReport &report) { showPreview(this, report); }

void printAgreement(ui::EditorWindow *editor) { ui::runUseWindow(new TfrmStampaRic(editor)); }

void previewAgreement(ui::EditorWindow *editor) { ui::runUseWindow(new TfrmAnteprimaRic(editor)); }

} // namespace agreements
