#include "device/PointerSettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/AtomicFile.h"

namespace qeltra3k::device {
namespace {

class FileStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("qeltra3k-pointer-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path File() const { return folder_ / "sub" / kPointerSettingsFileName; }

    std::filesystem::path folder_;
};

TEST_F(FileStore, AMissingFileReadsAsAFreshAccount)
{
    FilePointerSettingsStore store(File());
    const config::SystemPointerValues values = store.Read();
    EXPECT_TRUE(values.mouseKeyPresent);
    EXPECT_TRUE(values.desktopKeyPresent);
    EXPECT_EQ(values.mouseSensitivity, 10);
    EXPECT_EQ(values.mouseThreshold2, 10);
    EXPECT_EQ(values.doubleClickSpeed, 500);
    EXPECT_EQ(values.wheelScrollLines, 3);
    EXPECT_FALSE(store.AppliesToSystem());
}

TEST_F(FileStore, WrittenValuesReadBackIntoTheSameSettings)
{
    config::PointerSettings settings;
    settings.speedStep = 9;
    settings.precision = false;
    settings.doubleClickStep = 2;
    settings.wheelStep = 8;
    settings.oneScreen = true;
    FilePointerSettingsStore store(File());
    ASSERT_TRUE(store.Write(config::PointerValuesToWrite(settings)));

    config::PointerSettings read;
    config::ReadPointerValues(read, FilePointerSettingsStore(File()).Read());
    EXPECT_EQ(read.speedStep, 9);
    EXPECT_FALSE(read.precision);
    EXPECT_EQ(read.doubleClickStep, 2);
    EXPECT_TRUE(read.oneScreen);
}

TEST_F(FileStore, BrokenLinesAreUnreadableValues)
{
    std::filesystem::create_directories(File().parent_path());
    std::ofstream(File()) << "MouseSensitivity=abc\r\nDoubleClickSpeed=340\nWheelScrollLines=-1\nnoise\n";
    const config::SystemPointerValues values = FilePointerSettingsStore(File()).Read();
    EXPECT_FALSE(values.mouseSensitivity);
    EXPECT_FALSE(values.mouseSpeed);
    EXPECT_EQ(values.doubleClickSpeed, 340);
    EXPECT_EQ(values.wheelScrollLines, -1);
}

TEST_F(FileStore, TheSystemStoreKeepsItsFileInTheDataFolder)
{
    const auto store = MakeSystemPointerSettingsStore(folder_);
    config::SystemPointerValues values = store->Read();
    values.mouseSensitivity = 16;
    ASSERT_TRUE(store->Write(values));
    EXPECT_TRUE(std::filesystem::exists(folder_ / kPointerSettingsFileName));
    EXPECT_EQ(MakeSystemPointerSettingsStore(folder_)->Read().mouseSensitivity, 16);
}

}  // namespace
}  // namespace qeltra3k::device
