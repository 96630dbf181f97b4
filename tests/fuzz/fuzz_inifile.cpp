// The settings file is shared with other programs and edited by hand, so its
// content can be anything; section, key and value come from the windows.
//
// The input is split at the first three 0x1F bytes into section, key, value
// and file content (a missing part is empty), so that seeds stay readable.
#include "fuzzcheck.h"
#include "records/codepage.h"
#include "records/inifile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kSeparator = '\x1F';
constexpr std::string_view kBom = "\xEF\xBB\xBF";
// A value is one line, so a line break can never be one: it tells a missing
// entry from an empty value.
constexpr std::string_view kMissing = "\n";
// Enough entries to see the neighbours of the one written.
constexpr std::size_t kEntriesChecked = 32;

struct Line {
    std::string_view body;
    std::string_view eol;
};

struct Entry {
    std::string section; // UTF-8, as a caller would name it
    std::string key;
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<Line> splitLines(std::string_view content)
{
    if (content.starts_with(kBom))
        content.remove_prefix(kBom.size());
    std::vector<Line> lines;
    while (!content.empty()) {
        const std::size_t lf = content.find('\n');
        if (lf == std::string_view::npos) {
            lines.push_back({content, {}});
            break;
        }
        const std::size_t bodyEnd = (lf > 0 && content[lf - 1] == '\r') ? lf - 1 : lf;
        lines.push_back({content.substr(0, bodyEnd), content.substr(bodyEnd, lf + 1 - bodyEnd)});
        content.remove_prefix(lf + 1);
    }
    return lines;
}

// The entries of a file as the format reads them, named in UTF-8.
std::vector<Entry> entriesOf(std::string_view content)
{
    const bool utf8 = content.starts_with(kBom);
    const auto name = [utf8](std::string_view raw) { return utf8 ? std::string(raw) : records::fromCp1252(raw); };
    std::vector<Entry> entries;
    std::string section;
    for (const Line &line : splitLines(content)) {
        const std::string_view text = trimBlanks(line.body);
        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            if (const std::size_t close = text.find(']'); close != std::string_view::npos)
                section = name(trimBlanks(text.substr(1, close - 1)));
            continue;
        }
        const std::size_t eq = text.find('=');
        if (eq == std::string_view::npos || trimBlanks(text.substr(0, eq)).empty())
            continue;
        entries.push_back({section, name(trimBlanks(text.substr(0, eq)))});
        if (entries.size() == kEntriesChecked)
            break;
    }
    return entries;
}

// Line breaks and NULs are written as blanks, in names and values alike.
std::string oneLine(std::string_view text)
{
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    return out;
}

// Names are compared in the code page, without the blanks around them and
// with its Western European letters folded, as the format defines.
std::string comparable(std::string_view utf8)
{
    std::string out(trimBlanks(records::toCp1252(oneLine(utf8))));
    for (char &ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        unsigned char f = c;
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            f = static_cast<unsigned char>(c + 0x20);
        else if (c == 0x8A || c == 0x8C || c == 0x8E)
            f = static_cast<unsigned char>(c + 0x10);
        else if (c == 0x9F)
            f = 0xFF;
        ch = static_cast<char>(f);
    }
    return out;
}

// A name that a file line can hold: none of the characters that would make
// the line something else, whether written as it is (UTF-8 files) or in the
// code page (the others: fullwidth '=' becomes '=' there).
bool isPlainName(std::string_view utf8, bool isKey)
{
    const std::string line = oneLine(utf8);
    const std::string cp = records::toCp1252(line);
    for (std::string_view form : {std::string_view(line), std::string_view(cp)}) {
        form = trimBlanks(form);
        if (isKey && (form.empty() || form.front() == '[' || form.front() == ';' || form.find('=') != form.npos))
            return false;
        if (!isKey && form.find(']') != form.npos)
            return false;
    }
    return true;
}

// The value a read gives back after `value` was written: line breaks and
// NULs became blanks, blanks at the ends and one pair of enclosing quotes are
// dropped, at most kIniValueMax characters are kept, and a file without a
// byte order mark holds only what the code page can.
std::string expectedValue(std::string_view value, bool utf8)
{
    std::string written = oneLine(value);
    if (!utf8)
        written = records::toCp1252(written);
    std::string_view read = trimBlanks(written);
    if (read.size() >= 2 && (read.front() == '"' || read.front() == '\'') && read.back() == read.front())
        read = read.substr(1, read.size() - 2);
    if (!utf8)
        return records::fromCp1252(read.substr(0, std::min(read.size(), records::kIniValueMax)));
    std::size_t characters = 0;
    for (std::size_t k = 0; k < read.size(); ++k) {
        if ((static_cast<unsigned char>(read[k]) & 0xC0) != 0x80 && ++characters > records::kIniValueMax)
            return std::string(read.substr(0, k));
    }
    return std::string(read);
}

void checkRead(const std::string &value, bool utf8)
{
    if (value == kMissing)
        return;
    FUZZ_CHECK(value.find('\n') == std::string::npos);
    if (utf8) {
        const auto characters = std::count_if(value.begin(), value.end(),
                                              [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        FUZZ_CHECK(static_cast<std::size_t>(characters) <= records::kIniValueMax);
    } else {
        FUZZ_CHECK(value.size() <= 3 * records::kIniValueMax);
    }
}

// Every line but the one entry written keeps its text: either nothing moved,
// one line was rewritten, one was inserted, or a section header and its entry
// were added.
bool linesKept(const std::vector<Line> &before, const std::vector<Line> &after)
{
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix].body == after[prefix].body)
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix
           && before[before.size() - 1 - suffix].body == after[after.size() - 1 - suffix].body)
        ++suffix;
    const std::size_t removed = before.size() - prefix - suffix;
    const std::size_t added = after.size() - prefix - suffix;
    if (!((removed == 0 && added <= 2) || (removed == 1 && added == 1)))
        return false;
    // Line breaks stay as they were; only a last line without one gains one.
    for (std::size_t k = 0; k < prefix; ++k) {
        if (before[k].eol != after[k].eol && !before[k].eol.empty())
            return false;
    }
    for (std::size_t k = 0; k < suffix; ++k) {
        if (before[before.size() - 1 - k].eol != after[after.size() - 1 - k].eol)
            return false;
    }
    return true;
}

void checkOtherLinesKept(std::string_view content, std::string_view result)
{
    FUZZ_CHECK(content.starts_with(kBom) == result.starts_with(kBom));
    std::vector<Line> before = splitLines(content);
    const std::vector<Line> after = splitLines(result);
    if (linesKept(before, after))
        return;
    // Where a LF was added after a last line that has no line break and ends
    // in '\r', the two make a CR LF: the bytes are kept, but the line no
    // longer has the '\r' in it.
    FUZZ_CHECK(!before.empty() && before.back().eol.empty() && before.back().body.ends_with('\r')
               && result.starts_with(content) && result.substr(content.size()).starts_with('\n'));
    before.back().body.remove_suffix(1);
    FUZZ_CHECK(linesKept(before, after));
}

std::string_view nextPart(std::string_view &input)
{
    const std::size_t at = input.find(kSeparator);
    const std::string_view part = input.substr(0, at);
    input.remove_prefix(at == std::string_view::npos ? input.size() : at + 1);
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::string_view section = nextPart(input);
    const std::string_view key = nextPart(input);
    const std::string_view value = nextPart(input);
    const std::string_view content = input;
    const bool utf8 = content.starts_with(kBom);

    checkRead(records::findIniValue(content, section, key, kMissing), utf8);

    const std::string result = records::setIniValue(content, section, key, value);
    checkOtherLinesKept(content, result);

    if (!isPlainName(section, false) || !isPlainName(key, true))
        return 0;

    // What was written reads back, as the format turns it.
    const std::string read = records::findIniValue(result, section, key, kMissing);
    FUZZ_CHECK(read == expectedValue(value, utf8));

    // Writing the same again changes nothing, so a settings file that is
    // saved unchanged is not rewritten.
    FUZZ_CHECK(records::setIniValue(result, section, key, value) == result);

    // Every other entry keeps its value (or stays missing, where an earlier
    // section or key of the same name shadows it).
    const std::string wantedSection = comparable(section);
    const std::string wantedKey = comparable(key);
    for (const Entry &entry : entriesOf(content)) {
        if (comparable(entry.section) == wantedSection && comparable(entry.key) == wantedKey)
            continue;
        FUZZ_CHECK(records::findIniValue(result, entry.section, entry.key, kMissing)
                   == records::findIniValue(content, entry.section, entry.key, kMissing));
    }
    return 0;
}
