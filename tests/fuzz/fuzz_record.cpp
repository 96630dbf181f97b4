// Record files come from disk, so any bytes at all can stand in a record of
// any layout: every field must read without leaving its own bytes, and what
// is read must write back to the same text.
#include "fuzzcheck.h"
#include "records/layout.h"
#include "records/record.h"
#include "records/shorttext.h"
#include "utf8check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::span<const std::uint8_t>;

bool isTrimmed(unsigned char c) { return c <= 32; }

// A loaded text is UTF-8 with nothing to trim at either end.
void checkLoaded(const std::string &text, std::size_t capacity)
{
    FUZZ_CHECK(fuzzing::isValidUtf8(text));
    FUZZ_CHECK(text.size() <= 3 * capacity);
    if (!text.empty()) {
        FUZZ_CHECK(!isTrimmed(static_cast<unsigned char>(text.front())));
        FUZZ_CHECK(!isTrimmed(static_cast<unsigned char>(text.back())));
    }
}

// The significant bytes of a field with the blanks and controls at both ends
// dropped: what storing the loaded text must put back.
std::string_view trimmedBytes(Bytes field)
{
    const std::size_t length = std::min<std::size_t>(field[0], field.size() - 1);
    std::string_view bytes(reinterpret_cast<const char *>(field.data() + 1), length);
    while (!bytes.empty() && isTrimmed(static_cast<unsigned char>(bytes.front())))
        bytes.remove_prefix(1);
    while (!bytes.empty() && isTrimmed(static_cast<unsigned char>(bytes.back())))
        bytes.remove_suffix(1);
    return bytes;
}

// Bytes of `after` outside [begin, end) are those of `before`.
void checkOnlyChanged(Bytes before, Bytes after, std::size_t begin, std::size_t end)
{
    FUZZ_CHECK(before.size() == after.size());
    FUZZ_CHECK(std::equal(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(begin), after.begin()));
    FUZZ_CHECK(std::equal(before.begin() + static_cast<std::ptrdiff_t>(end), before.end(),
                          after.begin() + static_cast<std::ptrdiff_t>(end)));
}

void fuzzShortText(Bytes input)
{
    // A field of any capacity, its length byte possibly beyond it.
    const std::string text = records::loadText(input);
    if (input.empty()) {
        FUZZ_CHECK(text.empty());
        return;
    }
    checkLoaded(text, input.size() - 1);

    std::vector<std::uint8_t> field(input.begin(), input.end());
    records::storeText(field, text);
    const std::string_view kept = trimmedBytes(input);
    FUZZ_CHECK(field[0] == kept.size());
    FUZZ_CHECK(std::memcmp(field.data() + 1, kept.data(), kept.size()) == 0);
    checkOnlyChanged(input, field, 0, 1 + kept.size());
    FUZZ_CHECK(records::loadText(field) == text);

    // Arbitrary bytes as the UTF-8 text to store, into fields of every small
    // capacity (a cut can fall inside a multi-byte character). The start of
    // the input is enough for these and keeps a record-sized input fast.
    const std::string_view utf8(reinterpret_cast<const char *>(input.data()), std::min<std::size_t>(input.size(), 64));
    for (std::size_t capacity = 0; capacity <= std::min<std::size_t>(input.size(), 12); ++capacity) {
        std::vector<std::uint8_t> small(capacity + 1, 0xAB);
        records::storeText(small, utf8);
        FUZZ_CHECK(small[0] <= capacity);
        FUZZ_CHECK(std::all_of(small.begin() + 1 + small[0], small.end(), [](std::uint8_t b) { return b == 0xAB; }));
        const std::string first = records::loadText(small);
        checkLoaded(first, capacity);
        records::storeText(small, first);
        FUZZ_CHECK(records::loadText(small) == first);
    }
    std::uint8_t none = 0;
    records::storeText(std::span<std::uint8_t>(&none, 0), utf8);
}

void fuzzLayout(const records::Layout &layout, Bytes input)
{
    records::Record record(layout);
    FUZZ_CHECK(record.bytes().size() == layout.recordLength());
    std::copy_n(input.begin(), std::min(input.size(), record.bytes().size()), record.bytes().begin());
    const std::vector<std::uint8_t> original(record.bytes().begin(), record.bytes().end());

    // Writing each text back puts back its field's own bytes, trimmed, and
    // touches nothing else. Each field is put back as it was after its
    // check, so the copy must end up as the original.
    records::Record copy(layout);
    std::copy(original.begin(), original.end(), copy.bytes().begin());
    for (std::size_t k = 0; k < layout.fieldCount(); ++k) {
        const records::FieldDef &def = layout.field(k);
        const std::size_t capacity = static_cast<std::size_t>(def.capacity);
        const std::size_t offset = layout.offset(k);
        FUZZ_CHECK(offset + capacity + 1 <= layout.recordLength());
        const Bytes field = Bytes(original).subspan(offset, capacity + 1);

        const std::string text = record.text(k);
        checkLoaded(text, capacity);
        FUZZ_CHECK(record.text(def.name) == text);

        copy.setText(k, text);
        const Bytes written = Bytes(copy.bytes()).subspan(offset, capacity + 1);
        const std::string_view kept = trimmedBytes(field);
        FUZZ_CHECK(written[0] == kept.size());
        FUZZ_CHECK(std::memcmp(written.data() + 1, kept.data(), kept.size()) == 0);
        checkOnlyChanged(field, written, 0, 1 + kept.size());
        // A stray write would land next to the field first; comparing the
        // whole record for every field would slow the fuzzer tenfold.
        const std::size_t end = offset + capacity + 1;
        const std::size_t from = offset - std::min<std::size_t>(offset, 256);
        const std::size_t to = std::min(end + 256, original.size());
        checkOnlyChanged(Bytes(original).subspan(from, to - from), Bytes(copy.bytes()).subspan(from, to - from),
                         offset - from, end - from);
        FUZZ_CHECK(copy.text(k) == text);
        std::copy(field.begin(), field.end(), copy.bytes().begin() + static_cast<std::ptrdiff_t>(offset));
    }
    FUZZ_CHECK(std::equal(original.begin(), original.end(), copy.bytes().begin()));
    FUZZ_CHECK(std::equal(original.begin(), original.end(), record.bytes().begin()));

    // The input as the text of one field, chosen by its first byte.
    if (!input.empty() && layout.fieldCount() > 0) {
        const std::size_t k = input[0] % layout.fieldCount();
        const std::size_t offset = layout.offset(k);
        const std::size_t capacity = static_cast<std::size_t>(layout.field(k).capacity);
        const std::string_view utf8(reinterpret_cast<const char *>(input.data()), input.size());
        record.setText(layout.field(k).name, utf8);
        const std::size_t stored = record.bytes()[offset];
        FUZZ_CHECK(stored <= capacity);
        checkOnlyChanged(original, record.bytes(), offset, offset + 1 + stored);
        const std::string first = record.text(k);
        checkLoaded(first, capacity);
        record.setText(k, first);
        FUZZ_CHECK(record.text(k) == first);
    }

    // Unknown names read as empty and write nothing.
    const std::vector<std::uint8_t> before(record.bytes().begin(), record.bytes().end());
    FUZZ_CHECK(record.text(std::string_view("NoSuchField")).empty());
    record.setText(std::string_view("NoSuchField"), "text");
    FUZZ_CHECK(std::equal(before.begin(), before.end(), record.bytes().begin()));
    record.clear();
    FUZZ_CHECK(std::all_of(record.bytes().begin(), record.bytes().end(), [](std::uint8_t b) { return b == 0; }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Bytes input(data, size);
    fuzzShortText(input);
    fuzzLayout(records::clientLayout(), input);
    fuzzLayout(records::vehicleLayout(), input);
    fuzzLayout(records::agreementLayout(), input);
    return 0;
}
