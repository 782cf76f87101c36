// Builds the binary resources the programs carry: the five 2048-byte default configuration
// images, the three driver images, the default macro library and the three fire macro
// presets. Every byte comes from the readable tables below; checksums and complement
// bytes are computed here, never typed in.
//
// usage: make_default_images OUTDIR   (writes OUTDIR/NAME.bin for every resource)
#include "../config/Checksum.h"
#include "../config/ImageLayout.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace {

namespace cfg = qeltra3k::config;
using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r, g, b;
};

// A key function code written as its six hexadecimal digits: 0x010100 is 01 01 00.
using KeyCode = std::uint32_t;
using Profile = std::array<KeyCode, cfg::kKeysPerProfile>;

// Event codes of the device's macro programs (fire key program and fire macros).
constexpr std::uint8_t kLeftDown = 0xA1;
constexpr std::uint8_t kLeftUp = 0x21;
constexpr std::uint8_t kRepeatStart = 0xFD;
constexpr std::uint8_t kRepeatEnd = 0xFC;
constexpr std::uint8_t kMoveX = 0xFB;
constexpr std::uint8_t kMoveY = 0xFA;
constexpr std::uint8_t kDelay = 0xFE;  // operand: units of 8 ms
constexpr std::uint8_t kEndless = 0xFF;  // repeat operand: repeat while the key is held

// ---------------------------------------------------------------- section tables

struct ParameterA {
    std::uint8_t modeFlags;
    std::uint8_t switchFlags;
    std::uint8_t levelCount;
    std::uint8_t ledFlowFlags;
    std::uint8_t ledModeMask;
    std::uint8_t byte5;
    std::array<std::uint8_t, cfg::kMaxLevels> levelValue;
    std::array<std::uint8_t, 13> bytes13To25;  // the editor never interprets these
    std::array<Rgb, cfg::kMaxLevels> levelColour;
};

struct ParameterB {
    std::uint8_t currentLevel;
    std::uint8_t ledState;
    std::uint8_t keyModeState;
    std::uint8_t vendorByte;
    std::uint8_t productByte;
};

struct FireKeyProgram {
    std::uint8_t repeatCountMinusOne;
    std::uint8_t interval;  // units of 8 ms
};

constexpr ParameterA kParameterA{
    .modeFlags = 0x44,     // LED mode switch by left key + DPI, orientation code 4, MCU flowing family
    .switchFlags = 0xF8,
    .levelCount = 6,
    .ledFlowFlags = 0x38,  // full brightness, 13 - 3 = 10 flowing LEDs
    .ledModeMask = 0xFF,
    .byte5 = 0x00,
    .levelValue = {1, 4, 6, 7, 9, 11, 7},
    .bytes13To25 = {0x01, 0x04, 0x03, 0x00, 0x02, 0x05, 0x06, 0xFF, 0x00, 0x7F, 0xFF, 0xFF, 0xFF},
    .levelColour = {{{0x00, 0xFF, 0x00}, {0xFF, 0x00, 0xFF}, {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0x00},
                     {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF}}},
};

constexpr ParameterB kParameterB{
    .currentLevel = 1, .ledState = 0x22, .keyModeState = 0x00, .vendorByte = 0xFF, .productByte = 0xFF};

// Continuous fire while the key is held, 48 ms between shots.
constexpr FireKeyProgram kFireKey{.repeatCountMinusOne = kEndless, .interval = 6};

// Left, middle, right, back, forward, DPI loop, DPI +, DPI -, fire key.
constexpr Profile kConfigProfile{
    0x010100, 0x010400, 0x010200, 0x010800, 0x011000, 0x050000, 0x070000, 0x080000, 0x0600F0};
// As above with Win+D (desktop), DPI loop and LED mode on keys 6 to 8.
constexpr Profile kLedProfile{
    0x010100, 0x010400, 0x010200, 0x010800, 0x011000, 0x020807, 0x050000, 0x100000, 0x0600F0};

// Fire macro k is started by type 0x0E (stops on release) at the address of its length byte.
constexpr std::uint8_t kFireMacroKeyType = 0x0E;
constexpr std::uint8_t kFireMacroYOffset = 0;
constexpr std::array<Rgb, cfg::kFireMacroCount> kFireMacroColours{{
    {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0x00, 0x00, 0xFF}, {0xFF, 0xFF, 0x00}, {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF}, {0xFF, 0x80, 0x00}, {0xFF, 0x00, 0x80}, {0x00, 0xFF, 0x80}, {0xFF, 0xFF, 0xFF}}};
constexpr std::size_t kFireMacroRecordSize = 24;

// The filler the shipped images carry between their sections, one entry per gap of the
// layout (0x038, 0x077, 0x09E, 0x0C4, 0x0EE, 0x0FB).
const std::array<Bytes, cfg::kGaps.size()> kGapFills{{
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF},
    {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x99},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF},
    {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF},
    {0xFF, 0xFF},
    {0xFF, 0xFD, 0xFF, 0xFF, 0xFF},
}};

struct DefaultImage {
    const char* name;
    const Profile* profile;      // the same codes in both key modes
    std::uint8_t macroBlockFill;  // macro blocks A and B
};
const std::vector<DefaultImage> kDefaultImages{
    {"VOSKEN2Data_Cfg1", &kConfigProfile, 0x00},
    {"VOSKEN2Data_Cfg2", &kConfigProfile, 0x00},
    {"VOSKEN2Data_Cfg3", &kConfigProfile, 0x00},
    {"Default_CPI", &kConfigProfile, 0xFF},
    {"Default_LED", &kLedProfile, 0xFF},
};

// Driver mode: the same sections with the driver's own choices, at the driver offsets.
ParameterA DriverParameterA()
{
    ParameterA a = kParameterA;
    a.modeFlags = 0x45;     // also LED on/off by middle key + DPI
    a.switchFlags = 0xFE;
    a.ledFlowFlags = 0x28;  // full brightness, 11 flowing LEDs
    a.levelValue[5] = 10;
    return a;
}
constexpr ParameterB kDriverParameterB{
    .currentLevel = 1, .ledState = 0x42, .keyModeState = 0x00, .vendorByte = 0xFF, .productByte = 0xFF};
// Type 0x0E on the fire key: the driver's continuous fire.
constexpr Profile kDriverProfile{
    0x010100, 0x010400, 0x010200, 0x010800, 0x011000, 0x050000, 0x070000, 0x080000, 0x0E00F0};
constexpr std::array<std::uint8_t, 4> kDriverTempCPIAndLedData{0x01, 0x02, 0xFF, 0x04};
const std::vector<const char*> kDriverImageNames{
    "Driver_VOSKEN2Data_Cfg1", "Driver_VOSKEN2Data_Cfg2", "Driver_VOSKEN2Data_Cfg3"};

// The default macro library: 100 empty 256-byte records and 1,600 bytes nobody reads.
constexpr std::size_t kLibraryRecords = 100;
constexpr std::size_t kLibraryRecordSize = 256;
constexpr std::size_t kLibraryTail = 1600;

// Fire macro presets. PC games: repeat endlessly {press, release, move (0, y), wait 8 ms}.
// Mobile games: press, wait 24 ms, repeat endlessly {move (0, y), wait t}, release.
struct PcShot {
    std::uint8_t y;
};
struct MobileShot {
    std::uint8_t y;
    std::uint8_t t;  // units of 8 ms
};
constexpr std::array<std::uint8_t, cfg::kFireMacroCount> kPcGameY{4, 3, 3, 2, 3, 3, 4, 4, 5, 12};
// Record 2 of the mobile preset is the PC-game record; the others are mobile records.
using PresetRecord = std::variant<PcShot, MobileShot>;
constexpr std::array<PresetRecord, cfg::kFireMacroCount> kMobileGameRecords{
    MobileShot{9, 4}, PcShot{3},        MobileShot{7, 3}, MobileShot{5, 3},  MobileShot{7, 3},
    MobileShot{6, 3}, MobileShot{8, 3}, MobileShot{9, 4}, MobileShot{12, 4}, MobileShot{30, 4}};

// ---------------------------------------------------------------- builders

// Building fails softly: the first problem is remembered and reported by main.
std::string gError;

void Fail(const std::string& what)
{
    if (gError.empty())
        gError = what;
}

void Put(Bytes& image, std::size_t offset, std::span<const std::uint8_t> bytes)
{
    if (offset > image.size() || image.size() - offset < bytes.size()) {
        Fail("write past the end of an image at offset " + std::to_string(offset));
        return;
    }
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}

void AppendCode(Bytes& out, KeyCode code)
{
    out.push_back(static_cast<std::uint8_t>(code >> 16));
    out.push_back(static_cast<std::uint8_t>(code >> 8));
    out.push_back(static_cast<std::uint8_t>(code));
}

// Sections are built with their checksum byte last and checked against their layout length.
Bytes Sized(Bytes bytes, std::size_t length, const char* what)
{
    if (bytes.size() != length)
        Fail(std::string(what) + " has " + std::to_string(bytes.size()) + " bytes, expected " +
             std::to_string(length));
    return bytes;
}

Bytes ParameterASection(const ParameterA& a)
{
    Bytes s{a.modeFlags, a.switchFlags, a.levelCount, a.ledFlowFlags, a.ledModeMask, a.byte5};
    s.insert(s.end(), a.levelValue.begin(), a.levelValue.end());
    s.insert(s.end(), a.bytes13To25.begin(), a.bytes13To25.end());
    for (const Rgb& c : a.levelColour)
        s.insert(s.end(), {c.r, c.g, c.b});
    s.push_back(0);
    cfg::WriteSectionChecksum(s);
    return Sized(s, cfg::kParameterA.length, "parameter A");
}

Bytes ParameterBSection(const ParameterB& b)
{
    Bytes s(cfg::kParameterB.length, 0);
    cfg::WriteComplementPair(s, 0, b.currentLevel);
    cfg::WriteComplementPair(s, 2, b.ledState);
    cfg::WriteComplementPair(s, 4, b.keyModeState);
    s[6] = b.vendorByte;
    s[7] = b.productByte;
    return s;
}

Bytes ProfileSection(const Profile& profile)
{
    Bytes s;
    for (int mode = 0; mode < 2; ++mode)
        for (KeyCode code : profile)
            AppendCode(s, code);
    s.push_back(0);
    cfg::WriteSectionChecksum(s);
    return Sized(s, cfg::kProfile.length, "profile");
}

Bytes FireKeySection(const FireKeyProgram& p)
{
    const Bytes events{kRepeatStart, p.repeatCountMinusOne, kLeftDown, kDelay, 3, kLeftUp, kDelay, p.interval,
                       kRepeatEnd};
    Bytes s{static_cast<std::uint8_t>(events.size() + 1)};  // the length byte counts itself
    s.insert(s.end(), events.begin(), events.end());
    s.push_back(0);
    cfg::WriteSectionChecksum(s);
    return Sized(s, cfg::kFireKey.length, "fire key section");
}

Bytes FireMacroKeyTable()
{
    Bytes s;
    for (std::size_t k = 0; k < cfg::kFireMacroCount; ++k) {
        const std::size_t lengthByte = cfg::kFireMacroBlock.offset + kFireMacroRecordSize * k + 1;
        AppendCode(s, (KeyCode{kFireMacroKeyType} << 16) | static_cast<KeyCode>(lengthByte));
    }
    return Sized(s, cfg::kFireMacroKeyTable.length, "fire macro key table");
}

Bytes FireMacroOffsetTable()
{
    Bytes s(cfg::kFireMacroOffsetTable.length, 0);
    for (std::size_t k = 0; k < cfg::kFireMacroCount; ++k)
        if (!cfg::WriteComplementPair(s, 2 * k, kFireMacroYOffset))
            Fail("fire macro offset table too short");
    return s;
}

Bytes FireMacroColourTable()
{
    Bytes s;
    for (const Rgb& c : kFireMacroColours)
        s.insert(s.end(), {c.r, c.g, c.b});
    return Sized(s, cfg::kFireMacroColourTable.length, "fire macro colour table");
}

Bytes ConfigurationImage(const DefaultImage& definition)
{
    Bytes image(cfg::kImageSize, 0x00);
    Put(image, cfg::kParameterA.imageOffset, ParameterASection(kParameterA));
    Put(image, cfg::kParameterB.imageOffset, ParameterBSection(kParameterB));
    Put(image, cfg::kProfile.imageOffset, ProfileSection(*definition.profile));
    Put(image, cfg::kFireMacroKeyTable.imageOffset, FireMacroKeyTable());
    Put(image, cfg::kFireMacroOffsetTable.imageOffset, FireMacroOffsetTable());
    Put(image, cfg::kFireMacroColourTable.imageOffset, FireMacroColourTable());
    Put(image, cfg::kFireKey.imageOffset, FireKeySection(kFireKey));
    for (std::size_t g = 0; g < cfg::kGaps.size(); ++g)
        Put(image, cfg::kGaps[g].offset, Sized(kGapFills[g], cfg::kGaps[g].length, "gap filler"));
    for (const cfg::Region& block : {cfg::kMacroBlockA, cfg::kMacroBlockB})
        std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(block.offset), block.length, definition.macroBlockFill);
    // The fire macro block stays 0x00: no fire macros until a preset is loaded.
    return image;
}

// Only the ranges a driver reset sends are carried; every other byte is 0x00.
Bytes DriverImage()
{
    Bytes image(cfg::kDriverImageSize, 0x00);
    Put(image, cfg::driver::ParameterA, ParameterASection(DriverParameterA()));
    Put(image, cfg::driver::ParameterB, ParameterBSection(kDriverParameterB));
    Put(image, cfg::driver::Profile, ProfileSection(kDriverProfile));
    Put(image, cfg::driver::DriverTempCPIAndLedData, kDriverTempCPIAndLedData);
    Bytes fireKey = FireKeySection(kFireKey);
    fireKey.back() = 0;  // the driver does not use the fire key checksum
    Put(image, cfg::driver::FireKey, fireKey);
    return image;
}

Bytes FireMacroRecord(const Bytes& events)
{
    // stop flag 1 (stop on release), length byte, events, checksum over length and events
    Bytes record{1, static_cast<std::uint8_t>(events.size() + 1)};
    record.insert(record.end(), events.begin(), events.end());
    record.push_back(cfg::SectionChecksum(std::span(record).subspan(1)));
    if (record.size() > kFireMacroRecordSize)
        Fail("fire macro record longer than " + std::to_string(kFireMacroRecordSize) + " bytes");
    record.resize(kFireMacroRecordSize, 0x00);
    return record;
}

Bytes PcGameRecord(PcShot shot)
{
    return FireMacroRecord({kRepeatStart, kEndless, kLeftDown, kLeftUp, kMoveX, 0, kMoveY, shot.y, kDelay, 1,
                            kRepeatEnd});
}

Bytes MobileGameRecord(MobileShot shot)
{
    return FireMacroRecord({kLeftDown, kDelay, 3, kRepeatStart, kEndless, kMoveX, 0, kMoveY, shot.y, kDelay, shot.t,
                            kRepeatEnd, kLeftUp});
}

Bytes FireMacroPreset(const std::vector<Bytes>& records)
{
    Bytes block;
    for (const Bytes& r : records)
        block.insert(block.end(), r.begin(), r.end());
    block.resize(cfg::kFireMacroBlock.length, 0x00);  // empty records and the 16 spare bytes
    return Sized(block, cfg::kFireMacroBlock.length, "fire macro preset");
}

std::vector<Bytes> PcGameRecords()
{
    std::vector<Bytes> records;
    for (std::uint8_t y : kPcGameY)
        records.push_back(PcGameRecord({y}));
    return records;
}

std::vector<Bytes> MobileGameRecords()
{
    std::vector<Bytes> records;
    for (const PresetRecord& r : kMobileGameRecords) {
        if (const auto* pc = std::get_if<PcShot>(&r))
            records.push_back(PcGameRecord(*pc));
        else
            records.push_back(MobileGameRecord(std::get<MobileShot>(r)));
    }
    return records;
}

bool WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "make_default_images: cannot create " << path << "\n";
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "make_default_images: cannot write " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_default_images OUTDIR\n";
        return 2;
    }
    const std::string outDir = argv[1];

    struct Output {
        std::string name;
        Bytes bytes;
    };
    std::vector<Output> outputs;
    for (const DefaultImage& definition : kDefaultImages)
        outputs.push_back({definition.name, ConfigurationImage(definition)});
    for (const char* name : kDriverImageNames)
        outputs.push_back({name, DriverImage()});
    outputs.push_back({"PCMacroData", Bytes(kLibraryRecords * kLibraryRecordSize + kLibraryTail, 0x00)});
    outputs.push_back({"fireMacro_0", FireMacroPreset({})});
    outputs.push_back({"fireMacro_1", FireMacroPreset(PcGameRecords())});
    outputs.push_back({"fireMacro_2", FireMacroPreset(MobileGameRecords())});

    if (!gError.empty()) {
        std::cerr << "make_default_images: " << gError << "\n";
        return 1;
    }
    for (const Output& o : outputs)
        if (!WriteFile(outDir + "/" + o.name + ".bin", o.bytes))
            return 1;
    return 0;
}
