#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// Every whole-file write of the program (settings, logo, photos, exports,
// attachment copies) goes through here: the content goes into a new file
// beside the target, is flushed to the disk and renamed over the target, and
// the folder is flushed so the rename survives a power cut. On any failure
// the target is left as it was and false is returned.
bool replaceFile(const std::filesystem::path &target, std::string_view content);

// The whole content of a regular file; nothing when it is missing, not a
// regular file or cannot be read to the end.
std::optional<std::string> readWholeFile(const std::filesystem::path &file);

} // namespace records
