#include "report/documentdialog.h"

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

QLabel *hiddenPicture(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

} // namespace report
