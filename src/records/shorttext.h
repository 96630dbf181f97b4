#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace records {

// A short text field of capacity C: one length byte, then C bytes of
// Windows-1252 text of which the first `length` are significant.

// Trims characters of code 32 or below on both sides, converts to the code
// page and keeps at most `field.size() - 1` bytes. Bytes after the text are
// left as they are.
void storeText(std::span<std::uint8_t> field, std::string_view utf8);

// Reads the text back as trimmed UTF-8. A length byte larger than the
// capacity (a damaged file) is read as the capacity, never past the field.
std::string loadText(std::span<const std::uint8_t> field);

} // namespace records
