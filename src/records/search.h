#pragma once

#include "records/layout.h"
#include "records/record.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// What the user typed into one criteria field, and the record field it is
// compared with.
struct CriterionText {
    std::string_view field;
    std::string typed; // UTF-8, as typed
};

// The search rule of every search window: a criterion counts when its text,
// trimmed, is not empty; a record is listed when every counted criterion, as
// typed (not trimmed), occurs as a contiguous substring of its record field,
// with only A to Z folded to lower case. The comparison is made on the record
// file's code-page bytes: each criterion is converted once, with the
// conversion saving a field uses, so what a user can save, a user can find.
class SearchRule final
{
public:
    SearchRule(const Layout &layout, std::span<const CriterionText> criteria);

    // The number of criteria that count: the matches a record needs.
    std::size_t required() const { return m_needles.size(); }
    // Reads the stored fields in place; a length byte over the capacity is
    // read as the capacity, as browsing does.
    bool matches(const Record &record) const;

private:
    struct Needle {
        std::size_t offset; // of the field's length byte in the record
        std::size_t capacity;
        std::string folded; // code-page bytes, A to Z folded
    };
    std::vector<Needle> m_needles;
};

// One column of a result line: a record field, two fields joined by one blank
// after trimming each ("Make Model"), or a literal text. A column with a width
// is cut to it or padded with blanks to it; a width of 0 (the last column)
// neither cuts nor pads.
struct LineColumn {
    std::string_view field;
    std::string_view joined; // a second field after one blank, or empty
    std::string_view literal;
    std::size_t width = 0;
};

inline constexpr LineColumn fieldColumn(std::string_view field, std::size_t width = 0)
{
    return LineColumn{field, {}, {}, width};
}
inline constexpr LineColumn joinedColumn(std::string_view first, std::string_view second, std::size_t width)
{
    return LineColumn{first, second, {}, width};
}
inline constexpr LineColumn literalColumn(std::string_view text) { return LineColumn{{}, {}, text, text.size()}; }

// The result line of a record, in the record file's code-page bytes (one
// byte a character, as the lines are cut and padded).
std::string resultLine(const Record &record, std::span<const LineColumn> columns);

// The stored bytes of a field, trimmed of codes 32 and below.
std::string_view storedField(const Record &record, std::size_t index);

// The order of a result list: whole lines compared as code-page bytes with A
// to Z folded; lines that compare equal keep their file order.
bool lineBefore(std::string_view a, std::string_view b);
void sortLines(std::vector<std::string> &lines);

// Both trimmed of codes 32 and below, then compared exactly: how retrieval
// tells the record of a chosen line.
bool sameLine(std::string_view a, std::string_view b);

} // namespace records
