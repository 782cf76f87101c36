#include "fire/GunKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace qeltra3k::fire {
namespace {

TEST(GunKeyCode, FollowsTheGunAndTheLayoutCounts)
{
    struct Case {
        int gun;
        int gun6Num;
        int gun7Num;
        std::string_view code;  // empty: no code
    };
    const Case cases[] = {
        {1, 2, 3, "0C0101"}, {2, 2, 3, "0C0202"}, {3, 2, 3, "0C0303"}, {4, 2, 3, "0C0404"}, {5, 2, 3, "0C0505"},
        {6, 1, 3, "0C0606"}, {6, 2, 3, "0C0607"}, {7, 2, 1, "0C0808"}, {7, 2, 2, "0C0809"}, {7, 2, 3, "0C080A"},
        // Guns 1 .. 5 ignore the counts.
        {1, 1, 1, "0C0101"},
        {6, 3, 3, ""}, {6, 0, 3, ""}, {7, 2, 4, ""}, {7, 2, 0, ""}, {0, 2, 3, ""}, {8, 2, 3, ""},
    };
    for (const Case& c : cases) {
        const auto code = GunKeyCode(c.gun, c.gun6Num, c.gun7Num);
        EXPECT_EQ(code ? config::KeyCodeText(*code) : std::string{}, c.code)
            << "gun " << c.gun << " Gun6_Num " << c.gun6Num << " Gun7_Num " << c.gun7Num;
    }
}

TEST(GunKeys, RowsNamesAndModePictures)
{
    struct Case {
        int gun;
        std::string_view textKey;
        std::vector<std::size_t> fireMacros;
        std::vector<int> modeImages;
    };
    const Case cases[] = {
        {1, "Str600", {1}, {}},        {2, "Str601", {2}, {}}, {3, "Str602", {3}, {}}, {4, "Str603", {4}, {}},
        {5, "Str604", {5}, {}},        {6, "Str605", {6, 7}, {1, 2}}, {7, "Str606", {8, 9, 10}, {3, 4, 5}},
        {0, "", {}, {}},               {8, "", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GunTextKey(c.gun), c.textKey) << c.gun;
        const auto macros = GunFireMacros(c.gun);
        EXPECT_EQ(std::vector<std::size_t>(macros.begin(), macros.end()), c.fireMacros) << c.gun;
        const auto images = GunModeImages(c.gun);
        EXPECT_EQ(std::vector<int>(images.begin(), images.end()), c.modeImages) << c.gun;
    }
}

// Every code a gun can assign carries that gun's name in the key naming.
TEST(GunKeys, AssignedCodesAreNamedAfterTheirGun)
{
    config::KeyNameContext context;
    context.languageText = [](std::string_view key) { return "text " + std::string(key); };
    for (int gun = 1; gun <= kGunCount; ++gun) {
        for (int gun6Num = 1; gun6Num <= 2; ++gun6Num) {
            for (int gun7Num = 1; gun7Num <= 3; ++gun7Num) {
                const auto code = GunKeyCode(gun, gun6Num, gun7Num);
                ASSERT_TRUE(code);
                EXPECT_EQ(config::KeyCodeName(config::KeyCodeText(*code), context),
                          "text " + std::string(GunTextKey(gun)));
            }
        }
    }
}

}  // namespace
}  // namespace qeltra3k::fire
