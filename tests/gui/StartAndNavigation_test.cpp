// Start, the first search, the busy overlay and the page gates.
#include <QFrame>
#include <QRadioButton>
#include <QShortcut>

#include "gui/EditorRig.h"
#include "ui/LoadingWindow.h"

namespace qeltra3k::ui::testing {
namespace {

constexpr std::size_t kMuteKey = 2;
constexpr const char* kMuteCode = "0300E2";

TEST(EditorStart, FirstSearchReadsTheMouseAndPageOneShowsItsKeyNames)
{
    // A mouse whose key 2 plays "Mute": nothing in the default configuration does.
    EditorRig rig(WithKeyCode(DefaultImage(), config::Profile::One, kMuteKey, kMuteCode));
    EXPECT_TRUE(rig.window->Controller().NoDevice());
    EXPECT_EQ(rig.window->Controller().Timers().devTimerFirst, true);
    EXPECT_TRUE(rig.Get(QStringLiteral("Disable_All_1"))->isVisible());

    rig.FirstSearch();

    const app::Controller& controller = rig.window->Controller();
    ASSERT_FALSE(controller.NoDevice());
    EXPECT_FALSE(controller.Timers().devTimerFirst);
    EXPECT_TRUE(controller.Timers().devTimer);
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_TRUE(rig.Get(QStringLiteral("gbPage1"))->isVisible());
    EXPECT_FALSE(rig.Get(QStringLiteral("Disable_All_1"))->isVisible());
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key2")).toStdString(), TableText(1, "Str256"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")).toStdString(), TableText(1, "Str210"));
    // Every label shows the name of the code the mouse holds for it.
    const config::DeviceImage memory = rig.mouse->Memory();
    for (std::size_t key = 1; key <= config::kKeysPerProfile; ++key) {
        const std::string code = KeyCodeIn(memory, config::Profile::One, key);
        EXPECT_EQ(rig.TextOf(QStringLiteral("Key%1").arg(key)).toStdString(),
                  rig.window->Controller().KeyName(code))
            << "Key" << key;
    }
    for (int copy = 1; copy <= kPageCopies; ++copy)
        EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Main_%1").arg(copy)), QStringLiteral("SetS_03"));
}

TEST(EditorStart, OnItsOwnTimersTheEditorFindsTheMouseAndWatchesOn)
{
    EditorRig rig(DefaultImage(), ShippedOptions(), true);
    EXPECT_TRUE(rig.window->DevTimerFirst().isActive());
    EXPECT_FALSE(rig.window->DevTimer().isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig.window->Controller().NoDevice(); }, 10000));
    // The first search is over: only the three-second watch runs from now on.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.window->DevTimerFirst().isActive(); }, 1000));
    EXPECT_TRUE(rig.window->DevTimer().isActive());
    EXPECT_EQ(rig.window->DevTimer().interval(), 3000);
    EXPECT_FALSE(rig.window->Loading()->isVisible());
    EXPECT_TRUE(rig.messages.empty());
}

TEST(EditorStart, TheBusyOverlaySwallowsClicksButNotExitAndMinimise)
{
    EditorRig rig;
    EXPECT_EQ(rig.HitAt(QStringLiteral("Key1"))->objectName(), QStringLiteral("Disable_All_1"));
    EXPECT_EQ(rig.HitAt(QStringLiteral("Btn_Apply_1"))->objectName(), QStringLiteral("Disable_All_1"));
    EXPECT_EQ(rig.HitAt(QStringLiteral("Btn_Exit_1"))->objectName(), QStringLiteral("Btn_Exit_1"));
    EXPECT_EQ(rig.HitAt(QStringLiteral("Btn_Mini_1"))->objectName(), QStringLiteral("Btn_Mini_1"));

    rig.FirstSearch();
    EXPECT_EQ(rig.HitAt(QStringLiteral("Key1"))->objectName(), QStringLiteral("Key1"));
    EXPECT_EQ(rig.HitAt(QStringLiteral("Btn_Apply_1"))->objectName(), QStringLiteral("Btn_Apply_1"));
}

TEST(EditorNavigation, WithoutAMousePageButtonsOnlySayTheyAreLookingForIt)
{
    EditorRig rig;
    rig.bus.Unplug();
    rig.FirstSearch();
    rig.Click(QStringLiteral("Btn_Adv_1"));
    ASSERT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str020"});
    EXPECT_EQ(rig.messages.back().text, TableText(1, "Str020"));
    EXPECT_TRUE(rig.Get(QStringLiteral("gbPage1"))->isVisible());
    EXPECT_FALSE(rig.Get(QStringLiteral("gbPage2"))->isVisible());
    EXPECT_EQ(rig.window->State(), PageState::Office);
}

TEST(EditorNavigation, InTheDeviceErrorStatePageButtonsAreInert)
{
    // ID bytes that neither accepted pair knows: the mouse is opened but refused.
    config::DeviceImage image = DefaultImage();
    image[0x36] = 0x12;
    image[0x37] = 0x34;
    EditorRig rig(image);
    rig.FirstSearch();
    ASSERT_TRUE(rig.window->Controller().HasDevice());
    ASSERT_TRUE(rig.window->Controller().NoDevice());
    ASSERT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str107"});

    rig.Click(QStringLiteral("Btn_Breath_1"));
    EXPECT_EQ(rig.messages.size(), 1u);
    EXPECT_TRUE(rig.Get(QStringLiteral("gbPage1"))->isVisible());
    EXPECT_FALSE(rig.Get(QStringLiteral("gbPage3"))->isVisible());
    // Leaving a page button there does not light the current page's button again.
    rig.Enter(QStringLiteral("Btn_Adv_1"));
    rig.Leave(QStringLiteral("Btn_Adv_1"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Main_1")), QStringLiteral("SetS_01"));
}

TEST(EditorNavigation, PageButtonsSwitchPagesStatesPicturesAndWindowSize)
{
    EditorRig rig;
    rig.FirstSearch();
    struct Case {
        const char* button;
        PageState state;
        const char* radio;
        const char* page;
    };
    const Case cases[] = {
        {"Btn_Adv_2", PageState::Advanced, "rb_4", "gbPage2"},
        {"Btn_Breath_3", PageState::Light, "rb_5", "gbPage3"},
        {"Btn_Macro_4", PageState::Macro, "rb_6", "gbPage4"},
        {"Btn_Second_1", PageState::Game, "rb_2", "gbPage1"},
        {"Btn_Main_2", PageState::Office, "rb_1", "gbPage1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        rig.Click(QString::fromLatin1(c.button));
        EXPECT_EQ(rig.window->State(), c.state);
        EXPECT_TRUE(rig.Get<QRadioButton>(QString::fromLatin1(c.radio))->isChecked());
        for (int page = 1; page <= kPageCount; ++page) {
            const QString name = QStringLiteral("gbPage%1").arg(page);
            EXPECT_EQ(rig.Get(name)->isVisible(), name == QString::fromLatin1(c.page)) << name.toStdString();
        }
        const QString stem = QString::fromLatin1(c.button).section(u'_', 1, 1);
        for (int copy = 1; copy <= kPageCopies; ++copy)
            EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_%1_%2").arg(stem).arg(copy)), QStringLiteral("SetS_03"));
        EXPECT_EQ(rig.window->size(), rig.window->BackgroundSize());
    }
    EXPECT_TRUE(rig.messages.empty());
}

TEST(EditorNavigation, TheEngineerPageOpensByItsShortcutAtItsOwnSize)
{
    EditorRig rig;
    auto* shortcut = rig.Get<QShortcut>(QStringLiteral("EngineerShortcut"));
    EXPECT_EQ(shortcut->key(), QKeySequence(QStringLiteral("Ctrl+Shift+E")));
    Q_EMIT shortcut->activated();
    EXPECT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str020"});  // gated like the page buttons

    rig.FirstSearch();
    Q_EMIT shortcut->activated();
    EXPECT_EQ(rig.window->State(), PageState::Engineer);
    EXPECT_TRUE(rig.Get(QStringLiteral("gbPage6"))->isVisible());
    EXPECT_FALSE(rig.Get(QStringLiteral("gbPage1"))->isVisible());
    EXPECT_EQ(rig.window->size(), kEngineerPageSize);
    EXPECT_TRUE(rig.window->Controller().FireMacroBlockLoaded());
    // Both key sets, with the names of the mouse's codes.
    EXPECT_EQ(rig.Get<QWidget>(QStringLiteral("btn_Key101"))->property("text").toString(), rig.TextOf("Key1"));

    Q_EMIT shortcut->activated();
    EXPECT_EQ(rig.window->State(), PageState::Office);
    EXPECT_EQ(rig.window->size(), rig.window->BackgroundSize());
}

TEST(EditorNavigation, LosingTheMouseReturnsToPageOneBehindTheOverlay)
{
    EditorRig rig;
    rig.FirstSearch();
    rig.Click(QStringLiteral("Btn_Adv_1"));
    rig.bus.Unplug();
    rig.window->DevTimerTimer();
    EXPECT_TRUE(rig.window->Controller().NoDevice());
    EXPECT_TRUE(rig.Get(QStringLiteral("gbPage1"))->isVisible());
    EXPECT_FALSE(rig.Get(QStringLiteral("gbPage2"))->isVisible());
    EXPECT_TRUE(rig.Get(QStringLiteral("Disable_All_1"))->isVisible());
    EXPECT_EQ(rig.MessageKeys(), (std::vector<std::string>{"Str100", "Str101"}));
}

TEST(EditorBusyFrame, TheLoadingWindowIsCentredOverTheMainWindowRoundingTowardZero)
{
    EXPECT_EQ(CentredPosition(QRect(10, 20, 100, 50), QSize(206, 196)), QPoint(10 - 53, 20 - 73));
    EXPECT_EQ(CentredPosition(QRect(0, 0, 1001, 661), QSize(206, 196)), QPoint(397, 232));

    EditorRig rig;
    rig.window->ShowLoadingWindow();
    LoadingWindow* loading = rig.window->Loading();
    ASSERT_NE(loading, nullptr);
    EXPECT_TRUE(loading->isVisible());
    EXPECT_EQ(loading->pos(), CentredPosition(rig.window->frameGeometry(), loading->size()));
    rig.window->HideLoadingWindow();
    // After a whole device operation it is gone again and the watch runs.
    rig.FirstSearch();
    EXPECT_FALSE(loading->isVisible());
    EXPECT_TRUE(rig.window->Controller().Timers().devTimer);
}

}  // namespace
}  // namespace qeltra3k::ui::testing
