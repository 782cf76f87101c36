#pragma once
// The INI text shared by the layout sections and, once tokenized, the language tables:
// sections and keys compared without regard to ASCII letter case, blanks around names
// and values trimmed, the later of two equal keys wins. Values are kept as the raw
// 8-bit bytes of the file (the layout comments are in a legacy code page; every key
// and value the program asks for is ASCII).
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeltra3k::text {

// Why an integer could not be read: the caller decides on a default and says which.
enum class IntStatus { Ok, Missing, NotANumber };

struct IntReading {
    IntStatus status = IntStatus::Missing;
    int value = 0;  // meaningful only when status is Ok

    bool Ok() const { return status == IntStatus::Ok; }
};

// A decimal integer with an optional sign and nothing else ("12", "-3", "+7");
// empty text, other characters and values outside int give nothing.
std::optional<int> ParseDecimal(std::string_view text);

// ASCII-only lower-casing, the comparison rule for section and key names.
std::string FoldCase(std::string_view text);

// Removes the characters with code 0x20 or lower at both ends.
std::string_view TrimBlanks(std::string_view text);

class IniFile {
public:
    // Reads 8-bit text with CR LF or LF line ends.
    static IniFile Parse(std::string_view text);

    // Parses the embedded resource `name`; nothing when it is not embedded.
    static std::optional<IniFile> FromResource(std::string_view name);

    // Applies one line: "[name]" opens a section, ";" starts a comment, "key=value"
    // sets a key of the open section; lines before the first section and lines
    // without "=" are ignored. A "//" line holding "=" becomes a key named "//...",
    // which nobody asks for.
    void AddLine(std::string_view line);

    bool HasSection(std::string_view section) const;

    // The value, or nullptr when the section or the key is missing.
    const std::string* Find(std::string_view section, std::string_view key) const;

    // The value, or `fallback` when missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback = {}) const;

    IntReading ReadInt(std::string_view section, std::string_view key) const;

    // The key names of a section as last written, in case-folded order.
    std::vector<std::string> KeyNames(std::string_view section) const;

private:
    struct Entry {
        std::string name;
        std::string value;
    };
    struct Section {
        std::string name;
        std::map<std::string, Entry, std::less<>> keys;  // by folded name
    };

    const Section* FindSection(std::string_view section) const;

    std::map<std::string, Section, std::less<>> sections_;  // by folded name
    std::optional<std::string> openSection_;                // folded name
};

}  // namespace qeltra3k::text
