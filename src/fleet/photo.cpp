#include "fleet/photo.h"

#include "records/datafolder.h"
#include "records/pictureprobe.h"
#include "records/safefile.h"
#include "ui/qtext.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <filesystem>
#include <span>

namespace fleet {

namespace {

constexpr int kJpegQuality = 90;
// Enough of a file to tell whether it holds a picture.
constexpr std::size_t kProbeBytes = 4096;
// Room for a full decode of a large bitmap or PNG (8000 x 6000 at 32 bits is
// 192 MB, above Qt's default guard of 128 MB).
constexpr int kFullDecodeLimitMb = 1024;

std::span<const unsigned char> bytesOf(const QByteArray &data)
{
    return {reinterpret_cast<const unsigned char *>(data.constData()), static_cast<std::size_t>(data.size())};
}

QByteArray encodeJpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image))
        return {};
    return bytes;
}

// JPEG has no transparency: transparent parts of a PNG or GIF become white
// rather than black.
QImage opaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDevicePixelRatio(1);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    return flat;
}

QSize fitted(QSize size, QSize box)
{
    if (size.width() <= box.width() && size.height() <= box.height())
        return size;
    QSize scaled = size.scaled(box, Qt::KeepAspectRatio);
    return scaled.expandedTo(QSize(1, 1));
}

class AllocationLimit final
{
public:
    explicit AllocationLimit(int mb) : m_previous(QImageReader::allocationLimit())
    {
        if (m_previous != 0 && m_previous < mb)
            QImageReader::setAllocationLimit(mb);
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_previous); }
    Q_DISABLE_COPY_MOVE(AllocationLimit)

private:
    int m_previous;
};

const QByteArray &placeholderJpeg()
{
    static const QByteArray bytes = [] {
        QImage image(kPlaceholderSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QSvgRenderer renderer(kPlaceholderArtwork);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(kPlaceholderSize)));
        p.end();
        return encodeJpeg(image);
    }();
    return bytes;
}

} // namespace

bool isCompleteJpeg(const QByteArray &data) { return records::isCompleteJpeg(bytesOf(data)); }

bool isCompleteBitmap(const QByteArray &data) { return records::isCompleteBitmap(bytesOf(data)); }

std::optional<Photo> Photo::fromFile(const QString &path, QSize displayBox)
{
    const std::filesystem::path file = ui::fromQtPath(path);
    // Only a picture is read whole: a large file of another kind is
    // refused from its first bytes.
    std::optional<std::string> head = records::readFileHead(file, kProbeBytes);
    if (!head)
        return std::nullopt;
    {
        QByteArray probeBytes = QByteArray::fromRawData(head->data(), static_cast<qsizetype>(head->size()));
        QBuffer buffer(&probeBytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader probe(&buffer);
        probe.setDecideFormatFromContent(true);
        if (probe.format().isEmpty())
            return std::nullopt;
    }
    const std::optional<std::string> whole = records::readWholeFile(file);
    if (!whole)
        return std::nullopt;
    const QByteArray data(whole->data(), static_cast<qsizetype>(whole->size()));
    return fromBytes(data, displayBox);
}

std::optional<Photo> Photo::fromBytes(const QByteArray &data, QSize displayBox)
{
    if (data.isEmpty())
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format.isEmpty() || !reader.canRead())
        return std::nullopt;
    // A cut-off file decodes with a grey or black remainder: refuse it.
    if (format == "jpeg" && !isCompleteJpeg(data))
        return std::nullopt;
    if (format == "bmp" && !isCompleteBitmap(data))
        return std::nullopt;

    Photo photo;
    if (format == "jpeg") {
        // Decode straight to screen size: the JPEG decoder then skips most of
        // the work for a large photo. The bytes stay the full picture.
        const QSize raw = reader.size();
        const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
        if (raw.isValid()) {
            const QSize box = turned ? displayBox.transposed() : displayBox;
            if (raw.width() > box.width() || raw.height() > box.height())
                reader.setScaledSize(fitted(raw, box));
        }
        QImage shown = reader.read();
        if (shown.isNull())
            return std::nullopt;
        photo.m_size = raw.isValid() ? (turned ? raw.transposed() : raw) : shown.size();
        photo.m_display = std::move(shown);
        photo.m_jpeg = data;
        return photo;
    }

    const AllocationLimit limit(kFullDecodeLimitMb);
    const QImage full = reader.read();
    if (full.isNull())
        return std::nullopt;
    const QImage flat = opaque(full);
    photo.m_jpeg = encodeJpeg(flat);
    if (photo.m_jpeg.isEmpty())
        return std::nullopt;
    photo.m_size = flat.size();
    const QSize shown = fitted(flat.size(), displayBox);
    photo.m_display = shown == flat.size() ? flat : flat.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return photo;
}

QSize Photo::size() const { return isPlaceholder() ? kPlaceholderSize : m_size; }

QByteArray Photo::jpeg() const { return isPlaceholder() ? placeholderJpeg() : m_jpeg; }

QImage Photo::scaledTo(QSize box) const
{
    if (isPlaceholder())
        return {};
    const std::optional<Photo> copy = fromBytes(m_jpeg, box);
    return copy ? copy->display() : m_display;
}

QString photoFolder()
{
    const std::filesystem::path folder = records::dataFolderPath() / "Vehicle_Fleet";
    records::ensureFolder(folder);
    return ui::toQtPath(folder);
}

QString photoPath(const QString &position)
{
    // Only a record position names a photo: nothing else may reach the path.
    const QString number = ui::trimControl(position);
    if (number.isEmpty()
        || !std::all_of(number.begin(), number.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; }))
        return {};
    return photoFolder() + QStringLiteral("/Photo_") + number + QStringLiteral(".jpg");
}

bool writeJpegFile(const QString &path, const QByteArray &jpeg)
{
    if (jpeg.isEmpty())
        return false;
    return records::replaceFile(ui::fromQtPath(path),
                                std::string_view(jpeg.constData(), static_cast<std::size_t>(jpeg.size())));
}

} // namespace fleet
