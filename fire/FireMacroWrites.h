#pragma once
// The fire macro writes to the mouse: the preset load's and gun macro import's block write,
// and Confirm's four writes (the three fire macro tables, then the block). Each runs the
// write frame of device/WriteFrame.h; the caller wraps them in its busy frame (device watch
// off, loading window shown).
#include <cstdint>
#include <span>

#include "config/ImageLayout.h"
#include "device/FeatureProtocol.h"
#include "device/WriteFrame.h"
#include "fire/FireMacros.h"

namespace qeltra3k::fire {

// The block copy to 0x500 (after a preset load or a gun macro import).
device::WriteFrameResult WriteFireMacroBlock(device::FeatureProtocol& protocol, const FireMacroBlock& block);

// Confirm on the fire macro page: packs the working copy into the block copy, then writes the
// fire macro key table (0x80), the offset table (0xB0), the colour table (0xD0) from DataBuf
// and the block copy (0x500).
device::WriteFrameResult ConfirmFireMacros(device::FeatureProtocol& protocol, FireMacros& macros,
                                   const config::DataBuf& dataBuf);

}  // namespace qeltra3k::fire
