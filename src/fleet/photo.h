#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace fleet {

// A vehicle photo as the windows hold it: the JPEG bytes of the full picture
// (what a photo file receives) and a copy scaled for the screen. A JPEG is
// kept as it was read, so an 8000 x 6000 photo is never decoded in full just
// to be browsed, and saving it again loses nothing. A default Photo is the
// built-in placeholder car.
class Photo final
{
public:
    Photo() = default;

    // Any picture the platform decodes; nullopt for a missing, truncated or
    // undecodable file. Paths are texts as ui::toQtPath() makes them.
    // `displayBox` bounds the screen copy.
    static std::optional<Photo> fromFile(const QString &path, QSize displayBox);
    static std::optional<Photo> fromBytes(const QByteArray &data, QSize displayBox);

    bool isPlaceholder() const { return m_jpeg.isEmpty(); }
    // The picture's own resolution.
    QSize size() const;
    // The screen copy (null for the placeholder, which is drawn from artwork).
    const QImage &display() const { return m_display; }
    // The full picture as a JPEG file's bytes; the placeholder is rendered
    // at its own 308 x 173.
    QByteArray jpeg() const;
    // A copy that fits `box` (the zoom window), decoded afresh from the bytes.
    QImage scaledTo(QSize box) const;

private:
    QByteArray m_jpeg;
    QImage m_display;
    QSize m_size;
};

inline constexpr QSize kPlaceholderSize{308, 173};
inline const QString kPlaceholderArtwork = QStringLiteral(":/artwork/car_placeholder.svg");

// The probes of records/pictureprobe.h on a QByteArray; they live in the
// record core so that they can be fuzzed without Qt.
bool isCompleteJpeg(const QByteArray &data);
bool isCompleteBitmap(const QByteArray &data);

// The photo folder ("Vehicle_Fleet" in the data folder), created when missing.
QString photoFolder();
// "Photo_" + position + ".jpg" in the photo folder (the folder is created);
// empty when `position` is not a record position.
QString photoPath(const QString &position);

// Writes `jpeg` to `path` through a temporary file that replaces the target
// only once complete, so a failed write never leaves a truncated picture.
bool writeJpegFile(const QString &path, const QByteArray &jpeg);

} // namespace fleet
