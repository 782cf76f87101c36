#include "fire/FireMacroRecord.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "config/Checksum.h"

namespace qeltra3k::fire {

namespace {

struct EventInfo {
    std::uint8_t code;
    std::size_t length;
    std::optional<FireParameter> parameter;  // the parameter its operand carries
};

constexpr EventInfo kEvents[] = {
    {fire_event::LeftDown, 1, std::nullopt},
    {fire_event::LeftUp, 1, std::nullopt},
    {fire_event::RepeatEnd, 1, std::nullopt},
    {fire_event::RepeatStart, 2, FireParameter::Count},
    {fire_event::MoveX, 2, FireParameter::X},
    {fire_event::MoveY, 2, FireParameter::Y},
    {fire_event::Delay, 2, FireParameter::Time},
};

// How a parameter value maps onto its operand byte: byte = (value - bias) / unit, read back
// as byte (signed when so marked) * unit + bias.
struct ParameterRule {
    FireParameter parameter;
    std::uint8_t event;
    int min;
    int max;
    int bias;
    int unit;
    bool isSigned;
};

constexpr ParameterRule kParameterRules[] = {
    {FireParameter::Count, fire_event::RepeatStart, 1, 256, 1, 1, false},
    {FireParameter::X, fire_event::MoveX, -128, 127, 0, 1, true},
    {FireParameter::Y, fire_event::MoveY, -128, 127, 0, 1, true},
    {FireParameter::Time, fire_event::Delay, 0, 255 * kDelayUnitMs, 0, kDelayUnitMs, false},
};

constexpr bool RulesInParameterOrder()
{
    for (std::size_t i = 0; i < std::size(kParameterRules); ++i) {
        if (static_cast<std::size_t>(kParameterRules[i].parameter) != i)
            return false;
    }
    return true;
}
static_assert(RulesInParameterOrder(), "kParameterRules is indexed by FireParameter");

// The position members in FireParameter order.
constexpr std::optional<std::size_t> OperandPositions::* kPositionMembers[] = {
    &OperandPositions::count, &OperandPositions::x, &OperandPositions::y, &OperandPositions::time};

// The value members in FireParameter order.
constexpr int FireMacroFields::* kValueMembers[] = {&FireMacroFields::count, &FireMacroFields::x, &FireMacroFields::y,
                                                   &FireMacroFields::timeMs};

const EventInfo* FindEvent(std::uint8_t code)
{
    const auto it = std::find_if(std::begin(kEvents), std::end(kEvents),
                                 [code](const EventInfo& e) { return e.code == code; });
    return it == std::end(kEvents) ? nullptr : &*it;
}

const ParameterRule& RuleFor(FireParameter parameter)
{
    return kParameterRules[static_cast<std::size_t>(parameter)];
}

// The length byte when the record has events and a checksum that both fit inside it.
std::optional<std::size_t> UsableLength(const FireMacroRecord& record)
{
    const std::uint8_t length = record[record_offset::Length];
    if (length == 0 || length > kMaxFireMacroLength)
        return std::nullopt;
    return length;
}

}  // namespace

std::optional<std::size_t>& OperandPositions::At(FireParameter parameter)
{
    return this->*kPositionMembers[static_cast<std::size_t>(parameter)];
}

const std::optional<std::size_t>& OperandPositions::At(FireParameter parameter) const
{
    return this->*kPositionMembers[static_cast<std::size_t>(parameter)];
}

std::optional<std::uint8_t> FireMacroRecordChecksum(const FireMacroRecord& record)
{
    const auto length = UsableLength(record);
    if (!length)
        return std::nullopt;
    return config::SectionChecksum(std::span(record).subspan(record_offset::Length, *length));
}

bool WriteFireMacroRecordChecksum(FireMacroRecord& record)
{
    const auto checksum = FireMacroRecordChecksum(record);
    if (!checksum)
        return false;
    record[record[record_offset::Length] + 1] = *checksum;
    return true;
}

std::optional<FireMacroFields> DecodeFireMacroRecord(const FireMacroRecord& record)
{
    const std::uint8_t stopFlag = record[record_offset::StopFlag];
    if (stopFlag != kStopOnRelease && stopFlag != kPlayToEnd)
        return std::nullopt;

    FireMacroFields fields;
    fields.stopOnRelease = stopFlag == kStopOnRelease;
    // An empty record (length 0) and one too long to trust both show no parameters.
    const std::size_t length = UsableLength(record).value_or(0);

    // Only the delay that follows a vertical move is the time per shot; a lead-in delay
    // before the first move is part of the program but not of the page.
    bool afterMoveY = false;
    std::size_t i = record_offset::FirstEvent;
    while (i <= length) {
        const EventInfo* event = FindEvent(record[i]);
        if (!event || i + event->length - 1 > length)
            break;
        if (event->parameter) {
            const std::size_t operand = i + 1;
            const FireParameter parameter = *event->parameter;
            const bool shown = parameter != FireParameter::Time || afterMoveY;
            if (shown) {
                fields.*kValueMembers[static_cast<std::size_t>(parameter)] =
                    FireParameterValue(parameter, record[operand]);
                fields.positions.At(parameter) = operand;
            }
            if (parameter == FireParameter::Y)
                afterMoveY = true;
            else if (parameter == FireParameter::Time)
                afterMoveY = false;
        }
        i += event->length;
    }
    return fields;
}

std::optional<std::uint8_t> FireParameterByte(FireParameter parameter, int value)
{
    const ParameterRule& rule = RuleFor(parameter);
    if (value < rule.min || value > rule.max)
        return std::nullopt;
    return static_cast<std::uint8_t>(((value - rule.bias) / rule.unit) & 0xFF);
}

int FireParameterValue(FireParameter parameter, std::uint8_t operand)
{
    const ParameterRule& rule = RuleFor(parameter);
    const int raw = rule.isSigned ? static_cast<int>(static_cast<std::int8_t>(operand)) : static_cast<int>(operand);
    return raw * rule.unit + rule.bias;
}

bool WriteFireParameter(FireMacroRecord& record, FireParameter parameter, std::optional<std::size_t> position,
                        int value)
{
    const auto operand = FireParameterByte(parameter, value);
    const auto length = UsableLength(record);
    if (!operand || !position || !length)
        return false;
    // The operand must sit among the events, right after its own event code.
    if (*position <= record_offset::FirstEvent || *position > *length ||
        record[*position - 1] != RuleFor(parameter).event)
        return false;
    record[*position] = *operand;
    return WriteFireMacroRecordChecksum(record);
}

}  // namespace qeltra3k::fire
