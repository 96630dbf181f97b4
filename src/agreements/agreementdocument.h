#pragma once

#include "records/record.h"
#include "report/documentdialog.h"
#include "report/reportlayout.h"

#include <QImage>

namespace ui {
class EditorWindow;
}

namespace agreements {

using report::DocumentDialog;
using report::PreparedReport;
using report::Report;

inline const QString kAgreementTemplate = QStringLiteral(":/templates/rental_agreement.json");
inline const QString kAgreementPreviewTemplate = QStringLiteral(":/templates/rental_agreement_preview.json");

// Puts an agreement record and the company logo into the agreement template:
// the page turned to portrait, the logo, and the 42 text objects named
// "txt...". Throws ReportError.
void fillAgreement(Report &report, const records::Record &agreement, const QImage &logo);

// What the print and the preview window share: the template and the logo
// read when the window is shown. The agreement is the editor's record as its
// fields stand when the action button is pressed, saved or not.
class AgreementWindow : public report::PictureDocumentDialog
{
    Q_OBJECT

public:
    QImage logo() const { return picture(); }

protected:
    AgreementWindow(const Design &design, Output output, const QString &templatePath, const QString &failure,
                    ui::EditorWindow *editor);
    QImage showingPicture() override;
    void fill(Report &report, const QImage &logo) override;

private:
    ui::EditorWindow *m_agreementEditor;
};

// " Print": prints the agreement through the print dialog.
class TfrmStampaRic final : public AgreementWindow
{
    Q_OBJECT

public:
    explicit TfrmStampaRic(ui::EditorWindow *editor);
};

// " Preview": shows the agreement in the report preview window.
class TfrmAnteprimaRic final : public AgreementWindow
{
    Q_OBJECT

public:
    explicit TfrmAnteprimaRic(ui::EditorWindow *editor);
};

// What the agreement editor's Print and Preview buttons do: create the
// window over `editor`, show it modally, destroy it.
void printAgreement(ui::EditorWindow *editor);
void previewAgreement(ui::EditorWindow *editor);

} // namespace agreements
