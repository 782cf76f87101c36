#include "fire/FireMacroWrites.h"

#include <algorithm>
#include <array>

namespace qeltra3k::fire {

namespace {

device::BlockWrite SectionWrite(const config::DataBuf& dataBuf, const config::Section& section)
{
    return {static_cast<std::uint16_t>(section.imageOffset),
            std::span<const std::uint8_t>(dataBuf).subspan(section.dataBufOffset, section.length)};
}

}  // namespace

device::WriteFrameResult WriteFireMacroBlock(device::FeatureProtocol& protocol, const FireMacroBlock& block)
{
    const std::array<device::BlockWrite, 1> writes{{{static_cast<std::uint16_t>(config::kFireMacroBlock.offset), block}}};
    return device::RunWriteFrame(protocol, writes);
}

device::WriteFrameResult ConfirmFireMacros(device::FeatureProtocol& protocol, FireMacros& macros,
                                   const config::DataBuf& dataBuf)
{
    macros.Pack();
    const std::array<device::BlockWrite, 4> writes{{
        SectionWrite(dataBuf, config::kFireMacroKeyTable),
        SectionWrite(dataBuf, config::kFireMacroOffsetTable),
        SectionWrite(dataBuf, config::kFireMacroColourTable),
        {static_cast<std::uint16_t>(config::kFireMacroBlock.offset), macros.Block()},
    }};
    return device::RunWriteFrame(protocol, writes);
}

}  // namespace qeltra3k::fire
