#include "macros/DeviceMacroSlots.h"

#include <algorithm>

#include "config/Checksum.h"
#include "device/AtomicFile.h"
#include "device/FeatureProtocol.h"

namespace qeltra3k::macros {

namespace {

// StatusCmd reply byte 3 values that name a known chip; any other means chip code 0.
constexpr std::array<std::uint8_t, 3> kKnownChipSources{0x35, 0x75, 0xFD};

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
    const device::FileContent content = device::ReadWholeFile(file);
    if (!content.bytes)
        return {false, content.error};
    if (content.bytes->size() < kBaseMacroBlockSize)
        return {false, file.string() + " holds " + std::to_string(content.bytes->size()) + " bytes, less than the " +
                           std::to_string(kBaseMacroBlockSize) + " bytes of a macro block"};
    std::copy_n(content.bytes->begin(), kBaseMacroBlockSize, image.begin() + config::kMacroBlockA.offset);
    slots.ReadAndRefreshMacro(image);
    return {};
}

BaseMacroTransfer WriteBaseMacroBlock(device::FeatureProtocol& protocol, const config::DeviceImage& image)
{
    if (!protocol.SendCommand(device::OpenCmd) || !protocol.SendCommand(device::StatusCmd))
        return BaseMacroTransfer::NoAnswer;
    const device::Report status = protocol.LastReply();
    if (status[1] != device::StatusReady)
        return BaseMacroTransfer::NoAnswer;

    const bool memoryReady = (status[2] & device::MemoryReadyFlag) != 0;
    const bool knownChip = std::find(kKnownChipSources.begin(), kKnownChipSources.end(), status[3]) !=
                           kKnownChipSources.end();
    BaseMacroTransfer result = BaseMacroTransfer::NotReady;
    if (memoryReady && knownChip) {
        const bool written = protocol.WriteBlock(static_cast<std::uint16_t>(config::kMacroBlockA.offset),
                                                 static_cast<std::uint16_t>(kBaseMacroBlockSize),
                                                 std::span<const std::uint8_t>(image).subspan(config::kMacroBlockA.offset,
                                                                                               kBaseMacroBlockSize));
        result = written ? BaseMacroTransfer::Written : BaseMacroTransfer::WriteFailed;
    }
    protocol.SendCommand(device::SystemReloadCmd);
    protocol.SendCommand(device::CloseCmd);
    return result;
}

}  // namespace qeltra3k::macros
