#pragma once
// The six macro slots of the mouse's memory: four in macro block A (0x100 .. 0x4FF), two in
// macro block B (0x600 .. 0x7FF), one 256-byte `MacroRecord` each. The slot table holds a
// copy of them beside the device image, with the slot name list the pages show.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "config/ImageLayout.h"
#include "device/WriteFrame.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroRecord.h"

namespace qeltra3k::device {
class FeatureProtocol;
}

namespace qeltra3k::macros {

inline constexpr std::size_t kSlotCount = 6;
// Slots 1 to 4 are checked when they are loaded; slots 5 and 6 are taken as read.
inline constexpr std::size_t kCheckedSlotCount = 4;
// Image address of each slot's record (its name; the body follows at + 0x20).
inline constexpr std::array<std::uint16_t, kSlotCount> kSlotRecordAddresses{0x100, 0x200, 0x300,
                                                                           0x400, 0x600, 0x700};

// The slot check: length byte L, checksum at L + 1 inside the body. Fails for an empty body
// and for a length that puts the checksum outside the body.
bool SlotBodyIsValid(std::span<const std::uint8_t> body);

class DeviceMacroSlots {
public:
    // Fills the table from macro blocks A and B of `image`, checks slots 1 to 4 and
    // rebuilds the slot name list.
    void ReadAndRefreshMacro(const config::DeviceImage& image);

    // Empties the body (not the name) of each of slots 1 to 4 that fails the slot check.
    void CheckMacroContentBuf();

    // Rebuilds the slot name list: each slot's name text, empty for an unused name.
    void RefreshMacroName();

    // Copies the table back into macro blocks A and B of `image`.
    void RefreshBaseMacroBuf(config::DeviceImage& image) const;

    // Puts a copy of a library macro into slot `slot` (0-based) and its name into the name
    // list. False (nothing changed) for a slot out of range.
    bool SetSlot(std::size_t slot, const MacroRecord& record);

    const std::array<MacroRecord, kSlotCount>& Slots() const { return slots_; }
    const std::array<std::string, kSlotCount>& Names() const { return names_; }

private:
    std::array<MacroRecord, kSlotCount> slots_{};
    std::array<std::string, kSlotCount> names_{};
};

// --- Base macro block file ---------------------------------------------------------------
// A file whose first 1024 bytes are macro block A (slots 1 to 4) as in the image.
inline constexpr std::size_t kBaseMacroBlockSize = config::kMacroBlockA.length;

// Reads the file's first 1024 bytes into macro block A of `image` and refills `slots`. A
// file shorter than a block is refused (nothing changes): its tail would mix another
// macro's bytes into the slots.
FileResult ImportBaseMacroFile(const std::filesystem::path& file, config::DeviceImage& image,
                               DeviceMacroSlots& slots);

// The device transaction of the base macro import: macro block A as one block at 0x100 in the
// write frame of device/WriteFrame.h. The busy frame around it is the caller's.
device::WriteFrameResult WriteBaseMacroBlock(device::FeatureProtocol& protocol, const config::DeviceImage& image);

}  // namespace qeltra3k::macros
