// The key page: the function menu, the left-key rule, Apply into the mouse's memory, the
// mode-switch hints, resets and profiles.
#include <QFile>
#include <QFrame>

#include "device/AtomicFile.h"
#include "gui/EditorRig.h"
#include "ui/KeyMenu.h"

namespace qeltra3k::ui::testing {
namespace {

std::size_t LeftClicks(const EditorRig& rig, int language)
{
    std::size_t count = 0;
    for (int key = 1; key <= 9; ++key)
        count += rig.TextOf(QStringLiteral("Key%1").arg(key)).toStdString() == TableText(language, "Str210");
    return count;
}

TEST(KeyMenu, OpensBesideTheKeyAndItsSubmenusStayInsideTheWindow)
{
    EditorRig rig;
    rig.FirstSearch();
    for (int key = 1; key <= 9; ++key) {
        SCOPED_TRACE(key);
        rig.Click(QStringLiteral("Key%1").arg(key));
        auto* main = rig.Get<QFrame>(QStringLiteral("Pnl_Main"));
        ASSERT_TRUE(main->isVisible());
        rig.Enter(QStringLiteral("Key_Special"));
        rig.Enter(QStringLiteral("Key_CPIKey"));
        for (const char* name : {"Pnl_Main", "Pnl_Special", "Pnl_CPIKey"}) {
            auto* panel = rig.Get<QFrame>(QString::fromLatin1(name));
            EXPECT_TRUE(panel->isVisible()) << name;
            EXPECT_TRUE(rig.window->rect().contains(panel->geometry())) << name;
        }
        // Beside the key, never over it.
        const QRect keyRect(rig.Get(QStringLiteral("Key%1").arg(key))->mapTo(rig.window.get(), QPoint(0, 0)),
                            rig.Get(QStringLiteral("Key%1").arg(key))->size());
        EXPECT_FALSE(main->geometry().intersects(keyRect));
        rig.window->CloseMenus();
        EXPECT_FALSE(main->isVisible());
        EXPECT_FALSE(rig.Get(QStringLiteral("Pnl_CPIKey"))->isVisible());
    }
}

TEST(KeyMenu, PlacementPrefersTheRightThenTheLeftAndMovesUpAtTheBottom)
{
    const QRect bounds(0, 0, 1000, 660);
    EXPECT_EQ(PlaceBeside(QRect(100, 100, 190, 30), QSize(250, 127), bounds), QPoint(290, 100));
    EXPECT_EQ(PlaceBeside(QRect(690, 100, 190, 30), QSize(250, 127), bounds), QPoint(440, 100));
    EXPECT_EQ(PlaceBeside(QRect(690, 600, 190, 30), QSize(250, 127), bounds), QPoint(440, 533));
    // Too wide for either side: kept inside at the left edge.
    EXPECT_EQ(PlaceBeside(QRect(10, 10, 900, 30), QSize(250, 127), bounds), QPoint(0, 10));
}

TEST(KeyMenu, CaptionsCarryTheMenuPrefixAndSpecialKeysFollowTheLayoutOrder)
{
    text::GeneralOptions options = ShippedOptions();
    options.Special_Config = "Key_Fire,Key_AIMKey";
    EditorRig rig(DefaultImage(), options);
    const std::string prefix = " " + TableText(1, "Str200") + " ";
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key_Mute")).toStdString(), prefix + TableText(1, "Str256"));
    EXPECT_EQ(rig.Get(QStringLiteral("Key_Fire"))->y() - 1, 0);
    EXPECT_EQ(rig.Get(QStringLiteral("Key_AIMKey"))->y() - 1, 25);
    EXPECT_TRUE(rig.Get(QStringLiteral("Key_CPIKey"))->isHidden());
    EXPECT_EQ(rig.Get(QStringLiteral("Pnl_Special"))->height(), 52);
}

TEST(KeyMenu, GivingUpTheOnlyLeftClickIsRefusedWithStr108)
{
    EditorRig rig;
    rig.FirstSearch();
    ASSERT_EQ(LeftClicks(rig, 1), 1u);
    ASSERT_EQ(rig.TextOf(QStringLiteral("Key1")).toStdString(), TableText(1, "Str210"));
    const std::string before = rig.window->Controller().Form().keyCodeTexts[0][0];

    rig.Click(QStringLiteral("Key1"));
    rig.Pick(QStringLiteral("Key_Standard"), QStringLiteral("Key_Right"));

    ASSERT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str108"});
    const app::ViewMessage& message = rig.messages.back();
    EXPECT_EQ(message.style, app::MessageStyle::Dialog);
    EXPECT_EQ(message.text, TableText(1, "Str108"));
    EXPECT_EQ(message.title, TableText(1, "Title"));
    EXPECT_EQ(message.fontName, TableText(1, "FontName"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")).toStdString(), TableText(1, "Str210"));
    EXPECT_EQ(rig.window->Controller().Form().keyCodeTexts[0][0], before);
    EXPECT_FALSE(rig.Get(QStringLiteral("Pnl_Main"))->isVisible());

    // With a second left click the same pick goes through.
    rig.Click(QStringLiteral("Key3"));
    rig.Pick(QStringLiteral("Key_Standard"), QStringLiteral("Key_Left"));
    rig.Click(QStringLiteral("Key1"));
    rig.Pick(QStringLiteral("Key_Standard"), QStringLiteral("Key_Right"));
    EXPECT_EQ(rig.messages.size(), 1u);
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")).toStdString(), TableText(1, "Str211"));
    EXPECT_EQ(rig.window->Controller().Form().keyCodeTexts[0][0], "010200");
}

TEST(KeyMenu, AnAssignmentReachesTheMouseOnApplyAndGoesAwayOnReset)
{
    EditorRig rig;
    rig.FirstSearch();
    const std::string original = KeyCodeIn(rig.mouse->Memory(), config::Profile::One, 3);
    ASSERT_NE(original, "0300E2");

    rig.Click(QStringLiteral("Key3"));
    rig.Pick(QStringLiteral("Key_Media"), QStringLiteral("Key_Mute"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key3")).toStdString(), TableText(1, "Str256"));
    EXPECT_EQ(rig.window->Controller().Form().keyCodeTexts[0][2], "0300E2");
    // Not in the mouse before Apply.
    EXPECT_EQ(KeyCodeIn(rig.mouse->Memory(), config::Profile::One, 3), original);

    rig.Click(QStringLiteral("Btn_Apply_1"));
    EXPECT_EQ(KeyCodeIn(rig.mouse->Memory(), config::Profile::One, 3), "0300E2");
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_FALSE(rig.Get(QStringLiteral("Disable_All_1"))->isVisible());

    rig.Click(QStringLiteral("Btn_Confirm1_1"));
    EXPECT_EQ(KeyCodeIn(rig.mouse->Memory(), config::Profile::One, 3), original);
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key3")).toStdString(), rig.window->Controller().KeyName(original));
}

TEST(KeyMenu, TheGameModePageAssignsTheSecondKeySet)
{
    EditorRig rig;
    rig.FirstSearch();
    rig.Click(QStringLiteral("Btn_Second_1"));
    rig.Click(QStringLiteral("Key5"));
    rig.Pick(QStringLiteral("Key_MyPC"), QStringLiteral("Key_Calculator"));
    rig.Click(QStringLiteral("Btn_Apply_1"));
    EXPECT_EQ(KeyCodeIn(rig.mouse->Memory(), config::Profile::Two, 5), config::CodeForMenuTag(1101, 0));
    EXPECT_NE(KeyCodeIn(rig.mouse->Memory(), config::Profile::One, 5), config::CodeForMenuTag(1101, 0));
}

TEST(KeyMenu, TheEngineerPageAssignsEitherKeySetThroughTheSameMenu)
{
    EditorRig rig;
    rig.FirstSearch();
    rig.window->EngineerShortcut();
    ASSERT_EQ(rig.window->State(), PageState::Engineer);
    rig.Click(QStringLiteral("btn_Key205"));
    ASSERT_TRUE(rig.Get(QStringLiteral("Pnl_Main"))->isVisible());
    rig.Pick(QStringLiteral("Key_Media"), QStringLiteral("Key_Mute"));
    EXPECT_EQ(rig.window->Controller().Form().keyCodeTexts[1][4], "0300E2");
    EXPECT_NE(rig.window->Controller().Form().keyCodeTexts[0][4], "0300E2");
    EXPECT_EQ(rig.Get(QStringLiteral("btn_Key205"))->property("text").toString().toStdString(), TableText(1, "Str256"));
    // The left-key rule counts the clicked button's own key set.
    rig.Click(QStringLiteral("btn_Key201"));
    rig.Pick(QStringLiteral("Key_Standard"), QStringLiteral("Key_Right"));
    EXPECT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str108"});
}

TEST(KeyPageHints, RowsToggleTheirSwitchesAndTheGunHintNeedsGameModeAndGunFunctions)
{
    text::GeneralOptions options = ShippedOptions();
    options.GD_Enable = 1;
    EditorRig rig(DefaultImage(), options);
    rig.FirstSearch();
    const config::FormModel& form = rig.window->Controller().Form();
    rig.Click(QStringLiteral("IB_ComboKey1"));
    EXPECT_TRUE(form.cb_MidPress);
    EXPECT_FALSE(form.cb_CPIPress);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_ComboKey1")), QStringLiteral("CbS_E"));
    rig.Click(QStringLiteral("IB_ComboKey2"));
    EXPECT_FALSE(form.cb_MidPress);
    EXPECT_TRUE(form.cb_CPIPress);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_ComboKey1")), QStringLiteral("CbS_D"));

    EXPECT_FALSE(rig.Get(QStringLiteral("IB_ComboKey3"))->isVisible());
    rig.Click(QStringLiteral("Btn_Second_1"));
    EXPECT_TRUE(rig.Get(QStringLiteral("IB_ComboKey3"))->isVisible());
    rig.Click(QStringLiteral("Btn_Main_1"));
    EXPECT_FALSE(rig.Get(QStringLiteral("IB_ComboKey3"))->isVisible());
}

TEST(Profiles, SaveWritesWhatTheMouseHoldsAndLoadPutsAFileOnScreen)
{
    EditorRig rig;
    rig.FirstSearch();
    const std::filesystem::path chosen = std::filesystem::path(rig.folder.path().toStdString()) / "mine";
    rig.nextFile = chosen;
    rig.Click(QStringLiteral("Btn_Save_1"));
    ASSERT_EQ(rig.dialogs, std::vector<ProfileDialog>{ProfileDialog::Save});
    const device::FileContent saved = device::ReadWholeFile(std::filesystem::path(chosen) += ".bin");
    ASSERT_TRUE(saved.bytes);
    const config::DeviceImage memory = rig.mouse->Memory();
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), saved.bytes->begin(), saved.bytes->end()));

    // A profile whose key 4 is "Volume +", loaded back.
    const config::DeviceImage profile = WithKeyCode(memory, config::Profile::One, 4, config::CodeForMenuTag(1304, 0));
    const std::filesystem::path file = std::filesystem::path(rig.folder.path().toStdString()) / "volume.bin";
    std::string error;
    ASSERT_TRUE(device::WriteFileAtomically(file, profile, error)) << error;
    rig.nextFile = file;
    rig.Click(QStringLiteral("Btn_Load_1"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key4")).toStdString(), TableText(1, "Str254"));

    // A cancelled dialog changes nothing.
    rig.nextFile.reset();
    rig.Click(QStringLiteral("Btn_Load_1"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key4")).toStdString(), TableText(1, "Str254"));
}

}  // namespace
}  // namespace qeltra3k::ui::testing
