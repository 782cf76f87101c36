#include "fire/CustomGunKeys.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "FireTestSupport.h"
#include "ScratchFolder.h"
#include "device/AtomicFile.h"

namespace qeltra3k::fire {
namespace {

using testing::Bytes;
using Strings = std::vector<std::string>;

class CustomGunKeysTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return folder.Path() / "QELTRA3K Fire Macro.bin"; }

    std::vector<std::uint8_t> FileBytes() const
    {
        std::ifstream in(File(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    void WriteFile(const std::vector<std::uint8_t>& bytes) const
    {
        std::ofstream out(File(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // Thirty bytes: the given front, zeros after it.
    static std::vector<std::uint8_t> Table(std::string_view front)
    {
        std::vector<std::uint8_t> table = Bytes(front);
        table.resize(kCustomGunKeyFileSize, 0);
        return table;
    }

    // A fresh start of the program on the same folder.
    CustomGunKeys Restart() const
    {
        CustomGunKeys keys(folder.Path());
        keys.Load();
        return keys;
    }

    // The next write of the file fails: its temporary name is taken by a folder.
    void BlockWrites() const { std::filesystem::create_directory(device::TemporaryPathFor(File())); }

    testing::ScratchFolder folder;
};

TEST_F(CustomGunKeysTest, WithoutAFileTheListIsEmptyAndNamingUsesThePresetNames)
{
    CustomGunKeys keys(folder.Path());
    const auto loading = keys.Load();
    EXPECT_FALSE(loading.existed);
    EXPECT_TRUE(loading.error.empty());
    EXPECT_FALSE(keys.FileExistedAtStart());
    EXPECT_FALSE(keys.NamingList());
    EXPECT_TRUE(keys.Entries().empty());
    EXPECT_EQ(keys.CodeTexts()[0], "000000");
}

TEST_F(CustomGunKeysTest, AddedKeysRoundTripThroughTheFile)
{
    CustomGunKeys keys(folder.Path());
    keys.Load();
    EXPECT_TRUE(keys.Add({1, 3}).changed);
    EXPECT_TRUE(keys.Add({4, 4}).changed);
    EXPECT_EQ(FileBytes(), Table("0C 01 03 0C 04 04"));
    EXPECT_EQ(keys.Entries(), (Strings{"Fire Macro1", "Fire Macro2"}));
    // The file did not exist at this start: naming keeps the preset names until the next.
    EXPECT_FALSE(keys.NamingList());

    CustomGunKeys again = Restart();
    EXPECT_TRUE(again.FileExistedAtStart());
    EXPECT_EQ(again.Entries(), (Strings{"Fire Macro1", "Fire Macro2"}));
    EXPECT_EQ(again.CodeTexts()[0], "0C0103");
    EXPECT_EQ(again.CodeTexts()[1], "0C0404");
    EXPECT_EQ(again.CodeTexts()[2], "000000");
    EXPECT_EQ(again.EntryCode(1), (config::KeyCode{0x0C, 4, 4}));
    EXPECT_EQ(again.Select(0), (GunKeyRange{1, 3}));

    config::KeyNameContext context;
    context.customGunKeys = again.NamingList();
    ASSERT_TRUE(context.customGunKeys);
    EXPECT_EQ(config::KeyCodeName("0C0404", context), "Fire Macro2");
    EXPECT_EQ(config::KeyCodeName("0C0101", context), "");
}

TEST_F(CustomGunKeysTest, DeleteMovesLaterKeysUpAndSelectsTheEntryBefore)
{
    WriteFile(Table("0C 01 01 0C 02 02 0C 03 03 0C 04 04"));
    CustomGunKeys keys = Restart();

    EXPECT_FALSE(keys.DeleteSelected().changed) << "nothing selected";
    EXPECT_EQ(FileBytes(), Table("0C 01 01 0C 02 02 0C 03 03 0C 04 04"));

    keys.Select(2);
    EXPECT_TRUE(keys.DeleteSelected().changed);
    EXPECT_EQ(FileBytes(), Table("0C 01 01 0C 02 02 0C 04 04"));
    EXPECT_EQ(keys.Entries(), (Strings{"Fire Macro1", "Fire Macro2", "Fire Macro3"}));
    EXPECT_EQ(keys.CodeTexts()[2], "0C0404");
    EXPECT_EQ(keys.CodeTexts()[3], "000000");
    EXPECT_EQ(keys.Selection(), 1u);

    keys.Select(0);
    EXPECT_TRUE(keys.DeleteSelected().changed);
    EXPECT_EQ(FileBytes(), Table("0C 02 02 0C 04 04"));
    EXPECT_EQ(keys.Selection(), 0u);
}

TEST_F(CustomGunKeysTest, DeletingTheOnlyKeyLeavesThirtyZeroBytes)
{
    CustomGunKeys keys(folder.Path());
    keys.Load();
    ASSERT_TRUE(keys.Add({2, 5}).changed);
    keys.Select(0);
    EXPECT_TRUE(keys.DeleteSelected().changed);
    EXPECT_EQ(FileBytes(), std::vector<std::uint8_t>(30, 0));
    EXPECT_TRUE(keys.Entries().empty());
    EXPECT_FALSE(keys.Selection());
}

TEST_F(CustomGunKeysTest, RefusesAnEleventhKeyAndRangesTheChoiceBoxesDoNotOffer)
{
    CustomGunKeys keys(folder.Path());
    keys.Load();
    for (int i = 1; i <= 10; ++i)
        ASSERT_TRUE(keys.Add({i, i}).changed) << i;
    const auto full = FileBytes();
    for (GunKeyRange range : {GunKeyRange{1, 1}, GunKeyRange{0, 1}, GunKeyRange{1, 11}}) {
        const GunKeyChange change = keys.Add(range);
        EXPECT_FALSE(change.changed);
        EXPECT_TRUE(change.error.empty());
    }
    EXPECT_EQ(FileBytes(), full);
    EXPECT_EQ(keys.Entries().size(), 10u);
    EXPECT_EQ(keys.Entries().back(), "Fire Macro10");
}

TEST_F(CustomGunKeysTest, AfterALostDeviceAnAddNeverOverwritesAKeyInUse)
{
    WriteFile(Table("0C 01 01 0C 06 07"));
    CustomGunKeys keys = Restart();
    keys.Select(1);
    keys.DeviceLost();
    EXPECT_TRUE(keys.Entries().empty());
    EXPECT_FALSE(keys.Selection());
    EXPECT_FALSE(keys.DeleteSelected().changed);
    // The slots, their texts and the file are as they were.
    EXPECT_EQ(keys.CodeTexts()[1], "0C0607");
    EXPECT_EQ(FileBytes(), Table("0C 01 01 0C 06 07"));

    EXPECT_TRUE(keys.Add({8, 10}).changed);
    EXPECT_EQ(FileBytes(), Table("0C 01 01 0C 06 07 0C 08 0A"));
    EXPECT_EQ(keys.Entries(), (Strings{"Fire Macro1", "Fire Macro2", "Fire Macro3"}));

    keys.DeviceLost();
    keys.RefillLists();
    EXPECT_EQ(keys.Entries(), (Strings{"Fire Macro1", "Fire Macro2", "Fire Macro3"}));
}

TEST_F(CustomGunKeysTest, AFileWithGapsKeepsEveryKeyAndItsSlotNumber)
{
    WriteFile(Table("0C 01 01 00 00 00 0C 03 04"));
    CustomGunKeys keys = Restart();
    EXPECT_EQ(keys.Entries(), (Strings{"Fire Macro1", "Fire Macro3"}));
    EXPECT_EQ(keys.Select(1), (GunKeyRange{3, 4}));

    ASSERT_TRUE(keys.Add({5, 5}).changed);
    EXPECT_EQ(FileBytes(), Table("0C 01 01 0C 05 05 0C 03 04"));
    EXPECT_EQ(keys.Selection(), 2u) << "the selection stays on the same key";
}

TEST_F(CustomGunKeysTest, ShortAndLongFilesFillWhatTheyCover)
{
    WriteFile(Bytes("0C 01 02 0C"));
    CustomGunKeys shortKeys = Restart();
    EXPECT_TRUE(shortKeys.FileExistedAtStart());
    EXPECT_EQ(shortKeys.CodeTexts()[0], "0C0102");
    EXPECT_EQ(shortKeys.CodeTexts()[1], "0C0000");
    EXPECT_EQ(shortKeys.CodeTexts()[2], "000000");

    std::vector<std::uint8_t> longFile = Table("0C 01 02");
    longFile.resize(40, 0x0C);
    WriteFile(longFile);
    CustomGunKeys longKeys = Restart();
    EXPECT_EQ(longKeys.Entries(), (Strings{"Fire Macro1"}));
}

TEST_F(CustomGunKeysTest, AFailedWriteLeavesListAndFileAsTheyWere)
{
    WriteFile(Table("0C 01 01 0C 02 02"));
    CustomGunKeys keys = Restart();
    BlockWrites();

    GunKeyChange change = keys.Add({3, 3});
    EXPECT_FALSE(change.changed);
    EXPECT_FALSE(change.error.empty());
    EXPECT_EQ(keys.Entries(), (Strings{"Fire Macro1", "Fire Macro2"}));
    EXPECT_EQ(keys.CodeTexts()[2], "000000");

    keys.Select(0);
    change = keys.DeleteSelected();
    EXPECT_FALSE(change.changed);
    EXPECT_FALSE(change.error.empty());
    EXPECT_EQ(keys.CodeTexts()[0], "0C0101");
    EXPECT_EQ(keys.Selection(), 0u);
    EXPECT_EQ(FileBytes(), Table("0C 01 01 0C 02 02"));
}

TEST_F(CustomGunKeysTest, AFileThatCannotBeReadCountsAsAbsent)
{
    std::filesystem::create_directory(File());
    CustomGunKeys keys(folder.Path());
    const auto loading = keys.Load();
    EXPECT_FALSE(loading.existed);
    EXPECT_FALSE(loading.error.empty());
    EXPECT_FALSE(keys.NamingList());
}

TEST_F(CustomGunKeysTest, AMissingDataFolderIsMadeOnTheFirstWrite)
{
    CustomGunKeys keys(folder.Path() / "new" / "data");
    keys.Load();
    EXPECT_TRUE(keys.Add({1, 1}).changed);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "new" / "data" / "QELTRA3K Fire Macro.bin"));
}

}  // namespace
}  // namespace qeltra3k::fire
