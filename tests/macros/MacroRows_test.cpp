#include "macros/MacroRows.h"

#include <random>

#include <gtest/gtest.h>

#include "MacroTestBytes.h"
#include "config/KeyboardFunction.h"
#include "macros/MacroEvents.h"

namespace qeltra3k::macros {
namespace {

using testing::Body;
using testing::Bytes;

constexpr BodyLayout kBothLayouts[]{BodyLayout::Eeprom, BodyLayout::Driver};

Bytes BodyOf(const Bytes& events, BodyLayout layout, std::uint8_t stopFlag = kStopAfterMacro)
{
    return BuildBody(stopFlag, events, layout).value();
}

Bytes EventsOf(const Bytes& body, BodyLayout layout)
{
    const auto events = BodyEvents(body, layout);
    return Bytes(events.begin(), events.end());
}

// Options far from anything a body would set, to see what decoding leaves alone.
MacroOptions UntouchedOptions()
{
    MacroOptions options;
    options.stopOnRelease = true;
    options.repeat = RepeatMode::Count;
    options.loopCount = 77;
    options.delayMode = DelayMode::DelaySetting;
    options.delayMs = 123;
    return options;
}

// --- Decoding ----------------------------------------------------------------------------

TEST(DecodeRows, WorkedExample)
{
    const Bytes body = Body({0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B}, BodyLayout::Eeprom);
    MacroOptions options = UntouchedOptions();
    const Rows rows = DecodeRows(body, BodyLayout::Eeprom, options);
    EXPECT_EQ(rows, (Rows{"10", "1 LeftKey CODE:00A1", "0 96", "2 LeftKey CODE:0021"}));
    EXPECT_FALSE(options.stopOnRelease);
    EXPECT_EQ(options.repeat, RepeatMode::Off);
    EXPECT_EQ(options.delayMode, DelayMode::RealTime);
}

TEST(DecodeRows, EventsToRows)
{
    struct Case {
        const char* what;
        Bytes events;
        Rows rows;  // header included
    };
    const Bytes sixLongDelays{0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF};
    const Case cases[]{
        {"five delays merge, the sixth starts a row", sixLongDelays, {"10", "0 10200", "0 2040"}},
        {"keys", {0x82, 0x04, 0x02, 0x04}, {"00", "1 A CODE:8204", "2 A CODE:0204"}},
        {"modifiers", {0x81, 0x01, 0x81, 0x80, 0x01, 0x08},
         {"00", "1 Ctrl CODE:8101", "1 Right Windows CODE:8180", "2 Left Windows CODE:0108"}},
        {"a mask of two keys keeps its byte", {0x81, 0x03, 0x01, 0x03},
         {"00", "1 Ctrl+Shift CODE:8103", "2 Ctrl+Shift CODE:0103"}},
        {"buttons", {0xA2, 0x22, 0xA4, 0x24, 0xA8, 0x28, 0xB0, 0x30},
         {"00", "1 RightKey CODE:00A2", "2 RightKey CODE:0022", "1 MiddleKey CODE:00A4",
          "2 MiddleKey CODE:0024", "1 Forward CODE:00A8", "2 Forward CODE:0028", "1 Backward CODE:00B0",
          "2 Backward CODE:0030"}},
        {"moves", {0xFB, 0x0C, 0xFB, 0xF6, 0xFA, 0x7F, 0xFA, 0x80},
         {"00", "3 FB0C", "4 FBF6", "5 FA7F", "6 FA80"}},
        {"repeat events give no row", {0xFD, 0x07, 0xA1, 0xFD, 0x01, 0x21, 0xFC},
         {"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}},
        {"a byte that is no event ends the walk", {0xA1, 0x00, 0x21}, {"00", "1 LeftKey CODE:00A1"}},
        {"an event cut off by the end ends the walk", {0xA1, 0x82}, {"00", "1 LeftKey CODE:00A1"}},
        {"zero delays", {0xFE, 0x00, 0xA1}, {"00", "0 0", "1 LeftKey CODE:00A1"}},
        {"no events at all", {}, {}},
    };
    for (BodyLayout layout : kBothLayouts) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (layout == BodyLayout::Eeprom ? " (EEPROM)" : " (driver)"));
            MacroOptions options;
            EXPECT_EQ(DecodeRows(BodyOf(c.events, layout), layout, options), c.rows);
        }
    }
}

TEST(DecodeRows, OptionsFromTheBody)
{
    struct Case {
        const char* what;
        std::uint8_t stopFlag;
        Bytes events;
        bool stopOnRelease;
        RepeatMode repeat;
        int loopCount;
    };
    const Case cases[]{
        {"counted repeat", 1, {0xFD, 0x07, 0xA1, 0x21, 0xFC}, true, RepeatMode::Count, 8},
        {"endless repeat", 0, {0xFD, 0xFF, 0xA1, 0x21, 0xFC}, false, RepeatMode::Infinite, 77},
        {"counted once", 0, {0xFD, 0x00, 0xA1, 0xFC}, false, RepeatMode::Count, 1},
        {"repeat not first", 1, {0xA1, 0xFD, 0x07, 0x21, 0xFC}, true, RepeatMode::Off, 77},
        {"stop flag 2 leaves the release option", 2, {0xA1}, true, RepeatMode::Off, 77},
    };
    for (BodyLayout layout : kBothLayouts) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            MacroOptions options = UntouchedOptions();
            DecodeRows(BodyOf(c.events, layout, c.stopFlag), layout, options);
            EXPECT_EQ(options.stopOnRelease, c.stopOnRelease);
            EXPECT_EQ(options.repeat, c.repeat);
            EXPECT_EQ(options.loopCount, c.loopCount);
        }
    }
}

TEST(DecodeRows, DelayModeFromTheFirstFourDelays)
{
    const Bytes press{0xA1};
    struct Case {
        const char* what;
        Bytes events;
        std::string header;
        DelayMode mode;
        int delayMs;
    };
    const Case cases[]{
        {"four equal", {0xFE, 0x06, 0xA1, 0xFE, 0x06, 0x21, 0xFE, 0x06, 0xA1, 0xFE, 0x06, 0x21}, "0148",
         DelayMode::DelaySetting, 48},
        {"four equal, the fifth differs", {0xFE, 0x06, 0xA1, 0xFE, 0x06, 0x21, 0xFE, 0x06, 0xA1, 0xFE, 0x06, 0x21, 0xFE, 0x01},
         "0148", DelayMode::DelaySetting, 48},
        {"three equal, no fourth", {0xFE, 0x06, 0xA1, 0xFE, 0x06, 0x21, 0xFE, 0x06, 0xA1}, "10", DelayMode::RealTime, 123},
        {"four equal long rows", {0xFE, 0xFF, 0xFE, 0xFF, 0xA1, 0xFE, 0xFF, 0xFE, 0xFF, 0x21, 0xFE, 0xFF, 0xFE, 0xFF,
                                  0xA1, 0xFE, 0xFF, 0xFE, 0xFF, 0x21},
         "014080", DelayMode::DelaySetting, 2040},  // the field holds one delay event at most
        {"no delays", {0xA1, 0x21}, "00", DelayMode::NoDelay, 123},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MacroOptions options = UntouchedOptions();
        const Rows rows = DecodeRows(BodyOf(c.events, BodyLayout::Eeprom), BodyLayout::Eeprom, options);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows[0], c.header);
        EXPECT_EQ(options.delayMode, c.mode);
        EXPECT_EQ(options.delayMs, c.delayMs);
    }
}

TEST(DecodeRows, EmptyBodiesLeaveEverythingAlone)
{
    const Bytes empties[]{Body({}, BodyLayout::Eeprom), Body({0x01, 0xFF, 0xA1}, BodyLayout::Eeprom)};
    for (const Bytes& body : empties) {
        MacroOptions options = UntouchedOptions();
        EXPECT_TRUE(DecodeRows(body, BodyLayout::Eeprom, options).empty());
        EXPECT_TRUE(options.stopOnRelease);
        EXPECT_EQ(options.repeat, RepeatMode::Count);
        EXPECT_EQ(options.loopCount, 77);
        EXPECT_EQ(options.delayMode, DelayMode::DelaySetting);
    }
    MacroOptions options = UntouchedOptions();
    EXPECT_TRUE(DecodeRows(Body({0x00, 0xFF, 0xFF, 0xA1}, BodyLayout::Driver), BodyLayout::Driver, options).empty());
    EXPECT_EQ(options.loopCount, 77);
}

TEST(DecodeRows, DriverBodyEndingWithLeftUp)
{
    Bytes events(1500, 0);
    for (std::size_t i = 0; i < events.size(); i += 2) {
        events[i] = event::MoveY;
        events[i + 1] = 0x01;
    }
    events.push_back(event::LeftUp);
    MacroOptions options;
    const Rows rows = DecodeRows(BodyOf(events, BodyLayout::Driver), BodyLayout::Driver, options);
    ASSERT_EQ(rows.size(), 1 + 750 + 1);
    EXPECT_EQ(rows.back(), "2 LeftKey CODE:0021");
}

// --- Encoding ----------------------------------------------------------------------------

TEST(EncodeRows, RowsToEvents)
{
    struct Case {
        Rows rows;  // without the header
        Bytes events;
    };
    const Case cases[]{
        {{"0 10200"}, {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF}},
        {{"0 0"}, {0xFE, 0x00}},
        {{"0 5"}, {0xFE, 0x00}},
        {{"0 50"}, {0xFE, 0x06}},
        {{"0 2040"}, {0xFE, 0xFF}},
        {{"0 2047"}, {0xFE, 0xFF, 0xFE, 0x00}},
        {{"0 4100"}, {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0x02}},
        {{"0 abc"}, {0xFE, 0x00}},   // not a number: 0 ms
        {{"0 12x"}, {0xFE, 0x00}},
        {{"0"}, {0xFE, 0x00}},
        {{"0 -5", "1 LeftKey CODE:00A1"}, {0xA1}},  // a negative delay emits nothing
        {{"1 A CODE:8204", "2 A CODE:0204"}, {0x82, 0x04, 0x02, 0x04}},
        {{"1 LeftKey CODE:00A1"}, {0xA1}},
        {{"1 Ctrl CODE:8101", "2 Ctrl CODE:0101"}, {0x81, 0x01, 0x01, 0x01}},
        {{"3 FB0C", "4 FBF6", "5 FA00", "6 FA80"}, {0xFB, 0x0C, 0xFB, 0xF6, 0xFA, 0x00, 0xFA, 0x80}},
        {{"7 FD07", "1 LeftKey CODE:00A1", "8 00FC"}, {0xFD, 0x07, 0xA1, 0xFC}},
    };
    for (BodyLayout layout : kBothLayouts) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.rows.front());
            Rows rows{"10"};
            rows.insert(rows.end(), c.rows.begin(), c.rows.end());
            const EncodeResult result = EncodeRows(rows, MacroOptions{}, layout);
            ASSERT_EQ(result.status, EncodeStatus::Ok);
            EXPECT_EQ(EventsOf(result.body, layout), c.events);
            EXPECT_EQ(result.eventBytes, c.events.size());
            EXPECT_TRUE(HasValidChecksum(result.body, layout));
        }
    }
}

TEST(EncodeRows, WorkedExampleAndOptions)
{
    const Rows rows{"10", "1 LeftKey CODE:00A1", "0 96", "2 LeftKey CODE:0021"};
    EXPECT_EQ(EncodeRows(rows, MacroOptions{}, BodyLayout::Eeprom).body,
              Body({0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B}, BodyLayout::Eeprom));
    EXPECT_EQ(EncodeRows(rows, MacroOptions{}, BodyLayout::Driver).body,
              Body({0x00, 0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B}, BodyLayout::Driver));

    MacroOptions counted;
    counted.stopOnRelease = true;
    counted.repeat = RepeatMode::Count;
    counted.loopCount = 8;
    const EncodeResult repeated = EncodeRows(rows, counted, BodyLayout::Eeprom);
    EXPECT_EQ(repeated.body[0], kStopOnRelease);
    EXPECT_EQ(EventsOf(repeated.body, BodyLayout::Eeprom), (Bytes{0xFD, 0x07, 0xA1, 0xFE, 0x0C, 0x21, 0xFC}));

    MacroOptions endless;
    endless.repeat = RepeatMode::Infinite;
    EXPECT_EQ(EventsOf(EncodeRows(rows, endless, BodyLayout::Driver).body, BodyLayout::Driver),
              (Bytes{0xFD, 0xFF, 0xA1, 0xFE, 0x0C, 0x21, 0xFC}));

    // The header alone (or nothing) is an empty macro: an all-zero body, even with a repeat,
    // which would loop over nothing.
    for (const Rows& none : {Rows{}, Rows{"10"}}) {
        const EncodeResult result = EncodeRows(none, counted, BodyLayout::Eeprom);
        ASSERT_EQ(result.status, EncodeStatus::Ok);
        EXPECT_EQ(result.body, Bytes(224, 0x00)) << none.size();
    }
}

TEST(EncodeRows, RowsThatDoNotFitAreRefusedWhole)
{
    struct Case {
        const char* what;
        BodyLayout layout;
        std::size_t presses;
        RepeatMode repeat;
        EncodeStatus status;
        std::size_t eventBytes;
    };
    const Case cases[]{
        {"EEPROM full", BodyLayout::Eeprom, 221, RepeatMode::Off, EncodeStatus::Ok, 221},
        {"EEPROM one over", BodyLayout::Eeprom, 222, RepeatMode::Off, EncodeStatus::TooLong, 222},
        {"EEPROM over by the repeat", BodyLayout::Eeprom, 219, RepeatMode::Infinite, EncodeStatus::TooLong, 222},
        {"driver at its limit", BodyLayout::Driver, 1980, RepeatMode::Off, EncodeStatus::Ok, 1980},
        {"driver one over", BodyLayout::Driver, 1981, RepeatMode::Off, EncodeStatus::TooLong, 1981},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rows rows{"00"};
        rows.insert(rows.end(), c.presses, "1 LeftKey CODE:00A1");
        MacroOptions options;
        options.repeat = c.repeat;

        MacroRecord eeprom;
        eeprom.body[0] = 0x42;
        DriverMacroRecord driver;
        driver.body[0] = 0x42;
        const EncodeResult result =
            c.layout == BodyLayout::Eeprom ? EncodeInto(rows, options, eeprom) : EncodeInto(rows, options, driver);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.eventBytes, c.eventBytes);
        EXPECT_EQ(result.capacity, c.layout == BodyLayout::Eeprom ? 221u : 1980u);
        const std::uint8_t stopByte = c.layout == BodyLayout::Eeprom ? eeprom.body[0] : driver.body[0];
        if (c.status == EncodeStatus::Ok) {
            EXPECT_EQ(stopByte, kStopAfterMacro);
        } else {
            EXPECT_TRUE(result.body.empty());
            EXPECT_EQ(stopByte, 0x42);  // the record keeps its old body
        }
    }
}

TEST(EncodeRows, HugeDelayIsMeasuredNotBuilt)
{
    const EncodeResult result = EncodeRows({"00", "0 2000000000"}, MacroOptions{}, BodyLayout::Driver);
    EXPECT_EQ(result.status, EncodeStatus::TooLong);
    EXPECT_EQ(result.eventBytes, DelayRowBytes(2000000000));
    EXPECT_EQ(DelayRowBytes(2000000000), 2u * (2000000000 / 2040 + 1));
    // Beyond a 32-bit number the text is not a number: 0 ms.
    EXPECT_EQ(EventsOf(EncodeRows({"00", "0 99999999999"}, MacroOptions{}, BodyLayout::Eeprom).body,
                       BodyLayout::Eeprom),
              (Bytes{0xFE, 0x00}));
}

TEST(EncodeRows, MalformedInputIsRefused)
{
    struct Case {
        Rows rows;
        int loopCount;
        EncodeStatus status;
        std::size_t badRow;
    };
    const Case cases[]{
        {{"00", "1 LeftKey CODE:00A1", "1 X"}, 8, EncodeStatus::BadRow, 2},
        {{"00", ""}, 8, EncodeStatus::BadRow, 1},
        {{"00", "2 A CODE:02G4"}, 8, EncodeStatus::BadRow, 1},
        {{"00", "1 LeftKey CODE:00A1"}, 0, EncodeStatus::BadLoopCount, 0},
        {{"00", "1 LeftKey CODE:00A1"}, 256, EncodeStatus::BadLoopCount, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows.back());
        MacroOptions options;
        options.repeat = RepeatMode::Count;
        options.loopCount = c.loopCount;
        const EncodeResult result = EncodeRows(c.rows, options, BodyLayout::Eeprom);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.badRow, c.badRow);
        EXPECT_TRUE(result.body.empty());
    }
}

// --- Round trips -------------------------------------------------------------------------

TEST(RowsRoundTrip, RecordedMacroInBothLayouts)
{
    const Rows rows{"10",
                    "1 LeftKey CODE:00A1",
                    "0 96",
                    "2 LeftKey CODE:0021",
                    "0 2040",
                    "1 Ctrl CODE:8101",
                    "0 48",
                    "1 A CODE:8204",
                    "0 8",
                    "2 A CODE:0204",
                    "2 Ctrl CODE:0101",
                    "3 FB0C",
                    "6 FAF6",
                    "1 Backward CODE:00B0",
                    "0 10200",
                    "2 Backward CODE:0030"};
    MacroOptions options;
    options.stopOnRelease = true;
    options.repeat = RepeatMode::Count;
    options.loopCount = 3;
    for (BodyLayout layout : kBothLayouts) {
        const EncodeResult encoded = EncodeRows(rows, options, layout);
        ASSERT_EQ(encoded.status, EncodeStatus::Ok);
        MacroOptions decodedOptions;
        EXPECT_EQ(DecodeRows(encoded.body, layout, decodedOptions), rows);
        EXPECT_TRUE(decodedOptions.stopOnRelease);
        EXPECT_EQ(decodedOptions.repeat, RepeatMode::Count);
        EXPECT_EQ(decodedOptions.loopCount, 3);
    }
}

// Random macros as the recorder and the editor make them: decoding what was encoded gives
// the same event rows and the same body again.
TEST(RowsRoundTrip, RandomMacros)
{
    std::mt19937 random(20240611);
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 300; ++round) {
        const BodyLayout layout = kBothLayouts[round % 2];
        Rows rows{"10"};
        std::size_t bytes = 0;
        bool lastWasDelay = false;
        while (bytes + 4 <= (layout == BodyLayout::Eeprom ? 180u : 1900u) && pick(0, 40) != 0) {
            const int kind = pick(0, 5);
            std::string row;
            if (kind == 0 && !lastWasDelay) {
                row = DelayRow(8 * pick(0, 255));
            } else if (kind == 1) {
                const auto usage = static_cast<std::uint8_t>(pick(0, 255));
                const bool press = pick(0, 1) == 1;
                row = KeyRow(press, config::UsageName(usage), press ? event::KeyDown : event::KeyUp, usage);
            } else if (kind == 2) {
                const ModifierBit bit = kModifierBits[static_cast<std::size_t>(pick(0, 4))];
                const bool press = pick(0, 1) == 1;
                row = KeyRow(press, ModifierName(bit.mask), press ? event::ModifierDown : event::ModifierUp, bit.mask);
            } else if (kind == 3) {
                row = ButtonRow(pick(0, 1) == 1, kMouseButtons[static_cast<std::size_t>(pick(0, 4))].bit);
            } else if (kind == 4) {
                row = MoveXRow(pick(-128, 127));
            } else {
                row = MoveYRow(pick(-128, 127));
            }
            if (row.empty())
                continue;
            lastWasDelay = row.front() == '0';
            bytes += 2;
            rows.push_back(row);
        }
        MacroOptions options;
        options.repeat = static_cast<RepeatMode>(pick(0, 2));
        options.loopCount = pick(1, 255);
        options.stopOnRelease = pick(0, 1) == 1;

        const EncodeResult first = EncodeRows(rows, options, layout);
        ASSERT_EQ(first.status, EncodeStatus::Ok);
        MacroOptions decodedOptions;
        const Rows decoded = DecodeRows(first.body, layout, decodedOptions);
        if (rows.size() == 1) {
            EXPECT_TRUE(decoded.empty());
            continue;
        }
        ASSERT_EQ(decoded.size(), rows.size()) << round;
        EXPECT_TRUE(std::equal(rows.begin() + 1, rows.end(), decoded.begin() + 1)) << round;
        const EncodeResult second = EncodeRows(decoded, decodedOptions, layout);
        ASSERT_EQ(second.status, EncodeStatus::Ok);
        EXPECT_EQ(second.body, first.body) << round;
    }
}

// Whatever a file or a mouse holds, decoding never reads past the body and every row it
// makes can be encoded again.
TEST(RowsRoundTrip, GarbageBodiesDecodeSafely)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    const Bytes eventBytes{0x82, 0x02, 0x81, 0x01, 0xA1, 0x21, 0xFB, 0xFA, 0xFE, 0xFD, 0xFC};
    for (int round = 0; round < 400; ++round) {
        const BodyLayout layout = kBothLayouts[round % 2];
        Bytes body(Describe(layout).bodySize);
        for (std::uint8_t& b : body) {
            // Mostly event codes, so that the walk gets far.
            b = byte(random) < 128 ? eventBytes[static_cast<std::size_t>(byte(random)) % eventBytes.size()]
                                   : static_cast<std::uint8_t>(byte(random));
        }
        MacroOptions options;
        const Rows rows = DecodeRows(body, layout, options);
        const EncodeResult encoded = EncodeRows(rows, options, layout);
        EXPECT_NE(encoded.status, EncodeStatus::BadRow) << round << " row " << encoded.badRow;
        EXPECT_NE(encoded.status, EncodeStatus::BadLoopCount) << round;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const std::optional<int> kind = RowKind(rows[i]);
            ASSERT_TRUE(kind) << rows[i];
            EXPECT_LE(*kind, row_kind::MoveYMinus) << rows[i];
        }
    }
}

// --- Making and showing rows -------------------------------------------------------------

TEST(RowTexts, Builders)
{
    EXPECT_EQ(HeaderRow(DelayMode::RealTime, 50), "10");
    EXPECT_EQ(HeaderRow(DelayMode::DelaySetting, 50), "0150");
    EXPECT_EQ(HeaderRow(DelayMode::NoDelay, 50), "00");
    EXPECT_EQ(DelayRow(0), "0 0");
    EXPECT_EQ(KeyRow(true, "A", event::KeyDown, 0x04), "1 A CODE:8204");
    EXPECT_EQ(KeyRow(false, "Shift", event::ModifierUp, 0x02), "2 Shift CODE:0102");
    EXPECT_EQ(ButtonRow(true, 0x01), "1 LeftKey CODE:00A1");
    EXPECT_EQ(ButtonRow(false, 0x10), "2 Backward CODE:0030");
    EXPECT_EQ(ButtonRow(true, 0x20), "");
    EXPECT_EQ(MoveXRow(-10), "4 FBF6");
    EXPECT_EQ(MoveXRow(0), "3 FB00");
    EXPECT_EQ(MoveYRow(127), "5 FA7F");
    EXPECT_EQ(MoveYRow(-200), "6 FA80");
    EXPECT_EQ(RepeatStartRow(8), "7 FD07");
    EXPECT_EQ(RepeatStartRow(256), "7 FDFF");
    EXPECT_EQ(RowName("1 Left Windows CODE:8108"), "Left Windows");
    EXPECT_EQ(RowName("1 X"), "");
    EXPECT_EQ(RowKind("7 FD07"), 7);
    EXPECT_FALSE(RowKind(""));
}

TEST(RowTexts, Display)
{
    struct Case {
        const char* row;
        const char* shown;
    };
    const Case cases[]{
        {"1 A CODE:8204", "A"},
        {"2 Ctrl+Shift CODE:0103", "Ctrl+Shift"},
        {"1 LeftKey CODE:00A1", "LeftKey"},
        {"0 96", "96 ms"},
        {"0 10200", "10200 ms"},
        {"3 FB00", "X-Axis  0"},
        {"4 FBF6", "X-Axis  -10"},
        {"5 FA0C", "Y-Axis  12"},
        {"6 FA80", "Y-Axis  -128"},
        {"7 FD07", "Rep-Start  8"},
        {"8 00FC", "Rep-Stop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(RowDisplayText(c.row), c.shown);
    }
}

}  // namespace
}  // namespace qeltra3k::macros
