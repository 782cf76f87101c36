#include "device/VirtualMouseFaults.h"

#include <gtest/gtest.h>

#include <functional>

namespace qeltra3k::device {
namespace {

TEST(VirtualMouseFaults, TextsSetTheirSwitches)
{
    struct Case {
        const char* text;
        std::function<void(FaultSwitches&)> expect;
    };
    const Case cases[]{
        {"no-answer", [](FaultSwitches& f) { f.noAnswer = true; }},
        {"lose-chunk:0", [](FaultSwitches& f) { f.lostChunks = {0}; }},
        {"lose-chunk:42", [](FaultSwitches& f) { f.lostChunks = {42}; }},
        {"stuck:0x5F3", [](FaultSwitches& f) { f.stuckAddresses = {0x5F3}; }},
        {"stuck:2047", [](FaultSwitches& f) { f.stuckAddresses = {2047}; }},
        {"not-ready", [](FaultSwitches& f) { f.notReady = true; }},
        {"chip:0x75", [](FaultSwitches& f) { f.chipSource = 0x75; }},
        {"chip:0", [](FaultSwitches& f) { f.chipSource = 0; }},
        {"slow:3", [](FaultSwitches& f) { f.slowPolls = 3; }},
        {"unplug-after:0", [](FaultSwitches& f) { f.unplugAfter = 0; }},
        {"unplug-after:500", [](FaultSwitches& f) { f.unplugAfter = 500; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FaultSwitches parsed;
        FaultSwitches expected;
        c.expect(expected);
        std::string error;
        EXPECT_TRUE(AddFault(c.text, parsed, error)) << error;
        EXPECT_EQ(parsed, expected);
    }
}

TEST(VirtualMouseFaults, BadTextsAreRefusedWithTheirReason)
{
    struct Case {
        const char* text;
        const char* reason;  // part of the error
    };
    const Case cases[]{
        {"", "unknown fault"},
        {"fast", "unknown fault"},
        {"No-Answer", "unknown fault"},
        {"no-answer:1", "takes no argument"},
        {"stuck", "needs a memory address"},
        {"stuck:", "needs a memory address"},
        {"stuck:2048", "from 0 to 2047"},
        {"stuck:0x", "from 0 to 2047"},
        {"chip:256", "from 0 to 255"},
        {"chip:abc", "not \"abc\""},
        {"slow:-1", "not \"-1\""},
        {"lose-chunk:1x", "not \"1x\""},
        {"unplug-after: 3", "not \" 3\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FaultSwitches faults;
        faults.slowPolls = 2;
        const FaultSwitches before = faults;
        std::string error;
        EXPECT_FALSE(AddFault(c.text, faults, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(faults, before);
    }
}

TEST(VirtualMouseFaults, UnknownFaultErrorListsTheKnownOnes)
{
    FaultSwitches faults;
    std::string error;
    EXPECT_FALSE(AddFault("slwo:3", faults, error));
    for (const char* name : {"no-answer", "lose-chunk:N", "stuck:N", "not-ready", "chip:N", "slow:N", "unplug-after:N"})
        EXPECT_NE(error.find(name), std::string::npos) << name << " missing from: " << error;
}

TEST(VirtualMouseFaults, ListsApplyAllOrNothing)
{
    FaultSwitches faults;
    std::string error;
    ASSERT_TRUE(AddFaults("slow:3,stuck:0x36,stuck:0x37", faults, error)) << error;
    FaultSwitches expected;
    expected.slowPolls = 3;
    expected.stuckAddresses = {0x36, 0x37};
    EXPECT_EQ(faults, expected);

    EXPECT_FALSE(AddFaults("not-ready,bogus", faults, error));
    EXPECT_NE(error.find("bogus"), std::string::npos) << error;
    EXPECT_EQ(faults, expected);
    EXPECT_FALSE(AddFaults("not-ready,", faults, error));
    EXPECT_EQ(faults, expected);
}

}  // namespace
}  // namespace qeltra3k::device
