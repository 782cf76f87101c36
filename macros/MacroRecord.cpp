#include "macros/MacroRecord.h"

namespace qeltra3k::macros {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Next code point of well-formed UTF-8 at `pos` (advanced past it); nothing for anything
// malformed: bad lead or continuation bytes, overlong forms, surrogates, beyond U+10FFFF.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t extra = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - pos - 1 < extra)
        return std::nullopt;
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = c << 6 | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || IsSurrogate(c))
        return std::nullopt;
    pos += extra + 1;
    return c;
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::optional<MacroName> NameFromText(std::string_view text)
{
    MacroName name{};
    std::size_t unit = 0;
    const auto put = [&](char32_t value) {
        name[2 * unit] = static_cast<std::uint8_t>(value >> 8);
        name[2 * unit + 1] = static_cast<std::uint8_t>(value & 0xFF);
        ++unit;
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::optional<char32_t> c = NextCodePoint(text, pos);
        if (!c || *c == 0)
            return std::nullopt;
        const std::size_t units = *c >= 0x10000 ? 2 : 1;
        if (unit + units > kMaxNameUnits)
            return std::nullopt;
        if (units == 1) {
            put(*c);
        } else {
            const char32_t offset = *c - 0x10000;
            put(0xD800 + (offset >> 10));
            put(0xDC00 + (offset & 0x3FF));
        }
    }
    return name;
}

std::string NameToText(const MacroName& name)
{
    std::string text;
    for (std::size_t unit = 0; unit < kMaxNameUnits; ++unit) {
        const char32_t c = static_cast<char32_t>(name[2 * unit]) << 8 | name[2 * unit + 1];
        if (c == 0)
            break;
        if (c >= 0xD800 && c <= 0xDBFF && unit + 1 < kMaxNameUnits) {
            const char32_t low = static_cast<char32_t>(name[2 * unit + 2]) << 8 | name[2 * unit + 3];
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00), text);
                ++unit;
                continue;
            }
        }
        AppendUtf8(IsSurrogate(c) ? kReplacement : c, text);
    }
    return text;
}

}  // namespace qeltra3k::macros
