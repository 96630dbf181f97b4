#include "documents/pictures.h"

#include "records/datafolder.h"

#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace documents {

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
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // The extension may lie (a JPEG saved as .bmp): trust the content.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QImage defaultLogo()
{
    return svgPicture(QStringLiteral(":/artwork/default_logo.svg"), 3.0);
}

QImage companyLogo()
{
    const QImage logo = readPicture(toQtPath(records::dataFile("Logo.bmp")));
    return logo.isNull() ? defaultLogo() : logo;
}

QString toQtPath(const std::filesystem::path &path)
{
    return QString::fromStdU16String(path.u16string());
}

} // namespace documents
