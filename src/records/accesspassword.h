#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// The access password lives scrambled in "unins000.log" in the data folder,
// section "Login", key "Value", read and written by the settings-file layer.
inline constexpr std::string_view kPasswordFileName = "unins000.log";

std::filesystem::path passwordFilePath();

// The stored password, unscrambled and trimmed; empty when there is none.
// Nothing when the file exists but cannot be read, or its value is not
// hexadecimal text.
std::optional<std::string> readStoredPassword();

// Stores `typed` in its stored form (ASCII upper case, trimmed), scrambled.
// Throws IniFileError.
void writePassword(std::string_view typed);

// Copies the seed file of the program's folder to the data folder when the
// data folder holds no password file, replacing nothing. Failures are
// ignored: without a password file no password is accepted.
void seedPasswordFile(const std::filesystem::path &programFolder);

} // namespace records
