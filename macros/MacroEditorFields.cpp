#include "macros/MacroEditorFields.h"

#include "config/FormFields.h"
#include "macros/MacroEvents.h"
#include "macros/MacroRows.h"

namespace qeltra3k::macros {

namespace {

constexpr long kMinMove = -128;
constexpr long kMaxMove = 127;
constexpr long kMaxRepeatCount = kMaxLoopCount;

bool IsLoneMinus(std::string_view text) { return text == "-"; }

}  // namespace

std::string CorrectDelayText(std::string_view text)
{
    const std::optional<long> value = config::ParseSignedDecimal(text);
    if (!value || *value < 0)
        return "0";
    if (*value > kMaxDelayEventMs)
        return std::to_string(kMaxDelayEventMs);
    return std::string(text);
}

int DelayValue(std::string_view text)
{
    return static_cast<int>(*config::ParseSignedDecimal(CorrectDelayText(text)));
}

std::string CorrectLoopCountText(std::string_view text)
{
    const std::optional<long> value = config::ParseSignedDecimal(text);
    if (!value || *value < kMinLoopCount)
        return std::to_string(kMinLoopCount);
    if (*value > kMaxLoopCount)
        return std::to_string(kMaxLoopCount);
    return std::string(text);
}

int LoopCountValue(std::string_view text)
{
    return static_cast<int>(*config::ParseSignedDecimal(CorrectLoopCountText(text)));
}

std::string CorrectMoveText(std::string_view text)
{
    if (IsLoneMinus(text))
        return std::string(text);
    const std::optional<long> value = config::ParseSignedDecimal(text);
    if (!value)
        return "0";
    if (*value > kMaxMove)
        return std::to_string(kMaxMove);
    if (*value < kMinMove)
        return std::to_string(kMinMove);
    return std::string(text);
}

std::optional<int> MoveValue(std::string_view text)
{
    const std::optional<long> value = config::ParseSignedDecimal(CorrectMoveText(text));
    if (!value)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::string CorrectRepeatCountText(std::string_view text)
{
    if (IsLoneMinus(text))
        return std::string(text);
    const std::optional<long> value = config::ParseSignedDecimal(text);
    if (!value || *value < 0)
        return "0";
    if (*value > kMaxRepeatCount)
        return std::to_string(kMaxRepeatCount);
    return std::string(text);
}

std::optional<int> RepeatCountValue(std::string_view text)
{
    const std::optional<long> value = config::ParseSignedDecimal(CorrectRepeatCountText(text));
    if (!value || *value < kMinLoopCount)
        return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace qeltra3k::macros
