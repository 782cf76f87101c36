#pragma once
// The macro recorder: turns key events and mouse-button notifications into event rows, with
// delay rows between them by the delay option, inside a byte budget that keeps the result
// within a macro body. It records a new macro from an empty row list, or keys inserted into
// an existing macro before or after a row.
//
// Time is handed in with every event (milliseconds, e.g. the hook message's own time stamp),
// so a recording is a plain state machine. There is no recording thread: every call comes
// from the UI thread, where the mouse hook's notifications arrive anyway, and MouseMessage
// handles the pending flags at once. The rows, the byte count and the last event time so
// have one owner and need no lock, and a pause is measured between the events themselves.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macros/KeyboardHook.h"
#include "macros/MacroBody.h"
#include "macros/MacroEvents.h"
#include "macros/MacroRows.h"

namespace qeltra3k::macros {

using TickMs = std::int64_t;

// The pending button flags, in the fixed order a pass handles them.
enum class ButtonFlag : std::uint8_t {
    LeftDown, LeftUp, RightDown, RightUp, MiddleDown, MiddleUp,
    ForwardDown, ForwardUp, BackwardDown, BackwardUp,
};
inline constexpr std::size_t kButtonFlagCount = 10;

// The flag a low-level mouse hook message sets: left, right and middle down/up, and the
// extra buttons by the high word of the mouse data (1 backward, 2 forward). Nothing for any
// other message (moves, the wheel) or extra-button number.
std::optional<ButtonFlag> ButtonFlagOfMessage(unsigned message, std::uint32_t mouseData);

// Longest pause recorded before a keyboard row and before a mouse row.
inline constexpr int kMaxKeyDelayMs = kMaxDelayEventMs;        // 2040
inline constexpr int kMaxMouseDelayMs = 5 * kMaxDelayEventMs;  // 10200, as five 2040 ms rows
// Room a press keeps free for its release and the delays after it.
inline constexpr std::size_t kPressReserve = 12;
inline constexpr std::size_t kNoDelayPressReserve = 6;

enum class InsertSide { Front, Back };

struct RecorderOptions {
    BodyLayout layout = BodyLayout::Eeprom;  // the budget: 186 or 1980 event bytes
    DelayMode delayMode = DelayMode::RealTime;
    int delayMs = 32;  // the fixed delay of DelayMode::DelaySetting, 0 .. 2040
    // Event bytes the body needs besides the rows this recording adds: the repeat pair, and
    // for an insert the rows already there. The recording never grows the body past what the
    // layout holds.
    std::size_t otherEventBytes = 0;
};

enum class RecordOutcome {
    Ignored,   // nothing recorded: not recording, an ignored key, auto-repeat, nothing pending
    Recorded,  // rows were added
    Refused,   // the budget refused a press (or a release over it); nothing added
    Stopped,   // the recording stopped itself; the caller finishes it as its Stop button would
};

class MacroRecorder {
public:
    // A new recording into an empty row list. False while one runs.
    bool Start(const RecorderOptions& options);
    // Recording inserted before (Front) or after (Back) the row at list position
    // `insertPosition` of `rows`, the rows of a macro whose body length field is
    // `bodyLength`. Refused while recording, while a stop request is pending, without such
    // a row, or when the body already reaches the budget.
    bool StartInsert(Rows rows, std::size_t insertPosition, InsertSide side, std::size_t bodyLength,
                     const RecorderOptions& options);
    // Ends the recording. A key or button still held gets its release row, without a pause,
    // so that the mouse never plays a press it does not release. The stop request and the
    // rows stay for the caller.
    void Stop();

    // One key event as the keyboard component tells it.
    RecordOutcome KeyEvent(TickMs now, int virtualKey, KeyboardHookState state);

    // While true, left-button messages are not recorded: the pointer is over the record
    // button (or "New Macro", or the insert-record button), so the click that stops the
    // recording never becomes part of it.
    void SetRecordButtonHover(bool hover) { hover_ = hover; }
    // A mouse hook message: sets its flag (while recording) and handles the pending flags.
    RecordOutcome MouseMessage(TickMs now, unsigned message, std::uint32_t mouseData);
    // The two halves of MouseMessage, for a caller that collects flags itself.
    void SetPending(ButtonFlag flag);
    RecordOutcome ProcessPendingButtons(TickMs now);

    void ClearStopRequest() { stopRequest_ = false; }

    bool Recording() const { return recording_; }
    bool InsertRecording() const { return insertRecording_; }
    const Rows& RowList() const { return rows_; }
    // List position of the row last added (the insert position while inserting).
    std::optional<std::size_t> SelectedPosition() const { return selected_; }
    std::size_t InsertPosition() const { return insertPosition_; }
    std::size_t ByteCount() const { return byteCount_; }
    std::size_t Budget() const { return budget_; }
    bool Full() const { return full_; }
    bool StopRequest() const { return stopRequest_; }
    // A mouse press did not fit: nothing more is recorded until the recording is stopped.
    bool Blocked() const { return blocked_; }
    bool Pending(ButtonFlag flag) const { return pending_[static_cast<std::size_t>(flag)]; }

private:
    struct OpenPress {
        std::string releaseRow;
        std::size_t bytes;
    };

    void Reset(const RecorderOptions& options);
    std::size_t Reserve() const;
    std::vector<long long> DelaysBefore(TickMs now, bool mouseRow) const;
    std::size_t ClosingBytes() const;
    bool Fits(std::size_t bytes) const;
    void AddHeaderIfNeeded();
    void AddRow(std::string row, std::size_t bytes);
    void AddDelayRows(const std::vector<long long>& delays);
    void NoteEventTime(TickMs now);
    bool RecordPress(TickMs now, bool mouseRow, std::string row, std::string releaseRow, std::size_t bytes);
    bool RecordRelease(TickMs now, bool mouseRow, std::string row, std::size_t bytes);

    RecorderOptions options_;
    bool recording_ = false;
    bool insertRecording_ = false;
    InsertSide side_ = InsertSide::Front;
    std::size_t insertPosition_ = 0;
    std::array<bool, kButtonFlagCount> pending_{};
    bool hover_ = false;
    std::size_t budget_ = 0;
    std::size_t byteCount_ = 0;      // as the budget counts: from the body's length when inserting
    std::size_t addedBytes_ = 0;     // event bytes of the rows this recording added
    std::size_t room_ = 0;           // most event bytes this recording may add
    bool full_ = false;
    bool stopRequest_ = false;
    bool blocked_ = false;
    std::optional<TickMs> lastEventTime_;
    int lastKey_ = -1;
    Rows rows_;
    std::optional<std::size_t> selected_;
    std::vector<OpenPress> openPresses_;
};

}  // namespace qeltra3k::macros
