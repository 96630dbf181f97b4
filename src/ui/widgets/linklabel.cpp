#include "ui/widgets/linklabel.h"

#include <QMouseEvent>

namespace ui {

const QColor &LinkLabel::restColour()
{
    static const QColor c(0x00, 0x00, 0x8B);
    return c;
}

const QColor &LinkLabel::pressedColour()
{
    static const QColor c(0xFF, 0xA5, 0x00);
    return c;
}

LinkLabel::LinkLabel(const QString &objectName, const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(text);
    setColour(restColour());
}

void LinkLabel::attachPicture(QWidget *picture)
{
    picture->setCursor(Qt::PointingHandCursor);
    picture->installEventFilter(this);
}

void LinkLabel::setColour(const QColor &colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setColour(pressedColour());
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    setColour(restColour());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT activated();
    QLabel::mouseReleaseEvent(event);
}

bool LinkLabel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        setColour(pressedColour());
    } else if (event->type() == QEvent::MouseButtonRelease) {
        setColour(restColour());
        auto *w = qobject_cast<QWidget *>(watched);
        const auto *me = static_cast<QMouseEvent *>(event);
        if (w && w->rect().contains(me->position().toPoint()))
            Q_EMIT activated();
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace ui
