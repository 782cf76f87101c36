#include "device/VirtualDriverChannel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>

#include "device/AtomicFile.h"

namespace qeltra3k::device {

namespace {

// Everything before the product id in the virtual device path: exactly the characters
// the opening skips.
constexpr std::string_view kVirtualPathHead = R"(\\?\root#qeltra3k_virtual_filter#instance_0000000&pid_)";
static_assert(kVirtualPathHead.size() == kPathProductIdPosition - 1);

std::string Lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::filesystem::path VirtualDriverFileBeside(const std::filesystem::path& mouseMemoryFile)
{
    return mouseMemoryFile.parent_path() / (mouseMemoryFile.stem().string() + "-driver.bin");
}

std::string VirtualDriverDevicePath(std::uint16_t productId)
{
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04x", static_cast<unsigned>(productId));
    return std::string(kVirtualPathHead) + digits + "#" + Lowercase(InterfaceClassText(kDriverInterfaceClass));
}

VirtualDriverChannel::VirtualDriverChannel(VirtualDriverOptions options)
    : VirtualDriverChannel(std::vector<std::uint8_t>(kDriverImageSize, 0x00), options)
{
}

VirtualDriverChannel::VirtualDriverChannel(std::vector<std::uint8_t> image, VirtualDriverOptions options)
    : image_(std::move(image)), options_(options)
{
}

VirtualDriverOpening VirtualDriverChannel::FromImage(std::span<const std::uint8_t> image, VirtualDriverOptions options)
{
    VirtualDriverOpening opening;
    if (image.size() != kDriverImageSize) {
        opening.error = "a driver image is " + std::to_string(kDriverImageSize) + " bytes, not " +
                        std::to_string(image.size());
        return opening;
    }
    opening.channel.reset(new VirtualDriverChannel(std::vector<std::uint8_t>(image.begin(), image.end()), options));
    return opening;
}

VirtualDriverOpening VirtualDriverChannel::OpenFile(const std::filesystem::path& path,
                                                    std::span<const std::uint8_t> initialImage,
                                                    VirtualDriverOptions options)
{
    VirtualDriverOpening opening;
    if (!initialImage.empty() && initialImage.size() != kDriverImageSize) {
        opening.error = "the image to start " + path.string() + " from is " + std::to_string(initialImage.size()) +
                        " bytes, not a driver image of " + std::to_string(kDriverImageSize) + " bytes";
        return opening;
    }
    std::vector<std::uint8_t> image;
    const FileContent content = ReadWholeFile(path);
    if (content.missing) {
        image = initialImage.empty() ? std::vector<std::uint8_t>(kDriverImageSize, 0x00)
                                     : std::vector<std::uint8_t>(initialImage.begin(), initialImage.end());
        std::string error;
        if (!WriteFileAtomically(path, image, error)) {
            opening.error = "cannot make the driver image file: " + error;
            return opening;
        }
    } else if (!content.bytes) {
        opening.error = content.error;
        return opening;
    } else if (content.bytes->size() != kDriverImageSize) {
        opening.error = path.string() + " is " + std::to_string(content.bytes->size()) +
                        " bytes long, not a driver image of " + std::to_string(kDriverImageSize) +
                        " bytes; it was left as it is";
        return opening;
    } else {
        image = *content.bytes;
    }
    opening.channel.reset(new VirtualDriverChannel(std::move(image), options));
    opening.channel->file_ = path;
    return opening;
}

bool VirtualDriverChannel::Open(std::uint16_t productId)
{
    std::lock_guard lock(mutex_);
    open_ = options_.present && DriverPathMatches(VirtualDriverDevicePath(options_.productId), productId);
    return open_;
}

void VirtualDriverChannel::Close()
{
    std::lock_guard lock(mutex_);
    open_ = false;
}

bool VirtualDriverChannel::IsOpen() const
{
    std::lock_guard lock(mutex_);
    return open_;
}

void VirtualDriverChannel::SetPresent(bool present)
{
    std::lock_guard lock(mutex_);
    options_.present = present;
}

void VirtualDriverChannel::SetProductId(std::uint16_t productId)
{
    std::lock_guard lock(mutex_);
    options_.productId = productId;
}

std::vector<std::uint8_t> VirtualDriverChannel::Image() const
{
    std::lock_guard lock(mutex_);
    return image_;
}

std::string VirtualDriverChannel::SaveError() const
{
    std::lock_guard lock(mutex_);
    return saveError_;
}

bool VirtualDriverChannel::WriteAt(std::uint32_t offset, std::span<const std::uint8_t> bytes)
{
    std::lock_guard lock(mutex_);
    if (!open_ || !options_.present)
        return false;
    if (bytes.empty())
        return true;
    // The write counts only once it is on disk: a driver that says "written" and then loses
    // the bytes at the next start would be worse than one that says no.
    std::vector<std::uint8_t> next = image_;
    std::copy(bytes.begin(), bytes.end(), next.begin() + offset);
    if (file_) {
        std::string error;
        if (!WriteFileAtomically(*file_, next, error)) {
            saveError_ = error;
            return false;
        }
        saveError_.clear();
    }
    image_ = std::move(next);
    return true;
}

std::optional<std::vector<std::uint8_t>> VirtualDriverChannel::ReadAt(std::uint32_t offset, std::uint32_t length)
{
    std::lock_guard lock(mutex_);
    if (!open_ || !options_.present)
        return std::nullopt;
    const auto first = image_.begin() + offset;
    return std::vector<std::uint8_t>(first, first + length);
}

}  // namespace qeltra3k::device
