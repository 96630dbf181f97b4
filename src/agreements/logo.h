#pragma once

#include <QImage>

#include <filesystem>

namespace agreements {

// The company logo printed on every rental agreement: "Logo.bmp" in the data
// folder, or the built-in default logo when that file is missing or
// unreadable. The logo window and the printed agreement both take it from
// here, so what the window shows is what prints.

inline constexpr int kLogoWidth = 297;
inline constexpr int kLogoHeight = 184;

// Full path of the logo file; the data folder is created if missing.
std::filesystem::path logoFilePath();

// The built-in logo, 297 x 184.
QImage defaultLogo();
// A white picture of 2 x 2 pixels: prints as an empty logo area.
QImage blankLogo();

// The logo file as it prints (transparent parts on white); null when it is
// missing or cannot be read.
QImage storedLogo();
// The logo file, or the default logo.
QImage currentLogo();

// Writes `image` as a bitmap to the logo file, replacing it only once the
// new file is complete. False when it could not be written.
bool saveLogo(const QImage &image);

} // namespace agreements
