#include "fire/FireMacros.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "config/Conversion.h"
#include "resources/Resources.h"

namespace qeltra3k::fire {

namespace {

constexpr const char* kPresetNames[kFireMacroPresetCount] = {"fireMacro_0", "fireMacro_1", "fireMacro_2"};

bool ValidIndex(std::size_t k) { return k >= 1 && k <= kFireMacroCount; }

std::size_t KeyTypeOffset(std::size_t k)
{
    return config::field::FireMacroKeyTable + config::kKeyCodeSize * (k - 1);
}

std::uint8_t KeyTypeFor(bool stopOnRelease)
{
    return stopOnRelease ? config::code_type::DeviceMacroHeld : config::code_type::FireMacroToEnd;
}

// The two values that mean "nothing here" in a fire macro block: cleared and erased memory.
bool IsBlank(std::uint8_t byte) { return byte == 0x00 || byte == 0xFF; }

}  // namespace

std::optional<std::uint16_t> FireMacroAddress(std::size_t k)
{
    if (!ValidIndex(k))
        return std::nullopt;
    return static_cast<std::uint16_t>(config::kFireMacroBlock.offset + kFireMacroRecordSize * (k - 1) +
                                      record_offset::Length);
}

OperandPositions FireMacros::Positions(std::size_t k) const
{
    return ValidIndex(k) ? positions_[k - 1] : OperandPositions{};
}

void FireMacros::LoadBlock(std::span<const std::uint8_t, kFireMacroBlockSize> block)
{
    std::copy(block.begin(), block.end(), block_.begin());
    Unpack();
}

void FireMacros::LoadFromImage(const config::DeviceImage& image)
{
    LoadBlock(std::span(image).subspan<config::kFireMacroBlock.offset, kFireMacroBlockSize>());
}

std::size_t FireMacros::ImportGunMacro(std::span<const std::uint8_t> fileBytes)
{
    const std::size_t taken = std::min(fileBytes.size(), block_.size());
    std::copy_n(fileBytes.begin(), taken, block_.begin());
    Unpack();
    return taken;
}

void FireMacros::Unpack()
{
    for (std::size_t i = 0; i < kFireMacroCount; ++i)
        std::copy_n(block_.begin() + i * kFireMacroRecordSize, kFireMacroRecordSize, records_[i].begin());
    positions_ = {};
}

void FireMacros::Pack()
{
    for (std::size_t i = 0; i < kFireMacroCount; ++i)
        std::copy(records_[i].begin(), records_[i].end(), block_.begin() + i * kFireMacroRecordSize);
}

bool FireMacros::FireMacroChecksum(std::size_t k)
{
    return ValidIndex(k) && WriteFireMacroRecordChecksum(records_[k - 1]);
}

std::optional<FireMacroFields> FireMacros::Decode(std::size_t k, config::DataBuf& dataBuf)
{
    if (!ValidIndex(k))
        return std::nullopt;
    auto fields = DecodeFireMacroRecord(records_[k - 1]);
    positions_[k - 1] = fields ? fields->positions : OperandPositions{};
    if (fields)
        dataBuf[KeyTypeOffset(k)] = KeyTypeFor(fields->stopOnRelease);
    return fields;
}

bool FireMacros::SetParameter(std::size_t k, FireParameter parameter, int value)
{
    if (!ValidIndex(k))
        return false;
    return WriteFireParameter(records_[k - 1], parameter, positions_[k - 1].At(parameter), value);
}

bool FireMacros::SetStopFlag(std::size_t k, bool stopOnRelease, config::DataBuf& dataBuf)
{
    if (!ValidIndex(k))
        return false;
    records_[k - 1][record_offset::StopFlag] = stopOnRelease ? kStopOnRelease : kPlayToEnd;
    dataBuf[KeyTypeOffset(k)] = KeyTypeFor(stopOnRelease);
    return true;
}

bool HoldsFireMacros(const FireMacroBlock& block)
{
    return !IsBlank(block[record_offset::StopFlag]) || !IsBlank(block[record_offset::FirstEvent]);
}

std::optional<FireMacroBlock> FireMacroPreset(int kind)
{
    if (kind < 0 || kind >= kFireMacroPresetCount)
        return std::nullopt;
    const auto bytes = resources::Find(kPresetNames[kind]);
    if (!bytes || bytes->size() != kFireMacroBlockSize)
        return std::nullopt;
    FireMacroBlock block{};
    std::copy(bytes->begin(), bytes->end(), block.begin());
    return block;
}

bool LoadFireMacroPreset(FireMacros& macros, int kind)
{
    const auto preset = FireMacroPreset(kind);
    if (!preset)
        return false;
    macros.LoadBlock(*preset);
    return true;
}

FirePresetButtons PresetButtonsFor(const FireMacroBlock& block)
{
    const bool holds = HoldsFireMacros(block);
    return {holds, !holds};
}

GunMacroImport ImportGunMacroFile(FireMacros& macros, const std::filesystem::path& path)
{
    GunMacroImport result;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        result.error = path.string() + ": is a folder, not a file";
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = path.string() + ": " + std::strerror(errno);
        return result;
    }
    // Only the block's worth is read: the file may be anything the user picked.
    FireMacroBlock buffer{};
    in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    if (in.bad()) {
        result.error = path.string() + ": the file could not be read";
        return result;
    }
    const auto count = static_cast<std::size_t>(in.gcount());
    result.bytesTaken = macros.ImportGunMacro(std::span(buffer).first(count));
    result.imported = true;
    return result;
}

}  // namespace qeltra3k::fire
