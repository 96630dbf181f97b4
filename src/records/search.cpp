#include "records/search.h"

#include "records/codepage.h"
#include "records/textutil.h"

#include <algorithm>

namespace records {

namespace {

constexpr unsigned char fold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

std::string folded(std::string_view bytes)
{
    std::string out(bytes);
    for (char &c : out)
        c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    return out;
}

std::string_view fieldBytes(const Record &record, std::size_t offset, std::size_t capacity)
{
    const auto bytes = record.bytes();
    const std::size_t length = std::min<std::size_t>(bytes[offset], capacity);
    return std::string_view(reinterpret_cast<const char *>(bytes.data() + offset + 1), length);
}

bool containsFoldedBytes(std::string_view haystack, std::string_view foldedNeedle)
{
    // A criterion of nothing but marks the code page drops converts to
    // nothing, and nothing occurs in every field, as saving it would show.
    if (foldedNeedle.empty())
        return true;
    if (foldedNeedle.size() > haystack.size())
        return false;
    const auto first = static_cast<unsigned char>(foldedNeedle.front());
    const std::size_t last = haystack.size() - foldedNeedle.size();
    for (std::size_t at = 0; at <= last; ++at) {
        if (fold(static_cast<unsigned char>(haystack[at])) != first)
            continue;
        std::size_t k = 1;
        while (k < foldedNeedle.size()
               && fold(static_cast<unsigned char>(haystack[at + k])) == static_cast<unsigned char>(foldedNeedle[k]))
            ++k;
        if (k == foldedNeedle.size())
            return true;
    }
    return false;
}

void appendCell(std::string &line, std::string_view text, std::size_t width)
{
    if (width == 0) {
        line.append(text);
        return;
    }
    line.append(text.substr(0, width));
    if (text.size() < width)
        line.append(width - text.size(), ' ');
}

} // namespace

SearchRule::SearchRule(const Layout &layout, std::span<const CriterionText> criteria)
{
    for (const CriterionText &c : criteria) {
        if (trimControl(c.typed).empty())
            continue;
        const auto index = layout.indexOf(c.field);
        if (!index)
            continue;
        m_needles.push_back({layout.offset(*index), static_cast<std::size_t>(layout.field(*index).capacity),
                             folded(toCp1252(c.typed))});
    }
}

bool SearchRule::matches(const Record &record) const
{
    return std::all_of(m_needles.begin(), m_needles.end(), [&record](const Needle &n) {
        return containsFoldedBytes(fieldBytes(record, n.offset, n.capacity), n.folded);
    });
}

std::string_view storedField(const Record &record, std::size_t index)
{
    const Layout &layout = record.layout();
    return trimControl(
        fieldBytes(record, layout.offset(index), static_cast<std::size_t>(layout.field(index).capacity)));
}

std::string resultLine(const Record &record, std::span<const LineColumn> columns)
{
    const Layout &layout = record.layout();
    auto stored = [&](std::string_view name) -> std::string_view {
        const auto index = layout.indexOf(name);
        return index ? storedField(record, *index) : std::string_view();
    };
    std::string line;
    line.reserve(160);
    for (const LineColumn &column : columns) {
        if (column.field.empty()) {
            appendCell(line, column.literal, column.width);
        } else if (column.joined.empty()) {
            appendCell(line, stored(column.field), column.width);
        } else {
            std::string both(stored(column.field));
            both += ' ';
            both.append(stored(column.joined));
            appendCell(line, both, column.width);
        }
    }
    return line;
}

bool lineBefore(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y));
    });
}

void sortLines(std::vector<std::string> &lines)
{
    std::stable_sort(lines.begin(), lines.end(),
                     [](const std::string &a, const std::string &b) { return lineBefore(a, b); });
}

bool sameLine(std::string_view a, std::string_view b) { return trimControl(a) == trimControl(b); }

} // namespace records
