#include "records/inifile.h"

#include "records/codepage.h"
#include "records/safefile.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

namespace records {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

enum class Encoding { Ansi, Utf8 };

struct Line {
    std::size_t begin;     // offset of the line in the content
    std::string_view body; // without its line break
    std::string_view eol;  // "\r\n", "\n" or empty at the end of the file
};

enum class LineKind { Other, Section, Entry };

struct Parsed {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // entry value, trimmed
};

constexpr bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct Document {
    Encoding encoding = Encoding::Ansi;
    std::size_t start = 0; // after the byte order mark
    std::vector<Line> lines;
};

Document split(std::string_view content)
{
    Document doc;
    if (content.starts_with(kUtf8Bom)) {
        doc.encoding = Encoding::Utf8;
        doc.start = kUtf8Bom.size();
    }
    std::size_t pos = doc.start;
    while (pos < content.size()) {
        const std::size_t lf = content.find('\n', pos);
        if (lf == std::string_view::npos) {
            doc.lines.push_back({pos, content.substr(pos), {}});
            break;
        }
        std::size_t bodyEnd = lf;
        if (bodyEnd > pos && content[bodyEnd - 1] == '\r')
            --bodyEnd;
        doc.lines.push_back({pos, content.substr(pos, bodyEnd - pos), content.substr(bodyEnd, lf + 1 - bodyEnd)});
        pos = lf + 1;
    }
    return doc;
}

Parsed parse(std::string_view body)
{
    const std::string_view text = trimBlanks(body);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos)
            return {LineKind::Section, trimBlanks(text.substr(1, close - 1)), {}};
        return {};
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos)
        return {};
    const std::string_view key = trimBlanks(text.substr(0, eq));
    if (key.empty())
        return {};
    return {LineKind::Entry, key, trimBlanks(text.substr(eq + 1))};
}

// Case folding of Windows-1252 letters, enough for names written in any
// Western European language.
unsigned char fold(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        return c;
    }
}

std::string foldedName(std::string_view name) // name in Windows-1252
{
    std::string out(name);
    for (char &c : out)
        c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    return out;
}

// Names as they stand in the file, in Windows-1252 for comparing. Blanks
// around a name never count, also those that the code page makes of other
// spaces (U+2002 is a blank in Windows-1252).
std::string comparable(std::string_view fileName, Encoding encoding)
{
    return foldedName(trimBlanks(encoding == Encoding::Utf8 ? toCp1252(fileName) : std::string(fileName)));
}

std::string encode(std::string_view utf8, Encoding encoding)
{
    return encoding == Encoding::Utf8 ? std::string(utf8) : toCp1252(utf8);
}

// A value must stay on its own line and be readable as a C string.
std::string oneLine(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return out;
}

// A name the caller gives (UTF-8) as it is written to the file, and as it is
// compared: on one line and without the blanks a read would drop, so that
// the next write of the same name finds the entry as it stands.
std::string encodedName(std::string_view utf8, Encoding encoding)
{
    return std::string(trimBlanks(encode(oneLine(utf8), encoding)));
}
std::string wantedName(std::string_view utf8) { return foldedName(trimBlanks(toCp1252(oneLine(utf8)))); }

std::string decodeValue(std::string_view raw, Encoding encoding)
{
    std::string_view value = raw;
    if (const std::size_t nul = value.find('\0'); nul != std::string_view::npos)
        value = value.substr(0, nul);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (encoding == Encoding::Ansi)
        return fromCp1252(value.substr(0, std::min(value.size(), kIniValueMax)));
    // Count characters, not bytes: continuation bytes do not start one.
    std::size_t characters = 0;
    for (std::size_t k = 0; k < value.size(); ++k) {
        if ((static_cast<unsigned char>(value[k]) & 0xC0) != 0x80 && ++characters > kIniValueMax)
            return std::string(value.substr(0, k));
    }
    return std::string(value);
}

struct Found {
    std::optional<std::size_t> section; // line index of the section header
    std::optional<std::size_t> entry;   // line index of the key's entry
    std::size_t lastContent = 0;        // last non-blank line of the section
};

Found find(const Document &doc, std::string_view section, std::string_view key)
{
    Found found;
    const std::string wantedSection = wantedName(section);
    const std::string wantedKey = wantedName(key);
    for (std::size_t k = 0; k < doc.lines.size(); ++k) {
        const Parsed p = parse(doc.lines[k].body);
        if (!found.section) {
            if (p.kind == LineKind::Section && comparable(p.name, doc.encoding) == wantedSection) {
                found.section = k;
                found.lastContent = k;
            }
            continue;
        }
        if (p.kind == LineKind::Section)
            break;
        if (!trimBlanks(doc.lines[k].body).empty())
            found.lastContent = k;
        if (p.kind == LineKind::Entry && comparable(p.name, doc.encoding) == wantedKey) {
            found.entry = k;
            break;
        }
    }
    return found;
}

std::string_view lineBreakOf(const Document &doc)
{
    for (const Line &line : doc.lines) {
        if (!line.eol.empty())
            return line.eol;
    }
    return "\r\n";
}

} // namespace

IniFileError::IniFileError(const std::filesystem::path &file)
    : std::runtime_error("Unable to write to " + file.string()), m_file(file)
{ }

std::string findIniValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view fallback)
{
    const Document doc = split(content);
    const Found found = find(doc, section, key);
    if (!found.entry)
        return std::string(fallback);
    return decodeValue(parse(doc.lines[*found.entry].body).value, doc.encoding);
}

std::string setIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value)
{
    const Document doc = split(content);
    const Found found = find(doc, section, key);
    const std::string_view eol = lineBreakOf(doc);
    const std::string encodedValue = encode(oneLine(value), doc.encoding);
    std::string out;
    out.reserve(content.size() + key.size() + value.size() + section.size() + 8);

    if (found.entry) {
        // Rewrite the entry in place, keeping the key as the file spells it.
        const Line &line = doc.lines[*found.entry];
        out.append(content.substr(0, line.begin));
        out.append(parse(line.body).name);
        out += '=';
        out.append(encodedValue);
        out.append(content.substr(line.begin + line.body.size()));
        return out;
    }

    const std::string entry = encodedName(key, doc.encoding) + "=" + encodedValue;
    if (found.section) {
        // A new key goes after the last line of its section, before any
        // blank lines that separate it from the next one.
        const Line &after = doc.lines[found.lastContent];
        const std::size_t at = after.begin + after.body.size() + after.eol.size();
        out.append(content.substr(0, at));
        if (after.eol.empty()) {
            out.append(eol);
            out.append(entry);
        } else {
            out.append(entry);
            out.append(eol);
        }
        out.append(content.substr(at));
        return out;
    }

    out.append(content);
    if (!doc.lines.empty() && doc.lines.back().eol.empty())
        out.append(eol);
    out += '[';
    out.append(encodedName(section, doc.encoding));
    out += ']';
    out.append(eol);
    out.append(entry);
    out.append(eol);
    return out;
}

std::string readIniString(const std::filesystem::path &file, std::string_view section, std::string_view key,
                          std::string_view fallback)
{
    try {
        const std::optional<std::string> content = readWholeFile(file);
        if (!content)
            return std::string(fallback);
        return findIniValue(*content, section, key, fallback);
    } catch (const std::exception &) {
        // Out of memory on an absurd file reads as a missing entry.
        return std::string(fallback);
    }
}

void writeIniString(const std::filesystem::path &file, std::string_view section, std::string_view key,
                    std::string_view value)
{
    std::error_code ec;
    std::filesystem::path target = file;
    // Through a link, the file it points to is the one to update.
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    // Two running copies must not lose each other's keys between the read
    // and the rename.
    const FileUpdateLock lock(target);
    if (!lock.held())
        throw IniFileError(file);
    std::string content;
    const bool exists = std::filesystem::exists(target, ec);
    if (ec)
        throw IniFileError(file);
    if (exists) {
        std::optional<std::string> old = readWholeFile(target);
        if (!old)
            throw IniFileError(file); // never replace what could not be read
        // A file that may not be written is not replaced behind its back.
        OsFile probe;
        if (!probe.open(target, OsFile::Mode::ReadWrite))
            throw IniFileError(file);
        content = std::move(*old);
    }
    std::string updated;
    try {
        updated = setIniValue(content, section, key, value);
    } catch (const std::exception &) {
        throw IniFileError(file);
    }
    if (exists && updated == content)
        return;
    if (!replaceFile(target, updated))
        throw IniFileError(file);
}

} // namespace records
