#include "device/VirtualMouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "DeviceFakes.h"
#include "device/AtomicFile.h"
#include "device/FeatureProtocol.h"
#include "resources/Resources.h"

namespace qeltra3k::device {
namespace {

using config::DeviceImage;

DeviceImage Patterned(std::uint8_t seed)
{
    DeviceImage image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 7 + seed) % 253);
    return image;
}

class VirtualMouseTest : public ::testing::Test {
protected:
    void Attach(VirtualMouseOptions options = {})
    {
        mouse = std::make_unique<VirtualMouse>(initial, std::move(options));
        ASSERT_TRUE(protocol.SetDevice(mouse.get()));
    }
    void SetUp() override { Attach(); }

    Report Command(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0)
    {
        EXPECT_TRUE(protocol.SendCommand(code, p1, p2)) << "command " << int(code);
        return protocol.LastReply();
    }

    DeviceImage initial = Patterned(1);
    RecordingWaiting waiting;
    FeatureProtocol protocol{waiting};
    std::unique_ptr<VirtualMouse> mouse;
};

TEST_F(VirtualMouseTest, BlocksRoundTripAndStayInsideMemory)
{
    struct Case {
        std::uint16_t address;
        std::uint16_t length;
    };
    const Case cases[]{{0x000, 2048}, {0x000, 255}, {0x036, 2}, {0x5F3, 1}, {0x300, 32}, {0x320, 224},
                       {0x7FE, 6}, {0x7FC, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "address " << c.address << " length " << c.length);
        Attach();
        std::vector<std::uint8_t> data(c.length);
        std::iota(data.begin(), data.end(), std::uint8_t{0x80});

        ASSERT_TRUE(protocol.WriteBlock(c.address, c.length, data));
        std::vector<std::uint8_t> back(c.length, 0);
        ASSERT_TRUE(protocol.ReadBlock(c.address, c.length, back, false));

        DeviceImage expectedMemory = initial;
        for (std::size_t i = 0; i < c.length; ++i) {
            const std::size_t address = c.address + i;
            // Past the end nothing is kept, and it reads as erased.
            const std::uint8_t expected = address < expectedMemory.size() ? data[i] : 0xFF;
            if (address < expectedMemory.size())
                expectedMemory[address] = data[i];
            ASSERT_EQ(back[i], expected) << "byte " << i;
        }
        EXPECT_EQ(mouse->Memory(), expectedMemory);
    }
}

TEST_F(VirtualMouseTest, StatusRepliesAnswerEachQuery)
{
    VirtualMouseOptions options;
    options.lightingFamily = 0x93;
    Attach(options);
    mouse->SetKeys(0x0102);
    struct Case {
        std::uint8_t p1, p2;
        Report expected;
    };
    const Case cases[]{
        {0x00, 0x00, {4, 0xAA, 0x04, 0x35, 0, 0x02, 0x01, 0xCC}},
        {0x5A, 0xD9, {4, 0xAA, 0x24, 0x93, 0, 0, 0, 0xCC}},
        {0x5A, 0x00, {4, 0xAA, 0x24, 0x35, 0, 0, 0, 0xCC}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "p1 " << int(c.p1) << " p2 " << int(c.p2));
        EXPECT_EQ(Command(StatusCmd, c.p1, c.p2), c.expected);
    }
}

TEST_F(VirtualMouseTest, OpenAnswersTheConfiguredMode)
{
    EXPECT_EQ(Command(OpenCmd)[1], OpenDriverMode);
    VirtualMouseOptions fallback;
    fallback.openReply = OpenFallback;
    fallback.driverModeFlag = false;
    Attach(fallback);
    EXPECT_EQ(Command(OpenCmd)[1], OpenFallback);
    EXPECT_EQ(Command(StatusCmd, DriverQuery, 0x00)[2] & DriverModeFlag, 0);
}

TEST_F(VirtualMouseTest, KeysReachPollKeys)
{
    EXPECT_EQ(protocol.PollKeys(), 0);
    mouse->SetKeys(0x0421);
    EXPECT_EQ(protocol.PollKeys(), 0x0421);
}

TEST_F(VirtualMouseTest, DriverStateAndProductId)
{
    VirtualMouseOptions options;
    options.productId = 0x12AB;
    Attach(options);

    EXPECT_TRUE(protocol.SendCommand(DriverStateCmd, 0x81, 0x29, 0x00, 0x05));
    EXPECT_EQ(mouse->DriverState(), (std::array<std::uint8_t, 4>{0x81, 0x29, 0x00, 0x05}));
    const Report reply = Command(ProductIdCmd);
    EXPECT_EQ(reply[1], 0x12);
    EXPECT_EQ(reply[2], 0xAB);
}

TEST_F(VirtualMouseTest, RefusesUnknownAndOutOfOrderCommands)
{
    EXPECT_FALSE(protocol.SendCommand(0x0A));
    EXPECT_FALSE(protocol.WriteChunk({1, 2, 3, 4, 5, 6}));  // no block open
    protocol.ReadChunk();
    EXPECT_EQ(protocol.LastChunk(), (ChunkBuffer{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    // A chunk past the end of its block writes nothing.
    ASSERT_TRUE(protocol.SendCommand(WriteBlockCmd, 0x10, 0x00, 0x06, 0x00));
    EXPECT_TRUE(protocol.WriteChunk({1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(protocol.WriteChunk({7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(mouse->Memory()[0x16], initial[0x16]);
    EXPECT_EQ(mouse->Memory()[0x15], 6);
}

TEST_F(VirtualMouseTest, NoAnswerFault)
{
    VirtualMouseOptions options;
    options.faults.noAnswer = true;
    Attach(options);
    EXPECT_FALSE(protocol.SendCommand(OpenCmd));
    EXPECT_EQ(protocol.PollKeys(), 0);
}

TEST_F(VirtualMouseTest, LostChunkReadsErasedEveryTimeAndNothingShifts)
{
    VirtualMouseOptions options;
    options.faults.lostChunks = {3};
    Attach(options);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        std::vector<std::uint8_t> back(60);
        ASSERT_TRUE(protocol.ReadBlock(0, 60, back, true));
        for (std::size_t i = 0; i < back.size(); ++i)
            ASSERT_EQ(back[i], i >= 18 && i < 24 ? 0xFF : initial[i]) << "byte " << i;
    }
    EXPECT_EQ(mouse->Memory(), initial);
}

TEST_F(VirtualMouseTest, StuckByteKeepsItsOldValue)
{
    VirtualMouseOptions options;
    options.faults.stuckAddresses = {0x36};
    Attach(options);
    std::vector<std::uint8_t> data(16, 0x00);

    ASSERT_TRUE(protocol.WriteBlock(0x30, 16, data));

    const DeviceImage memory = mouse->Memory();
    for (std::size_t a = 0x30; a < 0x40; ++a)
        EXPECT_EQ(memory[a], a == 0x36 ? initial[0x36] : 0x00) << "address " << a;
}

TEST_F(VirtualMouseTest, NotReadyMemoryRefusesBlocks)
{
    VirtualMouseOptions options;
    options.faults.notReady = true;
    Attach(options);
    std::vector<std::uint8_t> data(8, 0x00);

    EXPECT_EQ(Command(StatusCmd)[2] & MemoryReadyFlag, 0);
    EXPECT_FALSE(protocol.ReadBlock(0, 8, data, false));
    EXPECT_FALSE(protocol.WriteBlock(0, 8, data));
    EXPECT_EQ(mouse->Memory(), initial);
}

TEST_F(VirtualMouseTest, ChipFaultChangesTheChipCodeSource)
{
    VirtualMouseOptions options;
    options.faults.chipSource = 0x75;
    Attach(options);
    EXPECT_EQ(Command(StatusCmd)[3], 0x75);
}

// The host polls a command five times (the key poll ten), so a reply that needs five
// polls fails an ordinary command but not a key poll.
TEST_F(VirtualMouseTest, SlowRepliesCostPollsAndFailPastThePollBudget)
{
    VirtualMouseOptions options;
    options.faults.slowPolls = 3;
    Attach(options);
    EXPECT_TRUE(protocol.SendCommand(OpenCmd));
    EXPECT_EQ(waiting.Pauses(), (std::vector<long long>{10, 10, 10, 10}));

    options.faults.slowPolls = 5;
    Attach(options);
    EXPECT_FALSE(protocol.SendCommand(OpenCmd));
    mouse->SetKeys(0x0001);
    EXPECT_EQ(protocol.PollKeys(), 0x0001);
}

TEST_F(VirtualMouseTest, UnplugFailsEveryCallAfterItsCount)
{
    VirtualMouseOptions options;
    options.faults.unplugAfter = 4;
    Attach(options);
    Report report{ReportId, OpenCmd, 0, 0, 0, 0, 0, 0};

    EXPECT_TRUE(protocol.SendCommand(OpenCmd));    // calls 1 and 2
    EXPECT_TRUE(protocol.SendCommand(StatusCmd));  // calls 3 and 4
    EXPECT_TRUE(mouse->Unplugged());
    EXPECT_FALSE(protocol.SendCommand(CloseCmd));
    EXPECT_FALSE(mouse->SetFeature(report));
    EXPECT_FALSE(mouse->GetFeature(report));
}

class VirtualMouseFileTest : public ::testing::Test {
protected:
    std::vector<std::uint8_t> FileBytes()
    {
        const auto content = ReadWholeFile(path);
        EXPECT_TRUE(content.bytes) << content.error;
        return content.bytes.value_or(std::vector<std::uint8_t>{});
    }

    testing::TempFolder folder;
    std::filesystem::path path = folder / "mouse.bin";
    RecordingWaiting waiting;
    FeatureProtocol protocol{waiting};
};

TEST_F(VirtualMouseFileTest, MissingFileStartsFromTheDefaultImage)
{
    const auto resource = resources::Find(kVirtualMouseDefaultImage);
    ASSERT_TRUE(resource);
    ASSERT_EQ(resource->size(), config::kImageSize);

    const auto opening = VirtualMouse::OpenFile(path);

    ASSERT_TRUE(opening.mouse) << opening.error;
    const std::vector<std::uint8_t> expected(resource->begin(), resource->end());
    EXPECT_EQ(FileBytes(), expected);
    const DeviceImage memory = opening.mouse->Memory();
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), expected.begin()));
}

TEST_F(VirtualMouseFileTest, WritesReachTheFileWhenTheTransactionEnds)
{
    const DeviceImage start = Patterned(9);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, start, error)) << error;
    auto opening = VirtualMouse::OpenFile(path);
    ASSERT_TRUE(opening.mouse) << opening.error;
    EXPECT_EQ(opening.mouse->Memory(), start);  // an existing file is used as it is
    ASSERT_TRUE(protocol.SetDevice(opening.mouse.get()));
    const std::array<std::uint8_t, 3> bytes{0xDE, 0xAD, 0x01};

    for (const std::uint8_t endCommand : {SystemReloadCmd, CloseCmd}) {
        SCOPED_TRACE(int(endCommand));
        ASSERT_TRUE(protocol.SendCommand(OpenCmd));
        ASSERT_TRUE(protocol.WriteBlock(0x100 + endCommand, 3, bytes));
        const auto before = FileBytes();
        EXPECT_NE(before[0x100 + endCommand], 0xDE);  // not yet

        ASSERT_TRUE(protocol.SendCommand(endCommand));

        const auto after = FileBytes();
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), after.begin() + 0x100 + endCommand));
        EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path)));
    }
    const DeviceImage memory = opening.mouse->Memory();
    EXPECT_EQ(FileBytes(), std::vector<std::uint8_t>(memory.begin(), memory.end()));
}

TEST_F(VirtualMouseFileTest, FileOfTheWrongSizeIsRefusedAndKept)
{
    const std::vector<std::uint8_t> shortFile(100, 0x42);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, shortFile, error)) << error;

    const auto opening = VirtualMouse::OpenFile(path);

    EXPECT_FALSE(opening.mouse);
    EXPECT_NE(opening.error.find("100 bytes"), std::string::npos) << opening.error;
    EXPECT_NE(opening.error.find("2048"), std::string::npos) << opening.error;
    EXPECT_EQ(FileBytes(), shortFile);
}

TEST_F(VirtualMouseFileTest, FailedWriteBackIsReportedAndRetried)
{
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, Patterned(3), error)) << error;
    auto opening = VirtualMouse::OpenFile(path);
    ASSERT_TRUE(opening.mouse) << opening.error;
    ASSERT_TRUE(protocol.SetDevice(opening.mouse.get()));
    const std::array<std::uint8_t, 1> byte{0x00};
    ASSERT_TRUE(protocol.WriteBlock(0x010, 1, byte));
    // A folder where the temporary file must go makes the write fail, even for root.
    std::filesystem::create_directory(TemporaryPathFor(path));

    EXPECT_FALSE(protocol.SendCommand(SystemReloadCmd));
    EXPECT_FALSE(opening.mouse->SaveError().empty());
    EXPECT_EQ(FileBytes()[0x010], Patterned(3)[0x010]);

    std::filesystem::remove(TemporaryPathFor(path));
    EXPECT_TRUE(protocol.SendCommand(CloseCmd));
    EXPECT_TRUE(opening.mouse->SaveError().empty());
    EXPECT_EQ(FileBytes()[0x010], 0x00);
}

}  // namespace
}  // namespace qeltra3k::device
