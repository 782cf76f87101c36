#pragma once
// The PC macro library. EEPROM mode: 100 `MacroRecord`s, kept in "Macro.bin" (25,600 bytes,
// no header). Driver mode: an open-ended list of `DriverMacroRecord`s in "Driver_Macro.bin".
// Both live in the data folder the controller passes in.
//
// Every save writes the whole file atomically. A change reaches memory only once its file
// is written: the commands build the next library and hand it to Replace, so a save that
// fails leaves both the file and the library in memory as they were, and says why.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroRecord.h"

namespace qeltra3k::macros {

class DriverMacroList;

inline constexpr std::size_t kLibraryRecordCount = 100;
inline constexpr std::size_t kLibraryFileSize = kLibraryRecordCount * MacroRecord::kSize;  // 25,600
inline constexpr std::string_view kLibraryFileName = "Macro.bin";
inline constexpr std::string_view kDriverLibraryFileName = "Driver_Macro.bin";
inline constexpr std::string_view kDefaultLibraryResource = "PCMacroData";

using LibraryRecords = std::array<MacroRecord, kLibraryRecordCount>;

// Outcome of a load or a save; `error` says why when it failed.
struct FileResult {
    bool ok = true;
    std::string error;
    explicit operator bool() const { return ok; }
};

// --- File contents (also the export and import files) ------------------------------------
// Record i from offset 256 i, as far as `bytes` go; what they do not cover stays as it was.
void ReadLibraryRecords(std::span<const std::uint8_t> bytes, LibraryRecords& records);
std::vector<std::uint8_t> LibraryBytes(const LibraryRecords& records);
// One record per whole 2048 bytes; trailing bytes are ignored.
std::vector<DriverMacroRecord> ReadDriverRecords(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> DriverRecordsBytes(std::span<const DriverMacroRecord> records);

// Moves the records in use to the front, in order, and clears the rest, so that list
// position = record number holds and a record beyond the last macro is always empty. A
// library as this editor writes it is left unchanged.
void CompactLibrary(LibraryRecords& records);
// Number of records in use (records 0 .. count - 1 of a compact library).
std::size_t UsedCount(const LibraryRecords& records);
// Name texts of the records in use, in order: the page's macro list.
std::vector<std::string> LibraryNames(const LibraryRecords& records);
std::vector<std::string> LibraryNames(std::span<const DriverMacroRecord> records);

// --- EEPROM mode ------------------------------------------------------------------------
class MacroLibrary {
public:
    explicit MacroLibrary(std::filesystem::path folder);

    // Loads "Macro.bin" (`CheckPCMacro`). A missing file gives the default library, and the
    // file is created at once (a failure to create it is reported, the defaults stay). A
    // file that exists but cannot be read is reported, the library stays empty and saves
    // are refused, so the user's file is never replaced by a library that lost its macros.
    FileResult CheckPCMacro();

    // Writes "Macro.bin" from the library as it is (`RefreshPCMacro`).
    FileResult RefreshPCMacro();

    // Writes `next` (compacted first) as "Macro.bin"; only once it is written does it
    // become the library.
    FileResult Replace(const LibraryRecords& next);

    // The release option of a record, in memory only: it reaches the file with the next
    // save. False for a record number out of range.
    bool SetStopFlag(std::size_t record, std::uint8_t stopFlag);

    const LibraryRecords& Records() const { return records_; }
    std::size_t Count() const { return UsedCount(records_); }
    std::vector<std::string> Names() const { return LibraryNames(records_); }
    std::filesystem::path FilePath() const;

private:
    std::filesystem::path folder_;
    LibraryRecords records_{};
    std::string loadError_;  // set when the existing file could not be read
};

// --- Driver mode --------------------------------------------------------------------------
class DriverMacroLibrary {
public:
    explicit DriverMacroLibrary(std::filesystem::path folder);

    // Loads "Driver_Macro.bin" (`CheckDriverPCMacro`); a missing file gives an empty list
    // and is created by the first save. An unreadable file is reported and blocks saves, as
    // in EEPROM mode. Records whose name marks them unused are dropped from the list.
    FileResult CheckDriverPCMacro();

    // Writes "Driver_Macro.bin" from the list as it is, then brings the bodies of the driver
    // macro list up to date (`RefreshDriverPCMacro`).
    FileResult RefreshDriverPCMacro(DriverMacroList& driverList);

    // Writes `next` (unused records dropped) as the file; once written it becomes the list,
    // and the driver macro list is brought up to date from it.
    FileResult Replace(std::vector<DriverMacroRecord> next, DriverMacroList& driverList);

    // The release option of a record, in memory only (see MacroLibrary::SetStopFlag).
    bool SetStopFlag(std::size_t record, std::uint8_t stopFlag);

    const std::vector<DriverMacroRecord>& Records() const { return records_; }
    std::size_t Count() const { return records_.size(); }
    std::vector<std::string> Names() const { return LibraryNames(records_); }
    std::filesystem::path FilePath() const;

private:
    std::filesystem::path folder_;
    std::vector<DriverMacroRecord> records_;
    std::string loadError_;
};

}  // namespace qeltra3k::macros
