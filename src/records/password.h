#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace records {

// The access password's scrambling: each character (taken in the record
// files' code page, so é and € survive) is XORed with the high byte of a
// 16-bit state that then advances with the scrambled byte; the result is two
// upper-case hexadecimal digits per character. Every character is kept, also
// past 255 of them: the routine works one character at a time.
std::string scramble(std::string_view utf8);
// The plain text of a scrambled one: upper- or lower-case digits, a trailing
// single digit ignored; nothing when a pair is not hexadecimal.
std::optional<std::string> unscramble(std::string_view hex);

// The form a password is stored and compared in: ASCII letters in upper case
// (no other letter changes case), then trimmed of codes 32 and below.
std::string storedPasswordForm(std::string_view utf8);

} // namespace records
