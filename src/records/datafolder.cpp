#include "records/datafolder.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#endif

namespace records {

namespace {

std::filesystem::path baseFolder()
{
#ifdef _WIN32
    wchar_t buffer[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, buffer)))
        return std::filesystem::path(buffer);
    return std::filesystem::path(L"\\");
#else
    if (const char *xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return std::filesystem::path(xdg);
    if (const char *home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share";
    return std::filesystem::path("/");
#endif
}

} // namespace

std::filesystem::path dataFolderPath() { return baseFolder() / "Drivora"; }

void ensureFolder(const std::filesystem::path &folder)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::absolute(folder, ec), ec);
}

std::filesystem::path dataFile(std::string_view name)
{
    const auto folder = dataFolderPath();
    ensureFolder(folder);
    return folder / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

} // namespace records
