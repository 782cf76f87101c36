#pragma once
// Whole-file reads and writes for the program's data files (device memory image, macro
// library, profiles, driver state). A write replaces the file in one step, so a crash or a
// full disk never leaves half a file behind.
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qeltra3k::device {

// Where a write of `path` stages its new content: beside it, in the same folder, so the
// final rename never crosses file systems.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path);

// Writes `bytes` as the whole content of `path`: into the temporary file first, flushed to
// disk, then renamed over `path`. On failure the old file (if any) is untouched, the
// temporary file is removed, and `error` says what failed and why.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

struct FileContent {
    std::optional<std::vector<std::uint8_t>> bytes;  // set when the file was read
    bool missing = false;                            // the file does not exist
    std::string error;                               // why it could not be read
};

// Reads the file from its start, at most `maxBytes` of it: the formats that read only a
// file's first bytes never take a huge file chosen by mistake into memory.
FileContent ReadWholeFile(const std::filesystem::path& path,
                          std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

}  // namespace qeltra3k::device
