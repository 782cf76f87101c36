#pragma once
// The macro page's library commands: create, rename and delete a macro, import and export
// one macro or the whole library. Each takes what its dialog returned (a name text, a chosen
// file) and either changes the library together with its file, or changes nothing and says
// why. A failed save leaves the library in memory and on disk as it was.
//
// Files have no header: one macro is one record (256 bytes in EEPROM mode, 2048 in driver
// mode), the whole library is the records in order, as in "Macro.bin" and "Driver_Macro.bin".
// The page empties its row list after a create, delete or import and rebuilds the macro list
// and the assignment name list from the library.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "macros/DriverMacroList.h"
#include "macros/MacroLibrary.h"

namespace qeltra3k::macros {

// "New Macro" (page button and library menu) is refused from this many macros on, in both
// modes; the commands are disabled while the list holds as many.
inline constexpr std::size_t kNewMacroLimit = 100;
// "Import One" is refused from this many macros on. In EEPROM mode it stops one short of
// the library's 100 records.
inline constexpr std::size_t kImportOneLimit = 99;
inline constexpr std::size_t kDriverImportOneLimit = 9999;
// Appended to every chosen export file name, even one that ends in it already.
inline constexpr std::string_view kExportExtension = ".bin";

enum class LibraryOutcome : std::uint8_t {
    Done,
    NothingSelected,   // the command needs a selected macro: nothing happens
    LibraryFull,       // Str104
    EmptyName,         // the name dialog returned no text: refused without a message
    InvalidName,       // more than 16 UTF-16 units, a NUL or broken UTF-8: refused
    MacroExists,       // Str106
    BadFile,           // Str102: the file cannot be read, or its macro has no name
    LengthOutOfRange,  // Str103
    WriteFailed,       // the library file or the export file was not written; see `error`
};
// Language key of the outcome's message ("Str106"); empty when it has none. A failed write
// shows the platform's error instead.
std::string_view LibraryMessageKey(LibraryOutcome outcome);

struct LibraryResult {
    LibraryOutcome outcome = LibraryOutcome::Done;
    // After a create, rename, delete or single import that was done: the list position to
    // select; nothing when the list is left without a selection.
    std::optional<std::size_t> selection;
    std::string error;  // why a file could not be read or written
    explicit operator bool() const { return outcome == LibraryOutcome::Done; }
};

// Whether both "New Macro" commands are enabled for a list of `count` macros.
bool NewMacroEnabled(std::size_t count);
// Whether "Import One" may open its dialog.
bool ImportOneAllowed(const MacroLibrary& library);
bool ImportOneAllowed(const DriverMacroLibrary& library);

// The file an export writes for the name chosen in the save dialog: the name with ".bin"
// appended (x gives x.bin, x.bin gives x.bin.bin), in the chosen folder.
std::filesystem::path ExportFilePath(const std::filesystem::path& chosen);

// --- EEPROM mode ------------------------------------------------------------------------------
// The name dialog's result for "New Macro": a new empty macro named `nameText` at the end.
// Refused at the limit, for an empty or unstorable name, and for a name text the list holds.
LibraryResult CreateMacro(MacroLibrary& library, std::string_view nameText);
// The name dialog's result for "Rename" of the macro at `position`; the body and the
// position stay. A name equal to any list text, the macro's own included, is refused.
LibraryResult RenameMacro(MacroLibrary& library, std::optional<std::size_t> position, std::string_view nameText);
// Removes the macro at `position`; the macros after it move up. Selects the one before it
// (the first when it was the first), nothing when the list is empty.
LibraryResult DeleteMacro(MacroLibrary& library, std::optional<std::size_t> position);
// Adds the macro of a single-macro file at the end. The file must be exactly one record; a
// macro whose 32 name bytes are already in the library is refused.
LibraryResult ImportOneMacro(MacroLibrary& library, const std::filesystem::path& file);
// Reads a whole-library file over the library, record i from offset 256 i. A file shorter
// than the library replaces only the records it covers and must end on a record boundary,
// so no record is left half old, half new; beyond 100 records nothing is read. Names are
// not checked for duplicates.
LibraryResult ImportAllMacros(MacroLibrary& library, const std::filesystem::path& file);
// Writes the macro at `position` (256 bytes) to ExportFilePath(chosen).
LibraryResult ExportOneMacro(const MacroLibrary& library, std::optional<std::size_t> position,
                             const std::filesystem::path& chosen);
// Writes all 100 records, the empty ones included (25,600 bytes), to ExportFilePath(chosen).
LibraryResult ExportAllMacros(const MacroLibrary& library, const std::filesystem::path& chosen);

// --- Driver mode ------------------------------------------------------------------------------
// The same commands on the PC driver macro list. Every save also brings the driver macro
// list's bodies up to date from it.
LibraryResult CreateMacro(DriverMacroLibrary& library, DriverMacroList& driverList, std::string_view nameText);
LibraryResult RenameMacro(DriverMacroLibrary& library, DriverMacroList& driverList, std::optional<std::size_t> position,
                          std::string_view nameText);
LibraryResult DeleteMacro(DriverMacroLibrary& library, DriverMacroList& driverList,
                          std::optional<std::size_t> position);
// The file must be exactly one 2048-byte record.
LibraryResult ImportOneMacro(DriverMacroLibrary& library, DriverMacroList& driverList,
                             const std::filesystem::path& file);
// Replaces the list with the file's whole 2048-byte records (bytes after the last are
// ignored). A file without a whole record is refused, so it never empties the library.
LibraryResult ImportAllMacros(DriverMacroLibrary& library, DriverMacroList& driverList,
                              const std::filesystem::path& file);
LibraryResult ExportOneMacro(const DriverMacroLibrary& library, std::optional<std::size_t> position,
                             const std::filesystem::path& chosen);
LibraryResult ExportAllMacros(const DriverMacroLibrary& library, const std::filesystem::path& chosen);

}  // namespace qeltra3k::macros
