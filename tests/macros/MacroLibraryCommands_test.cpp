#include "macros/MacroLibraryCommands.h"

#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "MacroTestBytes.h"
#include "device/AtomicFile.h"
#include "device/DeviceFakes.h"

namespace qeltra3k::macros {
namespace {

using device::testing::ReadTestFile;
using device::testing::WriteTestFile;

using testing::Body;
using testing::Bytes;

Bytes Random(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (std::uint8_t& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

template <class Record>
Record Named(const std::string& name, unsigned seed)
{
    Record record;
    record.name = NameFromText(name).value();
    const Bytes body = Random(Record::kBodySize, seed);
    std::copy(body.begin(), body.end(), record.body.begin());
    record.body[StopFlagOffset] = kStopOnRelease;
    return record;
}

template <class Record>
Bytes RecordBytes(const Record& record)
{
    Bytes bytes;
    AppendRecordBytes(record, bytes);
    return bytes;
}

// A folder where the temporary file must go stops every atomic write, for root as well.
void BlockWrites(const std::filesystem::path& file)
{
    std::filesystem::create_directory(device::TemporaryPathFor(file));
}

void ExpectRefused(const LibraryResult& result, LibraryOutcome outcome, std::string_view messageKey)
{
    EXPECT_EQ(result.outcome, outcome);
    EXPECT_FALSE(result);
    EXPECT_EQ(LibraryMessageKey(result.outcome), messageKey);
}

// ------------------------------------------------------------------------------ EEPROM mode

class MacroLibraryCommandsTest : public ::testing::Test {
protected:
    MacroLibraryCommandsTest() { EXPECT_TRUE(library.CheckPCMacro()); }

    // The library with `count` macros M0, M1, ... and a saved file.
    void Fill(std::size_t count)
    {
        LibraryRecords records{};
        for (std::size_t i = 0; i < count; ++i)
            records[i] = Named<MacroRecord>("M" + std::to_string(i), static_cast<unsigned>(i));
        ASSERT_TRUE(library.Replace(records));
    }

    std::vector<std::string> Names() const { return library.Names(); }

    device::testing::TempFolder folder;
    MacroLibrary library{folder.Path()};
    std::filesystem::path libraryFile = folder / "Macro.bin";
};

TEST_F(MacroLibraryCommandsTest, CreateAppendsAnEmptyMacroAndSavesIt)
{
    Fill(2);
    const LibraryResult result = CreateMacro(library, "New one");
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.selection, 2u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"M0", "M1", "New one"}));
    MacroRecord expected{};
    expected.name = NameFromText("New one").value();
    EXPECT_EQ(library.Records()[2], expected);
    EXPECT_EQ(ReadTestFile(libraryFile), LibraryBytes(library.Records()));
}

TEST_F(MacroLibraryCommandsTest, NamesTheDialogCannotStoreAreRefused)
{
    Fill(2);
    const Bytes before = ReadTestFile(libraryFile);
    struct Case {
        const char* name;
        LibraryOutcome outcome;
        std::string_view messageKey;
    };
    const Case cases[] = {
        {"", LibraryOutcome::EmptyName, ""},
        {"ABCDEFGHIJKLMNOPQ", LibraryOutcome::InvalidName, ""},  // 17 characters
        {"M1", LibraryOutcome::MacroExists, "Str106"},
        {"\xFF", LibraryOutcome::InvalidName, ""},
    };
    for (const Case& c : cases) {
        ExpectRefused(CreateMacro(library, c.name), c.outcome, c.messageKey);
        ExpectRefused(RenameMacro(library, 0, c.name), c.outcome, c.messageKey);
    }
    // Naming compares texts exactly: another case is another name.
    EXPECT_TRUE(CreateMacro(library, "m1"));
    // A 16-character name fills the field and is fine.
    EXPECT_TRUE(RenameMacro(library, 2, "ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(Names().back(), "ABCDEFGHIJKLMNOP");
    EXPECT_NE(ReadTestFile(libraryFile), before);
}

TEST_F(MacroLibraryCommandsTest, RenameKeepsBodyAndPositionAndRefusesItsOwnName)
{
    Fill(3);
    const MacroRecord before = library.Records()[1];
    ExpectRefused(RenameMacro(library, 1, "M1"), LibraryOutcome::MacroExists, "Str106");

    const LibraryResult result = RenameMacro(library, 1, "Jump");
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.selection, 1u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"M0", "Jump", "M2"}));
    EXPECT_EQ(library.Records()[1].body, before.body);
    // The old name's bytes are gone, not overwritten in part.
    EXPECT_EQ(library.Records()[1].name, NameFromText("Jump").value());
    EXPECT_EQ(ReadTestFile(libraryFile), LibraryBytes(library.Records()));
}

TEST_F(MacroLibraryCommandsTest, DeleteCompactsAndSelectsThePreviousMacro)
{
    struct Case {
        std::size_t count;
        std::size_t deleted;
        std::optional<std::size_t> selection;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {3, 0, 0, {"M1", "M2"}},
        {3, 1, 0, {"M0", "M2"}},
        {3, 2, 1, {"M0", "M1"}},
        {1, 0, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        Fill(c.count);
        const MacroRecord last = library.Records()[c.count - 1];
        const LibraryResult result = DeleteMacro(library, c.deleted);
        ASSERT_TRUE(result) << result.error;
        EXPECT_EQ(result.selection, c.selection) << c.deleted;
        EXPECT_EQ(Names(), c.names);
        if (c.deleted + 1 < c.count) {
            EXPECT_EQ(library.Records()[c.count - 2], last);  // moved down whole
        }
        EXPECT_EQ(library.Records()[c.count - 1], MacroRecord{});
        EXPECT_EQ(ReadTestFile(libraryFile), LibraryBytes(library.Records()));
    }
}

TEST_F(MacroLibraryCommandsTest, CommandsWithoutASelectionDoNothing)
{
    Fill(2);
    const Bytes before = ReadTestFile(libraryFile);
    for (const std::optional<std::size_t> position : {std::optional<std::size_t>{}, std::optional<std::size_t>{2}}) {
        ExpectRefused(RenameMacro(library, position, "X"), LibraryOutcome::NothingSelected, "");
        ExpectRefused(DeleteMacro(library, position), LibraryOutcome::NothingSelected, "");
        ExpectRefused(ExportOneMacro(library, position, folder / "one"), LibraryOutcome::NothingSelected, "");
    }
    EXPECT_EQ(ReadTestFile(libraryFile), before);
    EXPECT_FALSE(std::filesystem::exists(folder / "one.bin"));
}

TEST_F(MacroLibraryCommandsTest, LimitsOfNewMacroAndImportOne)
{
    Fill(98);
    const std::filesystem::path single = folder / "single.bin";
    WriteTestFile(single, RecordBytes(Named<MacroRecord>("Imported", 7)));

    EXPECT_TRUE(ImportOneAllowed(library));
    ASSERT_TRUE(ImportOneMacro(library, single));  // the 99th
    EXPECT_FALSE(ImportOneAllowed(library));
    WriteTestFile(single, RecordBytes(Named<MacroRecord>("Another", 8)));
    ExpectRefused(ImportOneMacro(library, single), LibraryOutcome::LibraryFull, "Str104");

    EXPECT_TRUE(NewMacroEnabled(library.Count()));
    const LibraryResult hundredth = CreateMacro(library, "Last");
    ASSERT_TRUE(hundredth) << hundredth.error;
    EXPECT_EQ(hundredth.selection, 99u);
    EXPECT_EQ(library.Count(), 100u);
    EXPECT_FALSE(NewMacroEnabled(library.Count()));
    ExpectRefused(CreateMacro(library, "Too many"), LibraryOutcome::LibraryFull, "Str104");

    ASSERT_TRUE(DeleteMacro(library, 0));
    EXPECT_TRUE(NewMacroEnabled(library.Count()));
}

TEST_F(MacroLibraryCommandsTest, ExportOneThenImportOneElsewhere)
{
    Fill(3);
    ASSERT_TRUE(ExportOneMacro(library, 1, folder / "jump"));
    const Bytes exported = ReadTestFile(folder / "jump.bin");
    EXPECT_EQ(exported.size(), 256u);
    EXPECT_EQ(exported, RecordBytes(library.Records()[1]));

    device::testing::TempFolder otherFolder;
    MacroLibrary other(otherFolder.Path());
    ASSERT_TRUE(CreateMacro(other, "Mine"));
    const LibraryResult imported = ImportOneMacro(other, folder / "jump.bin");
    ASSERT_TRUE(imported) << imported.error;
    EXPECT_EQ(imported.selection, 1u);
    EXPECT_EQ(other.Records()[1], library.Records()[1]);
    EXPECT_EQ(ReadTestFile(otherFolder / "Macro.bin"), LibraryBytes(other.Records()));

    // The same 32 name bytes again: refused, whatever the body.
    const Bytes before = ReadTestFile(otherFolder / "Macro.bin");
    MacroRecord sameName = Named<MacroRecord>("M1", 99);
    WriteTestFile(folder / "same.bin", RecordBytes(sameName));
    ExpectRefused(ImportOneMacro(other, folder / "same.bin"), LibraryOutcome::MacroExists, "Str106");
    EXPECT_EQ(other.Count(), 2u);
    EXPECT_EQ(ReadTestFile(otherFolder / "Macro.bin"), before);
}

TEST_F(MacroLibraryCommandsTest, ImportOneRefusesFilesThatAreNoSingleMacro)
{
    Fill(1);
    const Bytes before = ReadTestFile(libraryFile);
    const Bytes macro = RecordBytes(Named<MacroRecord>("Fine", 3));
    struct Case {
        const char* what;
        Bytes bytes;
        LibraryOutcome outcome;
        std::string_view messageKey;
    };
    Bytes longer = macro;
    longer.push_back(0x00);
    Bytes nameless = macro;
    std::fill_n(nameless.begin(), 2, 0x00);
    const Case cases[] = {
        {"empty", {}, LibraryOutcome::LengthOutOfRange, "Str103"},
        {"cut", Bytes(macro.begin(), macro.end() - 1), LibraryOutcome::LengthOutOfRange, "Str103"},
        {"one byte more", longer, LibraryOutcome::LengthOutOfRange, "Str103"},
        {"a driver macro", Random(2048, 4), LibraryOutcome::LengthOutOfRange, "Str103"},
        {"a whole library", Random(kLibraryFileSize, 5), LibraryOutcome::LengthOutOfRange, "Str103"},
        {"no name", nameless, LibraryOutcome::BadFile, "Str102"},
    };
    for (const Case& c : cases) {
        WriteTestFile(folder / "in.bin", c.bytes);
        const LibraryResult result = ImportOneMacro(library, folder / "in.bin");
        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        EXPECT_EQ(LibraryMessageKey(result.outcome), c.messageKey) << c.what;
        EXPECT_EQ(library.Count(), 1u) << c.what;
    }
    const LibraryResult missing = ImportOneMacro(library, folder / "missing.bin");
    ExpectRefused(missing, LibraryOutcome::BadFile, "Str102");
    EXPECT_FALSE(missing.error.empty());
    EXPECT_EQ(ReadTestFile(libraryFile), before);
}

TEST_F(MacroLibraryCommandsTest, ExportAllImportAllRestoresTheLibraryByteForByte)
{
    Fill(37);
    ASSERT_TRUE(ExportAllMacros(library, folder / "all"));
    const Bytes exported = ReadTestFile(folder / "all.bin");
    EXPECT_EQ(exported.size(), kLibraryFileSize);
    EXPECT_EQ(exported, ReadTestFile(libraryFile));

    device::testing::TempFolder otherFolder;
    MacroLibrary other(otherFolder.Path());
    ASSERT_TRUE(other.CheckPCMacro());
    for (const char* name : {"X", "Y"})
        ASSERT_TRUE(CreateMacro(other, name));
    const LibraryResult imported = ImportAllMacros(other, folder / "all.bin");
    ASSERT_TRUE(imported) << imported.error;
    EXPECT_EQ(other.Records(), library.Records());
    EXPECT_EQ(ReadTestFile(otherFolder / "Macro.bin"), exported);

    // Names are not checked on a whole import.
    LibraryRecords twins{};
    twins[0] = Named<MacroRecord>("Twin", 1);
    twins[1] = Named<MacroRecord>("Twin", 2);
    WriteTestFile(folder / "twins.bin", LibraryBytes(twins));
    ASSERT_TRUE(ImportAllMacros(other, folder / "twins.bin"));
    EXPECT_EQ(other.Names(), (std::vector<std::string>{"Twin", "Twin"}));
}

TEST_F(MacroLibraryCommandsTest, ImportAllOfAShorterFileReplacesTheRecordsItCovers)
{
    Fill(3);
    const MacroRecord single = Named<MacroRecord>("Single", 11);
    WriteTestFile(folder / "single.bin", RecordBytes(single));
    const LibraryRecords before = library.Records();
    ASSERT_TRUE(ImportAllMacros(library, folder / "single.bin"));
    EXPECT_EQ(library.Records()[0], single);
    EXPECT_EQ(library.Records()[1], before[1]);
    EXPECT_EQ(library.Records()[2], before[2]);

    // Beyond 100 records nothing is read (the default library resource is such a file).
    Bytes oversized = Random(kLibraryFileSize + 1600, 12);
    for (std::size_t i = 0; i < kLibraryRecordCount; ++i) {
        oversized[i * MacroRecord::kSize] = 0x00;
        oversized[i * MacroRecord::kSize + 1] = 0x41;  // every record named, so none moves
    }
    WriteTestFile(folder / "big.bin", oversized);
    ASSERT_TRUE(ImportAllMacros(library, folder / "big.bin"));
    EXPECT_EQ(LibraryBytes(library.Records()), Bytes(oversized.begin(), oversized.begin() + kLibraryFileSize));
}

TEST_F(MacroLibraryCommandsTest, ImportAllRefusesALengthThatCutsARecord)
{
    Fill(3);
    const LibraryRecords before = library.Records();
    const Bytes fileBefore = ReadTestFile(libraryFile);
    for (const std::size_t size : {std::size_t{0}, std::size_t{100}, std::size_t{300}, kLibraryFileSize - 1}) {
        WriteTestFile(folder / "in.bin", Random(size, 13));
        ExpectRefused(ImportAllMacros(library, folder / "in.bin"), LibraryOutcome::LengthOutOfRange, "Str103");
    }
    ExpectRefused(ImportAllMacros(library, folder / "missing.bin"), LibraryOutcome::BadFile, "Str102");
    EXPECT_EQ(library.Records(), before);
    EXPECT_EQ(ReadTestFile(libraryFile), fileBefore);
}

TEST_F(MacroLibraryCommandsTest, ExportAppendsBinToTheChosenName)
{
    Fill(1);
    EXPECT_EQ(ExportFilePath(folder / "x"), folder / "x.bin");
    EXPECT_EQ(ExportFilePath(folder / "x.bin"), folder / "x.bin.bin");
    ASSERT_TRUE(ExportOneMacro(library, 0, folder / "x.bin"));
    EXPECT_TRUE(std::filesystem::exists(folder / "x.bin.bin"));
    EXPECT_FALSE(std::filesystem::exists(folder / "x.bin"));
}

TEST_F(MacroLibraryCommandsTest, AFailedSaveLeavesLibraryAndFileAsTheyWere)
{
    Fill(3);
    const std::filesystem::path single = folder / "single.bin";
    WriteTestFile(single, RecordBytes(Named<MacroRecord>("Imported", 21)));
    WriteTestFile(folder / "all.bin", Random(kLibraryFileSize, 22));
    const LibraryRecords before = library.Records();
    const Bytes fileBefore = ReadTestFile(libraryFile);
    BlockWrites(libraryFile);

    const std::pair<const char*, std::function<LibraryResult()>> commands[] = {
        {"create", [&] { return CreateMacro(library, "New"); }},
        {"rename", [&] { return RenameMacro(library, 1, "Renamed"); }},
        {"delete", [&] { return DeleteMacro(library, 0); }},
        {"import one", [&] { return ImportOneMacro(library, single); }},
        {"import all", [&] { return ImportAllMacros(library, folder / "all.bin"); }},
    };
    for (const auto& [what, command] : commands) {
        const LibraryResult result = command();
        EXPECT_EQ(result.outcome, LibraryOutcome::WriteFailed) << what;
        EXPECT_FALSE(result.error.empty()) << what;
        EXPECT_EQ(result.selection, std::nullopt) << what;
        EXPECT_EQ(library.Records(), before) << what;
        EXPECT_EQ(ReadTestFile(libraryFile), fileBefore) << what;
    }
}

TEST_F(MacroLibraryCommandsTest, AFailedExportLeavesTheOldFile)
{
    Fill(2);
    const std::filesystem::path target = folder / "out.bin";
    WriteTestFile(target, {1, 2, 3});
    BlockWrites(target);
    for (const LibraryResult& result : {ExportOneMacro(library, 0, folder / "out"), ExportAllMacros(library, folder / "out")}) {
        EXPECT_EQ(result.outcome, LibraryOutcome::WriteFailed);
        EXPECT_FALSE(result.error.empty());
    }
    EXPECT_EQ(ReadTestFile(target), (Bytes{1, 2, 3}));
}

// ------------------------------------------------------------------------------ driver mode

class DriverLibraryCommandsTest : public ::testing::Test {
protected:
    DriverLibraryCommandsTest() { EXPECT_TRUE(library.CheckDriverPCMacro()); }

    void Fill(std::size_t count)
    {
        std::vector<DriverMacroRecord> records;
        for (std::size_t i = 0; i < count; ++i)
            records.push_back(Named<DriverMacroRecord>("D" + std::to_string(i), static_cast<unsigned>(100 + i)));
        ASSERT_TRUE(library.Replace(records, driverList));
    }

    device::testing::TempFolder folder;
    DriverMacroLibrary library{folder.Path()};
    DriverMacroList driverList;
    std::filesystem::path libraryFile = folder / "Driver_Macro.bin";
};

TEST_F(DriverLibraryCommandsTest, CreateRenameDeleteSaveTheList)
{
    Fill(2);
    const LibraryResult created = CreateMacro(library, driverList, "Fresh");
    ASSERT_TRUE(created) << created.error;
    EXPECT_EQ(created.selection, 2u);
    DriverMacroRecord expected{};
    expected.name = NameFromText("Fresh").value();
    ASSERT_EQ(library.Count(), 3u);
    EXPECT_EQ(library.Records()[2], expected);

    ExpectRefused(CreateMacro(library, driverList, "D0"), LibraryOutcome::MacroExists, "Str106");
    ExpectRefused(RenameMacro(library, driverList, 0, ""), LibraryOutcome::EmptyName, "");
    ASSERT_TRUE(RenameMacro(library, driverList, 0, "First"));
    const LibraryResult deleted = DeleteMacro(library, driverList, 1);
    ASSERT_TRUE(deleted);
    EXPECT_EQ(deleted.selection, 0u);
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"First", "Fresh"}));
    EXPECT_EQ(ReadTestFile(libraryFile), DriverRecordsBytes(library.Records()));
}

TEST_F(DriverLibraryCommandsTest, SavesBringTheDriverMacroListUpToDate)
{
    Fill(2);
    driverList.Append(Named<DriverMacroRecord>("D1", 500));  // an old copy of D1
    ASSERT_TRUE(CreateMacro(library, driverList, "Other"));
    EXPECT_EQ(driverList.Records()[0].body, library.Records()[1].body);
}

TEST_F(DriverLibraryCommandsTest, NewMacroStopsAtAHundred)
{
    Fill(99);
    EXPECT_TRUE(NewMacroEnabled(library.Count()));
    ASSERT_TRUE(CreateMacro(library, driverList, "Hundredth"));
    EXPECT_FALSE(NewMacroEnabled(library.Count()));
    ExpectRefused(CreateMacro(library, driverList, "More"), LibraryOutcome::LibraryFull, "Str104");
    // A single import goes on past a hundred.
    EXPECT_TRUE(ImportOneAllowed(library));
    WriteTestFile(folder / "one.bin", RecordBytes(Named<DriverMacroRecord>("Imported", 1)));
    EXPECT_TRUE(ImportOneMacro(library, driverList, folder / "one.bin"));
    EXPECT_EQ(library.Count(), 101u);
}

TEST_F(DriverLibraryCommandsTest, ExportAllImportAllRestoresTheListByteForByte)
{
    Fill(5);
    ASSERT_TRUE(ExportAllMacros(library, folder / "all"));
    const Bytes exported = ReadTestFile(folder / "all.bin");
    EXPECT_EQ(exported.size(), 5u * 2048u);
    EXPECT_EQ(exported, ReadTestFile(libraryFile));

    device::testing::TempFolder otherFolder;
    DriverMacroLibrary other(otherFolder.Path());
    DriverMacroList otherDriverList;
    ASSERT_TRUE(CreateMacro(other, otherDriverList, "Gone"));
    ASSERT_TRUE(ImportAllMacros(other, otherDriverList, folder / "all.bin"));
    EXPECT_EQ(other.Records(), library.Records());
    EXPECT_EQ(ReadTestFile(otherFolder / "Driver_Macro.bin"), exported);
}

TEST_F(DriverLibraryCommandsTest, ImportAllReadsWholeRecordsAndNeverEmptiesTheListForAShortFile)
{
    Fill(3);
    const auto before = library.Records();
    for (const std::size_t size : {std::size_t{0}, std::size_t{256}, std::size_t{2047}}) {
        WriteTestFile(folder / "short.bin", Random(size, 31));
        ExpectRefused(ImportAllMacros(library, driverList, folder / "short.bin"), LibraryOutcome::LengthOutOfRange,
                      "Str103");
    }
    EXPECT_EQ(library.Records(), before);

    Bytes file = Random(5000, 32);
    file[1] = 0x41;
    file[2049] = 0x42;
    WriteTestFile(folder / "two.bin", file);
    ASSERT_TRUE(ImportAllMacros(library, driverList, folder / "two.bin"));
    ASSERT_EQ(library.Count(), 2u);
    EXPECT_EQ(DriverRecordsBytes(library.Records()), Bytes(file.begin(), file.begin() + 4096));
}

TEST_F(DriverLibraryCommandsTest, SingleMacroFilesAreOneDriverRecord)
{
    Fill(2);
    ASSERT_TRUE(ExportOneMacro(library, 1, folder / "one"));
    EXPECT_EQ(ReadTestFile(folder / "one.bin"), RecordBytes(library.Records()[1]));
    ExpectRefused(ImportOneMacro(library, driverList, folder / "one.bin"), LibraryOutcome::MacroExists, "Str106");

    WriteTestFile(folder / "eeprom.bin", RecordBytes(Named<MacroRecord>("Small", 3)));
    ExpectRefused(ImportOneMacro(library, driverList, folder / "eeprom.bin"), LibraryOutcome::LengthOutOfRange,
                  "Str103");
    EXPECT_EQ(library.Count(), 2u);
}

TEST_F(DriverLibraryCommandsTest, AFailedSaveLeavesTheListAsItWas)
{
    Fill(2);
    const auto before = library.Records();
    const Bytes fileBefore = ReadTestFile(libraryFile);
    BlockWrites(libraryFile);
    const LibraryResult result = DeleteMacro(library, driverList, 0);
    EXPECT_EQ(result.outcome, LibraryOutcome::WriteFailed);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(library.Records(), before);
    EXPECT_EQ(ReadTestFile(libraryFile), fileBefore);
}

}  // namespace
}  // namespace qeltra3k::macros
