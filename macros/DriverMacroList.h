#pragma once
// The driver macro list of driver mode: the macros buttons use, held by the filter driver.
// Record k lies at driver address 0x100 + 2048 k, its body at 0x120 + 2048 k (the address a
// button's macro code carries). Beside it, the driver-mode slot name list.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/ImageLayout.h"
#include "macros/MacroRecord.h"

namespace qeltra3k::macros {

inline constexpr std::size_t kDriverMacroListOffset = 0x100;  // in the driver image
// Records the driver macro list can hold: as many as fit into the driver image after its
// sections. A record beyond them would never reach the driver, and its code would play
// nothing.
inline constexpr std::size_t kDriverMacroListCapacity =
    (config::kDriverImageSize - kDriverMacroListOffset) / DriverMacroRecord::kSize;

class DriverMacroList {
public:
    // Replaces the list with records read from the driver (one per whole 2048 bytes) and
    // rebuilds the name list.
    void Load(std::span<const std::uint8_t> recordBytes);
    // The records as the driver takes them back, 2048 bytes each.
    std::vector<std::uint8_t> Bytes() const;

    // Rebuilds the name list: one entry per record, empty for an unused name.
    void RefreshDriverMacroName();

    // First record whose 32 name bytes equal `name`.
    std::optional<std::size_t> FindByName(const MacroName& name) const;
    // Appends a copy and its name entry; returns its position.
    std::size_t Append(const DriverMacroRecord& record);

    const std::vector<DriverMacroRecord>& Records() const { return records_; }
    const std::vector<std::string>& Names() const { return names_; }

private:
    friend void RefreshDriverWriteMacro(std::span<const DriverMacroRecord> pcLibrary, DriverMacroList& driverList);

    std::vector<DriverMacroRecord> records_;
    std::vector<std::string> names_;
};

// Gives every driver list record the body of the first PC driver library record with the
// same 32 name bytes; records without such a twin keep their body.
void RefreshDriverWriteMacro(std::span<const DriverMacroRecord> pcLibrary, DriverMacroList& driverList);

}  // namespace qeltra3k::macros
