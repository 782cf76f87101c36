#include "ui/text/LanguageTable.h"

#include <algorithm>

#include "resources/Resources.h"

namespace qeltra3k::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The reverse lookup reads "Str" + n for these n, written without leading zeros.
constexpr int kLookupFirst = 0;
constexpr int kLookupLast = 700;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::span<const std::uint8_t> bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // Lead byte patterns of 2-, 3- and 4-byte forms, with the least value each may carry.
        struct Form {
            std::uint8_t mask, pattern;
            std::size_t extra;
            char32_t minimum;
        };
        static constexpr Form kForms[] = {
            {0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};
        const Form* form = nullptr;
        for (const Form& f : kForms) {
            if ((lead & f.mask) == f.pattern)
                form = &f;
        }
        if (!form)
            return false;
        const std::size_t extra = form->extra;
        const char32_t minimum = form->minimum;
        char32_t c = lead & static_cast<std::uint8_t>(~form->mask);
        if (bytes.size() - i <= extra)
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const std::uint8_t next = bytes[i + k];
            if ((next & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string_view AsText(std::span<const std::uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string SectionName(int index)
{
    return "lang" + std::to_string(index);
}

std::span<const std::uint8_t> WithoutUtf8Mark(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return bytes.subspan(3);
    return bytes;
}

// Why a table without the UTF-16LE mark cannot be read as UTF-8; empty when it can.
std::string CheckUnmarkedText(std::span<const std::uint8_t> bytes, const std::string& name)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        return "language table " + name + " is big-endian UTF-16; only UTF-16LE (FF FE) or UTF-8 is read";
    bytes = WithoutUtf8Mark(bytes);
    // UTF-16 text without its mark passes as UTF-8 when it is mostly ASCII, but every
    // second byte is NUL; read that way it would give no keys at all.
    if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end())
        return "language table " + name + " has no byte-order mark and holds NUL bytes (UTF-16 without FF FE?)";
    if (!IsValidUtf8(bytes))
        return "language table " + name + " has no byte-order mark and is not valid UTF-8";
    return {};
}

}  // namespace

std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t k) {
        return static_cast<char32_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8));
    };
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t unit = unitAt(k);
        if (IsHighSurrogate(unit) && k + 1 < units && IsLowSurrogate(unitAt(k + 1))) {
            const char32_t low = unitAt(++k);
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    if (bytes.size() % 2 != 0)
        AppendUtf8(out, kReplacement);
    return out;
}

std::vector<std::string> TokenizeLanguageText(std::string_view text)
{
    auto isSeparator = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        std::string token;
        if (text[i] == '"') {
            ++i;
            while (i < text.size() && !isLineEnd(text[i])) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        token += '"';
                        i += 2;
                        continue;
                    }
                    ++i;  // the closing quote
                    break;
                }
                token += text[i++];
            }
        } else {
            while (i < text.size() && !isSeparator(text[i]))
                token += text[i++];
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

LanguageTable LanguageTable::FromText(std::string_view utf8Text, int index)
{
    LanguageTable table;
    table.index_ = index;
    table.section_ = SectionName(index);
    for (const std::string& token : TokenizeLanguageText(utf8Text))
        table.ini_.AddLine(token);
    return table;
}

std::string LanguageTable::Text(std::string_view key) const
{
    return ini_.ReadString(section_, key);
}

bool LanguageTable::Has(std::string_view key) const
{
    return ini_.Find(section_, key) != nullptr;
}

std::vector<std::string> LanguageTable::KeyNames() const
{
    return ini_.KeyNames(section_);
}

LanguageTableLoading ParseLanguageTable(std::span<const std::uint8_t> bytes, int index)
{
    const std::string name = SectionName(index);
    std::string text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        text = Utf16LeToUtf8(bytes.subspan(2));
    else if (auto error = CheckUnmarkedText(bytes, name); !error.empty())
        return {std::nullopt, std::move(error)};
    else
        text = AsText(WithoutUtf8Mark(bytes));
    LanguageTable table = LanguageTable::FromText(text, index);
    // Without its own section every text of the table would come out empty.
    if (table.KeyNames().empty())
        return {std::nullopt, "language table " + name + " holds no keys in section [" + name + "]"};
    return {std::move(table), {}};
}

LanguageTableLoading LoadLanguageTable(int index)
{
    const std::string name = SectionName(index);
    const auto bytes = resources::Find(name);
    if (!bytes)
        return {std::nullopt, "language table " + name + " is not embedded"};
    return ParseLanguageTable(*bytes, index);
}

std::string ReverseLookup(std::span<const LanguageTable> tables, std::string_view text)
{
    std::string found;
    for (const LanguageTable& table : tables) {
        for (int n = kLookupFirst; n <= kLookupLast; ++n) {
            const std::string key = "Str" + std::to_string(n);
            // Only keys that exist: a missing key reads as empty text, and an empty
            // caption must not "match" it.
            if (table.Has(key) && table.Text(key) == text)
                found = key;
        }
    }
    return found;
}

std::string CarryCaption(std::span<const LanguageTable> tables, const LanguageTable& newTable,
                         std::string_view caption)
{
    const std::string key = ReverseLookup(tables, caption);
    if (key.empty() || !newTable.Has(key))
        return std::string(caption);
    return newTable.Text(key);
}

}  // namespace qeltra3k::text
