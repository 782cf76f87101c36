// Turns a readable UTF-8 language source into the table the program ships: UTF-16LE with the
// byte-order mark FF FE, CR LF line ends, a [langN] section header and every entry written as
// one quoted token "Key=Value" (inner double quotes doubled).
//
// usage: make_language_table SECTION SOURCE.txt OUTPUT.ini
//
// Source lines, one per line (LF or CR LF):
//   Key=Value       an entry; the key is letters, digits and underscores, the value is not
//                   empty and has no blanks at either end (the table's reader trims them)
//   ; text          a comment, shipped as it stands
//   //*****         a separator line of asterisks, shipped as it stands
//   (blank)         kept as a blank line
// The table's reader cuts its text into tokens at every blank, so everything the tool writes is
// checked to read back exactly as the source means it; any other line is refused with its file
// and line, so a broken source stops the build instead of shipping a table that loses texts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qeltra3k::tools {

struct LanguageTableResult {
    std::string table;          // the shipped bytes; empty on failure
    std::size_t errorLine = 0;  // 1-based source line of the fault; 0 when no line is to blame
    std::string error;          // empty on success

    bool Ok() const { return error.empty(); }
};

namespace languagetable {

// Decodes one line of UTF-8 strictly: overlong forms, surrogates, values past U+10FFFF and cut
// sequences are refused, because the table must carry exactly the characters of the source.
bool DecodeUtf8(std::string_view text, std::u32string& out)
{
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            cp = lead & 0x07;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out.push_back(cp);
        i += length;
    }
    return true;
}

void AppendUtf16Le(std::string& out, char32_t cp)
{
    auto unit = [&out](char32_t u) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>((u >> 8) & 0xFF));
    };
    if (cp < 0x10000) {
        unit(cp);
    } else {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    }
}

void AppendLine(std::string& out, const std::u32string& line)
{
    for (const char32_t cp : line)
        AppendUtf16Le(out, cp);
    AppendUtf16Le(out, U'\r');
    AppendUtf16Le(out, U'\n');
}

bool IsNameCharacter(char32_t c)
{
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') || c == U'_';
}

bool IsName(std::u32string_view text)
{
    if (text.empty())
        return false;
    for (const char32_t c : text)
        if (!IsNameCharacter(c))
            return false;
    return true;
}

// Key names are compared without regard to letter case when the table is read, so duplicates
// are found the same way.
std::string FoldedName(std::u32string_view name)
{
    std::string folded;
    for (const char32_t c : name)
        folded.push_back(static_cast<char>(c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c));
    return folded;
}

bool HasControlCharacter(std::u32string_view text)
{
    for (const char32_t c : text)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

bool IsBlank(char32_t c)
{
    return c == U' ' || c == 0x3000;  // the reader trims the first; the wide one would look the same
}

bool IsSeparator(std::u32string_view line)
{
    if (line.size() < 3 || line.substr(0, 2) != U"//")
        return false;
    for (const char32_t c : line.substr(2))
        if (c != U'*')
            return false;
    return true;
}

bool IsAllBlank(std::u32string_view line)
{
    for (const char32_t c : line)
        if (c != U' ')
            return false;
    return true;
}

}  // namespace languagetable

// Converts SOURCE (UTF-8) into the shipped table of section SECTION.
LanguageTableResult MakeLanguageTable(std::string_view section, std::string_view source)
{
    using namespace languagetable;
    LanguageTableResult result;
    auto fail = [&result](std::size_t line, std::string message) {
        result.table.clear();
        result.errorLine = line;
        result.error = std::move(message);
        return result;
    };

    std::u32string sectionText;
    if (!DecodeUtf8(section, sectionText) || !IsName(sectionText))
        return fail(0, "the section name must be letters, digits and underscores");

    if (source.substr(0, 3) == "\xEF\xBB\xBF")  // editors may put a UTF-8 mark first
        source.remove_prefix(3);

    std::string out = "\xFF\xFE";
    AppendLine(out, U"[" + sectionText + U"]");

    std::map<std::string, std::size_t> seen;  // folded key -> line it was first given on
    std::size_t lineNumber = 0;
    std::size_t entries = 0;
    std::u32string line;
    while (!source.empty()) {
        ++lineNumber;
        const std::size_t end = source.find('\n');
        std::string_view raw = source.substr(0, end);
        source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);

        if (!DecodeUtf8(raw, line))
            return fail(lineNumber, "invalid UTF-8");
        if (HasControlCharacter(line))
            return fail(lineNumber, "control character (tab, stray CR, ...) in the line");

        if (IsAllBlank(line)) {
            AppendLine(out, U"");
            continue;
        }
        if (line.front() == U';') {
            // The reader splits at blanks: a word of a comment must not look like an entry,
            // a section header or a quoted token.
            if (line.find_first_of(U"=\"[") != std::u32string::npos)
                return fail(lineNumber, "a comment may not contain '=', '\"' or '['");
            AppendLine(out, line);
            continue;
        }
        if (line.substr(0, 2) == U"//") {
            if (!IsSeparator(line))
                return fail(lineNumber, "a line starting with // must be a separator of asterisks");
            AppendLine(out, line);
            continue;
        }
        if (line.front() == U'[')
            return fail(lineNumber, "section headers are written by the tool, not the source");

        const std::size_t eq = line.find(U'=');
        if (eq == std::u32string::npos)
            return fail(lineNumber, "malformed line: expected Key=Value, a ; comment, a //*** separator or a blank line");
        const std::u32string_view key = std::u32string_view(line).substr(0, eq);
        const std::u32string_view value = std::u32string_view(line).substr(eq + 1);
        if (!IsName(key))
            return fail(lineNumber, "malformed key: a key is letters, digits and underscores, with no blanks");
        if (value.empty())
            return fail(lineNumber, "empty value");
        if (IsBlank(value.front()) || IsBlank(value.back()))
            return fail(lineNumber, "blank at the start or end of the value (the reader would drop it)");

        const auto [it, inserted] = seen.emplace(FoldedName(key), lineNumber);
        if (!inserted)
            return fail(lineNumber, "duplicate key (first given on line " + std::to_string(it->second) + ")");

        std::u32string token = U"\"";
        token += key;
        token += U'=';
        for (const char32_t c : value) {
            token += c;
            if (c == U'"')
                token += U'"';
        }
        token += U'"';
        AppendLine(out, token);
        ++entries;
    }
    if (entries == 0)
        return fail(0, "no entries");
    result.table = std::move(out);
    return result;
}

}  // namespace qeltra3k::tools

#ifndef QELTRA3K_LANGUAGE_TABLE_NO_MAIN
int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: make_language_table SECTION SOURCE.txt OUTPUT.ini\n";
        return 2;
    }
    const std::string sourcePath = argv[2];
    const std::string outputPath = argv[3];

    std::ifstream in(sourcePath, std::ios::binary);
    if (!in) {
        std::cerr << sourcePath << ": error: cannot read the file\n";
        return 1;
    }
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        std::cerr << sourcePath << ": error: cannot read the file\n";
        return 1;
    }

    const auto result = qeltra3k::tools::MakeLanguageTable(argv[1], source);
    if (!result.Ok()) {
        std::cerr << sourcePath;
        if (result.errorLine != 0)
            std::cerr << ':' << result.errorLine;
        std::cerr << ": error: " << result.error << '\n';
        return 1;
    }

    // Written beside the target and renamed, so a failed run never leaves a half table that
    // the build would take as up to date.
    const std::string temporaryPath = outputPath + ".tmp";
    {
        std::ofstream out(temporaryPath, std::ios::binary | std::ios::trunc);
        out.write(result.table.data(), static_cast<std::streamsize>(result.table.size()));
        if (!out.flush()) {
            std::cerr << temporaryPath << ": error: cannot write the file\n";
            std::remove(temporaryPath.c_str());
            return 1;
        }
    }
    if (std::rename(temporaryPath.c_str(), outputPath.c_str()) != 0) {
        std::cerr << outputPath << ": error: cannot replace the file\n";
        std::remove(temporaryPath.c_str());
        return 1;
    }
    return 0;
}
#endif
