#include "agreements/logo.h"

#include "records/datafolder.h"
#include "records/safefile.h"
#include "report/pictures.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgRenderer>

namespace agreements {

std::filesystem::path logoFilePath() { return records::dataFile("Logo.bmp"); }

QImage defaultLogo()
{
    static const QImage image = [] {
        QImage drawn(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QSvgRenderer renderer(QStringLiteral(":/artwork/default_logo.svg"));
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, kLogoWidth, kLogoHeight));
        return drawn;
    }();
    return image;
}

QImage blankLogo()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage storedLogo() { return report::onWhite(report::readPicture(logoFilePath())); }

QImage currentLogo()
{
    const QImage logo = storedLogo();
    return logo.isNull() ? defaultLogo() : logo;
}

bool saveLogo(const QImage &image)
{
    if (image.isNull())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!report::onWhite(image).save(&buffer, "BMP"))
        return false;
    return records::replaceFile(logoFilePath(),
                                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace agreements
