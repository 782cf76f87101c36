#include "device/DriverChannelFormat.h"

#include <algorithm>
#include <cstdio>

namespace qeltra3k::device {

namespace {

std::optional<std::uint8_t> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint8_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    return std::nullopt;
}

void PutLittleEndian32(std::uint32_t value, std::uint8_t* out)
{
    for (std::size_t i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> WithHeader(std::uint32_t offset, std::uint32_t length, std::size_t size)
{
    std::vector<std::uint8_t> buffer(size, 0x00);
    PutLittleEndian32(offset, buffer.data());
    PutLittleEndian32(length, buffer.data() + 4);
    return buffer;
}

}  // namespace

std::string InterfaceClassText(const InterfaceClassId& id)
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(id.data1), static_cast<unsigned>(id.data2), static_cast<unsigned>(id.data3),
                  id.data4[0], id.data4[1], id.data4[2], id.data4[3], id.data4[4], id.data4[5], id.data4[6],
                  id.data4[7]);
    return text;
}

std::optional<std::uint16_t> ProductIdInPath(std::string_view path)
{
    const std::size_t first = kPathProductIdPosition - 1;
    if (path.size() < first + kPathProductIdDigits)
        return std::nullopt;
    std::uint16_t value = 0;
    for (const char c : path.substr(first, kPathProductIdDigits)) {
        const auto digit = HexDigitValue(c);
        if (!digit)
            return std::nullopt;
        value = static_cast<std::uint16_t>(value * 16 + *digit);
    }
    return value;
}

bool DriverPathMatches(std::string_view path, std::uint16_t productId)
{
    const auto inPath = ProductIdInPath(path);
    return inPath && *inPath == productId;
}

std::uint16_t ProductIdFromReply(const Report& reply)
{
    return static_cast<std::uint16_t>(reply[1] * 256 + reply[2]);
}

bool FitsDriverImage(std::uint32_t offset, std::uint32_t length)
{
    return std::uint64_t{offset} + length <= kDriverImageSize;
}

std::vector<std::uint8_t> DriverWriteBuffer(std::uint32_t offset, std::span<const std::uint8_t> bytes)
{
    auto buffer = WithHeader(offset, static_cast<std::uint32_t>(bytes.size()), kDriverHeaderSize + bytes.size());
    std::copy(bytes.begin(), bytes.end(), buffer.begin() + kDriverHeaderSize);
    return buffer;
}

std::vector<std::uint8_t> DriverReadBuffer(std::uint32_t offset, std::uint32_t length)
{
    const bool wholeImage = offset == 0 && length == kDriverImageSize;
    return WithHeader(offset, length, wholeImage ? kWholeImageReadBufferSize : kDriverHeaderSize + length);
}

std::optional<std::vector<std::uint8_t>> DriverReadData(std::span<const std::uint8_t> buffer, std::uint32_t length)
{
    if (buffer.size() < kDriverHeaderSize || buffer.size() - kDriverHeaderSize < length)
        return std::nullopt;
    const auto data = buffer.subspan(kDriverHeaderSize, length);
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

}  // namespace qeltra3k::device
