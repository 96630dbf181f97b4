#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace ui {

// The record core speaks UTF-8 std::string; windows speak QString.
inline std::string toStd(const QString &text) { return text.toStdString(); }
inline QString toQt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace ui
