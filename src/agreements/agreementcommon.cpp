#include "agreements/agreementcommon.h"

#include <QDir>

namespace agreements {

std::filesystem::path toPath(const QString &text) { return std::filesystem::path(text.toStdU16String()); }

QString fromPath(const std::filesystem::path &path)
{
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

QString settingsWriteFailure(const std::filesystem::path &file)
{
    return QStringLiteral("Unable to write to ") + fromPath(file);
}

} // namespace agreements
