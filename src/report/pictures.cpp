#include "report/pictures.h"

#include "records/safefile.h"
#include "ui/qtext.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace report {

namespace {

QImage renderSvg(const QString &path, double sharpness)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return QImage();
    const QSize size = renderer.defaultSize();
    if (size.isEmpty())
        return QImage();
    QImage image(QSize(static_cast<int>(std::lround(size.width() * sharpness)),
                       static_cast<int>(std::lround(size.height() * sharpness))),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), image.size()));
    }
    image.setDevicePixelRatio(sharpness);
    return image;
}

QImage decodePicture(QImageReader &reader)
{
    reader.setAutoTransform(true);
    // The extension may lie (a JPEG saved as .bmp): trust the content.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace

QImage svgPicture(const QString &path, double sharpness)
{
    // Built-in drawings never change while the program runs: draw each once.
    static QHash<QString, QImage> builtIn;
    const bool resource = path.startsWith(QLatin1Char(':'));
    const QString key = path + QLatin1Char('@') + QString::number(sharpness);
    if (resource) {
        const auto it = builtIn.constFind(key);
        if (it != builtIn.constEnd())
            return *it;
    }
    QImage image = renderSvg(path, sharpness);
    if (resource && !image.isNull())
        builtIn.insert(key, image);
    return image;
}

QImage readPicture(const QString &path)
{
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return svgPicture(path);
    if (path.startsWith(QLatin1Char(':'))) {
        QImageReader reader(path);
        return decodePicture(reader);
    }
    return readPicture(ui::fromQtPath(path));
}

QImage readPicture(const std::filesystem::path &path)
{
    const std::optional<std::string> bytes = records::readWholeFile(path);
    if (!bytes)
        return QImage();
    QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return decodePicture(reader);
}

QImage onWhite(const QImage &image)
{
    if (image.isNull())
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDevicePixelRatio(image.devicePixelRatio());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

} // namespace report
