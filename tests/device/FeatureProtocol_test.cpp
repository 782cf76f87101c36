#include "device/FeatureProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <numeric>
#include <thread>

#include "DeviceFakes.h"

namespace qeltra3k::device {
namespace {

using testing::Journal;
using testing::JournalWaiting;
using testing::kNever;
using testing::ScriptedHid;
using Lines = std::vector<std::string>;

Lines Repeat(const Lines& lines, std::size_t times)
{
    Lines all;
    for (std::size_t i = 0; i < times; ++i)
        all.insert(all.end(), lines.begin(), lines.end());
    return all;
}

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A fake mouse memory for block reads: chunk c carries bytes Pattern(6c) .. Pattern(6c + 5).
std::uint8_t Pattern(std::size_t i)
{
    return static_cast<std::uint8_t>(i % 251);
}

std::function<Report(const Report&)> PatternReads()
{
    return [chunk = std::size_t{0}](const Report& request) mutable {
        Report reply = request;
        if (request[1] == ReadChunkCmd) {
            for (std::size_t i = 0; i < ChunkLength; ++i)
                reply[1 + i] = Pattern(chunk * ChunkLength + i);
            ++chunk;
        }
        reply[7] = StatusDone;
        return reply;
    };
}

class FeatureProtocolTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(protocol.SetDevice(&hid)); }

    Lines JournalLines() { return journal.lines; }

    Journal journal;
    JournalWaiting waiting{journal};
    ScriptedHid hid{&journal};
    FeatureProtocol protocol{waiting};
};

TEST_F(FeatureProtocolTest, CommandSendsItsReportAndKeepsTheReply)
{
    hid.respond = [](const Report&) { return Report{4, 0xAA, 0x04, 0x35, 0x11, 0x22, 0x33, 0xCC}; };

    EXPECT_TRUE(protocol.SendCommand(StatusCmd, 1, 2, 3, 4));

    EXPECT_EQ(hid.sent, (std::vector<Report>{{4, StatusCmd, 1, 2, 3, 4, 0, 0}}));
    EXPECT_EQ(JournalLines(), (Lines{"set 03", "pause 10", "get"}));
    EXPECT_EQ(protocol.LastReply(), (Report{4, 0xAA, 0x04, 0x35, 0x11, 0x22, 0x33, 0xCC}));
}

TEST_F(FeatureProtocolTest, PollsUntilTheMouseFinishes)
{
    hid.busyPolls = [](const Report&, std::size_t) { return std::size_t{2}; };

    EXPECT_TRUE(protocol.SendCommand(OpenCmd));

    EXPECT_EQ(JournalLines(), (Lines{"set 01", "pause 10", "get", "pause 10", "get", "pause 10", "get"}));
}

TEST_F(FeatureProtocolTest, AStatusOtherThanDoneEndsTheAttempt)
{
    std::size_t answers = 0;
    hid.respond = [&answers](const Report& request) {
        Report reply = request;
        reply[7] = answers++ == 0 ? 0xEE : StatusDone;
        return reply;
    };

    EXPECT_TRUE(protocol.SendCommand(CloseCmd));

    EXPECT_EQ(JournalLines(), (Lines{"set 02", "pause 10", "get", "set 02", "pause 10", "get"}));
}

// Every command kind, never answered: its attempts, polls and pauses, and its failure value.
TEST_F(FeatureProtocolTest, CommandsNeverDoneGiveUpAfterTheirAttempts)
{
    struct Case {
        const char* name;
        std::function<bool(FeatureProtocol&)> runFails;
        Lines expected;
    };
    const std::vector<Case> cases{
        {"SendCommand", [](FeatureProtocol& p) { return !p.SendCommand(StatusCmd); },
         Repeat(Concat({{"set 03", "pause 10"}, Repeat({"get", "pause 10"}, 5)}), 5)},
        {"ReadChunk",
         [](FeatureProtocol& p) {
             p.ReadChunk();
             return p.LastChunk() == ChunkBuffer{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
         },
         Repeat(Concat({{"set 05", "pause 5"}, Repeat({"get", "pause 5"}, 5)}), 5)},
        {"WriteChunk", [](FeatureProtocol& p) { return !p.WriteChunk({1, 2, 3, 4, 5, 6}); },
         Repeat(Concat({{"set 07", "pause 10"}, Repeat({"get", "pause 5"}, 5)}), 5)},
        {"PollKeys", [](FeatureProtocol& p) { return p.PollKeys() == 0; },
         Repeat(Concat({{"pause 5", "set 03"}, Repeat({"pause 5", "get"}, 10)}), 10)},
    };
    hid.busyPolls = [](const Report&, std::size_t) { return kNever; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        journal.lines.clear();
        EXPECT_TRUE(c.runFails(protocol));
        EXPECT_EQ(JournalLines(), c.expected);
    }
}

TEST_F(FeatureProtocolTest, NeverDoneCommandCostsThreeHundredMilliseconds)
{
    hid.busyPolls = [](const Report&, std::size_t) { return kNever; };
    EXPECT_FALSE(protocol.SendCommand(OpenCmd));
    EXPECT_EQ(hid.sent.size(), 5u);
    EXPECT_EQ(hid.gets, 25u);
    EXPECT_EQ(waiting.TotalPause(), std::chrono::milliseconds{300});
}

TEST(FeatureProtocolNoDevice, EveryOperationFailsWithoutACall)
{
    Journal journal;
    JournalWaiting waiting{journal};
    FeatureProtocol protocol{waiting};
    std::array<std::uint8_t, 16> buffer{};
    const std::array<std::uint8_t, 16> source{};

    EXPECT_FALSE(protocol.HasDevice());
    EXPECT_FALSE(protocol.SendCommand(OpenCmd));
    EXPECT_FALSE(protocol.WriteChunk({}));
    EXPECT_EQ(protocol.PollKeys(), 0);
    protocol.ReadChunk();
    EXPECT_EQ(protocol.LastChunk(), (ChunkBuffer{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(protocol.ReadBlock(0, 8, buffer, true));
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](auto b) { return b == 0xFF; }));
    EXPECT_FALSE(protocol.WriteBlock(0, 8, source));
    EXPECT_TRUE(journal.lines.empty());  // no pause, no call
}

// A report the system refused never reached the mouse: the answer still waiting in the
// device (done, from the previous command) must not be taken for this command's.
TEST_F(FeatureProtocolTest, FailedSendEndsTheAttemptWithoutPolling)
{
    ASSERT_TRUE(protocol.SendCommand(OpenCmd));
    journal.lines.clear();
    hid.failSet = true;

    EXPECT_FALSE(protocol.SendCommand(StatusCmd));
    EXPECT_EQ(JournalLines(), Repeat({"set 03 failed", "pause 10"}, 5));
}

// A failed poll leaves the request in the buffer; a write chunk whose last data byte is
// 0xCC would then look done.
TEST_F(FeatureProtocolTest, FailedPollIsNeverTakenForDone)
{
    hid.failGet = true;
    EXPECT_FALSE(protocol.WriteChunk({1, 2, 3, 4, 5, StatusDone}));
    EXPECT_EQ(hid.sent.size(), 5u);
    EXPECT_EQ(hid.gets, 25u);
}

TEST_F(FeatureProtocolTest, ReadOfSettingsStretchLeavesRestOfImageErased)
{
    hid.respond = PatternReads();
    std::vector<std::uint8_t> image(2048, 0x00);

    EXPECT_TRUE(protocol.ReadBlock(0x000, 255, image, true));

    ASSERT_EQ(hid.sent.size(), 1u + 43u);
    EXPECT_EQ(hid.sent[0], (Report{4, ReadBlockCmd, 0x00, 0x00, 0xFF, 0x00, 0, 0}));
    EXPECT_TRUE(std::all_of(hid.sent.begin() + 1, hid.sent.end(),
                            [](const Report& r) { return r == Report{4, ReadChunkCmd, 0, 0, 0, 0, 0, 0}; }));
    for (std::size_t i = 0; i < 255; ++i)
        ASSERT_EQ(image[i], Pattern(i)) << "byte " << i;
    EXPECT_TRUE(std::all_of(image.begin() + 255, image.end(), [](auto b) { return b == 0xFF; }));
    EXPECT_EQ(waiting.Count(RecordingWaiting::Kind::LoadingWindow), 43u);
}

TEST_F(FeatureProtocolTest, TwoByteReadTakesOnlyTheFirstTwoReplyBytes)
{
    hid.respond = [](const Report& request) {
        Report reply = request[1] == ReadChunkCmd ? Report{4, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0} : request;
        reply[7] = StatusDone;
        return reply;
    };
    std::array<std::uint8_t, 4> ids{0, 0, 0, 0};

    EXPECT_TRUE(protocol.ReadBlock(0x036, 2, ids, false));

    EXPECT_EQ(hid.sent, (std::vector<Report>{{4, ReadBlockCmd, 0x36, 0x00, 0x02, 0x00, 0, 0},
                                             {4, ReadChunkCmd, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(ids, (std::array<std::uint8_t, 4>{0x12, 0x34, 0xFF, 0xFF}));
    EXPECT_EQ(waiting.Count(RecordingWaiting::Kind::LoadingWindow), 0u);
}

TEST_F(FeatureProtocolTest, WholeImageWriteSendsLastChunkWithLeftovers)
{
    std::vector<std::uint8_t> image(2048);
    std::iota(image.begin(), image.end(), std::uint8_t{0});
    std::reverse(image.begin(), image.end());  // so no chunk equals its neighbour

    EXPECT_TRUE(protocol.WriteBlock(0x000, 2048, image));

    ASSERT_EQ(hid.sent.size(), 1u + 342u);
    EXPECT_EQ(hid.sent[0], (Report{4, WriteBlockCmd, 0x00, 0x00, 0x00, 0x08, 0, 0}));
    for (std::size_t k = 0; k < 341; ++k) {
        const Report& chunk = hid.sent[1 + k];
        ASSERT_EQ(chunk[1], WriteChunkCmd);
        ASSERT_TRUE(std::equal(chunk.begin() + 2, chunk.end(), image.begin() + 6 * k)) << "chunk " << k;
    }
    // Two new bytes, then the four that chunk 340 left in the chunk buffer.
    EXPECT_EQ(hid.sent.back(), (Report{4, WriteChunkCmd, image[2046], image[2047], image[2042], image[2043],
                                       image[2044], image[2045]}));
    EXPECT_EQ(waiting.Count(RecordingWaiting::Kind::LoadingWindow), 342u);
}

TEST_F(FeatureProtocolTest, ShortWriteFillsItsChunkWithErasedBytes)
{
    hid.respond = PatternReads();
    std::array<std::uint8_t, 12> buffer{};
    ASSERT_TRUE(protocol.ReadBlock(0, 12, buffer, false));  // leaves data in the chunk buffer
    hid.sent.clear();

    const std::array<std::uint8_t, 3> bytes{0x01, 0x02, 0x03};
    EXPECT_TRUE(protocol.WriteBlock(0x123, 3, bytes));

    EXPECT_EQ(hid.sent, (std::vector<Report>{{4, WriteBlockCmd, 0x23, 0x01, 0x03, 0x00, 0, 0},
                                             {4, WriteChunkCmd, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF}}));
}

TEST_F(FeatureProtocolTest, EmptyBlockSendsOnlyItsBlockCommand)
{
    std::array<std::uint8_t, 4> buffer{1, 2, 3, 4};
    EXPECT_TRUE(protocol.ReadBlock(0x10, 0, buffer, true));
    EXPECT_TRUE(protocol.WriteBlock(0x10, 0, buffer));

    EXPECT_EQ(hid.sent, (std::vector<Report>{{4, ReadBlockCmd, 0x10, 0, 0, 0, 0, 0},
                                             {4, WriteBlockCmd, 0x10, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(FeatureProtocolTest, ChunkNeverDoneReadsErasedAndBlockSucceeds)
{
    hid.respond = PatternReads();
    // Request 0 is the block command, 1 chunk 0, 2 .. 6 the five attempts at chunk 1.
    hid.busyPolls = [](const Report&, std::size_t index) { return index >= 2 && index <= 6 ? kNever : 0; };
    std::array<std::uint8_t, 18> buffer{};

    EXPECT_TRUE(protocol.ReadBlock(0, 18, buffer, false));

    EXPECT_EQ(hid.sent.size(), 1u + 1u + 5u + 1u);
    // The chunk after the lost one is the pattern's second chunk: the fake counts answers.
    const std::array<std::uint8_t, 18> expected{Pattern(0), Pattern(1), Pattern(2), Pattern(3), Pattern(4),
                                                Pattern(5), 0xFF,       0xFF,       0xFF,       0xFF,
                                                0xFF,       0xFF,       Pattern(6), Pattern(7), Pattern(8),
                                                Pattern(9), Pattern(10), Pattern(11)};
    EXPECT_EQ(buffer, expected);
}

TEST_F(FeatureProtocolTest, BlockCommandNotDoneFailsWithoutChunks)
{
    hid.busyPolls = [](const Report&, std::size_t) { return kNever; };
    std::array<std::uint8_t, 12> buffer{};

    EXPECT_FALSE(protocol.ReadBlock(0, 12, buffer, true));
    EXPECT_FALSE(protocol.WriteBlock(0, 12, buffer));

    EXPECT_EQ(hid.sent.size(), 10u);
    EXPECT_TRUE(std::all_of(hid.sent.begin(), hid.sent.begin() + 5, [](auto& r) { return r[1] == ReadBlockCmd; }));
    EXPECT_TRUE(std::all_of(hid.sent.begin() + 5, hid.sent.end(), [](auto& r) { return r[1] == WriteBlockCmd; }));
}

TEST_F(FeatureProtocolTest, BlockLongerThanItsBufferIsRefusedUnsent)
{
    std::array<std::uint8_t, 8> small{};
    EXPECT_FALSE(protocol.ReadBlock(0, 9, small, false));
    EXPECT_EQ(small, (std::array<std::uint8_t, 8>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(protocol.WriteBlock(0, 9, small));
    EXPECT_TRUE(hid.sent.empty());
}

TEST_F(FeatureProtocolTest, PollKeysReturnsTheKeyBitsAndLeavesTheLastReply)
{
    hid.respond = [](const Report& request) {
        Report reply = request;
        if (request[1] == StatusCmd) {
            reply[5] = 0x21;
            reply[6] = 0x04;
        }
        reply[7] = StatusDone;
        return reply;
    };
    ASSERT_TRUE(protocol.SendCommand(OpenCmd));
    const Report openReply = protocol.LastReply();
    journal.lines.clear();

    EXPECT_EQ(protocol.PollKeys(), 0x0421);
    EXPECT_EQ(JournalLines(), (Lines{"pause 5", "set 03", "pause 5", "get"}));
    EXPECT_EQ(protocol.LastReply(), openReply);

    hid.respond = [](const Report& request) {
        Report reply = request;
        reply[7] = StatusDone;
        return reply;
    };
    EXPECT_EQ(protocol.PollKeys(), 0);  // no key pressed
}

// The key test polls from its own thread while the UI thread moves a block: every poll
// must belong to the command last sent, and the block must arrive whole and in order.
TEST_F(FeatureProtocolTest, PollsFromAnotherThreadNeverSplitACommand)
{
    hid.yield = true;
    std::vector<std::uint8_t> block(255);
    std::iota(block.begin(), block.end(), std::uint8_t{1});
    std::atomic<bool> stop{false};
    std::thread poller([&] {
        while (!stop.load())
            protocol.PollKeys();
    });

    const bool written = protocol.WriteBlock(0, 255, block);
    stop.store(true);
    poller.join();

    EXPECT_TRUE(written);
    EXPECT_FALSE(hid.interleaved);
    std::vector<std::uint8_t> received;
    for (const Report& report : hid.sent)
        if (report[1] == WriteChunkCmd)
            received.insert(received.end(), report.begin() + 2, report.end());
    received.resize(255);
    EXPECT_EQ(received, block);
}

// The editor processes window messages inside pauses; a command started from there would
// take over the shared report half-way, or wait forever on its own lock.
TEST_F(FeatureProtocolTest, CommandStartedFromInsideAPauseIsRefused)
{
    struct ReenteringWaiting : RecordingWaiting {
        FeatureProtocol* protocol = nullptr;
        int nestedResults = 0;
        void Pause(std::chrono::milliseconds duration) override
        {
            RecordingWaiting::Pause(duration);
            if (protocol && nestedResults == 0)
                nestedResults = protocol->SendCommand(CloseCmd) ? 1 : -1;
        }
    } reentering;
    FeatureProtocol nested{reentering};
    ASSERT_TRUE(nested.SetDevice(&hid));
    reentering.protocol = &nested;

    EXPECT_TRUE(nested.SendCommand(OpenCmd));
    EXPECT_EQ(reentering.nestedResults, -1);
    EXPECT_EQ(hid.sent.size(), 1u);  // only the outer command reached the device
    reentering.protocol = nullptr;
    EXPECT_TRUE(nested.SendCommand(CloseCmd));  // the lock was released
}

}  // namespace
}  // namespace qeltra3k::device
