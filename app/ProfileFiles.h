#pragma once
// Profile file names: the save dialog's naming rule as a plain function.
#include <filesystem>

namespace qeltra3k::app {

inline constexpr const char* kProfileExtension = ".bin";
// Filters of the save and open dialogs.
inline constexpr const char* kSaveProfileFilter = "SaveFile(*.bin)|*.bin";
inline constexpr const char* kLoadProfileFilter = "LoadFile(*.bin)|*.bin";

// The file a profile is saved to: the chosen name with ".bin" appended, also when it already
// ends in ".bin" (abc -> abc.bin, abc.bin -> abc.bin.bin), in the chosen folder.
inline std::filesystem::path ProfileFileName(const std::filesystem::path& chosen)
{
    std::filesystem::path file = chosen;
    file += kProfileExtension;
    return file;
}

}  // namespace qeltra3k::app
