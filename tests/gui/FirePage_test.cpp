// The fire macro page against the virtual mouse: offered by the key menu on the game-mode page
// with the gun functions on, its rows and corrections, the stop boxes and colours, hover
// pictures, Confirm with the left-key guard and its write, Exit.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "config/ConfigImage.h"
#include "config/Conversion.h"
#include "config/ImageLayout.h"
#include "tests/gui/EditorRig.h"
#include "ui/FirePage.h"

namespace qeltra3k::ui::testing {
namespace {

text::GeneralOptions GunOptions()
{
    text::GeneralOptions options = ShippedOptions();
    options.GD_Enable = 1;
    return options;
}

struct FireRig : EditorRig {
    explicit FireRig(text::GeneralOptions options = GunOptions()) : EditorRig(DefaultImage(), options)
    {
        FirstSearch();
        // The PC game preset: every fire macro has the events the rows edit.
        EXPECT_EQ(window->Controller().TLFireMarcoParameter(1), app::Outcome::Done);
    }
    FirePage& Page() const { return *window->findChild<FirePage*>(); }
    bool Shown(const char* name) const { return Get(QLatin1String(name))->isVisible(); }
    // The game-mode page, the menu of Key n, its fire macro entry.
    void OpenFor(int key) const
    {
        window->PageButtonClick(PageState::Game);
        Click(QStringLiteral("Key%1").arg(key));
        Click(QStringLiteral("Key_FireMacro"));
    }
    // Types `text` over the whole of an edit, key by key, as the key filter lets it through.
    void Type(const QString& name, const QString& text) const
    {
        auto* edit = Get<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    QString EditText(const QString& name) const { return Get<QLineEdit>(name)->text(); }
    config::DataBuf& DataBuf() const { return window->Controller().DataBuf(); }
};

TEST(FirePage, KeyMenuOffersTheEntryOnlyOnTheGameModePageWithTheGunFunctions)
{
    FireRig shipped(ShippedOptions());
    shipped.window->PageButtonClick(PageState::Game);
    shipped.Click(QStringLiteral("Key3"));
    EXPECT_FALSE(shipped.Shown("Key_FireMacro"));

    FireRig rig;
    rig.window->PageButtonClick(PageState::Office);
    rig.Click(QStringLiteral("Key3"));
    EXPECT_FALSE(rig.Shown("Key_FireMacro"));
    rig.window->PageButtonClick(PageState::Game);
    rig.Click(QStringLiteral("Key3"));
    ASSERT_TRUE(rig.Shown("Key_FireMacro"));
    // Below the other entries, inside the panel.
    QWidget* entry = rig.Get(QStringLiteral("Key_FireMacro"));
    EXPECT_LE(entry->geometry().bottom(), rig.Get(QStringLiteral("Pnl_Main"))->height());
    EXPECT_GT(entry->y(), rig.Get(QStringLiteral("Key_MyPC"))->y());
    EXPECT_TRUE(rig.TextOf(QStringLiteral("Key_FireMacro")).endsWith(QString::fromStdString(TableText(1, "Str208"))));
}

TEST(FirePage, EntryOpensThePageAloneWithGunOne)
{
    FireRig rig;
    rig.OpenFor(3);
    EXPECT_TRUE(rig.window->Controller().FireMacroBlockLoaded());
    EXPECT_TRUE(rig.Shown("gbPage5"));
    EXPECT_FALSE(rig.Shown("gbPage1"));
    EXPECT_FALSE(rig.Shown("Pnl_Main"));
    EXPECT_EQ(rig.Page().Gun(), 1);
    EXPECT_EQ(rig.Page().KeyNumber(), 3);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Fire1")), QStringLiteral("Gun1_02"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Fire2")), QStringLiteral("Gun2_01"));
    EXPECT_TRUE(rig.Shown("Edt_FireCnt1"));
    EXPECT_FALSE(rig.Shown("Edt_FireCnt2"));
    EXPECT_FALSE(rig.Shown("Img_GunMode1"));
}

TEST(FirePage, GunsShowTheirRowsAndModePictures)
{
    FireRig rig;
    rig.OpenFor(3);
    struct Case {
        int gun;
        bool row2, row3;
        std::array<bool, 5> modes;
    };
    for (const Case& c : {Case{6, true, false, {true, true, false, false, false}},
                          Case{7, true, true, {false, false, true, true, true}},
                          Case{4, false, false, {false, false, false, false, false}}}) {
        SCOPED_TRACE(c.gun);
        rig.Click(QStringLiteral("Btn_Fire%1").arg(c.gun));
        EXPECT_EQ(rig.Page().Gun(), c.gun);
        EXPECT_TRUE(rig.Get<QRadioButton>(QStringLiteral("rb_Fire%1").arg(c.gun))->isChecked());
        EXPECT_EQ(rig.Shown("Edt_FireTime2"), c.row2);
        EXPECT_EQ(rig.Shown("IB_FireColor2"), c.row2);
        EXPECT_EQ(rig.Shown("Edt_FireY3Offset"), c.row3);
        for (int mode = 1; mode <= 5; ++mode)
            EXPECT_EQ(rig.Get(QStringLiteral("Img_GunMode%1").arg(mode))->isVisible(), c.modes[mode - 1]) << mode;
        EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Fire%1").arg(c.gun)), QStringLiteral("Gun%1_02").arg(c.gun));
    }
}

TEST(FirePage, HoverLightsAGunAndTheSelectedGunStaysLit)
{
    FireRig rig;
    rig.OpenFor(3);
    rig.Enter(QStringLiteral("Btn_Fire4"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Fire4")), QStringLiteral("Gun4_02"));
    rig.Leave(QStringLiteral("Btn_Fire4"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Fire4")), QStringLiteral("Gun4_01"));
    rig.Enter(QStringLiteral("Btn_Fire1"));
    rig.Leave(QStringLiteral("Btn_Fire1"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Fire1")), QStringLiteral("Gun1_02"));
    rig.Enter(QStringLiteral("Btn_FireExit"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_FireExit")), QStringLiteral("BtnS_02"));
    rig.Leave(QStringLiteral("Btn_FireExit"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_FireExit")), QStringLiteral("BtnS_01"));
}

TEST(FirePage, TypedValuesAreCorrectedAndStoredInTheRecord)
{
    FireRig rig;
    rig.OpenFor(3);
    struct Case {
        const char* edit;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{"Edt_FireCnt1", "300", "256"}, Case{"Edt_FireX1", "-129", "-128"},
                          Case{"Edt_FireX1", "-", "-"}, Case{"Edt_FireTime1", "2047", "2040"},
                          Case{"Edt_FireY1", "200", "127"}}) {
        SCOPED_TRACE(c.edit);
        rig.Type(QLatin1String(c.edit), QLatin1String(c.typed));
        EXPECT_EQ(rig.EditText(QLatin1String(c.edit)), QLatin1String(c.shown)) << c.typed;
    }
    // Shown again from the records: what was stored reads back (the lone "-" stored nothing).
    rig.Click(QStringLiteral("Btn_Fire2"));
    rig.Click(QStringLiteral("Btn_Fire1"));
    EXPECT_EQ(rig.EditText(QStringLiteral("Edt_FireCnt1")), QStringLiteral("256"));
    EXPECT_EQ(rig.EditText(QStringLiteral("Edt_FireX1")), QStringLiteral("-128"));
    EXPECT_EQ(rig.EditText(QStringLiteral("Edt_FireTime1")), QStringLiteral("2040"));
    EXPECT_EQ(rig.EditText(QStringLiteral("Edt_FireY1")), QStringLiteral("127"));
    // The key filter: no letters, and no "-" in the count.
    rig.Type(QStringLiteral("Edt_FireCnt1"), QStringLiteral("-a7"));
    EXPECT_EQ(rig.EditText(QStringLiteral("Edt_FireCnt1")), QStringLiteral("7"));
}

TEST(FirePage, OffsetIsHeldAgainstTheRowsYAndMirroredOnTheEngineerPage)
{
    FireRig rig;
    rig.OpenFor(3);
    rig.Click(QStringLiteral("Btn_Fire6"));  // rows 1 and 2: fire macros 6 and 7
    rig.Type(QStringLiteral("Edt_FireY2"), QStringLiteral("100"));
    EXPECT_EQ(rig.EditText(QStringLiteral("Edt_FireY2Offset")), QStringLiteral("0"));
    rig.Type(QStringLiteral("Edt_FireY2Offset"), QStringLiteral("50"));
    EXPECT_EQ(rig.EditText(QStringLiteral("Edt_FireY2Offset")), QStringLiteral("27"));
    EXPECT_EQ(rig.window->Controller().Form().edt_YOffset[6], "27");
    EXPECT_EQ(rig.DataBuf()[config::field::FireMacroOffsetTable + 2 * 6], 27);
}

TEST(FirePage, StopBoxAndColourChangeTheRowsFireMacro)
{
    FireRig rig;
    rig.OpenFor(3);
    rig.Click(QStringLiteral("Btn_Fire7"));
    const QString before = rig.PictureOf(QStringLiteral("Img_FireRKFS3"));
    const bool checked = rig.Get<QCheckBox>(QStringLiteral("cb_FireRKFS3"))->isChecked();
    rig.Click(QStringLiteral("lbl_FireRKFS3"));
    EXPECT_NE(rig.PictureOf(QStringLiteral("Img_FireRKFS3")), before);
    EXPECT_NE(rig.Get<QCheckBox>(QStringLiteral("cb_FireRKFS3"))->isChecked(), checked);
    // Shown again from the record: the flag stuck.
    rig.Click(QStringLiteral("Btn_Fire1"));
    rig.Click(QStringLiteral("Btn_Fire7"));
    EXPECT_NE(rig.Get<QCheckBox>(QStringLiteral("cb_FireRKFS3"))->isChecked(), checked);
    // Row 1's caption is a second way to its box.
    const bool first = rig.Get<QCheckBox>(QStringLiteral("cb_FireRKFS1"))->isChecked();
    rig.Click(QStringLiteral("lbl_Fire_Marco_Stop_Release"));
    EXPECT_NE(rig.Get<QCheckBox>(QStringLiteral("cb_FireRKFS1"))->isChecked(), first);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_FireRKFS1")), first ? QStringLiteral("CbS_D") : QStringLiteral("CbS_E"));

    std::optional<QColor> answer;
    QColor offered;
    rig.Page().chooseColour = [&](const QColor& initial) {
        offered = initial;
        return answer;
    };
    const auto& form = rig.window->Controller().Form();
    const std::string redBefore = form.edt_FireMacroColor[8].R;
    rig.Click(QStringLiteral("IB_FireColor2"));  // cancelled: nothing changes
    EXPECT_EQ(form.edt_FireMacroColor[8].R, redBefore);
    answer = QColor(12, 34, 56);
    rig.Click(QStringLiteral("IB_FireColor2"));
    EXPECT_EQ(form.edt_FireMacroColor[8].R, "12");
    EXPECT_EQ(form.edt_FireMacroColor[8].G, "34");
    EXPECT_EQ(form.edt_FireMacroColor[8].B, "56");
    EXPECT_EQ(rig.Get(QStringLiteral("cs_FireColor2"))->palette().color(QPalette::Window), QColor(12, 34, 56));
    rig.Click(QStringLiteral("IB_FireColor2"));
    EXPECT_EQ(offered, QColor(12, 34, 56));
}

TEST(FirePage, ConfirmAssignsTheGunKeyAndWritesTheFireMacros)
{
    FireRig rig;
    rig.OpenFor(3);
    rig.Click(QStringLiteral("Btn_Fire6"));
    rig.Type(QStringLiteral("Edt_FireCnt1"), QStringLiteral("9"));
    rig.Click(QStringLiteral("Btn_FireConfirm"));
    EXPECT_TRUE(rig.Shown("gbPage1"));
    EXPECT_FALSE(rig.Shown("gbPage5"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key3")), QString::fromStdString(TableText(1, "Str605")));
    const auto code = config::ReadKeyCode(rig.DataBuf(), *config::KeyCodeOffset(config::Profile::Two, 3));
    ASSERT_TRUE(code);
    EXPECT_EQ(config::KeyCodeText(*code), "0C0607");  // the shipped Gun6_Num is 2
    // The fire macro block in the mouse holds the new count: a fresh editor reads it back.
    const config::DeviceImage memory = rig.mouse->Memory();
    EditorRig fresh(memory, GunOptions());
    fresh.FirstSearch();
    fresh.window->PageButtonClick(PageState::Game);
    fresh.Click(QStringLiteral("Key3"));
    fresh.Click(QStringLiteral("Key_FireMacro"));
    fresh.Click(QStringLiteral("Btn_Fire6"));
    EXPECT_EQ(fresh.window->findChild<QLineEdit*>(QStringLiteral("Edt_FireCnt1"))->text(), QStringLiteral("9"));
}

TEST(FirePage, ConfirmOnTheOnlyLeftClickIsRefused)
{
    FireRig rig;
    rig.OpenFor(1);
    const QString leftName = QString::fromStdString(TableText(1, "Str210"));
    ASSERT_EQ(rig.TextOf(QStringLiteral("Key1")), leftName);
    const auto before = config::ReadKeyCode(rig.DataBuf(), *config::KeyCodeOffset(config::Profile::Two, 1));
    rig.Click(QStringLiteral("Btn_FireConfirm"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")), leftName);
    EXPECT_EQ(config::ReadKeyCode(rig.DataBuf(), *config::KeyCodeOffset(config::Profile::Two, 1)), before);
    EXPECT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str108"});
    EXPECT_TRUE(rig.Shown("gbPage1"));
}

TEST(FirePage, ExitReturnsWithoutAssigning)
{
    FireRig rig;
    rig.OpenFor(3);
    const QString caption = rig.TextOf(QStringLiteral("Key3"));
    const config::DeviceImage memory = rig.mouse->Memory();
    rig.Type(QStringLiteral("Edt_FireCnt1"), QStringLiteral("5"));
    rig.Click(QStringLiteral("Btn_FireExit"));
    EXPECT_TRUE(rig.Shown("gbPage1"));
    EXPECT_FALSE(rig.Shown("gbPage5"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key3")), caption);
    EXPECT_EQ(rig.mouse->Memory(), memory);
    // The edit stays in memory and shows when the page opens again.
    rig.Click(QStringLiteral("Key3"));
    rig.Click(QStringLiteral("Key_FireMacro"));
    EXPECT_EQ(rig.EditText(QStringLiteral("Edt_FireCnt1")), QStringLiteral("5"));
}

}  // namespace
}  // namespace qeltra3k::ui::testing
