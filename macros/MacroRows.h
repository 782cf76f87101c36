#pragma once
// Event rows: the text form of a macro while it is recorded and edited. Row 0 is a header
// that records the delay mode; every other row is one event (consecutive delays merged),
// its first character the row kind. Bodies become rows when a macro is selected, and rows
// become a body again after every change.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroBody.h"
#include "macros/MacroRecord.h"

namespace qeltra3k::macros {

using Rows = std::vector<std::string>;

// Row kinds (the first character of an event row).
namespace row_kind {
inline constexpr int Delay = 0;         // "0 " + ms
inline constexpr int Press = 1;         // "1 " + name + " CODE:" + 4 hex digits
inline constexpr int Release = 2;       // "2 " + name + " CODE:" + 4 hex digits
inline constexpr int MoveXPlus = 3;     // "3 FB" + byte 00..7F
inline constexpr int MoveXMinus = 4;    // "4 FB" + byte 80..FF
inline constexpr int MoveYPlus = 5;     // "5 FA" + byte 00..7F
inline constexpr int MoveYMinus = 6;    // "6 FA" + byte 80..FF
inline constexpr int RepeatStart = 7;   // "7 FD" + count - 1
inline constexpr int RepeatEnd = 8;     // "8 00FC"
}  // namespace row_kind

enum class RepeatMode { Off, Count, Infinite };       // off, "Insert loop count", "Infinite loop"
enum class DelayMode { RealTime, DelaySetting, NoDelay };

inline constexpr int kMinLoopCount = 1;
inline constexpr int kMaxLoopCount = 255;

// The page options that travel in a body.
struct MacroOptions {
    bool stopOnRelease = false;  // "Stop until the key release" (stop flag 1), else "Stop after the macro is over"
    RepeatMode repeat = RepeatMode::Off;
    int loopCount = 8;           // with RepeatMode::Count: plays 1 .. 255 times
    DelayMode delayMode = DelayMode::RealTime;
    int delayMs = 32;            // with DelayMode::DelaySetting: 0 .. 2040
};

// --- Decoding ----------------------------------------------------------------------------
// Rows of a body (header first), and the options it carries set in `options`. An empty body
// gives no rows and leaves `options` alone; a stop flag other than 0 or 1 leaves the release
// option alone. Decoding stops at the first byte that starts no event (or an event cut off
// by the end of the events); everything before it is kept.
Rows DecodeRows(std::span<const std::uint8_t> body, BodyLayout layout, MacroOptions& options);

template <class Record>
Rows DecodeRows(const Record& record, MacroOptions& options)
{
    return DecodeRows(record.body, Record::kLayout, options);
}

// --- Encoding ----------------------------------------------------------------------------
enum class EncodeStatus {
    Ok,
    TooLong,       // the events need more bytes than the body holds: nothing written
    BadRow,        // a row that is not an event row: nothing written
    BadLoopCount,  // a counted repeat outside 1 .. 255: nothing written
};

struct EncodeResult {
    EncodeStatus status = EncodeStatus::Ok;
    std::vector<std::uint8_t> body;  // the whole body, with Ok only
    std::size_t eventBytes = 0;      // bytes the rows and the repeat option need
    std::size_t capacity = 0;        // most event bytes the layout takes
    std::size_t badRow = 0;          // row index, with BadRow
};

// Builds the body of rows 1 .. n (row 0, the header, is not encoded) with the release and
// repeat options; without event rows the body is all zero, repeat or not. Rows that need
// more than the layout takes are refused as a whole, never cut: a cut body would lose
// releases or the repeat's end.
EncodeResult EncodeRows(const Rows& rows, const MacroOptions& options, BodyLayout layout);

// Encodes into the record's body; on any status but Ok the record is left as it was.
template <class Record>
EncodeResult EncodeInto(const Rows& rows, const MacroOptions& options, Record& record)
{
    EncodeResult result = EncodeRows(rows, options, Record::kLayout);
    if (result.status == EncodeStatus::Ok)
        std::copy(result.body.begin(), result.body.end(), record.body.begin());
    return result;
}

// Bytes a delay row of `ms` encodes to (2 per delay event); 0 for a negative delay.
std::size_t DelayRowBytes(long long ms);

// --- Making rows -------------------------------------------------------------------------
std::string HeaderRow(DelayMode mode, int delayMs);           // "10", "01" + ms, "00"
std::string DelayRow(long long ms);                            // "0 " + ms
std::string KeyRow(bool press, std::string_view name, std::uint8_t code, std::uint8_t data);
std::string ButtonRow(bool press, std::uint8_t buttonBit);    // "1 LeftKey CODE:00A1" ...; "" for an unknown bit
std::string MoveXRow(int value);                               // "3 FB0C", "4 FBF6"; value -128 .. 127
std::string MoveYRow(int value);                               // "5 FA0C", "6 FAF6"
std::string RepeatStartRow(int count);                         // "7 FD" + count - 1; count 1 .. 256

// --- Reading rows ------------------------------------------------------------------------
// The row's kind, or nothing for an empty row or one whose first character is no digit.
std::optional<int> RowKind(std::string_view row);
// The name part of a press or release row (between the kind and " CODE:xxxx").
std::string_view RowName(std::string_view row);
// The signed value of a move row, the delay of a delay row, the count of a repeat row.
std::optional<int> RowValue(std::string_view row);

// What the row list shows for an event row: the name of a key row, "96 ms", "X-Axis  -10",
// "Y-Axis  4", "Rep-Start  8", "Rep-Stop".
std::string RowDisplayText(std::string_view row);

}  // namespace qeltra3k::macros
