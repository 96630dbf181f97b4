#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// What the rental desk sets once and keeps between runs, in the settings
// file of the data folder: the company header printed on every agreement
// and the number the agreements of a year start from.

inline constexpr std::string_view kSettingsFileName = "Drivora_Settings.ini";
inline constexpr std::string_view kCompanySection = "Rental Company";
inline constexpr std::string_view kAgreementsSection = "Rental Agreements";
inline constexpr std::string_view kStartNumberKey = "Start Number";
inline constexpr int kCompanyLines = 4;

// The settings file in the data folder (the folder is created if missing).
std::filesystem::path settingsFilePath();

// Header line 1 to 4 ("Line 1" ... "Line 4"); empty when missing.
std::string readCompanyLine(int line);
// Writes the line trimmed, also when empty. Throws IniFileError.
void writeCompanyLine(int line, std::string_view text);

// The starting number as written in the file (not checked); empty when missing.
std::string readStartNumber();
// Throws IniFileError.
void writeStartNumber(std::string_view text);

// The starting-number field's rule: empty gives "1"; a decimal number is
// rounded to a whole number, halves upwards, and written as plain digits
// ("0042" gives "42", "2.5" gives "3"); anything else gives "1".
std::string normaliseStartNumber(std::string_view text);

// A whole decimal number with an optional sign, blanks around it allowed.
std::optional<long long> parseWholeNumber(std::string_view text);

// The number New proposes: the starting number (empty counts as 1) plus the
// agreements already in the year's file. Empty when the starting number is
// not a whole number or the sum does not fit.
std::optional<std::string> proposedAgreementNumber(std::string_view startNumber, std::size_t agreementCount);

} // namespace records
