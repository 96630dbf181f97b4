#pragma once

#include <string>
#include <string_view>

namespace records {

// Removes leading and trailing characters whose code is 32 or below (blanks
// and control characters). Works on UTF-8 text: bytes of multi-byte
// sequences are all above 127, so they are never trimmed.
std::string_view trimControl(std::string_view text);
std::string trimmedCopy(std::string_view text);

// Folds only the letters A to Z to lower case, as every search does.
std::string foldAsciiLower(std::string_view text);

// True when every byte of `needle` occurs in `haystack` as a substring after
// folding A-Z on both; an empty needle always matches.
bool containsFolded(std::string_view haystack, std::string_view needle);

} // namespace records
