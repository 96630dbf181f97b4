#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace durability {

// What the writer puts into every file it writes, so that a checker reading
// the raw bytes can tell whole content of one generation from a mix of two:
// each record field is its record's token repeated to the field's full
// capacity, each settings value and each whole file is derived entirely from
// one generation number.

// The text of one record field: `token` repeated to exactly `capacity`
// characters. Tokens are printable ASCII without blanks, so the record code
// stores the text unchanged.
std::string fieldText(std::string_view token, std::size_t capacity);

// Kill rounds: the token of the record at `position` written in generation
// `generation`.
std::string positionToken(std::size_t position, std::uint64_t generation);
// Concurrent writers: writer `writer`'s record number `serial`, generation
// `generation`.
std::string writerToken(int writer, std::uint64_t serial, std::uint64_t generation);

// The settings the kill rounds write: keys 0 to 3 are the four company lines,
// key 4 the agreements' starting number.
inline constexpr int kSettingKeys = 5;
// Long enough that the settings file spans more than one 4 KiB page.
inline constexpr std::size_t kSettingValueBytes = 900;
std::string settingValue(int key, std::uint64_t generation);

// A file the size of a photo (1 to about 5 MB, the size depending on the
// generation), each byte depending on the generation.
std::string bigFileContent(std::uint64_t generation);
// The generation a big file's content names in its header; nothing when the
// header is not one.
bool bigFileGeneration(std::string_view content, std::uint64_t &generation);

// The two whole files of the kill rounds: the company logo in the data folder
// and a vehicle photo in its folder, both relative to the data folder.
inline constexpr std::string_view kBigFiles[] = {"Logo.bmp", "Vehicle_Fleet/Photo_1.jpg"};
inline constexpr int kBigFileCount = 2;

} // namespace durability
