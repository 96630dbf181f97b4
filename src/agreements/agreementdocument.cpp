#include "agreements/agreementdocument.h"

#include "agreements/logo.h"
#include "records/layout.h"
#include "ui/editor/editorwindow.h"
#include "ui/qtext.h"
#include "ui/widgets/usewindow.h"

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

AgreementWindow::AgreementWindow(const Design &design, Output output, const QString &templatePath,
                                 const QString &failure, ui::EditorWindow *editor)
    : PictureDocumentDialog(design, output, templatePath, failure, defaultLogo(), editor), m_agreementEditor(editor)
{ }

// Read afresh at every showing: the logo window may have changed it.
QImage AgreementWindow::showingPicture() { return currentLogo(); }

void AgreementWindow::fill(Report &report, const QImage &logo)
{
    fillAgreement(report, m_agreementEditor->engine()->collect(), logo.isNull() ? defaultLogo() : logo);
}

TfrmStampaRic::TfrmStampaRic(ui::EditorWindow *editor)
    : AgreementWindow({QStringLiteral("TfrmStampaRic"), QStringLiteral(" Print"), QStringLiteral("imgLogo01"),
                       QStringLiteral(":/artwork/explain_print.svg"), QStringLiteral("Print")},
                      Output::Print, kAgreementTemplate,
                      QStringLiteral("An error occurred while printing the document."), editor)
{ }

TfrmAnteprimaRic::TfrmAnteprimaRic(ui::EditorWindow *editor)
    : AgreementWindow({QStringLiteral("TfrmAnteprimaRic"), QStringLiteral(" Preview"), QStringLiteral("icoInf01"),
                       QStringLiteral(":/artwork/explain_preview.svg"), QStringLiteral("Show preview")},
                      Output::Preview, kAgreementPreviewTemplate,
                      QStringLiteral("An error occurred while loading the preview."), editor)
{ }

void printAgreement(ui::EditorWindow *editor) { ui::runUseWindow(new TfrmStampaRic(editor)); }

void previewAgreement(ui::EditorWindow *editor) { ui::runUseWindow(new TfrmAnteprimaRic(editor)); }

} // namespace agreements
