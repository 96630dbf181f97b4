#pragma once

#include <QImage>
#include <QString>

#include <filesystem>

namespace report {

// An SVG drawing as a picture of its own size in pixels, drawn `sharpness`
// times finer (device pixel ratio) so that it stays crisp on paper. Its
// proportions are those of the drawing. A null image if it cannot be read.
QImage svgPicture(const QString &path, double sharpness = 4.0);

// Any picture the toolkit reads (bitmap, JPEG, PNG, SVG), whatever its
// extension claims; null if the file is missing or cannot be decoded.
// Resource paths (":/...") are read by the toolkit, files through the
// program's own path conversion.
QImage readPicture(const QString &path);
QImage readPicture(const std::filesystem::path &path);

// The same picture laid on white, as it prints and as a bitmap stores it.
QImage onWhite(const QImage &image);

} // namespace report
