#include "macros/MacroRows.h"

#include <array>
#include <charconv>
#include <limits>

#include "config/KeyboardFunction.h"
#include "macros/MacroEvents.h"

namespace qeltra3k::macros {

namespace {

constexpr std::string_view kCodeMarker = " CODE:";
// A press or release row ends in " CODE:" and four hex digits.
constexpr std::size_t kCodeSuffixLength = kCodeMarker.size() + 4;
// Consecutive delay events merged into one row at most.
constexpr std::size_t kDelaysPerRow = 5;
// Delay rows whose values decide the delay mode a decoded macro shows.
constexpr std::size_t kDelayModeSamples = 4;

std::string Hex2(std::uint8_t byte)
{
    constexpr std::string_view digits = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 0x0F]};
}

std::optional<std::uint8_t> ParseHex2(std::string_view text)
{
    unsigned value = 0;
    if (text.size() != 2)
        return std::nullopt;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else
            return std::nullopt;
        value = value << 4 | digit;
    }
    return static_cast<std::uint8_t>(value);
}

// A whole decimal number with an optional sign, as a 32-bit integer; nothing otherwise.
std::optional<long long> ParseDecimal(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A delay row's milliseconds: the number after the kind, 0 when it is not one.
long long DelayRowMs(std::string_view row)
{
    return ParseDecimal(row.size() > 2 ? row.substr(2) : std::string_view{}).value_or(0);
}

// Collects event bytes up to the layout's limit and counts every byte the rows need, so a
// huge delay is measured without being built.
class EventSink {
public:
    explicit EventSink(std::size_t limit) : limit_(limit) {}

    void Add(std::uint8_t byte)
    {
        if (++needed_ <= limit_)
            bytes_.push_back(byte);
    }
    void AddDelay(long long ms)
    {
        if (ms < 0)
            return;  // a negative delay emits nothing
        const std::size_t bytes = DelayRowBytes(ms);
        if (needed_ + bytes > limit_) {
            needed_ += bytes;  // too long whatever follows: only counted
            return;
        }
        for (long long i = 0; i < ms / kMaxDelayEventMs; ++i) {
            Add(event::Delay);
            Add(static_cast<std::uint8_t>(kMaxDelayUnits));
        }
        const long long rest = ms % kMaxDelayEventMs;
        if (rest > 0 || ms == 0) {
            Add(event::Delay);
            Add(static_cast<std::uint8_t>(rest / kDelayUnitMs));
        }
    }

    std::size_t Needed() const { return needed_; }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

private:
    std::size_t limit_;
    std::size_t needed_ = 0;
    std::vector<std::uint8_t> bytes_;
};

std::string EventRow(int kind, std::string_view name, std::uint8_t code, std::optional<std::uint8_t> data)
{
    std::string row = std::to_string(kind) + " ";
    row += name;
    row += kCodeMarker;
    row += data ? Hex2(code) + Hex2(*data) : "00" + Hex2(code);
    return row;
}

std::string MoveRow(int plusKind, std::string_view prefix, int value)
{
    value = std::clamp(value, -128, 127);
    const int kind = value >= 0 ? plusKind : plusKind + 1;
    return std::to_string(kind) + " " + std::string(prefix) + Hex2(static_cast<std::uint8_t>(value & 0xFF));
}

}  // namespace

// --- Decoding ----------------------------------------------------------------------------

Rows DecodeRows(std::span<const std::uint8_t> body, BodyLayout layout, MacroOptions& options)
{
    Rows rows;
    if (IsEmptyBody(body, layout))
        return rows;

    if (body[StopFlagOffset] == kStopOnRelease)
        options.stopOnRelease = true;
    else if (body[StopFlagOffset] == kStopAfterMacro)
        options.stopOnRelease = false;

    const std::span<const std::uint8_t> events = BodyEvents(body, layout);
    if (events.size() < 2 || events[0] != event::RepeatStart) {
        options.repeat = RepeatMode::Off;
    } else if (events[1] == kInfiniteRepeat) {
        options.repeat = RepeatMode::Infinite;
    } else {
        options.repeat = RepeatMode::Count;
        options.loopCount = events[1] + 1;
    }

    rows.emplace_back("00");  // replaced below, once the delays are known
    std::array<long long, kDelayModeSamples> delays{};
    std::size_t delayRows = 0;

    std::size_t pos = 0;
    while (pos < events.size()) {
        const std::uint8_t code = events[pos];
        const std::optional<EventInfo> info = FindEvent(code);
        if (!info || pos + info->size > events.size())
            break;  // no event, or one cut off by the end: the rest is not shown
        const std::uint8_t data = info->size > 1 ? events[pos + 1] : 0;

        if (code == event::Delay) {
            long long ms = 0;
            std::size_t merged = 0;
            while (merged < kDelaysPerRow && pos + 1 < events.size() && events[pos] == event::Delay) {
                ms += events[pos + 1] * kDelayUnitMs;
                pos += 2;
                ++merged;
            }
            rows.push_back(DelayRow(ms));
            if (delayRows < kDelayModeSamples)
                delays[delayRows++] = ms;
            continue;
        }

        if (code == event::ModifierDown || code == event::ModifierUp) {
            const int kind = code == event::ModifierDown ? row_kind::Press : row_kind::Release;
            rows.push_back(EventRow(kind, ModifierName(data), code, data));
        } else if (code == event::KeyDown || code == event::KeyUp) {
            const int kind = code == event::KeyDown ? row_kind::Press : row_kind::Release;
            rows.push_back(EventRow(kind, config::UsageName(data), code, data));
        } else if (code == event::MoveX) {
            rows.push_back(MoveXRow(static_cast<std::int8_t>(data)));
        } else if (code == event::MoveY) {
            rows.push_back(MoveYRow(static_cast<std::int8_t>(data)));
        } else if (const std::optional<ButtonEvent> button = FindButtonEvent(code)) {
            rows.push_back(ButtonRow(button->press, button->button.bit));
        }
        // RepeatStart and RepeatEnd give no row: the repeat is the macro-wide option.
        pos += info->size;
    }

    const long long first = delays[0];
    const bool allEqual = std::all_of(delays.begin(), delays.end(), [first](long long d) { return d == first; });
    if (allEqual && first == 0) {
        rows[0] = HeaderRow(DelayMode::NoDelay, 0);
        options.delayMode = DelayMode::NoDelay;
    } else if (allEqual) {
        rows[0] = "01" + std::to_string(first);
        options.delayMode = DelayMode::DelaySetting;
        // The delay field holds one delay event at most.
        options.delayMs = static_cast<int>(std::min<long long>(first, kMaxDelayEventMs));
    } else {
        rows[0] = HeaderRow(DelayMode::RealTime, 0);
        options.delayMode = DelayMode::RealTime;
    }
    return rows;
}

// --- Encoding ----------------------------------------------------------------------------

std::size_t DelayRowBytes(long long ms)
{
    if (ms < 0)
        return 0;
    std::size_t events = static_cast<std::size_t>(ms / kMaxDelayEventMs);
    if (ms % kMaxDelayEventMs > 0 || ms == 0)
        ++events;
    return 2 * events;
}

EncodeResult EncodeRows(const Rows& rows, const MacroOptions& options, BodyLayout layout)
{
    const LayoutInfo& info = Describe(layout);
    EncodeResult result;
    result.capacity = info.encodeLimit;

    if (options.repeat == RepeatMode::Count &&
        (options.loopCount < kMinLoopCount || options.loopCount > kMaxLoopCount)) {
        result.status = EncodeStatus::BadLoopCount;
        return result;
    }

    // A repeat of nothing would leave the mouse looping over no events (endlessly, with
    // "Infinite loop"), so a macro without event rows stays empty whatever its options.
    const bool hasEvents = rows.size() > 1;
    const RepeatMode repeat = hasEvents ? options.repeat : RepeatMode::Off;

    EventSink sink(info.encodeLimit);
    if (repeat == RepeatMode::Count) {
        sink.Add(event::RepeatStart);
        sink.Add(static_cast<std::uint8_t>(options.loopCount - 1));
    } else if (repeat == RepeatMode::Infinite) {
        sink.Add(event::RepeatStart);
        sink.Add(kInfiniteRepeat);
    }

    for (std::size_t index = 1; index < rows.size(); ++index) {
        const std::string_view row = rows[index];
        if (row.empty()) {
            result.status = EncodeStatus::BadRow;
            result.badRow = index;
            return result;
        }
        if (row.front() == '0') {
            sink.AddDelay(DelayRowMs(row));
            continue;
        }
        const std::optional<std::uint8_t> high = row.size() >= 4 ? ParseHex2(row.substr(row.size() - 4, 2)) : std::nullopt;
        const std::optional<std::uint8_t> low = row.size() >= 4 ? ParseHex2(row.substr(row.size() - 2)) : std::nullopt;
        if (!high || !low) {
            result.status = EncodeStatus::BadRow;
            result.badRow = index;
            return result;
        }
        // A one-byte event is written with a leading "00".
        if (*high != 0x00)
            sink.Add(*high);
        sink.Add(*low);
    }

    if (repeat != RepeatMode::Off)
        sink.Add(event::RepeatEnd);

    result.eventBytes = sink.Needed();
    const std::uint8_t stopFlag = options.stopOnRelease ? kStopOnRelease : kStopAfterMacro;
    std::optional<std::vector<std::uint8_t>> body =
        result.eventBytes <= info.encodeLimit ? BuildBody(stopFlag, sink.Bytes(), layout) : std::nullopt;
    if (!body) {
        result.status = EncodeStatus::TooLong;
        return result;
    }
    result.body = std::move(*body);
    return result;
}

// --- Making rows -------------------------------------------------------------------------

std::string HeaderRow(DelayMode mode, int delayMs)
{
    switch (mode) {
    case DelayMode::RealTime:
        return "10";
    case DelayMode::DelaySetting:
        return "01" + std::to_string(delayMs);
    case DelayMode::NoDelay:
        break;
    }
    return "00";
}

std::string DelayRow(long long ms) { return "0 " + std::to_string(ms); }

std::string KeyRow(bool press, std::string_view name, std::uint8_t code, std::uint8_t data)
{
    return EventRow(press ? row_kind::Press : row_kind::Release, name, code, data);
}

std::string ButtonRow(bool press, std::uint8_t buttonBit)
{
    for (const MouseButton& button : kMouseButtons) {
        if (button.bit == buttonBit) {
            const std::uint8_t code = press ? ButtonPress(buttonBit) : ButtonRelease(buttonBit);
            return EventRow(press ? row_kind::Press : row_kind::Release, button.rowName, code, std::nullopt);
        }
    }
    return {};
}

std::string MoveXRow(int value) { return MoveRow(row_kind::MoveXPlus, "FB", value); }
std::string MoveYRow(int value) { return MoveRow(row_kind::MoveYPlus, "FA", value); }

std::string RepeatStartRow(int count)
{
    count = std::clamp(count, 1, 256);
    return "7 FD" + Hex2(static_cast<std::uint8_t>(count - 1));
}

// --- Reading rows ------------------------------------------------------------------------

std::optional<int> RowKind(std::string_view row)
{
    if (row.empty() || row.front() < '0' || row.front() > '9')
        return std::nullopt;
    return row.front() - '0';
}

std::string_view RowName(std::string_view row)
{
    if (row.size() < 2 + kCodeSuffixLength)
        return {};
    return row.substr(2, row.size() - 2 - kCodeSuffixLength);
}

std::optional<int> RowValue(std::string_view row)
{
    const std::optional<int> kind = RowKind(row);
    if (!kind)
        return std::nullopt;
    if (*kind == row_kind::Delay) {
        const long long ms = DelayRowMs(row);
        return static_cast<int>(ms);
    }
    if (*kind < row_kind::MoveXPlus || *kind > row_kind::RepeatStart || row.size() < 2)
        return std::nullopt;
    const std::optional<std::uint8_t> byte = ParseHex2(row.substr(row.size() - 2));
    if (!byte)
        return std::nullopt;
    if (*kind == row_kind::MoveXMinus || *kind == row_kind::MoveYMinus)
        return *byte - 256;
    if (*kind == row_kind::RepeatStart)
        return *byte + 1;
    return *byte;
}

std::string RowDisplayText(std::string_view row)
{
    const std::optional<int> kind = RowKind(row);
    const std::optional<int> value = RowValue(row);
    const std::string valueText = value ? std::to_string(*value) : std::string();
    switch (kind.value_or(-1)) {
    case row_kind::Delay:
        return std::string(row.size() > 2 ? row.substr(2) : std::string_view{}) + " ms";
    case row_kind::Press:
    case row_kind::Release:
        return std::string(RowName(row));
    case row_kind::MoveXPlus:
    case row_kind::MoveXMinus:
        return "X-Axis  " + valueText;
    case row_kind::MoveYPlus:
    case row_kind::MoveYMinus:
        return "Y-Axis  " + valueText;
    case row_kind::RepeatStart:
        return "Rep-Start  " + valueText;
    case row_kind::RepeatEnd:
        return "Rep-Stop";
    default:
        return std::string(row);
    }
}

}  // namespace qeltra3k::macros
