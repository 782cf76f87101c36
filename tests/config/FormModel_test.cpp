#include "config/FormEditing.h"
#include "config/FormFields.h"
#include "config/FormModel.h"

#include "config/Conversion.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace qeltra3k::config {
namespace {

constexpr std::string_view kLeft = "Left Click";
constexpr std::string_view kAim = "AIM";
constexpr std::string_view kFire = "Fire Key";

// Stands in for the key-code naming: a few fixed names, every aim code named like the aim key,
// and one device macro that the user happened to name "AIM".
std::string FakeName(std::string_view code)
{
    static const std::map<std::string, std::string, std::less<>> names{
        {"010100", "Left Click"}, {"010200", "Right Click"}, {"010400", "Middle Click"},
        {"0600F0", "Fire Key"},   {"060121", "AIM"},
    };
    if (code.substr(0, 2) == "0A")
        return std::string(kAim);
    const auto it = names.find(code);
    return it == names.end() ? std::string{} : it->second;
}
const KeyNameFn kNameOf = FakeName;

void PutCode(DataBuf& buf, Profile profile, std::size_t key, std::string_view code)
{
    ASSERT_TRUE(WriteKeyCodeText(buf, *KeyCodeOffset(profile, key), code));
}

void PutBytes(DataBuf& buf, std::size_t offset, std::initializer_list<std::uint8_t> bytes)
{
    for (std::uint8_t b : bytes)
        buf[offset++] = b;
}

// The sections of the shipped default configuration images.
DataBuf DefaultDataBuf()
{
    DataBuf buf{};
    PutBytes(buf, 0, {0x44, 0xF8, 0x06, 0x38, 0xFF, 0x00, 1, 4, 6, 7, 9, 11, 7,
                      0x01, 0x04, 0x03, 0x00, 0x02, 0x05, 0x06, 0xFF, 0x00, 0x7F, 0xFF, 0xFF, 0xFF,
                      0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00,
                      0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x70});
    PutBytes(buf, 48, {0x01, 0xFE, 0x22, 0xDD, 0x00, 0xFF, 0xFF, 0xFF});
    const char* codes[] = {"010100", "010400", "010200", "010800", "011000", "050000", "070000", "080000", "0600F0"};
    for (std::size_t k = 1; k <= kKeysPerProfile; ++k) {
        PutCode(buf, Profile::One, k, codes[k - 1]);
        PutCode(buf, Profile::Two, k, codes[k - 1]);
    }
    buf[field::ProfileChecksum] = 0x06;
    for (std::size_t k = 0; k < kFireMacroCount; ++k) {
        const auto address = static_cast<std::uint16_t>(0x0501 + 24 * k);
        PutBytes(buf, field::FireMacroKeyTable + 3 * k, {0x0E, static_cast<std::uint8_t>(address >> 8),
                                                         static_cast<std::uint8_t>(address & 0xFF)});
        PutBytes(buf, field::FireMacroOffsetTable + 2 * k, {0x00, 0xFF});
    }
    PutBytes(buf, field::FireMacroColourTable,
             {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF,
              0, 0xFF, 0xFF, 0xFF, 0x80, 0, 0xFF, 0, 0x80, 0, 0xFF, 0x80, 0xFF, 0xFF, 0xFF});
    PutBytes(buf, field::FireKeyProgram, {0x0A, 0xFD, 0xFF, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x06, 0xFC, 0x93});
    return buf;
}

DataBuf RandomDataBuf(unsigned seed)
{
    std::mt19937 random(seed);
    DataBuf buf{};
    for (auto& b : buf)
        b = static_cast<std::uint8_t>(random());
    return buf;
}

FormModel Shown(const DataBuf& buf)
{
    FormModel form;
    DataBufToUI(form, buf, kNameOf, kAim);
    return form;
}

DataBuf Stored(const FormModel& form, DataBuf buf)
{
    UIToDataBuf(form, buf);
    return buf;
}

void ExpectSameBytes(const DataBuf& actual, const DataBuf& expected)
{
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "DataBuf byte " << i;
}

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

// --- Field corrections ---------------------------------------------------------------------------

TEST(FormModelFields, CorrectionsOfEachField)
{
    struct Row {
        const char* field;
        std::string (*correct)(std::string_view);
        const char* typed;
        const char* shown;
    };
    const Row rows[] = {
        {"id", CorrectIdText, "300", "255"},          {"id", CorrectIdText, "", "255"},
        {"id", CorrectIdText, "0", "0"},              {"id", CorrectIdText, "255", "255"},
        {"repeat", CorrectRepeatText, "", "2"},       {"repeat", CorrectRepeatText, "0", "1"},
        {"repeat", CorrectRepeatText, "256", "255"},  {"repeat", CorrectRepeatText, "255", "255"},
        {"delay", CorrectDelayTimeText, "", "0"},     {"delay", CorrectDelayTimeText, "-1", "0"},
        {"delay", CorrectDelayTimeText, "256", "255"},
        {"fire time", CorrectFireTimeText, "", "100"}, {"fire time", CorrectFireTimeText, "256", "255"},
        {"fire time", CorrectFireTimeText, "0", "0"},
        {"colour", CorrectColourText, "300", "255"},  {"colour", CorrectColourText, "", "0"},
        {"LED count", CorrectLedCountTyping, "2", "4"}, {"LED count", CorrectLedCountTyping, "3", "4"},
        {"LED count", CorrectLedCountTyping, "0", "4"}, {"LED count", CorrectLedCountTyping, "50", "13"},
        {"LED count", CorrectLedCountTyping, "", "13"}, {"LED count", CorrectLedCountTyping, "1", "1"},
        {"LED count", CorrectLedCountTyping, "12", "12"},
        {"LED count leave", CorrectLedCountOnLeave, "1", "4"}, {"LED count leave", CorrectLedCountOnLeave, "11", "11"},
        {"step", CorrectStepText, "8", "7"},          {"step", CorrectStepText, "", "0"},
        {"Y offset", CorrectYOffsetText, "-", "-"},   {"Y offset", CorrectYOffsetText, "", "0"},
        {"Y offset", CorrectYOffsetText, "255", "-1"}, {"Y offset", CorrectYOffsetText, "128", "-128"},
        {"Y offset", CorrectYOffsetText, "127", "127"}, {"Y offset", CorrectYOffsetText, "-129", "-128"},
        {"Y offset", CorrectYOffsetText, "300", "127"},
        // The edits accept digits only; anything else counts as an empty field.
        {"id", CorrectIdText, "12a", "255"},          {"colour", CorrectColourText, "-5", "0"},
        {"colour", CorrectColourText, "99999999999999999999", "255"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.correct(row.typed), row.shown) << row.field << " typed \"" << row.typed << "\"";
}

TEST(FormModelFields, ValuesReadThroughTheCorrections)
{
    EXPECT_EQ(IdValue("300"), 255);
    EXPECT_EQ(IdValue("007"), 7);
    EXPECT_EQ(FireTimeValue(""), 100);
    EXPECT_EQ(ColourValue("256"), 255);
    EXPECT_EQ(LedCountValue("1"), 4);
    EXPECT_EQ(StepValue("9"), 7);
    EXPECT_EQ(RepeatValue("0"), 1);
    EXPECT_EQ(YOffsetByte("-1"), 0xFF);
    EXPECT_EQ(YOffsetByte("-128"), 0x80);
    EXPECT_EQ(YOffsetByte("-"), std::nullopt);
    EXPECT_EQ(YOffsetText(0xFF), "-1");
    EXPECT_EQ(YOffsetText(0x7F), "127");
}

}  // namespace
}  // namespace qeltra3k::config
