#pragma once

#include <QImage>
#include <QWidget>

class QSvgRenderer;

namespace fleet {

// A picture box (`imgFoto`, `imgBianco`): draws its picture fitted into the
// box, keeping the picture's proportions, centred. The picture is either a
// raster image or a piece of artwork.
class PictureBox final : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(const QString &objectName, QWidget *parent = nullptr);

    void setImage(const QImage &image);
    void setArtwork(const QString &resource);
    // Copies another box's picture (showing the placeholder is copying it).
    void copyFrom(const PictureBox &other);

    const QImage &image() const { return m_image; }
    QString artwork() const { return m_artwork; }
    // The rectangle the picture is drawn in.
    QRect pictureRect() const;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QSize naturalSize() const;

    QImage m_image;
    QString m_artwork;
    QSvgRenderer *m_svg = nullptr;
};

} // namespace fleet
