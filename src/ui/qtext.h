#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace ui {

// The record core speaks UTF-8 std::string; windows speak QString.
inline std::string toStd(const QString &text) { return text.toStdString(); }
inline QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The one trimming rule of the program: characters of code 32 or below go
// from both ends, everything else (a non-breaking space too) stays.
QString trimControl(const QString &text);

// File paths cross between the file system and the windows here and nowhere
// else. The conversion is lossless in both directions on every platform: on
// Windows a path is UTF-16 already; elsewhere it is bytes, and a byte that is
// not part of valid UTF-8 travels as the lone surrogate U+DC00 + byte, so a
// data folder whose name is not UTF-8 can still be shown in a label and
// opened again from it. Such a string is for labels and for fromQtPath();
// files are opened through std::filesystem paths, never through Qt's own
// file name encoding.
QString toQtPath(const std::filesystem::path &path);
std::filesystem::path fromQtPath(const QString &text);

} // namespace ui
