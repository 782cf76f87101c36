// Checks on the three shipped language tables and on the tool that makes them from their
// readable sources. The tables are read here with a small reader of their own (UTF-16 decode,
// tokens, INI lines), so these checks do not lean on the program's table loader.
#define QELTRA3K_LANGUAGE_TABLE_NO_MAIN
#include "tools/make_language_table.cpp"

#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using qeltra3k::tools::MakeLanguageTable;

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// UTF-16LE text (without the mark) as UTF-8; nothing for an odd length or a broken surrogate pair.
std::optional<std::string> Utf16LeToUtf8(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t unit = static_cast<char32_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return std::nullopt;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 3 >= bytes.size())
                return std::nullopt;
            const char32_t low = static_cast<char32_t>(bytes[i + 2] | (bytes[i + 3] << 8));
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

std::span<const std::uint8_t> AsBytes(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string Folded(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20)
        text.remove_suffix(1);
    return text;
}

// The table reader's tokens: blanks and control characters separate; a token that starts with a
// double quote runs to its closing quote, "" inside standing for one quote.
std::vector<std::string> Tokens(std::string_view text)
{
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) <= 0x20) {
            ++i;
            continue;
        }
        std::string token;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        token.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                token.push_back(text[i++]);
            }
        } else {
            while (i < text.size() && static_cast<unsigned char>(text[i]) > 0x20)
                token.push_back(text[i++]);
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

struct Entry {
    std::string name;  // as written
    std::string value;
};

struct ParsedTable {
    // folded section -> folded key -> entry (the later of two entries wins, as in the reader)
    std::map<std::string, std::map<std::string, Entry>> sections;
    std::vector<std::string> repeatedKeys;
};

ParsedTable ParseIni(std::string_view text)
{
    ParsedTable table;
    std::optional<std::string> section;
    for (const std::string& token : Tokens(text)) {
        if (token.size() >= 2 && token.front() == '[' && token.back() == ']') {
            section = Folded(token.substr(1, token.size() - 2));
            continue;
        }
        if (token.empty() || token.front() == ';' || !section)
            continue;
        const auto eq = token.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string name(Trimmed(std::string_view(token).substr(0, eq)));
        const std::string value(Trimmed(std::string_view(token).substr(eq + 1)));
        auto& keys = table.sections[*section];
        if (keys.count(Folded(name)) != 0)
            table.repeatedKeys.push_back(name);
        keys[Folded(name)] = Entry{name, value};
    }
    return table;
}

struct LanguageTable {
    std::string text;  // UTF-8, without the mark
    std::map<std::string, Entry> keys;
    std::vector<std::string> repeatedKeys;

    std::string Value(std::string_view key) const
    {
        const auto it = keys.find(Folded(key));
        return it == keys.end() ? std::string() : it->second.value;
    }
};

// Table N as the program carries it; fails the calling test when it is missing or undecodable.
LanguageTable LoadTable(int n)
{
    LanguageTable table;
    const auto bytes = qeltra3k::resources::Find("lang" + std::to_string(n));
    EXPECT_TRUE(bytes.has_value()) << "resource lang" << n << " is missing";
    if (!bytes || bytes->size() < 2)
        return table;
    const auto text = Utf16LeToUtf8(bytes->subspan(2));
    EXPECT_TRUE(text.has_value()) << "lang" << n << " is not valid UTF-16LE";
    if (!text)
        return table;
    table.text = *text;
    ParsedTable parsed = ParseIni(table.text);
    table.keys = parsed.sections["lang" + std::to_string(n)];
    table.repeatedKeys = parsed.repeatedKeys;
    return table;
}

std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// One token "Key=Value" filling the whole line, inner quotes doubled.
bool IsOneQuotedEntry(std::string_view line)
{
    if (line.size() < 3 || line.front() != '"' || line.find('=') == std::string_view::npos)
        return false;
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] != '"')
            continue;
        if (i + 1 < line.size() && line[i + 1] == '"') {
            ++i;
            continue;
        }
        return i == line.size() - 1;
    }
    return false;
}

bool IsSeparatorLine(std::string_view line)
{
    return line.size() > 2 && line.substr(0, 2) == "//" &&
           line.find_first_not_of('*', 2) == std::string_view::npos;
}

// Every key a shipped table holds: FontName, Title and the Str keys of these number ranges.
std::set<std::string> ExpectedKeys()
{
    static constexpr std::pair<int, int> kRanges[] = {
        {0, 5},     {7, 17},    {20, 20},   {100, 104}, {106, 109}, {200, 208}, {210, 214},
        {220, 226}, {230, 233}, {240, 243}, {250, 256}, {260, 266}, {300, 311}, {400, 402},
        {404, 418}, {420, 422}, {430, 430}, {432, 433}, {435, 437}, {440, 448}, {500, 502},
        {510, 512}, {520, 523}, {600, 606}, {610, 614}, {620, 621}, {700, 702}, {800, 861},
    };
    std::set<std::string> keys = {"FontName", "Title"};
    for (const auto& [first, last] : kRanges) {
        for (int n = first; n <= last; ++n) {
            char name[8];
            std::snprintf(name, sizeof name, "Str%03d", n);
            keys.insert(name);
        }
    }
    return keys;
}

// The program finds the key of a caption by its text: tables 1 to 3, keys Str0 .. Str700 written
// without leading zeros, the last match winning.
std::string ReverseLookup(const std::vector<LanguageTable>& tables, const std::string& text)
{
    std::string found;
    for (const auto& table : tables)
        for (int n = 0; n <= 700; ++n) {
            const std::string key = "Str" + std::to_string(n);
            if (table.keys.count(Folded(key)) != 0 && table.Value(key) == text)
                found = key;
        }
    return found;
}

std::vector<LanguageTable> AllTables()
{
    return {LoadTable(1), LoadTable(2), LoadTable(3)};
}

TEST(LanguageTables, AreUtf16LittleEndianWithMarkAndCrLf)
{
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("lang" + std::to_string(n));
        const auto bytes = qeltra3k::resources::Find("lang" + std::to_string(n));
        ASSERT_TRUE(bytes.has_value());
        ASSERT_GE(bytes->size(), 4u);
        EXPECT_EQ((*bytes)[0], 0xFF);
        EXPECT_EQ((*bytes)[1], 0xFE);
        const auto text = Utf16LeToUtf8(bytes->subspan(2));
        ASSERT_TRUE(text.has_value()) << "odd length or broken surrogate pair";
        for (std::size_t i = 0; i < text->size(); ++i) {
            if ((*text)[i] == '\n') {
                EXPECT_TRUE(i > 0 && (*text)[i - 1] == '\r') << "bare LF at " << i;
            }
            if ((*text)[i] == '\r') {
                EXPECT_TRUE(i + 1 < text->size() && (*text)[i + 1] == '\n') << "bare CR at " << i;
            }
        }
        EXPECT_TRUE(text->ends_with("\r\n"));
    }
}

TEST(LanguageTables, EveryLineIsInTheShippedForm)
{
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("lang" + std::to_string(n));
        const auto lines = Lines(LoadTable(n).text);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), "[lang" + std::to_string(n) + "]");
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (line.empty() || IsSeparatorLine(line))
                continue;
            if (line.front() == ';') {
                // Split at blanks by the reader, a comment word must not read as an entry or header.
                EXPECT_EQ(line.find_first_of("=\"["), std::string::npos) << "line " << i + 1 << ": " << line;
                continue;
            }
            EXPECT_TRUE(IsOneQuotedEntry(line)) << "line " << i + 1 << ": " << line;
        }
    }
}

TEST(LanguageTables, HoldTheSameKeysEachWithAText)
{
    const std::set<std::string> expected = ExpectedKeys();
    ASSERT_EQ(expected.size(), 209u);
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("lang" + std::to_string(n));
        const LanguageTable table = LoadTable(n);
        std::set<std::string> names;
        for (const auto& [folded, entry] : table.keys) {
            names.insert(entry.name);
            EXPECT_FALSE(entry.value.empty()) << entry.name;
        }
        std::vector<std::string> missing;
        std::vector<std::string> extra;
        std::set_difference(expected.begin(), expected.end(), names.begin(), names.end(),
                            std::back_inserter(missing));
        std::set_difference(names.begin(), names.end(), expected.begin(), expected.end(),
                            std::back_inserter(extra));
        EXPECT_EQ(missing, std::vector<std::string>{}) << "keys missing";
        EXPECT_EQ(extra, std::vector<std::string>{}) << "keys not expected (or not spelled as expected)";
        EXPECT_EQ(table.repeatedKeys, std::vector<std::string>{}) << "keys given twice";
    }
}

TEST(LanguageTables, EnglishTextsAreTheShippedOnes)
{
    static const std::pair<const char*, const char*> kTexts[] = {
        {"FontName", "Calibri"},
        {"Title", "Gaming Mouse"},
        {"Str000", "Confirm"},
        {"Str001", "Apply"},
        {"Str002", "RESET"},
        {"Str005", "Game Mode"},
        {"Str009", "Save Profile"},
        {"Str010", "Load Profile"},
        {"Str011", "Poland"},
        {"Str012", "English"},
        {"Str013", "English"},
        {"Str015", "Confirm 2"},
        {"Str017", "Read"},
        {"Str020", "Finding the specified device"},
        {"Str100", "Please Connect the USB Device"},
        {"Str101", "Please check your device is attached to USB port"},
        {"Str102", "BIN file type error"},
        {"Str103", "Macro bin length out of range"},
        {"Str104", "storage space shortage"},
        {"Str106", "This macro already exists"},
        {"Str107", "The mouse manufacturer or product id error"},
        {"Str108", "Please keep a Left Key"},
        {"Str109", "Fail"},
        {"Str200", "*"},
        {"Str201", "Standard Mouse Keys"},
        {"Str205", "User-defined"},
        {"Str208", "Fire Macro"},
        {"Str210", "Left Click"},
        {"Str221", "LED ON/OFF"},
        {"Str222", "AIM"},
        {"Str223", "Gun Key Fn"},
        {"Str233", "DPI -"},
        {"Str243", "Desktop"},
        {"Str250", "Play/Pause"},
        {"Str251", "Stop"},
        {"Str264", "Stop"},
        {"Str266", "Favorites"},
        {"Str311", "8000"},
        {"Str400", "Record"},
        {"Str401", "Stop"},
        {"Str414", "Real Time"},  // the page adds the seven leading spaces; the reader trims values
        {"Str416", "No Delay"},
        {"Str430", "OK for clear macro?"},
        {"Str443", "Insert Y axis Back"},
        {"Str500", "Assembly Key"},
        {"Str522", "Please Select One Color"},
        {"Str604", "SCAR-L"},
        {"Str605", "5.56mm Fire"},
        {"Str700", "Press 'Middle Click' 3sec to switch office/game mode"},
        {"Str702", "Press Gun Key Switch office/game mode"},
        {"Str801", "Repeat(1-255)"},
        {"Str803", "Continusely"},
        {"Str815", "LED Mode Switch Enable\xEF\xBC\x88L+DPI)"},  // full-width opening parenthesis
        {"Str816", "LED ON/OFF Enable(M+DPI)"},
        {"Str824", "Floe Light"},
        {"Str842", "Stop after the macro is over"},
        {"Str843", "Stop Until the Press Release"},
        {"Str855", "DPI7"},
        {"Str861", "Infinite loop"},
    };
    const LanguageTable english = LoadTable(2);
    for (const auto& [key, text] : kTexts)
        EXPECT_EQ(english.Value(key), text) << key;
}

TEST(LanguageTables, FontTitleAndLanguageNamesPerTable)
{
    struct Case {
        int table;
        const char* key;
        const char* text;
    };
    static const Case kCases[] = {
        {1, "FontName", "Calibri"}, {1, "Title", "Mysz do gier"},
        {1, "Str011", "Polski"},    {1, "Str012", "English"},
        {1, "Str013", "繁體中文"},  {1, "Str001", "Zastosuj"},
        {1, "Str010", "Wczytaj profil"},
        {3, "FontName", "宋体"},    {3, "Title", "遊戲滑鼠驅動"},
        {3, "Str011", "Polski"},    {3, "Str012", "English"},
        {3, "Str013", "繁體中文"},  {3, "Str001", "套用"},
        {3, "Str010", "載入設定檔"},
    };
    const auto tables = AllTables();
    for (const Case& c : kCases)
        EXPECT_EQ(tables[c.table - 1].Value(c.key), c.text) << "lang" << c.table << " " << c.key;
}

TEST(LanguageTables, ChineseTableUsesTraditionalCharacters)
{
    // Simplified-only forms that slip into mouse software texts, each beside its Traditional form.
    static const char* const kSimplified[] = {
        "设", "备", "录", "删", "键", "选", "择", "颜", "输", "数", "为", "无", "开", "关",
        "标", "击", "连", "发", "级", "灯", "轮", "滚", "动", "编", "辑", "导", "读", "储",
        "载", "简", "体", "确", "认", "错", "误", "请", "检", "产", "应", "档", "项", "个",
        "这", "时", "间", "长", "压", "枪", "单", "页", "网", "览", "机", "脑", "态", "启",
        "还", "实", "际", "钮", "号", "码", "类", "围", "乐", "声", "静", "暂", "处", "随",
        "离", "闭", "状", "计", "盘", "邮", "爱", "迟", "轴", "环", "线", "条", "将", "内",
        "驱", "戏", "组", "执", "毕", "结", "显", "点", "从", "视", "图",
    };
    const LanguageTable chinese = LoadTable(3);
    ASSERT_FALSE(chinese.keys.empty());
    for (const auto& [folded, entry] : chinese.keys) {
        if (folded == "fontname")
            continue;  // "宋体" is the face name Windows knows the font by, not a text to show
        for (const char* simplified : kSimplified)
            EXPECT_EQ(entry.value.find(simplified), std::string::npos)
                << entry.name << " = " << entry.value << " holds " << simplified;
    }
}

TEST(LanguageTables, ButtonCaptionsCarryToTheSameFunctionInEveryLanguage)
{
    // A button shows its function's name; on a language switch the name is looked up by its text
    // and replaced by that key's text in the new table. A translation that reuses another
    // function's text would turn the button into that function on screen.
    std::vector<std::string> captionKeys;
    for (int n : {210, 211, 212, 213, 214, 220, 221, 222, 223, 224, 225, 226, 231, 232, 233,
                  240, 241, 242, 243, 250, 251, 252, 253, 254, 255, 256, 260, 261, 262, 263,
                  264, 265, 266, 600, 601, 602, 603, 604, 605, 606})
        captionKeys.push_back("Str" + std::to_string(n));

    const auto tables = AllTables();
    for (const std::string& key : captionKeys) {
        for (std::size_t from = 0; from < tables.size(); ++from) {
            const std::string caption = tables[from].Value(key);
            const std::string found = ReverseLookup(tables, caption);
            ASSERT_FALSE(found.empty()) << key << " in lang" << from + 1;
            for (std::size_t to = 0; to < tables.size(); ++to)
                EXPECT_EQ(tables[to].Value(found), tables[to].Value(key))
                    << key << " \"" << caption << "\" from lang" << from + 1 << " resolves to " << found
                    << ", which lang" << to + 1 << " shows differently";
        }
    }
}

TEST(LanguageTables, RecordButtonCaptionsDiffer)
{
    // The record button starts or stops a recording by which of the two texts it shows.
    const auto tables = AllTables();
    for (std::size_t n = 0; n < tables.size(); ++n)
        EXPECT_NE(tables[n].Value("Str400"), tables[n].Value("Str401")) << "lang" << n + 1;
}

// --- the tool that makes the tables ---

std::string Utf16Le(std::string_view utf8)
{
    std::u32string text;
    EXPECT_TRUE(qeltra3k::tools::languagetable::DecodeUtf8(utf8, text));
    std::string out;
    for (const char32_t cp : text)
        qeltra3k::tools::languagetable::AppendUtf16Le(out, cp);
    return out;
}

TEST(MakeLanguageTable, WritesEntriesAsQuotedTokensInUtf16WithCrLf)
{
    const std::string source =
        "\xEF\xBB\xBF"  // a UTF-8 mark left by an editor is dropped
        "//*****\n"
        "; Page buttons\r\n"
        "\n"
        "Str004=Key\r\n"
        "Str700=Press \"Middle Click\" now\n"
        "Str013=繁體中文 \xF0\x9F\x98\x80";  // a character outside the BMP, and no final newline
    const auto result = MakeLanguageTable("lang2", source);
    ASSERT_TRUE(result.Ok()) << result.errorLine << ": " << result.error;

    const std::string expected = "\xFF\xFE" + Utf16Le("[lang2]\r\n//*****\r\n; Page buttons\r\n\r\n"
                                                      "\"Str004=Key\"\r\n"
                                                      "\"Str700=Press \"\"Middle Click\"\" now\"\r\n"
                                                      "\"Str013=繁體中文 \xF0\x9F\x98\x80\"\r\n");
    EXPECT_EQ(result.table, expected);
    // U+1F600 as its surrogate pair D83D DE00.
    EXPECT_NE(result.table.find(std::string("\x3D\xD8\x00\xDE", 4)), std::string::npos);

    // Read back by the table's rules, every value is the source's text.
    const auto text = Utf16LeToUtf8(AsBytes(result.table).subspan(2));
    ASSERT_TRUE(text.has_value());
    auto keys = ParseIni(*text).sections["lang2"];
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys["str004"].value, "Key");
    EXPECT_EQ(keys["str700"].value, "Press \"Middle Click\" now");
    EXPECT_EQ(keys["str013"].value, "繁體中文 \xF0\x9F\x98\x80");
}

TEST(MakeLanguageTable, RefusesBrokenSourcesNamingTheLine)
{
    struct Case {
        const char* what;
        std::string source;
        std::size_t line;
        const char* message;
    };
    const Case kCases[] = {
        {"words without a key", "Str004=Key\nJust words\n", 2, "malformed line"},
        {"key given twice in another case", "Str004=Key\n\nstr004=Other\n", 3, "duplicate key (first given on line 1)"},
        {"stray continuation byte", "Str004=Key\nStr005=\x80\n", 2, "invalid UTF-8"},
        {"overlong slash", "Str004=\xC0\xAF\n", 1, "invalid UTF-8"},
        {"encoded surrogate", "Str004=\xED\xA0\x80\n", 1, "invalid UTF-8"},
        {"sequence cut at the end", "Str004=Key\nStr005=\xE6\x96", 2, "invalid UTF-8"},
        {"empty value", "Str004=\n", 1, "empty value"},
        {"trailing blank", "Str004=Key \n", 1, "blank at the start or end"},
        {"leading blanks", "Str414=       Real Time\n", 1, "blank at the start or end"},
        {"blank in the key", "Str004 =Key\n", 1, "malformed key"},
        {"no key", "=Key\n", 1, "malformed key"},
        {"tab in a value", "Str004=a\tb\n", 1, "control character"},
        {"comment that reads as an entry", "; a=b\nStr004=Key\n", 1, "comment may not contain"},
        {"section header", "[lang2]\nStr004=Key\n", 1, "section headers"},
        {"separator of other characters", "//-----\n", 1, "separator of asterisks"},
        {"nothing but comments", "; only this\n\n", 0, "no entries"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const auto result = MakeLanguageTable("lang1", c.source);
        EXPECT_FALSE(result.Ok());
        EXPECT_TRUE(result.table.empty());
        EXPECT_EQ(result.errorLine, c.line);
        EXPECT_NE(result.error.find(c.message), std::string::npos) << result.error;
    }
    EXPECT_FALSE(MakeLanguageTable("lang 1", "Str004=Key\n").Ok());
}

}  // namespace
