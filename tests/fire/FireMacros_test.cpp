#include "fire/FireMacros.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numeric>

#include "FireTestSupport.h"
#include "ScratchFolder.h"

namespace qeltra3k::fire {
namespace {

using testing::Bytes;
using testing::Record;

// The checksum rule written out once more, so the preset checks do not lean on the code
// they check.
FireMacroRecord WithChecksum(std::string_view hex)
{
    FireMacroRecord record = Record(hex);
    const std::size_t length = record[1];
    const int sum = std::accumulate(record.begin() + 1, record.begin() + 1 + static_cast<std::ptrdiff_t>(length), 0);
    record[length + 1] = static_cast<std::uint8_t>((sum & 0xFF) ^ 0x5A);
    return record;
}

std::string Hex(int value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

std::string PcGameRecord(int y)
{
    return "01 0C FD FF A1 21 FB 00 FA " + Hex(y) + " FE 01 FC";
}

std::string MobileGameRecord(int y, int t)
{
    return "01 0E A1 FE 03 FD FF FB 00 FA " + Hex(y) + " FE " + Hex(t) + " FC 21";
}

struct PresetRecordCase {
    int preset;
    std::size_t k;
    std::string bytes;  // without the checksum
    int y;
    int timeMs;
};

std::vector<PresetRecordCase> PresetRecordCases()
{
    const int pcY[] = {4, 3, 3, 2, 3, 3, 4, 4, 5, 12};
    const int mobileY[] = {9, 0, 7, 5, 7, 6, 8, 9, 12, 30};
    const int mobileT[] = {4, 0, 3, 3, 3, 3, 3, 4, 4, 4};
    std::vector<PresetRecordCase> cases;
    for (std::size_t k = 1; k <= 10; ++k) {
        cases.push_back({1, k, PcGameRecord(pcY[k - 1]), pcY[k - 1], 8});
        if (k == 2)
            cases.push_back({2, k, PcGameRecord(3), 3, 8});
        else
            cases.push_back({2, k, MobileGameRecord(mobileY[k - 1], mobileT[k - 1]), mobileY[k - 1], mobileT[k - 1] * 8});
    }
    return cases;
}

TEST(FireMacroPresets, HoldTheShippedRecordsAndDecodeToTheirParameters)
{
    for (const PresetRecordCase& c : PresetRecordCases()) {
        FireMacros macros;
        ASSERT_TRUE(LoadFireMacroPreset(macros, c.preset));
        const std::string label = "fireMacro_" + std::to_string(c.preset) + " record " + std::to_string(c.k);
        EXPECT_EQ(macros.Records()[c.k - 1], WithChecksum(c.bytes)) << label;

        config::DataBuf dataBuf{};
        const auto fields = macros.Decode(c.k, dataBuf);
        ASSERT_TRUE(fields) << label;
        EXPECT_TRUE(fields->stopOnRelease) << label;
        EXPECT_EQ(fields->count, 256) << label;
        EXPECT_EQ(fields->x, 0) << label;
        EXPECT_EQ(fields->y, c.y) << label;
        EXPECT_EQ(fields->timeMs, c.timeMs) << label;
    }
}

TEST(FireMacroPresets, ChecksumsOfTheWorkedExamples)
{
    struct Case {
        int preset;
        std::size_t k;
        std::size_t checksumOffset;
        std::uint8_t checksum;
    };
    const Case cases[] = {
        {1, 1, 13, 0xE4}, {1, 2, 13, 0xE7}, {1, 4, 13, 0xE6}, {1, 9, 13, 0xE5}, {1, 10, 13, 0x9C},
        {2, 1, 15, 0x93}, {2, 2, 13, 0xE7}, {2, 4, 15, 0x9E}, {2, 10, 15, 0x84},
    };
    for (const Case& c : cases) {
        const auto preset = FireMacroPreset(c.preset);
        ASSERT_TRUE(preset);
        EXPECT_EQ((*preset)[(c.k - 1) * kFireMacroRecordSize + c.checksumOffset], c.checksum)
            << "fireMacro_" << c.preset << " record " << c.k;
    }
}

TEST(FireMacroPresets, EmptyPresetClearsEverythingAndSpareBytesAreZero)
{
    FireMacros macros;
    std::vector<std::uint8_t> junk(kFireMacroBlockSize, 0x5C);
    macros.ImportGunMacro(junk);
    ASSERT_TRUE(LoadFireMacroPreset(macros, 0));
    EXPECT_EQ(macros.Block(), FireMacroBlock{});
    for (const FireMacroRecord& record : macros.Records())
        EXPECT_EQ(record, FireMacroRecord{});
    EXPECT_FALSE(HoldsFireMacros(macros.Block()));

    for (int kind : {1, 2}) {
        const auto preset = FireMacroPreset(kind);
        ASSERT_TRUE(preset);
        for (std::size_t i = kFireMacroRecordsSize; i < kFireMacroBlockSize; ++i)
            EXPECT_EQ((*preset)[i], 0) << kind << " byte " << i;
    }
    EXPECT_FALSE(FireMacroPreset(3));
    EXPECT_FALSE(FireMacroPreset(-1));
    EXPECT_FALSE(LoadFireMacroPreset(macros, 3));
}

// A block whose every byte differs, so any byte moved or lost shows.
FireMacroBlock Patterned()
{
    FireMacroBlock block;
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i * 37 + 11);
    return block;
}

TEST(FireMacros, PackAndUnpackNeverTouchTheSpareBytes)
{
    FireMacros macros;
    FireMacroBlock block = Patterned();
    // Record 3 becomes a decodable one so that an edit goes through.
    const FireMacroRecord third = WithChecksum(PcGameRecord(4));
    std::copy(third.begin(), third.end(), block.begin() + 2 * kFireMacroRecordSize);
    macros.LoadBlock(block);
    for (std::size_t k = 1; k <= kFireMacroCount; ++k) {
        EXPECT_TRUE(std::equal(macros.Records()[k - 1].begin(), macros.Records()[k - 1].end(),
                               block.begin() + static_cast<std::ptrdiff_t>((k - 1) * kFireMacroRecordSize)));
    }

    config::DataBuf dataBuf{};
    ASSERT_TRUE(macros.Decode(3, dataBuf));
    ASSERT_TRUE(macros.SetParameter(3, FireParameter::Y, 9));
    macros.Pack();
    FireMacroBlock expected = block;
    std::copy(macros.Records()[2].begin(), macros.Records()[2].end(), expected.begin() + 2 * kFireMacroRecordSize);
    EXPECT_EQ(macros.Block(), expected);
    EXPECT_EQ(macros.Block()[2 * kFireMacroRecordSize + 9], 9);

    // Unpacking after the spare bytes changed underneath (a short import) keeps them too.
    macros.ImportGunMacro(std::vector<std::uint8_t>(4, 0x01));
    macros.Pack();
    for (std::size_t i = kFireMacroRecordsSize; i < kFireMacroBlockSize; ++i)
        EXPECT_EQ(macros.Block()[i], block[i]) << "byte " << i;
}

TEST(FireMacros, DecodeSetsTheKeyTypeByteOnlyForShownRecords)
{
    FireMacros macros;
    FireMacroBlock block{};
    block.fill(0xFF);
    const FireMacroRecord playsToEnd = Record("00 01");
    const FireMacroRecord stops = Record("01 01");
    std::copy(playsToEnd.begin(), playsToEnd.end(), block.begin());
    std::copy(stops.begin(), stops.end(), block.begin() + kFireMacroRecordSize);
    macros.LoadBlock(block);

    config::DataBuf dataBuf{};
    dataBuf.fill(0x77);
    const std::size_t table = config::field::FireMacroKeyTable;
    EXPECT_TRUE(macros.Decode(1, dataBuf));
    EXPECT_TRUE(macros.Decode(2, dataBuf));
    EXPECT_FALSE(macros.Decode(3, dataBuf));  // erased
    EXPECT_FALSE(macros.Decode(0, dataBuf));
    EXPECT_FALSE(macros.Decode(11, dataBuf));
    EXPECT_EQ(dataBuf[table], 0x0B);
    EXPECT_EQ(dataBuf[table + 3], 0x0E);
    EXPECT_EQ(dataBuf[table + 6], 0x77);
    // Only the type bytes change, never the addresses.
    config::DataBuf expected{};
    expected.fill(0x77);
    expected[table] = 0x0B;
    expected[table + 3] = 0x0E;
    EXPECT_EQ(dataBuf, expected);
}

TEST(FireMacros, StopFlagChangeSetsFlagAndTypeByteButNotTheChecksum)
{
    FireMacros macros;
    ASSERT_TRUE(LoadFireMacroPreset(macros, 1));
    config::DataBuf dataBuf{};
    const FireMacroRecord before = macros.Records()[4];
    ASSERT_TRUE(macros.SetStopFlag(5, false, dataBuf));
    FireMacroRecord expected = before;
    expected[0] = 0;
    EXPECT_EQ(macros.Records()[4], expected);
    EXPECT_EQ(dataBuf[config::field::FireMacroKeyTable + 12], 0x0B);
    ASSERT_TRUE(macros.SetStopFlag(5, true, dataBuf));
    EXPECT_EQ(macros.Records()[4], before);
    EXPECT_EQ(dataBuf[config::field::FireMacroKeyTable + 12], 0x0E);
    EXPECT_FALSE(macros.SetStopFlag(11, true, dataBuf));
}

TEST(FireMacros, EditsLandOnlyWhereTheLastDecodingOfTheSameRecordsFoundThem)
{
    FireMacros macros;
    config::DataBuf dataBuf{};
    ASSERT_TRUE(LoadFireMacroPreset(macros, 2));
    EXPECT_FALSE(macros.SetParameter(1, FireParameter::Y, 3)) << "no decoding yet";
    ASSERT_TRUE(macros.Decode(1, dataBuf));
    EXPECT_EQ(macros.Positions(1).y, 10u);

    // A preset with another layout replaces the records: the old positions would now point
    // into the middle of other events.
    ASSERT_TRUE(LoadFireMacroPreset(macros, 1));
    const FireMacroRecords before = macros.Records();
    EXPECT_FALSE(macros.SetParameter(1, FireParameter::Y, 3));
    EXPECT_EQ(macros.Records(), before);
    EXPECT_EQ(macros.Positions(1), OperandPositions{});

    // An empty record has nothing to edit and stays all zero.
    ASSERT_TRUE(LoadFireMacroPreset(macros, 0));
    ASSERT_TRUE(macros.Decode(1, dataBuf));
    for (FireParameter p : {FireParameter::Count, FireParameter::X, FireParameter::Y, FireParameter::Time})
        EXPECT_FALSE(macros.SetParameter(1, p, 1));
    EXPECT_EQ(macros.Records()[0], FireMacroRecord{});
    EXPECT_FALSE(macros.FireMacroChecksum(1));
    EXPECT_EQ(macros.Records()[0], FireMacroRecord{});
}

TEST(FireMacros, ChecksumRoutineServesEveryRecordAtItsOwnOffset)
{
    FireMacros macros;
    FireMacroBlock block{};
    for (std::size_t k = 1; k <= kFireMacroCount; ++k) {
        const FireMacroRecord record = Record(PcGameRecord(static_cast<int>(k)));  // no checksum yet
        std::copy(record.begin(), record.end(), block.begin() + static_cast<std::ptrdiff_t>((k - 1) * kFireMacroRecordSize));
    }
    macros.LoadBlock(block);
    for (std::size_t k = 1; k <= kFireMacroCount; ++k) {
        ASSERT_TRUE(macros.FireMacroChecksum(k));
        EXPECT_EQ(macros.Records()[k - 1], WithChecksum(PcGameRecord(static_cast<int>(k)))) << k;
        for (std::size_t other = k + 1; other <= kFireMacroCount; ++other)
            EXPECT_EQ(macros.Records()[other - 1][13], 0) << "record " << other << " untouched by " << k;
    }
    EXPECT_FALSE(macros.FireMacroChecksum(0));
    EXPECT_FALSE(macros.FireMacroChecksum(11));
}

TEST(FireMacros, AddressesOfTheRecords)
{
    EXPECT_EQ(FireMacroAddress(1), 0x0501);
    EXPECT_EQ(FireMacroAddress(2), 0x0519);
    EXPECT_EQ(FireMacroAddress(10), 0x05D9);
    EXPECT_FALSE(FireMacroAddress(0));
    EXPECT_FALSE(FireMacroAddress(11));
}

TEST(HoldsFireMacros, LooksAtRecordOnesFlagAndFirstEvent)
{
    struct Case {
        std::string_view front;
        bool holds;
    };
    const Case cases[] = {
        {"00 00 00", false}, {"FF FF FF", false}, {"00 FF FF", false}, {"FF 00 00", false},
        {"01 00 00", true},  {"00 00 A1", true},  {"FF 0C FD", true},  {"02 FF FF", true},
    };
    for (const Case& c : cases) {
        FireMacroBlock block{};
        const auto bytes = Bytes(c.front);
        std::copy(bytes.begin(), bytes.end(), block.begin());
        EXPECT_EQ(HoldsFireMacros(block), c.holds) << c.front;
        EXPECT_EQ(PresetButtonsFor(block), (FirePresetButtons{c.holds, !c.holds})) << c.front;
    }
}

class GunMacroFileTest : public ::testing::Test {
protected:
    std::filesystem::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const auto path = folder.Path() / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    testing::ScratchFolder folder;
    FireMacros macros;
};

TEST_F(GunMacroFileTest, TakesAtMostTheFirstBlockAndFillsShortFilesFromTheStart)
{
    macros.LoadBlock(Patterned());
    std::vector<std::uint8_t> longFile(300);
    std::iota(longFile.begin(), longFile.end(), 0);
    auto result = ImportGunMacroFile(macros, Write("long.bin", longFile));
    EXPECT_TRUE(result.imported);
    EXPECT_EQ(result.bytesTaken, 256u);
    EXPECT_TRUE(std::equal(macros.Block().begin(), macros.Block().end(), longFile.begin()));
    EXPECT_EQ(macros.Records()[9][23], 239);

    macros.LoadBlock(Patterned());
    result = ImportGunMacroFile(macros, Write("short.bin", {1, 2, 3, 4, 5}));
    EXPECT_TRUE(result.imported);
    EXPECT_EQ(result.bytesTaken, 5u);
    FireMacroBlock expected = Patterned();
    std::copy_n(std::vector<std::uint8_t>{1, 2, 3, 4, 5}.begin(), 5, expected.begin());
    EXPECT_EQ(macros.Block(), expected);
    EXPECT_EQ(macros.Records()[0][4], 5);  // unpacked too
}

TEST_F(GunMacroFileTest, UnreadableFileChangesNothing)
{
    macros.LoadBlock(Patterned());
    for (const auto& path : {folder.Path() / "missing.bin", folder.Path()}) {
        const auto result = ImportGunMacroFile(macros, path);
        EXPECT_FALSE(result.imported) << path;
        EXPECT_FALSE(result.error.empty()) << path;
        EXPECT_EQ(macros.Block(), Patterned()) << path;
    }
}

}  // namespace
}  // namespace qeltra3k::fire
