#include "ui/text/LanguageTable.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/Resources.h"

namespace qeltra3k::text {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A table as shipped: the mark FF FE, then UTF-16LE text.
Bytes Utf16Le(std::u16string_view text, bool withMark = true)
{
    Bytes bytes;
    if (withMark)
        bytes = {0xFF, 0xFE};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

Bytes Raw(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

LanguageTable Parsed(const Bytes& bytes, int index)
{
    auto loading = ParseLanguageTable(bytes, index);
    EXPECT_TRUE(loading.table.has_value()) << loading.error;
    return loading.table ? *loading.table : LanguageTable{};
}

TEST(LanguageTokenizer, CutsTokensAsDesigned)
{
    struct Case {
        const char* text;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"\"Str101=Please check your device is attached to USB port\"",
         {"Str101=Please check your device is attached to USB port"}},
        {"Str101=Please check your device",
         {"Str101=Please", "check", "your", "device"}},
        {"\"Str004 = Key\"", {"Str004 = Key"}},
        {"\"Str005=Say \"\"hi\"\" now\"", {"Str005=Say \"hi\" now"}},
        {"\"\"\"\"", {"\""}},
        {"\"\"", {""}},
        {"  a \t\r\n\r\n b\x01" "c\x1f d", {"a", "b", "c", "d"}},
        {"\"ab\"cd ef", {"ab", "cd", "ef"}},
        {"x\"y z\"", {"x\"y", "z\""}},
        {"//\"FontFile=\"", {"//\"FontFile=\""}},
        // A quote left open ends at its line, so the next entry survives.
        {"\"Str001=Apply\r\n\"Str002=RESET\"", {"Str001=Apply", "Str002=RESET"}},
        {"\"Str001=Apply", {"Str001=Apply"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TokenizeLanguageText(c.text), c.tokens);
    }
}

TEST(LanguageTable, ReadsTokensAsIniLines)
{
    const std::u16string text =
        u"\"Str000=Before any section\"\r\n"
        u"[lang2]\r\n"
        u"//*******************************\r\n"
        u"//\"FontFile=\"\r\n"
        u"\";Str003=commented out\"\r\n"
        u"; \"Str006=a lone ';' comments out nothing after it\"\r\n"
        u"\"FontName=Calibri\"\r\n"
        u"\"Title=Gaming Mouse\"\r\n"
        u"\"Str101=Please check your device is attached to USB port\"\r\n"
        u"Str102=BIN file type error\r\n"
        u"\"Str004 = Key\"\r\n"
        u"\"Str005=Game\"\r\n"
        u"\"Str005=Game Mode\"\r\n"
        u"\"str008=Light\"\r\n"
        u"\"Str009=\"\r\n"
        u"[lang1]\r\n"
        u"\"Str010=Wczytaj profil\"\r\n";
    const LanguageTable table = Parsed(Utf16Le(text), 2);

    EXPECT_EQ(table.Index(), 2);
    EXPECT_EQ(table.Text("FontName"), "Calibri");
    EXPECT_EQ(table.Text("Title"), "Gaming Mouse");
    EXPECT_EQ(table.Text("Str101"), "Please check your device is attached to USB port");
    EXPECT_EQ(table.Text("Str102"), "BIN") << "unquoted, only the first word is the value";
    EXPECT_EQ(table.Text("Str004"), "Key") << "blanks around '=' are trimmed";
    EXPECT_EQ(table.Text("Str005"), "Game Mode") << "the later duplicate wins";
    EXPECT_EQ(table.Text("Str008"), "Light") << "key names ignore letter case";
    EXPECT_EQ(table.Text("STR101"), table.Text("Str101"));
    EXPECT_TRUE(table.Has("Str009"));
    EXPECT_EQ(table.Text("Str009"), "");

    EXPECT_FALSE(table.Has("Str000")) << "tokens before the first section are ignored";
    EXPECT_FALSE(table.Has("Str003")) << "comment";
    EXPECT_FALSE(table.Has("Str010")) << "another section's key";
    EXPECT_FALSE(table.Has("file"));
    EXPECT_FALSE(table.Has("FontFile"));
    EXPECT_EQ(table.Text("Str999"), "") << "a missing key gives the empty text";
    EXPECT_TRUE(table.Has("Str006")) << "each token is a line of its own";
    EXPECT_EQ(table.KeyNames().size(), 10u);  // the "//\"FontFile\"" key included
}

TEST(LanguageTable, KeepsEveryUnicodeCharacter)
{
    // CJK, a full-width parenthesis, and U+20BB7 outside the basic plane (a surrogate pair).
    const std::u16string text =
        u"[lang3]\r\n\"FontName=宋体\"\r\n\"Str815=LED Mode Switch Enable（L+DPI)\"\r\n"
        u"\"Str001=\U00020BB7野家\"\r\n";
    const LanguageTable table = Parsed(Utf16Le(text), 3);
    EXPECT_EQ(table.Text("FontName"), "\xE5\xAE\x8B\xE4\xBD\x93");
    EXPECT_EQ(table.Text("Str815"), "LED Mode Switch Enable\xEF\xBC\x88L+DPI)");
    EXPECT_EQ(table.Text("Str001"), "\xF0\xA0\xAE\xB7\xE9\x87\x8E\xE5\xAE\xB6");
}

TEST(LanguageTable, BrokenUtf16BecomesReplacementCharacters)
{
    struct Case {
        Bytes bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {{0x41, 0x00, 0x00, 0xD8, 0x42, 0x00}, "A\xEF\xBF\xBD" "B"},  // lone high surrogate
        {{0x00, 0xDC, 0x41, 0x00}, "\xEF\xBF\xBD" "A"},               // lone low surrogate
        {{0x41, 0x00, 0x3D, 0xD8}, "A\xEF\xBF\xBD"},                  // high surrogate at the end
        {{0x41, 0x00, 0x42}, "A\xEF\xBF\xBD"},                        // dangling last byte
        {{0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},               // U+1F600, a proper pair
        {{0xE9, 0x00, 0xAC, 0x20}, "\xC3\xA9\xE2\x82\xAC"},           // 2- and 3-byte forms
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf16LeToUtf8(c.bytes), c.utf8);
}

TEST(LanguageTable, WithoutByteOrderMark)
{
    const std::string utf8 = "[lang1]\r\n\"Str010=Wczytaj profil\"\r\n\"Str011=Polska \xC5\x81\"\r\n";

    // Valid UTF-8 is read as it is, with or without the UTF-8 mark.
    for (const Bytes& bytes : {Raw(utf8), Raw("\xEF\xBB\xBF" + utf8)}) {
        const LanguageTable table = Parsed(bytes, 1);
        EXPECT_EQ(table.Text("Str010"), "Wczytaj profil");
        EXPECT_EQ(table.Text("Str011"), "Polska \xC5\x81");
    }

    struct Refused {
        const char* what;
        Bytes bytes;
        const char* errorPart;
    };
    const Refused refused[] = {
        {"UTF-16LE without its mark", Utf16Le(u"[lang1]\r\n\"Str010=Wczytaj\"\r\n", false), "NUL"},
        {"big-endian UTF-16", {0xFE, 0xFF, 0x00, 0x5B}, "big-endian"},
        {"8-bit code page text", Raw("[lang1]\r\n\"Str010=Wczytaj profil \xB3\"\r\n"), "UTF-8"},
        {"overlong UTF-8", Raw("[lang1]\r\n\"Str010=\xC0\xAF\"\r\n"), "UTF-8"},
        {"UTF-8 surrogate", Raw("[lang1]\r\n\"Str010=\xED\xA0\x80\"\r\n"), "UTF-8"},
        {"truncated UTF-8", Raw("[lang1]\r\n\"Str010=\xE5\xAE"), "UTF-8"},
        {"no section of its own", Raw("[lang2]\r\n\"Str010=Load\"\r\n"), "[lang1]"},
        {"empty resource", {}, "[lang1]"},
        {"only the mark", {0xFF, 0xFE}, "[lang1]"},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.what);
        const auto loading = ParseLanguageTable(r.bytes, 1);
        EXPECT_FALSE(loading.table.has_value());
        EXPECT_NE(loading.error.find("lang1"), std::string::npos) << loading.error;
        EXPECT_NE(loading.error.find(r.errorPart), std::string::npos) << loading.error;
    }
}

TEST(LanguageTable, ATableThatIsNotEmbeddedIsAnError)
{
    const auto loading = LoadLanguageTable(9);
    EXPECT_FALSE(loading.table.has_value());
    EXPECT_NE(loading.error.find("lang9"), std::string::npos);
}

// Three small tables shaped like the shipped ones.
std::array<LanguageTable, 3> SmallTables()
{
    return {
        LanguageTable::FromText("[lang1]\n\"Str004=Klawisz\"\n\"Str210=Lewy przycisk\"\n"
                                "\"Str251=Stop\"\n\"Str401=Zatrzymaj\"\n\"Str500=OK\"\n"
                                "\"Str212=Tylko polski\"\n", 1),
        LanguageTable::FromText("[lang2]\n\"Str004=Key\"\n\"Str210=Left Click\"\n"
                                "\"Str251=Stop\"\n\"Str264=Stop\"\n\"Str401=Stop\"\n"
                                "\"Str500=OK\"\n\"Str700=Press it\"\n\"Str701=Too far\"\n"
                                "\"Str5=Five\"\n\"Str099=Old\"\n", 2),
        LanguageTable::FromText("[lang3]\n\"Str004=\xE6\x8C\x89\xE9\x8D\xB5\"\n"
                                "\"Str210=\xE5\xB7\xA6\xE9\x8D\xB5\"\n\"Str150=OK\"\n", 3),
    };
}

TEST(ReverseLookup, FindsTheLastMatchingKey)
{
    const auto tables = SmallTables();
    struct Case {
        const char* text;
        const char* key;
    };
    const Case cases[] = {
        {"Stop", "Str401"},         // Str251, Str264 and Str401 in table 2: the highest wins
        {"OK", "Str150"},           // table 3 comes last, though its key is lower
        {"Left Click", "Str210"},
        {"Lewy przycisk", "Str210"},
        {"Press it", "Str700"},     // the last number searched
        {"Too far", ""},            // beyond Str700
        {"Key", ""},                // Str004: three digits, never "Str4"
        {"Old", ""},                // Str099
        {"Five", "Str5"},           // a key written without leading zeros is found
        {"Fire Macro3", ""},
        {"stop", ""},               // texts compare exactly
        {"", ""},                   // an empty caption matches no missing key
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReverseLookup(tables, c.text), c.key);
    }
}

TEST(ReverseLookup, CarriesCaptionsToTheNewLanguage)
{
    const auto tables = SmallTables();
    const LanguageTable& polish = tables[0];
    const LanguageTable& chinese = tables[2];
    struct Case {
        const LanguageTable* to;
        const char* caption;
        std::string carried;
    };
    const Case cases[] = {
        {&polish, "Left Click", "Lewy przycisk"},
        {&chinese, "Left Click", "\xE5\xB7\xA6\xE9\x8D\xB5"},
        {&polish, "Stop", "Zatrzymaj"},           // resolved as Str401
        {&polish, "Fire Macro3", "Fire Macro3"},  // a custom gun key stays as it is
        {&polish, "My macro", "My macro"},
        {&chinese, "Tylko polski", "Tylko polski"},  // the new table lacks Str212
        {&polish, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(CarryCaption(tables, *c.to, c.caption), c.carried);
    }
}

// The shipped tables, generated at build time.
TEST(ShippedLanguageTables, AllThreeLoadWithTheSameKeys)
{
    std::vector<LanguageTable> tables;
    for (int index = 1; index <= kLanguageCount; ++index) {
        SCOPED_TRACE(index);
        auto loading = LoadLanguageTable(index);
        ASSERT_TRUE(loading.table.has_value()) << loading.error;
        EXPECT_EQ(loading.table->KeyNames().size(), 209u);
        EXPECT_FALSE(loading.table->Text("FontName").empty());
        EXPECT_FALSE(loading.table->Text("Title").empty());
        tables.push_back(*loading.table);
    }
    EXPECT_EQ(tables[0].KeyNames(), tables[1].KeyNames());
    EXPECT_EQ(tables[2].KeyNames(), tables[1].KeyNames());

    const LanguageTable& english = tables[1];
    const std::pair<const char*, const char*> values[] = {
        {"FontName", "Calibri"},
        {"Title", "Gaming Mouse"},
        {"Str000", "Confirm"},
        {"Str004", "Key"},
        {"Str013", "English"},
        {"Str101", "Please check your device is attached to USB port"},
        {"Str200", "*"},
        {"Str210", "Left Click"},
        {"Str251", "Stop"},
        {"Str401", "Stop"},
        {"Str414", "Real Time"},
        {"Str700", "Press 'Middle Click' 3sec to switch office/game mode"},
        {"Str803", "Continusely"},
        {"Str815", "LED Mode Switch Enable\xEF\xBC\x88L+DPI)"},
        {"Str861", "Infinite loop"},
    };
    for (const auto& [key, text] : values)
        EXPECT_EQ(english.Text(key), text) << key;

    EXPECT_EQ(tables[0].Text("FontName"), "Calibri");
    EXPECT_EQ(tables[2].Text("FontName"), "\xE5\xAE\x8B\xE4\xBD\x93");
    EXPECT_EQ(tables[0].Text("Title"), "Mysz do gier");
    EXPECT_EQ(tables[2].Text("Title"), "\xE9\x81\x8A\xE6\x88\xB2\xE6\xBB\x91\xE9\xBC\xA0\xE9\xA9\x85\xE5\x8B\x95");

    // A caption in English reaches the Polish text of its key.
    EXPECT_EQ(CarryCaption(tables, tables[0], "Left Click"), tables[0].Text("Str210"));
}

}  // namespace
}  // namespace qeltra3k::text
