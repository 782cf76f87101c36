#if defined(__linux__)

#include "device/LinuxHidBus.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace qeltra3k::device {
namespace {

TEST(LinuxHidBus, RefusesPathsThatAreNotHidrawNodes)
{
    LinuxHidBus bus;
    for (const char* path : {"", "virtual:mouse", "/etc/passwd", "/dev/hidraw1/../../etc/passwd", "hidraw0",
                             "/dev/sda"}) {
        SCOPED_TRACE(path);
        std::string error;
        EXPECT_EQ(bus.Open(path, error), nullptr);
        EXPECT_NE(error.find("not a hidraw device path"), std::string::npos) << error;
    }
}

TEST(LinuxHidBus, MissingNodeFailsWithItsPath)
{
    LinuxHidBus bus;
    std::string error;
    EXPECT_EQ(bus.Open("/dev/hidraw987654", error), nullptr);
    EXPECT_NE(error.find("cannot open /dev/hidraw987654"), std::string::npos) << error;
}

// Whatever this machine has plugged in: one entry per hidraw node, each a hidraw path.
TEST(LinuxHidBus, ListsEachNodeOnce)
{
    LinuxHidBus bus;
    std::set<std::string> paths;
    for (const HidInterfaceInfo& info : bus.Enumerate()) {
        EXPECT_TRUE(Sysfs::NodeName(info.path).has_value()) << info.path;
        EXPECT_TRUE(paths.insert(info.path).second) << info.path << " listed twice";
    }
}

}  // namespace
}  // namespace qeltra3k::device

#endif
