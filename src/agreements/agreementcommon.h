#pragma once

#include <QString>

#include <filesystem>

namespace agreements {

// The report of a settings value that could not be written.
QString settingsWriteFailure(const std::filesystem::path &file);

// The caller word with which the agreement editor opens the starting-number
// window.
inline const QString kCallerAgreements = QStringLiteral("ricevute");

} // namespace agreements
