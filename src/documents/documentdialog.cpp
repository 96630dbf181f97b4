#include "documents/documentdialog.h"

#include "ui/appearance.h"
#include "ui/gradientwidget.h"

#include <QPushButton>
#include <QScreen>
#include <QSvgWidget>

namespace documents {

namespace {

constexpr QSize kWindowSize(364, 287);

} // namespace

DocumentDialog::DocumentDialog(const Design &design, QWidget *editor)
    : QDialog(editor, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_editor(editor)
{
    setObjectName(design.className);
    setWindowTitle(design.caption);
    setFixedSize(kWindowSize);
    setModal(true);

    auto *background = new ui::GradientWidget(QColor(0x42, 0x7A, 0xA8), Qt::white, this);
    background->setGeometry(QRect(QPoint(0, 0), kWindowSize));

    auto *card = ui::makeBox(Qt::white, background, 8);
    card->setBorder(QColor(0x1F, 0x3A, 0x5F));
    card->setGeometry(12, 12, 340, 214);

    auto *picture = new QSvgWidget(design.picture, card);
    picture->setObjectName(design.pictureName);
    picture->setGeometry(10, 10, 320, 194);

    const QFont buttonFont = ui::windowFont(QStringLiteral("Tahoma"), 13, true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), background);
    m_cancel->setObjectName(QStringLiteral("btnAnnulla"));
    m_cancel->setFont(buttonFont);
    m_cancel->setGeometry(12, 238, 130, 36);
    m_cancel->setCursor(Qt::PointingHandCursor);
    connect(m_cancel, &QPushButton::clicked, this, &DocumentDialog::btnAnnullaClick);

    m_action = new QPushButton(design.actionText, background);
    m_action->setObjectName(QStringLiteral("btnStampa"));
    m_action->setFont(buttonFont);
    m_action->setGeometry(222, 238, 130, 36);
    m_action->setCursor(Qt::PointingHandCursor);
    m_action->setDefault(true);
    m_action->setAutoDefault(true);
    connect(m_action, &QPushButton::clicked, this, &DocumentDialog::btnStampaClick);
}

void DocumentDialog::btnAnnullaClick()
{
    reject();
}

void DocumentDialog::showEvent(QShowEvent *event)
{
    QRect over;
    if (m_editor && m_editor->isVisible())
        over = QRect(m_editor->mapToGlobal(QPoint(0, 0)), m_editor->size());
    else if (const QScreen *screen = this->screen())
        over = screen->availableGeometry();
    if (over.isValid()) {
        QRect client(QPoint(0, 0), size());
        client.moveCenter(over.center());
        // move() places the frame; the title bar is not part of the centring.
        move(client.topLeft() - (geometry().topLeft() - pos()));
    }
    QDialog::showEvent(event);
    m_action->setFocus();
    formShow();
}

} // namespace documents
