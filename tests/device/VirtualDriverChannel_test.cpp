#include "device/VirtualDriverChannel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <vector>

#include "DeviceFakes.h"
#include "config/ConfigImage.h"
#include "device/AtomicFile.h"
#include "device/FeatureProtocol.h"
#include "device/VirtualMouse.h"

namespace qeltra3k::device {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::TempFolder;

Bytes Patterned(std::size_t size, std::uint8_t seed)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 13 + seed) % 251);
    return bytes;
}

Bytes FileBytes(const std::filesystem::path& path)
{
    const FileContent content = ReadWholeFile(path);
    return content.bytes.value_or(Bytes{});
}

// Records what reaches the implementation, to show what the channel keeps from it.
class RecordingChannel : public DriverChannel {
public:
    bool open = true;
    std::vector<std::pair<std::uint32_t, std::size_t>> writes;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> reads;

    bool Open(std::uint16_t) override { return open = true; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }

protected:
    bool WriteAt(std::uint32_t offset, std::span<const std::uint8_t> bytes) override
    {
        writes.emplace_back(offset, bytes.size());
        return true;
    }
    std::optional<Bytes> ReadAt(std::uint32_t offset, std::uint32_t length) override
    {
        reads.emplace_back(offset, length);
        return Bytes(length, 0x00);
    }
};

TEST(DriverChannelTest, NothingPastTheImageNorOnAClosedChannelReachesTheDriver)
{
    RecordingChannel channel;
    const Bytes four(4, 0x11);
    EXPECT_TRUE(channel.Write(40956, four));
    EXPECT_FALSE(channel.Write(40957, four));
    EXPECT_FALSE(channel.Write(0xFFFFFFFE, four));
    EXPECT_FALSE(channel.Write(config::DriverWrite{std::size_t{1} << 40, four}));
    EXPECT_TRUE(channel.Read(40959, 1));
    EXPECT_FALSE(channel.Read(40960, 1));
    EXPECT_FALSE(channel.Read(0, 40961));
    EXPECT_TRUE(channel.ReadImage());

    channel.Close();
    EXPECT_FALSE(channel.Write(0, four));
    EXPECT_FALSE(channel.Read(0, 4));

    using Write = std::pair<std::uint32_t, std::size_t>;
    using Read = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(channel.writes, (std::vector<Write>{{40956, 4}}));
    EXPECT_EQ(channel.reads, (std::vector<Read>{{40959, 1}, {0, 40960}}));
}

class VirtualDriverTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(VirtualDriverTest, ReadReturnsWhatTheSectionWritesPut)
{
    VirtualDriverChannel driver;
    ASSERT_TRUE(driver.Open(0x0001));

    config::DataBuf dataBuf{};
    std::iota(dataBuf.begin(), dataBuf.end(), std::uint8_t{1});
    config::DriverSectionCopies copies{};
    copies.parameterB = {1, 254, 2, 253, 0x80, 0x7F, 0xFF, 0xFF};
    copies.profile.fill(0x42);
    const config::DriverWrite writes[] = {
        config::DriverParameterBWrite(copies),
        config::DriverParameterAWrite(dataBuf),
        config::DriverFireKeyWrite(dataBuf),
        config::DriverProfileWrite(copies),
        {256, Patterned(2 * 2048, 7)},
    };
    for (const auto& write : writes)
        ASSERT_TRUE(driver.Write(write)) << "at " << write.offset;

    for (const auto& write : writes)
        EXPECT_EQ(driver.Read(static_cast<std::uint32_t>(write.offset), static_cast<std::uint32_t>(write.bytes.size())),
                  write.bytes)
            << "at " << write.offset;

    // Whatever was not written is still zero, and the whole image agrees with the reads.
    Bytes expected(kDriverImageSize, 0x00);
    for (const auto& write : writes)
        ASSERT_TRUE(config::ApplyDriverWrite(write, expected));
    EXPECT_EQ(driver.ReadImage(), expected);
    EXPECT_EQ(driver.Read(160, 4), Bytes(4, 0x00));
}

TEST_F(VirtualDriverTest, RefusedWritesChangeNothing)
{
    VirtualDriverChannel driver;
    ASSERT_TRUE(driver.Open(0x0001));
    const Bytes tail(4, 0xAB);
    EXPECT_TRUE(driver.Write(40956, tail));
    EXPECT_FALSE(driver.Write(40957, tail));
    EXPECT_FALSE(driver.Write(256, Bytes(20 * 2048, 0xCD)));  // twenty records do not fit
    EXPECT_EQ(driver.Read(40952, 8), (Bytes{0, 0, 0, 0, 0xAB, 0xAB, 0xAB, 0xAB}));
    EXPECT_EQ(driver.Read(256, 1), Bytes{0x00});
    EXPECT_EQ(driver.Read(40960, 0), Bytes{});
}

TEST_F(VirtualDriverTest, OpensOnlyForItsOwnProductIdWhilePresent)
{
    VirtualDriverChannel driver({.present = true, .productId = 0x12AB});
    EXPECT_EQ(ProductIdInPath(VirtualDriverDevicePath(0x12AB)), 0x12AB);

    EXPECT_FALSE(driver.IsOpen());
    EXPECT_FALSE(driver.Read(0, 1));
    EXPECT_FALSE(driver.Write(0, Bytes{1}));

    EXPECT_FALSE(driver.Open(0x12AC));
    EXPECT_TRUE(driver.Open(0x12AB));
    EXPECT_TRUE(driver.IsOpen());
    // A failed opening does not leave the earlier one behind.
    EXPECT_FALSE(driver.Open(0x0001));
    EXPECT_FALSE(driver.IsOpen());

    driver.SetPresent(false);
    EXPECT_FALSE(driver.Open(0x12AB));
    driver.SetPresent(true);
    driver.SetProductId(0x0002);
    EXPECT_TRUE(driver.Open(0x0002));
}

TEST_F(VirtualDriverTest, TakenAwayWhileOpenEveryCallFails)
{
    VirtualDriverChannel driver;
    ASSERT_TRUE(driver.Open(0x0001));
    ASSERT_TRUE(driver.Write(0, Bytes{7}));
    driver.SetPresent(false);
    EXPECT_FALSE(driver.Write(0, Bytes{8}));
    EXPECT_FALSE(driver.Read(0, 1));
    EXPECT_FALSE(driver.ReadImage());
    driver.SetPresent(true);
    EXPECT_EQ(driver.Read(0, 1), Bytes{7});
}

TEST_F(VirtualDriverTest, OpeningThroughTheMouseUsesItsProductId)
{
    RecordingWaiting waiting;
    FeatureProtocol protocol(waiting);
    VirtualMouseOptions mouseOptions;
    mouseOptions.productId = 0xBEEF;
    VirtualMouse mouse(config::DeviceImage{}, mouseOptions);
    ASSERT_TRUE(protocol.SetDevice(&mouse));

    VirtualDriverChannel other({.present = true, .productId = 0xBEEE});
    EXPECT_FALSE(OpenDriverChannel(protocol, other));
    VirtualDriverChannel absent({.present = false, .productId = 0xBEEF});
    EXPECT_FALSE(OpenDriverChannel(protocol, absent));
    VirtualDriverChannel driver({.present = true, .productId = 0xBEEF});
    EXPECT_TRUE(OpenDriverChannel(protocol, driver));
    EXPECT_TRUE(driver.IsOpen());

    // A refused ProductIdCmd names no product id: the channel ends up closed, even though
    // the id left in the reply would have matched.
    testing::ScriptedHid refusing;
    refusing.respond = [](const Report& request) {
        Report reply = request;
        reply[1] = 0xBE;
        reply[2] = 0xEF;
        reply[7] = StatusRefused;
        return reply;
    };
    ASSERT_TRUE(protocol.SetDevice(&refusing));
    EXPECT_FALSE(OpenDriverChannel(protocol, driver));
    EXPECT_EQ(ProductIdFromReply(protocol.LastReply()), 0xBEEF);
    EXPECT_FALSE(driver.IsOpen());
}

TEST_F(VirtualDriverTest, MissingFileIsMadeZeroedOrFromTheGivenImage)
{
    const auto zeroedPath = folder / "zeroed-driver.bin";
    auto zeroed = VirtualDriverChannel::OpenFile(zeroedPath);
    ASSERT_TRUE(zeroed.channel) << zeroed.error;
    EXPECT_EQ(FileBytes(zeroedPath), Bytes(kDriverImageSize, 0x00));

    const Bytes initial = Patterned(kDriverImageSize, 3);
    const auto givenPath = folder / "given-driver.bin";
    auto given = VirtualDriverChannel::OpenFile(givenPath, initial);
    ASSERT_TRUE(given.channel) << given.error;
    EXPECT_EQ(FileBytes(givenPath), initial);
    ASSERT_TRUE(given.channel->Open(0x0001));
    EXPECT_EQ(given.channel->ReadImage(), initial);

    // An existing file wins over the given image.
    auto again = VirtualDriverChannel::OpenFile(zeroedPath, initial);
    ASSERT_TRUE(again.channel) << again.error;
    EXPECT_EQ(again.channel->Image(), Bytes(kDriverImageSize, 0x00));
}

TEST_F(VirtualDriverTest, WritesSurviveAReopening)
{
    const auto path = VirtualDriverFileBeside(folder / "mouse.bin");
    EXPECT_EQ(path, folder / "mouse-driver.bin");
    {
        auto opening = VirtualDriverChannel::OpenFile(path);
        ASSERT_TRUE(opening.channel) << opening.error;
        ASSERT_TRUE(opening.channel->Open(0x0001));
        ASSERT_TRUE(opening.channel->Write(64, Bytes(55, 0x42)));
        ASSERT_TRUE(opening.channel->Write(256, Patterned(2048, 9)));
        EXPECT_EQ(FileBytes(path), opening.channel->Image());
        EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path)));
    }
    auto reopened = VirtualDriverChannel::OpenFile(path);
    ASSERT_TRUE(reopened.channel) << reopened.error;
    ASSERT_TRUE(reopened.channel->Open(0x0001));
    EXPECT_EQ(reopened.channel->Read(64, 55), Bytes(55, 0x42));
    EXPECT_EQ(reopened.channel->Read(256, 2048), Patterned(2048, 9));
    EXPECT_EQ(reopened.channel->Read(0, 64), Bytes(64, 0x00));
}

TEST_F(VirtualDriverTest, WriteThatCannotBeSavedIsRefusedAndNotKept)
{
    const auto path = folder / "driver.bin";
    auto opening = VirtualDriverChannel::OpenFile(path);
    ASSERT_TRUE(opening.channel) << opening.error;
    VirtualDriverChannel& driver = *opening.channel;
    ASSERT_TRUE(driver.Open(0x0001));

    // A folder where the file was: the image can no longer be replaced.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(driver.Write(0, Bytes{0x99}));
    EXPECT_FALSE(driver.SaveError().empty());
    EXPECT_EQ(driver.Read(0, 1), Bytes{0x00});

    std::filesystem::remove(path);
    EXPECT_TRUE(driver.Write(0, Bytes{0x99}));
    EXPECT_TRUE(driver.SaveError().empty());
    EXPECT_EQ(FileBytes(path).at(0), 0x99);
}

TEST_F(VirtualDriverTest, RefusesFilesAndImagesOfTheWrongSize)
{
    const auto shortPath = folder / "short.bin";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(shortPath, Bytes(2048, 0x01), error)) << error;
    auto shortFile = VirtualDriverChannel::OpenFile(shortPath);
    EXPECT_FALSE(shortFile.channel);
    EXPECT_NE(shortFile.error.find("2048"), std::string::npos) << shortFile.error;
    EXPECT_EQ(FileBytes(shortPath), Bytes(2048, 0x01));

    const auto missing = folder / "missing.bin";
    auto badInitial = VirtualDriverChannel::OpenFile(missing, Bytes(100, 0x01));
    EXPECT_FALSE(badInitial.channel);
    EXPECT_FALSE(badInitial.error.empty());
    EXPECT_FALSE(std::filesystem::exists(missing));

    EXPECT_FALSE(VirtualDriverChannel::FromImage(Bytes(kDriverImageSize - 1, 0)).channel);
    auto fromImage = VirtualDriverChannel::FromImage(Patterned(kDriverImageSize, 5));
    ASSERT_TRUE(fromImage.channel) << fromImage.error;
    EXPECT_EQ(fromImage.channel->Image(), Patterned(kDriverImageSize, 5));
}

}  // namespace
}  // namespace qeltra3k::device
