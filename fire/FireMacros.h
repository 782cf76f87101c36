#pragma once
// The ten fire macros as the editor holds them: the 256-byte block exactly as it came from the
// mouse, a preset or a gun macro file, and the working copy of the ten records that the page
// edits in place. Also the three built-in presets, the gun macro file import and the check
// whether a block holds fire macros at all.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "config/ImageLayout.h"
#include "fire/FireMacroRecord.h"

namespace qeltra3k::fire {

inline constexpr std::size_t kFireMacroBlockSize = config::kFireMacroBlock.length;
// The records fill the front of the block; the 16 bytes after them belong to no record and
// are carried unchanged from the last read, preset or import to the next write.
inline constexpr std::size_t kFireMacroRecordsSize = kFireMacroCount * kFireMacroRecordSize;

using FireMacroBlock = std::array<std::uint8_t, kFireMacroBlockSize>;
using FireMacroRecords = std::array<FireMacroRecord, kFireMacroCount>;

// Device address of fire macro k's length byte (k = 1 .. 10), the address its key code
// carries; nothing for another k.
std::optional<std::uint16_t> FireMacroAddress(std::size_t k);

class FireMacros {
public:
    // The block copy, as last read, preset or imported (and packed by Pack).
    const FireMacroBlock& Block() const { return block_; }
    // The working copy: record k at index k - 1.
    const FireMacroRecords& Records() const { return records_; }
    // Operand positions of fire macro k found by its last decoding; none before one, and
    // none again once the records are replaced by an unpack.
    OperandPositions Positions(std::size_t k) const;

    // Takes a whole block (read from the mouse, a preset, bytes 0x500..0x5FF of an image)
    // and unpacks it.
    void LoadBlock(std::span<const std::uint8_t, kFireMacroBlockSize> block);
    void LoadFromImage(const config::DeviceImage& image);
    // A gun macro file's bytes: up to 256 from its start go into the block copy, the rest of
    // the block keeps what it held; then unpacks. Returns how many bytes were taken.
    std::size_t ImportGunMacro(std::span<const std::uint8_t> fileBytes);

    // Block copy -> working copy (240 bytes); the block's last 16 bytes stay as they are.
    // Earlier operand positions are forgotten: they described the records just replaced.
    void Unpack();
    // Working copy -> the first 240 bytes of the block copy; the last 16 stay as they are.
    void Pack();

    // Renews fire macro k's checksum in the working copy (one routine for all ten macros);
    // false when k is not 1 .. 10 or the record has no checksum (empty, or too long).
    bool FireMacroChecksum(std::size_t k);

    // Decodes fire macro k and remembers its operand positions. When its stop flag is 0 or 1
    // the macro's type byte in DataBuf's fire macro key table is set to match (0x0B plays to
    // the end, 0x0E stops on release). Nothing for a k outside 1 .. 10 or a record the page
    // does not show; its positions are then cleared, so no edit can land in it.
    std::optional<FireMacroFields> Decode(std::size_t k, config::DataBuf& dataBuf);

    // Writes one parameter in place at the position the last decoding found, and renews the
    // checksum. False, with the record untouched, when the record lacks the parameter's
    // event or the value is out of range.
    bool SetParameter(std::size_t k, FireParameter parameter, int value);

    // Stop flag of fire macro k (offset 0, not covered by the checksum) and its type byte in
    // the fire macro key table. False for a k outside 1 .. 10.
    bool SetStopFlag(std::size_t k, bool stopOnRelease, config::DataBuf& dataBuf);

private:
    FireMacroBlock block_{};
    FireMacroRecords records_{};
    std::array<OperandPositions, kFireMacroCount> positions_{};
};

// Whether a block holds fire macros: record 1's stop flag or its first event byte is
// neither 0x00 (cleared) nor 0xFF (erased).
bool HoldsFireMacros(const FireMacroBlock& block);

// --- Presets ----------------------------------------------------------------------------------
// 0 all records empty, 1 PC-game recoil macros, 2 mobile-game recoil macros.
inline constexpr int kFireMacroPresetCount = 3;
std::optional<FireMacroBlock> FireMacroPreset(int kind);
// TLFireMarcoParameter's model half: the preset into the block copy, then unpacked. False
// (nothing changed) for an unknown kind or a missing resource.
bool LoadFireMacroPreset(FireMacros& macros, int kind);

// Which engineer-page buttons are enabled: the delete button while the block holds fire
// macros, the two preset imports while it does not. After a preset load this gives the
// states the preset buttons leave (the empty preset holds none, the other two do).
struct FirePresetButtons {
    bool deleteEnabled = false;
    bool importEnabled = true;
    bool operator==(const FirePresetButtons&) const = default;
};
FirePresetButtons PresetButtonsFor(const FireMacroBlock& block);

// --- Gun macro file ---------------------------------------------------------------------------
struct GunMacroImport {
    bool imported = false;
    std::size_t bytesTaken = 0;
    std::string error;  // why the file could not be read; nothing changed then
};
// Reads at most the first 256 bytes of `path` (nothing else of the file) into the block copy
// and unpacks.
GunMacroImport ImportGunMacroFile(FireMacros& macros, const std::filesystem::path& path);

}  // namespace qeltra3k::fire
