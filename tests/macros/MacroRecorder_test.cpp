#include "macros/MacroRecorder.h"

#include <map>
#include <random>

#include <gtest/gtest.h>

#include "macros/MacroRows.h"

namespace qeltra3k::macros {
namespace {

constexpr int kA = 0x41;
constexpr int kB = 0x42;
constexpr int kShift = 0x10;

constexpr unsigned kLeftDown = 0x0201;
constexpr unsigned kLeftUp = 0x0202;
constexpr unsigned kRightDown = 0x0204;
constexpr unsigned kRightUp = 0x0205;
constexpr unsigned kExtraDown = 0x020B;
constexpr unsigned kExtraUp = 0x020C;
constexpr unsigned kMove = 0x0200;

// One input of a recording: a raw key message, a mouse hook message, or the pointer
// entering (code 1) or leaving (code 0) the record button.
struct Input {
    enum Kind { KeyDown, KeyUp, Mouse, Hover } kind;
    TickMs t;
    unsigned code;
    std::uint32_t data = 0;
};
Input Down(TickMs t, int key) { return {Input::KeyDown, t, static_cast<unsigned>(key)}; }
Input Up(TickMs t, int key) { return {Input::KeyUp, t, static_cast<unsigned>(key)}; }
Input Mouse(TickMs t, unsigned message, std::uint32_t data = 0) { return {Input::Mouse, t, message, data}; }
Input Hover(bool on) { return {Input::Hover, 0, on ? 1u : 0u}; }

// The recorder fed the way the page feeds it: keys through the keyboard component.
class Recording {
public:
    explicit Recording(const RecorderOptions& options = {})
    {
        EXPECT_TRUE(recorder.Start(options));
        hook.SetEnabled(true);
    }

    RecordOutcome Feed(const Input& input)
    {
        switch (input.kind) {
        case Input::KeyDown:
        case Input::KeyUp: {
            const auto told = hook.HandleKey(static_cast<int>(input.code),
                                             input.kind == Input::KeyDown ? KeyTransition::Down : KeyTransition::Up);
            return recorder.KeyEvent(input.t, told->key, told->state);
        }
        case Input::Mouse:
            return recorder.MouseMessage(input.t, input.code, input.data);
        case Input::Hover:
            recorder.SetRecordButtonHover(input.code != 0);
            return RecordOutcome::Ignored;
        }
        return RecordOutcome::Ignored;
    }
    RecordOutcome FeedAll(const std::vector<Input>& inputs)
    {
        RecordOutcome last = RecordOutcome::Ignored;
        for (const Input& input : inputs)
            last = Feed(input);
        return last;
    }
    // A key pressed at t and released `hold` ms later; the release's outcome.
    RecordOutcome Tap(TickMs t, int key, TickMs hold)
    {
        Feed(Down(t, key));
        return Feed(Up(t + hold, key));
    }

    MacroRecorder recorder;
    KeyboardHook hook;
};

RecorderOptions Options(DelayMode mode, int delayMs = 32, BodyLayout layout = BodyLayout::Eeprom)
{
    return {layout, mode, delayMs, 0};
}

Rows EventRows(const Rows& rows) { return rows.empty() ? Rows{} : Rows(rows.begin() + 1, rows.end()); }

// Every release follows a press of the same event, and the recording ends with nothing held.
void ExpectPairedPresses(const Rows& rows)
{
    std::map<std::string, int> held;
    for (const std::string& row : EventRows(rows)) {
        const std::optional<int> kind = RowKind(row);
        const std::string code(RowName(row));
        if (kind == row_kind::Press)
            ++held[code];
        if (kind == row_kind::Release) {
            EXPECT_GE(--held[code], 0) << "a release without its press: " << row;
        }
    }
    for (const auto& [code, count] : held)
        EXPECT_EQ(count, 0) << "still held at the end: " << code;
}

// What the recorder counted is what the rows encode to, and they fit the body.
void ExpectEncodes(const MacroRecorder& recorder, BodyLayout layout, std::size_t startCount = 0)
{
    const EncodeResult encoded = EncodeRows(recorder.RowList(), MacroOptions{}, layout);
    EXPECT_EQ(encoded.status, EncodeStatus::Ok) << encoded.eventBytes;
    EXPECT_EQ(encoded.eventBytes + startCount, recorder.ByteCount());
}

TEST(MacroRecorder, WholeRecordings)
{
    const std::string leftDown = "1 LeftKey CODE:00A1";
    const std::string leftUp = "2 LeftKey CODE:0021";
    const std::string rightDown = "1 RightKey CODE:00A2";
    const std::string rightUp = "2 RightKey CODE:0022";
    const std::string aDown = "1 A CODE:8204";
    const std::string aUp = "2 A CODE:0204";
    const std::string longest = "0 2040";
    struct Case {
        const char* what;
        RecorderOptions options;
        std::vector<Input> inputs;
        Rows rows;
        bool roundTrip = true;  // decoding the body gives the same event rows back
    };
    const std::vector<Input> clickPauseKey{Mouse(1000, kLeftDown), Mouse(1080, kLeftUp), Down(1376, kA), Up(1448, kA),
                                           Mouse(1600, kRightDown), Mouse(1624, kRightUp)};
    const Case cases[]{
        {"a click, a pause, a key", Options(DelayMode::RealTime), clickPauseKey,
         {"10", leftDown, "0 80", leftUp, "0 296", aDown, "0 72", aUp, "0 152", rightDown, "0 24", rightUp}},
        {"the same with a fixed delay", Options(DelayMode::DelaySetting, 48), clickPauseKey,
         {"0148", leftDown, "0 48", leftUp, "0 48", aDown, "0 48", aUp, "0 48", rightDown, "0 48", rightUp}},
        {"the same without delays", Options(DelayMode::NoDelay), clickPauseKey,
         {"00", leftDown, leftUp, aDown, aUp, rightDown, rightUp}},
        {"a 15-second pause before a click", Options(DelayMode::RealTime),
         {Down(0, kA), Up(80, kA), Mouse(15080, kRightDown), Mouse(15160, kRightUp)},
         {"10", aDown, "0 80", aUp, longest, longest, longest, longest, longest, rightDown, "0 80", rightUp},
         false},  // decoding merges the five delay rows into one
        {"a 15-second pause before a key", Options(DelayMode::RealTime),
         {Mouse(0, kLeftDown), Mouse(80, kLeftUp), Down(15080, kA), Up(15160, kA)},
         {"10", leftDown, "0 80", leftUp, longest, aDown, "0 80", aUp}},
        {"a pause of 4100 ms before a click", Options(DelayMode::RealTime),
         {Mouse(0, kLeftDown), Mouse(4100, kLeftUp)},
         {"10", leftDown, longest, longest, "0 20", leftUp}, false},
        {"a clock that goes back counts as no pause", Options(DelayMode::RealTime),
         {Down(500, kA), Up(400, kA)}, {"10", aDown, "0 0", aUp}, false},
        {"auto-repeat records one press; another key while held records its own", Options(DelayMode::RealTime),
         {Down(0, kA), Down(504, kA), Down(536, kA), Down(600, kB), Down(1104, kB), Up(1200, kB), Up(1296, kA)},
         {"10", aDown, "0 600", "1 B CODE:8205", "0 600", "2 B CODE:0205", "0 96", aUp}},
        {"modifiers: right-hand keys as the generic ones, the Windows keys by side", Options(DelayMode::NoDelay),
         {Down(0, 0xA5), Up(0, 0xA5), Down(0, 0xA3), Up(0, 0xA3), Down(0, 0xA1), Up(0, 0xA1), Down(0, 0x5C),
          Up(0, 0x5C), Down(0, 0x5B), Up(0, 0x5B)},
         {"00", "1 Alt CODE:8104", "2 Alt CODE:0104", "1 Ctrl CODE:8101", "2 Ctrl CODE:0101", "1 Shift CODE:8102",
          "2 Shift CODE:0102", "1 Right Windows CODE:8180", "2 Right Windows CODE:0180", "1 Left Windows CODE:8108",
          "2 Left Windows CODE:0108"}},
        {"key 255 is never recorded; a key without a usage is None", Options(DelayMode::NoDelay),
         {Down(0, 0xFF), Up(0, 0xFF), Down(0, 0x07), Up(0, 0x07)},
         {"00", "1 None CODE:8200", "2 None CODE:0200"}, false},
        {"the click on the record button is not recorded", Options(DelayMode::NoDelay),
         {Mouse(0, kRightDown), Mouse(0, kRightUp), Hover(true), Mouse(0, kLeftDown), Mouse(0, kLeftUp),
          Mouse(0, kRightDown), Mouse(0, kRightUp), Hover(false), Mouse(0, kLeftDown), Mouse(0, kLeftUp)},
         {"00", rightDown, rightUp, rightDown, rightUp, leftDown, leftUp}},
        {"extra buttons and messages that set nothing", Options(DelayMode::NoDelay),
         {Mouse(0, kExtraDown, 1u << 16), Mouse(0, kExtraUp, 1u << 16), Mouse(0, kExtraDown, 2u << 16),
          Mouse(0, kExtraUp, 2u << 16), Mouse(0, kExtraDown, 3u << 16), Mouse(0, kMove), Mouse(0, 0x020A)},
         {"00", "1 Backward CODE:00B0", "2 Backward CODE:0030", "1 Forward CODE:00A8", "2 Forward CODE:0028"}},
        {"what is held when the recording stops is released", Options(DelayMode::RealTime),
         {Down(0, kA), Mouse(96, kRightDown)}, {"10", aDown, "0 96", rightDown, rightUp, aUp}},
    };
    for (BodyLayout layout : {BodyLayout::Eeprom, BodyLayout::Driver}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            RecorderOptions options = c.options;
            options.layout = layout;
            Recording recording(options);
            recording.FeedAll(c.inputs);
            recording.recorder.Stop();
            const Rows& rows = recording.recorder.RowList();
            EXPECT_EQ(rows, c.rows);
            EXPECT_EQ(recording.recorder.SelectedPosition(), rows.size() - 2);
            ExpectEncodes(recording.recorder, layout);
            if (c.roundTrip) {
                MacroOptions decoded;
                const EncodeResult encoded = EncodeRows(rows, decoded, layout);
                EXPECT_EQ(DecodeRows(encoded.body, layout, decoded), rows);
            }
        }
    }
}

TEST(MacroRecorder, BudgetRunsOutOnAKey)
{
    struct Case {
        RecorderOptions options;
        int taps;                 // taps of A that fit
        std::size_t bytes;        // their event bytes
    };
    // Real time: 4 bytes per press or release (2 for its delay); the first press has no delay.
    // No delay: 2 bytes each and the smaller reserve.
    const Case cases[]{
        {Options(DelayMode::RealTime), 23, 182},
        {Options(DelayMode::DelaySetting, 48), 23, 182},
        {Options(DelayMode::NoDelay), 46, 184},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taps);
        Recording recording(c.options);
        MacroRecorder& recorder = recording.recorder;
        TickMs t = 0;
        int taps = 0;
        while (recording.Tap(t, kA, 48) == RecordOutcome::Recorded) {
            ++taps;
            t += 96;
        }
        EXPECT_EQ(taps, c.taps);
        EXPECT_TRUE(recorder.Full());
        EXPECT_TRUE(recorder.StopRequest());
        EXPECT_TRUE(recorder.Recording()) << "the refused key's own release does not stop it";

        // Another key: its press is ignored, its release stops the recording unrecorded.
        EXPECT_EQ(recording.Feed(Down(t + 200, kB)), RecordOutcome::Ignored);
        EXPECT_EQ(recording.Feed(Up(t + 300, kB)), RecordOutcome::Stopped);
        EXPECT_FALSE(recorder.Recording());
        EXPECT_EQ(recorder.ByteCount(), c.bytes);
        EXPECT_LE(recorder.ByteCount(), recorder.Budget());
        EXPECT_EQ(recorder.RowList().back(), "2 A CODE:0204");
        ExpectEncodes(recorder, BodyLayout::Eeprom);
        ExpectPairedPresses(recorder.RowList());
    }
}

TEST(MacroRecorder, AutomaticStopReleasesTheKeysStillHeld)
{
    Recording recording(Options(DelayMode::NoDelay));
    recording.Feed(Down(0, kShift));
    while (recording.Tap(0, kA, 0) == RecordOutcome::Recorded) {
    }
    ASSERT_TRUE(recording.recorder.Full());
    // Shift's release ends the recording and is not recorded as an event of its own, but the
    // mouse must not be left holding Shift.
    EXPECT_EQ(recording.Feed(Up(0, kShift)), RecordOutcome::Stopped);
    EXPECT_EQ(recording.recorder.RowList().back(), "2 Shift CODE:0102");
    ExpectPairedPresses(recording.recorder.RowList());
    ExpectEncodes(recording.recorder, BodyLayout::Eeprom);
}

TEST(MacroRecorder, BudgetRunsOutOnAMousePress)
{
    Recording recording(Options(DelayMode::RealTime));
    MacroRecorder& recorder = recording.recorder;
    TickMs t = 0;
    int clicks = 0;
    while (recording.Feed(Mouse(t, kLeftDown)) == RecordOutcome::Recorded) {
        EXPECT_EQ(recording.Feed(Mouse(t + 24, kLeftUp)), RecordOutcome::Recorded);
        ++clicks;
        t += 48;
    }
    // 1 byte per press or release and 2 for the delay before it; the first press has none.
    EXPECT_EQ(clicks, 30);
    EXPECT_EQ(recorder.ByteCount(), 178u);
    EXPECT_TRUE(recorder.Blocked());
    EXPECT_FALSE(recorder.Pending(ButtonFlag::LeftDown));

    // Blocked: nothing more is recorded, and nothing stops the recording but the user.
    const std::size_t rows = recorder.RowList().size();
    EXPECT_EQ(recording.Feed(Mouse(t + 100, kLeftUp)), RecordOutcome::Ignored);
    EXPECT_EQ(recording.Tap(t + 200, kA, 50), RecordOutcome::Ignored);
    EXPECT_EQ(recording.Tap(t + 300, kB, 50), RecordOutcome::Ignored);
    EXPECT_TRUE(recorder.Recording());
    EXPECT_EQ(recorder.RowList().size(), rows);
    recorder.Stop();
    EXPECT_EQ(recorder.RowList().size(), rows);
    ExpectPairedPresses(recorder.RowList());
    ExpectEncodes(recorder, BodyLayout::Eeprom);
}

// The driver body takes no more event bytes than the driver's budget, but a release may be
// recorded right up to the budget with up to five delay rows before it. The release then
// comes without its pause rather than making a macro that cannot be saved.
TEST(MacroRecorder, DriverRecordingNeverOutgrowsItsBody)
{
    for (const std::size_t repeatBytes : {std::size_t{0}, std::size_t{3}}) {
        SCOPED_TRACE(repeatBytes);
        Recording recording({BodyLayout::Driver, DelayMode::RealTime, 32, repeatBytes});
        MacroRecorder& recorder = recording.recorder;
        TickMs t = 0;
        recording.Feed(Mouse(t, kLeftDown));
        recording.Feed(Mouse(t += 8, kLeftUp));
        for (int i = 0; i < 326; ++i) {
            ASSERT_EQ(recording.Feed(Mouse(t += 8, kLeftDown)), RecordOutcome::Recorded);
            ASSERT_EQ(recording.Feed(Mouse(t += 8, kLeftUp)), RecordOutcome::Recorded);
        }
        ASSERT_EQ(recorder.ByteCount(), 1960u);
        EXPECT_EQ(recording.Feed(Mouse(t += 10200, kLeftDown)), RecordOutcome::Recorded);
        EXPECT_EQ(recording.Feed(Mouse(t += 10200, kLeftUp)), RecordOutcome::Recorded);
        recorder.Stop();

        const Rows& rows = recorder.RowList();
        EXPECT_EQ(rows[rows.size() - 3], "0 2040");
        EXPECT_EQ(rows[rows.size() - 2], "1 LeftKey CODE:00A1");
        EXPECT_EQ(rows.back(), "2 LeftKey CODE:0021");
        MacroOptions repeating;
        repeating.repeat = repeatBytes > 0 ? RepeatMode::Infinite : RepeatMode::Off;
        const EncodeResult encoded = EncodeRows(rows, repeating, BodyLayout::Driver);
        EXPECT_EQ(encoded.status, EncodeStatus::Ok) << encoded.eventBytes;
        EXPECT_LE(encoded.eventBytes, Describe(BodyLayout::Driver).encodeLimit);
    }
}

// Whatever is typed and clicked, a finished recording pairs its presses with releases and
// encodes into its body.
TEST(MacroRecorder, AnyRecordingPairsItsPressesAndFits)
{
    const int keys[]{kA, kB, kShift, 0x11, 0x5B};
    const unsigned buttons[][2]{{kLeftDown, kLeftUp}, {kRightDown, kRightUp}, {0x0207, 0x0208}};
    for (BodyLayout layout : {BodyLayout::Eeprom, BodyLayout::Driver}) {
        for (unsigned seed = 0; seed < 40; ++seed) {
            SCOPED_TRACE(seed);
            std::mt19937 random(seed);
            const DelayMode mode = static_cast<DelayMode>(random() % 3);
            const std::size_t repeatBytes = random() % 2 ? 3 : 0;
            Recording recording({layout, mode, static_cast<int>(random() % 2041), repeatBytes});
            std::vector<int> heldKeys;
            std::vector<int> heldButtons;
            TickMs t = 0;
            for (int step = 0; step < 3000 && recording.recorder.Recording(); ++step) {
                t += static_cast<TickMs>(random() % (random() % 4 == 0 ? 12000 : 300));
                const unsigned what = random() % 4;
                if (what == 0) {
                    const int key = keys[random() % std::size(keys)];
                    recording.Feed(Down(t, key));  // a new key, or auto-repeat of a held one
                    if (std::find(heldKeys.begin(), heldKeys.end(), key) == heldKeys.end())
                        heldKeys.push_back(key);
                } else if (what == 1 && !heldKeys.empty()) {
                    const std::size_t i = random() % heldKeys.size();
                    recording.Feed(Up(t, heldKeys[i]));
                    heldKeys.erase(heldKeys.begin() + static_cast<std::ptrdiff_t>(i));
                } else if (what == 2) {
                    const int b = static_cast<int>(random() % std::size(buttons));
                    if (std::find(heldButtons.begin(), heldButtons.end(), b) == heldButtons.end()) {
                        recording.Feed(Mouse(t, buttons[b][0]));
                        heldButtons.push_back(b);
                    }
                } else if (!heldButtons.empty()) {
                    const std::size_t i = random() % heldButtons.size();
                    recording.Feed(Mouse(t, buttons[heldButtons[i]][1]));
                    heldButtons.erase(heldButtons.begin() + static_cast<std::ptrdiff_t>(i));
                }
            }
            recording.recorder.Stop();
            const Rows& rows = recording.recorder.RowList();
            ExpectPairedPresses(rows);
            MacroOptions options;
            options.repeat = repeatBytes > 0 ? RepeatMode::Count : RepeatMode::Off;
            const EncodeResult encoded = EncodeRows(rows, options, layout);
            EXPECT_EQ(encoded.status, EncodeStatus::Ok) << encoded.eventBytes;
        }
    }
}

TEST(MacroRecorder, InsertRecordingFrontAndBack)
{
    const Rows macro{"10", "1 A CODE:8204", "0 96", "2 A CODE:0204"};
    struct Case {
        InsertSide side;
        Rows rows;
        std::size_t selected;
    };
    const Case cases[]{
        {InsertSide::Front,
         {"10", "1 A CODE:8204", "1 B CODE:8205", "0 80", "2 B CODE:0205", "0 96", "2 A CODE:0204"}, 4},
        {InsertSide::Back,
         {"10", "1 A CODE:8204", "0 96", "1 B CODE:8205", "0 80", "2 B CODE:0205", "2 A CODE:0204"}, 4},
    };
    for (const Case& c : cases) {
        MacroRecorder recorder;
        ASSERT_TRUE(recorder.StartInsert(macro, 1, c.side, 7, Options(DelayMode::RealTime)));
        EXPECT_TRUE(recorder.InsertRecording());
        EXPECT_EQ(recorder.SelectedPosition(), 1u);
        EXPECT_EQ(recorder.KeyEvent(1000, kB, KeyboardHookState::kh_On), RecordOutcome::Recorded);
        EXPECT_EQ(recorder.KeyEvent(1080, kB, KeyboardHookState::kh_Off), RecordOutcome::Recorded);
        recorder.Stop();
        EXPECT_FALSE(recorder.InsertRecording());
        EXPECT_EQ(recorder.RowList(), c.rows);
        EXPECT_EQ(recorder.SelectedPosition(), c.selected);
        EXPECT_EQ(recorder.ByteCount(), 7u + 6u) << "counted from the body's length";
    }
}

TEST(MacroRecorder, InsertRecordingRefusals)
{
    const Rows macro{"10", "1 A CODE:8204", "2 A CODE:0204"};
    MacroRecorder recorder;
    EXPECT_FALSE(recorder.StartInsert(macro, 2, InsertSide::Back, 5, {})) << "no row at position 2";
    EXPECT_FALSE(recorder.StartInsert(macro, 0, InsertSide::Back, 186, {})) << "the body is at its budget";
    EXPECT_FALSE(recorder.StartInsert(macro, 0, InsertSide::Back, 1980, {BodyLayout::Driver}));
    EXPECT_TRUE(recorder.StartInsert(macro, 0, InsertSide::Back, 1979, {BodyLayout::Driver}));
    EXPECT_FALSE(recorder.Start({})) << "already recording";
    recorder.Stop();

    // A stop request left by a recording that ran full keeps the next insert from starting
    // until it is cleared.
    ASSERT_TRUE(recorder.StartInsert(macro, 0, InsertSide::Back, 180, Options(DelayMode::RealTime)));
    EXPECT_EQ(recorder.KeyEvent(0, kB, KeyboardHookState::kh_On), RecordOutcome::Refused);
    EXPECT_EQ(recorder.KeyEvent(10, kA, KeyboardHookState::kh_Off), RecordOutcome::Stopped);
    EXPECT_EQ(recorder.RowList(), macro);
    EXPECT_FALSE(recorder.StartInsert(macro, 0, InsertSide::Back, 5, {}));
    recorder.ClearStopRequest();
    EXPECT_TRUE(recorder.StartInsert(macro, 0, InsertSide::Back, 5, {}));
}

TEST(MacroRecorder, NothingIsRecordedWhileIdle)
{
    MacroRecorder recorder;
    EXPECT_EQ(recorder.KeyEvent(0, kA, KeyboardHookState::kh_On), RecordOutcome::Ignored);
    EXPECT_EQ(recorder.MouseMessage(0, kLeftDown, 0), RecordOutcome::Ignored);
    EXPECT_FALSE(recorder.Pending(ButtonFlag::LeftDown));
    EXPECT_TRUE(recorder.RowList().empty());
}

TEST(MacroRecorder, MouseMessagesToFlags)
{
    struct Case {
        unsigned message;
        std::uint32_t data;
        std::optional<ButtonFlag> flag;
    };
    const Case cases[]{
        {0x0201, 0, ButtonFlag::LeftDown},          {0x0202, 0, ButtonFlag::LeftUp},
        {0x0204, 0, ButtonFlag::RightDown},         {0x0205, 0, ButtonFlag::RightUp},
        {0x0207, 0, ButtonFlag::MiddleDown},        {0x0208, 0, ButtonFlag::MiddleUp},
        {0x020B, 1u << 16, ButtonFlag::BackwardDown}, {0x020C, 1u << 16, ButtonFlag::BackwardUp},
        {0x020B, 2u << 16, ButtonFlag::ForwardDown},  {0x020C, 2u << 16, ButtonFlag::ForwardUp},
        {0x020B, 3u << 16, std::nullopt},           {0x020B, 1, std::nullopt},
        {0x0200, 0, std::nullopt},                  {0x020A, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ButtonFlagOfMessage(c.message, c.data), c.flag) << std::hex << c.message << " " << c.data;
}

// Flags set together are handled in the fixed order, whatever order they were set in.
TEST(MacroRecorder, PendingFlagsInTheirFixedOrder)
{
    MacroRecorder recorder;
    ASSERT_TRUE(recorder.Start(Options(DelayMode::NoDelay)));
    for (ButtonFlag flag : {ButtonFlag::BackwardUp, ButtonFlag::RightUp, ButtonFlag::LeftDown, ButtonFlag::RightDown,
                            ButtonFlag::BackwardDown})
        recorder.SetPending(flag);
    EXPECT_EQ(recorder.ProcessPendingButtons(0), RecordOutcome::Recorded);
    EXPECT_EQ(recorder.RowList(), (Rows{"00", "1 LeftKey CODE:00A1", "1 RightKey CODE:00A2", "2 RightKey CODE:0022",
                                        "1 Backward CODE:00B0", "2 Backward CODE:0030"}));
}

}  // namespace
}  // namespace qeltra3k::macros
