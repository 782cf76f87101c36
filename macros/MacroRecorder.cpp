#include "macros/MacroRecorder.h"

#include <algorithm>
#include <numeric>
#include <string_view>

#include "config/KeyboardFunction.h"
#include "macros/MacroEvents.h"

namespace qeltra3k::macros {

namespace {

struct ButtonFlagInfo {
    std::uint8_t buttonBit;
    bool press;
};

// Indexed by ButtonFlag.
constexpr std::array<ButtonFlagInfo, kButtonFlagCount> kButtonFlags{{
    {0x01, true}, {0x01, false},  // left
    {0x02, true}, {0x02, false},  // right
    {0x04, true}, {0x04, false},  // middle
    {0x08, true}, {0x08, false},  // forward
    {0x10, true}, {0x10, false},  // backward
}};

struct MessageFlag {
    unsigned message;
    ButtonFlag flag;
};

constexpr std::array<MessageFlag, 6> kMessageFlags{{
    {0x0201, ButtonFlag::LeftDown},    // WM_LBUTTONDOWN
    {0x0202, ButtonFlag::LeftUp},      // WM_LBUTTONUP
    {0x0204, ButtonFlag::RightDown},   // WM_RBUTTONDOWN
    {0x0205, ButtonFlag::RightUp},     // WM_RBUTTONUP
    {0x0207, ButtonFlag::MiddleDown},  // WM_MBUTTONDOWN
    {0x0208, ButtonFlag::MiddleUp},    // WM_MBUTTONUP
}};
constexpr unsigned kExtraButtonDown = 0x020B;  // WM_XBUTTONDOWN
constexpr unsigned kExtraButtonUp = 0x020C;    // WM_XBUTTONUP
constexpr std::uint32_t kExtraButton1 = 1;     // the first extra button: backward
constexpr std::uint32_t kExtraButton2 = 2;     // the second: forward

// Left- and right-hand Shift, Ctrl and Alt are recorded as the generic keys, as the raw
// keyboard input of Windows reports them, whatever the capture that feeds the recorder says.
struct KeyAlias {
    int key;
    int generic;
};
constexpr std::array<KeyAlias, 6> kGenericModifierKeys{{
    {0xA0, 0x10}, {0xA1, 0x10},  // left and right Shift
    {0xA2, 0x11}, {0xA3, 0x11},  // left and right Ctrl
    {0xA4, 0x12}, {0xA5, 0x12},  // left and right Alt
}};

// The virtual key name of keys that are never recorded.
constexpr std::string_view kIgnoredKeyName = "255";

constexpr std::size_t kKeyRowBytes = 2;
constexpr std::size_t kButtonRowBytes = 1;

int RecordedKey(int virtualKey)
{
    for (const KeyAlias& alias : kGenericModifierKeys) {
        if (alias.key == virtualKey)
            return alias.generic;
    }
    return virtualKey;
}

struct KeyRows {
    std::string press;
    std::string release;
};

// Shift, Ctrl, Alt and the Windows keys become modifier events, every other key a key event
// with its keyboard usage (00 for a key the mouse cannot send).
KeyRows KeyRowsFor(int key)
{
    const std::string_view name = config::VirtualKeyName(key);
    for (const ModifierBit& modifier : kModifierBits) {
        if (modifier.virtualKey == key)
            return {KeyRow(true, name, event::ModifierDown, modifier.mask),
                    KeyRow(false, name, event::ModifierUp, modifier.mask)};
    }
    const std::uint8_t usage = config::VirtualKeyToUsage(key);
    return {KeyRow(true, name, event::KeyDown, usage), KeyRow(false, name, event::KeyUp, usage)};
}

std::size_t DelayBytes(const std::vector<long long>& delays)
{
    return std::accumulate(delays.begin(), delays.end(), std::size_t{0},
                           [](std::size_t sum, long long ms) { return sum + DelayRowBytes(ms); });
}

}  // namespace

std::optional<ButtonFlag> ButtonFlagOfMessage(unsigned message, std::uint32_t mouseData)
{
    for (const MessageFlag& entry : kMessageFlags) {
        if (entry.message == message)
            return entry.flag;
    }
    if (message != kExtraButtonDown && message != kExtraButtonUp)
        return std::nullopt;
    const bool down = message == kExtraButtonDown;
    switch (mouseData >> 16) {
    case kExtraButton1:
        return down ? ButtonFlag::BackwardDown : ButtonFlag::BackwardUp;
    case kExtraButton2:
        return down ? ButtonFlag::ForwardDown : ButtonFlag::ForwardUp;
    default:
        return std::nullopt;
    }
}

// --- Starting and stopping ---------------------------------------------------------------

void MacroRecorder::Reset(const RecorderOptions& options)
{
    options_ = options;
    options_.delayMs = std::clamp(options.delayMs, 0, kMaxDelayEventMs);
    const LayoutInfo& layout = Describe(options.layout);
    budget_ = layout.recordingBudget;
    room_ = layout.encodeLimit - std::min(options.otherEventBytes, layout.encodeLimit);
    addedBytes_ = 0;
    pending_.fill(false);
    full_ = false;
    stopRequest_ = false;
    blocked_ = false;
    lastEventTime_.reset();
    lastKey_ = -1;
    openPresses_.clear();
    recording_ = true;
}

bool MacroRecorder::Start(const RecorderOptions& options)
{
    if (recording_)
        return false;
    Reset(options);
    insertRecording_ = false;
    rows_.clear();
    selected_.reset();
    byteCount_ = 0;
    return true;
}

bool MacroRecorder::StartInsert(Rows rows, std::size_t insertPosition, InsertSide side, std::size_t bodyLength,
                                const RecorderOptions& options)
{
    if (recording_ || stopRequest_ || insertPosition + 1 >= rows.size())
        return false;
    if (bodyLength >= Describe(options.layout).recordingBudget)
        return false;
    Reset(options);
    insertRecording_ = true;
    side_ = side;
    insertPosition_ = insertPosition;
    rows_ = std::move(rows);
    selected_ = insertPosition;
    byteCount_ = bodyLength;
    return true;
}

void MacroRecorder::Stop()
{
    if (!recording_)
        return;
    // Latest press first, as a hand lets go of a chord.
    for (auto open = openPresses_.rbegin(); open != openPresses_.rend(); ++open)
        AddRow(open->releaseRow, open->bytes);
    openPresses_.clear();
    recording_ = false;
    insertRecording_ = false;
    lastEventTime_.reset();
}

// --- Keyboard ----------------------------------------------------------------------------

RecordOutcome MacroRecorder::KeyEvent(TickMs now, int virtualKey, KeyboardHookState state)
{
    if (!recording_ || blocked_)
        return RecordOutcome::Ignored;
    const int key = RecordedKey(virtualKey);
    if (config::VirtualKeyName(key) == kIgnoredKeyName)
        return RecordOutcome::Ignored;
    AddHeaderIfNeeded();

    bool press = false;
    switch (state) {
    case KeyboardHookState::kh_Repeat:
        if (key == lastKey_)
            return RecordOutcome::Ignored;  // auto-repeat of the key held
        [[fallthrough]];
    case KeyboardHookState::kh_On:
        if (stopRequest_)
            return RecordOutcome::Ignored;
        lastKey_ = key;
        if (byteCount_ + Reserve() > budget_) {
            full_ = true;
            stopRequest_ = true;
            return RecordOutcome::Refused;
        }
        press = true;
        break;
    case KeyboardHookState::kh_Off:
        // Once a stop is requested, the release of any key but the one refused ends the
        // recording; that release is not recorded.
        if (stopRequest_) {
            if (key == lastKey_)
                return RecordOutcome::Ignored;
            lastKey_ = key;
            Stop();
            return RecordOutcome::Stopped;
        }
        lastKey_ = key;
        if (byteCount_ > budget_) {
            stopRequest_ = true;
            return RecordOutcome::Refused;
        }
        break;
    }
    if (byteCount_ >= budget_) {
        Stop();
        return RecordOutcome::Stopped;
    }

    KeyRows rows = KeyRowsFor(key);
    if (press) {
        if (!RecordPress(now, false, std::move(rows.press), std::move(rows.release), kKeyRowBytes)) {
            full_ = true;
            stopRequest_ = true;
            return RecordOutcome::Refused;
        }
        return RecordOutcome::Recorded;
    }
    return RecordRelease(now, false, std::move(rows.release), kKeyRowBytes) ? RecordOutcome::Recorded
                                                                             : RecordOutcome::Ignored;
}

// --- Mouse -------------------------------------------------------------------------------

RecordOutcome MacroRecorder::MouseMessage(TickMs now, unsigned message, std::uint32_t mouseData)
{
    if (!recording_)
        return RecordOutcome::Ignored;
    const std::optional<ButtonFlag> flag = ButtonFlagOfMessage(message, mouseData);
    if (!flag)
        return RecordOutcome::Ignored;
    if (hover_ && (*flag == ButtonFlag::LeftDown || *flag == ButtonFlag::LeftUp))
        return RecordOutcome::Ignored;
    SetPending(*flag);
    return ProcessPendingButtons(now);
}

void MacroRecorder::SetPending(ButtonFlag flag)
{
    if (recording_)
        pending_[static_cast<std::size_t>(flag)] = true;
}

RecordOutcome MacroRecorder::ProcessPendingButtons(TickMs now)
{
    if (!recording_ || blocked_)
        return RecordOutcome::Ignored;
    AddHeaderIfNeeded();
    RecordOutcome outcome = RecordOutcome::Ignored;
    for (std::size_t i = 0; i < kButtonFlagCount; ++i) {
        if (!pending_[i])
            continue;
        const ButtonFlagInfo& info = kButtonFlags[i];
        if (info.press) {
            if (byteCount_ + Reserve() > budget_ ||
                !RecordPress(now, true, ButtonRow(true, info.buttonBit), ButtonRow(false, info.buttonBit),
                             kButtonRowBytes)) {
                pending_[i] = false;
                blocked_ = true;
                return RecordOutcome::Refused;
            }
        } else {
            if (byteCount_ > budget_)
                continue;  // stays pending
            if (!RecordRelease(now, true, ButtonRow(false, info.buttonBit), kButtonRowBytes)) {
                pending_[i] = false;
                continue;
            }
        }
        pending_[i] = false;
        outcome = RecordOutcome::Recorded;
    }
    return outcome;
}

// --- Rows --------------------------------------------------------------------------------

std::size_t MacroRecorder::Reserve() const
{
    return options_.delayMode == DelayMode::NoDelay ? kNoDelayPressReserve : kPressReserve;
}

// The pause before the next row: one row before a keyboard row (a zero pause included), the
// pause split into 2040 ms rows before a mouse row. The first event has none.
std::vector<long long> MacroRecorder::DelaysBefore(TickMs now, bool mouseRow) const
{
    if (options_.delayMode == DelayMode::NoDelay || !lastEventTime_)
        return {};
    long long ms = options_.delayMs;
    if (options_.delayMode == DelayMode::RealTime) {
        const long long cap = mouseRow ? kMaxMouseDelayMs : kMaxKeyDelayMs;
        // A clock that went back counts as no pause.
        ms = std::clamp<long long>(now - *lastEventTime_, 0, cap);
    }
    if (!mouseRow)
        return {ms};
    std::vector<long long> delays(static_cast<std::size_t>(ms / kMaxDelayEventMs), kMaxDelayEventMs);
    if (ms % kMaxDelayEventMs > 0)
        delays.push_back(ms % kMaxDelayEventMs);
    return delays;
}

std::size_t MacroRecorder::ClosingBytes() const
{
    return std::accumulate(openPresses_.begin(), openPresses_.end(), std::size_t{0},
                           [](std::size_t sum, const OpenPress& open) { return sum + open.bytes; });
}

// Whether `bytes` more still leave room in the body for the release of every press held.
bool MacroRecorder::Fits(std::size_t bytes) const { return addedBytes_ + ClosingBytes() + bytes <= room_; }

void MacroRecorder::AddHeaderIfNeeded()
{
    if (rows_.empty())
        rows_.push_back(HeaderRow(options_.delayMode, options_.delayMs));
}

void MacroRecorder::AddRow(std::string row, std::size_t bytes)
{
    byteCount_ += bytes;
    addedBytes_ += bytes;
    if (!insertRecording_) {
        rows_.push_back(std::move(row));
        selected_ = rows_.size() - 2;  // list positions leave out the header
        return;
    }
    // Row index = list position + 1; "Front" goes before the row at the insert position,
    // "Back" after it, and each row moves the position on so the next follows it.
    const std::size_t index = insertPosition_ + (side_ == InsertSide::Front ? 1 : 2);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::move(row));
    ++insertPosition_;
    selected_ = insertPosition_;
}

void MacroRecorder::AddDelayRows(const std::vector<long long>& delays)
{
    for (long long ms : delays)
        AddRow(DelayRow(ms), DelayRowBytes(ms));
}

void MacroRecorder::NoteEventTime(TickMs now)
{
    if (options_.delayMode != DelayMode::NoDelay)
        lastEventTime_ = now;
}

bool MacroRecorder::RecordPress(TickMs now, bool mouseRow, std::string row, std::string releaseRow, std::size_t bytes)
{
    const std::vector<long long> delays = DelaysBefore(now, mouseRow);
    if (!Fits(DelayBytes(delays) + 2 * bytes))
        return false;
    AddDelayRows(delays);
    AddRow(std::move(row), bytes);
    openPresses_.push_back({std::move(releaseRow), bytes});
    NoteEventTime(now);
    return true;
}

bool MacroRecorder::RecordRelease(TickMs now, bool mouseRow, std::string row, std::size_t bytes)
{
    std::vector<long long> delays = DelaysBefore(now, mouseRow);
    const auto open = std::find_if(openPresses_.rbegin(), openPresses_.rend(),
                                   [&row](const OpenPress& press) { return press.releaseRow == row; });
    // The release of a press recorded here already has its room kept.
    const std::size_t newBytes = open != openPresses_.rend() ? 0 : bytes;
    if (!Fits(DelayBytes(delays) + newBytes)) {
        delays.clear();  // keep the release, lose the pause before it
        if (!Fits(newBytes))
            return false;
    }
    if (open != openPresses_.rend())
        openPresses_.erase(std::next(open).base());
    AddDelayRows(delays);
    AddRow(std::move(row), bytes);
    NoteEventTime(now);
    return true;
}

}  // namespace qeltra3k::macros
