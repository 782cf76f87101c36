#pragma once
// The write frame: the device transaction that every block write outside the read/apply
// workflows uses (fire macro writes, the base macro import). OpenCmd, StatusCmd, the block
// writes only when the mouse is ready with its memory and a known chip, then
// SystemReloadCmd and CloseCmd. The caller wraps it in its busy frame.
#include <cstdint>
#include <span>

#include "device/FeatureProtocol.h"

namespace qeltra3k::device {

// The chip code that StatusCmd reply byte 3 names; 0 for a value the editor does not know.
std::uint8_t ChipCode(std::uint8_t statusByte3);

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

// The write frame around `writes`, in their order. No identifier check is made.
WriteFrameResult RunWriteFrame(FeatureProtocol& protocol, std::span<const BlockWrite> writes);

}  // namespace qeltra3k::device
