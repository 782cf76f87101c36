#include "device/DriverChannel.h"

#include <limits>

namespace qeltra3k::device {

namespace {

bool FitsBytes(std::uint32_t offset, std::size_t size)
{
    return size <= kDriverImageSize && FitsDriverImage(offset, static_cast<std::uint32_t>(size));
}

}  // namespace

bool DriverChannel::Write(std::uint32_t offset, std::span<const std::uint8_t> bytes)
{
    if (!IsOpen() || !FitsBytes(offset, bytes.size()))
        return false;
    return WriteAt(offset, bytes);
}

bool DriverChannel::Write(const config::DriverWrite& write)
{
    if (write.offset > std::numeric_limits<std::uint32_t>::max())
        return false;
    return Write(static_cast<std::uint32_t>(write.offset), write.bytes);
}

std::optional<std::vector<std::uint8_t>> DriverChannel::Read(std::uint32_t offset, std::uint32_t length)
{
    if (!IsOpen() || !FitsDriverImage(offset, length))
        return std::nullopt;
    return ReadAt(offset, length);
}

std::optional<std::vector<std::uint8_t>> DriverChannel::ReadImage()
{
    return Read(0, static_cast<std::uint32_t>(kDriverImageSize));
}

bool OpenDriverChannel(FeatureProtocol& protocol, DriverChannel& channel)
{
    if (!protocol.SendCommand(ProductIdCmd)) {
        channel.Close();
        return false;
    }
    return channel.Open(ProductIdFromReply(protocol.LastReply()));
}

}  // namespace qeltra3k::device
