#include "ui/text/IniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace qeltra3k::text {
namespace {

// A layout section as the shipped files write them: CR LF, comments in a legacy code
// page, a blank before "=", trailing blanks, explanation lines after "//".
const std::string kLayout =
    "Web_X=1\r\n"                        // before any section: ignored
    "; \xC5\xE4\xD6\xC3 comment\r\n"     // GBK bytes in a comment
    "[org1]\r\n"
    "M_L_W =250\r\n"
    "SP_L_W=120   \r\n"
    "  O_L_W\t=  90 \r\n"
    "// \xCB\xB5\xC3\xF7 explanation line\r\n"
    "//Old_Key=5\r\n"
    ";Size_A=99\r\n"
    "just words\r\n"
    "Size_A=10\r\n"
    "size_a=11\r\n"
    "Expr=a=b\r\n"
    "=7\r\n"
    "\r\n"
    "[Other]\r\n"
    "Size_A=3\r\n";

TEST(IniFile, ReadsLayoutLinesAsDesigned)
{
    const IniFile ini = IniFile::Parse(kLayout);

    EXPECT_EQ(ini.ReadString("org1", "M_L_W"), "250");
    EXPECT_EQ(ini.ReadString("org1", "SP_L_W"), "120");
    EXPECT_EQ(ini.ReadString("org1", "O_L_W"), "90");
    EXPECT_EQ(ini.ReadString("org1", "Size_A"), "11") << "the later duplicate wins";
    EXPECT_EQ(ini.ReadString("org1", "Expr"), "a=b") << "the value runs from the first '='";
    EXPECT_EQ(ini.ReadString("Other", "Size_A"), "3") << "sections keep their own keys";

    EXPECT_EQ(ini.ReadString("org1", "//Old_Key"), "5") << "a '//' line with '=' is a key";
    EXPECT_EQ(ini.Find("org1", "Old_Key"), nullptr);
    EXPECT_EQ(ini.Find("org1", ";Size_A"), nullptr) << "comments define nothing";
    EXPECT_EQ(ini.Find("org1", "Web_X"), nullptr) << "lines before the first section are ignored";
    EXPECT_EQ(ini.Find("org1", "just words"), nullptr);

    const auto names = ini.KeyNames("org1");
    EXPECT_EQ(names.size(), 6u);  // M_L_W SP_L_W O_L_W //Old_Key size_a Expr
}

TEST(IniFile, NamesAreComparedWithoutLetterCase)
{
    const IniFile ini = IniFile::Parse("[ORG]\nGun6_Num=2\n");
    EXPECT_TRUE(ini.HasSection("org"));
    EXPECT_EQ(ini.ReadString("Org", "GUN6_NUM"), "2");
    EXPECT_EQ(ini.ReadString("org", "gun6_num"), "2");
}

TEST(IniFile, LfOnlyAndMissingLastLineEnd)
{
    const IniFile ini = IniFile::Parse("[a]\nx=1\ny=2");
    EXPECT_EQ(ini.ReadString("a", "x"), "1");
    EXPECT_EQ(ini.ReadString("a", "y"), "2");
}

TEST(IniFile, ASectionOpenedTwiceKeepsBothParts)
{
    const IniFile ini = IniFile::Parse("[a]\nx=1\ny=1\n[b]\nx=9\n[A]\ny=2\n");
    EXPECT_EQ(ini.ReadString("a", "x"), "1");
    EXPECT_EQ(ini.ReadString("a", "y"), "2");
    EXPECT_EQ(ini.ReadString("b", "x"), "9");
}

TEST(IniFile, MissingValuesGiveTheFallback)
{
    const IniFile ini = IniFile::Parse("[a]\nx=\n");
    EXPECT_EQ(ini.ReadString("a", "x", "dflt"), "") << "present but empty is not missing";
    EXPECT_EQ(ini.ReadString("a", "y", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("nosuch", "x", "dflt"), "dflt");
    EXPECT_FALSE(ini.HasSection("nosuch"));
}

TEST(IniFile, ReadIntTellsMissingFromNotANumber)
{
    struct Case {
        const char* line;  // nullptr: the key is absent
        IntStatus status;
        int value;
    };
    const Case cases[] = {
        {"n=250", IntStatus::Ok, 250},
        {"n = 12 ", IntStatus::Ok, 12},
        {"n=-3", IntStatus::Ok, -3},
        {"n=+7", IntStatus::Ok, 7},
        {"n=0", IntStatus::Ok, 0},
        {"n=2147483647", IntStatus::Ok, 2147483647},
        {nullptr, IntStatus::Missing, 0},
        {"n=", IntStatus::NotANumber, 0},
        {"n=abc", IntStatus::NotANumber, 0},
        {"n=12a", IntStatus::NotANumber, 0},
        {"n=1 2", IntStatus::NotANumber, 0},
        {"n=0x10", IntStatus::NotANumber, 0},
        {"n=$10", IntStatus::NotANumber, 0},
        {"n=1.5", IntStatus::NotANumber, 0},
        {"n=+-1", IntStatus::NotANumber, 0},
        {"n=-", IntStatus::NotANumber, 0},
        {"n=99999999999", IntStatus::NotANumber, 0},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("[s]\n") + (c.line ? c.line : "other=1");
        const IntReading reading = IniFile::Parse(text).ReadInt("s", "n");
        SCOPED_TRACE(c.line ? c.line : "(absent)");
        EXPECT_EQ(reading.status, c.status);
        if (c.status == IntStatus::Ok) {
            EXPECT_EQ(reading.value, c.value);
        }
    }
}

TEST(IniFile, ShippedGeneralSectionIsEmbedded)
{
    const auto ini = IniFile::FromResource("org");
    ASSERT_TRUE(ini.has_value());
    EXPECT_TRUE(ini->HasSection("org"));
    EXPECT_FALSE(IniFile::FromResource("no-such-resource").has_value());
}

}  // namespace
}  // namespace qeltra3k::text
