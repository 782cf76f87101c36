#include "macros/MacroBody.h"

#include <gtest/gtest.h>

#include "MacroTestBytes.h"
#include "macros/MacroEvents.h"

namespace qeltra3k::macros {
namespace {

using testing::Body;
using testing::Bytes;

const Bytes kClickEvents{0xA1, 0xFE, 0x0C, 0x21};  // LeftDown, Delay 96 ms, LeftUp

TEST(MacroBody, WorkedExampleInBothLayouts)
{
    struct Case {
        BodyLayout layout;
        Bytes expected;
        std::size_t zeroTail;
    };
    const Case cases[]{
        {BodyLayout::Eeprom, Body({0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B}, BodyLayout::Eeprom), 217},
        {BodyLayout::Driver, Body({0x00, 0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B}, BodyLayout::Driver), 2008},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.layout));
        const auto body = BuildBody(kStopAfterMacro, kClickEvents, c.layout);
        ASSERT_TRUE(body);
        EXPECT_EQ(*body, c.expected);
        EXPECT_EQ(c.expected.size() - c.zeroTail, c.layout == BodyLayout::Eeprom ? 7u : 8u);
        EXPECT_EQ(BodyLength(*body, c.layout), 5u);
        EXPECT_EQ(Bytes(BodyEvents(*body, c.layout).begin(), BodyEvents(*body, c.layout).end()), kClickEvents);
        EXPECT_TRUE(HasValidChecksum(*body, c.layout));
    }
}

TEST(MacroBody, StopFlagIsNotCoveredByTheChecksum)
{
    auto body = BuildBody(kStopOnRelease, kClickEvents, BodyLayout::Eeprom);
    ASSERT_TRUE(body);
    EXPECT_EQ((*body)[0], kStopOnRelease);
    EXPECT_EQ((*body)[6], 0x8B);
}

TEST(MacroBody, NoEventsGiveAnAllZeroBody)
{
    for (BodyLayout layout : {BodyLayout::Eeprom, BodyLayout::Driver}) {
        const auto body = BuildBody(kStopOnRelease, {}, layout);
        ASSERT_TRUE(body);
        EXPECT_EQ(*body, Bytes(Describe(layout).bodySize, 0x00));
        EXPECT_TRUE(IsEmptyBody(*body, layout));
    }
}

TEST(MacroBody, CapacityIsTheLastByteThatLeavesRoomForTheChecksum)
{
    const Bytes fullEeprom(221, event::LeftDown);
    const auto eeprom = BuildBody(kStopAfterMacro, fullEeprom, BodyLayout::Eeprom);
    ASSERT_TRUE(eeprom);
    EXPECT_EQ((*eeprom)[1], 222);
    EXPECT_TRUE(HasValidChecksum(*eeprom, BodyLayout::Eeprom));
    EXPECT_FALSE(BuildBody(kStopAfterMacro, Bytes(222, event::LeftDown), BodyLayout::Eeprom));

    const auto driver = BuildBody(kStopAfterMacro, Bytes(1980, event::LeftDown), BodyLayout::Driver);
    ASSERT_TRUE(driver);
    EXPECT_EQ((*driver)[1], 0x07);  // 1981 = 0x07BD, high byte first
    EXPECT_EQ((*driver)[2], 0xBD);
    EXPECT_TRUE(HasValidChecksum(*driver, BodyLayout::Driver));
    EXPECT_FALSE(BuildBody(kStopAfterMacro, Bytes(1981, event::LeftDown), BodyLayout::Driver));
}

TEST(MacroBody, ChecksumJudgement)
{
    struct Case {
        const char* what;
        Bytes body;
        bool valid;
    };
    Bytes wrongLength = Body({0x00, 0xDF}, BodyLayout::Eeprom);  // L = 223: checksum at 224
    const Case cases[]{
        {"example", Body({0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8B}, BodyLayout::Eeprom), true},
        {"last byte changed", Body({0x00, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0x8C}, BodyLayout::Eeprom), false},
        {"all zero", Body({}, BodyLayout::Eeprom), false},
        {"erased", Bytes(224, 0xFF), false},
        {"checksum past the end", wrongLength, false},
        {"no events, L = 1", Body({0x00, 0x01, 0x5B}, BodyLayout::Eeprom), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(HasValidChecksum(c.body, BodyLayout::Eeprom), c.valid);
    }
}

TEST(MacroBody, DamagedLengthNeverReachesPastTheBody)
{
    const Bytes eeprom = Body({0x00, 0xFE}, BodyLayout::Eeprom);
    EXPECT_EQ(BodyEvents(eeprom, BodyLayout::Eeprom).size(), 222u);
    EXPECT_FALSE(HasValidChecksum(eeprom, BodyLayout::Eeprom));

    const Bytes driver = Body({0x00, 0xFF, 0xFE}, BodyLayout::Driver);
    EXPECT_EQ(BodyEvents(driver, BodyLayout::Driver).size(), 2013u);
    EXPECT_FALSE(HasValidChecksum(driver, BodyLayout::Driver));

    // Erased length fields mean an empty body.
    EXPECT_TRUE(BodyEvents(Body({0x00, 0xFF}, BodyLayout::Eeprom), BodyLayout::Eeprom).empty());
    EXPECT_TRUE(BodyEvents(Body({0x00, 0xFF, 0xFF}, BodyLayout::Driver), BodyLayout::Driver).empty());
    // A body too short for its length field is empty rather than read past.
    EXPECT_TRUE(IsEmptyBody(Bytes{0x00}, BodyLayout::Eeprom));
    EXPECT_TRUE(BodyEvents(Bytes{0x00, 0x00}, BodyLayout::Driver).empty());
}

TEST(MacroEvents, TableAndButtons)
{
    ASSERT_TRUE(FindEvent(0xFE));
    EXPECT_EQ(FindEvent(0xFE)->size, 2);
    EXPECT_EQ(FindEvent(0xFC)->size, 1);
    EXPECT_FALSE(FindEvent(0x00));
    EXPECT_FALSE(FindEvent(0xA3));

    for (const MouseButton& button : kMouseButtons) {
        SCOPED_TRACE(button.rowName);
        ASSERT_TRUE(FindEvent(ButtonPress(button.bit)));
        ASSERT_TRUE(FindEvent(ButtonRelease(button.bit)));
        EXPECT_TRUE(FindButtonEvent(ButtonPress(button.bit))->press);
        EXPECT_FALSE(FindButtonEvent(ButtonRelease(button.bit))->press);
    }
    EXPECT_EQ(ButtonPress(0x10), event::BackwardDown);
    EXPECT_EQ(ButtonRelease(0x08), event::ForwardUp);
}

TEST(MacroEvents, ModifierNames)
{
    struct Case {
        std::uint8_t mask;
        const char* name;
        bool editorMask;
    };
    const Case cases[]{
        {0x01, "Ctrl", true},
        {0x02, "Shift", true},
        {0x04, "Alt", true},
        {0x08, "Left Windows", true},
        {0x80, "Right Windows", true},
        {0x03, "Ctrl+Shift", false},
        {0x10, "Right Ctrl", false},
        {0x85, "Ctrl+Alt+Right Windows", false},
        {0x00, "None", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ModifierName(c.mask), c.name);
        EXPECT_EQ(IsEditorModifierMask(c.mask), c.editorMask);
    }
}

}  // namespace
}  // namespace qeltra3k::macros
