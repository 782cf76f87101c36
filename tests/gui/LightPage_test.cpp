// The light page: which family's controls it shows, what its clicks change in the form and
// in the mouse after Apply, the count bar in both display styles and number orders, and the
// speed slider.
#include <QFrame>
#include <algorithm>
#include <functional>
#include <vector>

#include "config/ConfigImage.h"
#include "config/FormEditing.h"
#include "gui/EditorRig.h"
#include "ui/LightPage.h"
#include "ui/StepSlider.h"

namespace qeltra3k::ui::testing {
namespace {

config::FormModel& FormOf(EditorRig& rig)
{
    return rig.window->Controller().Form();
}

// The window on the light page after the first read.
void OpenLightPage(EditorRig& rig)
{
    rig.FirstSearch();
    rig.Click(QStringLiteral("Btn_Breath_1"));
    ASSERT_TRUE(rig.Get(QStringLiteral("gbPage3"))->isVisible());
}

// Sets the family the refresh names and shows the form again, as a read would.
void ShowFamily(EditorRig& rig, config::LedFamily family)
{
    FormOf(rig).ledFamilyName = std::string(config::LedFamilyName(family));
    rig.window->Refresh(app::RefreshRequest::Form);
}

bool Shown(const EditorRig& rig, const QString& name)
{
    return rig.Get(name)->isVisible();
}

std::uint8_t MouseByte(const EditorRig& rig, std::size_t field)
{
    config::DataBuf dataBuf{};
    config::LoadSections(rig.mouse->Memory(), dataBuf);
    return dataBuf[field];
}

TEST(LightPage, ShowsOnlyTheControlsOfTheRefreshedFamily)
{
    struct Case {
        config::LedFamily family;
        bool mcuRows;
        bool rbRows;
        bool leftKeySwitch;
        bool countBarAndSlider;
    };
    const Case cases[] = {
        {config::LedFamily::MCULED, true, false, true, true},
        {config::LedFamily::RBLED, false, true, true, false},
        {config::LedFamily::SyncLED, false, false, false, false},
        {config::LedFamily::BreLED, false, false, false, false},
    };
    EditorRig rig;
    OpenLightPage(rig);
    std::fill(FormOf(rig).cb_Mode.begin(), FormOf(rig).cb_Mode.end(), true);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(config::LedFamilyName(c.family)));
        ShowFamily(rig, c.family);
        for (int n = 1; n <= 7; ++n) {
            EXPECT_EQ(Shown(rig, QStringLiteral("Img_MCULEDMode%1").arg(n)), c.mcuRows) << n;
            EXPECT_EQ(Shown(rig, QStringLiteral("lbl_MCULEDMode%1").arg(n)), c.mcuRows) << n;
            EXPECT_EQ(Shown(rig, QStringLiteral("Img_RBLEDMode%1").arg(n)), c.rbRows) << n;
            EXPECT_EQ(Shown(rig, QStringLiteral("lbl_RBLEDMode%1").arg(n)), c.rbRows) << n;
        }
        for (const char* name : {"Img_LCPIOn", "Img_LCPIOff", "lbl_LCPIOn", "lbl_LCPIOff", "lbl_LLED_Status"})
            EXPECT_EQ(Shown(rig, QString::fromLatin1(name)), c.leftKeySwitch) << name;
        for (const char* name : {"Img_MCULEDNum_1", "Img_MCULEDNum_10", "lbl_MCULEDNum_4", "slider_Breath_Speed",
                                 "lbl_LED_Effect_Setting"})
            EXPECT_EQ(Shown(rig, QString::fromLatin1(name)), c.countBarAndSlider) << name;
        // Every family has these.
        for (const char* name : {"Img_LEDOn", "Img_LEDOff", "Img_B4CPIOn", "Img_B4CPIOff", "Img_SaveKeyMode",
                                 "Img_NoSaveKeyMode", "lbl_LED_Status", "lbl_Led_Light"})
            EXPECT_TRUE(Shown(rig, QString::fromLatin1(name))) << name;
    }
}

TEST(LightPage, ChoosingAFamilyOnTheEngineerPageDoesNotChangeWhatTheLightPageShows)
{
    EditorRig rig;
    OpenLightPage(rig);
    ShowFamily(rig, config::LedFamily::RBLED);
    config::ChooseLedFamily(FormOf(rig), config::LedFamily::MCULED);
    rig.window->FormEdited();
    EXPECT_TRUE(Shown(rig, QStringLiteral("Img_RBLEDMode1")));
    EXPECT_FALSE(Shown(rig, QStringLiteral("Img_MCULEDMode1")));
}

TEST(LightPage, DisabledFlowingModesAreHiddenAndTheCurrentModeIsMarked)
{
    EditorRig rig;
    OpenLightPage(rig);
    std::fill(FormOf(rig).cb_Mode.begin(), FormOf(rig).cb_Mode.end(), true);
    ShowFamily(rig, config::LedFamily::MCULED);
    config::SetMcuModeEnabled(FormOf(rig), 3, false);
    rig.window->FormEdited();
    EXPECT_FALSE(Shown(rig, QStringLiteral("Img_MCULEDMode3")));
    EXPECT_FALSE(Shown(rig, QStringLiteral("lbl_MCULEDMode3")));
    EXPECT_TRUE(Shown(rig, QStringLiteral("Img_MCULEDMode4")));
    // The selection went back to the first item.
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_MCULEDMode1")), QStringLiteral("RdS_E"));
    for (int n = 2; n <= 7; ++n)
        EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_MCULEDMode%1").arg(n)), QStringLiteral("RdS_D")) << n;
}

TEST(LightPage, AModeLabelPicksItsOwnFamilysModeAndAModePicturePicksBoth)
{
    EditorRig rig;
    OpenLightPage(rig);
    std::fill(FormOf(rig).cb_Mode.begin(), FormOf(rig).cb_Mode.end(), true);
    ShowFamily(rig, config::LedFamily::RBLED);
    FormOf(rig).cb_MCULEDCurrentMode = 0;
    FormOf(rig).cb_RBLEDCurrentMode = 0;

    rig.Click(QStringLiteral("lbl_RBLEDMode4"));
    EXPECT_EQ(FormOf(rig).cb_RBLEDCurrentMode, 3);
    EXPECT_EQ(FormOf(rig).cb_MCULEDCurrentMode, 0);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_RBLEDMode4")), QStringLiteral("RdS_E"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_RBLEDMode1")), QStringLiteral("RdS_D"));

    rig.Click(QStringLiteral("Img_RBLEDMode6"));
    EXPECT_EQ(FormOf(rig).cb_RBLEDCurrentMode, 5);
    EXPECT_EQ(FormOf(rig).cb_MCULEDCurrentMode, 5);
}

TEST(LightPage, EachSwitchTakesItsSideFromThePictureOrTheCaptionAndShowsIt)
{
    struct Case {
        const char* click;
        const char* setPicture;
        const char* clearPicture;
        std::function<bool(const config::FormModel&)> chosen;
    };
    const Case cases[] = {
        {"Img_LEDOff", "Img_LEDOff", "Img_LEDOn", [](const config::FormModel& f) { return f.rb_LED == config::OnOff::Off; }},
        {"lbl_LEDOn", "Img_LEDOn", "Img_LEDOff", [](const config::FormModel& f) { return f.rb_LED == config::OnOff::On; }},
        {"lbl_B4CPIOff", "Img_B4CPIOff", "Img_B4CPIOn",
         [](const config::FormModel& f) { return f.rb_B4CPI == config::OnOff::Off; }},
        {"Img_B4CPIOn", "Img_B4CPIOn", "Img_B4CPIOff",
         [](const config::FormModel& f) { return f.rb_B4CPI == config::OnOff::On; }},
        {"Img_LCPIOff", "Img_LCPIOff", "Img_LCPIOn", [](const config::FormModel& f) { return f.rb_LCPI == config::OnOff::Off; }},
        {"lbl_LCPIOn", "Img_LCPIOn", "Img_LCPIOff", [](const config::FormModel& f) { return f.rb_LCPI == config::OnOff::On; }},
        // Half brightness is the "no save" side, which also holds the key mode at mode 1.
        {"lbl_NoSaveKeyMode", "Img_NoSaveKeyMode", "Img_SaveKeyMode",
         [](const config::FormModel& f) {
             return f.rb_Save == config::SaveChoice::NoSave && f.cb_KeyMode == 0 && !f.cb_KeyModeEnabled;
         }},
        {"Img_SaveKeyMode", "Img_SaveKeyMode", "Img_NoSaveKeyMode",
         [](const config::FormModel& f) { return f.rb_Save == config::SaveChoice::Save && f.cb_KeyModeEnabled; }},
    };
    EditorRig rig;
    OpenLightPage(rig);
    ShowFamily(rig, config::LedFamily::MCULED);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.click);
        rig.Click(QString::fromLatin1(c.click));
        EXPECT_TRUE(c.chosen(FormOf(rig)));
        EXPECT_EQ(rig.PictureOf(QString::fromLatin1(c.setPicture)), QStringLiteral("RdS_E"));
        EXPECT_EQ(rig.PictureOf(QString::fromLatin1(c.clearPicture)), QStringLiteral("RdS_D"));
    }
}

TEST(LightPage, ApplyWritesThePageChoicesIntoTheMouse)
{
    EditorRig rig;
    OpenLightPage(rig);
    ShowFamily(rig, config::LedFamily::MCULED);
    FormOf(rig).ledFamily = config::LedFamily::MCULED;
    std::fill(FormOf(rig).cb_Mode.begin(), FormOf(rig).cb_Mode.end(), true);
    rig.window->FormEdited();

    rig.Click(QStringLiteral("Img_LEDOff"));
    rig.Click(QStringLiteral("Img_MCULEDMode5"));
    rig.Click(QStringLiteral("Img_MCULEDNum_3"));  // count 6
    rig.Click(QStringLiteral("lbl_NoSaveKeyMode"));
    rig.Click(QStringLiteral("Btn_Apply_1"));
    ASSERT_TRUE(rig.messages.empty());

    const std::uint8_t ledState = MouseByte(rig, config::field::LedState);
    EXPECT_EQ(ledState & 0x07, 5);        // mode 5
    EXPECT_NE(ledState & 0x08, 0);        // off
    EXPECT_EQ(MouseByte(rig, config::field::LedFlowFlags) >> 4, 13 - 6);
    EXPECT_NE(MouseByte(rig, config::field::ModeFlags) & 0x08, 0);  // half brightness
}

// Lit count pictures, by picture number from the left.
std::vector<int> LitCountPictures(const EditorRig& rig)
{
    std::vector<int> lit;
    for (int i = 1; i <= kLedCountPictures; ++i) {
        if (rig.PictureOf(QStringLiteral("Img_MCULEDNum_%1").arg(i)) == QStringLiteral("Bar1_E"))
            lit.push_back(i);
    }
    return lit;
}

TEST(LightPage, TheCountBarLightsByTheDisplayStyleAndSetsTheCountItsNumberShows)
{
    struct Case {
        int dpiLedStatus;
        int numOrder;
        int clickedPicture;
        std::string count;
        std::vector<int> lit;
    };
    const Case cases[] = {
        {1, 0, 7, "10", {7}},
        {0, 0, 7, "10", {1, 2, 3, 4, 5, 6, 7}},
        {1, 1, 1, "13", {1}},
        {0, 1, 9, "5", {9, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "status " << c.dpiLedStatus << " order " << c.numOrder);
        text::GeneralOptions options = ShippedOptions();
        options.DPILED_Status = c.dpiLedStatus;
        options.Num_Order = c.numOrder;
        EditorRig rig(DefaultImage(), options);
        OpenLightPage(rig);
        ShowFamily(rig, config::LedFamily::MCULED);
        rig.Click(QStringLiteral("Img_MCULEDNum_%1").arg(c.clickedPicture));
        EXPECT_EQ(FormOf(rig).edt_MCULEDNum, c.count);
        EXPECT_EQ(LitCountPictures(rig), c.lit);
        // The number under the clicked picture is the count it set.
        const QRect picture = rig.Get(QStringLiteral("Img_MCULEDNum_%1").arg(c.clickedPicture))->geometry();
        bool numberUnder = false;
        for (int n = 1; n <= kLedCountPictures; ++n) {
            auto* label = rig.Get<QLabel>(QStringLiteral("lbl_MCULEDNum_%1").arg(n));
            if (label->geometry().center().x() / 2 == picture.center().x() / 2) {
                EXPECT_EQ(label->text().toStdString(), c.count);
                EXPECT_GT(label->y(), picture.bottom());
                numberUnder = true;
            }
        }
        EXPECT_TRUE(numberUnder);
    }
}

TEST(LightPage, NumOrderOnePutsTheLastNumberUnderTheLeftmostPicture)
{
    text::GeneralOptions options = ShippedOptions();
    options.Num_Order = 1;
    EditorRig rig(DefaultImage(), options);
    const QRect leftmost = rig.Get(QStringLiteral("Img_MCULEDNum_1"))->geometry();
    const QRect rightmost = rig.Get(QStringLiteral("Img_MCULEDNum_10"))->geometry();
    EXPECT_EQ(rig.Get(QStringLiteral("lbl_MCULEDNum_10"))->geometry().center().x() / 2, leftmost.center().x() / 2);
    EXPECT_EQ(rig.Get(QStringLiteral("lbl_MCULEDNum_1"))->geometry().center().x() / 2, rightmost.center().x() / 2);

    // A number sets the count it reads, and the picture above it lights.
    OpenLightPage(rig);
    ShowFamily(rig, config::LedFamily::MCULED);
    rig.Click(QStringLiteral("lbl_MCULEDNum_10"));
    EXPECT_EQ(FormOf(rig).edt_MCULEDNum, "13");
    EXPECT_EQ(LitCountPictures(rig), std::vector<int>{1});
}

TEST(LightPage, TheSpeedSliderSnapsAndSetsTheStepFromEitherEnd)
{
    EditorRig rig;
    OpenLightPage(rig);
    ShowFamily(rig, config::LedFamily::MCULED);
    auto* slider = rig.Get<StepSlider>(QStringLiteral("slider_Breath_Speed"));
    struct Case {
        int x;
        std::string step;
        int position;
    };
    const Case cases[] = {{0, "7", 0}, {slider->width() - 1, "0", 700}, {75, "5", 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const QPoint at(c.x, slider->height() / 2);
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, at.y()));
        QTest::mouseMove(slider, at);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, at);
        EXPECT_EQ(FormOf(rig).edt_MCULEDCrtStep, c.step);
        EXPECT_EQ(slider->Value(), c.position);
    }
    // A refresh puts the slider where the step says.
    FormOf(rig).edt_MCULEDCrtStep = "3";
    rig.window->Refresh(app::RefreshRequest::Form);
    EXPECT_EQ(slider->Value(), 400);
}

TEST(LightPage, ControlsSitAtTheirSkinPlacesInsideTheWindowInEverySkin)
{
    EditorRig rig;
    OpenLightPage(rig);
    ShowFamily(rig, config::LedFamily::MCULED);
    for (int language = 1; language <= 3; ++language) {
        SCOPED_TRACE(language);
        rig.window->LanguageButtonClick(language);
        const text::SkinLightPage light = text::LoadSkinSection(language).skin.lightPage;
        EXPECT_EQ(rig.Get(QStringLiteral("Img_LEDOn"))->pos(), QPoint(light.LEDOn.x, light.LEDOn.y));
        EXPECT_EQ(rig.Get(QStringLiteral("Img_NoSaveKeyMode"))->pos(),
                  QPoint(light.NoSaveKeyMode.x, light.NoSaveKeyMode.y));
        EXPECT_EQ(rig.Get(QStringLiteral("Img_MCULEDMode7"))->pos(), QPoint(light.MCULEDMode[6].x, light.MCULEDMode[6].y));
        EXPECT_EQ(rig.Get(QStringLiteral("slider_Breath_Speed"))->pos(), QPoint(light.MCULEDStep.x, light.MCULEDStep.y));
        // Whatever the skin does not put out of view on purpose (3000 and more) lies inside.
        const QRect window = rig.window->rect();
        for (QWidget* child : rig.Get(QStringLiteral("gbPage3"))->findChildren<QWidget*>()) {
            const bool outOfViewOnPurpose = child->x() >= 3000 || child->y() >= 3000;
            if (child->isVisible() && !outOfViewOnPurpose && !child->objectName().startsWith(QStringLiteral("Disable_All"))) {
                EXPECT_TRUE(window.contains(child->geometry())) << child->objectName().toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace qeltra3k::ui::testing
