#include "macros/MacroLibrary.h"

#include <algorithm>
#include <system_error>

#include "device/AtomicFile.h"
#include "macros/DriverMacroList.h"
#include "resources/Resources.h"

namespace qeltra3k::macros {

namespace {

FileResult Failed(std::string error) { return {false, std::move(error)}; }

// Saves over a file that could not be read would replace the user's macros with a library
// that never held them.
FileResult RefusedAfterLoadError(const std::filesystem::path& path, const std::string& loadError)
{
    return Failed("not saved: " + path.string() + " could not be read when the library was loaded (" + loadError +
                  "), so it is left as it is");
}

FileResult WriteWhole(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    // The data folder of a first run may not exist yet; if it cannot be made, the write
    // below says why.
    std::error_code ignored;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ignored);
    std::string error;
    if (!device::WriteFileAtomically(path, bytes, error))
        return Failed(std::move(error));
    return {};
}

void DropUnused(std::vector<DriverMacroRecord>& records)
{
    std::erase_if(records, [](const DriverMacroRecord& record) { return IsUnusedName(record.name); });
}

template <class Records>
std::vector<std::string> NamesOf(const Records& records)
{
    std::vector<std::string> names;
    for (const auto& record : records) {
        if (!IsUnusedName(record.name))
            names.push_back(NameToText(record.name));
    }
    return names;
}

}  // namespace

// --- File contents -----------------------------------------------------------------------

void ReadLibraryRecords(std::span<const std::uint8_t> bytes, LibraryRecords& records)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::size_t offset = i * MacroRecord::kSize;
        if (offset >= bytes.size())
            break;
        OverlayRecord(bytes.subspan(offset), records[i]);
    }
}

std::vector<std::uint8_t> LibraryBytes(const LibraryRecords& records)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kLibraryFileSize);
    for (const MacroRecord& record : records)
        AppendRecordBytes(record, bytes);
    return bytes;
}

std::vector<DriverMacroRecord> ReadDriverRecords(std::span<const std::uint8_t> bytes)
{
    std::vector<DriverMacroRecord> records(bytes.size() / DriverMacroRecord::kSize);
    for (std::size_t k = 0; k < records.size(); ++k)
        OverlayRecord(bytes.subspan(k * DriverMacroRecord::kSize), records[k]);
    return records;
}

std::vector<std::uint8_t> DriverRecordsBytes(std::span<const DriverMacroRecord> records)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(records.size() * DriverMacroRecord::kSize);
    for (const DriverMacroRecord& record : records)
        AppendRecordBytes(record, bytes);
    return bytes;
}

void CompactLibrary(LibraryRecords& records)
{
    const auto firstUnused = std::stable_partition(
        records.begin(), records.end(), [](const MacroRecord& record) { return !IsUnusedName(record.name); });
    std::fill(firstUnused, records.end(), MacroRecord{});
}

std::size_t UsedCount(const LibraryRecords& records)
{
    return static_cast<std::size_t>(std::count_if(records.begin(), records.end(),
                                                  [](const MacroRecord& record) { return !IsUnusedName(record.name); }));
}

std::vector<std::string> LibraryNames(const LibraryRecords& records) { return NamesOf(records); }
std::vector<std::string> LibraryNames(std::span<const DriverMacroRecord> records) { return NamesOf(records); }

// --- EEPROM mode ------------------------------------------------------------------------

MacroLibrary::MacroLibrary(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path MacroLibrary::FilePath() const { return folder_ / kLibraryFileName; }

FileResult MacroLibrary::CheckPCMacro()
{
    loadError_.clear();
    const device::FileContent content = device::ReadWholeFile(FilePath());
    if (content.bytes) {
        ReadLibraryRecords(*content.bytes, records_);
        CompactLibrary(records_);
        return {};
    }
    if (!content.missing) {
        loadError_ = content.error;
        return Failed(content.error);
    }
    if (const std::optional<resources::Bytes> defaults = resources::Find(kDefaultLibraryResource))
        ReadLibraryRecords(*defaults, records_);
    CompactLibrary(records_);
    return RefreshPCMacro();
}

FileResult MacroLibrary::RefreshPCMacro()
{
    if (!loadError_.empty())
        return RefusedAfterLoadError(FilePath(), loadError_);
    return WriteWhole(FilePath(), LibraryBytes(records_));
}

FileResult MacroLibrary::Replace(const LibraryRecords& next)
{
    if (!loadError_.empty())
        return RefusedAfterLoadError(FilePath(), loadError_);
    LibraryRecords compact = next;
    CompactLibrary(compact);
    FileResult written = WriteWhole(FilePath(), LibraryBytes(compact));
    if (written)
        records_ = compact;
    return written;
}

bool MacroLibrary::SetStopFlag(std::size_t record, std::uint8_t stopFlag)
{
    if (record >= records_.size())
        return false;
    records_[record].body[StopFlagOffset] = stopFlag;
    return true;
}

// --- Driver mode --------------------------------------------------------------------------

DriverMacroLibrary::DriverMacroLibrary(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path DriverMacroLibrary::FilePath() const { return folder_ / kDriverLibraryFileName; }

FileResult DriverMacroLibrary::CheckDriverPCMacro()
{
    loadError_.clear();
    const device::FileContent content = device::ReadWholeFile(FilePath());
    if (content.bytes) {
        records_ = ReadDriverRecords(*content.bytes);
        DropUnused(records_);
        return {};
    }
    records_.clear();
    if (content.missing)
        return {};
    loadError_ = content.error;
    return Failed(content.error);
}

FileResult DriverMacroLibrary::RefreshDriverPCMacro(DriverMacroList& driverList)
{
    if (!loadError_.empty())
        return RefusedAfterLoadError(FilePath(), loadError_);
    FileResult written = WriteWhole(FilePath(), DriverRecordsBytes(records_));
    if (written)
        RefreshDriverWriteMacro(records_, driverList);
    return written;
}

FileResult DriverMacroLibrary::Replace(std::vector<DriverMacroRecord> next, DriverMacroList& driverList)
{
    if (!loadError_.empty())
        return RefusedAfterLoadError(FilePath(), loadError_);
    DropUnused(next);
    FileResult written = WriteWhole(FilePath(), DriverRecordsBytes(next));
    if (written) {
        records_ = std::move(next);
        RefreshDriverWriteMacro(records_, driverList);
    }
    return written;
}

bool DriverMacroLibrary::SetStopFlag(std::size_t record, std::uint8_t stopFlag)
{
    if (record >= records_.size())
        return false;
    records_[record].body[StopFlagOffset] = stopFlag;
    return true;
}

}  // namespace qeltra3k::macros
