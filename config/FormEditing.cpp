#include "config/FormEditing.h"

#include "config/Conversion.h"
#include "config/DpiTable.h"
#include "config/FormFields.h"

#include <algorithm>

namespace qeltra3k::config {

namespace {

constexpr int kLevelCountItems = 6;      // "2" .. "7"
constexpr int kMinLevelCount = 2;
constexpr int kContinuousFireItem = 255;  // stored as 0xFF, like continuous fire
constexpr int kFireCountOffItem = 2;      // three shots
constexpr int kFireCountItems = 256;      // "1" .. "256"
constexpr std::string_view kContinuousRepeatText = "3";
constexpr int kLedCountBarPositions = 10;  // counts 4..13
constexpr int kStepBarPositions = 8;       // steps 0..7
constexpr int kMaxStep = 7;
// The speed slider's ruler: seven segments of 30 pixels, the first centred on 0.
constexpr int kSpeedRulerStart = -15;
constexpr int kSpeedRulerWidth = 30;
constexpr int kSpeedRulerSegments = 7;
constexpr std::string_view kDisabledModeText = "------";

struct MessageText {
    FormMessage message;
    std::string_view languageKey;
    std::string_view fixedText;
};
constexpr std::array<MessageText, 2> kMessages{{
    {FormMessage::KeepLeftKey, "Str108", ""},
    {FormMessage::SelectAimKey, "", "Please select a AIM Key in Profile!"},
}};

const MessageText* FindMessage(FormMessage message)
{
    for (const auto& entry : kMessages)
        if (entry.message == message)
            return &entry;
    return nullptr;
}

}  // namespace

std::string_view FormMessageLanguageKey(FormMessage message)
{
    const MessageText* entry = FindMessage(message);
    return entry ? entry->languageKey : std::string_view{};
}

std::string_view FormMessageFixedText(FormMessage message)
{
    const MessageText* entry = FindMessage(message);
    return entry ? entry->fixedText : std::string_view{};
}

// --- Buttons ---------------------------------------------------------------------------------

bool KeepsLeftKey(const std::array<std::string, kKeysPerProfile>& captions, std::string_view leftName)
{
    return std::any_of(captions.begin(), captions.end(), [&](const std::string& c) { return c == leftName; });
}

EditResult AssignKeyFunction(FormModel& form, DataBuf& dataBuf, Profile profile, std::size_t keyNumber,
                             std::string_view codeText, std::string_view caption, std::string_view leftName,
                             LeftKeyCheck check)
{
    if (!KeyCodeOffset(profile, keyNumber) || !ParseKeyCode(codeText))
        return {};
    auto& captions = form.keyCaptions[static_cast<std::size_t>(profile)];
    std::string& keyCaption = captions[keyNumber - 1];
    // The caption changes first, so the check sees the row as it would be afterwards. On a
    // refusal the key gets its own caption back, which shows the code it still holds.
    std::string previous = keyCaption;
    keyCaption = std::string(caption);
    if (check == LeftKeyCheck::Check && !KeepsLeftKey(captions, leftName)) {
        keyCaption = std::move(previous);
        return {false, FormMessage::KeepLeftKey};
    }
    StoreKeyCode(form, dataBuf, profile, keyNumber, codeText);
    return {true, FormMessage::None};
}

EditResult ChangeAimValue(FormModel& form, DataBuf& dataBuf, int index, const KeyNameFn& nameOf,
                          std::string_view aimName)
{
    if (!DpiForIndex(index))
        return {};
    bool anyAimKey = false;
    const KeyCode aim{code_type::Aim, static_cast<std::uint8_t>(index), 0x00};
    for (const Profile profile : {Profile::One, Profile::Two}) {
        for (std::size_t key = 1; key <= kKeysPerProfile; ++key) {
            if (IsAimKey(form.keyCodeTexts[static_cast<std::size_t>(profile)][key - 1], nameOf, aimName)) {
                StoreKeyCode(form, dataBuf, profile, key, KeyCodeText(aim));
                anyAimKey = true;
            }
        }
    }
    if (!anyAimKey) {
        form.cb_AIMKeyValue = 0;
        return {false, FormMessage::SelectAimKey};
    }
    form.cb_AIMKeyValue = index;
    return {true, FormMessage::None};
}

EditResult ReleaseAimSlider(FormModel& form, int x, int dpiCount, const KeyNameFn& nameOf,
                            std::string_view aimName)
{
    if (!HasAimKey(form, nameOf, aimName)) {
        form.cb_AIMKeyValue = 0;
        return {false, FormMessage::SelectAimKey};
    }
    form.cb_AIMKeyValue = DpiSliderIndex(x, dpiCount);
    return {true, FormMessage::None};
}

// --- Key mode --------------------------------------------------------------------------------

void ChooseSaveChoice(FormModel& form, SaveChoice choice)
{
    form.rb_Save = choice;
    if (choice == SaveChoice::NoSave) {
        form.cb_KeyMode = 0;
        form.cb_KeyModeEnabled = false;
    } else if (choice == SaveChoice::Save) {
        form.cb_KeyModeEnabled = true;
    }
}

void ToggleMidPressRow(FormModel& form)
{
    form.cb_MidPress = !form.cb_MidPress;
    if (form.cb_MidPress)
        form.cb_CPIPress = false;
}

void ToggleCPIPressRow(FormModel& form)
{
    form.cb_CPIPress = !form.cb_CPIPress;
    if (form.cb_CPIPress)
        form.cb_MidPress = false;
}

void ToggleGunPressRow(FormModel& form) { form.cb_GunPress = !form.cb_GunPress; }

// --- DPI levels ------------------------------------------------------------------------------

std::optional<int> LevelCount(const FormModel& form)
{
    if (form.cb_CPIStep < 0 || form.cb_CPIStep >= kLevelCountItems)
        return std::nullopt;
    return form.cb_CPIStep + kMinLevelCount;
}

bool LevelEnabled(const FormModel& form, std::size_t levelNumber)
{
    const auto count = LevelCount(form);
    return count && levelNumber >= 1 && levelNumber <= static_cast<std::size_t>(*count);
}

bool ChooseLevelCount(FormModel& form, int countIndex)
{
    if (countIndex < 0 || countIndex >= kLevelCountItems)
        return false;
    form.cb_CPIStep = countIndex;
    form.cb_CurrentCPI = countIndex + kMinLevelCount - 1;
    return true;
}

bool ToggleLevel(FormModel& form, std::size_t levelNumber)
{
    const auto count = LevelCount(form);
    if (!count)
        return false;
    const auto n = static_cast<int>(levelNumber);
    if (n == *count + 1 && n <= static_cast<int>(kMaxLevels))
        return ChooseLevelCount(form, n - kMinLevelCount);
    if (n == *count && n > kMinLevelCount)
        return ChooseLevelCount(form, n - 1 - kMinLevelCount);
    return false;
}

bool ChooseCurrentLevel(FormModel& form, std::size_t levelNumber)
{
    if (!LevelEnabled(form, levelNumber))
        return false;
    form.cb_CurrentCPI = static_cast<int>(levelNumber) - 1;
    return true;
}

// --- Fire key --------------------------------------------------------------------------------

void SetFireContinue(FormModel& form, bool on)
{
    form.cb_IsFireContinue = on;
    form.Edt_Repeat1Enabled = !on;
    if (on) {
        form.cb_FireCount = kContinuousFireItem;
        form.Edt_Repeat1 = std::string(kContinuousRepeatText);
    } else {
        form.cb_FireCount = kFireCountOffItem;
    }
}

bool ChooseFireCount(FormModel& form, int index)
{
    if (index < 0 || index >= kFireCountItems)
        return false;
    SetFireContinue(form, false);
    form.cb_FireCount = index;
    form.Edt_Repeat1 = std::to_string(index + 1);
    return true;
}

std::string EditRepeat1(FormModel& form, std::string_view text)
{
    if (!form.Edt_Repeat1Enabled)
        return form.Edt_Repeat1;
    form.Edt_Repeat1 = CorrectRepeatText(text);
    form.cb_FireCount = RepeatValue(form.Edt_Repeat1) - 1;
    return form.Edt_Repeat1;
}

std::string EditFireTime(FormModel& form, std::string_view text)
{
    form.edt_FireTime = CorrectFireTimeText(text);
    form.Edt_DelayTime1 = form.edt_FireTime;
    return form.edt_FireTime;
}

std::string EditDelayTime1(FormModel& form, std::string_view text)
{
    form.Edt_DelayTime1 = CorrectDelayTimeText(text);
    form.edt_FireTime = form.Edt_DelayTime1;
    return form.Edt_DelayTime1;
}

// --- Lighting --------------------------------------------------------------------------------

void ChooseLedFamily(FormModel& form, LedFamily family)
{
    form.ledFamily = family;
    if (family == LedFamily::MCULED)
        form.cb_MCULEDCurrentMode = 1;
    else if (family == LedFamily::RBLED)
        form.cb_RBLEDCurrentMode = 1;
}

bool SetMcuModeEnabled(FormModel& form, std::size_t modeNumber, bool enabled)
{
    if (modeNumber < 1 || modeNumber > kMcuModeCount)
        return false;
    form.cb_Mode[modeNumber - 1] = enabled;
    form.cb_MCULEDCurrentMode = 0;
    return true;
}

std::string McuModeItemText(const FormModel& form, std::size_t modeNumber, std::string_view modeText)
{
    if (modeNumber < 1 || modeNumber > kMcuModeCount || !form.cb_Mode[modeNumber - 1])
        return std::string(kDisabledModeText);
    return std::string(modeText);
}

bool ClickLedCountBar(FormModel& form, int position)
{
    if (position < 1 || position > kLedCountBarPositions)
        return false;
    form.edt_MCULEDNum = std::to_string(position + 3);
    return true;
}

bool ClickStepBar(FormModel& form, int position)
{
    if (position < 1 || position > kStepBarPositions)
        return false;
    form.edt_MCULEDCrtStep = std::to_string(position - 1);
    return true;
}

int ReleaseSpeedSlider(FormModel& form, int x)
{
    const int index = RulerIndex(x, kSpeedRulerStart, kSpeedRulerWidth, kSpeedRulerSegments);
    form.edt_MCULEDCrtStep = std::to_string(kMaxStep - index);
    return index * 100;
}

int SpeedSliderPosition(const FormModel& form) { return (kMaxStep - StepValue(form.edt_MCULEDCrtStep)) * 100; }

}  // namespace qeltra3k::config
