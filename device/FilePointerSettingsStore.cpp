#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/AtomicFile.h"
#include "device/PointerSettingsStore.h"

namespace qeltra3k::device {

namespace {

// The file holds a handful of short lines; anything larger is not ours.
constexpr std::size_t kMaxFileBytes = 4096;

using Field = std::optional<int> config::SystemPointerValues::*;

struct NamedField {
    std::string_view name;
    Field field;
};

// The names the registry uses, so a file is readable beside the Windows documentation.
constexpr std::array<NamedField, 6> kFields{{
    {"MouseSensitivity", &config::SystemPointerValues::mouseSensitivity},
    {"MouseSpeed", &config::SystemPointerValues::mouseSpeed},
    {"MouseThreshold1", &config::SystemPointerValues::mouseThreshold1},
    {"MouseThreshold2", &config::SystemPointerValues::mouseThreshold2},
    {"DoubleClickSpeed", &config::SystemPointerValues::doubleClickSpeed},
    {"WheelScrollLines", &config::SystemPointerValues::wheelScrollLines},
}};

config::SystemPointerValues FreshAccountValues()
{
    config::SystemPointerValues values;
    values.mouseKeyPresent = true;
    values.desktopKeyPresent = true;
    values.mouseSensitivity = 10;
    values.mouseSpeed = config::kPrecisionOn.mouseSpeed;
    values.mouseThreshold1 = config::kPrecisionOn.threshold1;
    values.mouseThreshold2 = config::kPrecisionOn.threshold2;
    values.doubleClickSpeed = 500;
    values.wheelScrollLines = 3;
    return values;
}

std::optional<int> ParseNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

FilePointerSettingsStore::FilePointerSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

config::SystemPointerValues FilePointerSettingsStore::Read()
{
    const FileContent content = ReadWholeFile(file_, kMaxFileBytes);
    if (!content.bytes)
        return FreshAccountValues();
    // A file of ours: both "keys" exist, and a line that is missing or broken is an
    // unreadable value, as in the registry.
    config::SystemPointerValues values;
    values.mouseKeyPresent = true;
    values.desktopKeyPresent = true;
    const std::string text(content.bytes->begin(), content.bytes->end());
    std::string_view rest(text);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        for (const NamedField& named : kFields) {
            if (line.substr(0, equals) == named.name)
                values.*named.field = ParseNumber(line.substr(equals + 1));
        }
    }
    return values;
}

bool FilePointerSettingsStore::Write(const config::SystemPointerValues& values)
{
    std::string text;
    for (const NamedField& named : kFields) {
        if (const std::optional<int>& value = values.*named.field)
            text += std::string(named.name) + '=' + std::to_string(*value) + '\n';
    }
    std::error_code ignored;
    std::filesystem::create_directories(file_.parent_path(), ignored);
    std::string error;
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    return WriteFileAtomically(file_, bytes, error);
}

}  // namespace qeltra3k::device
