#pragma once
// One fire macro record: the 24-byte program the mouse plays while a gun key is held (stop
// flag, length, event bytes, checksum), how it is read back as the page's parameters, and
// how one operand byte is changed in place without ever moving an event.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "config/ImageLayout.h"

namespace qeltra3k::fire {

inline constexpr std::size_t kFireMacroCount = config::kFireMacroCount;
inline constexpr std::size_t kFireMacroRecordSize = 24;

using FireMacroRecord = std::array<std::uint8_t, kFireMacroRecordSize>;

// Offsets inside a record.
namespace record_offset {
inline constexpr std::size_t StopFlag = 0;
inline constexpr std::size_t Length = 1;
inline constexpr std::size_t FirstEvent = 2;
}  // namespace record_offset

// The length byte counts itself and the events; with the checksum after them, 22 is the
// most that still ends inside the record.
inline constexpr std::uint8_t kMaxFireMacroLength = 22;

inline constexpr std::uint8_t kStopOnRelease = 1;
inline constexpr std::uint8_t kPlayToEnd = 0;

// The events a fire macro is built from.
namespace fire_event {
inline constexpr std::uint8_t LeftDown = 0xA1;
inline constexpr std::uint8_t LeftUp = 0x21;
inline constexpr std::uint8_t RepeatStart = 0xFD;  // operand: plays - 1, 0xFF endless
inline constexpr std::uint8_t RepeatEnd = 0xFC;
inline constexpr std::uint8_t MoveX = 0xFB;        // operand: signed counts
inline constexpr std::uint8_t MoveY = 0xFA;        // operand: signed counts, positive is down
inline constexpr std::uint8_t Delay = 0xFE;        // operand: units of 8 ms
}  // namespace fire_event

inline constexpr int kDelayUnitMs = 8;

// The checksum of the record's length byte and events; nothing for an empty record (length
// 0, it has no checksum) or one whose length reaches past its 24 bytes.
std::optional<std::uint8_t> FireMacroRecordChecksum(const FireMacroRecord& record);
// Stores that checksum after the events; false (record untouched) when it has none.
bool WriteFireMacroRecordChecksum(FireMacroRecord& record);

// The four parameters the fire macro page shows and edits.
enum class FireParameter : std::uint8_t { Count, X, Y, Time };

// Where each parameter's operand byte lies inside the record (offsets 3 .. 22). A parameter
// without a position has no event in the record and cannot be edited.
struct OperandPositions {
    std::optional<std::size_t> count;
    std::optional<std::size_t> x;
    std::optional<std::size_t> y;
    std::optional<std::size_t> time;

    std::optional<std::size_t>& At(FireParameter parameter);
    const std::optional<std::size_t>& At(FireParameter parameter) const;
    bool operator==(const OperandPositions&) const = default;
};

// A record read back. Parameters the record lacks read 0.
struct FireMacroFields {
    bool stopOnRelease = false;
    int count = 0;   // plays of the repeated stretch, 1 .. 256 (256 is endless)
    int x = 0;       // -128 .. 127
    int y = 0;       // -128 .. 127
    int timeMs = 0;  // the delay after the last vertical move, 0 .. 2040
    OperandPositions positions;
};

// Reads a record; nothing when its stop flag is neither 0 nor 1 (erased or foreign memory),
// which the page leaves undisplayed. The scan ends at the first byte that is none of the
// seven fire macro events, and at an event whose operand would fall on the checksum: what
// follows cannot be told apart from data, so it is neither shown nor made editable. A
// length past the record's end keeps the stop flag readable but yields no parameters.
std::optional<FireMacroFields> DecodeFireMacroRecord(const FireMacroRecord& record);

// The operand byte of a parameter value, or nothing for a value out of its range
// (count 1 .. 256, X and Y -128 .. 127, time 0 .. 2040 ms, truncated to 8 ms steps).
std::optional<std::uint8_t> FireParameterByte(FireParameter parameter, int value);
// The value an operand byte stands for.
int FireParameterValue(FireParameter parameter, std::uint8_t operand);

// Writes `value` at `position` and renews the checksum. Refused (record untouched) when the
// value is out of range, there is no position, or the position is not the operand of that
// parameter's event inside the record's events.
bool WriteFireParameter(FireMacroRecord& record, FireParameter parameter, std::optional<std::size_t> position,
                        int value);

}  // namespace qeltra3k::fire
