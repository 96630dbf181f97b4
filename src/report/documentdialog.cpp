#include "report/documentdialog.h"

#include "report/reportlayout.h"
#include "report/reportmodel.h"
#include "report/reportoutput.h"
#include "report/reportpreview.h"
#include "ui/dialogs/dialogs.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/gradientwidget.h"

#include <QLabel>
#include <QPushButton>
#include <QSvgWidget>

namespace report {

namespace {

constexpr QSize kWindowSize(364, 287);

} // namespace

DocumentDialog::DocumentDialog(const Design &design, QWidget *editor)
    : ui::UseWindow({design.className, design.caption, design.gradientTop, Qt::white}, editor)
{
    setFixedSize(kWindowSize);

    auto *card = ui::makeBox(Qt::white, this, 8);
    card->setBorder(QColor(0x1F, 0x3A, 0x5F));
    card->setGeometry(12, 12, 340, 214);

    auto *picture = new QSvgWidget(design.picture, card);
    picture->setObjectName(design.pictureName);
    picture->setGeometry(10, 10, 320, 194);

    const QFont buttonFont = ui::windowFont(QStringLiteral("Tahoma"), 13, true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("btnAnnulla"));
    m_cancel->setFont(buttonFont);
    m_cancel->setGeometry(12, 238, 130, 36);
    m_cancel->setCursor(Qt::PointingHandCursor);
    connect(m_cancel, &QPushButton::clicked, this, &DocumentDialog::btnAnnullaClick);

    m_action = new QPushButton(design.actionText, this);
    m_action->setObjectName(QStringLiteral("btnStampa"));
    m_action->setFont(buttonFont);
    m_action->setGeometry(222, 238, 130, 36);
    m_action->setCursor(Qt::PointingHandCursor);
    m_action->setDefault(true);
    m_action->setAutoDefault(true);
    connect(m_action, &QPushButton::clicked, this, &DocumentDialog::btnStampaClick);
}

void DocumentDialog::btnAnnullaClick() { reject(); }

void DocumentDialog::formShow()
{
    m_action->setFocus();
    documentShow();
}

PictureDocumentDialog::PictureDocumentDialog(const Design &design, Output output, const QString &templatePath,
                                             const QString &failure, const QImage &fallback, QWidget *editor)
    : DocumentDialog(design, editor), m_output(output), m_template(templatePath), m_failure(failure)
{
    m_imgLogo = hiddenPicture(QStringLiteral("imgLogo"), this);
    m_imgTemp = hiddenPicture(QStringLiteral("imgTemp"), this);
    m_imgTemp->setPixmap(QPixmap::fromImage(fallback));
}

QImage PictureDocumentDialog::fallbackPicture() const { return m_imgTemp->pixmap().toImage(); }

void PictureDocumentDialog::documentShow()
{
    m_picture = showingPicture();
    m_imgLogo->setPixmap(QPixmap::fromImage(m_picture));
}

void PictureDocumentDialog::btnStampaClick()
{
    try {
        Report report = Report::load(m_template);
        fill(report, m_picture);
        const PreparedReport prepared = prepare(report);
        if (m_output == Output::Print)
            printReport(this, prepared);
        else
            showPreview(this, prepared);
    } catch (const std::exception &) {
        ui::warning(this, m_failure);
    }
    accept();
}

QLabel *hiddenPicture(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

} // namespace report
