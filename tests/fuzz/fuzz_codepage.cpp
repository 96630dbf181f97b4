// The only crossing between the record files' Windows-1252 and the program's
// UTF-8: every byte string must survive the trip to UTF-8 and back, and any
// input, however malformed, must convert without reading past its end.
#include "fuzzcheck.h"
#include "records/codepage.h"
#include "utf8check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void checkTableOnce()
{
    static const bool checked = [] {
        for (unsigned b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            FUZZ_CHECK(records::unicodeToCp1252(records::cp1252ToUnicode(byte)) == byte);
        }
        return true;
    }();
    (void)checked;
}

bool isCombiningMark(char32_t cp) { return cp >= 0x0300 && cp <= 0x036F; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkTableOnce();
    const std::string_view input(reinterpret_cast<const char *>(data), size);

    // Read as code page bytes: every byte has a meaning and comes back.
    const std::string utf8 = records::fromCp1252(input);
    FUZZ_CHECK(fuzzing::isValidUtf8(utf8));
    FUZZ_CHECK(utf8.size() <= 3 * size);
    FUZZ_CHECK(records::toCp1252(utf8) == input);

    // Read as UTF-8: at most one byte for each character, and what comes out
    // is stable from then on.
    const std::string bytes = records::toCp1252(input);
    FUZZ_CHECK(bytes.size() <= size);
    FUZZ_CHECK(records::toCp1252(records::fromCp1252(bytes)) == bytes);

    // Well-formed text converts character by character, dropping only the
    // combining accents; a character the code page holds is kept exactly,
    // any other becomes a plain ASCII stand-in.
    if (const auto points = fuzzing::decodeStrictUtf8(input)) {
        std::string expected;
        for (const char32_t cp : *points) {
            if (isCombiningMark(cp))
                continue;
            const unsigned char b = records::unicodeToCp1252(cp);
            FUZZ_CHECK(records::cp1252ToUnicode(b) == cp || b < 0x80);
            expected.push_back(static_cast<char>(b));
        }
        FUZZ_CHECK(bytes == expected);
    }

    // Code points from anywhere in the 32-bit range, not only valid ones.
    for (std::size_t k = 0; k + 4 <= size; k += 4) {
        const char32_t cp =
            char32_t(data[k]) | char32_t(data[k + 1]) << 8 | char32_t(data[k + 2]) << 16 | char32_t(data[k + 3]) << 24;
        const unsigned char b = records::unicodeToCp1252(cp);
        FUZZ_CHECK(records::cp1252ToUnicode(b) == cp || b < 0x80);
    }
    return 0;
}
