#pragma once

#include <filesystem>
#include <string_view>

namespace records {

// The per-user (Linux: $XDG_DATA_HOME, else ~/.local/share) or per-machine
// (Windows: common application data) folder followed by "Drivora". Formed
// afresh on every call, never cached, so a test or the user can move it.
std::filesystem::path dataFolderPath();

// Creates the folder with every missing parent. Failures are not reported
// here: the file access that follows fails and is reported by its action.
void ensureFolder(const std::filesystem::path &folder);

// dataFolderPath() / name, with the data folder made sure to exist.
std::filesystem::path dataFile(std::string_view name);

} // namespace records
