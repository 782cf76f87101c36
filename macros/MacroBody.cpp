#include "macros/MacroBody.h"

#include <algorithm>

#include "config/Checksum.h"

namespace qeltra3k::macros {

namespace {

// Offset of the checksum byte for length L: right after the last event byte.
std::size_t ChecksumOffset(std::size_t length, const LayoutInfo& info)
{
    return length + info.lengthBytes;
}

}  // namespace

std::size_t BodyLength(std::span<const std::uint8_t> body, BodyLayout layout)
{
    const LayoutInfo& info = Describe(layout);
    if (body.size() < info.eventOffset)
        return 0;
    if (info.lengthBytes == 1)
        return body[1];
    return static_cast<std::size_t>(body[1]) << 8 | body[2];
}

bool IsEmptyBody(std::span<const std::uint8_t> body, BodyLayout layout)
{
    const std::size_t length = BodyLength(body, layout);
    const std::size_t erased = Describe(layout).lengthBytes == 1 ? 0xFF : 0xFFFF;
    return length == 0 || length == erased;
}

std::span<const std::uint8_t> BodyEvents(std::span<const std::uint8_t> body, BodyLayout layout)
{
    if (IsEmptyBody(body, layout))
        return {};
    const LayoutInfo& info = Describe(layout);
    // L counts the events plus one; the last event byte is at L (EEPROM) or L + 1 (driver).
    const std::size_t eventCount = BodyLength(body, layout) - 1;
    const std::size_t available = body.size() - info.eventOffset;
    return body.subspan(info.eventOffset, std::min(eventCount, available));
}

bool HasValidChecksum(std::span<const std::uint8_t> body, BodyLayout layout)
{
    const LayoutInfo& info = Describe(layout);
    const std::size_t length = BodyLength(body, layout);
    if (length == 0)
        return false;
    const std::size_t checksumOffset = ChecksumOffset(length, info);
    if (checksumOffset >= body.size())
        return false;
    // The covered bytes start at the length field and end with the checksum byte.
    return config::HasValidSectionChecksum(body.subspan(1, checksumOffset));
}

std::optional<std::vector<std::uint8_t>> BuildBody(std::uint8_t stopFlag, std::span<const std::uint8_t> events,
                                                   BodyLayout layout)
{
    const LayoutInfo& info = Describe(layout);
    if (events.size() > info.encodeLimit)
        return std::nullopt;
    std::vector<std::uint8_t> body(info.bodySize, 0x00);
    if (events.empty())
        return body;

    const std::size_t length = events.size() + 1;
    body[StopFlagOffset] = stopFlag;
    if (info.lengthBytes == 1) {
        body[1] = static_cast<std::uint8_t>(length);
    } else {
        body[1] = static_cast<std::uint8_t>(length >> 8);
        body[2] = static_cast<std::uint8_t>(length & 0xFF);
    }
    std::copy(events.begin(), events.end(), body.begin() + static_cast<std::ptrdiff_t>(info.eventOffset));
    const std::size_t checksumOffset = ChecksumOffset(length, info);
    config::WriteSectionChecksum(std::span<std::uint8_t>(body).subspan(1, checksumOffset));
    return body;
}

}  // namespace qeltra3k::macros
