#include "config/FormModel.h"

#include "config/Conversion.h"
#include "config/DpiTable.h"
#include "config/FormEditing.h"
#include "config/FormFields.h"

#include <span>

namespace qeltra3k::config {

namespace {

// Bits of the parameter A flag bytes.
namespace bit {
// ModeFlags
constexpr std::uint8_t B4CPIOn = 0x01;
constexpr std::uint8_t FireFnOn = 0x02;
constexpr std::uint8_t LCPIOn = 0x04;
constexpr std::uint8_t NoSave = 0x08;
constexpr std::uint8_t SensorOriMask = 0x70;
constexpr int SensorOriShift = 4;
constexpr std::uint8_t NotMcuFamily = 0x80;
// SwitchFlags
constexpr std::uint8_t MidPress = 0x01;
constexpr std::uint8_t CPIPress = 0x02;
constexpr std::uint8_t GunPress = 0x04;
constexpr std::uint8_t FamilyA = 0x08;  // set for the MCU and RB families
constexpr std::uint8_t FamilyB = 0x10;  // breathing rather than sync
constexpr std::uint8_t Smooth = 0x20;
// LedFlowFlags
constexpr std::uint8_t FullBrightness = 0x08;
constexpr std::uint8_t LedCountNibbleMask = 0xF0;
constexpr int LedCountShift = 4;
// LedModeMask: bit 0 is always set, bit k enables MCU mode k.
constexpr std::uint8_t ModeMaskBase = 0x01;
// LedState
constexpr std::uint8_t LedModeMask = 0x07;
constexpr std::uint8_t LedOff = 0x08;
constexpr int StepShift = 5;
// KeyModeState
constexpr std::uint8_t KeyMode2 = 0x80;
}  // namespace bit

// Highest flowing LED count; the nibble holds 13 - count.
constexpr int kMaxLedCount = 13;
// The nibble values of counts 4..13; anything above is not a count.
constexpr int kLastLedCountNibble = 9;
constexpr int kLevelCountItems = 6;  // "2" .. "7"
constexpr int kMinLevelCount = 2;

// Orientation code of each cb_SensorOri item ("0°", "90 °", "180 °", "270 °", X mirrored,
// Y mirrored, swapped and inverted, swapped not inverted).
constexpr std::array<std::uint8_t, kSensorOriItemCount> kSensorOriCodes{7, 2, 4, 1, 6, 5, 0, 3};

struct FamilyName {
    LedFamily family;
    std::string_view name;
};
constexpr std::array<FamilyName, 4> kFamilyNames{{
    {LedFamily::MCULED, "MCULED"},
    {LedFamily::RBLED, "RBLED"},
    {LedFamily::SyncLED, "SyncLED"},
    {LedFamily::BreLED, "BreLED"},
}};

void SetBits(std::uint8_t& byte, std::uint8_t mask, bool on)
{
    byte = static_cast<std::uint8_t>(on ? (byte | mask) : (byte & ~mask));
}

// A radio pair writes its bit only while one of its buttons is selected.
void WritePair(std::uint8_t& byte, std::uint8_t mask, OnOff pair)
{
    if (pair != OnOff::Neither)
        SetBits(byte, mask, pair == OnOff::On);
}

OnOff PairFromBit(std::uint8_t byte, std::uint8_t mask)
{
    return (byte & mask) != 0 ? OnOff::On : OnOff::Off;
}

// Writes a value byte and its complement (255 minus it) behind it.
void WriteComplementPair(DataBuf& dataBuf, std::size_t offset, std::uint8_t value)
{
    dataBuf[offset] = value;
    dataBuf[offset + 1] = static_cast<std::uint8_t>(255 - value);
}

bool InRange(int value, int first, int last) { return value >= first && value <= last; }

void WriteLedFamily(const FormModel& form, DataBuf& dataBuf)
{
    std::uint8_t& mode = dataBuf[field::ModeFlags];
    std::uint8_t& switches = dataBuf[field::SwitchFlags];
    switch (form.ledFamily) {
    case LedFamily::Neither:
        return;
    case LedFamily::MCULED:
        SetBits(mode, bit::NotMcuFamily, false);
        SetBits(switches, bit::FamilyA, true);
        return;
    case LedFamily::RBLED:
        SetBits(mode, bit::NotMcuFamily, true);
        SetBits(switches, bit::FamilyA, true);
        return;
    case LedFamily::SyncLED:
        SetBits(mode, bit::NotMcuFamily, true);
        SetBits(switches, bit::FamilyA, false);
        SetBits(switches, bit::FamilyB, false);
        return;
    case LedFamily::BreLED:
        SetBits(mode, bit::NotMcuFamily, true);
        SetBits(switches, bit::FamilyA, false);
        SetBits(switches, bit::FamilyB, true);
        return;
    }
}

// Mode number 1..7 of a current-mode list, 0 when it has no selection.
std::uint8_t ModeNumber(int item)
{
    return InRange(item, 0, static_cast<int>(kMcuModeCount) - 1) ? static_cast<std::uint8_t>(item + 1) : 0;
}

std::uint8_t LedStateByte(const FormModel& form)
{
    std::uint8_t state = 0;
    if (form.ledFamily == LedFamily::MCULED) {
        state = ModeNumber(form.cb_MCULEDCurrentMode);
        state |= static_cast<std::uint8_t>(StepValue(form.edt_MCULEDCrtStep) << bit::StepShift);
    } else if (form.ledFamily == LedFamily::RBLED) {
        state = ModeNumber(form.cb_RBLEDCurrentMode);
    }
    if (form.rb_LED == OnOff::Off)
        state |= bit::LedOff;
    return state;
}

std::string Decimal(std::uint8_t value) { return std::to_string(value); }

void RefreshModeFlags(FormModel& form, const DataBuf& dataBuf)
{
    const std::uint8_t mode = dataBuf[field::ModeFlags];
    form.rb_B4CPI = PairFromBit(mode, bit::B4CPIOn);
    form.rb_FireFn = PairFromBit(mode, bit::FireFnOn);
    form.rb_LCPI = PairFromBit(mode, bit::LCPIOn);
    ChooseSaveChoice(form, (mode & bit::NoSave) != 0 ? SaveChoice::NoSave : SaveChoice::Save);
    form.cb_SensorOri = SensorOriItem(static_cast<std::uint8_t>((mode & bit::SensorOriMask) >> bit::SensorOriShift));

    const std::uint8_t switches = dataBuf[field::SwitchFlags];
    form.cb_MidPress = (switches & bit::MidPress) != 0;
    form.cb_CPIPress = (switches & bit::CPIPress) != 0;
    form.cb_GunPress = (switches & bit::GunPress) != 0;
    form.cb_Smooth = (switches & bit::Smooth) != 0;
}

void RefreshLevels(FormModel& form, const DataBuf& dataBuf)
{
    // The count change selects the highest level; the loaded active level then replaces it.
    // A count outside 2..7 leaves the lists without a selection, and the store leaves the
    // loaded bytes alone.
    const int countIndex = dataBuf[field::LevelCount] - kMinLevelCount;
    if (!ChooseLevelCount(form, countIndex)) {
        form.cb_CPIStep = kNoSelection;
        form.cb_CurrentCPI = kNoSelection;
    }
    for (std::size_t level = 0; level < kMaxLevels; ++level) {
        const std::size_t colour = field::LevelColour + 3 * level;
        form.edt_CPI[level] = {Decimal(dataBuf[colour]), Decimal(dataBuf[colour + 1]), Decimal(dataBuf[colour + 2])};
        const std::uint8_t value = dataBuf[field::LevelValue + level];
        form.cb_CPI[level] = value < kDpiValueCount ? value : kNoSelection;
    }
    const int current = dataBuf[field::CurrentLevel];
    const auto count = LevelCount(form);
    form.cb_CurrentCPI = count && current < *count ? current : kNoSelection;
}

void RefreshLighting(FormModel& form, const DataBuf& dataBuf)
{
    form.ledFamily = DecodeLedFamily(dataBuf);
    form.ledFamilyName = std::string(LedFamilyName(form.ledFamily));

    // The enabled modes come before the current mode: enabling a mode resets the current
    // mode list's selection, which must not wipe the mode just loaded.
    const std::uint8_t modeMask = dataBuf[field::LedModeMask];
    for (std::size_t k = 0; k < kMcuModeCount; ++k)
        form.cb_Mode[k] = (modeMask & (1u << (k + 1))) != 0;

    const std::uint8_t state = dataBuf[field::LedState];
    const int modeItem = (state & bit::LedModeMask) - 1;
    if (form.ledFamily == LedFamily::MCULED) {
        form.cb_MCULEDCurrentMode = modeItem;
        form.edt_MCULEDCrtStep = Decimal(static_cast<std::uint8_t>(state >> bit::StepShift));
    } else if (form.ledFamily == LedFamily::RBLED) {
        form.cb_RBLEDCurrentMode = modeItem;
    }
    form.rb_LED = (state & bit::LedOff) != 0 ? OnOff::Off : OnOff::On;

    const std::uint8_t flow = dataBuf[field::LedFlowFlags];
    const int nibble = (flow & bit::LedCountNibbleMask) >> bit::LedCountShift;
    if (nibble <= kLastLedCountNibble)
        form.edt_MCULEDNum = std::to_string(kMaxLedCount - nibble);
    form.rb_MCULEDControl = (flow & bit::FullBrightness) != 0 ? FlowBrightness::Full : FlowBrightness::Half;
}

void RefreshFireKey(FormModel& form, const DataBuf& dataBuf)
{
    const std::uint8_t repeat = dataBuf[field::FireKeyRepeatCount];
    if (repeat == 0xFF) {
        SetFireContinue(form, true);
    } else {
        // Unticking first: its own effect (item 2) must not replace the loaded count.
        SetFireContinue(form, false);
        form.cb_FireCount = repeat;
        form.Edt_Repeat1 = std::to_string(repeat + 1);
    }
    form.edt_FireTime = Decimal(dataBuf[field::FireKeyInterval]);
    form.Edt_DelayTime1 = form.edt_FireTime;
}

void RefreshFireMacros(FormModel& form, const DataBuf& dataBuf)
{
    for (std::size_t k = 0; k < kFireMacroCount; ++k) {
        const std::size_t colour = field::FireMacroColourTable + 3 * k;
        form.edt_FireMacroColor[k] = {Decimal(dataBuf[colour]), Decimal(dataBuf[colour + 1]),
                                      Decimal(dataBuf[colour + 2])};
        form.edt_YOffset[k] = YOffsetText(dataBuf[field::FireMacroOffsetTable + 2 * k]);
    }
}

void RefreshProfileKeys(FormModel& form, Profile profile, const KeyNameFn& nameOf)
{
    const auto p = static_cast<std::size_t>(profile);
    for (std::size_t k = 0; k < kKeysPerProfile; ++k)
        form.keyCaptions[p][k] = nameOf ? nameOf(form.keyCodeTexts[p][k]) : std::string{};
}

}  // namespace

// --- Conversions -----------------------------------------------------------------------------

void UIToDataBuf(const FormModel& form, DataBuf& dataBuf)
{
    std::uint8_t& mode = dataBuf[field::ModeFlags];
    WritePair(mode, bit::B4CPIOn, form.rb_B4CPI);
    WritePair(mode, bit::FireFnOn, form.rb_FireFn);
    WritePair(mode, bit::LCPIOn, form.rb_LCPI);
    if (form.rb_Save != SaveChoice::Neither)
        SetBits(mode, bit::NoSave, form.rb_Save == SaveChoice::NoSave);
    if (const auto code = SensorOriCode(form.cb_SensorOri))
        mode = static_cast<std::uint8_t>((mode & ~bit::SensorOriMask) | (*code << bit::SensorOriShift));
    WriteLedFamily(form, dataBuf);

    std::uint8_t& switches = dataBuf[field::SwitchFlags];
    SetBits(switches, bit::MidPress, form.cb_MidPress);
    SetBits(switches, bit::CPIPress, form.cb_CPIPress);
    SetBits(switches, bit::GunPress, form.cb_GunPress);
    SetBits(switches, bit::Smooth, form.cb_Smooth);

    if (InRange(form.cb_CPIStep, 0, kLevelCountItems - 1))
        dataBuf[field::LevelCount] = static_cast<std::uint8_t>(form.cb_CPIStep + kMinLevelCount);

    std::uint8_t& flow = dataBuf[field::LedFlowFlags];
    if (form.rb_MCULEDControl != FlowBrightness::Neither)
        SetBits(flow, bit::FullBrightness, form.rb_MCULEDControl == FlowBrightness::Full);
    const int nibble = kMaxLedCount - LedCountValue(form.edt_MCULEDNum);
    flow = static_cast<std::uint8_t>((flow & ~bit::LedCountNibbleMask) | (nibble << bit::LedCountShift));

    if (form.ledFamily == LedFamily::MCULED) {
        std::uint8_t modeMask = bit::ModeMaskBase;
        for (std::size_t k = 0; k < kMcuModeCount; ++k)
            if (form.cb_Mode[k])
                modeMask |= static_cast<std::uint8_t>(1u << (k + 1));
        dataBuf[field::LedModeMask] = modeMask;
    }

    for (std::size_t level = 0; level < kMaxLevels; ++level) {
        const int item = form.cb_CPI[level];
        dataBuf[field::LevelValue + level] =
            InRange(item, 0, static_cast<int>(kDpiValueCount) - 1) ? static_cast<std::uint8_t>(item) : kNoLevelValue;
    }
    for (std::size_t level = 0; level < kMaxLevels; ++level) {
        const std::size_t colour = field::LevelColour + 3 * level;
        dataBuf[colour] = ColourValue(form.edt_CPI[level].R);
        dataBuf[colour + 1] = ColourValue(form.edt_CPI[level].G);
        dataBuf[colour + 2] = ColourValue(form.edt_CPI[level].B);
    }

    // Without a selected level the loaded one stays: writing the missing index would store
    // level 256 with a matching complement, which the section check could never catch.
    if (InRange(form.cb_CurrentCPI, 0, static_cast<int>(kMaxLevels) - 1))
        WriteComplementPair(dataBuf, field::CurrentLevel, static_cast<std::uint8_t>(form.cb_CurrentCPI));
    WriteComplementPair(dataBuf, field::LedState, LedStateByte(form));
    WriteComplementPair(dataBuf, field::KeyModeState, form.cb_KeyMode == 1 ? bit::KeyMode2 : 0);

    dataBuf[field::VendorByte] = IdValue(form.edt_VendorID);
    dataBuf[field::ProductByte] = IdValue(form.edt_ProductID);

    for (std::size_t k = 0; k < kFireMacroCount; ++k) {
        if (const auto offset = YOffsetByte(form.edt_YOffset[k]))
            WriteComplementPair(dataBuf, field::FireMacroOffsetTable + 2 * k, *offset);
    }
    for (std::size_t k = 0; k < kFireMacroCount; ++k) {
        const std::size_t colour = field::FireMacroColourTable + 3 * k;
        dataBuf[colour] = ColourValue(form.edt_FireMacroColor[k].R);
        dataBuf[colour + 1] = ColourValue(form.edt_FireMacroColor[k].G);
        dataBuf[colour + 2] = ColourValue(form.edt_FireMacroColor[k].B);
    }

    if (form.cb_IsFireContinue)
        dataBuf[field::FireKeyRepeatCount] = 0xFF;
    else if (InRange(form.cb_FireCount, 0, 255))
        dataBuf[field::FireKeyRepeatCount] = static_cast<std::uint8_t>(form.cb_FireCount);
    dataBuf[field::FireKeyInterval] = FireTimeValue(form.edt_FireTime);
}

void DataBufToUI(FormModel& form, const DataBuf& dataBuf, const KeyNameFn& nameOf, std::string_view aimName)
{
    for (const Profile profile : {Profile::One, Profile::Two}) {
        for (std::size_t key = 1; key <= kKeysPerProfile; ++key) {
            const auto code = ReadKeyCode(dataBuf, *KeyCodeOffset(profile, key));
            form.keyCodeTexts[static_cast<std::size_t>(profile)][key - 1] = KeyCodeText(*code);
        }
    }
    RefreshUI(form, dataBuf, nameOf, aimName);
}

void RefreshUI(FormModel& form, const DataBuf& dataBuf, const KeyNameFn& nameOf, std::string_view aimName)
{
    RefreshLighting(form, dataBuf);
    RefreshModeFlags(form, dataBuf);
    RefreshLevels(form, dataBuf);
    // After the save choice: rb_NoSave forces key mode 1, then the loaded key mode is shown.
    form.cb_KeyMode = (dataBuf[field::KeyModeState] & bit::KeyMode2) != 0 ? 1 : 0;
    form.edt_VendorID = Decimal(dataBuf[field::VendorByte]);
    form.edt_ProductID = Decimal(dataBuf[field::ProductByte]);
    RefreshFireMacros(form, dataBuf);
    RefreshFireKey(form, dataBuf);
    RefreshProfile1Keys(form, nameOf);
    RefreshProfile2Keys(form, nameOf);
    RefreshAIMKey(form, nameOf, aimName);
}

void RefreshProfile1Keys(FormModel& form, const KeyNameFn& nameOf) { RefreshProfileKeys(form, Profile::One, nameOf); }

void RefreshProfile2Keys(FormModel& form, const KeyNameFn& nameOf) { RefreshProfileKeys(form, Profile::Two, nameOf); }

void RefreshAIMKey(FormModel& form, const KeyNameFn& nameOf, std::string_view aimName)
{
    std::optional<std::uint8_t> lastAimValue;
    for (const auto& profileTexts : form.keyCodeTexts) {
        for (const std::string& text : profileTexts) {
            if (IsAimKey(text, nameOf, aimName))
                lastAimValue = ParseKeyCode(text)->data1;
        }
    }
    // The aim value must stay an index of the DPI value table.
    if (lastAimValue && *lastAimValue < kDpiValueCount)
        form.cb_AIMKeyValue = *lastAimValue;
}

void AIMKeyToDataBuf(FormModel& form, DataBuf& dataBuf, const KeyNameFn& nameOf, std::string_view aimName,
                     std::string_view fireKeyName, bool eepromMode)
{
    const bool aimValueValid = InRange(form.cb_AIMKeyValue, 0, static_cast<int>(kDpiValueCount) - 1);
    for (const Profile profile : {Profile::One, Profile::Two}) {
        for (std::size_t key = 1; key <= kKeysPerProfile; ++key) {
            const std::string text = form.keyCodeTexts[static_cast<std::size_t>(profile)][key - 1];
            if (aimValueValid && IsAimKey(text, nameOf, aimName)) {
                const KeyCode aim{code_type::Aim, static_cast<std::uint8_t>(form.cb_AIMKeyValue), 0x00};
                StoreKeyCode(form, dataBuf, profile, key, KeyCodeText(aim));
            } else if (!eepromMode && IsFireKey(text, nameOf, fireKeyName)) {
                // Only the stored type changes: the fire key is shown as 0600F0 in either mode.
                dataBuf[*KeyCodeOffset(profile, key)] =
                    form.cb_IsFireContinue ? code_type::DeviceMacroHeld : code_type::DeviceMacro;
            }
        }
    }
}

// --- Buttons ---------------------------------------------------------------------------------

std::optional<std::size_t> KeyCodeOffset(Profile profile, std::size_t keyNumber)
{
    if (keyNumber < 1 || keyNumber > kKeysPerProfile)
        return std::nullopt;
    const std::size_t first = profile == Profile::One ? field::Profile1 : field::Profile2;
    return first + kKeyCodeSize * (keyNumber - 1);
}

bool StoreKeyCode(FormModel& form, DataBuf& dataBuf, Profile profile, std::size_t keyNumber,
                  std::string_view codeText)
{
    const auto offset = KeyCodeOffset(profile, keyNumber);
    const auto code = ParseKeyCode(codeText);
    if (!offset || !code)
        return false;
    WriteKeyCode(dataBuf, *offset, *code);
    form.keyCodeTexts[static_cast<std::size_t>(profile)][keyNumber - 1] = KeyCodeText(*code);
    return true;
}

bool IsAimKey(std::string_view codeText, const KeyNameFn& nameOf, std::string_view aimName)
{
    const auto code = ParseKeyCode(codeText);
    return code && code->type == code_type::Aim && nameOf && nameOf(codeText) == aimName;
}

bool IsFireKey(std::string_view codeText, const KeyNameFn& nameOf, std::string_view fireKeyName)
{
    const auto code = ParseKeyCode(codeText);
    return code && (code->type == code_type::DeviceMacro || code->type == code_type::DeviceMacroHeld) &&
           code->Address() == kFireKeyAddress && nameOf && nameOf(codeText) == fireKeyName;
}

bool HasAimKey(const FormModel& form, const KeyNameFn& nameOf, std::string_view aimName)
{
    for (const auto& profileTexts : form.keyCodeTexts)
        for (const std::string& text : profileTexts)
            if (IsAimKey(text, nameOf, aimName))
                return true;
    return false;
}

// --- Tables ----------------------------------------------------------------------------------

std::optional<std::uint8_t> SensorOriCode(int item)
{
    if (!InRange(item, 0, static_cast<int>(kSensorOriItemCount) - 1))
        return std::nullopt;
    return kSensorOriCodes[static_cast<std::size_t>(item)];
}

int SensorOriItem(std::uint8_t code)
{
    for (std::size_t item = 0; item < kSensorOriCodes.size(); ++item)
        if (kSensorOriCodes[item] == code)
            return static_cast<int>(item);
    return kNoSelection;
}

LedFamily DecodeLedFamily(const DataBuf& dataBuf)
{
    const std::uint8_t mode = dataBuf[field::ModeFlags];
    const std::uint8_t switches = dataBuf[field::SwitchFlags];
    if ((mode & bit::NotMcuFamily) == 0)
        return LedFamily::MCULED;
    if ((switches & bit::FamilyA) != 0)
        return LedFamily::RBLED;
    if ((switches & bit::FamilyB) != 0)
        return LedFamily::BreLED;
    return LedFamily::SyncLED;
}

std::string_view LedFamilyName(LedFamily family)
{
    for (const auto& entry : kFamilyNames)
        if (entry.family == family)
            return entry.name;
    return {};
}

}  // namespace qeltra3k::config
