// The password decoder reads whatever the password file holds: any text must
// decode or be refused without reading past its end, and what decodes must
// scramble back to the same digits.
#include "fuzzcheck.h"
#include "records/password.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view hex(reinterpret_cast<const char *>(data), size);
    const auto plain = records::unscramble(hex);
    const std::size_t pairs = size / 2;
    bool allHex = true;
    for (std::size_t k = 0; k < 2 * pairs; ++k)
        allHex = allHex && std::isxdigit(static_cast<unsigned char>(hex[k]));
    FUZZ_CHECK(plain.has_value() == allHex);
    if (plain) {
        std::string upper(hex.substr(0, 2 * pairs));
        for (char &c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        FUZZ_CHECK(records::scramble(*plain) == upper);
    }
    // Any text scrambles and comes back.
    const std::string text(hex);
    const auto back = records::unscramble(records::scramble(text));
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(records::scramble(*back) == records::scramble(text));
    return 0;
}
