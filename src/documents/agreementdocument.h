#pragma once

#include "documents/documentdialog.h"
#include "documents/reportlayout.h"

#include <QImage>

class QLabel;

namespace documents {

inline const QString kAgreementTemplate = QStringLiteral(":/templates/rental_agreement.json");
inline const QString kAgreementPreviewTemplate = QStringLiteral(":/templates/rental_agreement_preview.json");

// The trimmed text of the editor's control `name` (a single- or multi-line
// text field, or a label). Throws ReportError when the editor has no such
// control.
QString editorText(const QWidget *editor, const QString &name);

// Puts the agreement shown in `editor` and the company logo into the
// agreement template: the page turned to portrait, the logo, and the 42 text
// objects named "txt...". Throws ReportError.
void fillAgreement(Report &report, const QWidget *editor, const QImage &logo);

// What the print and the preview window share: the template, the logo read
// when the window is shown, and the fill-prepare-output sequence with its
// warning on failure.
class AgreementWindow : public DocumentDialog
{
    Q_OBJECT

public:
    QImage logo() const { return m_logo; }
    void setTemplatePath(const QString &path) { m_template = path; }

    void btnStampaClick() final;

protected:
    AgreementWindow(const Design &design, const QString &templatePath, const QString &failure, QWidget *editor);
    void formShow() override;
    virtual void output(const PreparedReport &report) = 0;

private:
    QString m_template;
    QString m_failure;
    QImage m_logo;
    QLabel *m_imgLogo = nullptr;
    QLabel *m_imgTemp = nullptr;
};

// " Print": prints the agreement through the print dialog.
class TfrmStampaRic final : public AgreementWindow
{
    Q_OBJECT

public:
    explicit TfrmStampaRic(QWidget *editor);

protected:
    void output(const PreparedReport &report) override;
};

// " Preview": shows the agreement in the report preview window.
class TfrmAnteprimaRic final : public AgreementWindow
{
    Q_OBJECT

public:
    explicit TfrmAnteprimaRic(QWidget *editor);

protected:
    void output(const PreparedReport &report) override;
};

// What the agreement editor's Print and Preview buttons do: create the
// window over `editor`, show it modally, destroy it.
void printAgreement(QWidget *editor);
void previewAgreement(QWidget *editor);

} // namespace documents
