#pragma once
// The one checksum of this system: the 8-bit wrapping sum of the covered bytes, XOR 0x5A.
// It protects the configuration sections, every macro body and every fire macro record.
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

}  // namespace qeltra3k::config
