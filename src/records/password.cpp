#include "records/password.h"

#include "records/codepage.h"
#include "records/textutil.h"

#include <cstdint>

namespace records {

namespace {

constexpr std::uint16_t kStartKey = 9835;
constexpr std::uint16_t kMultiplier = 40387;
constexpr std::uint16_t kAddend = 30471;

std::uint16_t advance(std::uint16_t key, unsigned char scrambled)
{
    return static_cast<std::uint16_t>((static_cast<std::uint32_t>(scrambled) + key) * kMultiplier + kAddend);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string scramble(std::string_view utf8)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::string plain = toCp1252(utf8);
    std::string out;
    out.reserve(plain.size() * 2);
    std::uint16_t key = kStartKey;
    for (const char c : plain) {
        const auto s = static_cast<unsigned char>(static_cast<unsigned char>(c) ^ (key >> 8));
        out += kDigits[s >> 4];
        out += kDigits[s & 0x0F];
        key = advance(key, s);
    }
    return out;
}

std::optional<std::string> unscramble(std::string_view hex)
{
    std::string plain;
    plain.reserve(hex.size() / 2);
    std::uint16_t key = kStartKey;
    for (std::size_t k = 0; k + 1 < hex.size(); k += 2) {
        const int high = hexDigit(hex[k]);
        const int low = hexDigit(hex[k + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        const auto s = static_cast<unsigned char>(high * 16 + low);
        plain += static_cast<char>(s ^ (key >> 8));
        key = advance(key, s);
    }
    return fromCp1252(plain);
}

std::string storedPasswordForm(std::string_view utf8)
{
    std::string upper(utf8);
    for (char &c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return trimmedCopy(upper);
}

} // namespace records
