#include "device/DriverChannelFormat.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "config/ConfigImage.h"

namespace qeltra3k::device {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A path with `digits` starting at character `position` (1-based) and some path after them.
std::string PathWith(const std::string& digits, std::size_t position = kPathProductIdPosition,
                     const std::string& tail = "#{902e3649-bb28-43e0-83e2-858cecfbee7b}")
{
    return std::string(position - 1, 'x') + digits + tail;
}

Bytes Header(const Bytes& buffer)
{
    return Bytes(buffer.begin(), buffer.begin() + kDriverHeaderSize);
}

TEST(DriverPathTest, MatchesTheProductIdAtCharacters55To58)
{
    struct Case {
        const char* what;
        std::string path;
        std::uint16_t productId;
        bool matches;
    };
    const Case cases[] = {
        {"digits of the id", PathWith("1234"), 0x1234, true},
        {"upper-case letters", PathWith("12AB"), 0x12AB, true},
        {"lower-case letters", PathWith("12ab"), 0x12AB, true},
        {"mixed case", PathWith("12aB"), 0x12AB, true},
        {"all zero", PathWith("0000"), 0x0000, true},
        {"nothing after the digits", PathWith("ffff", kPathProductIdPosition, ""), 0xFFFF, true},
        {"another id", PathWith("1235"), 0x1234, false},
        {"one character too early", PathWith("1234", kPathProductIdPosition - 1), 0x1234, false},
        {"one character too late", PathWith("1234", kPathProductIdPosition + 1), 0x1234, false},
        {"too short by one", PathWith("123", kPathProductIdPosition, ""), 0x0123, false},
        {"empty path", "", 0x0000, false},
        {"a letter that is not hex", PathWith("12G4"), 0x1204, false},
        {"a sign", PathWith("+123"), 0x0123, false},
        {"a space", PathWith(" 123"), 0x0123, false},
        {"a hex prefix", PathWith("0x12"), 0x0012, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DriverPathMatches(c.path, c.productId), c.matches) << c.what;
}

TEST(DriverPathTest, ReadsTheFourDigitsAsOneNumber)
{
    EXPECT_EQ(ProductIdInPath(PathWith("BEEF")), 0xBEEF);
    EXPECT_EQ(ProductIdInPath(PathWith("0001")), 0x0001);
    EXPECT_EQ(ProductIdInPath(PathWith("12 4")), std::nullopt);
    EXPECT_EQ(ProductIdInPath(std::string(57, '1')), std::nullopt);
    EXPECT_EQ(ProductIdInPath(std::string(58, '1')), 0x1111);
}

TEST(DriverPathTest, ProductIdReplyIsHighByteFirst)
{
    Report reply{4, 0x12, 0xAB, 0, 0, 0, 0, 0xCC};
    EXPECT_EQ(ProductIdFromReply(reply), 0x12AB);
    reply[1] = 0x00;
    reply[2] = 0x01;
    EXPECT_EQ(ProductIdFromReply(reply), 0x0001);
}

TEST(DriverPathTest, InterfaceClassSpelledAsTheRegistryDoes)
{
    EXPECT_EQ(InterfaceClassText(kDriverInterfaceClass), "{902E3649-BB28-43E0-83E2-858CECFBEE7B}");
}

TEST(DriverBufferTest, ParameterAWriteIsHeaderAndSection)
{
    config::DataBuf dataBuf{};
    std::iota(dataBuf.begin(), dataBuf.end(), std::uint8_t{1});
    const config::DriverWrite write = config::DriverParameterAWrite(dataBuf);
    const Bytes buffer = DriverWriteBuffer(static_cast<std::uint32_t>(write.offset), write.bytes);

    ASSERT_EQ(buffer.size(), 56u);
    EXPECT_EQ(Header(buffer), (Bytes{0, 0, 0, 0, 48, 0, 0, 0}));
    EXPECT_EQ(Bytes(buffer.begin() + 8, buffer.end()), write.bytes);
}

TEST(DriverBufferTest, SectionWritesHaveTheirDesignedSizes)
{
    config::DataBuf dataBuf{};
    config::DriverSectionCopies copies{};
    struct Case {
        const char* what;
        config::DriverWrite write;
        std::size_t bufferSize;
        Bytes header;
    };
    const Case cases[] = {
        {"parameter B", config::DriverParameterBWrite(copies), 16, {48, 0, 0, 0, 8, 0, 0, 0}},
        {"parameter A", config::DriverParameterAWrite(dataBuf), 56, {0, 0, 0, 0, 48, 0, 0, 0}},
        {"fire key at 240", config::DriverFireKeyWrite(dataBuf), 21, {240, 0, 0, 0, 13, 0, 0, 0}},
        {"profile", config::DriverProfileWrite(copies), 63, {64, 0, 0, 0, 55, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Bytes buffer = DriverWriteBuffer(static_cast<std::uint32_t>(c.write.offset), c.write.bytes);
        EXPECT_EQ(buffer.size(), c.bufferSize) << c.what;
        EXPECT_EQ(Header(buffer), c.header) << c.what;
    }
}

TEST(DriverBufferTest, OffsetAndLengthGoLowByteFirst)
{
    const Bytes records(2 * 2048, 0x5A);
    const Bytes buffer = DriverWriteBuffer(256, records);
    ASSERT_EQ(buffer.size(), 8u + 4096u);
    EXPECT_EQ(Header(buffer), (Bytes{0x00, 0x01, 0, 0, 0x00, 0x10, 0, 0}));

    const Bytes none = DriverWriteBuffer(256, {});
    EXPECT_EQ(none, (Bytes{0x00, 0x01, 0, 0, 0, 0, 0, 0}));
}

TEST(DriverBufferTest, ReadBufferCarriesOffsetAndLengthThenZeroedRoom)
{
    const Bytes profile = DriverReadBuffer(64, 55);
    ASSERT_EQ(profile.size(), 63u);
    EXPECT_EQ(Header(profile), (Bytes{64, 0, 0, 0, 55, 0, 0, 0}));
    EXPECT_EQ(Bytes(profile.begin() + 8, profile.end()), Bytes(55, 0x00));

    const Bytes macros = DriverReadBuffer(256, 0x1000);
    ASSERT_EQ(macros.size(), 8u + 0x1000u);
    EXPECT_EQ(Header(macros), (Bytes{0x00, 0x01, 0, 0, 0x00, 0x10, 0, 0}));
}

TEST(DriverBufferTest, WholeImageIsReadWithThe40971ByteBuffer)
{
    const Bytes buffer = DriverReadBuffer(0, static_cast<std::uint32_t>(kDriverImageSize));
    ASSERT_EQ(buffer.size(), 40971u);
    EXPECT_EQ(Header(buffer), (Bytes{0, 0, 0, 0, 0x00, 0xA0, 0, 0}));

    // The data are the 40960 bytes from byte 8; the spare tail is not part of them.
    Bytes answered = buffer;
    for (std::size_t i = 8; i < answered.size(); ++i)
        answered[i] = static_cast<std::uint8_t>(i);
    const auto data = DriverReadData(answered, static_cast<std::uint32_t>(kDriverImageSize));
    ASSERT_TRUE(data);
    ASSERT_EQ(data->size(), kDriverImageSize);
    EXPECT_EQ(data->front(), 8);
    EXPECT_EQ(data->back(), static_cast<std::uint8_t>(kDriverImageSize + 7));
}

TEST(DriverBufferTest, ReadDataRefusesABufferTooShortForIt)
{
    const Bytes buffer{64, 0, 0, 0, 3, 0, 0, 0, 0xA1, 0xA2, 0xA3};
    EXPECT_EQ(DriverReadData(buffer, 3), (Bytes{0xA1, 0xA2, 0xA3}));
    EXPECT_EQ(DriverReadData(buffer, 4), std::nullopt);
    EXPECT_EQ(DriverReadData(Bytes(5, 0), 0), std::nullopt);
    EXPECT_EQ(DriverReadData(Bytes(8, 0), 0), Bytes{});
}

TEST(DriverBufferTest, StretchesMustLieInsideTheImage)
{
    struct Case {
        std::uint32_t offset;
        std::uint32_t length;
        bool fits;
    };
    const Case cases[] = {
        {0, 40960, true},         {1, 40960, false},         {40956, 4, true},
        {40957, 4, false},        {40960, 0, true},          {40961, 0, false},
        {256, 19 * 2048, true},   {256, 20 * 2048, false},   {0xFFFFFFFF, 2, false},
        {2, 0xFFFFFFFF, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitsDriverImage(c.offset, c.length), c.fits) << c.offset << " + " << c.length;
}

}  // namespace
}  // namespace qeltra3k::device
