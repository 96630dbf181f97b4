#include "records/textutil.h"

#include <algorithm>

namespace records {

namespace {
constexpr bool isTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }
constexpr char foldChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
} // namespace

std::string_view trimControl(std::string_view text)
{
    while (!text.empty() && isTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isTrimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string trimmedCopy(std::string_view text) { return std::string(trimControl(text)); }

std::string foldAsciiLower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), foldChar);
    return out;
}

bool containsFolded(std::string_view haystack, std::string_view needle)
{
    if (needle.empty())
        return true;
    const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                                [](char a, char b) { return foldChar(a) == foldChar(b); });
    return it != haystack.end();
}

} // namespace records
