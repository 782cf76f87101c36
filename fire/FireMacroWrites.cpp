#include "fire/FireMacroWrites.h"

#include <algorithm>
#include <array>

namespace qeltra3k::fire {

namespace {

struct ChipEntry {
    std::uint8_t statusByte;
    std::uint8_t chipCode;
};

constexpr ChipEntry kChips[] = {{0x35, 0x90}, {0x75, 0x99}, {0xFD, 0x98}};

BlockWrite SectionWrite(const config::DataBuf& dataBuf, const config::Section& section)
{
    return {static_cast<std::uint16_t>(section.imageOffset),
            std::span<const std::uint8_t>(dataBuf).subspan(section.dataBufOffset, section.length)};
}

}  // namespace

std::uint8_t ChipCode(std::uint8_t statusByte3)
{
    const auto it = std::find_if(std::begin(kChips), std::end(kChips),
                                 [statusByte3](const ChipEntry& c) { return c.statusByte == statusByte3; });
    return it == std::end(kChips) ? 0 : it->chipCode;
}

WriteFrameResult RunWriteFrame(device::FeatureProtocol& protocol, std::span<const BlockWrite> writes)
{
    WriteFrameResult result;
    if (!protocol.SendCommand(device::OpenCmd) || !protocol.SendCommand(device::StatusCmd))
        return result;
    const device::Report reply = protocol.LastReply();
    result.memoryReady = (reply[2] & device::MemoryReadyFlag) != 0;
    result.chipCode = ChipCode(reply[3]);
    if (reply[1] != device::StatusReady)
        return result;

    if (!result.memoryReady || result.chipCode == 0) {
        result.outcome = WriteFrameOutcome::MemoryNotReady;
    } else {
        bool allDone = true;
        for (const BlockWrite& write : writes) {
            allDone = protocol.WriteBlock(write.address, static_cast<std::uint16_t>(write.bytes.size()),
                                          write.bytes) && allDone;
        }
        result.outcome = allDone ? WriteFrameOutcome::Written : WriteFrameOutcome::WriteFailed;
    }
    protocol.SendCommand(device::SystemReloadCmd);
    protocol.SendCommand(device::CloseCmd);
    return result;
}

WriteFrameResult WriteFireMacroBlock(device::FeatureProtocol& protocol, const FireMacroBlock& block)
{
    const std::array<BlockWrite, 1> writes{{{static_cast<std::uint16_t>(config::kFireMacroBlock.offset), block}}};
    return RunWriteFrame(protocol, writes);
}

WriteFrameResult ConfirmFireMacros(device::FeatureProtocol& protocol, FireMacros& macros,
                                   const config::DataBuf& dataBuf)
{
    macros.Pack();
    const std::array<BlockWrite, 4> writes{{
        SectionWrite(dataBuf, config::kFireMacroKeyTable),
        SectionWrite(dataBuf, config::kFireMacroOffsetTable),
        SectionWrite(dataBuf, config::kFireMacroColourTable),
        {static_cast<std::uint16_t>(config::kFireMacroBlock.offset), macros.Block()},
    }};
    return RunWriteFrame(protocol, writes);
}

}  // namespace qeltra3k::fire
