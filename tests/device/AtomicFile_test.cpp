#include "device/AtomicFile.h"

#include <gtest/gtest.h>

#include "DeviceFakes.h"

namespace qeltra3k::device {
namespace {

using Bytes = std::vector<std::uint8_t>;

class AtomicFileTest : public ::testing::Test {
protected:
    Bytes Read()
    {
        const FileContent content = ReadWholeFile(path);
        EXPECT_TRUE(content.bytes) << content.error;
        return content.bytes.value_or(Bytes{});
    }

    testing::TempFolder folder;
    std::filesystem::path path = folder / "Macro.bin";
};

TEST_F(AtomicFileTest, WritesAndReplacesWholeFiles)
{
    const Bytes cases[]{Bytes(25600, 0x5A), Bytes{1, 2, 3}, Bytes{}};
    for (const Bytes& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;
        EXPECT_EQ(Read(), bytes);
        EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path)));
    }
}

TEST_F(AtomicFileTest, TemporaryFileLivesBesideTheTarget)
{
    EXPECT_EQ(TemporaryPathFor(path).parent_path(), path.parent_path());
    EXPECT_NE(TemporaryPathFor(path), path);
}

// Root ignores folder permissions; a folder standing where the temporary file must go
// stops the write for everyone.
TEST_F(AtomicFileTest, FailedWriteKeepsTheOldFile)
{
    const Bytes old{9, 8, 7, 6};
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, old, error)) << error;
    std::filesystem::create_directory(TemporaryPathFor(path));

    EXPECT_FALSE(WriteFileAtomically(path, Bytes(100, 0), error));

    EXPECT_NE(error.find(TemporaryPathFor(path).string()), std::string::npos) << error;
    EXPECT_EQ(Read(), old);
    EXPECT_TRUE(std::filesystem::is_directory(TemporaryPathFor(path)));  // not ours to remove
}

TEST_F(AtomicFileTest, FailedRenameKeepsTheOldContentAndCleansUp)
{
    // The target itself is a non-empty folder: the staged file cannot replace it.
    std::filesystem::create_directories(path / "inside");
    std::string error;

    EXPECT_FALSE(WriteFileAtomically(path, Bytes{1}, error));

    EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_directory(path / "inside"));
    EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path)));
}

TEST_F(AtomicFileTest, ReplacedFileKeepsItsPermissions)
{
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, Bytes{1}, error)) << error;
    const auto privateMode = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    std::filesystem::permissions(path, privateMode);

    ASSERT_TRUE(WriteFileAtomically(path, Bytes{2}, error)) << error;

    EXPECT_EQ(std::filesystem::status(path).permissions(), privateMode);
}

TEST_F(AtomicFileTest, ReadTellsMissingFromUnreadable)
{
    const FileContent missing = ReadWholeFile(folder / "absent.bin");
    EXPECT_FALSE(missing.bytes);
    EXPECT_TRUE(missing.missing);
    EXPECT_FALSE(missing.error.empty());

    const FileContent folderRead = ReadWholeFile(folder.Path());
    EXPECT_FALSE(folderRead.bytes);
    EXPECT_FALSE(folderRead.missing);
    EXPECT_FALSE(folderRead.error.empty());

    std::string error;
    EXPECT_FALSE(WriteFileAtomically(folder / "no-such-folder" / "x.bin", Bytes{1}, error));
    EXPECT_FALSE(error.empty());
}

TEST_F(AtomicFileTest, ReadStopsAtItsLimit)
{
    Bytes bytes(10000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;
    for (const std::size_t limit : {std::size_t{0}, std::size_t{30}, std::size_t{4096}, std::size_t{5000},
                                    std::size_t{10000}, std::size_t{20000}}) {
        SCOPED_TRACE(limit);
        const FileContent content = ReadWholeFile(path, limit);
        ASSERT_TRUE(content.bytes) << content.error;
        const std::size_t expected = std::min(limit, bytes.size());
        EXPECT_EQ(*content.bytes, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(expected)));
    }
}

}  // namespace
}  // namespace qeltra3k::device
