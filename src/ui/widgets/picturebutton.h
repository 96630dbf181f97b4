#pragma once

#include <QAbstractButton>
#include <QPixmap>

class QSvgRenderer;

namespace ui {

// Every clickable picture of the program: a real button (pressable from the
// keyboard shortcut-less assistive technology, hand cursor) that stays out
// of the Tab order so the windows' field cycles stay as designed. Its hint is
// its accessible name and what the hint bar shows while the mouse is over it.
class PictureButton final : public QAbstractButton
{
    Q_OBJECT

public:
    // `picture` is a resource path of an SVG or raster image.
    PictureButton(const QString &objectName, const QString &picture, const QString &hint, QWidget *parent = nullptr);

    void setPicture(const QString &picture);
    void setPixmap(const QPixmap &pixmap);
    // A line of text drawn as the picture (the launcher's Italian titles).
    void setCaption(const QString &caption, const QFont &font, const QColor &colour);
    QString hint() const { return m_hint; }
    void setHint(const QString &hint);
    QSize sizeHint() const override;

Q_SIGNALS:
    void hovered(const QString &hint);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QSvgRenderer *m_svg = nullptr;
    QPixmap m_pixmap;
    QString m_hint;
    QString m_caption;
    QFont m_captionFont;
    QColor m_captionColour;
};

} // namespace ui
