#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace records {

// Initialisation files as the Windows private-profile functions read and
// write them, so that a settings file can be shared with other programs:
//
//   [Section]
//   key=value
//
// Section and key names are compared without regard to case; blanks around
// names and values are ignored, in the file as in the names a caller asks
// for (and are not written); a value in matching single or double quotes
// is read without them. The first section of a name and the first entry of
// a key win, as with the system functions. Lines that are neither a section
// header nor a key=value entry (comments, blank lines, stray text or bytes)
// are kept as they are. Text is Windows-1252, or UTF-8 when the file starts
// with a UTF-8 byte order mark; names and values cross this interface as
// UTF-8.

// The longest value returned by a read, in characters.
inline constexpr std::size_t kIniValueMax = 2048;

class IniFileError final : public std::runtime_error
{
public:
    explicit IniFileError(const std::filesystem::path &file);
    const std::filesystem::path &file() const { return m_file; }

private:
    std::filesystem::path m_file;
};

// The value of an entry, or `fallback` when the file, the section or the key
// is missing or the file cannot be read. Never throws for file content.
std::string readIniString(const std::filesystem::path &file, std::string_view section, std::string_view key,
                          std::string_view fallback = {});

// Writes one entry, creating the file, the section or the key as needed and
// keeping every other line byte for byte. The new content is written to a
// temporary file in the same folder and renamed over the old file, so an
// interrupted write leaves the old file whole. Line breaks inside a name or
// `value` would split the entry, so they are written (and names are looked
// up) as blanks. Throws IniFileError
// when the file cannot be read or written.
void writeIniString(const std::filesystem::path &file, std::string_view section, std::string_view key,
                    std::string_view value);

// The same two operations on file content held in memory (raw bytes).
std::string findIniValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view fallback = {});
std::string setIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace records
