#include "device/WriteFrame.h"

#include <algorithm>
#include <iterator>

namespace qeltra3k::device {

namespace {

struct ChipEntry {
    std::uint8_t statusByte;
    std::uint8_t chipCode;
};

constexpr ChipEntry kChips[] = {{0x35, 0x90}, {0x75, 0x99}, {0xFD, 0x98}};

}  // namespace

std::uint8_t ChipCode(std::uint8_t statusByte3)
{
    const auto it = std::find_if(std::begin(kChips), std::end(kChips),
                                 [statusByte3](const ChipEntry& c) { return c.statusByte == statusByte3; });
    return it == std::end(kChips) ? 0 : it->chipCode;
}

WriteFrameResult RunWriteFrame(FeatureProtocol& protocol, std::span<const BlockWrite> writes)
{
    WriteFrameResult result;
    if (!protocol.SendCommand(OpenCmd) || !protocol.SendCommand(StatusCmd))
        return result;
    const Report reply = protocol.LastReply();
    result.memoryReady = (reply[2] & MemoryReadyFlag) != 0;
    result.chipCode = ChipCode(reply[3]);
    if (reply[1] != StatusReady)
        return result;

    if (!result.memoryReady || result.chipCode == 0) {
        result.outcome = WriteFrameOutcome::MemoryNotReady;
    } else {
        bool allDone = true;
        for (const BlockWrite& write : writes) {
            allDone = protocol.WriteBlock(write.address, static_cast<std::uint16_t>(write.bytes.size()), write.bytes) &&
                      allDone;
        }
        result.outcome = allDone ? WriteFrameOutcome::Written : WriteFrameOutcome::WriteFailed;
    }
    protocol.SendCommand(SystemReloadCmd);
    protocol.SendCommand(CloseCmd);
    return result;
}

}  // namespace qeltra3k::device
