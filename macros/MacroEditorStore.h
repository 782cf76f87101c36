#pragma once
// What the macro editor needs of the PC macro library, in either mode: the body of a macro
// by its list position, and a save of a changed body that writes the library file at once.
// A save that fails leaves the library in memory and its file as they were.
#include <cstddef>
#include <cstdint>
#include <span>

#include "macros/MacroBody.h"
#include "macros/MacroLibrary.h"

namespace qeltra3k::macros {

class DriverMacroList;

class MacroBodyStore {
public:
    virtual ~MacroBodyStore() = default;

    virtual BodyLayout Layout() const = 0;
    // Macros in use; list positions 0 .. Count() - 1 are their record numbers.
    virtual std::size_t Count() const = 0;
    // The body of a macro in use; empty for a position beyond the last macro.
    virtual std::span<const std::uint8_t> Body(std::size_t position) const = 0;
    // Gives the macro `body` (a whole body of the layout) and writes the library file.
    virtual FileResult SaveBody(std::size_t position, std::span<const std::uint8_t> body) = 0;
    // The release option straight into the body's first byte, in memory only: the checksum
    // does not cover it, and it reaches the file with the next save.
    virtual bool SetStopFlag(std::size_t position, std::uint8_t stopFlag) = 0;
};

// EEPROM mode: the 100-record library and "Macro.bin".
class LibraryBodyStore final : public MacroBodyStore {
public:
    explicit LibraryBodyStore(MacroLibrary& library) : library_(library) {}

    BodyLayout Layout() const override { return BodyLayout::Eeprom; }
    std::size_t Count() const override { return library_.Count(); }
    std::span<const std::uint8_t> Body(std::size_t position) const override;
    FileResult SaveBody(std::size_t position, std::span<const std::uint8_t> body) override;
    bool SetStopFlag(std::size_t position, std::uint8_t stopFlag) override;

private:
    MacroLibrary& library_;
};

// Driver mode: the PC driver macro list and "Driver_Macro.bin"; every save also brings the
// driver macro list's bodies up to date.
class DriverLibraryBodyStore final : public MacroBodyStore {
public:
    DriverLibraryBodyStore(DriverMacroLibrary& library, DriverMacroList& driverList)
        : library_(library), driverList_(driverList)
    {
    }

    BodyLayout Layout() const override { return BodyLayout::Driver; }
    std::size_t Count() const override { return library_.Count(); }
    std::span<const std::uint8_t> Body(std::size_t position) const override;
    FileResult SaveBody(std::size_t position, std::span<const std::uint8_t> body) override;
    bool SetStopFlag(std::size_t position, std::uint8_t stopFlag) override;

private:
    DriverMacroLibrary& library_;
    DriverMacroList& driverList_;
};

}  // namespace qeltra3k::macros
