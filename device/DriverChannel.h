#pragma once
// The channel to the PC-side filter driver of driver mode, which holds the 40960-byte driver
// image. Windows reaches the real driver with two control calls; everywhere else a virtual
// driver keeps the image in a file. The workflows see only this interface.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "config/ConfigImage.h"
#include "device/DriverChannelFormat.h"
#include "device/FeatureProtocol.h"

namespace qeltra3k::device {

class DriverChannel {
public:
    virtual ~DriverChannel() = default;

    // Opens the driver device whose path carries `productId`. Any earlier opening is closed
    // first, so after a failure the channel is closed. False when no device matched or none
    // of the matching ones opened.
    virtual bool Open(std::uint16_t productId) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Writes `bytes` at `offset` of the driver image. False when the channel is closed, the
    // call failed, or the stretch would reach past the image (then nothing is sent: the
    // driver's image has a fixed size and must never be written beyond it).
    bool Write(std::uint32_t offset, std::span<const std::uint8_t> bytes);
    bool Write(const config::DriverWrite& write);

    // Reads `length` bytes at `offset`; nothing when closed, when the call failed, or when
    // the stretch would reach past the image.
    std::optional<std::vector<std::uint8_t>> Read(std::uint32_t offset, std::uint32_t length);
    // The whole driver image (kDriverImageSize bytes).
    std::optional<std::vector<std::uint8_t>> ReadImage();

protected:
    // Called only while open and with a stretch inside the image.
    virtual bool WriteAt(std::uint32_t offset, std::span<const std::uint8_t> bytes) = 0;
    virtual std::optional<std::vector<std::uint8_t>> ReadAt(std::uint32_t offset, std::uint32_t length) = 0;
};

// Opening as driver mode does it: ask the mouse for its product id (ProductIdCmd), then open
// the driver device that carries that id. False, with the channel closed, when the command
// was not done (its reply would be no product id at all) or no device matched.
bool OpenDriverChannel(FeatureProtocol& protocol, DriverChannel& channel);

#ifdef _WIN32
// The real filter driver, reached through the system's device-setup services and
// DeviceIoControl.
std::unique_ptr<DriverChannel> MakeWindowsDriverChannel();
#endif

}  // namespace qeltra3k::device
