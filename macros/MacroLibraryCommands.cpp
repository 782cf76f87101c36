#include "macros/MacroLibraryCommands.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>
#include <variant>
#include <vector>

#include "device/AtomicFile.h"

namespace qeltra3k::macros {

namespace {

LibraryResult Refused(LibraryOutcome outcome, std::string error = {}) { return {outcome, std::nullopt, std::move(error)}; }

LibraryResult Saved(const FileResult& written, std::optional<std::size_t> selection)
{
    if (!written)
        return Refused(LibraryOutcome::WriteFailed, written.error);
    return {LibraryOutcome::Done, selection, {}};
}

// The library of either mode as the list of its macros in use, and the way back: Store
// saves the list as the library, and only a written file changes the library in memory.
class EepromList {
public:
    using Record = MacroRecord;
    static constexpr std::size_t kImportLimit = kImportOneLimit;

    explicit EepromList(MacroLibrary& library) : library_(library) {}

    std::vector<Record> List() const
    {
        const LibraryRecords& records = library_.Records();
        return {records.begin(), records.begin() + static_cast<std::ptrdiff_t>(library_.Count())};
    }
    FileResult Store(const std::vector<Record>& list)
    {
        // The commands never let the list pass the library's record count.
        LibraryRecords next{};
        std::copy_n(list.begin(), std::min(list.size(), next.size()), next.begin());
        return library_.Replace(next);
    }

private:
    MacroLibrary& library_;
};

class DriverList {
public:
    using Record = DriverMacroRecord;
    static constexpr std::size_t kImportLimit = kDriverImportOneLimit;

    DriverList(DriverMacroLibrary& library, DriverMacroList& driverList) : library_(library), driverList_(driverList) {}

    std::vector<Record> List() const { return library_.Records(); }
    FileResult Store(std::vector<Record> list) { return library_.Replace(std::move(list), driverList_); }

private:
    DriverMacroLibrary& library_;
    DriverMacroList& driverList_;
};

// The name field for a name dialog's text, or why the text is refused.
template <class Record>
std::variant<MacroName, LibraryOutcome> CheckedName(std::string_view nameText, const std::vector<Record>& list)
{
    if (nameText.empty())
        return LibraryOutcome::EmptyName;
    const std::optional<MacroName> name = NameFromText(nameText);
    if (!name)
        return LibraryOutcome::InvalidName;
    // Naming compares the texts the list shows, so two entries never read alike.
    const bool exists = std::any_of(list.begin(), list.end(),
                                    [nameText](const Record& record) { return NameToText(record.name) == nameText; });
    if (exists)
        return LibraryOutcome::MacroExists;
    return *name;
}

std::optional<std::size_t> SelectedIn(std::optional<std::size_t> position, std::size_t count)
{
    if (!position || *position >= count)
        return std::nullopt;
    return position;
}

template <class Library>
LibraryResult Create(Library library, std::string_view nameText)
{
    std::vector<typename Library::Record> list = library.List();
    if (list.size() >= kNewMacroLimit)
        return Refused(LibraryOutcome::LibraryFull);
    const auto name = CheckedName(nameText, list);
    if (const auto* refusal = std::get_if<LibraryOutcome>(&name))
        return Refused(*refusal);
    // A new macro has no events: an all-zero body, which also means "stop after the macro
    // is over".
    typename Library::Record record{};
    record.name = std::get<MacroName>(name);
    list.push_back(record);
    const std::size_t position = list.size() - 1;
    return Saved(library.Store(std::move(list)), position);
}

template <class Library>
LibraryResult Rename(Library library, std::optional<std::size_t> position, std::string_view nameText)
{
    std::vector<typename Library::Record> list = library.List();
    const std::optional<std::size_t> selected = SelectedIn(position, list.size());
    if (!selected)
        return Refused(LibraryOutcome::NothingSelected);
    const auto name = CheckedName(nameText, list);
    if (const auto* refusal = std::get_if<LibraryOutcome>(&name))
        return Refused(*refusal);
    list[*selected].name = std::get<MacroName>(name);
    return Saved(library.Store(std::move(list)), selected);
}

template <class Library>
LibraryResult Delete(Library library, std::optional<std::size_t> position)
{
    std::vector<typename Library::Record> list = library.List();
    const std::optional<std::size_t> selected = SelectedIn(position, list.size());
    if (!selected)
        return Refused(LibraryOutcome::NothingSelected);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(*selected));
    std::optional<std::size_t> next;
    if (!list.empty())
        next = *selected == 0 ? 0 : *selected - 1;
    return Saved(library.Store(std::move(list)), next);
}

// The whole file, or the outcome that refuses it.
std::variant<std::vector<std::uint8_t>, LibraryResult> ReadImportFile(const std::filesystem::path& file)
{
    device::FileContent content = device::ReadWholeFile(file);
    if (!content.bytes)
        return Refused(LibraryOutcome::BadFile, std::move(content.error));
    return std::move(*content.bytes);
}

template <class Library>
LibraryResult ImportOne(Library library, const std::filesystem::path& file)
{
    using Record = typename Library::Record;
    std::vector<Record> list = library.List();
    if (list.size() >= Library::kImportLimit)
        return Refused(LibraryOutcome::LibraryFull);
    auto read = ReadImportFile(file);
    if (auto* refusal = std::get_if<LibraryResult>(&read))
        return std::move(*refusal);
    const auto& bytes = std::get<std::vector<std::uint8_t>>(read);
    // A single macro file is one record. Anything else is another kind of file (a library,
    // the other mode's macro) or a cut one, whose bytes would not make this mode's macro.
    if (bytes.size() != Record::kSize)
        return Refused(LibraryOutcome::LengthOutOfRange);
    Record record{};
    OverlayRecord(std::span<const std::uint8_t>(bytes), record);
    // A record without a name is an unused one: stored, it would leave a gap in the library.
    if (IsUnusedName(record.name))
        return Refused(LibraryOutcome::BadFile);
    const bool exists = std::any_of(list.begin(), list.end(),
                                    [&record](const Record& other) { return other.name == record.name; });
    if (exists)
        return Refused(LibraryOutcome::MacroExists);
    list.push_back(record);
    const std::size_t position = list.size() - 1;
    return Saved(library.Store(std::move(list)), position);
}

LibraryResult ExportBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& chosen)
{
    std::string error;
    if (!device::WriteFileAtomically(ExportFilePath(chosen), bytes, error))
        return Refused(LibraryOutcome::WriteFailed, std::move(error));
    return {};
}

template <class Record>
LibraryResult ExportOne(const std::vector<Record>& list, std::optional<std::size_t> position,
                        const std::filesystem::path& chosen)
{
    const std::optional<std::size_t> selected = SelectedIn(position, list.size());
    if (!selected)
        return Refused(LibraryOutcome::NothingSelected);
    std::vector<std::uint8_t> bytes;
    AppendRecordBytes(list[*selected], bytes);
    return ExportBytes(bytes, chosen);
}

struct OutcomeKey {
    LibraryOutcome outcome;
    std::string_view key;
};
constexpr std::array<OutcomeKey, 4> kMessageKeys{{
    {LibraryOutcome::BadFile, "Str102"},
    {LibraryOutcome::LengthOutOfRange, "Str103"},
    {LibraryOutcome::LibraryFull, "Str104"},
    {LibraryOutcome::MacroExists, "Str106"},
}};

}  // namespace

std::string_view LibraryMessageKey(LibraryOutcome outcome)
{
    for (const OutcomeKey& entry : kMessageKeys) {
        if (entry.outcome == outcome)
            return entry.key;
    }
    return {};
}

bool NewMacroEnabled(std::size_t count) { return count < kNewMacroLimit; }
bool ImportOneAllowed(const MacroLibrary& library) { return library.Count() < kImportOneLimit; }
bool ImportOneAllowed(const DriverMacroLibrary& library) { return library.Count() < kDriverImportOneLimit; }

std::filesystem::path ExportFilePath(const std::filesystem::path& chosen)
{
    std::filesystem::path file = chosen;
    file += kExportExtension;
    return file;
}

// --- EEPROM mode ------------------------------------------------------------------------------

LibraryResult CreateMacro(MacroLibrary& library, std::string_view nameText)
{
    return Create(EepromList(library), nameText);
}

LibraryResult RenameMacro(MacroLibrary& library, std::optional<std::size_t> position, std::string_view nameText)
{
    return Rename(EepromList(library), position, nameText);
}

LibraryResult DeleteMacro(MacroLibrary& library, std::optional<std::size_t> position)
{
    return Delete(EepromList(library), position);
}

LibraryResult ImportOneMacro(MacroLibrary& library, const std::filesystem::path& file)
{
    return ImportOne(EepromList(library), file);
}

LibraryResult ImportAllMacros(MacroLibrary& library, const std::filesystem::path& file)
{
    auto read = ReadImportFile(file);
    if (auto* refusal = std::get_if<LibraryResult>(&read))
        return std::move(*refusal);
    const auto& bytes = std::get<std::vector<std::uint8_t>>(read);
    // A shorter file replaces the records it covers; one that ends inside a record would
    // leave that record half the file's and half the old macro's.
    if (bytes.empty() || (bytes.size() < kLibraryFileSize && bytes.size() % MacroRecord::kSize != 0))
        return Refused(LibraryOutcome::LengthOutOfRange);
    LibraryRecords next = library.Records();
    ReadLibraryRecords(bytes, next);
    return Saved(library.Replace(next), std::nullopt);
}

LibraryResult ExportOneMacro(const MacroLibrary& library, std::optional<std::size_t> position,
                             const std::filesystem::path& chosen)
{
    const LibraryRecords& records = library.Records();
    const std::vector<MacroRecord> list(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(library.Count()));
    return ExportOne(list, position, chosen);
}

LibraryResult ExportAllMacros(const MacroLibrary& library, const std::filesystem::path& chosen)
{
    return ExportBytes(LibraryBytes(library.Records()), chosen);
}

// --- Driver mode ------------------------------------------------------------------------------

LibraryResult CreateMacro(DriverMacroLibrary& library, DriverMacroList& driverList, std::string_view nameText)
{
    return Create(DriverList(library, driverList), nameText);
}

LibraryResult RenameMacro(DriverMacroLibrary& library, DriverMacroList& driverList, std::optional<std::size_t> position,
                          std::string_view nameText)
{
    return Rename(DriverList(library, driverList), position, nameText);
}

LibraryResult DeleteMacro(DriverMacroLibrary& library, DriverMacroList& driverList, std::optional<std::size_t> position)
{
    return Delete(DriverList(library, driverList), position);
}

LibraryResult ImportOneMacro(DriverMacroLibrary& library, DriverMacroList& driverList, const std::filesystem::path& file)
{
    return ImportOne(DriverList(library, driverList), file);
}

LibraryResult ImportAllMacros(DriverMacroLibrary& library, DriverMacroList& driverList,
                              const std::filesystem::path& file)
{
    auto read = ReadImportFile(file);
    if (auto* refusal = std::get_if<LibraryResult>(&read))
        return std::move(*refusal);
    const auto& bytes = std::get<std::vector<std::uint8_t>>(read);
    // The import replaces the whole list: a file without one whole record would empty it.
    if (bytes.size() < DriverMacroRecord::kSize)
        return Refused(LibraryOutcome::LengthOutOfRange);
    return Saved(library.Replace(ReadDriverRecords(bytes), driverList), std::nullopt);
}

LibraryResult ExportOneMacro(const DriverMacroLibrary& library, std::optional<std::size_t> position,
                             const std::filesystem::path& chosen)
{
    return ExportOne(library.Records(), position, chosen);
}

LibraryResult ExportAllMacros(const DriverMacroLibrary& library, const std::filesystem::path& chosen)
{
    return ExportBytes(DriverRecordsBytes(library.Records()), chosen);
}

}  // namespace qeltra3k::macros
