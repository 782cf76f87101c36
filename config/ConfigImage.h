#pragma once
// The device image and DataBuf: the section checks with their built-in defaults, loading
// the seven sections from an image and storing them back, the default images carried as
// resources, and the transfers to and from the driver image of driver mode.
//
// A full store on apply is composed by the controller:
//   UIToDataBuf, AIMKeyToDataBuf (form model), then StoreSections (here).
// AIMKeyToDataBuf touches only the profile section, so running it before the parameter A
// checksum is recomputed gives the same bytes as the device's own order.
#include "config/ImageLayout.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qeltra3k::config {

// Each check validates one section of DataBuf in place and, when it fails, overwrites it
// with the built-in default and a fresh checksum; the section is always valid afterwards.
// The result says whether the section was accepted as it stood (callers may ignore it).
bool CheckParameterASection(DataBuf& dataBuf);
// Pair by pair: a broken pair is replaced alone; VendorByte and ProductByte are not tested.
bool CheckParameterBSection(DataBuf& dataBuf);
bool CheckProfileSection(DataBuf& dataBuf);
bool CheckFireKeySection(DataBuf& dataBuf);

// Which checked sections were accepted as loaded (false: replaced by the built-in default,
// for parameter B: at least one pair replaced).
struct SectionHealth {
    bool parameterA = true;
    bool parameterB = true;
    bool profile = true;
    bool fireKey = true;
    bool AllValid() const { return parameterA && parameterB && profile && fireKey; }
};

// Copies the seven sections from the image into DataBuf in image order, each check right
// after its copy. Gaps and macro blocks are not read; the macro and fire macro buffers are
// filled by their own modules.
SectionHealth LoadSections(const DeviceImage& image, DataBuf& dataBuf);

// Recomputes the parameter A, profile and fire key checksums in DataBuf.
void RecomputeChecksums(DataBuf& dataBuf);

// Recomputes the checksums and copies the seven sections back into the image. Nothing else
// of the image is written, so gaps and macro blocks stay byte for byte as they were.
void StoreSections(DataBuf& dataBuf, DeviceImage& image);

// Resource name of a default image. EEPROM mode: 0 "VOSKEN2Data_Cfg1", 1 "..._Cfg2",
// 2 "..._Cfg3", 3 "Default_CPI", 4 "Default_LED", any other type as 0. Driver mode:
// 1 and 2 the driver images Cfg2 and Cfg3, anything else Cfg1.
std::string_view DefaultImageName(int type, bool eepromMode);

// The default image of a type from the embedded resources; nothing when the resource is
// missing or not exactly of image size.
std::optional<DeviceImage> LoadDefaultImage(int type);
std::optional<std::vector<std::uint8_t>> LoadDefaultDriverImage(int type);

// ---------------------------------------------------------------- driver mode

// In driver mode parameter B and the profile travel in buffers of their own on the driver
// side; parameter A and the fire key section live in DataBuf as in EEPROM mode.
struct DriverSectionCopies {
    std::array<std::uint8_t, kParameterB.length> parameterB{};
    std::array<std::uint8_t, kProfile.length> profile{};
};

// Reset and profile load: take the sections of a driver image as they are (no checks):
// parameter A and the fire key section into DataBuf, parameter B and the profile into the
// driver copies. False, with nothing changed, when the image is too short to hold them.
bool TakeDriverSections(std::span<const std::uint8_t> driverImage, DataBuf& dataBuf, DriverSectionCopies& copies);

// Read back from the driver: the four sections at their driver offsets go into DataBuf,
// parameter A, parameter B and the profile are checked as after a device read (the fire key
// section is not: the driver keeps 0 in its checksum byte), and the checked parameter B and
// profile are also kept as the driver copies. Nothing when the image is too short.
std::optional<SectionHealth> LoadDriverSections(std::span<const std::uint8_t> driverImage, DataBuf& dataBuf,
                                                DriverSectionCopies& copies);

// Driver-mode apply: recompute the profile checksum in DataBuf and copy the profile into the
// driver copy; copy parameter B from DataBuf into the driver copy.
void CopyProfileToDriver(DataBuf& dataBuf, DriverSectionCopies& copies);
void CopyParameterBToDriver(const DataBuf& dataBuf, DriverSectionCopies& copies);

// One write to the driver image: `bytes` at `offset`.
struct DriverWrite {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

DriverWrite DriverParameterAWrite(const DataBuf& dataBuf);
DriverWrite DriverParameterBWrite(const DriverSectionCopies& copies);
DriverWrite DriverProfileWrite(const DriverSectionCopies& copies);
// The fire key section with the two zero bytes before it (13 bytes at 240); its checksum
// byte is written as 0 whatever DataBuf holds.
DriverWrite DriverFireKeyWrite(const DataBuf& dataBuf);

// Puts a write into a driver image (as the driver would); false when it does not fit.
bool ApplyDriverWrite(const DriverWrite& write, std::span<std::uint8_t> driverImage);

}  // namespace qeltra3k::config
