#pragma once
// The fire macro writes to the mouse: the preset load's and gun macro import's block write,
// and Confirm's four writes (the three fire macro tables, then the block). Each runs the
// write frame: OpenCmd, StatusCmd, the block writes only when the mouse is ready with its
// memory and a known chip, then SystemReloadCmd and CloseCmd. The caller wraps them in its
// busy frame (device watch off, loading window shown).
#include <cstdint>
#include <span>

#include "config/ImageLayout.h"
#include "device/FeatureProtocol.h"
#include "fire/FireMacros.h"

namespace qeltra3k::fire {

enum class WriteFrameOutcome {
    Written,         // every block write was done
    Stopped,         // OpenCmd or StatusCmd not done, or the mouse not ready: nothing more sent
    MemoryNotReady,  // memory not ready or chip unknown: nothing written, the frame closed
    WriteFailed,     // a block write was not done (the others were still tried)
};

struct WriteFrameResult {
    WriteFrameOutcome outcome = WriteFrameOutcome::Stopped;
    // From the status reply, for the controller's state; false and 0 when there was none.
    bool memoryReady = false;
    std::uint8_t chipCode = 0;
};

struct BlockWrite {
    std::uint16_t address;
    std::span<const std::uint8_t> bytes;
};

// The chip code that StatusCmd reply byte 3 names; 0 for a value the editor does not know.
std::uint8_t ChipCode(std::uint8_t statusByte3);

// The write frame around `writes`, in their order. No identifier check is made.
WriteFrameResult RunWriteFrame(device::FeatureProtocol& protocol, std::span<const BlockWrite> writes);

// The block copy to 0x500 (after a preset load or a gun macro import).
WriteFrameResult WriteFireMacroBlock(device::FeatureProtocol& protocol, const FireMacroBlock& block);

// Confirm on the fire macro page: packs the working copy into the block copy, then writes the
// fire macro key table (0x80), the offset table (0xB0), the colour table (0xD0) from DataBuf
// and the block copy (0x500).
WriteFrameResult ConfirmFireMacros(device::FeatureProtocol& protocol, FireMacros& macros,
                                   const config::DataBuf& dataBuf);

}  // namespace qeltra3k::fire
