#include "stamps.h"

#include <algorithm>
#include <charconv>

namespace durability {

namespace {

// One fixed generator everywhere: the writer and the checker must derive the
// same bytes from a generation, on any platform.
std::uint64_t nextRandom(std::uint64_t &state)
{
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr std::string_view kBigHeader = "BIGFILE ";

} // namespace

std::string fieldText(std::string_view token, std::size_t capacity)
{
    std::string out;
    out.reserve(capacity);
    while (out.size() < capacity)
        out.append(token.substr(0, capacity - out.size()));
    return out;
}

std::string positionToken(std::size_t position, std::uint64_t generation)
{
    return "P" + std::to_string(position) + "G" + std::to_string(generation) + ";";
}

std::string writerToken(int writer, std::uint64_t serial, std::uint64_t generation)
{
    return "W" + std::to_string(writer) + "S" + std::to_string(serial) + "G" + std::to_string(generation) + ";";
}

std::string settingValue(int key, std::uint64_t generation)
{
    std::string out = "G" + std::to_string(generation) + "K" + std::to_string(key) + ":";
    std::uint64_t state = generation * 8 + static_cast<std::uint64_t>(key);
    while (out.size() < kSettingValueBytes)
        out.push_back(static_cast<char>('a' + nextRandom(state) % 26));
    return out;
}

std::string bigFileContent(std::uint64_t generation)
{
    const std::size_t size = (1u << 20) + static_cast<std::size_t>(generation % 9) * (448u << 10);
    std::string out(kBigHeader);
    out += std::to_string(generation);
    out += '\n';
    std::uint64_t state = generation;
    while (out.size() < size) {
        const std::uint64_t word = nextRandom(state);
        for (int k = 0; k < 8 && out.size() < size; ++k)
            out.push_back(static_cast<char>(word >> (8 * k)));
    }
    return out;
}

bool bigFileGeneration(std::string_view content, std::uint64_t &generation)
{
    if (!content.starts_with(kBigHeader))
        return false;
    const char *begin = content.data() + kBigHeader.size();
    const char *end = content.data() + std::min<std::size_t>(content.size(), kBigHeader.size() + 24);
    const auto [stop, ec] = std::from_chars(begin, end, generation);
    return ec == std::errc() && stop != begin && stop != end && *stop == '\n';
}

} // namespace durability
