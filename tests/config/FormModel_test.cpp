#include "config/FormTestSupport.h"

namespace qeltra3k::config {
namespace {

using namespace formtest;

// --- Round trips -------------------------------------------------------------------------------

struct RoundTripCase {
    const char* name;
    void (*edit)(DataBuf&);
};

TEST(FormModel, StoringWhatWasShownGivesBackEveryByte)
{
    const RoundTripCase cases[] = {
        {"default image", [](DataBuf&) {}},
        {"built-in section defaults",
         [](DataBuf& b) {
             PutBytes(b, 0, {0xFF, 0xFE, 4, 0x00, 0xFF, 0x00, 1, 2, 3, 4, 5, 6, 7});
             PutBytes(b, 48, {0x01, 0xFE, 0x01, 0xFE, 0x00, 0xFF});
             PutBytes(b, field::FireKeyProgram, {0x0A, 0xFD, 0x02, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x64, 0xFC});
         }},
        {"sync family, key mode 2 not saved, LED off, no value at level 3, negative offsets",
         [](DataBuf& b) {
             b[field::ModeFlags] = 0x8A;    // sync needs bit 7; NoSave; fire Fn on
             b[field::SwitchFlags] = 0xE5;  // bits 3, 4 clear
             b[field::LevelValue + 2] = 0xFF;
             PutBytes(b, field::LedState, {0x08, 0xF7, 0x80, 0x7F, 0, 7});
             PutBytes(b, field::FireMacroOffsetTable, {0xF6, 0x09, 0x80, 0x7F, 0x7F, 0x80});
             b[field::FireKeyRepeatCount] = 0xFE;
             b[field::FireKeyInterval] = 0;
         }},
        {"breathing family with every switch set",
         [](DataBuf& b) {
             b[field::ModeFlags] = 0xFF;
             b[field::SwitchFlags] = 0x37;  // bit 4 set, bit 3 clear
             b[field::LedFlowFlags] = 0x97;
             PutBytes(b, field::LedState, {0x00, 0xFF, 0x00, 0xFF, 0x12, 0x34});
         }},
        {"RB family in mode 7 with two levels",
         [](DataBuf& b) {
             b[field::ModeFlags] = 0xB0;
             b[field::SwitchFlags] = 0x08;
             b[field::LevelCount] = 2;
             PutBytes(b, field::CurrentLevel, {0x00, 0xFF, 0x07, 0xF8});
         }},
        {"MCU family, every level, aim keys and a continuous count of one",
         [](DataBuf& b) {
             b[field::LevelCount] = 7;
             b[field::LedModeMask] = 0x55;
             PutBytes(b, field::CurrentLevel, {0x06, 0xF9, 0xE7, 0x18});
             PutCode(b, Profile::One, 6, "0A0400");
             PutCode(b, Profile::Two, 2, "0A0400");
             b[field::FireKeyRepeatCount] = 0x00;
         }},
    };
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataBuf loaded = DefaultDataBuf();
        c.edit(loaded);
        ExpectSameBytes(Stored(Shown(loaded), loaded), loaded);
    }
}

TEST(FormModel, RefreshShowsTheDefaultImage)
{
    const FormModel form = Shown(DefaultDataBuf());
    EXPECT_EQ(form.ledFamily, LedFamily::MCULED);
    EXPECT_EQ(form.ledFamilyName, "MCULED");
    EXPECT_EQ(form.rb_LCPI, OnOff::On);
    EXPECT_EQ(form.rb_B4CPI, OnOff::Off);
    EXPECT_EQ(form.rb_Save, SaveChoice::Save);
    EXPECT_EQ(form.cb_SensorOri, 2);  // code 4: "180 °"
    EXPECT_EQ(form.cb_CPIStep, 4);    // six levels
    EXPECT_EQ(form.cb_CurrentCPI, 1);
    EXPECT_EQ(form.cb_CPI[5], 11);
    EXPECT_EQ(form.edt_CPI[0].G, "255");
    EXPECT_EQ(form.rb_MCULEDControl, FlowBrightness::Full);
    EXPECT_EQ(form.edt_MCULEDNum, "10");
    EXPECT_EQ(form.cb_MCULEDCurrentMode, 1);
    EXPECT_EQ(form.edt_MCULEDCrtStep, "1");
    EXPECT_EQ(form.rb_LED, OnOff::On);
    EXPECT_EQ(form.cb_KeyMode, 0);
    EXPECT_EQ(form.edt_VendorID, "255");
    EXPECT_TRUE(form.cb_IsFireContinue);
    EXPECT_EQ(form.edt_FireTime, "6");
    EXPECT_EQ(form.edt_FireMacroColor[6].G, "128");
    EXPECT_EQ(form.edt_YOffset[0], "0");
    EXPECT_EQ(form.keyCodeTexts[1][8], "0600F0");
    EXPECT_EQ(form.keyCaptions[0][0], kLeft);
    EXPECT_EQ(form.keyCaptions[1][8], kFire);
}

// --- What the store leaves alone ----------------------------------------------------------------

struct UnchangedBits {
    std::size_t offset;
    std::uint8_t mask;
};

TEST(FormModel, StoreLeavesReservedBytesAndBitsForEveryFamily)
{
    std::vector<UnchangedBits> always{{field::SwitchFlags, 0xC0}, {field::LedFlowFlags, 0x07}, {5, 0xFF},
                                      {field::ParameterAChecksum, 0xFF}};
    for (std::size_t i = 13; i <= 25; ++i)
        always.push_back({i, 0xFF});
    for (std::size_t i = field::Profile1; i <= field::ProfileChecksum; ++i)
        always.push_back({i, 0xFF});
    for (std::size_t i = field::FireMacroKeyTable; i < field::FireMacroOffsetTable; ++i)
        always.push_back({i, 0xFF});
    for (std::size_t i = field::FireKeyProgram; i <= field::FireKeyChecksum; ++i)
        if (i != field::FireKeyRepeatCount && i != field::FireKeyInterval)
            always.push_back({i, 0xFF});

    const LedFamily families[] = {LedFamily::MCULED, LedFamily::RBLED, LedFamily::SyncLED, LedFamily::BreLED};
    for (unsigned seed = 1; seed <= 8; ++seed) {
        for (const LedFamily family : families) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " family " << LedFamilyName(family));
            FormModel form = Shown(DefaultDataBuf());
            ChooseLedFamily(form, family);
            const DataBuf before = RandomDataBuf(seed);
            const DataBuf after = Stored(form, before);
            for (const UnchangedBits& u : always)
                EXPECT_EQ(after[u.offset] & u.mask, before[u.offset] & u.mask) << "byte " << u.offset;
            if (family != LedFamily::MCULED) {
                EXPECT_EQ(after[field::LedModeMask], before[field::LedModeMask]);
            }
            if (family == LedFamily::MCULED || family == LedFamily::RBLED) {
                EXPECT_EQ(after[field::SwitchFlags] & 0x10, before[field::SwitchFlags] & 0x10);
            }
        }
    }
}

TEST(FormModel, ControlsWithoutSelectionLeaveTheirFieldsAsLoaded)
{
    const FormModel fresh;  // never shown: no radio button, no list item selected
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        const DataBuf before = RandomDataBuf(seed);
        const DataBuf after = Stored(fresh, before);
        EXPECT_EQ(after[field::ModeFlags], before[field::ModeFlags]);
        EXPECT_EQ(after[field::SwitchFlags] & 0xD8, before[field::SwitchFlags] & 0xD8);
        EXPECT_EQ(after[field::LevelCount], before[field::LevelCount]);
        EXPECT_EQ(after[field::LedFlowFlags] & 0x0F, before[field::LedFlowFlags] & 0x0F);
        EXPECT_EQ(after[field::LedModeMask], before[field::LedModeMask]);
        EXPECT_EQ(after[field::CurrentLevel], before[field::CurrentLevel]);
        EXPECT_EQ(after[field::CurrentLevel + 1], before[field::CurrentLevel + 1]);
        EXPECT_EQ(after[field::FireKeyRepeatCount], before[field::FireKeyRepeatCount]);
    }
}

TEST(FormModel, ModeFlagBitIsWrittenOnlyForAPairWithASelection)
{
    FormModel form;
    form.rb_B4CPI = OnOff::On;
    form.rb_Save = SaveChoice::NoSave;
    DataBuf buf{};
    buf[field::ModeFlags] = 0xF4;
    EXPECT_EQ(Stored(form, buf)[field::ModeFlags], 0xFD);
    form.rb_LCPI = OnOff::Off;
    form.rb_B4CPI = OnOff::Neither;
    buf[field::ModeFlags] = 0x07;
    EXPECT_EQ(Stored(form, buf)[field::ModeFlags], 0x0B);
}

// --- Field encodings ---------------------------------------------------------------------------

TEST(FormModel, LedFamilyBitsAreWrittenPerFamily)
{
    struct Row {
        LedFamily family;
        std::uint8_t modeIn, switchIn, modeOut, switchOut;  // ModeFlags bit 7, SwitchFlags bits 3..4
    };
    const Row rows[] = {
        {LedFamily::MCULED, 0x80, 0x00, 0x00, 0x08}, {LedFamily::MCULED, 0x80, 0x10, 0x00, 0x18},
        {LedFamily::RBLED, 0x00, 0x00, 0x80, 0x08},  {LedFamily::RBLED, 0x00, 0x10, 0x80, 0x18},
        {LedFamily::SyncLED, 0x00, 0x18, 0x80, 0x00}, {LedFamily::BreLED, 0x00, 0x08, 0x80, 0x10},
        {LedFamily::Neither, 0x80, 0x10, 0x80, 0x10},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << LedFamilyName(row.family) << " from " << int(row.modeIn) << "/"
                                        << int(row.switchIn));
        FormModel form;
        form.ledFamily = row.family;
        DataBuf buf{};
        buf[field::ModeFlags] = row.modeIn;
        buf[field::SwitchFlags] = row.switchIn;
        const DataBuf out = Stored(form, buf);
        EXPECT_EQ(out[field::ModeFlags] & 0x80, row.modeOut);
        EXPECT_EQ(out[field::SwitchFlags] & 0x18, row.switchOut);
        if (row.family != LedFamily::Neither) {
            EXPECT_EQ(DecodeLedFamily(out), row.family);
        }
    }
}

TEST(FormModel, LedFamilyIsDecodedInItsOrder)
{
    struct Row {
        std::uint8_t mode, switches;
        LedFamily family;
    };
    const Row rows[] = {
        {0x00, 0x00, LedFamily::MCULED}, {0x00, 0x18, LedFamily::MCULED}, {0x80, 0x08, LedFamily::RBLED},
        {0x80, 0x18, LedFamily::RBLED},  {0x80, 0x10, LedFamily::BreLED}, {0x80, 0x00, LedFamily::SyncLED},
    };
    for (const Row& row : rows) {
        DataBuf buf{};
        buf[field::ModeFlags] = row.mode;
        buf[field::SwitchFlags] = row.switches;
        EXPECT_EQ(DecodeLedFamily(buf), row.family) << int(row.mode) << "/" << int(row.switches);
    }
}

TEST(FormModel, SensorOrientationItemsMapToTheirCodes)
{
    const std::uint8_t codes[] = {7, 2, 4, 1, 6, 5, 0, 3};
    for (int item = 0; item < 8; ++item) {
        SCOPED_TRACE(item);
        EXPECT_EQ(SensorOriCode(item), codes[item]);
        EXPECT_EQ(SensorOriItem(codes[item]), item);
        // The item's code replaces a different loaded orientation and nothing else.
        FormModel form;
        form.cb_SensorOri = item;
        DataBuf buf{};
        buf[field::ModeFlags] = static_cast<std::uint8_t>(0x8F | ((codes[(item + 1) % 8]) << 4));
        EXPECT_EQ(Stored(form, buf)[field::ModeFlags], 0x8F | (codes[item] << 4));
        buf[field::ModeFlags] = static_cast<std::uint8_t>(codes[item] << 4);
        EXPECT_EQ(Shown(buf).cb_SensorOri, item);
    }
    EXPECT_FALSE(SensorOriCode(8).has_value());
    EXPECT_FALSE(SensorOriCode(kNoSelection).has_value());
}

TEST(FormModel, LedCountIsStoredAsItsNibble)
{
    struct Row {
        const char* text;
        std::uint8_t nibble;
    };
    const Row rows[] = {{"4", 9}, {"10", 3}, {"13", 0}, {"", 0}, {"50", 0}, {"1", 9}, {"2", 9}, {"01", 9}, {"x", 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        FormModel form;
        form.edt_MCULEDNum = row.text;
        DataBuf buf{};
        buf[field::LedFlowFlags] = 0x0D;
        EXPECT_EQ(Stored(form, buf)[field::LedFlowFlags], (row.nibble << 4) | 0x0D);
    }
}

TEST(FormModel, LedCountNibbleOfTenOrMoreLeavesTheCountField)
{
    FormModel form;
    form.edt_MCULEDNum = "7";
    DataBuf buf = DefaultDataBuf();
    for (const std::uint8_t flow : {0xA8, 0xF0}) {
        buf[field::LedFlowFlags] = flow;
        RefreshUI(form, buf, kNameOf, kAim);
        EXPECT_EQ(form.edt_MCULEDNum, "7") << int(flow);
    }
    buf[field::LedFlowFlags] = 0x90;
    RefreshUI(form, buf, kNameOf, kAim);
    EXPECT_EQ(form.edt_MCULEDNum, "4");
}

TEST(FormModel, FireKeyBytesFollowCountContinuousAndInterval)
{
    struct Row {
        bool continuous;
        int countItem;
        const char* fireTime;
        std::uint8_t repeatByte, intervalByte;
    };
    const Row rows[] = {
        {true, 5, "48", 0xFF, 48},  // continuous wins over the list
        {false, 255, "6", 0xFF, 6}, // item "256" is the same byte as continuous fire
        {false, 2, "", 2, 100},     // empty interval field reads as its correction
        {false, 0, "300", 0, 255},
        {false, kNoSelection, "0", 0x5C, 0},  // no count chosen: byte as loaded
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.countItem << " " << row.fireTime);
        FormModel form;
        form.cb_IsFireContinue = row.continuous;
        form.cb_FireCount = row.countItem;
        form.edt_FireTime = row.fireTime;
        DataBuf buf{};
        buf[field::FireKeyRepeatCount] = 0x5C;
        const DataBuf out = Stored(form, buf);
        EXPECT_EQ(out[field::FireKeyRepeatCount], row.repeatByte);
        EXPECT_EQ(out[field::FireKeyInterval], row.intervalByte);
    }
}

TEST(FormModel, ParameterBValuesAreWrittenWithTheirComplements)
{
    struct Row {
        const char* name;
        void (*set)(FormModel&);
        std::size_t offset;
        std::uint8_t value;
    };
    const Row rows[] = {
        {"key mode 2", [](FormModel& f) { f.cb_KeyMode = 1; }, field::KeyModeState, 0x80},
        {"key mode 1", [](FormModel& f) { f.cb_KeyMode = 0; }, field::KeyModeState, 0x00},
        {"level 4 active", [](FormModel& f) { f.cb_CurrentCPI = 3; }, field::CurrentLevel, 0x03},
        {"MCU mode 5, step 5, off",
         [](FormModel& f) {
             f.ledFamily = LedFamily::MCULED;
             f.cb_MCULEDCurrentMode = 4;
             f.edt_MCULEDCrtStep = "5";
             f.rb_LED = OnOff::Off;
         },
         field::LedState, 0xAD},
        {"RB mode 7 ignores the step",
         [](FormModel& f) {
             f.ledFamily = LedFamily::RBLED;
             f.cb_RBLEDCurrentMode = 6;
             f.edt_MCULEDCrtStep = "5";
             f.rb_LED = OnOff::On;
         },
         field::LedState, 0x07},
        {"sync family stores neither mode nor step",
         [](FormModel& f) {
             f.ledFamily = LedFamily::SyncLED;
             f.cb_MCULEDCurrentMode = 4;
             f.cb_RBLEDCurrentMode = 4;
             f.edt_MCULEDCrtStep = "5";
             f.rb_LED = OnOff::Off;
         },
         field::LedState, 0x08},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FormModel form;
        row.set(form);
        const DataBuf out = Stored(form, RandomDataBuf(7));
        EXPECT_EQ(out[row.offset], row.value);
        EXPECT_EQ(out[row.offset + 1], 255 - row.value);
    }
}

TEST(FormModel, OffsetAndColourTablesComeFromTheFireMacroFields)
{
    FormModel form = Shown(DefaultDataBuf());
    form.edt_YOffset[0] = "-10";
    form.edt_YOffset[1] = "200";  // a byte value: -56
    form.edt_YOffset[2] = "-";    // still being typed: table entry as loaded
    form.edt_FireMacroColor[9] = {"1", "300", ""};
    DataBuf buf = DefaultDataBuf();
    buf[field::FireMacroOffsetTable + 4] = 0x33;
    const DataBuf out = Stored(form, buf);
    EXPECT_EQ(out[field::FireMacroOffsetTable], 0xF6);
    EXPECT_EQ(out[field::FireMacroOffsetTable + 1], 0x09);
    EXPECT_EQ(out[field::FireMacroOffsetTable + 2], 0xC8);
    EXPECT_EQ(out[field::FireMacroOffsetTable + 3], 0x37);
    EXPECT_EQ(out[field::FireMacroOffsetTable + 4], 0x33);
    EXPECT_EQ(out[field::FireMacroColourTable + 27], 1);
    EXPECT_EQ(out[field::FireMacroColourTable + 28], 255);
    EXPECT_EQ(out[field::FireMacroColourTable + 29], 0);
}

// --- Refresh rules -----------------------------------------------------------------------------

TEST(FormModel, NoSaveForcesKeyMode1ThenTheLoadedKeyModeIsShown)
{
    DataBuf buf = DefaultDataBuf();
    buf[field::ModeFlags] |= 0x08;
    PutBytes(buf, field::KeyModeState, {0x80, 0x7F});
    FormModel form = Shown(buf);
    EXPECT_EQ(form.rb_Save, SaveChoice::NoSave);
    EXPECT_FALSE(form.cb_KeyModeEnabled);
    EXPECT_EQ(form.cb_KeyMode, 1);

    buf[field::ModeFlags] &= 0xF7;
    RefreshUI(form, buf, kNameOf, kAim);
    EXPECT_EQ(form.rb_Save, SaveChoice::Save);
    EXPECT_TRUE(form.cb_KeyModeEnabled);
}

TEST(FormModel, AimValueComesFromTheLastAimButtonFound)
{
    struct Row {
        const char* name;
        std::vector<std::pair<Profile, std::size_t>> keys;
        std::vector<const char*> codes;
        int aimValue;
    };
    const Row rows[] = {
        {"profile 2 after profile 1", {{Profile::One, 2}, {Profile::Two, 1}}, {"0A0300", "0A0700"}, 7},
        {"later key of profile 1", {{Profile::One, 2}, {Profile::One, 8}}, {"0A0300", "0A0500"}, 5},
        {"no aim button keeps the value", {}, {}, 4},
        {"a byte beyond the DPI table keeps the value", {{Profile::Two, 4}}, {"0A2000"}, 4},
        {"a macro named like the aim is no aim button", {{Profile::One, 3}}, {"060121"}, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DataBuf buf = DefaultDataBuf();
        for (std::size_t i = 0; i < row.keys.size(); ++i)
            PutCode(buf, row.keys[i].first, row.keys[i].second, row.codes[i]);
        FormModel form;
        form.cb_AIMKeyValue = 4;
        DataBufToUI(form, buf, kNameOf, kAim);
        EXPECT_EQ(form.cb_AIMKeyValue, row.aimValue);
    }
}

TEST(FormModel, FireKeyRefreshKeepsTheLoadedCount)
{
    FormModel form = Shown(DefaultDataBuf());  // continuous fire ticked
    ASSERT_TRUE(form.cb_IsFireContinue);
    EXPECT_EQ(form.cb_FireCount, 255);
    EXPECT_EQ(form.Edt_Repeat1, "3");
    EXPECT_FALSE(form.Edt_Repeat1Enabled);

    DataBuf buf = DefaultDataBuf();
    buf[field::FireKeyRepeatCount] = 4;
    buf[field::FireKeyInterval] = 0;
    RefreshUI(form, buf, kNameOf, kAim);
    EXPECT_FALSE(form.cb_IsFireContinue);
    EXPECT_TRUE(form.Edt_Repeat1Enabled);
    EXPECT_EQ(form.cb_FireCount, 4);  // not the unticking's item 2
    EXPECT_EQ(form.Edt_Repeat1, "5");
    // An interval of 0 is shown as "0", so the store keeps 0 rather than the empty field's 100.
    EXPECT_EQ(form.edt_FireTime, "0");
    EXPECT_EQ(form.Edt_DelayTime1, "0");
    EXPECT_EQ(Stored(form, buf)[field::FireKeyInterval], 0);
}

TEST(FormModel, ZeroIdentityBytesSurviveARefreshAndStore)
{
    DataBuf buf = DefaultDataBuf();
    PutBytes(buf, field::VendorByte, {0, 7});
    const FormModel form = Shown(buf);
    EXPECT_EQ(form.edt_VendorID, "0");
    EXPECT_EQ(form.edt_ProductID, "7");
    const DataBuf out = Stored(form, buf);
    EXPECT_EQ(out[field::VendorByte], 0);
    EXPECT_EQ(out[field::ProductByte], 7);
}

TEST(FormModel, LoadedModeSurvivesTheEnabledModesChanging)
{
    FormModel form;  // every MCU mode disabled
    DataBuf buf = DefaultDataBuf();
    buf[field::LedModeMask] = 0xF7;  // mode 3 disabled
    PutBytes(buf, field::LedState, {0x05, 0xFA});
    RefreshUI(form, buf, kNameOf, kAim);
    EXPECT_EQ(form.cb_MCULEDCurrentMode, 4);
    EXPECT_EQ((std::array<bool, 7>{true, true, false, true, true, true, true}), form.cb_Mode);
}

TEST(FormModel, LevelRefreshRules)
{
    DataBuf buf = DefaultDataBuf();
    buf[field::LevelValue + 1] = 0xFF;
    buf[field::LevelValue + 2] = 12;
    FormModel form = Shown(buf);
    EXPECT_EQ(form.cb_CPI[1], kNoSelection);
    EXPECT_EQ(form.cb_CPI[2], kNoSelection);
    DataBuf out = Stored(form, buf);
    EXPECT_EQ(out[field::LevelValue + 1], 0xFF);  // unless a value is chosen, "no value" again
    EXPECT_EQ(out[field::LevelValue + 2], 0xFF);  // not a table index either

    // An active level beyond the count, or a count outside 2..7, is not shown as a choice and
    // not overwritten.
    buf[field::LevelCount] = 3;
    PutBytes(buf, field::CurrentLevel, {5, 250});
    form = Shown(buf);
    EXPECT_EQ(form.cb_CPIStep, 1);
    EXPECT_EQ(form.cb_CurrentCPI, kNoSelection);
    out = Stored(form, buf);
    EXPECT_EQ(out[field::CurrentLevel], 5);
    buf[field::LevelCount] = 9;
    form = Shown(buf);
    EXPECT_EQ(form.cb_CPIStep, kNoSelection);
    EXPECT_EQ(Stored(form, buf)[field::LevelCount], 9);
}

TEST(FormModel, FamilyNameComesFromTheRefreshNotFromTheRadioButtons)
{
    DataBuf buf = DefaultDataBuf();
    buf[field::ModeFlags] |= 0x80;
    buf[field::SwitchFlags] = 0x10;
    FormModel form = Shown(buf);
    EXPECT_EQ(form.ledFamily, LedFamily::BreLED);
    EXPECT_EQ(form.ledFamilyName, "BreLED");
    ChooseLedFamily(form, LedFamily::MCULED);
    EXPECT_EQ(form.ledFamilyName, "BreLED");
    EXPECT_EQ(form.cb_MCULEDCurrentMode, 1);  // a chosen MCU family starts at mode 2
}

// --- AIMKeyToDataBuf ---------------------------------------------------------------------------

TEST(FormModel, AimButtonsOfBothProfilesReceiveTheAimValue)
{
    DataBuf buf = DefaultDataBuf();
    PutCode(buf, Profile::One, 7, "0A0000");
    PutCode(buf, Profile::Two, 3, "0A0B00");
    PutCode(buf, Profile::One, 4, "060121");  // a macro named like the aim key
    FormModel form = Shown(buf);
    form.cb_AIMKeyValue = 5;
    AIMKeyToDataBuf(form, buf, kNameOf, kAim, kFire, true);
    EXPECT_EQ(ReadKeyCode(buf, *KeyCodeOffset(Profile::One, 7)), (KeyCode{0x0A, 5, 0}));
    EXPECT_EQ(ReadKeyCode(buf, *KeyCodeOffset(Profile::Two, 3)), (KeyCode{0x0A, 5, 0}));
    EXPECT_EQ(form.keyCodeTexts[0][6], "0A0500");
    EXPECT_EQ(form.keyCodeTexts[1][2], "0A0500");
    EXPECT_EQ(ReadKeyCode(buf, *KeyCodeOffset(Profile::One, 4)), (KeyCode{0x06, 0x01, 0x21}));

    form.cb_AIMKeyValue = 12;  // not a table index: the buttons keep their value
    AIMKeyToDataBuf(form, buf, kNameOf, kAim, kFire, true);
    EXPECT_EQ(form.keyCodeTexts[0][6], "0A0500");
}

TEST(FormModel, DriverModeFireKeyTypeFollowsContinuousFire)
{
    struct Row {
        bool eepromMode;
        bool continuous;
        std::uint8_t type;
    };
    const Row rows[] = {{false, true, 0x0E}, {false, false, 0x06}, {true, true, 0x06}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "eeprom " << row.eepromMode << " continuous " << row.continuous);
        DataBuf buf = DefaultDataBuf();  // Key9 of both profiles is the fire key
        FormModel form = Shown(buf);
        SetFireContinue(form, row.continuous);
        AIMKeyToDataBuf(form, buf, kNameOf, kAim, kFire, row.eepromMode);
        for (const Profile p : {Profile::One, Profile::Two}) {
            EXPECT_EQ(ReadKeyCode(buf, *KeyCodeOffset(p, 9)), (KeyCode{row.type, 0x00, 0xF0}));
            EXPECT_EQ(form.keyCodeTexts[static_cast<std::size_t>(p)][8], "0600F0");
        }
        // A second store finds the fire key again by its shown code.
        SetFireContinue(form, false);
        AIMKeyToDataBuf(form, buf, kNameOf, kAim, kFire, row.eepromMode);
        EXPECT_EQ(buf[*KeyCodeOffset(Profile::One, 9)], 0x06);
    }
}

}  // namespace
}  // namespace qeltra3k::config
