#include "records/record.h"

#include "records/shorttext.h"

#include <algorithm>

namespace records {

Record::Record(const Layout &layout) : m_layout(&layout), m_bytes(layout.recordLength(), 0) { }

std::span<std::uint8_t> Record::fieldBytes(std::size_t index)
{
    const FieldDef &f = m_layout->field(index);
    return std::span<std::uint8_t>(m_bytes).subspan(m_layout->offset(index), static_cast<std::size_t>(f.capacity) + 1);
}

std::span<const std::uint8_t> Record::fieldBytes(std::size_t index) const
{
    const FieldDef &f = m_layout->field(index);
    return std::span<const std::uint8_t>(m_bytes).subspan(m_layout->offset(index),
                                                          static_cast<std::size_t>(f.capacity) + 1);
}

std::string Record::text(std::size_t index) const { return loadText(fieldBytes(index)); }

void Record::setText(std::size_t index, std::string_view utf8) { storeText(fieldBytes(index), utf8); }

std::string Record::text(std::string_view name) const
{
    const auto index = m_layout->indexOf(name);
    return index ? text(*index) : std::string();
}

void Record::setText(std::string_view name, std::string_view utf8)
{
    if (const auto index = m_layout->indexOf(name))
        setText(*index, utf8);
}

void Record::clear() { std::fill(m_bytes.begin(), m_bytes.end(), std::uint8_t{0}); }

} // namespace records
