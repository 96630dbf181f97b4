#include "records/accesspassword.h"

#include "records/datafolder.h"
#include "records/inifile.h"
#include "records/password.h"
#include "records/safefile.h"
#include "records/textutil.h"

#include <system_error>

namespace records {

std::filesystem::path passwordFilePath() { return dataFile(kPasswordFileName); }

std::optional<std::string> readStoredPassword()
{
    const std::filesystem::path file = passwordFilePath();
    std::error_code ec;
    if (std::filesystem::exists(file, ec) && !readWholeFile(file))
        return std::nullopt;
    const std::string value = readIniString(file, "Login", "Value", "");
    std::optional<std::string> plain = unscramble(value);
    if (!plain)
        return std::nullopt;
    return trimmedCopy(*plain);
}

void writePassword(std::string_view typed)
{
    writeIniString(passwordFilePath(), "Login", "Value", scramble(storedPasswordForm(typed)));
}

void seedPasswordFile(const std::filesystem::path &programFolder)
{
    const std::filesystem::path target = passwordFilePath();
    std::error_code ec;
    if (std::filesystem::exists(target, ec) || ec)
        return;
    const std::optional<std::string> seed = readWholeFile(programFolder / std::filesystem::path(kPasswordFileName));
    if (!seed)
        return;
    // Two copies starting at once both see no file: the update lock makes
    // the second one find the first one's copy instead of replacing it.
    const FileUpdateLock lock(target);
    if (!lock.held() || std::filesystem::exists(target, ec))
        return;
    replaceFile(target, *seed);
}

} // namespace records
