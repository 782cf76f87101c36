#include "config/FormTestSupport.h"

namespace qeltra3k::config {
namespace {

using namespace formtest;

// --- Editing rules -----------------------------------------------------------------------------

TEST(FormModelEditing, MenuAssignmentKeepsALeftClick)
{
    struct Row {
        const char* name;
        std::vector<std::pair<std::size_t, const char*>> codes;  // keys changed from the default
        std::size_t key;
        const char* code;
        std::string_view caption;
        LeftKeyCheck check;
        bool applied;
        std::string_view captionAfter;
    };
    const Row rows[] = {
        {"only left click refused", {}, 1, "010200", "Right Click", LeftKeyCheck::Check, false, kLeft},
        {"second left click allows it", {{8, "010100"}}, 1, "010200", "Right Click", LeftKeyCheck::Check, true,
         "Right Click"},
        {"picking left always works", {}, 4, "010100", kLeft, LeftKeyCheck::Check, true, kLeft},
        {"user-defined key needs no check", {}, 1, "020004", "A", LeftKeyCheck::Skip, true, "A"},
        {"no left click at all: the key keeps its own caption", {{1, "010400"}}, 2, "010200", "Right Click",
         LeftKeyCheck::Check, false, "Middle Click"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DataBuf buf = DefaultDataBuf();
        for (const auto& [key, code] : row.codes)
            PutCode(buf, Profile::One, key, code);
        FormModel form = Shown(buf);
        const DataBuf before = buf;
        const std::string codeBefore = form.keyCodeTexts[0][row.key - 1];
        const EditResult result =
            AssignKeyFunction(form, buf, Profile::One, row.key, row.code, row.caption, kLeft, row.check);
        EXPECT_EQ(result.applied, row.applied);
        EXPECT_EQ(result.message, row.applied ? FormMessage::None : FormMessage::KeepLeftKey);
        EXPECT_EQ(form.keyCaptions[0][row.key - 1], row.captionAfter);
        if (row.applied) {
            EXPECT_EQ(form.keyCodeTexts[0][row.key - 1], row.code);
            EXPECT_EQ(KeyCodeText(*ReadKeyCode(buf, *KeyCodeOffset(Profile::One, row.key))), row.code);
        } else {
            EXPECT_EQ(form.keyCodeTexts[0][row.key - 1], codeBefore);
            ExpectSameBytes(buf, before);
        }
    }
    EXPECT_EQ(FormMessageLanguageKey(FormMessage::KeepLeftKey), "Str108");
}

TEST(FormModelEditing, HiddenLeftButtonLetsOthersGiveUpTheirs)
{
    // Key6 hidden by the layout still carries the left click and counts.
    DataBuf buf = DefaultDataBuf();
    PutCode(buf, Profile::Two, 6, "010100");
    FormModel form = Shown(buf);
    EXPECT_TRUE(AssignKeyFunction(form, buf, Profile::Two, 1, "010400", "Middle Click", kLeft).applied);
    // Profile 1 is checked on its own: its only left click stays.
    EXPECT_FALSE(AssignKeyFunction(form, buf, Profile::One, 1, "010400", "Middle Click", kLeft).applied);
}

TEST(FormModelEditing, AssignmentRejectsBadKeysAndCodes)
{
    DataBuf buf = DefaultDataBuf();
    FormModel form = Shown(buf);
    const DataBuf before = buf;
    EXPECT_FALSE(AssignKeyFunction(form, buf, Profile::One, 2, "", "", kLeft).applied);
    EXPECT_FALSE(AssignKeyFunction(form, buf, Profile::One, 10, "010100", kLeft, kLeft).applied);
    EXPECT_FALSE(AssignKeyFunction(form, buf, Profile::One, 0, "010100", kLeft, kLeft).applied);
    ExpectSameBytes(buf, before);
    EXPECT_EQ(form.keyCaptions[0][1], "Middle Click");
}

TEST(FormModelEditing, AimValueChangeNeedsAnAimButton)
{
    DataBuf buf = DefaultDataBuf();
    FormModel form = Shown(buf);
    form.cb_AIMKeyValue = 6;
    EditResult result = ChangeAimValue(form, buf, 3, kNameOf, kAim);
    EXPECT_EQ(result.message, FormMessage::SelectAimKey);
    EXPECT_EQ(form.cb_AIMKeyValue, 0);
    EXPECT_EQ(FormMessageFixedText(result.message), "Please select a AIM Key in Profile!");

    PutCode(buf, Profile::One, 5, "0A0000");
    PutCode(buf, Profile::Two, 5, "0A0100");
    form = Shown(buf);
    result = ChangeAimValue(form, buf, 9, kNameOf, kAim);
    EXPECT_TRUE(result.applied);
    EXPECT_EQ(form.cb_AIMKeyValue, 9);
    EXPECT_EQ(ReadKeyCode(buf, *KeyCodeOffset(Profile::One, 5)), (KeyCode{0x0A, 9, 0}));
    EXPECT_EQ(ReadKeyCode(buf, *KeyCodeOffset(Profile::Two, 5)), (KeyCode{0x0A, 9, 0}));
    EXPECT_FALSE(ChangeAimValue(form, buf, 12, kNameOf, kAim).applied);
    EXPECT_EQ(form.cb_AIMKeyValue, 9);
}

TEST(FormModelEditing, AimSliderRelease)
{
    DataBuf buf = DefaultDataBuf();
    FormModel form = Shown(buf);
    form.cb_AIMKeyValue = 5;
    EXPECT_EQ(ReleaseAimSlider(form, 100, 11, kNameOf, kAim).message, FormMessage::SelectAimKey);
    EXPECT_EQ(form.cb_AIMKeyValue, 0);

    PutCode(buf, Profile::Two, 2, "0A0000");
    form = Shown(buf);
    EXPECT_TRUE(ReleaseAimSlider(form, 225, 11, kNameOf, kAim).applied);
    EXPECT_EQ(form.cb_AIMKeyValue, 10);  // never 11 with DPI_Count 11
    // The buttons receive it only at the next store.
    EXPECT_EQ(ReadKeyCode(buf, *KeyCodeOffset(Profile::Two, 2)), (KeyCode{0x0A, 0, 0}));
    EXPECT_TRUE(ReleaseAimSlider(form, 225, 12, kNameOf, kAim).applied);
    EXPECT_EQ(form.cb_AIMKeyValue, 11);
}

TEST(FormModelEditing, SaveChoiceControlsTheKeyModeList)
{
    FormModel form;
    form.cb_KeyMode = 1;
    ChooseSaveChoice(form, SaveChoice::NoSave);
    EXPECT_EQ(form.cb_KeyMode, 0);
    EXPECT_FALSE(form.cb_KeyModeEnabled);
    ChooseSaveChoice(form, SaveChoice::Save);
    EXPECT_TRUE(form.cb_KeyModeEnabled);
    EXPECT_EQ(form.cb_KeyMode, 0);
}

TEST(FormModelEditing, LongPressRowsExcludeEachOther)
{
    FormModel form;
    form.cb_CPIPress = true;
    form.cb_GunPress = true;
    ToggleMidPressRow(form);
    EXPECT_TRUE(form.cb_MidPress);
    EXPECT_FALSE(form.cb_CPIPress);
    EXPECT_TRUE(form.cb_GunPress);
    ToggleCPIPressRow(form);
    EXPECT_TRUE(form.cb_CPIPress);
    EXPECT_FALSE(form.cb_MidPress);
    ToggleCPIPressRow(form);  // unticking touches nothing else
    EXPECT_FALSE(form.cb_CPIPress);
    EXPECT_FALSE(form.cb_MidPress);
    ToggleGunPressRow(form);
    EXPECT_FALSE(form.cb_GunPress);
    // The engineer page's boxes are plain fields: both bits stay as set.
    form.cb_MidPress = form.cb_CPIPress = true;
    EXPECT_EQ(Stored(form, DataBuf{})[field::SwitchFlags] & 0x03, 0x03);
}

TEST(FormModelEditing, LevelCountAndLevelToggles)
{
    FormModel form;
    ASSERT_TRUE(ChooseLevelCount(form, 5));  // seven levels
    ASSERT_TRUE(ChooseLevelCount(form, 0));  // down to two
    EXPECT_EQ(LevelCount(form), 2);
    EXPECT_EQ(form.cb_CurrentCPI, 1);
    EXPECT_TRUE(LevelEnabled(form, 2));
    EXPECT_FALSE(LevelEnabled(form, 3));
    EXPECT_FALSE(ChooseLevelCount(form, 6));

    ChooseLevelCount(form, 1);  // three levels
    EXPECT_FALSE(ToggleLevel(form, 5));
    EXPECT_FALSE(ToggleLevel(form, 2));
    EXPECT_TRUE(ToggleLevel(form, 4));
    EXPECT_EQ(LevelCount(form), 4);
    EXPECT_EQ(form.cb_CurrentCPI, 3);
    EXPECT_TRUE(ToggleLevel(form, 4));
    EXPECT_EQ(LevelCount(form), 3);
    EXPECT_TRUE(ToggleLevel(form, 3));
    EXPECT_FALSE(ToggleLevel(form, 2));  // levels 1 and 2 always exist
    EXPECT_EQ(LevelCount(form), 2);

    EXPECT_FALSE(ChooseCurrentLevel(form, 3));
    EXPECT_TRUE(ChooseCurrentLevel(form, 1));
    EXPECT_EQ(form.cb_CurrentCPI, 0);
}

TEST(FormModelEditing, FireCountControlsStayInStep)
{
    FormModel form;
    SetFireContinue(form, true);
    EXPECT_EQ(form.cb_FireCount, 255);
    EXPECT_EQ(form.Edt_Repeat1, "3");
    EXPECT_EQ(EditRepeat1(form, "9"), "3");  // disabled while continuous
    SetFireContinue(form, false);
    EXPECT_EQ(form.cb_FireCount, 2);
    EXPECT_TRUE(form.Edt_Repeat1Enabled);

    struct Row {
        const char* typed;
        const char* shown;
        int item;
    };
    for (const Row& row : {Row{"0", "1", 0}, Row{"300", "255", 254}, Row{"", "2", 1}, Row{"17", "17", 16}}) {
        EXPECT_EQ(EditRepeat1(form, row.typed), row.shown) << row.typed;
        EXPECT_EQ(form.cb_FireCount, row.item) << row.typed;
    }

    SetFireContinue(form, true);
    ASSERT_TRUE(ChooseFireCount(form, 9));
    EXPECT_FALSE(form.cb_IsFireContinue);
    EXPECT_EQ(form.cb_FireCount, 9);
    EXPECT_EQ(form.Edt_Repeat1, "10");
    EXPECT_FALSE(ChooseFireCount(form, 256));

    EXPECT_EQ(EditFireTime(form, ""), "100");
    EXPECT_EQ(form.Edt_DelayTime1, "100");
    EXPECT_EQ(EditDelayTime1(form, ""), "0");
    EXPECT_EQ(form.edt_FireTime, "0");
    EXPECT_EQ(EditDelayTime1(form, "-4"), "0");
    EXPECT_EQ(EditFireTime(form, "999"), "255");
    EXPECT_EQ(form.Edt_DelayTime1, "255");
}

TEST(FormModelEditing, McuModesAndFlowingLedControls)
{
    FormModel form = Shown(DefaultDataBuf());
    form.cb_MCULEDCurrentMode = 5;
    ASSERT_TRUE(SetMcuModeEnabled(form, 3, false));
    EXPECT_EQ(form.cb_MCULEDCurrentMode, 0);
    EXPECT_EQ(McuModeItemText(form, 3, "Mode 3"), "------");
    EXPECT_EQ(McuModeItemText(form, 4, "Mode 4"), "Mode 4");
    EXPECT_EQ(Stored(form, DefaultDataBuf())[field::LedModeMask], 0xF7);
    EXPECT_FALSE(SetMcuModeEnabled(form, 8, true));

    EXPECT_TRUE(ClickLedCountBar(form, 1));
    EXPECT_EQ(form.edt_MCULEDNum, "4");
    EXPECT_TRUE(ClickLedCountBar(form, 10));
    EXPECT_EQ(form.edt_MCULEDNum, "13");
    EXPECT_FALSE(ClickLedCountBar(form, 11));
    EXPECT_TRUE(ClickStepBar(form, 8));
    EXPECT_EQ(form.edt_MCULEDCrtStep, "7");

    EXPECT_EQ(ReleaseSpeedSlider(form, 0), 0);  // far left: step 7
    EXPECT_EQ(form.edt_MCULEDCrtStep, "7");
    EXPECT_EQ(ReleaseSpeedSlider(form, 700), 700);  // far right: step 0
    EXPECT_EQ(form.edt_MCULEDCrtStep, "0");
    form.edt_MCULEDCrtStep = "2";
    EXPECT_EQ(SpeedSliderPosition(form), 500);
}

}  // namespace
}  // namespace qeltra3k::config
