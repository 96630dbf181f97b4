#pragma once

#include <QImage>
#include <QString>
#include <filesystem>

namespace documents {

// An SVG drawing as a picture of its own size in pixels, drawn `sharpness`
// times finer (device pixel ratio) so that it stays crisp on paper. Its
// proportions are those of the drawing. A null image if it cannot be read.
QImage svgPicture(const QString &path, double sharpness = 4.0);

// Any picture file the toolkit reads (bitmap, JPEG, PNG, SVG); null if the
// file is missing or cannot be decoded.
QImage readPicture(const QString &path);

// The built-in company logo printed when there is no logo file: 297 x 184.
QImage defaultLogo();

// The company logo of the agreements: the data folder's "Logo.bmp", or the
// default logo when that file is missing or unreadable.
QImage companyLogo();

QString toQtPath(const std::filesystem::path &path);

} // namespace documents
