#include "config/DpiTable.h"

#include <algorithm>

namespace qeltra3k::config {

std::optional<int> DpiForIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(kDpiValueCount))
        return std::nullopt;
    return kDpiTable[static_cast<std::size_t>(index)].dpi;
}

std::string DpiItemText(int index)
{
    const auto dpi = DpiForIndex(index);
    return dpi ? std::to_string(*dpi) : std::string{};
}

std::string_view LevelValueTextKey(std::uint8_t levelValue)
{
    if (levelValue == kNoLevelValue)
        return kDpiTable[0].textKey;
    if (levelValue < kDpiValueCount)
        return kDpiTable[levelValue].textKey;
    return {};
}

int RulerIndex(int x, int start, int width, int segments)
{
    int i = 0;
    while (i < segments && start < x) {
        if (start + width * i < x && x <= start + width * (i + 1))
            break;
        ++i;
    }
    return i;
}

int EffectiveDpiCount(int dpiCount)
{
    return std::clamp(dpiCount, 1, static_cast<int>(kDpiValueCount));
}

int DpiSliderIndex(int x, int dpiCount)
{
    const int count = EffectiveDpiCount(dpiCount);
    const int width = 225 / count;
    const int start = -(width / 4);
    return RulerIndex(x, start, width, count - 1);
}

int DpiSliderMaximum(int dpiCount)
{
    return EffectiveDpiCount(dpiCount) * 100 - 100;
}

}  // namespace qeltra3k::config
