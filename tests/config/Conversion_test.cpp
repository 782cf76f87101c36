#include "config/Conversion.h"

#include "config/ImageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <vector>

namespace qeltra3k::config {
namespace {

// ---- Code text and bytes ----------------------------------------------------------------

struct ParseCase {
    const char* text;
    KeyCode code;
};

TEST(ConversionParse, ReadsThreeHexPairs)
{
    const ParseCase cases[] = {
        {"010100", {0x01, 0x01, 0x00}},
        {"0600F0", {0x06, 0x00, 0xF0}},
        {"0A0B00", {0x0A, 0x0B, 0x00}},
        {"FFFFFF", {0xFF, 0xFF, 0xFF}},
        {"000000", {0x00, 0x00, 0x00}},
        {"0c080a", {0x0C, 0x08, 0x0A}},  // lower case is still hexadecimal
        {"9aBcDe", {0x9A, 0xBC, 0xDE}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<KeyCode> code = ParseKeyCode(c.text);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, c.code);
    }
}

TEST(ConversionParse, RejectsMalformedTextInsteadOfGuessing)
{
    const char* malformed[] = {
        "",         // empty caption
        "01010",    // too short
        "0101000",  // too long
        "0G0100",   // not a hex digit
        " 10100",   // blank
        "01 100",   // blank inside
        "+10100",   // sign a number parser would accept
        "-10100",
        "0x0101",   // prefix a number parser would accept
        "01\n100",
    };
    for (const char* text : malformed) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseKeyCode(text).has_value());
    }
    // An embedded NUL must not end the text early.
    EXPECT_FALSE(ParseKeyCode(std::string_view("01\0100", 6)).has_value());
}

TEST(ConversionText, WritesSixUpperCaseDigitsAndRoundTrips)
{
    EXPECT_EQ(KeyCodeText({0x0A, 0xBC, 0xDE}), "0ABCDE");
    EXPECT_EQ(KeyCodeText({0x00, 0x00, 0x00}), "000000");
    EXPECT_EQ(KeyCodeText({0x0E, 0x06, 0x21}), "0E0621");
    for (int type : {0x00, 0x02, 0x0C, 0x7F, 0xFF}) {
        for (int data : {0x00, 0x09, 0x10, 0xA5, 0xFF}) {
            const KeyCode code{static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(data),
                               static_cast<std::uint8_t>(0xFF - data)};
            EXPECT_EQ(ParseKeyCode(KeyCodeText(code)), code);
        }
    }
}

TEST(ConversionBytes, ReadsAndWritesAtAnOffset)
{
    DataBuf buf{};
    buf.fill(0x55);
    const std::size_t key8Profile2 = field::Profile2 + 3 * 7;
    ASSERT_TRUE(WriteKeyCodeText(buf, key8Profile2, "020807"));
    EXPECT_EQ(buf[key8Profile2], 0x02);
    EXPECT_EQ(buf[key8Profile2 + 1], 0x08);
    EXPECT_EQ(buf[key8Profile2 + 2], 0x07);
    EXPECT_EQ(buf[key8Profile2 - 1], 0x55);
    EXPECT_EQ(buf[key8Profile2 + 3], 0x55);
    EXPECT_EQ(ReadKeyCode(buf, key8Profile2), (KeyCode{0x02, 0x08, 0x07}));

    // The last code that fits ends on the buffer's last byte.
    ASSERT_TRUE(WriteKeyCode(buf, kDataBufSize - 3, {0x0C, 0x01, 0x02}));
    EXPECT_EQ(buf[kDataBufSize - 1], 0x02);
    EXPECT_EQ(ReadKeyCode(buf, kDataBufSize - 3), (KeyCode{0x0C, 0x01, 0x02}));
}

TEST(ConversionBytes, LeavesTheBufferAloneWhenTheCodeDoesNotFitOrIsNotACode)
{
    DataBuf buf{};
    buf.fill(0x55);
    const DataBuf before = buf;
    for (std::size_t offset : {kDataBufSize - 2, kDataBufSize, std::numeric_limits<std::size_t>::max() - 1}) {
        SCOPED_TRACE(offset);
        EXPECT_FALSE(WriteKeyCode(buf, offset, {0x01, 0x01, 0x00}));
        EXPECT_FALSE(ReadKeyCode(buf, offset).has_value());
    }
    EXPECT_FALSE(WriteKeyCodeText(buf, field::Profile1, "01010"));
    EXPECT_FALSE(WriteKeyCodeText(buf, field::Profile1, ""));
    EXPECT_EQ(buf, before);

    std::array<std::uint8_t, 2> tooSmall{};
    EXPECT_FALSE(ReadKeyCode(tooSmall, 0).has_value());
    EXPECT_FALSE(WriteKeyCode(tooSmall, 0, {1, 2, 3}));
}

// ---- Macro addresses --------------------------------------------------------------------

TEST(ConversionMacroAddress, DeviceSlotsAndTheirNames)
{
    const std::uint16_t expected[] = {0x0121, 0x0221, 0x0321, 0x0421, 0x0621, 0x0721};
    for (std::size_t slot = 0; slot < kDeviceMacroSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(kDeviceMacroSlotAddresses[slot], expected[slot]);
        EXPECT_EQ(DeviceMacroSlotForAddress(expected[slot]), slot);
        EXPECT_EQ(DeviceMacroNameAddress(slot), expected[slot] - 0x21);
    }
    EXPECT_FALSE(DeviceMacroNameAddress(kDeviceMacroSlotCount).has_value());
    // The fire key program, the fire macro block and record starts are not slots.
    for (std::uint16_t address : {0x00F0, 0x0521, 0x0501, 0x0100, 0x0120, 0x0122, 0x0000}) {
        SCOPED_TRACE(address);
        EXPECT_FALSE(DeviceMacroSlotForAddress(address).has_value());
    }
}

TEST(ConversionMacroAddress, DriverMacrosEvery2048BytesWhileTheAddressFitsTwoBytes)
{
    EXPECT_EQ(DriverMacroAddress(0), 0x0120);
    EXPECT_EQ(DriverMacroAddress(2), 0x1120);
    EXPECT_EQ(DriverMacroAddress(31), 0xF920);
    EXPECT_FALSE(DriverMacroAddress(32).has_value());
    EXPECT_FALSE(DriverMacroAddress(std::numeric_limits<std::size_t>::max()).has_value());

    EXPECT_EQ(DriverMacroIndexForAddress(0x0120), 0u);
    EXPECT_EQ(DriverMacroIndexForAddress(0x1120), 2u);
    EXPECT_EQ(DriverMacroIndexForAddress(0xF920), 31u);
    for (std::uint16_t address : {0x0000, 0x00F0, 0x0100, 0x011F, 0x0121, 0x0920 + 1, 0xFFFF}) {
        SCOPED_TRACE(address);
        EXPECT_FALSE(DriverMacroIndexForAddress(address).has_value());
    }
}

TEST(ConversionMacroAddress, KeyCodeCarriesTheAddressHighByteFirst)
{
    const KeyCode code = KeyCode::WithAddress(code_type::DeviceMacroHeld, 0x0621);
    EXPECT_EQ(KeyCodeText(code), "0E0621");
    EXPECT_EQ(code.Address(), 0x0621);
    EXPECT_EQ(KeyCodeText(kFireKeyCode), "0600F0");
}

// ---- Function menu and names ------------------------------------------------------------

// Stands in for the language tables: the key itself, marked so a missing lookup shows.
std::string FakeLanguage(std::string_view key) { return "<" + std::string(key) + ">"; }

KeyNameContext EepromContext()
{
    KeyNameContext context;
    context.languageText = FakeLanguage;
    context.eepromMode = true;
    return context;
}

struct MenuCase {
    int tag;
    const char* code;
    const char* textKey;
};

// Every fixed entry of the function menu: its code and the name that code shows again.
constexpr MenuCase kMenu[] = {
    {900, "010100", "Str210"},  {901, "010200", "Str211"},  {902, "010400", "Str212"},
    {903, "010800", "Str213"},  {904, "011000", "Str214"},  {1000, "0600F0", "Str220"},
    {1001, "090000", "Str221"}, {1003, "0D0000", "Str223"}, {1004, "000000", "Str224"},
    {1005, "0F0000", "Str225"}, {1006, "100000", "Str226"}, {1100, "030194", "Str240"},
    {1101, "030192", "Str241"}, {1102, "03018A", "Str242"}, {1103, "020807", "Str243"},
    {1300, "0300CD", "Str250"}, {1301, "0300B7", "Str251"}, {1302, "0300B6", "Str252"},
    {1303, "0300B5", "Str253"}, {1304, "0300E9", "Str254"}, {1305, "0300EA", "Str255"},
    {1306, "0300E2", "Str256"}, {1400, "030223", "Str260"}, {1401, "030221", "Str261"},
    {1402, "030224", "Str262"}, {1403, "030225", "Str263"}, {1404, "030226", "Str264"},
    {1405, "030227", "Str265"}, {1406, "03022A", "Str266"}, {2000, "050000", "Str231"},
    {2001, "070000", "Str232"}, {2002, "080000", "Str233"},
};

TEST(ConversionMenu, FixedEntriesGiveTheirCodeAndTheCodeItsName)
{
    const KeyNameContext context = EepromContext();
    for (const MenuCase& c : kMenu) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(CodeForMenuTag(c.tag, 0), c.code);
        EXPECT_EQ(KeyCodeName(c.code, context), FakeLanguage(c.textKey));
    }
}

TEST(ConversionMenu, AimEntryCarriesTheAimValueIndex)
{
    EXPECT_EQ(CodeForMenuTag(kAimMenuTag, 0), "0A0000");
    EXPECT_EQ(CodeForMenuTag(kAimMenuTag, 10), "0A0A00");
    EXPECT_EQ(CodeForMenuTag(kAimMenuTag, 11), "0A0B00");
    // Outside the DPI value table there is no aim code to give.
    EXPECT_EQ(CodeForMenuTag(kAimMenuTag, 12), "");
    EXPECT_EQ(CodeForMenuTag(kAimMenuTag, 255), "");
    EXPECT_EQ(CodeForMenuTag(kAimMenuTag, -1), "");
}

TEST(ConversionMenu, UnknownTagsGiveNoCode)
{
    // Group entries (Str230's DPI sub-menu has no tag), neighbours of real tags, nonsense.
    for (int tag : {0, -1, 899, 905, 999, 1007, 1104, 1200, 1307, 1407, 2003, 900 * 1000}) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(CodeForMenuTag(tag, 3), "");
    }
}

struct NameCase {
    const char* code;
    const char* name;
};

TEST(ConversionName, AimCodesShareOneNameWhateverTheIndex)
{
    const KeyNameContext context = EepromContext();
    for (const char* code : {"0A0B00", "0A0000", "0AFF00", "0A05FF"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(KeyCodeName(code, context), "<Str222>");
    }
}

TEST(ConversionName, KeyboardCodesSpellModifiersThenKey)
{
    const KeyNameContext context = EepromContext();
    const NameCase cases[] = {
        {"020807", "<Str243>"},  // Win+D is the desktop key
        {"020800", "Win+"},
        {"020007", "D"},
        {"020907", "Ctrl+Win+D"},  // only exact 020807 is the desktop key
        {"020304", "Ctrl+Shift+A"},
        {"020100", "Ctrl+"},
        {"020F29", "Ctrl+Shift+Alt+Win+Esc"},
        {"020F00", "Ctrl+Shift+Alt+Win+"},
        {"02053E", "Ctrl+Alt+F5"},
        {"02F004", "A"},  // bits above Win carry no name
        {"0200C4", "Volume_Mute"},  // media program code
        {"0202D1", "Shift+Launch_Media_Select"},
        {"0200E3", "Win"},
        {"020000", ""},
        {"0200FF", ""},  // usage without a name
        {"020132", "Ctrl+"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(KeyCodeName(c.code, context), c.name);
    }
}

TEST(ConversionName, CodesWithoutARuleHaveNoName)
{
    const KeyNameContext context = EepromContext();
    for (const char* code : {"010300", "010000", "011100", "030100", "0300CE", "0301FF", "050001", "0D0001",
                             "0B0501", "0E0501", "110000", "FFFFFF", "0101", "", "zzzzzz", "0100100"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(KeyCodeName(code, context), "");
    }
}

TEST(ConversionName, NoLanguageLookupGivesEmptyNamesNotACrash)
{
    KeyNameContext context;
    EXPECT_EQ(KeyCodeName("010100", context), "");
    EXPECT_EQ(KeyCodeName("0A0300", context), "");
    EXPECT_EQ(KeyCodeName("0C0101", context), "");
    EXPECT_EQ(KeyCodeName("020304", context), "Ctrl+Shift+A");  // needs no language
}

// Device slot names with an on-demand reader that remembers what it was asked.
class ConversionMacroName : public ::testing::Test {
protected:
    ConversionMacroName()
    {
        context = EepromContext();
        context.deviceMacroNames = slotNames;
        context.readDeviceMacroName = [this](std::size_t slot) {
            reads.push_back(slot);
            return "read " + std::to_string(slot);
        };
        context.driverMacroNames = driverNames;
    }

    std::array<std::string, 6> slotNames{"Reload", "", "Burst", "", "", ""};
    std::vector<std::string> driverNames{"Drv0", "", "Drv2"};
    std::vector<std::size_t> reads;
    KeyNameContext context;
};

TEST_F(ConversionMacroName, EepromModeNamesSlotsAndReadsOnlyUnknownOnes)
{
    EXPECT_EQ(KeyCodeName("060121", context), "Reload");
    EXPECT_EQ(KeyCodeName("0E0321", context), "Burst");
    EXPECT_TRUE(reads.empty());

    EXPECT_EQ(KeyCodeName("060221", context), "read 1");
    EXPECT_EQ(KeyCodeName("0E0721", context), "read 5");
    EXPECT_EQ(reads, (std::vector<std::size_t>{1, 5}));
}

TEST_F(ConversionMacroName, EepromModeIgnoresAddressesThatAreNotSlots)
{
    // 0E00F0 is the fire key program under the wrong type; 0120 is a driver address.
    for (const char* code : {"0E00F0", "060120", "061120", "060521", "060122"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(KeyCodeName(code, context), "");
    }
    EXPECT_EQ(KeyCodeName("0600F0", context), "<Str220>");
    EXPECT_TRUE(reads.empty());
}

TEST_F(ConversionMacroName, EepromModeWithoutReaderOrWithShortNameListStaysEmpty)
{
    context.readDeviceMacroName = nullptr;
    EXPECT_EQ(KeyCodeName("060221", context), "");
    EXPECT_EQ(KeyCodeName("060121", context), "Reload");

    context.deviceMacroNames = std::span<const std::string>(slotNames).first(1);
    EXPECT_EQ(KeyCodeName("060721", context), "");
}

TEST_F(ConversionMacroName, DriverModeNamesTheDriverMacroList)
{
    context.eepromMode = false;
    const NameCase cases[] = {
        {"060120", "Drv0"},
        {"0E1120", "Drv2"},
        {"060920", ""},    // record 1 has no name
        {"061920", ""},    // record 3 is past the list
        {"060121", ""},    // a device slot means nothing here
        {"0E00F0", ""},
        {"0600F0", "<Str220>"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(KeyCodeName(c.code, context), c.name);
    }
    EXPECT_TRUE(reads.empty());
}

TEST(ConversionGunName, PresetGunsWithoutCustomList)
{
    const KeyNameContext context = EepromContext();
    const NameCase cases[] = {
        {"0C0101", "<Str600>"}, {"0C0202", "<Str601>"}, {"0C0303", "<Str602>"}, {"0C0404", "<Str603>"},
        {"0C0505", "<Str604>"}, {"0C0606", "<Str605>"}, {"0C0607", "<Str605>"}, {"0C0808", "<Str606>"},
        {"0C0809", "<Str606>"}, {"0C080A", "<Str606>"},
        {"0C0707", ""},  {"0C0102", ""}, {"0C0000", ""}, {"0C080B", ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(KeyCodeName(c.code, context), c.name);
    }
}

TEST(ConversionGunName, CustomListNamesByPositionAndLastMatchWins)
{
    const std::array<std::string, 10> customGunKeys{
        "0C0101", "0C0203", "0C0404", "000000", "000000", "000000", "0C0203", "000000", "bad", "0C0A0A"};
    KeyNameContext context = EepromContext();
    context.customGunKeys = customGunKeys;

    const NameCase cases[] = {
        {"0C0101", "Fire Macro1"},   // a preset code, but the custom list decides
        {"0C0203", "Fire Macro7"},   // listed at 2 and 7
        {"0C0404", "Fire Macro3"},
        {"0C0A0A", "Fire Macro10"},
        {"0C0505", ""},              // preset code not in the list
        {"000000", "<Str224>"},      // unused list slots do not capture key off
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(KeyCodeName(c.code, context), c.name);
    }

    // A list that existed but holds nothing names no gun at all.
    const std::array<std::string, 10> emptyList{"000000", "000000", "000000", "000000", "000000",
                                                "000000", "000000", "000000", "000000", "000000"};
    context.customGunKeys = emptyList;
    EXPECT_EQ(KeyCodeName("0C0101", context), "");
}

}  // namespace
}  // namespace qeltra3k::config
