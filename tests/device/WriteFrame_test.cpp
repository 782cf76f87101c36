#include <gtest/gtest.h>

#include "device/WriteFrame.h"

namespace qeltra3k::device {
namespace {

TEST(ChipCode, KnownStatusBytesOnly)
{
    struct Case {
        std::uint8_t statusByte;
        std::uint8_t chipCode;
    };
    const Case cases[] = {{0x35, 0x90}, {0x75, 0x99}, {0xFD, 0x98}, {0x00, 0}, {0x90, 0}, {0xFF, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ChipCode(c.statusByte), c.chipCode) << int(c.statusByte);
}

}  // namespace
}  // namespace qeltra3k::device
