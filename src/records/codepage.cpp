#include "records/codepage.h"

#include <array>

namespace records {

namespace {

// 0x80..0x9F of Windows-1252; the undefined positions keep their C1 value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Base letters of U+0100..U+017F (Latin Extended-A); '?' where none fits.
constexpr std::string_view kLatinExtA = "AaAaAaCcCcCcCcDd"
                                        "DdEeEeEeEeEeGgGg"
                                        "GgGgHhHhIiIiIiIi"
                                        "Ii??JjKkkLlLlLlL"
                                        "lLlNnNnNnnNnOoOo"
                                        "OoOoRrRrRrSsSsSs"
                                        "SsTtTtTtUuUuUuUu"
                                        "UuUuWwYyYZzZzZzs";

constexpr unsigned char kSubstitute = '?';

unsigned char bestFit(char32_t cp)
{
    if (cp >= 0x0100 && cp <= 0x017F)
        return static_cast<unsigned char>(kLatinExtA[cp - 0x0100]);
    switch (cp) {
    case 0x0180:
        return 'b';
    case 0x0189:
    case 0x018A:
        return 'D';
    case 0x0197:
        return 'I';
    case 0x019A:
        return 'l';
    case 0x019F:
        return 'O';
    case 0x01A0:
        return 'O';
    case 0x01A1:
        return 'o';
    case 0x01AF:
        return 'U';
    case 0x01B0:
        return 'u';
    case 0x01B6:
        return 'z';
    case 0x01CD:
        return 'A';
    case 0x01CE:
        return 'a';
    case 0x01CF:
        return 'I';
    case 0x01D0:
        return 'i';
    case 0x01D1:
        return 'O';
    case 0x01D2:
        return 'o';
    case 0x01D3:
        return 'U';
    case 0x01D4:
        return 'u';
    case 0x0218:
        return 'S';
    case 0x0219:
        return 's';
    case 0x021A:
        return 'T';
    case 0x021B:
        return 't';
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2212:
        return '-';
    case 0x2032:
        return '\'';
    case 0x2033:
        return '"';
    case 0x2044:
        return '/';
    case 0x2215:
        return '/';
    case 0x2024:
        return '.';
    case 0x2000:
    case 0x2001:
    case 0x2002:
    case 0x2003:
    case 0x2004:
    case 0x2005:
    case 0x2006:
    case 0x2007:
    case 0x2008:
    case 0x2009:
    case 0x200A:
    case 0x202F:
        return ' ';
    default:
        break;
    }
    if (cp >= 0xFF01 && cp <= 0xFF5E)
        return static_cast<unsigned char>(cp - 0xFEE0); // fullwidth ASCII
    return kSubstitute;
}

bool isCombiningMark(char32_t cp) { return cp >= 0x0300 && cp <= 0x036F; }

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence starting at `i`; returns U+FFFD for malformed
// input and always advances at least one byte.
char32_t decodeUtf8(std::string_view s, size_t &i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    const bool overlong = (extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    return cp;
}

} // namespace

char32_t cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHigh[byte - 0x80];
    return byte;
}

unsigned char unicodeToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (size_t k = 0; k < kHigh.size(); ++k) {
        if (kHigh[k] == cp)
            return static_cast<unsigned char>(0x80 + k);
    }
    return bestFit(cp);
}

std::string toCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = decodeUtf8(utf8, i);
        if (isCombiningMark(cp))
            continue; // best fit of a decomposed accent is the bare letter
        out.push_back(static_cast<char>(unicodeToCp1252(cp)));
    }
    return out;
}

std::string fromCp1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes)
        appendUtf8(out, cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

} // namespace records
