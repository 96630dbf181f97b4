#include "records/agreementsettings.h"

#include "records/datafolder.h"
#include "records/inifile.h"
#include "records/textutil.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace records {

namespace {

std::string lineKey(int line) { return "Line " + std::to_string(line); }

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal notation with '.' whatever the regional settings say: an optional
// sign, digits with an optional fraction, an optional exponent.
std::optional<double> parseDecimal(std::string_view text)
{
    std::size_t k = 0;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-'))
        negative = text[k++] == '-';
    const std::size_t mantissa = k;
    std::size_t digits = 0;
    while (k < text.size() && isDigit(text[k]))
        ++k, ++digits;
    if (k < text.size() && text[k] == '.') {
        ++k;
        while (k < text.size() && isDigit(text[k]))
            ++k, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (k < text.size() && (text[k] == 'e' || text[k] == 'E')) {
        ++k;
        if (k < text.size() && (text[k] == '+' || text[k] == '-'))
            ++k;
        std::size_t expDigits = 0;
        while (k < text.size() && isDigit(text[k]))
            ++k, ++expDigits;
        if (expDigits == 0)
            return std::nullopt;
    }
    if (k != text.size())
        return std::nullopt;
    std::string plain(text.substr(mantissa));
    if (plain.front() == '.')
        plain.insert(plain.begin(), '0');
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

std::filesystem::path settingsFilePath() { return dataFile(kSettingsFileName); }

std::string readCompanyLine(int line) { return readIniString(settingsFilePath(), kCompanySection, lineKey(line)); }

void writeCompanyLine(int line, std::string_view text)
{
    writeIniString(settingsFilePath(), kCompanySection, lineKey(line), trimControl(text));
}

std::string readStartNumber() { return readIniString(settingsFilePath(), kAgreementsSection, kStartNumberKey); }

void writeStartNumber(std::string_view text)
{
    writeIniString(settingsFilePath(), kAgreementsSection, kStartNumberKey, trimControl(text));
}

std::string normaliseStartNumber(std::string_view text)
{
    const std::string_view trimmed = trimControl(text);
    if (trimmed.empty())
        return "1";
    const std::optional<double> value = parseDecimal(trimmed);
    if (!value)
        return "1";
    const double rounded = std::floor(*value + 0.5);
    // Beyond what an agreement number can hold there is no sensible number.
    if (!std::isfinite(rounded) || std::fabs(rounded) >= 1e15)
        return "1";
    return std::to_string(static_cast<long long>(rounded));
}

std::optional<long long> parseWholeNumber(std::string_view text)
{
    std::string_view t = trimControl(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.empty())
        return std::nullopt;
    for (char c : t) {
        if (!isDigit(c))
            return std::nullopt;
    }
    unsigned long long magnitude = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), magnitude);
    if (ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    constexpr auto max = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (magnitude > max + (negative ? 1 : 0))
        return std::nullopt;
    if (negative)
        return magnitude == max + 1 ? std::numeric_limits<long long>::min() : -static_cast<long long>(magnitude);
    return static_cast<long long>(magnitude);
}

std::optional<std::string> proposedAgreementNumber(std::string_view startNumber, std::size_t agreementCount)
{
    long long start = 1;
    if (!trimControl(startNumber).empty()) {
        const std::optional<long long> parsed = parseWholeNumber(startNumber);
        if (!parsed)
            return std::nullopt;
        start = *parsed;
    }
    constexpr long long max = std::numeric_limits<long long>::max();
    if (agreementCount > static_cast<std::size_t>(max))
        return std::nullopt;
    const auto count = static_cast<long long>(agreementCount);
    if (start > 0 && count > max - start)
        return std::nullopt;
    return std::to_string(start + count);
}

} // namespace records
