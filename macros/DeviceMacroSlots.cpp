#include "macros/DeviceMacroSlots.h"

#include <algorithm>
#include <array>

#include "config/Checksum.h"
#include "device/AtomicFile.h"
#include "device/FeatureProtocol.h"

namespace qeltra3k::macros {

namespace {

std::string SlotNameText(const MacroName& name) { return IsUnusedSlotName(name) ? std::string() : NameToText(name); }

}  // namespace

bool SlotBodyIsValid(std::span<const std::uint8_t> body)
{
    // The same test as any body's checksum: a length of 0 or one that puts the checksum
    // outside the body fails.
    return HasValidChecksum(body, BodyLayout::Eeprom);
}

void DeviceMacroSlots::ReadAndRefreshMacro(const config::DeviceImage& image)
{
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        OverlayRecord(std::span<const std::uint8_t>(image).subspan(kSlotRecordAddresses[slot], MacroRecord::kSize),
                      slots_[slot]);
    CheckMacroContentBuf();
    RefreshMacroName();
}

void DeviceMacroSlots::CheckMacroContentBuf()
{
    for (std::size_t slot = 0; slot < kCheckedSlotCount; ++slot) {
        if (!SlotBodyIsValid(slots_[slot].body))
            slots_[slot].body.fill(0x00);
    }
}

void DeviceMacroSlots::RefreshMacroName()
{
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        names_[slot] = SlotNameText(slots_[slot].name);
}

void DeviceMacroSlots::RefreshBaseMacroBuf(config::DeviceImage& image) const
{
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        std::vector<std::uint8_t> bytes;
        AppendRecordBytes(slots_[slot], bytes);
        std::copy(bytes.begin(), bytes.end(), image.begin() + kSlotRecordAddresses[slot]);
    }
}

bool DeviceMacroSlots::SetSlot(std::size_t slot, const MacroRecord& record)
{
    if (slot >= kSlotCount)
        return false;
    slots_[slot] = record;
    names_[slot] = SlotNameText(record.name);
    return true;
}

FileResult ImportBaseMacroFile(const std::filesystem::path& file, config::DeviceImage& image, DeviceMacroSlots& slots)
{
    const device::FileContent content = device::ReadWholeFile(file, kBaseMacroBlockSize);
    if (!content.bytes)
        return {false, content.error};
    if (content.bytes->size() < kBaseMacroBlockSize)
        return {false, file.string() + " holds " + std::to_string(content.bytes->size()) + " bytes, less than the " +
                           std::to_string(kBaseMacroBlockSize) + " bytes of a macro block"};
    std::copy_n(content.bytes->begin(), kBaseMacroBlockSize, image.begin() + config::kMacroBlockA.offset);
    slots.ReadAndRefreshMacro(image);
    return {};
}

device::WriteFrameResult WriteBaseMacroBlock(device::FeatureProtocol& protocol, const config::DeviceImage& image)
{
    const std::array<device::BlockWrite, 1> writes{{{static_cast<std::uint16_t>(config::kMacroBlockA.offset),
                                                     std::span<const std::uint8_t>(image).subspan(
                                                         config::kMacroBlockA.offset, kBaseMacroBlockSize)}}};
    return device::RunWriteFrame(protocol, writes);
}

}  // namespace qeltra3k::macros
