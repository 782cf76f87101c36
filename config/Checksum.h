#pragma once
// The one checksum of this system: the 8-bit wrapping sum of the covered bytes, XOR 0x5A.
// It protects the configuration sections, every macro body and every fire macro record.
// Also the complement pair (a value byte followed by 255 minus it), the other integrity
// rule of the configuration image.
#include <cstddef>
#include <cstdint>
#include <span>

namespace qeltra3k::config {

constexpr std::uint8_t SectionChecksum(std::span<const std::uint8_t> bytes)
{
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes)
        sum = static_cast<std::uint8_t>(sum + b);
    return static_cast<std::uint8_t>(sum ^ 0x5A);
}

// Write form: `section` is the covered bytes followed by the checksum byte, so the
// checksum can never be written outside the caller's buffer. An empty span is left alone.
constexpr void WriteSectionChecksum(std::span<std::uint8_t> section)
{
    if (section.empty())
        return;
    section.back() = SectionChecksum(section.first(section.size() - 1));
}

// True when the checksum byte at the end of `section` matches the bytes before it.
constexpr bool HasValidSectionChecksum(std::span<const std::uint8_t> section)
{
    return !section.empty() && section.back() == SectionChecksum(section.first(section.size() - 1));
}

constexpr bool IsComplementPair(std::uint8_t value, std::uint8_t complement)
{
    return value + complement == 0xFF;
}

// Writes `value` at `offset` and 255 minus it right after; false (nothing written) when
// the pair would not fit in `bytes`.
constexpr bool WriteComplementPair(std::span<std::uint8_t> bytes, std::size_t offset, std::uint8_t value)
{
    if (offset >= bytes.size() || bytes.size() - offset < 2)
        return false;
    bytes[offset] = value;
    bytes[offset + 1] = static_cast<std::uint8_t>(0xFF - value);
    return true;
}

}  // namespace qeltra3k::config
