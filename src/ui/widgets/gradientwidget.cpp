#include "ui/widgets/gradientwidget.h"

#include <QLinearGradient>
#include <QPainter>

namespace ui {

GradientWidget::GradientWidget(const QColor &top, const QColor &bottom, QWidget *parent)
    : QWidget(parent), m_top(top), m_bottom(bottom)
{ }

void GradientWidget::setColours(const QColor &top, const QColor &bottom)
{
    m_top = top;
    m_bottom = bottom;
    update();
}

void GradientWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, m_top);
    g.setColorAt(1, m_bottom);
    p.setPen(m_border.isValid() ? QPen(m_border, 1) : QPen(Qt::NoPen));
    p.setBrush(g);
    if (m_radius > 0)
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
    else
        p.drawRect(rect());
}

GradientWidget *makeBox(const QColor &colour, QWidget *parent, qreal radius)
{
    auto *box = new GradientWidget(colour, colour, parent);
    box->setRadius(radius);
    return box;
}

} // namespace ui
