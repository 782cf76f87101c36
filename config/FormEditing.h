#pragma once
// The editing rules of the form: what a click or a choice on one control does to the others.
// Each returns what the view must show (a message, a corrected text) instead of showing it.
#include "config/FormModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace qeltra3k::config {

// A message the view shows in a message box with an OK button.
enum class FormMessage : std::uint8_t {
    None,
    KeepLeftKey,   // the language table's "Please keep a Left Key"
    SelectAimKey,  // a fixed text, not in the language tables
};
// Language key of a message ("Str108"); empty for a message with a fixed text.
std::string_view FormMessageLanguageKey(FormMessage message);
// The fixed text of a message ("Please select a AIM Key in Profile!"); empty otherwise.
std::string_view FormMessageFixedText(FormMessage message);

struct EditResult {
    bool applied = false;
    FormMessage message = FormMessage::None;
};

// --- Buttons -------------------------------------------------------------------------------

// Whether the assignment must leave a left click among the nine buttons of the profile.
// Menu, macro and gun-page assignments check; user-defined keys and custom gun keys of the
// engineering view do not.
enum class LeftKeyCheck : std::uint8_t { Check, Skip };

// Whether at least one caption equals the left name.
bool KeepsLeftKey(const std::array<std::string, kKeysPerProfile>& captions, std::string_view leftName);

// Gives key `keyNumber` (1..9) of a profile the caption and the code. With the check, the new
// captions of the profile must still hold the left name; otherwise the key keeps its caption
// and code and the view shows KeepLeftKey. A code text that is not a code changes nothing.
EditResult AssignKeyFunction(FormModel& form, DataBuf& dataBuf, Profile profile, std::size_t keyNumber,
                             std::string_view codeText, std::string_view caption, std::string_view leftName,
                             LeftKeyCheck check = LeftKeyCheck::Check);

// A new aim value from cb_AIMKeyValue (index 0..11): every aim button of both profiles gets it
// at once. With no aim button the value goes back to 0 and the view shows SelectAimKey. An
// index outside the DPI value table changes nothing.
EditResult ChangeAimValue(FormModel& form, DataBuf& dataBuf, int index, const KeyNameFn& nameOf,
                          std::string_view aimName);
// The aim slider released at position x: with an aim button the aim value becomes the
// slider's index (the buttons get it at the next store); without one it becomes 0 and the
// view shows SelectAimKey.
EditResult ReleaseAimSlider(FormModel& form, int x, int dpiCount, const KeyNameFn& nameOf,
                            std::string_view aimName);

// --- Key mode --------------------------------------------------------------------------------

// rb_NoSave sets cb_KeyMode to key mode 1 and disables it; rb_Save enables it again.
void ChooseSaveChoice(FormModel& form, SaveChoice choice);

// The long-press rows of the key page: ticking the middle-key row unticks the DPI-key row and
// the other way round; the gun-key row is independent. (The engineer page's tick boxes are
// plain fields and may hold both.)
void ToggleMidPressRow(FormModel& form);
void ToggleCPIPressRow(FormModel& form);
void ToggleGunPressRow(FormModel& form);

// --- DPI levels ------------------------------------------------------------------------------

// The level count 2..7 of cb_CPIStep, nothing while it has no selection.
std::optional<int> LevelCount(const FormModel& form);
// Levels 1..count are enabled, the others disabled.
bool LevelEnabled(const FormModel& form, std::size_t levelNumber);
// Count list item 0..5 chosen: the highest level becomes the active one.
bool ChooseLevelCount(FormModel& form, int countIndex);
// Click on a level label of the advanced page: the first missing level is added, the highest
// level (3 or more) removed; any other click does nothing.
bool ToggleLevel(FormModel& form, std::size_t levelNumber);
// Active level chosen (1..count); a level above the count is refused.
bool ChooseCurrentLevel(FormModel& form, std::size_t levelNumber);

// --- Fire key --------------------------------------------------------------------------------

// Continuous fire on: count item 255 (stored as endless), Edt_Repeat1 shows "3" and is
// disabled. Off: count item 2, Edt_Repeat1 enabled.
void SetFireContinue(FormModel& form, bool on);
// cb_FireCount item chosen (0..255): Edt_Repeat1 shows index + 1, continuous fire goes off.
bool ChooseFireCount(FormModel& form, int index);
// Edt_Repeat1 changed: corrected, and value n selects count item n - 1. Returns the text the
// field shows. Ignored while the field is disabled.
std::string EditRepeat1(FormModel& form, std::string_view text);
// edt_FireTime / Edt_DelayTime1 changed: each corrected by its own rule and copied into the
// other. Returns the text the changed field shows.
std::string EditFireTime(FormModel& form, std::string_view text);
std::string EditDelayTime1(FormModel& form, std::string_view text);

// --- Lighting --------------------------------------------------------------------------------

// A family radio button chosen: the MCU and RB families start at their mode 2. The family
// name the main window keeps is not changed by this.
void ChooseLedFamily(FormModel& form, LedFamily family);
// cb_Modek ticked or unticked (k = 1..7): the current-mode list is rebuilt and its selection
// returns to the first item.
bool SetMcuModeEnabled(FormModel& form, std::size_t modeNumber, bool enabled);
// Text of current-mode list item k (1..7): the mode's own text while enabled, "------" else.
std::string McuModeItemText(const FormModel& form, std::size_t modeNumber, std::string_view modeText);
// Click on bar position k: the count bar sets count k + 3 (k = 1..10), the step bar step k - 1
// (k = 1..8).
bool ClickLedCountBar(FormModel& form, int position);
bool ClickStepBar(FormModel& form, int position);
// The speed slider released at position x: its index 0..7 by the ruler gives step 7 - index.
// Returns the slider position it snaps to.
int ReleaseSpeedSlider(FormModel& form, int x);
// Where the speed slider stands for the current step.
int SpeedSliderPosition(const FormModel& form);

}  // namespace qeltra3k::config
