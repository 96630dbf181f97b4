#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace records {

// Where a record field is shown in its editor: a text field ("txt" + name)
// or a hidden label ("lbl" + name) that only carries the value.
enum class FieldKind { Text, Hidden };

struct FieldDef {
    std::string_view name;
    int capacity;
    FieldKind kind = FieldKind::Text;
};

// A record layout: short text fields back to back, no gaps, no header.
class Layout final
{
public:
    static constexpr std::size_t kMaxFields = 64;

    constexpr explicit Layout(std::span<const FieldDef> fields) : m_fields(fields)
    {
        std::size_t total = 0;
        for (std::size_t k = 0; k < fields.size() && k < kMaxFields; ++k) {
            m_offsets[k] = total;
            total += static_cast<std::size_t>(fields[k].capacity) + 1;
        }
    }

    std::span<const FieldDef> fields() const { return m_fields; }
    std::size_t fieldCount() const { return m_fields.size(); }
    const FieldDef &field(std::size_t index) const { return m_fields[index]; }

    constexpr std::size_t recordLength() const
    {
        std::size_t total = 0;
        for (const FieldDef &f : m_fields)
            total += static_cast<std::size_t>(f.capacity) + 1;
        return total;
    }
    std::size_t offset(std::size_t index) const { return m_offsets[index]; }
    std::optional<std::size_t> indexOf(std::string_view name) const;

private:
    std::span<const FieldDef> m_fields;
    std::array<std::size_t, kMaxFields> m_offsets{};
};

const Layout &clientLayout();
const Layout &vehicleLayout();
const Layout &agreementLayout();

inline constexpr std::size_t kClientRecordLength = 4603;
inline constexpr std::size_t kVehicleRecordLength = 4852;
inline constexpr std::size_t kAgreementRecordLength = 4154;

} // namespace records
