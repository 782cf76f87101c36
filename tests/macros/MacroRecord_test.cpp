#include "macros/MacroRecord.h"

#include <gtest/gtest.h>

namespace qeltra3k::macros {
namespace {

MacroName NameOf(std::initializer_list<std::uint8_t> head)
{
    MacroName name{};
    std::copy(head.begin(), head.end(), name.begin());
    return name;
}

TEST(MacroName, StoredAsUtf16HighByteFirst)
{
    const auto name = NameFromText("Macro1");
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, NameOf({0x00, 0x4D, 0x00, 0x61, 0x00, 0x63, 0x00, 0x72, 0x00, 0x6F, 0x00, 0x31}));
    EXPECT_EQ(NameToText(*name), "Macro1");
}

TEST(MacroName, RoundTripsAndLimits)
{
    struct Case {
        const char* text;
        bool fits;
    };
    const Case cases[]{
        {"ABCDEFGHIJKLMNOP", true},               // 16 characters fill all 32 bytes
        {"ABCDEFGHIJKLMNOPQ", false},             // 17
        {"宏一", true},                            // outside Latin-1
        {"Zażółć gęślą", true},
        {"\xF0\x9F\x8E\xAE" "ABCDEFGHIJKLMN", true},   // a surrogate pair + 14 = 16 units
        {"\xF0\x9F\x8E\xAE" "ABCDEFGHIJKLMNO", false}, // 17 units
        {"", true},
        {"bad\xC3", false},                       // cut multi-byte sequence
        {"\xC0\xAF", false},                      // overlong
        {"\xED\xA0\x80", false},                  // encoded surrogate
    };
    for (const Case& c : cases) {
        const std::string text = c.text;
        SCOPED_TRACE(text);
        const auto name = NameFromText(text);
        ASSERT_EQ(name.has_value(), c.fits);
        if (name) {
            EXPECT_EQ(NameToText(*name), text);
        }
    }
    const auto full = NameFromText("ABCDEFGHIJKLMNOP");
    EXPECT_EQ((*full)[30], 0x00);
    EXPECT_EQ((*full)[31], 'P');
    EXPECT_TRUE(IsUnusedName(*NameFromText("")));
    EXPECT_FALSE(NameFromText(std::string("a\0b", 3)));  // would end the name early
}

TEST(MacroName, AnyBytesGiveAText)
{
    EXPECT_EQ(NameToText(NameOf({0x00, 0x41, 0x00, 0x00, 0x00, 0x42})), "A");    // ends at 0x0000
    EXPECT_EQ(NameToText(NameOf({0xD8, 0x00, 0x00, 0x41})), "\xEF\xBF\xBD" "A");  // lone high half
    EXPECT_EQ(NameToText(NameOf({0xDC, 0x00})), "\xEF\xBF\xBD");                   // lone low half
    // A high half in the last unit has no partner inside the field.
    MacroName highAtEnd = *NameFromText("A" + std::string(15, 'B'));
    highAtEnd[30] = 0xD8;
    highAtEnd[31] = 0x3C;
    EXPECT_EQ(NameToText(highAtEnd), "A" + std::string(14, 'B') + "\xEF\xBF\xBD");
    MacroName erased;
    erased.fill(0xFF);
    EXPECT_FALSE(NameToText(erased).empty());
}

TEST(MacroName, UnusedMarks)
{
    EXPECT_TRUE(IsUnusedName(NameOf({0x00, 0x00, 0x00, 0x41})));
    EXPECT_FALSE(IsUnusedName(NameOf({0x00, 0x41})));
    EXPECT_FALSE(IsUnusedName(NameOf({0xFF, 0xFF})));  // the library counts erased names as used
    EXPECT_TRUE(IsUnusedSlotName(NameOf({0xFF, 0xFF, 0x00, 0x41})));
    EXPECT_TRUE(IsUnusedSlotName(NameOf({0x00, 0x00})));
    EXPECT_FALSE(IsUnusedSlotName(NameOf({0xFF, 0x00})));
}

TEST(MacroRecordBytes, OverlayGoesAsFarAsTheBytes)
{
    MacroRecord record;
    record.name.fill(0x11);
    record.body.fill(0x22);
    const std::vector<std::uint8_t> shortSource(40, 0x33);  // the name and 8 body bytes
    OverlayRecord(shortSource, record);
    MacroName expectedName;
    expectedName.fill(0x33);
    EXPECT_EQ(record.name, expectedName);
    EXPECT_EQ(record.body[7], 0x33);
    EXPECT_EQ(record.body[8], 0x22);

    const std::vector<std::uint8_t> longSource(300, 0x44);
    OverlayRecord(longSource, record);
    EXPECT_EQ(record.body[223], 0x44);

    std::vector<std::uint8_t> out;
    AppendRecordBytes(record, out);
    ASSERT_EQ(out.size(), MacroRecord::kSize);
    EXPECT_EQ(out, std::vector<std::uint8_t>(256, 0x44));

    DriverMacroRecord driver;
    OverlayRecord(std::vector<std::uint8_t>(10, 0x55), driver);
    EXPECT_EQ(driver.name[9], 0x55);
    EXPECT_EQ(driver.name[10], 0x00);
    EXPECT_EQ(driver.body[2015], 0x00);
}

}  // namespace
}  // namespace qeltra3k::macros
