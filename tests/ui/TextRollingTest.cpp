#include "ui/text/TextRolling.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qeltra3k::text {
namespace {

TEST(TextRolling, RollsOneCharacterPerTickWithTheGapOnlyOnce)
{
    TextRolling rolling;
    rolling.Enter("Btn_Apply_1", "Apply");
    const std::vector<std::string> expected = {
        "pply    A", "ply    Ap", "ly    App", "y    Appl", "    Apply", "   Apply ",
    };
    for (std::size_t tick = 0; tick < expected.size(); ++tick)
        EXPECT_EQ(rolling.Tick(true), expected[tick]) << "tick " << tick + 1;
    EXPECT_EQ(rolling.Remembered(), "Apply");
    EXPECT_EQ(rolling.Name(), "Btn_Apply_1");
}

TEST(TextRolling, CounterRestartsAtTwoSoTheGapIsNotAddedAgain)
{
    TextRolling rolling;
    rolling.Enter("Key1", "ab");
    for (int tick = 1; tick <= 20; ++tick)
        rolling.Tick(true);
    EXPECT_EQ(rolling.Counter(), 20);
    const std::string before = rolling.Rolling();
    EXPECT_EQ(before.size(), 6u);  // "ab" and four spaces, nothing added since the first tick
    rolling.Tick(true);
    EXPECT_EQ(rolling.Counter(), 2);
    EXPECT_EQ(rolling.Rolling().size(), 6u);
    EXPECT_EQ(rolling.Rolling(), RollOnce(before, false));
}

TEST(TextRolling, DisabledTicksChangeNothing)
{
    TextRolling rolling;
    rolling.Enter("Key1", "Left Click");
    EXPECT_EQ(rolling.Tick(false), std::nullopt);
    EXPECT_EQ(rolling.Counter(), 0);
    EXPECT_EQ(rolling.Rolling(), "Left Click");
}

TEST(TextRolling, MovesWholeUtf8CharactersAndLeavesEmptyCaptionsAlone)
{
    // "左鍵" (two three-byte characters): the first one goes round whole.
    EXPECT_EQ(RollOnce("\xE5\xB7\xA6\xE9\x8D\xB5", true), "\xE9\x8D\xB5    \xE5\xB7\xA6");
    EXPECT_EQ(RollOnce("\xE5\xB7\xA6\xE9\x8D\xB5", false), "\xE9\x8D\xB5\xE5\xB7\xA6");
    // A truncated character is moved byte by byte rather than read past the end.
    EXPECT_EQ(RollOnce("\xE5x", false), "x\xE5");
    EXPECT_EQ(RollOnce("", true), "");
    TextRolling rolling;
    rolling.Enter("Key2", "");
    EXPECT_EQ(rolling.Tick(true), std::nullopt);
}

TEST(TextRolling, RestartKeepsTheLabelAndStartsFromTheNewCaption)
{
    TextRolling rolling;
    rolling.Enter("Btn_Lang2_1", "English");
    rolling.Tick(true);
    rolling.Tick(true);
    rolling.Restart("Polski");
    EXPECT_EQ(rolling.Name(), "Btn_Lang2_1");
    EXPECT_EQ(rolling.Counter(), 0);
    EXPECT_EQ(rolling.Remembered(), "Polski");
    EXPECT_EQ(rolling.Tick(true), "olski    P");
}

}  // namespace
}  // namespace qeltra3k::text
