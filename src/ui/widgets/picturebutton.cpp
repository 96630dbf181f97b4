#include "ui/widgets/picturebutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace ui {

PictureButton::PictureButton(const QString &objectName, const QString &picture, const QString &hint, QWidget *parent)
    : QAbstractButton(parent)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setHint(hint);
    if (!picture.isEmpty())
        setPicture(picture);
}

void PictureButton::setPicture(const QString &picture)
{
    if (picture.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        if (!m_svg)
            m_svg = new QSvgRenderer(this);
        m_svg->load(picture);
        m_svg->setAspectRatioMode(Qt::KeepAspectRatio);
        m_pixmap = QPixmap();
    } else {
        setPixmap(QPixmap(picture));
    }
    updateGeometry();
    update();
}

void PictureButton::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    if (m_svg) {
        delete m_svg;
        m_svg = nullptr;
    }
    update();
}

void PictureButton::setCaption(const QString &caption, const QFont &font, const QColor &colour)
{
    m_caption = caption;
    m_captionFont = font;
    m_captionColour = colour;
    update();
}

void PictureButton::setHint(const QString &hint)
{
    m_hint = hint;
    setAccessibleName(hint);
    setToolTip(QString());
}

QSize PictureButton::sizeHint() const
{
    if (m_svg && m_svg->isValid())
        return m_svg->defaultSize();
    if (!m_pixmap.isNull())
        return m_pixmap.deviceIndependentSize().toSize();
    return {32, 32};
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QRectF area = rect();
    if (isDown())
        area.translate(1, 1);
    if (m_svg && m_svg->isValid()) {
        m_svg->render(&p, area);
    } else if (!m_pixmap.isNull()) {
        const QSizeF scaled = m_pixmap.deviceIndependentSize().scaled(area.size(), Qt::KeepAspectRatio);
        const QRectF target(area.center().x() - scaled.width() / 2, area.center().y() - scaled.height() / 2,
                            scaled.width(), scaled.height());
        p.drawPixmap(target, m_pixmap, m_pixmap.rect());
    }
    if (!m_caption.isEmpty()) {
        p.setFont(m_captionFont);
        p.setPen(m_captionColour);
        p.drawText(area, Qt::AlignCenter, m_caption);
    }
    if (underMouse() && isEnabled()) {
        // A light veil tells the user the picture can be clicked.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, isDown() ? 30 : 50));
        p.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 4, 4);
    }
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    Q_EMIT hovered(m_hint);
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT hovered(m_hint);
    QAbstractButton::mouseMoveEvent(event);
}

} // namespace ui
