#include "fire/FireMacroRecord.h"

#include <gtest/gtest.h>

#include "FireTestSupport.h"

namespace qeltra3k::fire {
namespace {

using testing::Record;

constexpr std::string_view kPcGameRecord1 = "01 0C FD FF A1 21 FB 00 FA 04 FE 01 FC";

TEST(FireMacroRecordChecksum, CoversLengthAndEventsButNotTheStopFlag)
{
    struct Case {
        std::string_view record;
        std::uint8_t checksum;
    };
    const Case cases[] = {
        {"01 0C FD FF A1 21 FB 00 FA 04 FE 01 FC", 0xE4},
        {"01 0C FD FF A1 21 FB 00 FA 05 FE 01 FC", 0xE5},
        {"00 0C FD FF A1 21 FB 00 FA 04 FE 01 FC", 0xE4},  // flag 0: same sum
        {"01 0C FD FF A1 21 FB 00 FA 03 FE 01 FC", 0xE7},
        {"01 0C FD FF A1 21 FB 00 FA 0C FE 01 FC", 0x9C},
        {"01 0E A1 FE 03 FD FF FB 00 FA 09 FE 04 FC 21", 0x93},
        {"01 0E A1 FE 03 FD FF FB 00 FA 05 FE 03 FC 21", 0x9E},
        {"01 0E A1 FE 03 FD FF FB 00 FA 1E FE 04 FC 21", 0x84},
        {"01 01", 0x5B},  // no events: the length byte alone
    };
    for (const Case& c : cases) {
        FireMacroRecord record = Record(c.record);
        EXPECT_EQ(FireMacroRecordChecksum(record), c.checksum) << c.record;
        ASSERT_TRUE(WriteFireMacroRecordChecksum(record)) << c.record;
        EXPECT_EQ(record[record[1] + 1], c.checksum) << c.record;
    }
}

TEST(FireMacroRecordChecksum, EmptyAndOverlongRecordsHaveNoneAndStayUntouched)
{
    // Writing a checksum into an empty record would land on its length byte; one past
    // length 22 would land outside the record.
    for (std::string_view hex : {"00 00", "01 00", "01 17 A1", "01 FF FF"}) {
        FireMacroRecord record = Record(hex);
        const FireMacroRecord before = record;
        EXPECT_FALSE(FireMacroRecordChecksum(record)) << hex;
        EXPECT_FALSE(WriteFireMacroRecordChecksum(record)) << hex;
        EXPECT_EQ(record, before) << hex;
    }
    FireMacroRecord longest = Record("01 16");
    EXPECT_TRUE(WriteFireMacroRecordChecksum(longest));
    EXPECT_EQ(longest[23], static_cast<std::uint8_t>(0x16 ^ 0x5A));
}

struct DecodeCase {
    std::string_view name;
    std::string_view record;
    std::optional<FireMacroFields> expected;
};

FireMacroFields Fields(bool stop, int count, int x, int y, int timeMs, OperandPositions positions)
{
    return {stop, count, x, y, timeMs, positions};
}

TEST(DecodeFireMacroRecord, ReadsParametersAndTheirOperandPositions)
{
    const DecodeCase cases[] = {
        {"pc game preset", kPcGameRecord1, Fields(true, 256, 0, 4, 8, {3, 7, 9, 11})},
        // The lead-in delay before the first vertical move is not the time per shot.
        {"mobile game preset", "01 0E A1 FE 03 FD FF FB 00 FA 09 FE 04 FC 21 93",
         Fields(true, 256, 0, 9, 32, {6, 8, 10, 12})},
        {"plays to the end, count 1, X -1", "00 0C FD 00 A1 21 FB FF FA 7F FE FF FC",
         Fields(false, 1, -1, 127, 2040, {3, 7, 9, 11})},
        {"negative Y", "01 05 FA 80 FE 02", Fields(true, 0, 0, -128, 16, {std::nullopt, std::nullopt, 3, 5})},
        {"later events win", "01 09 FA 01 FE 01 FA 02 FE 03", Fields(true, 0, 0, 2, 24, {std::nullopt, std::nullopt, 7, 9})},
        {"delay without a move before it", "01 03 FE 05", Fields(true, 0, 0, 0, 0, {})},
        {"only the first delay after a move", "01 07 FA 01 FE 02 FE 09", Fields(true, 0, 0, 1, 16, {std::nullopt, std::nullopt, 3, 5})},
        {"empty record", "00 00", Fields(false, 0, 0, 0, 0, {})},
        {"erased record", "FF FF FF", std::nullopt},
        {"stop flag 2", "02 0C FD FF A1 21 FB 00 FA 04 FE 01 FC", std::nullopt},
    };
    for (const DecodeCase& c : cases) {
        const auto decoded = DecodeFireMacroRecord(Record(c.record));
        ASSERT_EQ(decoded.has_value(), c.expected.has_value()) << c.name;
        if (!decoded)
            continue;
        EXPECT_EQ(decoded->stopOnRelease, c.expected->stopOnRelease) << c.name;
        EXPECT_EQ(decoded->count, c.expected->count) << c.name;
        EXPECT_EQ(decoded->x, c.expected->x) << c.name;
        EXPECT_EQ(decoded->y, c.expected->y) << c.name;
        EXPECT_EQ(decoded->timeMs, c.expected->timeMs) << c.name;
        EXPECT_EQ(decoded->positions, c.expected->positions) << c.name;
    }
}

// The open points: a byte that is no fire macro event, an event cut off by the checksum, and a
// length byte reaching past the record. Decoding finishes, and nothing it cannot place safely
// becomes editable.
TEST(DecodeFireMacroRecord, StopsSafelyOnRecordsItCannotRead)
{
    const DecodeCase cases[] = {
        // 0x82 (a keyboard event) ends the scan: its operand 0xFA must not be read as a move.
        {"unknown event", "01 07 FB 02 82 FA 05 FE", Fields(true, 0, 2, 0, 0, {std::nullopt, 3, std::nullopt, std::nullopt})},
        {"unknown first byte", "01 05 00 FA 05 FE", Fields(true, 0, 0, 0, 0, {})},
        // The last event's operand would be the checksum byte.
        {"operand cut off", "01 04 FB 04 FA 07", Fields(true, 0, 4, 0, 0, {std::nullopt, 3, std::nullopt, std::nullopt})},
        {"length past the record", "01 17 FD FF FB 00 FA 04 FE 01", Fields(true, 0, 0, 0, 0, {})},
        {"length 0xFF", "00 FF FA 04", Fields(false, 0, 0, 0, 0, {})},
    };
    for (const DecodeCase& c : cases) {
        const auto decoded = DecodeFireMacroRecord(Record(c.record));
        ASSERT_TRUE(decoded) << c.name;
        EXPECT_EQ(decoded->count, c.expected->count) << c.name;
        EXPECT_EQ(decoded->x, c.expected->x) << c.name;
        EXPECT_EQ(decoded->y, c.expected->y) << c.name;
        EXPECT_EQ(decoded->timeMs, c.expected->timeMs) << c.name;
        EXPECT_EQ(decoded->positions, c.expected->positions) << c.name;
    }
    // A scan over every possible length and filler byte always ends and never reports a
    // position outside the events.
    for (int length = 0; length < 256; ++length) {
        for (int filler : {0x00, 0xA1, 0xFA, 0xFC, 0xFD, 0xFE, 0xFF}) {
            FireMacroRecord record;
            record.fill(static_cast<std::uint8_t>(filler));
            record[0] = 1;
            record[1] = static_cast<std::uint8_t>(length);
            const auto decoded = DecodeFireMacroRecord(record);
            ASSERT_TRUE(decoded);
            for (FireParameter p : {FireParameter::Count, FireParameter::X, FireParameter::Y, FireParameter::Time}) {
                if (const auto position = decoded->positions.At(p)) {
                    EXPECT_GE(*position, 3u);
                    EXPECT_LE(*position, static_cast<std::size_t>(std::min(length, 22)));
                }
            }
        }
    }
}

TEST(FireParameterByte, StoresEachParameterAsItsOperand)
{
    struct Case {
        FireParameter parameter;
        int value;
        std::optional<std::uint8_t> byte;
        int readBack;
    };
    const Case cases[] = {
        {FireParameter::Count, 256, 0xFF, 256},  // endless repetition
        {FireParameter::Count, 1, 0x00, 1},
        {FireParameter::Count, 3, 0x02, 3},
        {FireParameter::Count, 0, std::nullopt, 0},
        {FireParameter::Count, 257, std::nullopt, 0},
        {FireParameter::X, -1, 0xFF, -1},
        {FireParameter::X, -128, 0x80, -128},
        {FireParameter::X, 127, 0x7F, 127},
        {FireParameter::X, 128, std::nullopt, 0},
        {FireParameter::Y, 12, 0x0C, 12},
        {FireParameter::Y, -129, std::nullopt, 0},
        {FireParameter::Time, 2040, 0xFF, 2040},
        {FireParameter::Time, 7, 0x00, 0},  // truncated to whole 8 ms steps
        {FireParameter::Time, 15, 0x01, 8},
        {FireParameter::Time, 2041, std::nullopt, 0},
        {FireParameter::Time, -8, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        const auto byte = FireParameterByte(c.parameter, c.value);
        EXPECT_EQ(byte, c.byte) << int(c.parameter) << " " << c.value;
        if (byte) {
            EXPECT_EQ(FireParameterValue(c.parameter, *byte), c.readBack) << int(c.parameter) << " " << c.value;
        }
    }
}

TEST(WriteFireParameter, ChangesOnlyTheOperandAndTheChecksum)
{
    FireMacroRecord record = Record(kPcGameRecord1);
    ASSERT_TRUE(WriteFireMacroRecordChecksum(record));
    const auto positions = DecodeFireMacroRecord(record)->positions;

    ASSERT_TRUE(WriteFireParameter(record, FireParameter::Y, positions.y, 5));
    EXPECT_EQ(record, Record("01 0C FD FF A1 21 FB 00 FA 05 FE 01 FC E5"));
    ASSERT_TRUE(WriteFireParameter(record, FireParameter::Count, positions.count, 1));
    ASSERT_TRUE(WriteFireParameter(record, FireParameter::X, positions.x, -1));
    ASSERT_TRUE(WriteFireParameter(record, FireParameter::Time, positions.time, 2040));
    FireMacroRecord expected = Record("01 0C FD 00 A1 21 FB FF FA 05 FE FF FC");
    ASSERT_TRUE(WriteFireMacroRecordChecksum(expected));
    EXPECT_EQ(record, expected);
}

TEST(WriteFireParameter, RefusesWhatWouldDamageTheRecord)
{
    const FireMacroRecord original = [] {
        FireMacroRecord r = Record(kPcGameRecord1);
        WriteFireMacroRecordChecksum(r);
        return r;
    }();
    struct Case {
        std::string_view name;
        FireMacroRecord record;
        FireParameter parameter;
        std::optional<std::size_t> position;
        int value;
    };
    const Case cases[] = {
        {"no position (event missing)", original, FireParameter::Count, std::nullopt, 5},
        {"value out of range", original, FireParameter::Y, 9, 200},
        {"position of another event's operand", original, FireParameter::Y, 7, 5},
        {"position on an event code", original, FireParameter::X, 6, 5},
        {"position on the checksum", original, FireParameter::X, 13, 5},
        {"position on the stop flag", original, FireParameter::X, 0, 5},
        {"empty record", Record("00 00"), FireParameter::Y, 3, 5},
        {"overlong record", Record("01 17 FA 04"), FireParameter::Y, 3, 5},
    };
    for (const Case& c : cases) {
        FireMacroRecord record = c.record;
        EXPECT_FALSE(WriteFireParameter(record, c.parameter, c.position, c.value)) << c.name;
        EXPECT_EQ(record, c.record) << c.name;
    }
}

}  // namespace
}  // namespace qeltra3k::fire
