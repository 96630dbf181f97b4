#include "documents/agreementdocument.h"

#include "documents/pictures.h"
#include "documents/reportoutput.h"
#include "documents/reportpreview.h"
#include "records/layout.h"
#include "ui/dialogs.h"
#include "ui/qtext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <memory>

namespace documents {

namespace {

// Every field of the agreement record has a text object of the same name on
// paper, filled from the editor's field; these are composed instead, and the
// model is printed together with the make.
bool isComposed(std::string_view field)
{
    return field == "Number" || field == "Date" || field == "Make" || field == "Model";
}

QString trimmedBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QLabel *hiddenPicture(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

} // namespace

QString editorText(const QWidget *editor, const QString &name)
{
    // Text fields first: a caption picture or label may share a field's name.
    if (editor) {
        if (const auto *line = editor->findChild<QLineEdit *>(name))
            return trimmedBlanks(line->text());
        if (const auto *plain = editor->findChild<QPlainTextEdit *>(name))
            return trimmedBlanks(plain->toPlainText());
        if (const auto *rich = editor->findChild<QTextEdit *>(name))
            return trimmedBlanks(rich->toPlainText());
        if (const auto *label = editor->findChild<QLabel *>(name))
            return trimmedBlanks(label->text());
    }
    throw ReportError(QStringLiteral("The editor has no field \"%1\".").arg(name));
}

void fillAgreement(Report &report, const QWidget *editor, const QImage &logo)
{
    report.page(0).setOrientation(Orientation::Portrait);
    report.pictureObject(QStringLiteral("imgLogo")).setPicture(logo);
    report.textObject(QStringLiteral("txtNumber"))
        .setText(QStringLiteral("Rental Agreement No. ") + editorText(editor, QStringLiteral("txtNumber")));
    report.textObject(QStringLiteral("txtDate"))
        .setText(QStringLiteral("Date:  ") + editorText(editor, QStringLiteral("txtDate")));
    report.textObject(QStringLiteral("txtMake"))
        .setText(editorText(editor, QStringLiteral("txtMake")) + QLatin1Char(' ')
            + editorText(editor, QStringLiteral("txtModel")));
    for (const records::FieldDef &f : records::agreementLayout().fields()) {
        if (isComposed(f.name))
            continue;
        const QString name = QStringLiteral("txt") + ui::toQt(f.name);
        report.textObject(name).setText(editorText(editor, name));
    }
}

AgreementWindow::AgreementWindow(
    const Design &design, const QString &templatePath, const QString &failure, QWidget *editor)
    : DocumentDialog(design, editor), m_template(templatePath), m_failure(failure)
{
    m_imgLogo = hiddenPicture(QStringLiteral("imgLogo"), this);
    m_imgTemp = hiddenPicture(QStringLiteral("imgTemp"), this);
    const QImage fallback = defaultLogo();
    m_imgTemp->setPixmap(QPixmap::fromImage(fallback));
}

void AgreementWindow::formShow()
{
    // Read afresh at every showing: the logo window may have changed it.
    m_logo = companyLogo();
    m_imgLogo->setPixmap(QPixmap::fromImage(m_logo));
}

void AgreementWindow::btnStampaClick()
{
    try {
        Report report = Report::load(m_template);
        fillAgreement(report, editor(), m_logo.isNull() ? defaultLogo() : m_logo);
        const PreparedReport prepared = prepare(report);
        output(prepared);
    } catch (const std::exception &) {
        ui::warning(this, m_failure);
    }
    accept();
}

TfrmStampaRic::TfrmStampaRic(QWidget *editor)
    : AgreementWindow({QStringLiteral("TfrmStampaRic"), QStringLiteral(" Print"), QStringLiteral("imgLogo01"),
                          QStringLiteral(":/artwork/explain_print.svg"), QStringLiteral("Print")},
        kAgreementTemplate, QStringLiteral("An error occurred while printing the document."), editor)
{ }

void TfrmStampaRic::output(const PreparedReport &report)
{
    printReport(this, report);
}

TfrmAnteprimaRic::TfrmAnteprimaRic(QWidget *editor)
    : AgreementWindow({QStringLiteral("TfrmAnteprimaRic"), QStringLiteral(" Preview"), QStringLiteral("icoInf01"),
                          QStringLiteral(":/artwork/explain_preview.svg"), QStringLiteral("Show preview")},
        kAgreementPreviewTemplate, QStringLiteral("An error occurred while loading the preview."), editor)
{ }

void TfrmAnteprimaRic::output(const PreparedReport &report)
{
    showPreview(this, report);
}

void printAgreement(QWidget *editor)
{
    auto window = std::make_unique<TfrmStampaRic>(editor);
    ui::Dialogs::instance().execModal(window.get());
}

void previewAgreement(QWidget *editor)
{
    auto window = std::make_unique<TfrmAnteprimaRic>(editor);
    ui::Dialogs::instance().execModal(window.get());
}

} // namespace documents
