#pragma once
// The language tables: every visible text, the font face and the application title,
// keyed "Str" + three digits, "FontName" and "Title". Table N (1 Polish, 2 English,
// 3 Traditional Chinese) is the embedded resource "lang"N, UTF-16LE text cut into
// tokens that are read as INI lines; texts are handed out as UTF-8.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/text/IniFile.h"

namespace qeltra3k::text {

inline constexpr int kLanguageCount = 3;

// UTF-16LE bytes (no byte-order mark) to UTF-8. Surrogate pairs become one character;
// an unpaired surrogate or a dangling last byte becomes U+FFFD.
std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes);

// Cuts table text into tokens: characters 0x20 and lower separate; a token that begins
// with a double quote runs to the closing quote (two quotes inside stand for one) and
// loses its enclosing quotes. A quote left open ends at its line end, so one broken
// entry cannot swallow the rest of the table.
std::vector<std::string> TokenizeLanguageText(std::string_view text);

class LanguageTable {
public:
    LanguageTable() = default;

    // Builds table `index` from UTF-8 text: the tokens become INI lines and the keys
    // are read from section "lang"`index`.
    static LanguageTable FromText(std::string_view utf8Text, int index);

    int Index() const { return index_; }

    // The text of `key` (names compared without regard to case), empty when missing.
    std::string Text(std::string_view key) const;

    bool Has(std::string_view key) const;

    // The key names of the table's own section.
    std::vector<std::string> KeyNames() const;

private:
    IniFile ini_;
    std::string section_;
    int index_ = 0;
};

struct LanguageTableLoading {
    std::optional<LanguageTable> table;
    std::string error;  // why the table could not be read; empty on success
};

// Reads the bytes of table `index`: UTF-16LE after the byte-order mark FF FE. Without the
// mark the bytes are accepted only as UTF-8 (an optional UTF-8 mark is skipped) that holds
// no NUL, which a UTF-16 text always would; anything else is refused, and so is a table
// with no keys in its own section (every text of it would show empty).
LanguageTableLoading ParseLanguageTable(std::span<const std::uint8_t> bytes, int index);

// Loads table `index` (1 ... 3) from the embedded resource "lang"`index`.
LanguageTableLoading LoadLanguageTable(int index);

// The key "Str100" ... "Str700" whose text equals `text`, searched through `tables` in the
// order given (tables 1, 2, 3), numbers rising within each; the last match wins. Empty when
// none matches.
std::string ReverseLookup(std::span<const LanguageTable> tables, std::string_view text);

// The caption a label carries to `newTable`: the new text of the key that `caption` was
// found under, or the caption unchanged when it is no table's text (a macro name, a custom
// gun key) or the new table lacks that key.
std::string CarryCaption(std::span<const LanguageTable> tables, const LanguageTable& newTable,
                         std::string_view caption);

}  // namespace qeltra3k::text
