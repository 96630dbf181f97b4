// The search rule reads stored fields in place: any record bytes and any
// criterion must match without reading past the field, and agree with a
// plain reference of the rule.
#include "fuzzcheck.h"
#include "records/codepage.h"
#include "records/layout.h"
#include "records/record.h"
#include "records/search.h"
#include "records/textutil.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const records::Layout &layout = records::clientLayout();
    if (size < 2)
        return 0;
    // The first byte picks the field, the next up to 40 bytes are the typed
    // criterion (as UTF-8), the rest lands in the record.
    const std::size_t field = data[0] % layout.fieldCount();
    const std::size_t typedLength = std::min<std::size_t>(data[1] % 41, size - 2);
    const std::string typed(reinterpret_cast<const char *>(data + 2), typedLength);
    records::Record record(layout);
    const std::size_t rest = size - 2 - typedLength;
    std::memcpy(record.bytes().data(), data + 2 + typedLength, std::min(rest, record.bytes().size()));

    const records::CriterionText criterion{layout.field(field).name, typed};
    const records::SearchRule rule(layout, std::span(&criterion, 1));
    const bool counted = !records::trimControl(typed).empty();
    FUZZ_CHECK(rule.required() == (counted ? 1u : 0u));
    const bool matched = rule.matches(record);

    // The reference: the stored bytes, clamped to the capacity, folded, and
    // the criterion converted as saving converts it, folded.
    const auto bytes = record.bytes();
    const std::size_t offset = layout.offset(field);
    const std::size_t length =
        std::min<std::size_t>(bytes[offset], static_cast<std::size_t>(layout.field(field).capacity));
    std::string stored(reinterpret_cast<const char *>(bytes.data() + offset + 1), length);
    std::string needle = records::toCp1252(typed);
    std::transform(stored.begin(), stored.end(), stored.begin(), fold);
    std::transform(needle.begin(), needle.end(), needle.begin(), fold);
    const bool expected = !counted || stored.find(needle) != std::string::npos;
    FUZZ_CHECK(matched == expected);

    // A result line of any record is built without reading past a field.
    const std::string line = records::resultLine(record, {});
    FUZZ_CHECK(line.empty());
    return 0;
}
