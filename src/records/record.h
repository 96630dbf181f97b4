#pragma once

#include "records/layout.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// One record-sized buffer of a layout. Writing a field leaves the bytes after
// its text untouched, like the record buffers the files were written with.
class Record final
{
public:
    explicit Record(const Layout &layout);

    const Layout &layout() const { return *m_layout; }
    std::span<std::uint8_t> bytes() { return m_bytes; }
    std::span<const std::uint8_t> bytes() const { return m_bytes; }

    std::string text(std::size_t index) const;
    void setText(std::size_t index, std::string_view utf8);

    // By field name; an unknown name reads as empty and writes nothing.
    std::string text(std::string_view name) const;
    void setText(std::string_view name, std::string_view utf8);

    void clear();

private:
    std::span<std::uint8_t> fieldBytes(std::size_t index);
    std::span<const std::uint8_t> fieldBytes(std::size_t index) const;

    const Layout *m_layout;
    std::vector<std::uint8_t> m_bytes;
};

} // namespace records
