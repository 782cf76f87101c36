// The advanced page: DPI level sliders, count and active level, colour swatches, the aim
// slider, the fire key settings and the pointer settings, against the virtual mouse.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

#include "config/ConfigImage.h"
#include "config/DpiTable.h"
#include "device/PointerSettingsStore.h"
#include "gui/EditorRig.h"
#include "ui/AdvancedPage.h"
#include "ui/SkinStyle.h"
#include "ui/StepSlider.h"
#include "ui/text/SkinSection.h"

namespace qeltra3k::ui::testing {
namespace {

namespace at = config::field;

struct AdvancedRig : EditorRig {
    explicit AdvancedRig(const config::DeviceImage& memory = DefaultImage()) : EditorRig(memory)
    {
        FirstSearch();
        window->PageButtonClick(PageState::Advanced);
    }
    AdvancedPage& Page() const { return *window->findChild<AdvancedPage*>(); }
    StepSlider* Slider(const QString& name) const { return Get<StepSlider>(name); }
    void Release(const QString& slider, int x) const
    {
        QTest::mouseClick(Slider(slider), Qt::LeftButton, {}, QPoint(x, 12));
    }
    // The sections the mouse holds now, as DataBuf.
    config::DataBuf MouseDataBuf() const
    {
        config::DataBuf dataBuf{};
        config::LoadSections(mouse->Memory(), dataBuf);
        return dataBuf;
    }
    void Apply() const { Click(QStringLiteral("Btn_Apply_2")); }
    QString Pointer() const
    {
        QFile file(folder.filePath(QString::fromLatin1(device::kPointerSettingsFileName)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST(AdvancedPage, ASliderReleaseChoosesTheRulersValueAndApplyStoresIt)
{
    AdvancedRig rig;
    ASSERT_EQ(rig.window->State(), PageState::Advanced);
    struct Row {
        int x;
        int index;
    };
    // DPI_Count 11: the far right is 6400, never 8000.
    for (const Row& row : {Row{0, 0}, Row{16, 1}, Row{225, 10}}) {
        rig.Release(QStringLiteral("slider_DPI1"), row.x);
        EXPECT_EQ(rig.window->Controller().Form().cb_CPI[0], row.index) << row.x;
        EXPECT_EQ(rig.Slider(QStringLiteral("slider_DPI1"))->Value(), row.index * 100);
        EXPECT_EQ(rig.TextOf(QStringLiteral("lbl_DPI1Value")).toStdString(),
                  TableText(1, "Str3" + std::string(row.index < 10 ? "0" : "") + std::to_string(row.index)));
    }
    rig.Apply();
    EXPECT_EQ(rig.MouseDataBuf()[at::LevelValue], 10);
}

TEST(AdvancedPage, DraggingShowsTheValueUnderTheMouseAndNoValueShowsTheFirstText)
{
    config::DeviceImage image = DefaultImage();
    {
        config::DataBuf dataBuf{};
        config::LoadSections(image, dataBuf);
        dataBuf[at::LevelValue + 2] = config::kNoLevelValue;
        config::StoreSections(dataBuf, image);
    }
    AdvancedRig rig(image);
    EXPECT_EQ(rig.window->Controller().Form().cb_CPI[2], config::kNoSelection);
    EXPECT_EQ(rig.TextOf(QStringLiteral("lbl_DPI3Value")).toStdString(), TableText(1, "Str300"));

    StepSlider* slider = rig.Slider(QStringLiteral("slider_DPI2"));
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(7, 12));
    EXPECT_EQ(rig.TextOf(QStringLiteral("lbl_DPI2Value")).toStdString(), TableText(1, "Str300"));
    QTest::mouseMove(slider, QPoint(218, 12));
    EXPECT_EQ(rig.TextOf(QStringLiteral("lbl_DPI2Value")).toStdString(), TableText(1, "Str310"));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(218, 12));
    EXPECT_EQ(rig.window->Controller().Form().cb_CPI[1], 10);

    // What another page changed shows when the page appears again.
    rig.window->PageButtonClick(PageState::Office);
    rig.window->Controller().Form().cb_CPI[0] = 5;
    rig.window->PageButtonClick(PageState::Advanced);
    EXPECT_EQ(rig.Slider(QStringLiteral("slider_DPI1"))->Value(), 500);
}

TEST(AdvancedPage, CountListHidesTheUpperLevelsAndTheActiveLevelFollowsClicks)
{
    AdvancedRig rig;
    auto* count = rig.Get<QComboBox>(QStringLiteral("cbb_DPICount"));
    ASSERT_TRUE(count->isVisible());
    Q_EMIT count->activated(0);  // two levels
    EXPECT_EQ(rig.window->Controller().Form().cb_CurrentCPI, 1);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_DPI2")), QStringLiteral("RdS_E"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_DPI1")), QStringLiteral("RdS_D"));
    EXPECT_TRUE(rig.Get<QRadioButton>(QStringLiteral("rb_DPI2"))->isChecked());
    for (int n = 3; n <= 7; ++n) {
        EXPECT_FALSE(rig.Slider(QStringLiteral("slider_DPI%1").arg(n))->isEnabled()) << n;
        EXPECT_FALSE(rig.Get(QStringLiteral("lbl_DPI%1Value").arg(n))->isVisible()) << n;
    }
    // A level above the count cannot become active; one within it can.
    rig.Click(QStringLiteral("Img_DPI5"));
    EXPECT_EQ(rig.window->Controller().Form().cb_CurrentCPI, 1);
    rig.Click(QStringLiteral("Img_DPI1"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_DPI1")), QStringLiteral("RdS_E"));
    rig.Apply();
    EXPECT_EQ(rig.MouseDataBuf()[at::LevelCount], 2);
    EXPECT_EQ(rig.MouseDataBuf()[at::CurrentLevel], 0);
}

TEST(AdvancedPage, WithoutTheCountListTheLevelNamesAddAndRemoveLevels)
{
    AdvancedRig rig;
    text::SkinSection skin = text::LoadSkinSection(1).skin;
    skin.advancedPage.DPI_Count_Visible = false;
    rig.Page().ApplySkin(skin, QStringLiteral("Sans"));
    EXPECT_FALSE(rig.Get(QStringLiteral("cbb_DPICount"))->isVisible());
    config::FormModel& form = rig.window->Controller().Form();
    ASSERT_TRUE(config::ChooseLevelCount(form, 1));  // three levels
    rig.Page().Refresh();

    rig.Click(QStringLiteral("lbl_DPI5"));  // not the next level: nothing
    EXPECT_EQ(config::LevelCount(form), 3);
    rig.Click(QStringLiteral("lbl_DPI4"));
    EXPECT_EQ(config::LevelCount(form), 4);
    EXPECT_EQ(form.cb_CurrentCPI, 3);
    EXPECT_TRUE(rig.Slider(QStringLiteral("slider_DPI4"))->isEnabled());
    const QColor selected = ColourOf(skin.advancedPage.Color_D_Selected);
    const QColor other = ColourOf(skin.advancedPage.Color_D_notSelected);
    EXPECT_EQ(rig.Get(QStringLiteral("lbl_DPI4"))->palette().color(QPalette::WindowText), selected);
    EXPECT_EQ(rig.Get(QStringLiteral("lbl_DPI5"))->palette().color(QPalette::WindowText), other);
    rig.Click(QStringLiteral("lbl_DPI4"));
    EXPECT_EQ(config::LevelCount(form), 3);
    rig.Click(QStringLiteral("lbl_DPI2"));  // levels 1 and 2 always stay
    EXPECT_EQ(config::LevelCount(form), 3);
}

TEST(AdvancedPage, TheColourDialogOpensOnlyForTheFlowingLed)
{
    AdvancedRig rig;
    int asked = 0;
    rig.Page().chooseColour = [&asked](const QColor&) -> std::optional<QColor> {
        ++asked;
        return QColor(12, 34, 56);
    };
    config::FormModel& form = rig.window->Controller().Form();
    ASSERT_EQ(form.ledFamilyName, "MCULED");
    EXPECT_TRUE(rig.Get(QStringLiteral("cs_DPI1Col"))->isVisible());
    rig.Click(QStringLiteral("lbl_DPI1Col"));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(form.edt_CPI[0].R, "12");
    EXPECT_EQ(form.edt_CPI[0].B, "56");
    EXPECT_EQ(rig.Get(QStringLiteral("cs_DPI1Col"))->palette().color(QPalette::Window), QColor(12, 34, 56));
    rig.Apply();
    EXPECT_EQ(rig.MouseDataBuf()[at::LevelColour + 1], 34);

    form.ledFamilyName = "RBLED";
    rig.Page().Refresh();
    EXPECT_FALSE(rig.Get(QStringLiteral("cs_DPI1Col"))->isVisible());
    QMetaObject::invokeMethod(rig.Get(QStringLiteral("lbl_DPI1Col")), "clicked");
    EXPECT_EQ(asked, 1);
}

TEST(AdvancedPage, TheAimSliderNeedsAnAimKeyAndItsValueReachesTheAimButtons)
{
    {
        AdvancedRig rig;
        rig.Release(QStringLiteral("slider_DPI8"), 120);
        ASSERT_EQ(rig.messages.size(), 1u);
        EXPECT_EQ(rig.messages[0].text, config::FormMessageFixedText(config::FormMessage::SelectAimKey));
        EXPECT_EQ(rig.Slider(QStringLiteral("slider_DPI8"))->Value(), 0);
        EXPECT_EQ(rig.TextOf(QStringLiteral("lbl_AIMKeyValue")).toStdString(), TableText(1, "Str300"));
    }
    AdvancedRig rig(WithKeyCode(DefaultImage(), config::Profile::Two, 4, "0A0200"));
    EXPECT_EQ(rig.Slider(QStringLiteral("slider_DPI8"))->Value(), 200);
    rig.Release(QStringLiteral("slider_DPI8"), 225);
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_EQ(rig.TextOf(QStringLiteral("lbl_AIMKeyValue")).toStdString(), TableText(1, "Str310"));
    rig.Apply();
    EXPECT_EQ(KeyCodeIn(rig.mouse->Memory(), config::Profile::Two, 4), "0A0A00");
}

TEST(AdvancedPage, FireKeyEditsAreCorrectedAndContinuousFireLocksTheCount)
{
    AdvancedRig rig;
    auto* repeat = rig.Get<QLineEdit>(QStringLiteral("Edt_Repeat1"));
    auto* delay = rig.Get<QLineEdit>(QStringLiteral("Edt_DelayTime1"));
    // The default image fires continuously: the count is locked at "3".
    ASSERT_EQ(rig.PictureOf(QStringLiteral("Img_FireContinue")), QStringLiteral("CbS_E"));
    EXPECT_FALSE(repeat->isEnabled());
    EXPECT_EQ(repeat->text(), QStringLiteral("3"));
    QTest::keyClicks(repeat, QStringLiteral("7"));
    EXPECT_EQ(repeat->text(), QStringLiteral("3"));

    rig.Click(QStringLiteral("lbl_FireContinue"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_FireContinue")), QStringLiteral("CbS_D"));
    ASSERT_TRUE(repeat->isEnabled());
    struct Row {
        QLineEdit* edit;
        const char* typed;
        const char* shown;
    };
    for (const Row& row : {Row{repeat, "0", "1"}, Row{repeat, "300", "255"}, Row{delay, "999", "255"}, Row{delay, "40", "40"}}) {
        row.edit->clear();
        QTest::keyClicks(row.edit, QString::fromLatin1(row.typed));
        EXPECT_EQ(row.edit->text(), QString::fromLatin1(row.shown)) << row.typed;
    }
    EXPECT_EQ(rig.window->Controller().Form().edt_FireTime, "40");
    rig.Apply();
    EXPECT_EQ(rig.MouseDataBuf()[at::FireKeyRepeatCount], 254);
    EXPECT_EQ(rig.MouseDataBuf()[at::FireKeyInterval], 40);

    rig.Click(QStringLiteral("Img_FireContinue"));
    EXPECT_FALSE(repeat->isEnabled());
    EXPECT_EQ(repeat->text(), QStringLiteral("3"));
    rig.Apply();
    EXPECT_EQ(rig.MouseDataBuf()[at::FireKeyRepeatCount], 0xFF);
}

TEST(AdvancedPage, PointerSettingsAreRememberedAndEveryTickGivesItsStep)
{
    AdvancedRig rig;
    // A fresh account: speed 10 (step 6), precision on, 500 ms (step 7), 3 lines.
    EXPECT_EQ(rig.Slider(QStringLiteral("slider_Spd"))->Value(), 500);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_IsControl")), QStringLiteral("CbS_E"));
    EXPECT_EQ(rig.Slider(QStringLiteral("slider_DbSpd"))->Value(), 600);
    EXPECT_EQ(rig.Slider(QStringLiteral("slider_SrcSpd"))->Value(), 200);
    // Reading writes nothing; Apply hands the settings over with the mouse's.
    EXPECT_TRUE(rig.Pointer().isEmpty());
    rig.Apply();
    EXPECT_TRUE(rig.Pointer().contains(QStringLiteral("MouseSensitivity=10\nMouseSpeed=1\n")));

    auto* slider = rig.Slider(QStringLiteral("slider_SrcSpd"));
    for (int tick = 1; tick <= 11; ++tick) {
        QWidget* label = rig.Get(QStringLiteral("lbl_ScrSpd%1").arg(tick));
        const int x = label->geometry().center().x() - slider->x();
        rig.Release(QStringLiteral("slider_SrcSpd"), x);
        EXPECT_EQ(rig.Page().Pointer().wheelStep, tick);
    }
    rig.Release(QStringLiteral("slider_SrcSpd"), 225);
    EXPECT_TRUE(rig.Pointer().contains(QStringLiteral("WheelScrollLines=11\n")));

    rig.Click(QStringLiteral("lbl_IsScreen"));
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_TRUE(rig.Pointer().contains(QStringLiteral("WheelScrollLines=-1\n")));
    rig.Click(QStringLiteral("Img_IsScreen"));
    EXPECT_TRUE(rig.Pointer().contains(QStringLiteral("WheelScrollLines=11\n")));

    rig.Click(QStringLiteral("lbl_IsControl"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_IsControl")), QStringLiteral("CbS_D"));
    rig.Click(QStringLiteral("lbl_Is_Control"));  // the text beside the box
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_IsControl")), QStringLiteral("CbS_E"));
    rig.Click(QStringLiteral("lbl_Is_Control"));
    EXPECT_TRUE(rig.Pointer().contains(QStringLiteral("MouseSpeed=0\nMouseThreshold1=0\nMouseThreshold2=0\n")));
    rig.Release(QStringLiteral("slider_Spd"), 0);
    EXPECT_TRUE(rig.Pointer().contains(QStringLiteral("MouseSensitivity=1\n")));

    // The next start reads what was remembered.
    AdvancedPage again(*rig.window, rig.Get<QFrame>(QStringLiteral("gbPage2")), rig.folder.path().toStdString());
    EXPECT_EQ(again.Pointer().speedStep, 1);
    EXPECT_FALSE(again.Pointer().precision);
    EXPECT_EQ(again.Pointer().wheelStep, 11);
}

}  // namespace
}  // namespace qeltra3k::ui::testing
