// Languages and skins, hover pictures, text rolling and the web button.
#include <QApplication>
#include <QRadioButton>

#include "gui/EditorRig.h"

namespace qeltra3k::ui::testing {
namespace {

TEST(Languages, ASwitchCarriesTheKeyCaptionsAndRelabelsTheWindow)
{
    EditorRig rig(WithKeyCode(DefaultImage(), config::Profile::One, 3, config::CodeForMenuTag(1306, 0)));
    rig.FirstSearch();
    ASSERT_EQ(rig.TextOf(QStringLiteral("Key3")).toStdString(), TableText(1, "Str256"));
    ASSERT_EQ(rig.TextOf(QStringLiteral("Btn_Apply_1")).toStdString(), TableText(1, "Str001"));

    for (int language : {2, 3, 1}) {
        SCOPED_TRACE(language);
        rig.Click(QStringLiteral("Btn_Lang%1_2").arg(language));
        EXPECT_EQ(rig.window->Language(), language);
        EXPECT_TRUE(rig.Get<QRadioButton>(QStringLiteral("rb_Lang%1").arg(language))->isChecked());
        EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")).toStdString(), TableText(language, "Str210"));
        EXPECT_EQ(rig.TextOf(QStringLiteral("Key3")).toStdString(), TableText(language, "Str256"));
        for (int copy = 1; copy <= kPageCopies; ++copy) {
            EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Apply_%1").arg(copy)).toStdString(), TableText(language, "Str001"));
            for (int other = 1; other <= 3; ++other)
                EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Lang%1_%2").arg(other).arg(copy)),
                          other == language ? QStringLiteral("Lang_03") : QStringLiteral("Lang_01"));
        }
        EXPECT_EQ(rig.TextOf(QStringLiteral("IB_ComboKey1")).toStdString(), TableText(language, "Str700"));
        EXPECT_EQ(rig.TextOf(QStringLiteral("lbl_FireKey")).toStdString(), TableText(language, "Str800"));
        EXPECT_EQ(QApplication::applicationDisplayName().toStdString(), TableText(language, "Title"));
        // Messages from now on come in the new language.
        rig.window->Controller().Btn_Read_0Click();
        EXPECT_EQ(rig.window->Controller().Text("Str108"), TableText(language, "Str108"));
    }
}

TEST(Languages, ACaptionNoTableKnowsStaysAsItIs)
{
    EditorRig rig;
    rig.FirstSearch();
    // The other key set is carried too, so the game-mode page speaks the new language.
    rig.window->Controller().Form().keyCaptions[0][5] = "My macro";
    rig.Click(QStringLiteral("Btn_Lang2_1"));
    EXPECT_EQ(rig.window->Controller().Form().keyCaptions[0][5], "My macro");
    rig.Click(QStringLiteral("Btn_Second_1"));
    for (int key = 1; key <= 9; ++key) {
        const std::string caption = rig.TextOf(QStringLiteral("Key%1").arg(key)).toStdString();
        const std::string code = rig.window->Controller().Form().keyCodeTexts[1][static_cast<std::size_t>(key - 1)];
        EXPECT_EQ(caption, rig.window->Controller().KeyName(code)) << "Key" << key;
    }
}

TEST(Hover, PageButtonsLightOnlyTheHoveredCopyAndRestoreTheCurrentPage)
{
    EditorRig rig;
    rig.FirstSearch();
    rig.Enter(QStringLiteral("Btn_Adv_2"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Adv_2")), QStringLiteral("SetS_02"));
    for (int copy : {1, 3, 4})
        EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Adv_%1").arg(copy)), QStringLiteral("SetS_01"));
    rig.Leave(QStringLiteral("Btn_Adv_2"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Adv_2")), QStringLiteral("SetS_01"));
    for (int copy = 1; copy <= kPageCopies; ++copy)
        EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Main_%1").arg(copy)), QStringLiteral("SetS_03"));
}

TEST(Hover, FamiliesUseTheirOwnPictures)
{
    EditorRig rig;
    rig.FirstSearch();
    struct Case {
        const char* label;
        const char* picture;
        const char* over;
        const char* normal;
        bool allCopies;
    };
    const Case cases[] = {
        {"Btn_Apply_3", "Img_Apply_", "BtnS_02", "BtnS_01", true},
        {"Btn_Exit_1", "Img_Exit_", "ExitS_02", "ExitS_01", true},
        {"Btn_Mini_4", "Img_Mini_", "MiniS_02", "MiniS_01", true},
        {"Btn_Web_2", "Img_Web_", "WebS_03", "WebS_01", true},
        {"Btn_Lang2_3", "Img_Lang2_", "Lang_02", "Lang_01", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const int hoveredCopy = QString::fromLatin1(c.label).back().digitValue();
        rig.Enter(QString::fromLatin1(c.label));
        for (int copy = 1; copy <= kPageCopies; ++copy) {
            const bool lit = c.allCopies || copy == hoveredCopy;
            EXPECT_EQ(rig.PictureOf(QString::fromLatin1(c.picture) + QString::number(copy)),
                      QString::fromLatin1(lit ? c.over : c.normal));
        }
        rig.Leave(QString::fromLatin1(c.label));
        for (int copy = 1; copy <= kPageCopies; ++copy)
            EXPECT_EQ(rig.PictureOf(QString::fromLatin1(c.picture) + QString::number(copy)), QString::fromLatin1(c.normal));
    }
    rig.Enter(QStringLiteral("Key4"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Key4")), QStringLiteral("KeyS_02"));
    rig.Leave(QStringLiteral("Key4"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Key4")), QStringLiteral("KeyS_01"));
}

TEST(TextRolling, AHoveredCaptionRollsTickByTickAndIsRestoredOnLeave)
{
    text::GeneralOptions options = ShippedOptions();
    options.TR_Enable = 1;
    EditorRig rig(DefaultImage(), options);
    rig.FirstSearch();
    rig.Click(QStringLiteral("Btn_Lang2_1"));
    ASSERT_EQ(rig.TextOf(QStringLiteral("Btn_Apply_1")), QStringLiteral("Apply"));
    rig.Enter(QStringLiteral("Btn_Apply_1"));
    rig.window->LabelRunTimer();
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Apply_1")), QStringLiteral("pply    A"));
    rig.window->LabelRunTimer();
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Apply_1")), QStringLiteral("ply    Ap"));
    // Only the hovered copy rolls.
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Apply_2")), QStringLiteral("Apply"));
    rig.Leave(QStringLiteral("Btn_Apply_1"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Apply_1")), QStringLiteral("Apply"));
    rig.window->LabelRunTimer();
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Apply_1")), QStringLiteral("Apply"));

    // A key label rolls too, and a switch of language under the mouse starts it over.
    rig.Enter(QStringLiteral("Key1"));
    rig.window->LabelRunTimer();
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")), QStringLiteral("eft Click    L"));
    rig.Leave(QStringLiteral("Key1"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")), QStringLiteral("Left Click"));
}

TEST(TextRolling, WithRollingSwitchedOffTicksChangeNothing)
{
    text::GeneralOptions options = ShippedOptions();
    options.TR_Enable = 0;
    EditorRig rig(DefaultImage(), options);
    rig.FirstSearch();
    const QString caption = rig.TextOf(QStringLiteral("Btn_Read_1"));
    rig.Enter(QStringLiteral("Btn_Read_1"));
    for (int tick = 0; tick < 3; ++tick)
        rig.window->LabelRunTimer();
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Read_1")), caption);
}

TEST(WebButton, OpensTheAddressOnlyWhenEnabledAndAlwaysShowsTheClick)
{
    for (int enabled : {1, 0}) {
        SCOPED_TRACE(enabled);
        text::GeneralOptions options = ShippedOptions();
        options.Web_Enable = enabled;
        options.Web = "https://example.org/qeltra3k";
        EditorRig rig(DefaultImage(), options);
        rig.FirstSearch();
        rig.Click(QStringLiteral("Btn_Web_3"));
        for (int copy = 1; copy <= kPageCopies; ++copy)
            EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Web_%1").arg(copy)), QStringLiteral("WebS_02"));
        if (enabled == 1) {
            ASSERT_EQ(rig.opened.size(), 1u);
            EXPECT_EQ(rig.opened.front(), QUrl(QStringLiteral("https://example.org/qeltra3k")));
        } else {
            EXPECT_TRUE(rig.opened.empty());
        }
    }
}

TEST(Skin, EnableFlagsHideButtonsOnEveryPage)
{
    EditorRig rig;
    const text::SkinSection skin = text::LoadSkinSection(1).skin;
    for (std::size_t i = 0; i < text::kActionButtonNames.size(); ++i) {
        const QString stem = QString::fromLatin1(text::kActionButtonNames[i].data(),
                                                 static_cast<qsizetype>(text::kActionButtonNames[i].size()));
        for (int copy = 1; copy <= kPageCopies; ++copy) {
            EXPECT_EQ(rig.Get(QStringLiteral("Btn_%1_%2").arg(stem).arg(copy))->isHidden(), !skin.topBar.Btn_A[i].enabled)
                << stem.toStdString();
            EXPECT_EQ(rig.Get(QStringLiteral("Img_%1_%2").arg(stem).arg(copy))->isHidden(), !skin.topBar.Btn_A[i].enabled);
        }
    }
    // The engineer page has no button in the skins.
    EXPECT_TRUE(rig.Get(QStringLiteral("Btn_Engineer_1"))->isHidden());
    // Label over picture: the same place and size.
    for (int key = 1; key <= 9; ++key)
        EXPECT_EQ(rig.Get(QStringLiteral("Key%1").arg(key))->geometry(), rig.Get(QStringLiteral("Img_Key%1").arg(key))->geometry());
}

}  // namespace
}  // namespace qeltra3k::ui::testing
