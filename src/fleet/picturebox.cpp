#include "fleet/picturebox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace fleet {

PictureBox::PictureBox(const QString &objectName, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setImage(const QImage &image)
{
    m_image = image;
    m_artwork.clear();
    delete m_svg;
    m_svg = nullptr;
    update();
}

void PictureBox::setArtwork(const QString &resource)
{
    m_image = QImage();
    m_artwork = resource;
    if (!m_svg)
        m_svg = new QSvgRenderer(this);
    m_svg->load(resource);
    update();
}

void PictureBox::copyFrom(const PictureBox &other)
{
    if (!other.m_artwork.isEmpty())
        setArtwork(other.m_artwork);
    else
        setImage(other.m_image);
}

QSize PictureBox::naturalSize() const
{
    if (m_svg && m_svg->isValid())
        return m_svg->defaultSize();
    return m_image.size();
}

QRect PictureBox::pictureRect() const
{
    const QSize natural = naturalSize();
    if (natural.isEmpty())
        return {};
    const QSize shown = natural.scaled(size(), Qt::KeepAspectRatio);
    return {QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown};
}

void PictureBox::paintEvent(QPaintEvent *)
{
    const QRect target = pictureRect();
    if (target.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_svg && m_svg->isValid())
        m_svg->render(&p, target);
    else
        p.drawImage(target, m_image);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        Q_EMIT clicked();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace fleet
