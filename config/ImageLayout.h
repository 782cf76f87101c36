#pragma once
// Byte layout of the mouse's 2048-byte configuration memory (the device image), of the
// 202-byte working record DataBuf that holds its seven configuration sections, and of the
// 40960-byte driver image of driver mode.
#include <array>
#include <cstddef>
#include <cstdint>

namespace qeltra3k::config {

constexpr std::size_t kImageSize = 2048;
constexpr std::size_t kDataBufSize = 202;
constexpr std::size_t kDriverImageSize = 40960;

using DeviceImage = std::array<std::uint8_t, kImageSize>;
using DataBuf = std::array<std::uint8_t, kDataBufSize>;

// A configuration section: where it lies in the device image and in DataBuf.
struct Section {
    std::size_t imageOffset;
    std::size_t dataBufOffset;
    std::size_t length;
};

constexpr Section kParameterA{0x000, 0, 48};
constexpr Section kParameterB{0x030, 48, 8};
constexpr Section kProfile{0x040, 56, 55};
constexpr Section kFireMacroKeyTable{0x080, 111, 30};
constexpr Section kFireMacroOffsetTable{0x0B0, 141, 20};
constexpr Section kFireMacroColourTable{0x0D0, 161, 30};
constexpr Section kFireKey{0x0F0, 191, 11};

// The order in which sections are loaded from an image (each checked right after its copy).
constexpr std::array<Section, 7> kSectionsInImageOrder{
    kParameterA, kParameterB, kProfile, kFireMacroKeyTable, kFireMacroOffsetTable, kFireMacroColourTable, kFireKey};

// Every configuration section lies in the first 255 bytes: a read of this stretch
// refreshes all of them without touching the macro blocks.
constexpr std::size_t kSettingsStretchLength = 255;

// Regions of the device image beyond the configuration sections.
struct Region {
    std::size_t offset;
    std::size_t length;
};
constexpr Region kMacroBlockA{0x100, 1024};
constexpr Region kFireMacroBlock{0x500, 256};
constexpr Region kMacroBlockB{0x600, 512};

// The filler between the sections of the first 256 bytes: never interpreted, only carried
// from the last load to the next store byte for byte.
constexpr std::array<Region, 6> kGaps{{
    {0x038, 8}, {0x077, 9}, {0x09E, 18}, {0x0C4, 12}, {0x0EE, 2}, {0x0FB, 5}}};

// Offsets of the fields inside DataBuf.
namespace field {
// Parameter A section (checksum in byte 47 over bytes 0..46).
constexpr std::size_t ModeFlags = 0;
constexpr std::size_t SwitchFlags = 1;
constexpr std::size_t LevelCount = 2;
constexpr std::size_t LedFlowFlags = 3;
constexpr std::size_t LedModeMask = 4;
constexpr std::size_t LevelValue = 6;    // 7 bytes, level n at 6 + (n - 1)
constexpr std::size_t LevelColour = 26;  // 7 x (R, G, B), level n at 26 + 3 (n - 1)
constexpr std::size_t ParameterAChecksum = 47;
// Parameter B section (three complement pairs, then the two ID bytes).
constexpr std::size_t CurrentLevel = 48;
constexpr std::size_t LedState = 50;
constexpr std::size_t KeyModeState = 52;
constexpr std::size_t VendorByte = 54;
constexpr std::size_t ProductByte = 55;
// Profile section (checksum in byte 110 over bytes 56..109).
constexpr std::size_t Profile1 = 56;  // 9 x 3-byte key function codes, key k at 56 + 3 (k - 1)
constexpr std::size_t Profile2 = 83;  // 9 x 3-byte key function codes, key k at 83 + 3 (k - 1)
constexpr std::size_t ProfileChecksum = 110;
// Fire macro tables (no checksum).
constexpr std::size_t FireMacroKeyTable = 111;     // 10 x 3-byte key codes
constexpr std::size_t FireMacroOffsetTable = 141;  // 10 x (offset, 255 - offset)
constexpr std::size_t FireMacroColourTable = 161;  // 10 x (R, G, B)
// Fire key section: a small device macro program, checksum in byte 201 over 191..200.
constexpr std::size_t FireKeyProgram = 191;
constexpr std::size_t FireKeyRepeatCount = 193;  // count - 1, 0xFF = endless
constexpr std::size_t FireKeyInterval = 199;     // units of 8 ms
constexpr std::size_t FireKeyChecksum = 201;
}  // namespace field

constexpr std::size_t kKeysPerProfile = 9;
constexpr std::size_t kMaxLevels = 7;
constexpr std::size_t kFireMacroCount = 10;

// Where the sections live in the driver image of driver mode.
namespace driver {
constexpr std::size_t ParameterA = 0;     // 48 bytes
constexpr std::size_t ParameterB = 48;    // 8 bytes
constexpr std::size_t Profile = 64;       // 55 bytes
constexpr std::size_t DriverTempCPIAndLedData = 160;  // 4 bytes
constexpr std::size_t FireKey = 242;      // 11 bytes, checksum byte written as 0
// The fire key section is written together with the two zero bytes before it.
constexpr std::size_t FireKeyLead = 240;
constexpr std::size_t FireKeyLeadLength = 2;
// Everything the driver sections occupy: a driver image shorter than this cannot supply them.
constexpr std::size_t SectionsEnd = FireKey + 11;
}  // namespace driver

}  // namespace qeltra3k::config
