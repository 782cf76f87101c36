#include "ui/text/IniFile.h"

#include <charconv>

#include "resources/Resources.h"

namespace qeltra3k::text {

std::optional<int> ParseDecimal(std::string_view text)
{
    // from_chars takes no leading '+', but a layout author may write one.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    if (text.empty())
        return std::nullopt;
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    if (ec != std::errc{} || ptr != end)
        return std::nullopt;
    return value;
}

std::string FoldCase(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string_view TrimBlanks(std::string_view text)
{
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

IniFile IniFile::Parse(std::string_view text)
{
    IniFile ini;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        // Trimming the line also drops the CR of a CR LF end.
        ini.AddLine(text.substr(0, eol));
        if (eol == std::string_view::npos)
            break;
        text.remove_prefix(eol + 1);
    }
    return ini;
}

std::optional<IniFile> IniFile::FromResource(std::string_view name)
{
    const auto bytes = resources::Find(name);
    if (!bytes)
        return std::nullopt;
    return Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

void IniFile::AddLine(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';')
        return;
    if (line.front() == '[' && line.back() == ']') {
        const auto name = TrimBlanks(line.substr(1, line.size() - 2));
        auto folded = FoldCase(name);
        auto& section = sections_[folded];
        if (section.name.empty())
            section.name = std::string(name);
        openSection_ = std::move(folded);
        return;
    }
    if (!openSection_)
        return;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return;
    const auto name = TrimBlanks(line.substr(0, eq));
    if (name.empty())
        return;
    auto& entry = sections_[*openSection_].keys[FoldCase(name)];
    // The later line wins, spelling included.
    entry.name = std::string(name);
    entry.value = std::string(TrimBlanks(line.substr(eq + 1)));
}

const IniFile::Section* IniFile::FindSection(std::string_view section) const
{
    const auto it = sections_.find(FoldCase(section));
    return it == sections_.end() ? nullptr : &it->second;
}

bool IniFile::HasSection(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const
{
    const Section* found = FindSection(section);
    if (!found)
        return nullptr;
    const auto it = found->keys.find(FoldCase(key));
    return it == found->keys.end() ? nullptr : &it->second.value;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const
{
    const std::string* value = Find(section, key);
    return value ? *value : std::string(fallback);
}

IntReading IniFile::ReadInt(std::string_view section, std::string_view key) const
{
    const std::string* value = Find(section, key);
    if (!value)
        return {IntStatus::Missing, 0};
    const auto number = ParseDecimal(*value);
    if (!number)
        return {IntStatus::NotANumber, 0};
    return {IntStatus::Ok, *number};
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const
{
    std::vector<std::string> names;
    if (const Section* found = FindSection(section)) {
        names.reserve(found->keys.size());
        for (const auto& [folded, entry] : found->keys)
            names.push_back(entry.name);
    }
    return names;
}

}  // namespace qeltra3k::text
