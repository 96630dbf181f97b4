#pragma once

#include <QImage>
#include <QString>

namespace agreements {

// The company logo printed on every rental agreement: "Logo.bmp" in the data
// folder, or the built-in default logo when that file is missing or
// unreadable.

inline constexpr int kLogoWidth = 297;
inline constexpr int kLogoHeight = 184;

QString logoFileName();
// Full path of the logo file; the data folder is created if missing.
QString logoFilePath();

// The built-in logo, 297 x 184.
QImage defaultLogo();
// A white picture of 2 x 2 pixels: prints as an empty logo area.
QImage blankLogo();

// Reads any picture format; null when the file cannot be read. Transparent
// parts are laid on white, as they would print.
QImage readPicture(const QString &path);

// The logo file, or the default logo.
QImage currentLogo();

// Writes `image` as a bitmap to the logo file, replacing it only once the
// new file is complete. False when it could not be written.
bool saveLogo(const QImage &image);

} // namespace agreements
