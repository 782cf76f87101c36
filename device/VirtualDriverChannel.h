#pragma once
// A stand-in for the filter driver of driver mode, for platforms without it and for the
// tests: a 40960-byte driver image that answers reads with the bytes last written at the
// same offsets. Optionally the image lives in a file beside the virtual mouse's memory
// file, so it survives a restart as the mouse's memory does.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/DriverChannel.h"

namespace qeltra3k::device {

struct VirtualDriverOptions {
    // False: no device of the driver's interface class is present, so every opening fails
    // (and with it the driver-mode identification).
    bool present = true;
    // The product id its device path carries; the virtual mouse answers ProductIdCmd with
    // 0x0001 unless told otherwise.
    std::uint16_t productId = 0x0001;
};

class VirtualDriverChannel;

struct VirtualDriverOpening {
    std::unique_ptr<VirtualDriverChannel> channel;  // null on failure
    std::string error;                              // why, on failure
};

// Where the driver image of a virtual mouse with the memory file `mouseMemoryFile` is kept:
// in the same folder, "<stem>-driver.bin".
std::filesystem::path VirtualDriverFileBeside(const std::filesystem::path& mouseMemoryFile);

// The device path the virtual driver shows: shaped like a real one, with `productId` as four
// hex digits at the characters the opening reads.
std::string VirtualDriverDevicePath(std::uint16_t productId);

class VirtualDriverChannel final : public DriverChannel {
public:
    // A driver whose image is all zero and lives only as long as the object.
    explicit VirtualDriverChannel(VirtualDriverOptions options = {});

    // A driver starting from `image`, kept only in memory; refused unless the image is
    // exactly kDriverImageSize bytes.
    static VirtualDriverOpening FromImage(std::span<const std::uint8_t> image, VirtualDriverOptions options = {});

    // A driver whose image is kept in `path`: created when missing, from `initialImage` or
    // zeroed when that is empty; refused when the file is not a driver image (it is then
    // left as it is) or `initialImage` has the wrong size. Every write is saved at once.
    static VirtualDriverOpening OpenFile(const std::filesystem::path& path,
                                         std::span<const std::uint8_t> initialImage = {},
                                         VirtualDriverOptions options = {});

    bool Open(std::uint16_t productId) override;
    void Close() override;
    bool IsOpen() const override;

    // Test hooks. Taking the driver away while open makes every further read and write
    // fail, as with a device that was removed under an open handle.
    void SetPresent(bool present);
    void SetProductId(std::uint16_t productId);

    std::vector<std::uint8_t> Image() const;
    // Why the image file could not be written last time; empty when it could.
    std::string SaveError() const;

protected:
    bool WriteAt(std::uint32_t offset, std::span<const std::uint8_t> bytes) override;
    std::optional<std::vector<std::uint8_t>> ReadAt(std::uint32_t offset, std::uint32_t length) override;

private:
    VirtualDriverChannel(std::vector<std::uint8_t> image, VirtualDriverOptions options);

    mutable std::mutex mutex_;
    std::vector<std::uint8_t> image_;
    VirtualDriverOptions options_;
    std::optional<std::filesystem::path> file_;
    bool open_ = false;
    std::string saveError_;
};

}  // namespace qeltra3k::device
