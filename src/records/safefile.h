#pragma once

#include "records/osfile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// Every whole-file write of the program (settings, password file, logo,
// photos, exports, attachment copies) goes through here: the content goes
// into a new file beside the target, is flushed to the disk and renamed over
// the target, and the folder is flushed so the rename survives a power cut.
// On any failure the target is left as it was, the new file is removed and
// false is returned.
bool replaceFile(const std::filesystem::path &target, std::string_view content);

// The whole content of a regular file; nothing when it is missing, not a
// regular file or cannot be read to the end. Never throws.
std::optional<std::string> readWholeFile(const std::filesystem::path &file);
// At most the first `length` bytes of a regular file; nothing on an error.
std::optional<std::string> readFileHead(const std::filesystem::path &file, std::size_t length);

// Removes the temporary files that replaceFile() left in `folder` when its
// writer was killed: only files of its own naming whose process is gone.
// Returns how many were removed.
int removeStaleTemporaries(const std::filesystem::path &folder);

// An exclusive lock held around a read-modify-write of a file that is
// replaced by renaming (the settings and password files): it lives on a
// lock file of its own beside the target, so two running copies of the
// program never lose each other's changes.
class FileUpdateLock final
{
public:
    explicit FileUpdateLock(const std::filesystem::path &target);
    bool held() const { return m_held; }

private:
    OsFile m_file;
    bool m_held = false;
};

} // namespace records
