#include "macros/MacroEvents.h"

#include <algorithm>

#include "config/KeyboardFunction.h"

namespace qeltra3k::macros {

namespace {

// Keyboard usage of the first modifier key (Left Ctrl); bit i of a mask is usage 0xE0 + i.
constexpr int kFirstModifierUsage = 0xE0;

}  // namespace

std::optional<EventInfo> FindEvent(std::uint8_t code)
{
    const auto found = std::find_if(kEvents.begin(), kEvents.end(),
                                    [code](const EventInfo& info) { return info.code == code; });
    if (found == kEvents.end())
        return std::nullopt;
    return *found;
}

std::optional<ButtonEvent> FindButtonEvent(std::uint8_t code)
{
    for (const MouseButton& button : kMouseButtons) {
        if (code == ButtonPress(button.bit))
            return ButtonEvent{button, true};
        if (code == ButtonRelease(button.bit))
            return ButtonEvent{button, false};
    }
    return std::nullopt;
}

bool IsEditorModifierMask(std::uint8_t mask)
{
    return std::any_of(kModifierBits.begin(), kModifierBits.end(),
                       [mask](const ModifierBit& bit) { return bit.mask == mask; });
}

std::string ModifierName(std::uint8_t mask)
{
    if (mask == 0)
        return "None";
    std::string name;
    for (int bitIndex = 0; bitIndex < 8; ++bitIndex) {
        const auto bit = static_cast<std::uint8_t>(1U << bitIndex);
        if ((mask & bit) == 0)
            continue;
        const auto known = std::find_if(kModifierBits.begin(), kModifierBits.end(),
                                        [bit](const ModifierBit& entry) { return entry.mask == bit; });
        const std::string_view part = known != kModifierBits.end()
                                          ? config::VirtualKeyName(known->virtualKey)
                                          : config::UsageName(kFirstModifierUsage + bitIndex);
        if (!name.empty())
            name += '+';
        name += part;
    }
    return name;
}

}  // namespace qeltra3k::macros
