#pragma once
// Giving a button a macro from the library. In EEPROM mode the macro is copied into one of
// the six device slots that all eighteen buttons share; in driver mode into the driver macro
// list. The button then gets a macro key code: type 0x06 (plays to its end) or 0x0E (stops
// on release) with the body address of the slot or list record.
//
// Which slots are in use is never stored: it is worked out from the eighteen code texts each
// time, so a slot no button plays any more is free for the next pick.
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/Conversion.h"
#include "config/FormModel.h"
#include "config/ImageLayout.h"
#include "macros/DeviceMacroSlots.h"
#include "macros/DriverMacroList.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroRecord.h"

namespace qeltra3k::macros {

// --- Macro key codes -------------------------------------------------------------------------


// Type byte for a stop flag: 0x06 for 0, 0x0E for 1. Nothing for any other flag: no code
// says how such a macro stops.
std::optional<std::uint8_t> MacroCodeType(std::uint8_t stopFlag);
// Code that plays device slot `slot` (0-based); nothing for a bad flag or slot.
std::optional<config::KeyCode> SlotMacroKeyCode(std::uint8_t stopFlag, std::size_t slot);
// Code that plays driver list record `index`; nothing for a bad flag or a record beyond
// kDriverMacroListCapacity.
std::optional<config::KeyCode> DriverMacroKeyCode(std::uint8_t stopFlag, std::size_t index);

// --- Used slots and the slot searches ------------------------------------------------------

// The eighteen code texts, [profile][key - 1], as the form model keeps them.
using KeyCodeTexts = std::array<std::array<std::string, config::kKeysPerProfile>, config::kProfileCount>;
// Bit s stands for slot s + 1.
using UsedSlots = std::bitset<kSlotCount>;

// Slots some code text plays: type 06 or 0E with that slot's address. The fire key's 0600F0
// addresses no slot.
UsedSlots FindUsedSlots(const KeyCodeTexts& codeTexts);

inline constexpr int kNoFreeSlotOfSix = 7;
inline constexpr int kNoFreeSlotOfFour = 5;

// The six-slot search: slot 1..6 for a macro named `name`, or kNoFreeSlotOfSix. With the used
// slots packed from slot 1 on, the next slot, unless exactly one slot already holds a macro
// of this name (then that one); with a gap, the gap (never a used slot).
int FindBaseMacroCount(const UsedSlots& used, const MacroName& name,
                       const std::array<MacroRecord, kSlotCount>& slots);
// The same on slots 1 to 4 only (the engineering view): 1..4, or kNoFreeSlotOfFour.
int FindBaseMacroIndex(const UsedSlots& used, const MacroName& name,
                       const std::array<MacroRecord, kSlotCount>& slots);

// --- Picking a macro for a button --------------------------------------------------------

// Where the button was clicked: the main page may fill all six slots, the engineering view
// only slots 1 to 4.
enum class PickView : std::uint8_t { MainPage, Engineering };

struct MacroPick {
    std::size_t macro = 0;  // position in the macro name list (the library record)
    // The shown profile on the main page, the clicked button's profile in the engineering view.
    config::Profile profile = config::Profile::One;
    std::size_t keyNumber = 1;  // 1..9
    PickView view = PickView::MainPage;
};

enum class AssignmentOutcome : std::uint8_t {
    Assigned,
    InvalidPick,     // no such macro or button: nothing happens
    NoFreeSlot,      // ignored without a message: the button keeps its function
    KeepLeftKey,     // the button held the profile's last left click: Str108
    BadStopFlag,     // the macro's stop flag is neither 0 nor 1 (an imported file): Str102
    DriverListFull,  // the driver macro list holds no further record: Str104
};
// Language key of the message the view shows ("Str108"); empty when none is shown.
std::string_view AssignmentMessageKey(AssignmentOutcome outcome);

struct AssignmentResult {
    AssignmentOutcome outcome = AssignmentOutcome::InvalidPick;
    std::size_t place = 0;  // Assigned: the 0-based slot, or the driver list position
    std::string codeText;   // Assigned: the code the button now holds
    explicit operator bool() const { return outcome == AssignmentOutcome::Assigned; }
};

// What an EEPROM-mode pick changes, all owned by the controller.
struct EepromAssignmentState {
    config::FormModel& form;
    config::DataBuf& dataBuf;
    DeviceMacroSlots& slots;
    config::DeviceImage& image;
    // LB_MacroName: the slot names the pages show.
    std::array<std::string, kSlotCount>& slotNameList;
    // The slot names as last read from the mouse; a slot given a new copy is no longer known
    // to be on the mouse, so its entry is emptied and Apply writes the slot.
    std::array<std::string, kSlotCount>& slotNamesFromMouse;
};

// LB_NameClick in EEPROM mode: library record `pick.macro` for the button. The button's own
// old macro does not count as using its slot. On success the button shows the macro's name
// and holds its code, the slot holds a copy of the record (also in macro blocks A and B of
// the image) and the slot name list names it. Any refusal changes nothing.
AssignmentResult AssignMacroToSlot(EepromAssignmentState& state, const LibraryRecords& library,
                                   const MacroPick& pick, std::string_view leftName);

struct DriverAssignmentState {
    config::FormModel& form;
    config::DataBuf& dataBuf;
    DriverMacroList& driverList;
};

// LB_NameClick in driver mode: record `pick.macro` of the PC driver macro list for the
// button. The first driver list record with the same 32 name bytes is reused; otherwise a
// copy is appended. The code takes the stop flag of the driver list record it plays. Picks
// from the engineering view act on the clicked button in its own profile, as on the main
// page. Any refusal changes nothing.
AssignmentResult ChangeProfile1StringForDriverMode(DriverAssignmentState& state,
                                                   std::span<const DriverMacroRecord> library,
                                                   const MacroPick& pick, std::string_view leftName);

// --- Apply ------------------------------------------------------------------------------------

// One slot for Apply to write: its 32 name bytes at `nameAddress`, then its 224 body bytes
// at `bodyAddress`, both from the slot table.
struct SlotWrite {
    std::size_t slot = 0;  // 0-based
    std::uint16_t nameAddress = 0;
    std::uint16_t bodyAddress = 0;
    friend bool operator==(const SlotWrite&, const SlotWrite&) = default;
};

// The slots Apply writes, in slot order: those a button plays that the mouse does not hold
// yet. The mouse holds slot i when the name last read from it for slot i is not empty and is
// slot i's entry of the slot name list; another slot's name says nothing about slot i.
std::vector<SlotWrite> SlotsToWrite(const KeyCodeTexts& codeTexts,
                                    const std::array<std::string, kSlotCount>& slotNameList,
                                    const std::array<std::string, kSlotCount>& slotNamesFromMouse);

}  // namespace qeltra3k::macros
