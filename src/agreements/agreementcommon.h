#pragma once

#include <QString>

#include <filesystem>

namespace agreements {

// Paths cross between labels (text) and the record core (paths) without
// losing characters outside the local code page.
std::filesystem::path toPath(const QString &text);
QString fromPath(const std::filesystem::path &path);

// The report of a settings value that could not be written.
QString settingsWriteFailure(const std::filesystem::path &file);

// The caller word with which the agreement editor opens the starting-number
// window.
inline const QString kCallerAgreements = QStringLiteral("ricevute");

} // namespace agreements
