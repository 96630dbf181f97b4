#include "agreements/logo.h"

#include "records/datafolder.h"

#include <QImageReader>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

namespace agreements {

namespace {

QImage onWhite(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDevicePixelRatio(image.devicePixelRatio());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

} // namespace

QString logoFileName() { return QStringLiteral("Logo.bmp"); }

QString logoFilePath()
{
    const std::filesystem::path path = records::dataFile("Logo.bmp");
    return QString::fromStdU16String(path.u16string());
}

QImage defaultLogo()
{
    QImage image(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/artwork/default_logo.svg"));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, kLogoWidth, kLogoHeight));
    return image;
}

QImage blankLogo()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage readPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    return image.isNull() ? QImage() : onWhite(image);
}

QImage currentLogo()
{
    const QImage logo = readPicture(logoFilePath());
    return logo.isNull() ? defaultLogo() : logo;
}

bool saveLogo(const QImage &image)
{
    if (image.isNull())
        return false;
    QSaveFile file(logoFilePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!onWhite(image).save(&file, "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace agreements
