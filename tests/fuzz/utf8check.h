#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace fuzzing {

// An independent strict UTF-8 decoder (no overlong forms, no surrogates,
// nothing above U+10FFFF) to check the code page's own one against; nullopt
// for malformed text.
inline std::optional<std::vector<char32_t>> decodeStrictUtf8(std::string_view text)
{
    std::vector<char32_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        char32_t least = 0;
        if (b0 < 0x80) {
            out.push_back(b0);
            ++i;
            continue;
        }
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            extra = 1;
            cp = b0 & 0x1Fu;
            least = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            extra = 2;
            cp = b0 & 0x0Fu;
            least = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            extra = 3;
            cp = b0 & 0x07u;
            least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (text.size() - i <= extra)
            return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (b & 0x3Fu);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

inline bool isValidUtf8(std::string_view text) { return decodeStrictUtf8(text).has_value(); }

} // namespace fuzzing
