#pragma once
// What travels to and from the filter driver of driver mode, as plain functions: the
// interface class its device is found by, the product id carried in its device path, and
// the buffers of the two control calls. The Windows channel only adds the system calls
// around these, so every rule here is compiled and tested on every platform.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ImageLayout.h"
#include "device/HidDevice.h"

namespace qeltra3k::device {

constexpr std::size_t kDriverImageSize = config::kDriverImageSize;

// The filter driver's device interface class, {902E3649-BB28-43E0-83E2-858CECFBEE7B}, in
// the parts a Windows GUID is made of.
struct InterfaceClassId {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
};
constexpr InterfaceClassId kDriverInterfaceClass{
    0x902E3649, 0xBB28, 0x43E0, {0x83, 0xE2, 0x85, 0x8C, 0xEC, 0xFB, 0xEE, 0x7B}};

// The class in its registry spelling, "{902E3649-BB28-...}", for messages.
std::string InterfaceClassText(const InterfaceClassId& id);

// Control codes of the two calls.
constexpr std::uint32_t kDriverWriteCode = 0x223E08;
constexpr std::uint32_t kDriverReadCode = 0x223E04;

// Both calls start with the offset and the length, 32 bits each, low byte first.
constexpr std::size_t kDriverHeaderSize = 8;
// The whole image is read with a buffer three bytes longer than header and data; the
// driver is known to be called that way, so the spare tail is kept, and stays unused.
constexpr std::size_t kWholeImageReadBufferSize = 40971;

// The device path carries the driver's product id as four hexadecimal digits at
// characters 55 to 58 (counted from 1).
constexpr std::size_t kPathProductIdPosition = 55;
constexpr std::size_t kPathProductIdDigits = 4;

// The product id in a driver device path; nothing when the path is too short or those four
// characters are not all hexadecimal digits (either case).
std::optional<std::uint16_t> ProductIdInPath(std::string_view path);
bool DriverPathMatches(std::string_view path, std::uint16_t productId);

// The product id the mouse names in its reply to ProductIdCmd: byte 1 high, byte 2 low.
std::uint16_t ProductIdFromReply(const Report& reply);

// Whether `length` bytes at `offset` lie inside the driver image (no wrap-around).
bool FitsDriverImage(std::uint32_t offset, std::uint32_t length);

// The input of the write call: offset, length, then the bytes.
std::vector<std::uint8_t> DriverWriteBuffer(std::uint32_t offset, std::span<const std::uint8_t> bytes);

// The one buffer of the read call, in and out: offset and length, then room for the data
// (zeroed, so a short answer never shows stale memory). 8 + length bytes, or
// kWholeImageReadBufferSize for the whole image.
std::vector<std::uint8_t> DriverReadBuffer(std::uint32_t offset, std::uint32_t length);

// The data of an answered read buffer: `length` bytes from byte 8; nothing when the buffer
// is too short to hold them.
std::optional<std::vector<std::uint8_t>> DriverReadData(std::span<const std::uint8_t> buffer, std::uint32_t length);

}  // namespace qeltra3k::device
