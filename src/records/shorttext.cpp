#include "records/shorttext.h"

#include "records/codepage.h"
#include "records/textutil.h"

#include <algorithm>
#include <cstring>

namespace records {

void storeText(std::span<std::uint8_t> field, std::string_view utf8)
{
    if (field.empty())
        return;
    const size_t capacity = std::min<size_t>(field.size() - 1, 255);
    // Trim both before the conversion (Unicode blanks) and after it, since a
    // substitute can never be a control character but a cut could leave a
    // trailing blank that the next load would drop anyway.
    std::string bytes = toCp1252(trimControl(utf8));
    if (bytes.size() > capacity)
        bytes.resize(capacity);
    field[0] = static_cast<std::uint8_t>(bytes.size());
    std::memcpy(field.data() + 1, bytes.data(), bytes.size());
}

std::string loadText(std::span<const std::uint8_t> field)
{
    if (field.empty())
        return {};
    const size_t capacity = field.size() - 1;
    const size_t length = std::min<size_t>(field[0], capacity);
    const std::string_view bytes(reinterpret_cast<const char *>(field.data() + 1), length);
    return trimmedCopy(fromCp1252(bytes));
}

} // namespace records
