#pragma once
// A macro body: the play program of one macro. Stop flag, length L (event bytes + 1), the
// event bytes and a checksum over the length and the events, then zero padding. Two layouts:
// the 224-byte one of the mouse's memory and the EEPROM-mode library, and the 2016-byte one
// of the filter driver, whose length takes two bytes (high first).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qeltra3k::macros {

enum class BodyLayout { Eeprom, Driver };

struct LayoutInfo {
    std::size_t bodySize;         // bytes of a whole body
    std::size_t lengthBytes;      // size of the length field after the stop flag
    std::size_t eventOffset;      // offset of the first event byte
    std::size_t capacity;         // most event bytes that still leave room for the checksum
    std::size_t encodeLimit;      // most event bytes the editor writes into such a body
    std::size_t recordingBudget;  // event bytes a recording may reach
};

inline constexpr std::size_t kEepromBodySize = 224;
inline constexpr std::size_t kDriverBodySize = 2016;

inline constexpr LayoutInfo kEepromLayout{kEepromBodySize, 1, 2, 221, 221, 186};
// The driver body could hold 2012 event bytes, but the editor never writes more than the
// driver's recording budget.
inline constexpr LayoutInfo kDriverLayout{kDriverBodySize, 2, 3, 2012, 1980, 1980};

constexpr const LayoutInfo& Describe(BodyLayout layout)
{
    return layout == BodyLayout::Eeprom ? kEepromLayout : kDriverLayout;
}

inline constexpr std::size_t StopFlagOffset = 0;
inline constexpr std::uint8_t kStopAfterMacro = 0;  // plays to its end
inline constexpr std::uint8_t kStopOnRelease = 1;   // stops when the button is released

// The length field L (0 when the body is too short to hold it).
std::size_t BodyLength(std::span<const std::uint8_t> body, BodyLayout layout);

// Empty: no length, or a length field of erased memory (0xFF, 0xFFFF).
bool IsEmptyBody(std::span<const std::uint8_t> body, BodyLayout layout);

// The event bytes the length field announces, cut at the end of the body so that a damaged
// length never reaches past it. Empty for an empty body.
std::span<const std::uint8_t> BodyEvents(std::span<const std::uint8_t> body, BodyLayout layout);

// True when the checksum byte after the events matches. A length that puts the checksum
// outside the body fails, and so does an empty body.
bool HasValidChecksum(std::span<const std::uint8_t> body, BodyLayout layout);

// A whole body (layout size) from a stop flag and event bytes: length, events, checksum,
// zero padding; no events give an all-zero body. Nothing when the events exceed what the
// editor writes into the layout (`encodeLimit`).
std::optional<std::vector<std::uint8_t>> BuildBody(std::uint8_t stopFlag, std::span<const std::uint8_t> events,
                                                   BodyLayout layout);

}  // namespace qeltra3k::macros
