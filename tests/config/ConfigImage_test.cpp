#include "config/ConfigImage.h"

#include "config/Checksum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace qeltra3k::config {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(const std::string& text)
{
    Bytes out;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        out.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
    return out;
}

Bytes Range(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t length)
{
    const auto part = bytes.subspan(offset, length);
    return {part.begin(), part.end()};
}

void Put(std::span<std::uint8_t> bytes, std::size_t offset, const Bytes& value)
{
    std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

// Computed here on its own, so the tests do not lean on the code they check.
std::uint8_t Sum5A(std::span<const std::uint8_t> bytes)
{
    unsigned sum = 0;
    for (auto b : bytes)
        sum += b;
    return static_cast<std::uint8_t>((sum & 0xFF) ^ 0x5A);
}

DeviceImage Filled(std::uint8_t value)
{
    DeviceImage image;
    image.fill(value);
    return image;
}

// Built-in defaults, written out.
const Bytes kBuiltInParameterA = Hex(
    "FF FE 04 00 FF 00  01 02 03 04 05 06 07  01 04 03 00 02 05 06  FF 00 00 00 FF 00"
    "  FF 00 00  00 FF 00  FF FF 00  00 00 FF  FF 00 FF  00 FF FF  FF FF FF  79");
const Bytes kBuiltInProfile = Hex(
    "01 01 00  01 04 00  01 02 00  01 08 00  01 10 00  05 00 00  0F 00 00  02 08 07  09 00 00"
    "  01 01 00  01 04 00  01 02 00  01 08 00  01 10 00  05 00 00  0F 00 00  02 08 07  09 00 00  FE");
const Bytes kBuiltInFireKey = Hex("0A FD 02 A1 FE 03 21 FE 64 FC 70");

// ---------------------------------------------------------------- checksum forms

TEST(ConfigImageChecksum, WriteFormPutsTheSumAfterTheCoveredBytes)
{
    // A fire macro record's length and events: same rule as the sections.
    Bytes record = Hex("0C FD FF A1 21 FB 00 FA 04 FE 01 FC 00");
    WriteSectionChecksum(record);
    EXPECT_EQ(record.back(), 0xE4);
    EXPECT_TRUE(HasValidSectionChecksum(record));
    record[8] = 0x05;
    EXPECT_FALSE(HasValidSectionChecksum(record));
    WriteSectionChecksum(record);
    EXPECT_EQ(record.back(), 0xE5);

    Bytes zeros(48, 0x00);
    WriteSectionChecksum(zeros);
    EXPECT_EQ(zeros.back(), 0x5A);

    Bytes empty;
    WriteSectionChecksum(empty);  // must not touch memory
    EXPECT_FALSE(HasValidSectionChecksum(empty));
}

TEST(ConfigImageChecksum, ComplementPairs)
{
    EXPECT_TRUE(IsComplementPair(0x22, 0xDD));
    EXPECT_TRUE(IsComplementPair(0x00, 0xFF));
    EXPECT_FALSE(IsComplementPair(0xFF, 0xFF));
    EXPECT_FALSE(IsComplementPair(0x22, 0x22));

    Bytes bytes(4, 0x55);
    EXPECT_TRUE(WriteComplementPair(bytes, 2, 0x03));
    EXPECT_EQ(bytes, Hex("55 55 03 FC"));
    EXPECT_FALSE(WriteComplementPair(bytes, 3, 0x01));  // would run past the end
    EXPECT_FALSE(WriteComplementPair(bytes, 9, 0x01));
    EXPECT_EQ(bytes, Hex("55 55 03 FC"));
}

// ---------------------------------------------------------------- checks on load

struct FillCase {
    const char* name;
    std::uint8_t fill;
    Bytes parameterB;  // vendor and product bytes are not tested, so they keep the fill
};

void PrintTo(const FillCase& c, std::ostream* os)
{
    *os << c.name;
}

class ConfigImageFilledImage : public testing::TestWithParam<FillCase> {};

TEST_P(ConfigImageFilledImage, EveryCheckedSectionGetsItsBuiltInDefault)
{
    const FillCase& c = GetParam();
    DataBuf dataBuf{};
    const SectionHealth health = LoadSections(Filled(c.fill), dataBuf);

    EXPECT_FALSE(health.parameterA);
    EXPECT_FALSE(health.parameterB);
    EXPECT_FALSE(health.profile);
    EXPECT_FALSE(health.fireKey);
    EXPECT_FALSE(health.AllValid());
    EXPECT_EQ(Range(dataBuf, 0, 48), kBuiltInParameterA);
    EXPECT_EQ(Range(dataBuf, 48, 8), c.parameterB);
    EXPECT_EQ(Range(dataBuf, 56, 55), kBuiltInProfile);
    EXPECT_EQ(Range(dataBuf, 111, 80), Bytes(80, c.fill)) << "the fire macro tables are never checked";
    EXPECT_EQ(Range(dataBuf, 191, 11), kBuiltInFireKey);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfigImageFilledImage,
                         testing::Values(FillCase{"AllFF", 0xFF, Hex("01 FE 01 FE 00 FF FF FF")},
                                         FillCase{"AllZero", 0x00, Hex("01 FE 01 FE 00 FF 00 00")}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PairCase {
    const char* name;
    Bytes in;
    Bytes out;
    bool accepted;
};

void PrintTo(const PairCase& c, std::ostream* os)
{
    *os << c.name;
}

class ConfigImageParameterB : public testing::TestWithParam<PairCase> {};

TEST_P(ConfigImageParameterB, BrokenPairsAreReplacedOneByOne)
{
    const PairCase& c = GetParam();
    DataBuf dataBuf{};
    dataBuf.fill(0x77);
    Put(dataBuf, 48, c.in);
    EXPECT_EQ(CheckParameterBSection(dataBuf), c.accepted);
    EXPECT_EQ(Range(dataBuf, 48, 8), c.out);
    EXPECT_EQ(dataBuf[47], 0x77);
    EXPECT_EQ(dataBuf[56], 0x77);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigImageParameterB,
    testing::Values(PairCase{"AllValid", Hex("03 FC 22 DD 80 7F 12 34"), Hex("03 FC 22 DD 80 7F 12 34"), true},
                    PairCase{"SecondPairOnly", Hex("03 FC 22 22 00 FF 12 34"), Hex("03 FC 01 FE 00 FF 12 34"), false},
                    PairCase{"FirstPairOnly", Hex("03 FD 22 DD 80 7F 12 34"), Hex("01 FE 22 DD 80 7F 12 34"), false},
                    PairCase{"ThirdPairOnly", Hex("03 FC 22 DD 80 80 12 34"), Hex("03 FC 22 DD 00 FF 12 34"), false}),
    [](const auto& info) { return std::string(info.param.name); });

// Each checksummed section, by where it lies in DataBuf.
struct ChecksumSectionCase {
    const char* name;
    Section section;
    bool (*check)(DataBuf&);
    const Bytes* builtIn;
};

void PrintTo(const ChecksumSectionCase& c, std::ostream* os)
{
    *os << c.name;
}

class ConfigImageChecksummedSection : public testing::TestWithParam<ChecksumSectionCase> {};

TEST_P(ConfigImageChecksummedSection, RightChecksumIsAcceptedWhateverTheBytes)
{
    const auto& c = GetParam();
    DataBuf dataBuf{};
    // Odd values no default holds (codes without a name, out-of-range levels...).
    for (std::size_t i = 0; i < c.section.length; ++i)
        dataBuf[c.section.dataBufOffset + i] = static_cast<std::uint8_t>(0x3B + 29 * i);
    const std::size_t last = c.section.dataBufOffset + c.section.length - 1;
    dataBuf[last] = Sum5A(std::span(dataBuf).subspan(c.section.dataBufOffset, c.section.length - 1));
    const DataBuf before = dataBuf;

    EXPECT_TRUE(c.check(dataBuf));
    EXPECT_EQ(dataBuf, before);
}

TEST_P(ConfigImageChecksummedSection, OneWrongByteBringsTheBuiltInDefaultAndNothingElse)
{
    const auto& c = GetParam();
    DataBuf dataBuf{};
    dataBuf.fill(0x42);
    const std::size_t last = c.section.dataBufOffset + c.section.length - 1;
    dataBuf[last] = Sum5A(std::span(dataBuf).subspan(c.section.dataBufOffset, c.section.length - 1));
    dataBuf[c.section.dataBufOffset + 1] ^= 0x01;
    const DataBuf before = dataBuf;

    EXPECT_FALSE(c.check(dataBuf));
    EXPECT_EQ(Range(dataBuf, c.section.dataBufOffset, c.section.length), *c.builtIn);
    for (std::size_t i = 0; i < dataBuf.size(); ++i) {
        if (i < c.section.dataBufOffset || i > last) {
            ASSERT_EQ(dataBuf[i], before[i]) << "byte " << i << " outside the section";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfigImageChecksummedSection,
                         testing::Values(ChecksumSectionCase{"ParameterA", kParameterA, CheckParameterASection,
                                                             &kBuiltInParameterA},
                                         ChecksumSectionCase{"Profile", kProfile, CheckProfileSection,
                                                             &kBuiltInProfile},
                                         ChecksumSectionCase{"FireKey", kFireKey, CheckFireKeySection,
                                                             &kBuiltInFireKey}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- load and store

// A valid image whose gaps, macro blocks and unchanged bits all hold distinctive bytes.
DeviceImage PatternedImage()
{
    DeviceImage image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    image[0x001] = 0xC0 | 0x38;  // SwitchFlags bits 6, 7 set
    image[0x003] = 0x97;         // LedFlowFlags bits 0..2 = 7
    image[0x005] = 0xA5;         // byte 5
    image[0x02F] = Sum5A(std::span(image).subspan(0x000, 47));
    Put(image, 0x030, Hex("02 FD 13 EC 80 7F 11 22"));
    image[0x076] = Sum5A(std::span(image).subspan(0x040, 54));
    image[0x0FA] = Sum5A(std::span(image).subspan(0x0F0, 10));
    return image;
}

TEST(ConfigImageLoad, ValidImageComesAcrossUntouchedInImageOrder)
{
    const DeviceImage image = PatternedImage();
    DataBuf dataBuf{};
    EXPECT_TRUE(LoadSections(image, dataBuf).AllValid());

    Bytes expected;
    const std::pair<std::size_t, std::size_t> sections[] = {{0x000, 48}, {0x030, 8},  {0x040, 55}, {0x080, 30},
                                                            {0x0B0, 20}, {0x0D0, 30}, {0x0F0, 11}};
    for (auto [offset, length] : sections) {
        const Bytes part = Range(image, offset, length);
        expected.insert(expected.end(), part.begin(), part.end());
    }
    EXPECT_EQ(Bytes(dataBuf.begin(), dataBuf.end()), expected);
}

TEST(ConfigImageLoad, OnlyTheBrokenSectionIsReplaced)
{
    DeviceImage image = PatternedImage();
    image[0x045] ^= 0x10;  // profile no longer matches its checksum
    DataBuf dataBuf{};
    const SectionHealth health = LoadSections(image, dataBuf);
    EXPECT_TRUE(health.parameterA);
    EXPECT_TRUE(health.parameterB);
    EXPECT_FALSE(health.profile);
    EXPECT_TRUE(health.fireKey);
    EXPECT_EQ(Range(dataBuf, 0, 56), Range(image, 0x000, 56));
    EXPECT_EQ(Range(dataBuf, 56, 55), kBuiltInProfile);
    EXPECT_EQ(Range(dataBuf, 111, 30), Range(image, 0x080, 30));
    EXPECT_EQ(Range(dataBuf, 191, 11), Range(image, 0x0F0, 11));
}

TEST(ConfigImageStore, RoundTripKeepsGapsBlocksAndUnchangedBitsByteForByte)
{
    const DeviceImage original = PatternedImage();
    DeviceImage image = original;
    DataBuf dataBuf{};
    ASSERT_TRUE(LoadSections(image, dataBuf).AllValid());

    // Edits as the form would make them, leaving checksums stale.
    dataBuf[field::LevelCount] = 3;
    dataBuf[field::Profile2 + 3 * 6] = 0x0F;
    dataBuf[field::FireKeyInterval] = 0x21;
    dataBuf[field::FireMacroColourTable + 4] = 0xAB;
    StoreSections(dataBuf, image);

    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < image.size(); ++i)
        if (image[i] != original[i])
            changed.push_back(i);
    // The four edits and the three checksums they move; nothing else.
    EXPECT_EQ(changed, (std::vector<std::size_t>{0x002, 0x02F, 0x040 + 27 + 18, 0x076, 0x0D4, 0x0F8, 0x0FA}));
    EXPECT_EQ(image[0x002], 3);
    EXPECT_EQ(image[0x02F], Sum5A(std::span(image).subspan(0x000, 47)));
    EXPECT_EQ(image[0x076], Sum5A(std::span(image).subspan(0x040, 54)));
    EXPECT_EQ(image[0x0FA], Sum5A(std::span(image).subspan(0x0F0, 10)));
    EXPECT_EQ(image[0x001], 0xF8);
    EXPECT_EQ(image[0x003], 0x97);
    EXPECT_EQ(image[0x005], 0xA5);

    DataBuf again{};
    EXPECT_TRUE(LoadSections(image, again).AllValid());
    EXPECT_EQ(again, dataBuf);
}

TEST(ConfigImageStore, StoreIntoAnotherImageWritesOnlyTheSections)
{
    DataBuf dataBuf{};
    LoadSections(PatternedImage(), dataBuf);
    DeviceImage target = Filled(0xEE);
    StoreSections(dataBuf, target);
    for (const Region& gap : kGaps)
        EXPECT_EQ(Range(target, gap.offset, gap.length), Bytes(gap.length, 0xEE)) << "gap at " << gap.offset;
    EXPECT_EQ(Range(target, 0x0FB, 2048 - 0x0FB), Bytes(2048 - 0x0FB, 0xEE));
    EXPECT_EQ(Range(target, 0x0B0, 20), Range(dataBuf, 141, 20));
}

// ---------------------------------------------------------------- default images

struct NameCase {
    int type;
    bool eepromMode;
    const char* name;
};

TEST(ConfigImageDefaults, ChooserNamesTheImageOfEachType)
{
    const NameCase cases[] = {
        {0, true, "VOSKEN2Data_Cfg1"},  {1, true, "VOSKEN2Data_Cfg2"},         {2, true, "VOSKEN2Data_Cfg3"},
        {3, true, "Default_CPI"},       {4, true, "Default_LED"},              {5, true, "VOSKEN2Data_Cfg1"},
        {-1, true, "VOSKEN2Data_Cfg1"}, {1000, true, "VOSKEN2Data_Cfg1"},      {0, false, "Driver_VOSKEN2Data_Cfg1"},
        {1, false, "Driver_VOSKEN2Data_Cfg2"}, {2, false, "Driver_VOSKEN2Data_Cfg3"},
        {3, false, "Driver_VOSKEN2Data_Cfg1"}, {4, false, "Driver_VOSKEN2Data_Cfg1"},
        {-2, false, "Driver_VOSKEN2Data_Cfg1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DefaultImageName(c.type, c.eepromMode), c.name) << "type " << c.type << " eeprom " << c.eepromMode;
}

TEST(ConfigImageDefaults, DefaultImagesLoadFromTheResourcesAndPassEveryCheck)
{
    for (int type : {0, 1, 2, 3, 4, 9}) {
        const auto image = LoadDefaultImage(type);
        ASSERT_TRUE(image) << "type " << type;
        DataBuf dataBuf{};
        EXPECT_TRUE(LoadSections(*image, dataBuf).AllValid()) << "type " << type;
        EXPECT_EQ(Range(dataBuf, 0, 8), Hex("44 F8 06 38 FF 00 01 04")) << "type " << type;
    }
    const auto led = LoadDefaultImage(4);
    ASSERT_TRUE(led);
    EXPECT_EQ(Range(*led, 0x040 + 15, 9), Hex("02 08 07 05 00 00 10 00 00")) << "keys 6..8 of Default_LED";
    EXPECT_EQ(LoadDefaultImage(9), LoadDefaultImage(0));
}

TEST(ConfigImageDefaults, DriverImagesLoadWhole)
{
    for (int type : {0, 1, 2, 7}) {
        const auto image = LoadDefaultDriverImage(type);
        ASSERT_TRUE(image) << "type " << type;
        EXPECT_EQ(image->size(), 40960u);
    }
}

// ---------------------------------------------------------------- driver mode

TEST(ConfigImageDriver, TakeSectionsCopiesThemAsTheyStand)
{
    const auto image = LoadDefaultDriverImage(0);
    ASSERT_TRUE(image);
    DataBuf dataBuf{};
    dataBuf.fill(0x5C);
    DriverSectionCopies copies;
    ASSERT_TRUE(TakeDriverSections(*image, dataBuf, copies));

    EXPECT_EQ(Range(dataBuf, 0, 48), Range(*image, 0, 48));
    EXPECT_EQ(Range(dataBuf, 48, 143), Bytes(143, 0x5C)) << "parameter B, profile and fire tables stay";
    EXPECT_EQ(Range(dataBuf, 191, 11), Hex("0A FD FF A1 FE 03 21 FE 06 FC 00")) << "no check, checksum byte 0 kept";
    EXPECT_EQ(Bytes(copies.parameterB.begin(), copies.parameterB.end()), Hex("01 FE 42 BD 00 FF FF FF"));
    EXPECT_EQ(Bytes(copies.profile.begin(), copies.profile.end()), Range(*image, 64, 55));
}

TEST(ConfigImageDriver, ShortImagesAreRefusedWithoutChanges)
{
    const Bytes shortImage(252, 0x11);
    DataBuf dataBuf{};
    DriverSectionCopies copies;
    EXPECT_FALSE(TakeDriverSections(shortImage, dataBuf, copies));
    EXPECT_FALSE(LoadDriverSections(shortImage, dataBuf, copies));
    EXPECT_EQ(dataBuf, DataBuf{});
    EXPECT_EQ(copies.parameterB, (std::array<std::uint8_t, 8>{}));
    EXPECT_TRUE(TakeDriverSections(Bytes(253, 0x11), dataBuf, copies));
}

TEST(ConfigImageDriver, ReadBackChecksThreeSectionsButNotTheFireKey)
{
    auto image = LoadDefaultDriverImage(0);
    ASSERT_TRUE(image);
    (*image)[48 + 3] = 0x00;  // LedState pair broken
    DataBuf dataBuf{};
    DriverSectionCopies copies;
    const auto health = LoadDriverSections(*image, dataBuf, copies);
    ASSERT_TRUE(health);
    EXPECT_TRUE(health->parameterA);
    EXPECT_FALSE(health->parameterB);
    EXPECT_TRUE(health->profile);
    EXPECT_TRUE(health->fireKey);
    EXPECT_EQ(Range(dataBuf, 48, 8), Hex("01 FE 01 FE 00 FF FF FF"));
    EXPECT_EQ(Bytes(copies.parameterB.begin(), copies.parameterB.end()), Hex("01 FE 01 FE 00 FF FF FF"));
    EXPECT_EQ(Range(dataBuf, 56, 55), Range(*image, 64, 55));
    EXPECT_EQ(Bytes(copies.profile.begin(), copies.profile.end()), Range(*image, 64, 55));
    EXPECT_EQ(Range(dataBuf, 191, 11), Hex("0A FD FF A1 FE 03 21 FE 06 FC 00"));
}

TEST(ConfigImageDriver, WritesLandAtTheDriverOffsets)
{
    DataBuf dataBuf{};
    LoadSections(PatternedImage(), dataBuf);  // fire key checksum byte is not 0 here
    DriverSectionCopies copies;
    CopyParameterBToDriver(dataBuf, copies);
    dataBuf[field::Profile1] = 0x0E;  // stale checksum until the copy
    CopyProfileToDriver(dataBuf, copies);
    EXPECT_EQ(copies.profile.back(), Sum5A(std::span(copies.profile).first(54)));
    EXPECT_EQ(dataBuf[field::ProfileChecksum], copies.profile.back());

    const DriverWrite a = DriverParameterAWrite(dataBuf);
    const DriverWrite b = DriverParameterBWrite(copies);
    const DriverWrite p = DriverProfileWrite(copies);
    const DriverWrite f = DriverFireKeyWrite(dataBuf);
    EXPECT_EQ(a.offset, 0u);
    EXPECT_EQ(a.bytes, Range(dataBuf, 0, 48));
    EXPECT_EQ(b.offset, 48u);
    EXPECT_EQ(b.bytes, Range(dataBuf, 48, 8));
    EXPECT_EQ(p.offset, 64u);
    EXPECT_EQ(p.bytes, Range(dataBuf, 56, 55));
    EXPECT_EQ(f.offset, 240u);
    ASSERT_EQ(f.bytes.size(), 13u);
    Bytes fireKeyWithLead{0x00, 0x00};
    for (std::size_t i = 191; i <= 200; ++i)
        fireKeyWithLead.push_back(dataBuf[i]);
    EXPECT_EQ(Range(f.bytes, 0, 12), fireKeyWithLead);
    EXPECT_EQ(f.bytes.back(), 0x00);
    EXPECT_NE(dataBuf[field::FireKeyChecksum], 0x00);

    Bytes driverImage(40960, 0x00);
    for (const DriverWrite* w : {&b, &a, &f, &p})
        EXPECT_TRUE(ApplyDriverWrite(*w, driverImage));
    DataBuf back{};
    DriverSectionCopies backCopies;
    ASSERT_TRUE(LoadDriverSections(driverImage, back, backCopies));
    EXPECT_EQ(Range(back, 0, 111), Range(dataBuf, 0, 111));
    EXPECT_EQ(Range(back, 191, 10), Range(dataBuf, 191, 10));
    EXPECT_EQ(backCopies.profile, copies.profile);

    EXPECT_FALSE(ApplyDriverWrite({40950, Bytes(11, 1)}, driverImage));
    EXPECT_FALSE(ApplyDriverWrite({50000, Bytes(1, 1)}, driverImage));
    EXPECT_TRUE(ApplyDriverWrite({40950, Bytes(10, 1)}, driverImage));
}

}  // namespace
}  // namespace qeltra3k::config
