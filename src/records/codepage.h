#pragma once

#include <string>
#include <string_view>

namespace records {

// The record files hold 8-bit text in Windows-1252 on every platform. The rest
// of the program speaks UTF-8; these two functions are the only crossing.

// UTF-8 to Windows-1252. A character the code page cannot hold becomes its
// best-fit Latin letter where one exists (U+0101 'a' macron gives 'a'),
// otherwise '?'. Malformed UTF-8 bytes also give '?'.
std::string toCp1252(std::string_view utf8);

// Windows-1252 to UTF-8. Every byte has a meaning; the five bytes that the code
// page leaves undefined map to the C1 control characters of the same value, as
// the system conversion does, so they survive a round trip.
std::string fromCp1252(std::string_view bytes);

// Unicode code point of one Windows-1252 byte.
char32_t cp1252ToUnicode(unsigned char byte);

// Windows-1252 byte of a code point, or the best-fit/substitute byte.
unsigned char unicodeToCp1252(char32_t codePoint);

} // namespace records
