#pragma once

#include "support/testsupport.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace fleettesting {

// A picture of one colour with a dark band at the top, so its orientation
// and size can be checked after a round trip.
inline QImage picture(QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, size.width(), std::max(1, size.height() / 10)), Qt::black);
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format, int quality = 90)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

inline QByteArray jpeg(QSize size, const QColor &colour) { return encoded(picture(size, colour), "JPEG"); }

struct Decoded {
    QByteArray format;
    QSize size;
    QImage image;
};

// Decodes independently of the program's photo code.
inline Decoded decode(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Decoded d;
    d.format = reader.format();
    d.image = reader.read();
    d.size = d.image.size();
    return d;
}

// True when the colours are within JPEG's rounding of each other.
inline bool near(const QColor &a, const QColor &b, int tolerance = 24)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace fleettesting
