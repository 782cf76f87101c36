#include "device/AtomicFile.h"

#include <algorithm>

#include <cerrno>
#include <array>
#include <cstdio>
#include <memory>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define QELTRA3K_HAVE_FSYNC 1
#endif

namespace qeltra3k::device {

namespace {

std::string Describe(const std::string& what, const std::filesystem::path& path, int errorNumber)
{
    return what + " " + path.string() + ": " + std::generic_category().message(errorNumber);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Makes the rename itself survive a power cut; a failure here does not undo the write.
void SyncFolder([[maybe_unused]] const std::filesystem::path& folder)
{
#ifdef QELTRA3K_HAVE_FSYNC
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

// Writes and flushes the temporary file; false with `error` set on any failure.
bool WriteTemporary(const std::filesystem::path& temporary, std::span<const std::uint8_t> bytes,
                    std::string& error)
{
    errno = 0;
    FileHandle file(std::fopen(temporary.string().c_str(), "wb"));
    if (!file) {
        error = Describe("cannot create", temporary, errno);
        return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        error = Describe("cannot write", temporary, errno);
        return false;
    }
    if (std::fflush(file.get()) != 0) {
        error = Describe("cannot write", temporary, errno);
        return false;
    }
#ifdef QELTRA3K_HAVE_FSYNC
    if (::fsync(::fileno(file.get())) != 0) {
        error = Describe("cannot flush", temporary, errno);
        return false;
    }
#endif
    const int closed = std::fclose(file.release());
    if (closed != 0) {
        error = Describe("cannot write", temporary, errno);
        return false;
    }
    return true;
}

}  // namespace

std::filesystem::path TemporaryPathFor(const std::filesystem::path& path)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    return temporary;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error)
{
    const std::filesystem::path temporary = TemporaryPathFor(path);
    if (!WriteTemporary(temporary, bytes, error)) {
        std::error_code ignored;
        // Only a file we made is removed; something else in the way (a folder) is left alone.
        if (std::filesystem::is_regular_file(temporary, ignored))
            std::filesystem::remove(temporary, ignored);
        return false;
    }

    std::error_code ec;
    // A replaced file keeps its permissions: a private library stays private.
    const auto old = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::is_regular_file(old))
        std::filesystem::permissions(temporary, old.permissions(), ec);

    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        error = "cannot replace " + path.string() + ": " + ec.message();
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    SyncFolder(path.parent_path());
    return true;
}

FileContent ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    FileContent content;
    errno = 0;
    FileHandle file(std::fopen(path.string().c_str(), "rb"));
    if (!file) {
        content.missing = errno == ENOENT;
        content.error = Describe("cannot open", path, errno);
        return content;
    }
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, 4096> block;
    while (bytes.size() < maxBytes) {
        const std::size_t want = std::min(block.size(), maxBytes - bytes.size());
        const std::size_t got = std::fread(block.data(), 1, want, file.get());
        bytes.insert(bytes.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < want)
            break;
    }
    if (std::ferror(file.get())) {
        content.error = Describe("cannot read", path, errno);
        return content;
    }
    content.bytes = std::move(bytes);
    return content;
}

}  // namespace qeltra3k::device
