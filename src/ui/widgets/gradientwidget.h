#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// A widget filled with a vertical gradient (window backgrounds) or a plain
// colour with optional rounded corners (cards, bands, boxes).
class GradientWidget : public QWidget
{
    Q_OBJECT

public:
    GradientWidget(const QColor &top, const QColor &bottom, QWidget *parent = nullptr);
    void setColours(const QColor &top, const QColor &bottom);
    void setRadius(qreal radius) { m_radius = radius; }
    void setBorder(const QColor &colour) { m_border = colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_top;
    QColor m_bottom;
    QColor m_border;
    qreal m_radius = 0;
};

// A plain box: white card, coloured band.
GradientWidget *makeBox(const QColor &colour, QWidget *parent = nullptr, qreal radius = 6);

} // namespace ui
