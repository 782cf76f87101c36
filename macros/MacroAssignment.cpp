#include "macros/MacroAssignment.h"

#include "config/FormEditing.h"
#include "macros/MacroBody.h"

namespace qeltra3k::macros {

namespace {

struct StopFlagType {
    std::uint8_t stopFlag;
    std::uint8_t type;
};
constexpr std::array<StopFlagType, 2> kStopFlagTypes{{
    {kStopAfterMacro, config::code_type::DeviceMacro},
    {kStopOnRelease, config::code_type::DeviceMacroHeld},
}};

// A search rule for used slots with a gap: `result` is free, and the slots named beside it
// (0: no condition) are used.
struct GapRule {
    int result;
    int usedBefore;
    int usedAfter;
};
constexpr std::array<GapRule, 5> kSixSlotGapRules{{{1, 0, 2}, {2, 1, 3}, {3, 2, 4}, {4, 3, 5}, {5, 4, 6}}};
// The engineering view sees no slot 5, so slot 4 needs only a used slot 3 before it.
constexpr std::array<GapRule, 4> kFourSlotGapRules{{{1, 0, 2}, {2, 1, 3}, {3, 2, 4}, {4, 3, 0}}};

constexpr std::string_view kNoMacroCode = "000000";

int SearchSlots(const UsedSlots& used, int slotCount, std::span<const GapRule> gapRules, const MacroName& name,
                const std::array<MacroRecord, kSlotCount>& slots)
{
    const auto isUsed = [&used](int slot) { return used.test(static_cast<std::size_t>(slot - 1)); };
    int usedCount = 0;
    for (int slot = 1; slot <= slotCount; ++slot)
        usedCount += isUsed(slot) ? 1 : 0;

    bool packed = true;
    for (int slot = 1; slot <= usedCount; ++slot)
        packed = packed && isUsed(slot);
    if (packed) {
        // A slot that already holds this macro is shared, but only when the name is not
        // ambiguous.
        int matches = 0;
        int matchingSlot = 0;
        for (int slot = 1; slot <= slotCount; ++slot) {
            if (slots[static_cast<std::size_t>(slot - 1)].name == name) {
                ++matches;
                matchingSlot = slot;
            }
        }
        return matches == 1 ? matchingSlot : usedCount + 1;
    }

    int chosen = usedCount;
    for (const GapRule& rule : gapRules) {
        if (!isUsed(rule.result) && (rule.usedBefore == 0 || isUsed(rule.usedBefore)) &&
            (rule.usedAfter == 0 || isUsed(rule.usedAfter))) {
            chosen = rule.result;
            break;
        }
    }
    // The fallback may land on a used slot; a gap always leaves a lower free one. (The
    // four-slot rules never do, so this changes nothing there.)
    if (isUsed(chosen)) {
        for (int slot = 1; slot <= slotCount; ++slot) {
            if (!isUsed(slot)) {
                chosen = slot;
                break;
            }
        }
    }
    return chosen;
}

std::size_t ProfileIndex(config::Profile profile) { return static_cast<std::size_t>(profile); }

AssignmentResult Refusal(AssignmentOutcome outcome) { return {outcome, 0, {}}; }

}  // namespace

// --- Macro key codes -------------------------------------------------------------------------

std::optional<std::uint8_t> MacroCodeType(std::uint8_t stopFlag)
{
    for (const StopFlagType& entry : kStopFlagTypes) {
        if (entry.stopFlag == stopFlag)
            return entry.type;
    }
    return std::nullopt;
}

std::optional<config::KeyCode> SlotMacroKeyCode(std::uint8_t stopFlag, std::size_t slot)
{
    const std::optional<std::uint8_t> type = MacroCodeType(stopFlag);
    if (!type || slot >= config::kDeviceMacroSlotCount)
        return std::nullopt;
    return config::KeyCode::WithAddress(*type, config::kDeviceMacroSlotAddresses[slot]);
}

std::optional<config::KeyCode> DriverMacroKeyCode(std::uint8_t stopFlag, std::size_t index)
{
    const std::optional<std::uint8_t> type = MacroCodeType(stopFlag);
    if (!type || index >= kDriverMacroListCapacity)
        return std::nullopt;
    const std::optional<std::uint16_t> address = config::DriverMacroAddress(index);
    if (!address)
        return std::nullopt;
    return config::KeyCode::WithAddress(*type, *address);
}

// --- Used slots and the slot searches ------------------------------------------------------

UsedSlots FindUsedSlots(const KeyCodeTexts& codeTexts)
{
    UsedSlots used;
    for (const auto& profileTexts : codeTexts) {
        for (const std::string& text : profileTexts) {
            const std::optional<config::KeyCode> code = config::ParseKeyCode(text);
            if (!code || !(code->type == config::code_type::DeviceMacro ||
                           code->type == config::code_type::DeviceMacroHeld))
                continue;
            if (const std::optional<std::size_t> slot = config::DeviceMacroSlotForAddress(code->Address()))
                used.set(*slot);
        }
    }
    return used;
}

int FindBaseMacroCount(const UsedSlots& used, const MacroName& name, const std::array<MacroRecord, kSlotCount>& slots)
{
    return SearchSlots(used, static_cast<int>(kSlotCount), kSixSlotGapRules, name, slots);
}

int FindBaseMacroIndex(const UsedSlots& used, const MacroName& name, const std::array<MacroRecord, kSlotCount>& slots)
{
    return SearchSlots(used, static_cast<int>(kCheckedSlotCount), kFourSlotGapRules, name, slots);
}

// --- Picking a macro for a button --------------------------------------------------------

std::string_view AssignmentMessageKey(AssignmentOutcome outcome)
{
    struct MessageKey {
        AssignmentOutcome outcome;
        std::string_view key;
    };
    static constexpr std::array<MessageKey, 3> kKeys{{
        {AssignmentOutcome::KeepLeftKey, "Str108"},
        {AssignmentOutcome::BadStopFlag, "Str102"},
        {AssignmentOutcome::DriverListFull, "Str104"},
    }};
    for (const MessageKey& entry : kKeys) {
        if (entry.outcome == outcome)
            return entry.key;
    }
    return {};
}

AssignmentResult AssignMacroToSlot(EepromAssignmentState& state, const LibraryRecords& library, const MacroPick& pick,
                                   std::string_view leftName)
{
    if (pick.macro >= UsedCount(library) || IsUnusedName(library[pick.macro].name) ||
        !config::KeyCodeOffset(pick.profile, pick.keyNumber))
        return Refusal(AssignmentOutcome::InvalidPick);
    const MacroRecord& macro = library[pick.macro];
    const std::uint8_t stopFlag = macro.body[StopFlagOffset];
    if (!MacroCodeType(stopFlag))
        return Refusal(AssignmentOutcome::BadStopFlag);

    // The button's own old macro must not hold a slot against the one replacing it.
    KeyCodeTexts codeTexts = state.form.keyCodeTexts;
    codeTexts[ProfileIndex(pick.profile)][pick.keyNumber - 1] = kNoMacroCode;
    const UsedSlots used = FindUsedSlots(codeTexts);

    const auto& slots = state.slots.Slots();
    const bool mainPage = pick.view == PickView::MainPage;
    const int sixSlotChoice = FindBaseMacroCount(used, macro.name, slots);
    if (sixSlotChoice > (mainPage ? static_cast<int>(kSlotCount) : static_cast<int>(kCheckedSlotCount)))
        return Refusal(AssignmentOutcome::NoFreeSlot);
    const int slotNumber = mainPage ? sixSlotChoice : FindBaseMacroIndex(used, macro.name, slots);
    if (slotNumber > (mainPage ? static_cast<int>(kSlotCount) : static_cast<int>(kCheckedSlotCount)))
        return Refusal(AssignmentOutcome::NoFreeSlot);
    const auto slot = static_cast<std::size_t>(slotNumber - 1);

    const std::string codeText = config::KeyCodeText(*SlotMacroKeyCode(stopFlag, slot));
    const config::EditResult edit = config::AssignKeyFunction(state.form, state.dataBuf, pick.profile, pick.keyNumber,
                                                              codeText, NameToText(macro.name), leftName);
    if (!edit.applied)
        return Refusal(AssignmentOutcome::KeepLeftKey);

    state.slots.SetSlot(slot, macro);
    state.slots.RefreshBaseMacroBuf(state.image);
    state.slotNameList[slot] = state.slots.Names()[slot];
    state.slotNamesFromMouse[slot].clear();
    return {AssignmentOutcome::Assigned, slot, codeText};
}

AssignmentResult ChangeProfile1StringForDriverMode(DriverAssignmentState& state,
                                                   std::span<const DriverMacroRecord> library, const MacroPick& pick,
                                                   std::string_view leftName)
{
    if (pick.macro >= library.size() || IsUnusedName(library[pick.macro].name) ||
        !config::KeyCodeOffset(pick.profile, pick.keyNumber))
        return Refusal(AssignmentOutcome::InvalidPick);
    const DriverMacroRecord& macro = library[pick.macro];

    // Everything is decided before anything changes, so a refusal leaves no record appended.
    const std::optional<std::size_t> existing = state.driverList.FindByName(macro.name);
    const std::size_t index = existing.value_or(state.driverList.Records().size());
    const std::uint8_t stopFlag =
        existing ? state.driverList.Records()[*existing].body[StopFlagOffset] : macro.body[StopFlagOffset];
    if (!MacroCodeType(stopFlag))
        return Refusal(AssignmentOutcome::BadStopFlag);
    const std::optional<config::KeyCode> code = DriverMacroKeyCode(stopFlag, index);
    if (!code)
        return Refusal(AssignmentOutcome::DriverListFull);

    const std::string codeText = config::KeyCodeText(*code);
    const config::EditResult edit = config::AssignKeyFunction(state.form, state.dataBuf, pick.profile, pick.keyNumber,
                                                              codeText, NameToText(macro.name), leftName);
    if (!edit.applied)
        return Refusal(AssignmentOutcome::KeepLeftKey);
    if (!existing)
        state.driverList.Append(macro);
    return {AssignmentOutcome::Assigned, index, codeText};
}

// --- Apply ------------------------------------------------------------------------------------

std::vector<SlotWrite> SlotsToWrite(const KeyCodeTexts& codeTexts, const std::array<std::string, kSlotCount>& slotNameList,
                                    const std::array<std::string, kSlotCount>& slotNamesFromMouse)
{
    const UsedSlots used = FindUsedSlots(codeTexts);
    std::vector<SlotWrite> writes;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (!used.test(slot))
            continue;
        // An empty name was never read (or names an unused slot), so it proves nothing.
        const std::string& onMouse = slotNamesFromMouse[slot];
        if (!onMouse.empty() && onMouse == slotNameList[slot])
            continue;
        const std::uint16_t bodyAddress = config::kDeviceMacroSlotAddresses[slot];
        writes.push_back({slot, *config::DeviceMacroNameAddress(slot), static_cast<std::uint16_t>(bodyAddress - 1)});
    }
    return writes;
}

}  // namespace qeltra3k::macros
