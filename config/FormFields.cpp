#include "config/FormFields.h"

#include <algorithm>

namespace qeltra3k::config {

namespace {

// Far above every field's range; keeps long digit runs from overflowing.
constexpr long kSaturation = 1'000'000;

std::string Text(long value) { return std::to_string(value); }

}  // namespace

std::optional<long> ParseDigits(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min(value * 10 + (c - '0'), kSaturation);
    }
    return value;
}

std::optional<long> ParseSignedDecimal(std::string_view text)
{
    if (!text.empty() && text.front() == '-') {
        const auto magnitude = ParseDigits(text.substr(1));
        if (!magnitude)
            return std::nullopt;
        return -*magnitude;
    }
    return ParseDigits(text);
}

std::string CorrectIdText(std::string_view text)
{
    const auto value = ParseDigits(text);
    if (!value || *value > 255)
        return "255";
    return std::string(text);
}

std::uint8_t IdValue(std::string_view text)
{
    return static_cast<std::uint8_t>(*ParseDigits(CorrectIdText(text)));
}

std::string CorrectRepeatText(std::string_view text)
{
    const auto value = ParseDigits(text);
    if (!value)
        return "2";
    if (*value == 0)
        return "1";
    if (*value >= 256)
        return "255";
    return std::string(text);
}

int RepeatValue(std::string_view text)
{
    return static_cast<int>(*ParseDigits(CorrectRepeatText(text)));
}

std::string CorrectDelayTimeText(std::string_view text)
{
    const auto value = ParseSignedDecimal(text);
    if (!value || *value < 0)
        return "0";
    if (*value >= 256)
        return "255";
    return std::string(text);
}

std::string CorrectFireTimeText(std::string_view text)
{
    const auto value = ParseDigits(text);
    if (!value)
        return "100";
    if (*value > 255)
        return "255";
    return std::string(text);
}

std::uint8_t FireTimeValue(std::string_view text)
{
    return static_cast<std::uint8_t>(*ParseDigits(CorrectFireTimeText(text)));
}

std::string CorrectColourText(std::string_view text)
{
    const auto value = ParseDigits(text);
    if (!value)
        return "0";
    if (*value > 255)
        return "255";
    return std::string(text);
}

std::uint8_t ColourValue(std::string_view text)
{
    return static_cast<std::uint8_t>(*ParseDigits(CorrectColourText(text)));
}

std::string CorrectLedCountTyping(std::string_view text)
{
    const auto value = ParseDigits(text);
    if (!value)
        return "13";
    if (*value == 0 || *value == 2 || *value == 3)
        return "4";
    if (*value > 13)
        return "13";
    return std::string(text);
}

std::string CorrectLedCountOnLeave(std::string_view text)
{
    if (text == "1")
        return "4";
    return std::string(text);
}

int LedCountValue(std::string_view text)
{
    const long value = *ParseDigits(CorrectLedCountOnLeave(CorrectLedCountTyping(text)));
    return static_cast<int>(std::clamp(value, 4L, 13L));
}

std::string CorrectStepText(std::string_view text)
{
    const auto value = ParseDigits(text);
    if (!value)
        return "0";
    if (*value > 7)
        return "7";
    return std::string(text);
}

int StepValue(std::string_view text)
{
    return static_cast<int>(*ParseDigits(CorrectStepText(text)));
}

std::string CorrectYOffsetText(std::string_view text)
{
    if (text == "-")
        return "-";
    const auto value = ParseSignedDecimal(text);
    if (!value)
        return "0";
    if (*value > 255)
        return "127";
    if (*value >= 128)
        return Text(*value - 256);
    if (*value < -128)
        return "-128";
    return std::string(text);
}

std::optional<std::uint8_t> YOffsetByte(std::string_view text)
{
    const std::string correctedText = CorrectYOffsetText(text);
    if (correctedText == "-")
        return std::nullopt;
    const long corrected = *ParseSignedDecimal(correctedText);
    return static_cast<std::uint8_t>(corrected & 0xFF);
}

std::string YOffsetText(std::uint8_t offsetByte)
{
    return Text(offsetByte >= 128 ? static_cast<long>(offsetByte) - 256 : static_cast<long>(offsetByte));
}

}  // namespace qeltra3k::config
