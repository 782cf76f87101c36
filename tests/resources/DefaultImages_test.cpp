// The embedded default images, driver images, macro library and fire macro presets, checked
// byte for byte against values written out here (the generator's tables are not consulted).
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace qeltra3k::resources {
namespace {

using ByteVec = std::vector<std::uint8_t>;

ByteVec Hex(const std::string& text)
{
    ByteVec out;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        out.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
    return out;
}

ByteVec Repeat(const std::string& text, int times)
{
    ByteVec out;
    for (int i = 0; i < times; ++i) {
        const ByteVec once = Hex(text);
        out.insert(out.end(), once.begin(), once.end());
    }
    return out;
}

std::string At(std::size_t offset)
{
    std::ostringstream s;
    s << "0x" << std::hex << std::uppercase << std::setw(3) << std::setfill('0') << offset;
    return s.str();
}

// A stretch of a resource with its expected bytes; bytes no stretch covers must be 0x00.
struct Stretch {
    const char* what;
    std::size_t offset;
    ByteVec bytes;
};

struct Expectation {
    const char* name;
    std::size_t size;
    std::vector<Stretch> stretches;
};

void PrintTo(const Expectation& e, std::ostream* os)
{
    *os << e.name;
}

// ---------------------------------------------------------------- the 2048-byte images

const ByteVec kParameterA = Hex(
    "44 F8 06 38 FF 00  01 04 06 07 09 0B 07  01 04 03 00 02 05 06  FF 00 7F FF FF FF"
    "  00 FF 00  FF 00 FF  00 00 FF  FF 00 00  00 FF FF  FF FF 00  FF FF FF  70");
const ByteVec kConfigProfile = Repeat("01 01 00  01 04 00  01 02 00  01 08 00  01 10 00  05 00 00  07 00 00"
                                      "  08 00 00  06 00 F0",
                                      2);
const ByteVec kLedProfile = Repeat("01 01 00  01 04 00  01 02 00  01 08 00  01 10 00  02 08 07  05 00 00"
                                   "  10 00 00  06 00 F0",
                                   2);

std::vector<Stretch> ConfigurationImageStretches(const ByteVec& profile, std::uint8_t profileChecksum, std::uint8_t macroFill)
{
    ByteVec profileSection = profile;
    profileSection.push_back(profileChecksum);
    return {
        {"parameter A", 0x000, kParameterA},
        {"parameter B", 0x030, Hex("01 FE 22 DD 00 FF FF FF")},
        {"gap", 0x038, Hex("FF FF FF FF FE FF FF FF")},
        {"profile", 0x040, profileSection},
        {"gap", 0x077, Hex("FF FE FF FF FF FF FF FE 99")},
        {"fire macro key table", 0x080,
         Hex("0E 05 01  0E 05 19  0E 05 31  0E 05 49  0E 05 61  0E 05 79  0E 05 91  0E 05 A9  0E 05 C1  0E 05 D9")},
        {"gap", 0x09E, Hex("FF FF FF FF FF FF FF FF FF FF FE FF FF FF FF FF FD FF")},
        {"fire macro offset table", 0x0B0, Repeat("00 FF", 10)},
        {"gap", 0x0C4, Hex("FF FF FE FF FF FF FF FF FD FF FF FF")},
        {"fire macro colour table", 0x0D0,
         Hex("FF 00 00  00 FF 00  00 00 FF  FF FF 00  FF 00 FF  00 FF FF  FF 80 00  FF 00 80  00 FF 80  FF FF FF")},
        {"gap", 0x0EE, Hex("FF FF")},
        {"fire key section", 0x0F0, Hex("0A FD FF A1 FE 03 21 FE 06 FC 93")},
        {"gap", 0x0FB, Hex("FF FD FF FF FF")},
        {"macro block A", 0x100, ByteVec(1024, macroFill)},
        {"fire macro block", 0x500, ByteVec(256, 0x00)},
        {"macro block B", 0x600, ByteVec(512, macroFill)},
    };
}

// ---------------------------------------------------------------- driver images

std::vector<Stretch> DriverImageStretches()
{
    ByteVec profile = Repeat("01 01 00  01 04 00  01 02 00  01 08 00  01 10 00  05 00 00  07 00 00"
                             "  08 00 00  0E 00 F0",
                             2);
    profile.push_back(0x36);
    return {
        {"parameter A", 0,
         Hex("45 FE 06 28 FF 00  01 04 06 07 09 0A 07  01 04 03 00 02 05 06  FF 00 7F FF FF FF"
             "  00 FF 00  FF 00 FF  00 00 FF  FF 00 00  00 FF FF  FF FF 00  FF FF FF  7A")},
        {"parameter B", 48, Hex("01 FE 42 BD 00 FF FF FF")},
        {"profile", 64, profile},
        {"DriverTempCPIAndLedData", 160, Hex("01 02 FF 04")},
        {"before the fire key", 240, Hex("00 00")},
        {"fire key section", 242, Hex("0A FD FF A1 FE 03 21 FE 06 FC 00")},
    };
}

// ---------------------------------------------------------------- fire macro presets

std::vector<Stretch> PresetStretches(const std::vector<std::string>& records)
{
    std::vector<Stretch> stretches;
    for (std::size_t k = 0; k < records.size(); ++k)
        stretches.push_back({"record", 24 * k, Hex(records[k])});
    return stretches;
}

const std::vector<std::string> kPcGameRecords{
    "01 0C FD FF A1 21 FB 00 FA 04 FE 01 FC E4", "01 0C FD FF A1 21 FB 00 FA 03 FE 01 FC E7",
    "01 0C FD FF A1 21 FB 00 FA 03 FE 01 FC E7", "01 0C FD FF A1 21 FB 00 FA 02 FE 01 FC E6",
    "01 0C FD FF A1 21 FB 00 FA 03 FE 01 FC E7", "01 0C FD FF A1 21 FB 00 FA 03 FE 01 FC E7",
    "01 0C FD FF A1 21 FB 00 FA 04 FE 01 FC E4", "01 0C FD FF A1 21 FB 00 FA 04 FE 01 FC E4",
    "01 0C FD FF A1 21 FB 00 FA 05 FE 01 FC E5", "01 0C FD FF A1 21 FB 00 FA 0C FE 01 FC 9C",
};

const std::vector<std::string> kMobileGameRecords{
    "01 0E A1 FE 03 FD FF FB 00 FA 09 FE 04 FC 21 93", "01 0C FD FF A1 21 FB 00 FA 03 FE 01 FC E7",
    "01 0E A1 FE 03 FD FF FB 00 FA 07 FE 03 FC 21 9C", "01 0E A1 FE 03 FD FF FB 00 FA 05 FE 03 FC 21 9E",
    "01 0E A1 FE 03 FD FF FB 00 FA 07 FE 03 FC 21 9C", "01 0E A1 FE 03 FD FF FB 00 FA 06 FE 03 FC 21 9F",
    "01 0E A1 FE 03 FD FF FB 00 FA 08 FE 03 FC 21 9D", "01 0E A1 FE 03 FD FF FB 00 FA 09 FE 04 FC 21 93",
    "01 0E A1 FE 03 FD FF FB 00 FA 0C FE 04 FC 21 96", "01 0E A1 FE 03 FD FF FB 00 FA 1E FE 04 FC 21 84",
};

const std::vector<Expectation>& AllExpectations()
{
    static const std::vector<Expectation> all{
        {"VOSKEN2Data_Cfg1", 2048, ConfigurationImageStretches(kConfigProfile, 0x06, 0x00)},
        {"VOSKEN2Data_Cfg2", 2048, ConfigurationImageStretches(kConfigProfile, 0x06, 0x00)},
        {"VOSKEN2Data_Cfg3", 2048, ConfigurationImageStretches(kConfigProfile, 0x06, 0x00)},
        {"Default_CPI", 2048, ConfigurationImageStretches(kConfigProfile, 0x06, 0xFF)},
        {"Default_LED", 2048, ConfigurationImageStretches(kLedProfile, 0xDA, 0xFF)},
        {"Driver_VOSKEN2Data_Cfg1", 40960, DriverImageStretches()},
        {"Driver_VOSKEN2Data_Cfg2", 40960, DriverImageStretches()},
        {"Driver_VOSKEN2Data_Cfg3", 40960, DriverImageStretches()},
        {"PCMacroData", 27200, {}},
        {"fireMacro_0", 256, {}},
        {"fireMacro_1", 256, PresetStretches(kPcGameRecords)},
        {"fireMacro_2", 256, PresetStretches(kMobileGameRecords)},
    };
    return all;
}

class DefaultImages : public testing::TestWithParam<Expectation> {};

TEST_P(DefaultImages, EveryByteIsAsShipped)
{
    const Expectation& e = GetParam();
    const auto found = Find(e.name);
    ASSERT_TRUE(found) << e.name << " is not embedded";
    ASSERT_EQ(found->size(), e.size);
    const ByteVec actual(found->begin(), found->end());

    std::vector<bool> covered(e.size, false);
    for (const Stretch& stretch : e.stretches) {
        ASSERT_LE(stretch.offset + stretch.bytes.size(), e.size) << stretch.what;
        const ByteVec part(actual.begin() + static_cast<std::ptrdiff_t>(stretch.offset),
                           actual.begin() + static_cast<std::ptrdiff_t>(stretch.offset + stretch.bytes.size()));
        EXPECT_EQ(part, stretch.bytes) << stretch.what << " at " << At(stretch.offset);
        for (std::size_t i = 0; i < stretch.bytes.size(); ++i)
            covered[stretch.offset + i] = true;
    }
    std::size_t strayBytes = 0;
    std::size_t firstStray = 0;
    for (std::size_t i = 0; i < e.size; ++i) {
        if (!covered[i] && actual[i] != 0x00 && strayBytes++ == 0)
            firstStray = i;
    }
    EXPECT_EQ(strayBytes, 0u) << "bytes outside the listed stretches must be 0x00; first at " << At(firstStray);
}

INSTANTIATE_TEST_SUITE_P(Resources, DefaultImages, testing::ValuesIn(AllExpectations()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- checksums, recomputed here

std::uint8_t Sum5A(const ByteVec& bytes, std::size_t from, std::size_t count)
{
    unsigned sum = 0;
    for (std::size_t i = from; i < from + count; ++i)
        sum += bytes[i];
    return static_cast<std::uint8_t>((sum & 0xFF) ^ 0x5A);
}

ByteVec Resource(const char* name)
{
    const auto found = Find(name);
    return found ? ByteVec(found->begin(), found->end()) : ByteVec{};
}

struct ChecksumPlace {
    const char* what;
    std::size_t from;
    std::size_t count;  // the checksum follows the covered bytes
};

TEST(DefaultImagesChecksums, SectionChecksumsMatchTheirBytes)
{
    const ChecksumPlace configPlaces[] = {
        {"parameter A", 0x000, 47}, {"profile", 0x040, 54}, {"fire key section", 0x0F0, 10}};
    for (const char* name : {"VOSKEN2Data_Cfg1", "VOSKEN2Data_Cfg2", "VOSKEN2Data_Cfg3", "Default_CPI", "Default_LED"}) {
        const ByteVec image = Resource(name);
        ASSERT_EQ(image.size(), 2048u) << name;
        for (const auto& p : configPlaces)
            EXPECT_EQ(image[p.from + p.count], Sum5A(image, p.from, p.count)) << name << " " << p.what;
    }
    const ChecksumPlace driverPlaces[] = {{"parameter A", 0, 47}, {"profile", 64, 54}};
    for (const char* name : {"Driver_VOSKEN2Data_Cfg1", "Driver_VOSKEN2Data_Cfg2", "Driver_VOSKEN2Data_Cfg3"}) {
        const ByteVec image = Resource(name);
        ASSERT_EQ(image.size(), 40960u) << name;
        for (const auto& p : driverPlaces)
            EXPECT_EQ(image[p.from + p.count], Sum5A(image, p.from, p.count)) << name << " " << p.what;
    }
}

TEST(DefaultImagesChecksums, PresetRecordsCarryTheirChecksumAndStopFlag)
{
    for (const char* name : {"fireMacro_1", "fireMacro_2"}) {
        const ByteVec block = Resource(name);
        ASSERT_EQ(block.size(), 256u) << name;
        for (std::size_t k = 0; k < 10; ++k) {
            const std::size_t record = 24 * k;
            const std::size_t length = block[record + 1];
            ASSERT_LE(length, 22u) << name << " record " << k + 1;
            EXPECT_EQ(block[record], 0x01) << name << " record " << k + 1 << " stops on release";
            EXPECT_EQ(block[record + length + 1], Sum5A(block, record + 1, length)) << name << " record " << k + 1;
        }
    }
}

}  // namespace
}  // namespace qeltra3k::resources
