#pragma once
// The values of the engineer-page controls that mirror DataBuf, as plain data. The key,
// advanced and light pages write into these same fields, and the widgets only show them, so
// every rule about them lives here or in FormEditing.h. Field names are the control names.
//
// UIToDataBuf writes the fields into DataBuf; DataBufToUI (and RefreshUI) sets them from it.
// A radio pair with neither button selected, and the orientation, level count, active level
// and fire count lists without a selection, leave the bits they cover as the last load put
// them, so a form that was never shown cannot invent those values. A level value list
// without a selection stores "no value" (0xFF); LedState and KeyModeState are rebuilt whole.
#include "config/ImageLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qeltra3k::config {

// A combo box without a selected item.
inline constexpr int kNoSelection = -1;

// A pair of radio buttons named ...On / ...Off.
enum class OnOff : std::uint8_t { Neither, On, Off };
// rb_Save / rb_NoSave: the mouse remembers its key mode over power-up, or starts in key mode 1.
// The light page shows the same bit as its brightness choice (NoSave = half).
enum class SaveChoice : std::uint8_t { Neither, Save, NoSave };
// rb_MCULED3Control (full brightness) / rb_MCULED6Control (half brightness) of the flowing LED.
enum class FlowBrightness : std::uint8_t { Neither, Full, Half };
// The four LED family radio buttons rb_MCULED, rb_RBLED, rb_SyncLED, rb_BreLED.
enum class LedFamily : std::uint8_t { Neither, MCULED, RBLED, SyncLED, BreLED };

// The two key sets: profile One is key mode 1 (office), Two is key mode 2 (game).
enum class Profile : std::uint8_t { One = 0, Two = 1 };
inline constexpr std::size_t kProfileCount = 2;
inline constexpr std::size_t kMcuModeCount = 7;
inline constexpr std::size_t kSensorOriItemCount = 8;

struct RgbEdits {
    std::string R;
    std::string G;
    std::string B;
};

struct FormModel {
    // --- Buttons --------------------------------------------------------------------------
    // Key function codes of Key1..Key9 as six upper-case hex digits, always equal to the
    // profile bytes of DataBuf; [profile][key - 1].
    std::array<std::array<std::string, kKeysPerProfile>, kProfileCount> keyCodeTexts{};
    // What the buttons show: Key1..Key9 show the profile of the key page's mode, the engineer
    // page's btn_Key101..btn_Key109 and btn_Key201..btn_Key209 show both.
    std::array<std::array<std::string, kKeysPerProfile>, kProfileCount> keyCaptions{};

    // --- ModeFlags --------------------------------------------------------------------------
    OnOff rb_B4CPI = OnOff::Neither;   // rb_B4CPIOn / rb_B4CPIOff: LED on/off by middle key + DPI
    OnOff rb_FireFn = OnOff::Neither;  // group gbFireFn: rb_FireFnOn (Fn + left key) / rb_FireFnOff
    OnOff rb_LCPI = OnOff::Neither;    // rb_LCPIOn / rb_LCPIOff: LED mode by left key + DPI
    SaveChoice rb_Save = SaveChoice::Neither;
    int cb_SensorOri = kNoSelection;   // item 0..7 of the orientation list
    LedFamily ledFamily = LedFamily::Neither;
    // The family as the main window names it ("MCULED", "RBLED", "SyncLED", "BreLED"): set
    // when DataBuf is shown, not by choosing a family radio button. The level colour swatches
    // and the colour dialog follow it.
    std::string ledFamilyName;

    // --- SwitchFlags ------------------------------------------------------------------------
    bool cb_MidPress = false;  // long press of the middle key switches key mode
    bool cb_CPIPress = false;  // long press of the DPI key
    bool cb_GunPress = false;  // long press of the gun key
    bool cb_Smooth = false;

    // --- DPI levels -------------------------------------------------------------------------
    int cb_CPIStep = kNoSelection;  // item index = level count - 2
    // cb_CPI1..cb_CPI7: value index 0..11; no selection stores "no value" (0xFF).
    std::array<int, kMaxLevels> cb_CPI{kNoSelection, kNoSelection, kNoSelection, kNoSelection,
                                       kNoSelection, kNoSelection, kNoSelection};
    std::array<RgbEdits, kMaxLevels> edt_CPI{};  // edt_CPInR, edt_CPInG, edt_CPInB
    int cb_CurrentCPI = kNoSelection;            // active level, 0-based

    // --- Lighting ---------------------------------------------------------------------------
    FlowBrightness rb_MCULEDControl = FlowBrightness::Neither;
    std::string edt_MCULEDNum;                      // flowing LED count 4..13
    std::array<bool, kMcuModeCount> cb_Mode{};      // cb_Mode1..cb_Mode7: MCU mode enabled
    int cb_MCULEDCurrentMode = kNoSelection;        // mode - 1
    int cb_RBLEDCurrentMode = kNoSelection;         // mode - 1
    std::string edt_MCULEDCrtStep;                  // flowing step 0..7
    OnOff rb_LED = OnOff::Neither;                  // rb_LEDOn / rb_LEDOff

    // --- Key mode ---------------------------------------------------------------------------
    int cb_KeyMode = kNoSelection;  // 0 = key mode 1, 1 = key mode 2
    bool cb_KeyModeEnabled = true;  // rb_NoSave disables it

    // --- Identity ---------------------------------------------------------------------------
    std::string edt_VendorID;
    std::string edt_ProductID;

    // --- Aim key ----------------------------------------------------------------------------
    // The aim value: a DPI value table index 0..11 that every aim button receives at the next
    // store. cb_AIMKeyValue shows it; the aim slider stands at value x 100.
    int cb_AIMKeyValue = 0;

    // --- Fire key ---------------------------------------------------------------------------
    int cb_FireCount = kNoSelection;  // item index = repeat count - 1 (items "1".."256")
    bool cb_IsFireContinue = false;   // continuous fire while the key is held
    std::string Edt_Repeat1;          // repeat count on the advanced page
    bool Edt_Repeat1Enabled = true;   // off while continuous fire is ticked
    std::string edt_FireTime;         // interval in 8 ms units, engineer page
    std::string Edt_DelayTime1;       // the same interval, advanced page

    // --- Fire macros ------------------------------------------------------------------------
    std::array<RgbEdits, kFireMacroCount> edt_FireMacroColor{};  // edt_FireMacroColorkR/G/B
    std::array<std::string, kFireMacroCount> edt_YOffset{};      // edt_YOffset1..10, signed text
};

// Name a button shows for a code text (the key-code naming of the current language).
using KeyNameFn = std::function<std::string(std::string_view codeText)>;

// --- Conversions ---------------------------------------------------------------------------

// Writes every field the form covers into DataBuf; every other byte and bit is left as it is.
// Checksums are not touched: the store recomputes them afterwards.
void UIToDataBuf(const FormModel& form, DataBuf& dataBuf);

// Rebuilds the eighteen key code texts from the profile section, then RefreshUI.
void DataBufToUI(FormModel& form, const DataBuf& dataBuf, const KeyNameFn& nameOf, std::string_view aimName);

// Sets every control from DataBuf (the key code texts must already match it), including the
// button captions and the aim value.
void RefreshUI(FormModel& form, const DataBuf& dataBuf, const KeyNameFn& nameOf, std::string_view aimName);
void RefreshProfile1Keys(FormModel& form, const KeyNameFn& nameOf);
void RefreshProfile2Keys(FormModel& form, const KeyNameFn& nameOf);
// The aim value from data byte 1 of the last aim button found, profile 1 first, then
// profile 2. With no aim button, or a byte that is not a DPI table index, it stays as it was.
void RefreshAIMKey(FormModel& form, const KeyNameFn& nameOf, std::string_view aimName);

// Run by the store after UIToDataBuf and before the profile checksum: every aim button, in
// both profiles, gets the aim value; in driver mode (eepromMode false) the fire key's type
// byte follows continuous fire (0x0E continuous, else 0x06). Aim buttons also get their code
// texts updated; the fire key keeps the text it is shown with ("0600F0").
void AIMKeyToDataBuf(FormModel& form, DataBuf& dataBuf, const KeyNameFn& nameOf, std::string_view aimName,
                     std::string_view fireKeyName, bool eepromMode);

// --- Buttons -------------------------------------------------------------------------------

// DataBuf offset of key `keyNumber` (1..9) of a profile; nothing outside 1..9.
std::optional<std::size_t> KeyCodeOffset(Profile profile, std::size_t keyNumber);

// Stores a code for key `keyNumber` (1..9) as its text and its three DataBuf bytes together.
// Nothing changes, and false comes back, for a key outside 1..9 or a text that is not a code.
bool StoreKeyCode(FormModel& form, DataBuf& dataBuf, Profile profile, std::size_t keyNumber,
                  std::string_view codeText);

// A button is the aim key when its name is the aim name and its code really is an aim code,
// so a macro that happens to be named like the aim key is never turned into one.
bool IsAimKey(std::string_view codeText, const KeyNameFn& nameOf, std::string_view aimName);
// A button is the fire key when its name is the fire key's name and its code addresses the
// fire key program (0600F0, or 0E00F0 in driver mode).
bool IsFireKey(std::string_view codeText, const KeyNameFn& nameOf, std::string_view fireKeyName);
// Whether any button of either profile is an aim key.
bool HasAimKey(const FormModel& form, const KeyNameFn& nameOf, std::string_view aimName);

// --- Tables --------------------------------------------------------------------------------

// Orientation code (ModeFlags bits 4..6) of a cb_SensorOri item; nothing outside 0..7.
std::optional<std::uint8_t> SensorOriCode(int item);
// cb_SensorOri item of an orientation code 0..7 (every code has one).
int SensorOriItem(std::uint8_t code);

// The LED family of DataBuf: MCU when ModeFlags bit 7 is clear; otherwise RB when
// SwitchFlags bit 3 is set; otherwise breathing when SwitchFlags bit 4 is set; otherwise sync.
LedFamily DecodeLedFamily(const DataBuf& dataBuf);
// "MCULED", "RBLED", "SyncLED", "BreLED"; empty for Neither.
std::string_view LedFamilyName(LedFamily family);

}  // namespace qeltra3k::config
