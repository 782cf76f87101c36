#include "macros/MacroLibrary.h"

#include <random>

#include <gtest/gtest.h>

#include "MacroTestBytes.h"
#include "device/AtomicFile.h"
#include "device/DeviceFakes.h"
#include "macros/DriverMacroList.h"
#include "resources/Resources.h"

namespace qeltra3k::macros {
namespace {

using device::testing::ReadTestFile;
using device::testing::WriteTestFile;

using testing::Body;
using testing::Bytes;

const Bytes kClickBody = Body({0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B}, BodyLayout::Eeprom);

MacroRecord Named(const char* name, const Bytes& body = kClickBody)
{
    MacroRecord record;
    record.name = NameFromText(name).value();
    std::copy(body.begin(), body.end(), record.body.begin());
    return record;
}

DriverMacroRecord DriverNamed(const char* name, std::uint8_t fill)
{
    DriverMacroRecord record;
    record.name = NameFromText(name).value();
    record.body.fill(fill);
    return record;
}

Bytes Random(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (std::uint8_t& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

// Used records first and every record after them all zero: what the page's list relies on.
void ExpectCompact(const LibraryRecords& records)
{
    const std::size_t count = UsedCount(records);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i < count) {
            EXPECT_FALSE(IsUnusedName(records[i].name)) << i;
        } else {
            EXPECT_EQ(records[i], MacroRecord{}) << i;
        }
    }
}

class MacroLibraryTest : public ::testing::Test {
protected:
    device::testing::TempFolder folder;
    MacroLibrary library{folder.Path()};
    std::filesystem::path file = folder / "Macro.bin";
};

TEST_F(MacroLibraryTest, MissingFileGivesTheDefaultLibraryAndCreatesTheFile)
{
    const auto defaults = resources::Find(kDefaultLibraryResource);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->size(), 27200u);

    ASSERT_TRUE(library.CheckPCMacro());
    EXPECT_EQ(ReadTestFile(file), Bytes(defaults->begin(), defaults->begin() + kLibraryFileSize));
    EXPECT_EQ(ReadTestFile(file), Bytes(25600, 0x00));
    EXPECT_EQ(library.Count(), 0u);
    EXPECT_TRUE(library.Names().empty());
}

TEST_F(MacroLibraryTest, MissingDataFolderIsMade)
{
    MacroLibrary nested{folder / "data/qeltra3k"};
    ASSERT_TRUE(nested.CheckPCMacro());
    EXPECT_EQ(ReadTestFile(folder / "data/qeltra3k/Macro.bin").size(), kLibraryFileSize);
}

TEST_F(MacroLibraryTest, FilesOfAnySizeLoadAsFarAsTheyGo)
{
    Bytes two;
    AppendRecordBytes(Named("First"), two);
    AppendRecordBytes(Named("Second"), two);
    Bytes partial = two;
    partial.resize(256 + 32 + 3);  // record 1: name and three body bytes
    Bytes oversized = LibraryBytes([&] {
        LibraryRecords records{};
        records[0] = Named("First");
        records[99] = Named("Last");
        return records;
    }());
    const Bytes tail = Random(5000, 1);
    oversized.insert(oversized.end(), tail.begin(), tail.end());

    struct Case {
        const char* what;
        Bytes file;
        std::vector<std::string> names;
        std::size_t secondBodyBytes;  // body bytes of record 1 that came from the file
    };
    const Case cases[]{
        {"empty", {}, {}, 0},
        {"two records", two, {"First", "Second"}, 224},
        {"cut inside record 1", partial, {"First", "Second"}, 3},
        {"oversized", oversized, {"First", "Last"}, 224},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteTestFile(file, c.file);
        MacroLibrary loaded{folder.Path()};
        ASSERT_TRUE(loaded.CheckPCMacro());
        EXPECT_EQ(loaded.Names(), c.names);
        ExpectCompact(loaded.Records());
        if (c.names.size() > 1) {
            const auto& body = loaded.Records()[1].body;
            EXPECT_TRUE(std::equal(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(c.secondBodyBytes),
                                   kClickBody.begin()));
            EXPECT_TRUE(std::all_of(body.begin() + static_cast<std::ptrdiff_t>(c.secondBodyBytes), body.end(),
                                    [](std::uint8_t b) { return b == 0; }));
        }
        EXPECT_EQ(ReadTestFile(file), c.file);  // loading never rewrites an existing file
    }
}

TEST_F(MacroLibraryTest, GarbageLoadsWithoutGaps)
{
    for (unsigned seed = 0; seed < 20; ++seed) {
        Bytes garbage = Random(kLibraryFileSize, seed);
        // Some unused names among the garbage, with bodies behind them.
        for (std::size_t record = seed % 7; record < kLibraryRecordCount; record += 5)
            garbage[record * 256] = garbage[record * 256 + 1] = 0x00;
        WriteTestFile(file, garbage);
        MacroLibrary loaded{folder.Path()};
        ASSERT_TRUE(loaded.CheckPCMacro());
        EXPECT_EQ(loaded.Count(), loaded.Names().size());
        EXPECT_LT(loaded.Count(), kLibraryRecordCount);
        ExpectCompact(loaded.Records());
    }
}

TEST_F(MacroLibraryTest, GapsCloseKeepingTheOrder)
{
    LibraryRecords records{};
    records[0] = Named("A");
    records[1].body = Named("Ghost").body;  // unused name, leftover body
    records[2] = Named("C");
    records[50] = Named("Z");
    WriteTestFile(file, LibraryBytes(records));

    ASSERT_TRUE(library.CheckPCMacro());
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"A", "C", "Z"}));
    EXPECT_EQ(library.Records()[1], Named("C"));
    ExpectCompact(library.Records());
}

TEST_F(MacroLibraryTest, ReplaceWritesTheWholeFileThenAdopts)
{
    ASSERT_TRUE(library.CheckPCMacro());
    LibraryRecords next = library.Records();
    next[0] = Named("Macro1");
    next[1] = Named("ABCDEFGHIJKLMNOP");
    ASSERT_TRUE(library.Replace(next));
    EXPECT_EQ(library.Records(), next);
    EXPECT_EQ(ReadTestFile(file), LibraryBytes(next));
    EXPECT_EQ(library.Count(), 2u);

    // The file is the export format: reading it back gives the library byte for byte.
    LibraryRecords imported{};
    ReadLibraryRecords(ReadTestFile(file), imported);
    EXPECT_EQ(imported, next);
    EXPECT_EQ(LibraryBytes(imported), ReadTestFile(file));
}

TEST_F(MacroLibraryTest, FailedSaveKeepsFileAndMemory)
{
    ASSERT_TRUE(library.CheckPCMacro());
    LibraryRecords first = library.Records();
    first[0] = Named("Kept");
    ASSERT_TRUE(library.Replace(first));
    const Bytes before = ReadTestFile(file);

    // A folder where the temporary file must go stops the write, for root as well.
    std::filesystem::create_directory(device::TemporaryPathFor(file));
    LibraryRecords next = first;
    next[1] = Named("Lost");
    const FileResult result = library.Replace(next);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(library.Records(), first);
    EXPECT_EQ(ReadTestFile(file), before);

    ASSERT_TRUE(library.SetStopFlag(0, kStopOnRelease));
    EXPECT_FALSE(library.RefreshPCMacro());
    EXPECT_EQ(ReadTestFile(file), before);
}

TEST_F(MacroLibraryTest, UnreadableFileIsNeverOverwritten)
{
    std::filesystem::create_directories(file / "inside");  // exists, cannot be read as a file
    const FileResult loaded = library.CheckPCMacro();
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(loaded.error.empty());
    EXPECT_EQ(library.Count(), 0u);

    LibraryRecords next{};
    next[0] = Named("New");
    const FileResult saved = library.Replace(next);
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.error.find("could not be read"), std::string::npos) << saved.error;
    EXPECT_EQ(library.Count(), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(file / "inside"));
}

TEST_F(MacroLibraryTest, StopFlagChangesMemoryUntilTheNextSave)
{
    LibraryRecords records{};
    records[0] = Named("A");
    WriteTestFile(file, LibraryBytes(records));
    ASSERT_TRUE(library.CheckPCMacro());

    ASSERT_TRUE(library.SetStopFlag(0, kStopOnRelease));
    EXPECT_EQ(library.Records()[0].body[0], kStopOnRelease);
    EXPECT_EQ(library.Records()[0].body[6], 0x8B);  // checksum untouched
    EXPECT_EQ(ReadTestFile(file)[32], kStopAfterMacro);
    ASSERT_TRUE(library.RefreshPCMacro());
    EXPECT_EQ(ReadTestFile(file)[32], kStopOnRelease);
    EXPECT_FALSE(library.SetStopFlag(100, kStopOnRelease));
}

// --- Driver mode --------------------------------------------------------------------------

class DriverMacroLibraryTest : public ::testing::Test {
protected:
    device::testing::TempFolder folder;
    DriverMacroLibrary library{folder.Path()};
    DriverMacroList driverList;
    std::filesystem::path file = folder / "Driver_Macro.bin";
};

TEST_F(DriverMacroLibraryTest, MissingFileIsAnEmptyListCreatedByTheFirstSave)
{
    ASSERT_TRUE(library.CheckDriverPCMacro());
    EXPECT_EQ(library.Count(), 0u);
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_TRUE(library.Replace({DriverNamed("One", 0x11)}, driverList));
    EXPECT_EQ(ReadTestFile(file).size(), 2048u);
}

TEST_F(DriverMacroLibraryTest, WholeRecordsLoadAndTrailingBytesAreIgnored)
{
    Bytes bytes;
    AppendRecordBytes(DriverNamed("One", 0x11), bytes);
    AppendRecordBytes(DriverNamed("Two", 0x22), bytes);
    bytes.resize(5000, 0x77);  // 904 trailing bytes
    WriteTestFile(file, bytes);

    ASSERT_TRUE(library.CheckDriverPCMacro());
    ASSERT_EQ(library.Count(), 2u);
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(library.Records()[1], DriverNamed("Two", 0x22));
}

TEST_F(DriverMacroLibraryTest, GarbageOfAnySizeLoads)
{
    for (std::size_t size : {0u, 1u, 2047u, 2048u, 6000u, 20480u}) {
        SCOPED_TRACE(size);
        Bytes garbage = Random(size, static_cast<unsigned>(size));
        if (size >= 4096)
            garbage[2048] = garbage[2049] = 0x00;  // record 1 unused: dropped
        WriteTestFile(file, garbage);
        DriverMacroLibrary loaded{folder.Path()};
        ASSERT_TRUE(loaded.CheckDriverPCMacro());
        EXPECT_EQ(loaded.Count(), size / 2048 - (size >= 4096 ? 1 : 0));
        EXPECT_EQ(loaded.Names().size(), loaded.Count());
    }
}

TEST_F(DriverMacroLibraryTest, SaveRefreshesTheDriverMacroList)
{
    Bytes driverBytes;
    AppendRecordBytes(DriverNamed("Twin", 0x01), driverBytes);
    AppendRecordBytes(DriverNamed("Alone", 0x02), driverBytes);
    driverList.Load(driverBytes);

    ASSERT_TRUE(library.CheckDriverPCMacro());
    ASSERT_TRUE(library.Replace({DriverNamed("Other", 0x33), DriverNamed("Twin", 0x44)}, driverList));
    EXPECT_EQ(driverList.Records()[0], DriverNamed("Twin", 0x44));
    EXPECT_EQ(driverList.Records()[1], DriverNamed("Alone", 0x02));

    // A failed save changes neither the list, nor the driver list, nor the file.
    const Bytes before = ReadTestFile(file);
    std::filesystem::create_directory(device::TemporaryPathFor(file));
    EXPECT_FALSE(library.Replace({DriverNamed("Twin", 0x55)}, driverList));
    EXPECT_EQ(library.Count(), 2u);
    EXPECT_EQ(driverList.Records()[0], DriverNamed("Twin", 0x44));
    EXPECT_EQ(ReadTestFile(file), before);
    EXPECT_FALSE(library.RefreshDriverPCMacro(driverList));
}

TEST_F(DriverMacroLibraryTest, FileRoundTripsByteForByte)
{
    const std::vector<DriverMacroRecord> records{DriverNamed("A", 0x10), DriverNamed("B", 0x20),
                                                 DriverNamed("C", 0x30)};
    ASSERT_TRUE(library.Replace(records, driverList));
    const Bytes saved = ReadTestFile(file);
    EXPECT_EQ(saved, DriverRecordsBytes(records));
    EXPECT_EQ(ReadDriverRecords(saved), records);

    DriverMacroLibrary again{folder.Path()};
    ASSERT_TRUE(again.CheckDriverPCMacro());
    EXPECT_EQ(again.Records(), records);
}

TEST(DriverMacroList, NamesLookupAndAppend)
{
    DriverMacroRecord erased = DriverNamed("x", 0x00);
    erased.name.fill(0xFF);
    Bytes bytes;
    AppendRecordBytes(DriverNamed("First", 0x01), bytes);
    AppendRecordBytes(erased, bytes);
    AppendRecordBytes(DriverMacroRecord{}, bytes);
    DriverMacroList list;
    list.Load(bytes);

    EXPECT_EQ(list.Names(), (std::vector<std::string>{"First", "", ""}));
    EXPECT_EQ(list.FindByName(NameFromText("First").value()), 0u);
    EXPECT_FALSE(list.FindByName(NameFromText("Second").value()));
    EXPECT_EQ(list.Append(DriverNamed("Second", 0x02)), 3u);
    EXPECT_EQ(list.Names().back(), "Second");
    EXPECT_EQ(list.FindByName(NameFromText("Second").value()), 3u);

    Bytes expected = bytes;
    AppendRecordBytes(DriverNamed("Second", 0x02), expected);
    EXPECT_EQ(list.Bytes(), expected);
}

}  // namespace
}  // namespace qeltra3k::macros
