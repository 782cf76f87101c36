#include "config/ConfigImage.h"

#include "config/Checksum.h"
#include "resources/Resources.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qeltra3k::config {

namespace {

// ---------------------------------------------------------------- built-in defaults
// What a section becomes when it fails its check (not the same values as the default images).

constexpr std::array<std::uint8_t, kParameterA.length - 1> kBuiltInParameterA{
    0xFF, 0xFE, 0x04, 0x00, 0xFF, 0x00,                    // ModeFlags .. byte 5 (13 LEDs, half brightness)
    1, 2, 3, 4, 5, 6, 7,                                   // LevelValue 1..7
    0x01, 0x04, 0x03, 0x00, 0x02, 0x05, 0x06,              // bytes 13..19
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00,                    // bytes 20..25
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00,  // LevelColour 1..3
    0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF,  // LevelColour 4..6
    0xFF, 0xFF, 0xFF,                                      // LevelColour 7
};

struct ComplementPairDefault {
    std::size_t offset;  // in DataBuf
    std::uint8_t value;
};
constexpr std::array<ComplementPairDefault, 3> kBuiltInParameterBPairs{{
    {field::CurrentLevel, 1},  // level 2
    {field::LedState, 1},      // LED mode 1, on
    {field::KeyModeState, 0},  // key mode 1
}};

// Left, middle, right, back, forward, DPI loop, key mode switch, Win+D, LED on/off.
constexpr std::array<std::uint32_t, kKeysPerProfile> kBuiltInProfileCodes{
    0x010100, 0x010400, 0x010200, 0x010800, 0x011000, 0x050000, 0x0F0000, 0x020807, 0x090000};

// Three shots, 800 ms apart.
constexpr std::array<std::uint8_t, kFireKey.length - 1> kBuiltInFireKeyProgram{
    0x0A, 0xFD, 0x02, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x64, 0xFC};

// ---------------------------------------------------------------- helpers

std::span<std::uint8_t> InDataBuf(DataBuf& dataBuf, const Section& s)
{
    return std::span(dataBuf).subspan(s.dataBufOffset, s.length);
}

std::span<const std::uint8_t> InDataBuf(const DataBuf& dataBuf, const Section& s)
{
    return std::span(dataBuf).subspan(s.dataBufOffset, s.length);
}

// Where a section lies in the driver image; the fire macro tables have no place there.
struct DriverPlace {
    Section section;
    std::size_t driverOffset;
};
constexpr DriverPlace kDriverParameterA{kParameterA, driver::ParameterA};
constexpr DriverPlace kDriverParameterB{kParameterB, driver::ParameterB};
constexpr DriverPlace kDriverProfile{kProfile, driver::Profile};
constexpr DriverPlace kDriverFireKey{kFireKey, driver::FireKey};

std::span<const std::uint8_t> InDriverImage(std::span<const std::uint8_t> driverImage, const DriverPlace& p)
{
    return driverImage.subspan(p.driverOffset, p.section.length);
}

void CopyInto(std::span<const std::uint8_t> from, std::span<std::uint8_t> to)
{
    std::copy(from.begin(), from.end(), to.begin());
}

// A section is checked by a function, or (the fire macro tables) not at all.
struct LoadStep {
    Section section;
    bool (*check)(DataBuf&);
    bool SectionHealth::*health;
};
const std::array<LoadStep, 7> kLoadSteps{{
    {kParameterA, CheckParameterASection, &SectionHealth::parameterA},
    {kParameterB, CheckParameterBSection, &SectionHealth::parameterB},
    {kProfile, CheckProfileSection, &SectionHealth::profile},
    {kFireMacroKeyTable, nullptr, nullptr},
    {kFireMacroOffsetTable, nullptr, nullptr},
    {kFireMacroColourTable, nullptr, nullptr},
    {kFireKey, CheckFireKeySection, &SectionHealth::fireKey},
}};

constexpr std::array<std::string_view, 5> kDefaultImageNames{
    "VOSKEN2Data_Cfg1", "VOSKEN2Data_Cfg2", "VOSKEN2Data_Cfg3", "Default_CPI", "Default_LED"};
constexpr std::array<std::string_view, 3> kDefaultDriverImageNames{
    "Driver_VOSKEN2Data_Cfg1", "Driver_VOSKEN2Data_Cfg2", "Driver_VOSKEN2Data_Cfg3"};

}  // namespace

// ---------------------------------------------------------------- checks

bool CheckParameterASection(DataBuf& dataBuf)
{
    auto section = InDataBuf(dataBuf, kParameterA);
    if (HasValidSectionChecksum(section))
        return true;
    CopyInto(kBuiltInParameterA, section);
    WriteSectionChecksum(section);
    return false;
}

bool CheckParameterBSection(DataBuf& dataBuf)
{
    bool accepted = true;
    for (const auto& pair : kBuiltInParameterBPairs) {
        if (IsComplementPair(dataBuf[pair.offset], dataBuf[pair.offset + 1]))
            continue;
        WriteComplementPair(dataBuf, pair.offset, pair.value);
        accepted = false;
    }
    return accepted;
}

bool CheckProfileSection(DataBuf& dataBuf)
{
    auto section = InDataBuf(dataBuf, kProfile);
    if (HasValidSectionChecksum(section))
        return true;
    std::fill(section.begin(), section.end(), 0xFF);
    for (std::size_t profileStart : {field::Profile1, field::Profile2}) {
        for (std::size_t k = 0; k < kKeysPerProfile; ++k) {
            const std::uint32_t code = kBuiltInProfileCodes[k];
            const std::size_t at = profileStart + 3 * k;
            dataBuf[at] = static_cast<std::uint8_t>(code >> 16);
            dataBuf[at + 1] = static_cast<std::uint8_t>(code >> 8);
            dataBuf[at + 2] = static_cast<std::uint8_t>(code);
        }
    }
    WriteSectionChecksum(section);
    return false;
}

bool CheckFireKeySection(DataBuf& dataBuf)
{
    auto section = InDataBuf(dataBuf, kFireKey);
    if (HasValidSectionChecksum(section))
        return true;
    CopyInto(kBuiltInFireKeyProgram, section);
    WriteSectionChecksum(section);
    return false;
}

// ---------------------------------------------------------------- load and store

SectionHealth LoadSections(const DeviceImage& image, DataBuf& dataBuf)
{
    SectionHealth health;
    for (const LoadStep& step : kLoadSteps) {
        CopyInto(std::span(image).subspan(step.section.imageOffset, step.section.length),
                 InDataBuf(dataBuf, step.section));
        if (step.check)
            health.*step.health = step.check(dataBuf);
    }
    return health;
}

void RecomputeChecksums(DataBuf& dataBuf)
{
    for (const Section& s : {kParameterA, kProfile, kFireKey})
        WriteSectionChecksum(InDataBuf(dataBuf, s));
}

void StoreSections(DataBuf& dataBuf, DeviceImage& image)
{
    RecomputeChecksums(dataBuf);
    for (const Section& s : kSectionsInImageOrder)
        CopyInto(InDataBuf(std::as_const(dataBuf), s), std::span(image).subspan(s.imageOffset, s.length));
}

// ---------------------------------------------------------------- default images

std::string_view DefaultImageName(int type, bool eepromMode)
{
    if (eepromMode) {
        const bool known = type >= 0 && static_cast<std::size_t>(type) < kDefaultImageNames.size();
        return kDefaultImageNames[known ? static_cast<std::size_t>(type) : 0];
    }
    const bool known = type == 1 || type == 2;
    return kDefaultDriverImageNames[known ? static_cast<std::size_t>(type) : 0];
}

std::optional<DeviceImage> LoadDefaultImage(int type)
{
    const auto bytes = resources::Find(DefaultImageName(type, true));
    if (!bytes || bytes->size() != kImageSize)
        return std::nullopt;
    DeviceImage image;
    std::copy(bytes->begin(), bytes->end(), image.begin());
    return image;
}

std::optional<std::vector<std::uint8_t>> LoadDefaultDriverImage(int type)
{
    const auto bytes = resources::Find(DefaultImageName(type, false));
    if (!bytes || bytes->size() != kDriverImageSize)
        return std::nullopt;
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

// ---------------------------------------------------------------- driver mode

bool TakeDriverSections(std::span<const std::uint8_t> driverImage, DataBuf& dataBuf, DriverSectionCopies& copies)
{
    if (driverImage.size() < driver::SectionsEnd)
        return false;
    CopyInto(InDriverImage(driverImage, kDriverParameterA), InDataBuf(dataBuf, kParameterA));
    CopyInto(InDriverImage(driverImage, kDriverParameterB), copies.parameterB);
    CopyInto(InDriverImage(driverImage, kDriverProfile), copies.profile);
    CopyInto(InDriverImage(driverImage, kDriverFireKey), InDataBuf(dataBuf, kFireKey));
    return true;
}

std::optional<SectionHealth> LoadDriverSections(std::span<const std::uint8_t> driverImage, DataBuf& dataBuf,
                                                DriverSectionCopies& copies)
{
    if (driverImage.size() < driver::SectionsEnd)
        return std::nullopt;
    SectionHealth health;
    CopyInto(InDriverImage(driverImage, kDriverParameterA), InDataBuf(dataBuf, kParameterA));
    health.parameterA = CheckParameterASection(dataBuf);
    CopyInto(InDriverImage(driverImage, kDriverParameterB), InDataBuf(dataBuf, kParameterB));
    health.parameterB = CheckParameterBSection(dataBuf);
    CopyInto(InDriverImage(driverImage, kDriverProfile), InDataBuf(dataBuf, kProfile));
    health.profile = CheckProfileSection(dataBuf);
    CopyInto(InDriverImage(driverImage, kDriverFireKey), InDataBuf(dataBuf, kFireKey));
    CopyParameterBToDriver(dataBuf, copies);
    CopyInto(InDataBuf(std::as_const(dataBuf), kProfile), copies.profile);
    return health;
}

void CopyProfileToDriver(DataBuf& dataBuf, DriverSectionCopies& copies)
{
    auto section = InDataBuf(dataBuf, kProfile);
    WriteSectionChecksum(section);
    CopyInto(section, copies.profile);
}

void CopyParameterBToDriver(const DataBuf& dataBuf, DriverSectionCopies& copies)
{
    CopyInto(InDataBuf(dataBuf, kParameterB), copies.parameterB);
}

DriverWrite DriverParameterAWrite(const DataBuf& dataBuf)
{
    const auto section = InDataBuf(dataBuf, kParameterA);
    return {driver::ParameterA, {section.begin(), section.end()}};
}

DriverWrite DriverParameterBWrite(const DriverSectionCopies& copies)
{
    return {driver::ParameterB, {copies.parameterB.begin(), copies.parameterB.end()}};
}

DriverWrite DriverProfileWrite(const DriverSectionCopies& copies)
{
    return {driver::Profile, {copies.profile.begin(), copies.profile.end()}};
}

DriverWrite DriverFireKeyWrite(const DataBuf& dataBuf)
{
    DriverWrite write{driver::FireKeyLead, std::vector<std::uint8_t>(driver::FireKeyLeadLength + kFireKey.length, 0x00)};
    const auto program = InDataBuf(dataBuf, kFireKey).first(kFireKey.length - 1);
    // The lead bytes and the checksum byte stay 0: the driver keeps no fire key checksum.
    std::copy(program.begin(), program.end(), write.bytes.begin() + driver::FireKeyLeadLength);
    return write;
}

bool ApplyDriverWrite(const DriverWrite& write, std::span<std::uint8_t> driverImage)
{
    if (write.offset > driverImage.size() || driverImage.size() - write.offset < write.bytes.size())
        return false;
    std::copy(write.bytes.begin(), write.bytes.end(), driverImage.begin() + static_cast<std::ptrdiff_t>(write.offset));
    return true;
}

}  // namespace qeltra3k::config
