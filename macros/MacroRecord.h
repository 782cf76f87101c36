#pragma once
// A macro as stored: a 32-byte name (up to 16 UTF-16 code units, high byte first, zero
// filled) followed by a body. `MacroRecord` (256 bytes) carries the mouse's layout,
// `DriverMacroRecord` (2048 bytes) the filter driver's.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroBody.h"

namespace qeltra3k::macros {

inline constexpr std::size_t kNameSize = 32;
inline constexpr std::size_t kMaxNameUnits = 16;
using MacroName = std::array<std::uint8_t, kNameSize>;

// The name field for a UTF-8 text. Nothing when the text is not valid UTF-8, holds a NUL
// (it would end the name early) or needs more than 16 UTF-16 code units. "" gives the
// all-zero field, which marks a record unused.
std::optional<MacroName> NameFromText(std::string_view text);

// The name as UTF-8 text, ending at the first 0x0000 code unit. Units that are no character
// (a lone surrogate half) become U+FFFD, so any 32 bytes give a printable text.
std::string NameToText(const MacroName& name);

// Unused library record: the name starts with two zero bytes.
constexpr bool IsUnusedName(const MacroName& name) { return name[0] == 0x00 && name[1] == 0x00; }
// Unused device slot or driver list record: also two 0xFF bytes (erased memory).
constexpr bool IsUnusedSlotName(const MacroName& name)
{
    return IsUnusedName(name) || (name[0] == 0xFF && name[1] == 0xFF);
}

template <BodyLayout Layout>
struct BasicMacroRecord {
    static constexpr BodyLayout kLayout = Layout;
    static constexpr std::size_t kBodySize = Describe(Layout).bodySize;
    static constexpr std::size_t kSize = kNameSize + kBodySize;

    MacroName name{};
    std::array<std::uint8_t, kBodySize> body{};

    friend bool operator==(const BasicMacroRecord&, const BasicMacroRecord&) = default;
};

using MacroRecord = BasicMacroRecord<BodyLayout::Eeprom>;
using DriverMacroRecord = BasicMacroRecord<BodyLayout::Driver>;
static_assert(MacroRecord::kSize == 256 && DriverMacroRecord::kSize == 2048);

// Copies the record's bytes (name, then body) from the front of `bytes` over `record`, as
// far as `bytes` go: a short source leaves the rest of the record as it was, bytes past
// the record are not read.
template <class Record>
void OverlayRecord(std::span<const std::uint8_t> bytes, Record& record)
{
    const std::size_t nameBytes = std::min(bytes.size(), kNameSize);
    std::copy_n(bytes.begin(), nameBytes, record.name.begin());
    if (bytes.size() > kNameSize) {
        const std::size_t bodyBytes = std::min(bytes.size() - kNameSize, Record::kBodySize);
        std::copy_n(bytes.begin() + kNameSize, bodyBytes, record.body.begin());
    }
}

// Appends the record's bytes (name, then body) to `out`.
template <class Record>
void AppendRecordBytes(const Record& record, std::vector<std::uint8_t>& out)
{
    out.insert(out.end(), record.name.begin(), record.name.end());
    out.insert(out.end(), record.body.begin(), record.body.end());
}

}  // namespace qeltra3k::macros
