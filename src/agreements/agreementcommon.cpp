#include "agreements/agreementcommon.h"

#include "ui/qtext.h"

namespace agreements {

QString settingsWriteFailure(const std::filesystem::path &file)
{
    return QStringLiteral("Unable to write to ") + ui::toQtPath(file);
}

} // namespace agreements
