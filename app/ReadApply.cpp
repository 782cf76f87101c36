// Read and Apply in both modes, Confirm, and the reads that happen on demand (the fire macro
// block, a device slot's name).
#include <algorithm>

#include "app/Controller.h"
#include "app/ControllerSteps.h"
#include "config/Checksum.h"
#include "config/Conversion.h"
#include "config/DpiTable.h"
#include "config/FormFields.h"
#include "macros/MacroAssignment.h"

namespace qeltra3k::app {

namespace {

std::uint8_t Complement(std::uint8_t value)
{
    return static_cast<std::uint8_t>(0xFF - value);
}

}  // namespace

// ------------------------------------------------------------------------------ buttons

Outcome Controller::Btn_Read_0Click()
{
    if (RefuseWithoutDevice())
        return Outcome::NoDevice;
    return eepromMode_ ? ReadDevInfo(false) : ReadDriverDevInfo();
}

Outcome Controller::Btn_Apply_0Click()
{
    if (RefuseWithoutDevice())
        return Outcome::NoDevice;
    PauseSteps(kButtonEntrySteps);
    return eepromMode_ ? DownloadParameter() : DownloadDriverParameter();
}

Outcome Controller::Btn_Confirm_0Click()
{
    if (RefuseWithoutDevice())
        return Outcome::NoDevice;
    PauseSteps(kButtonEntrySteps);
    const Outcome outcome = eepromMode_ ? DownloadParameter() : DownloadDriverParameter();
    PauseSteps(kButtonEntrySteps);
    // Closing after a failed apply would throw away every change on screen: the window
    // stays so the user can try again or save a profile.
    if (outcome == Outcome::Done)
        view_.CloseMainWindow();
    return outcome;
}

// ------------------------------------------------------------------------------ Read

Outcome Controller::Btn_Read(bool fullRead)
{
    BusyFrameStart();
    view_.Refresh(RefreshRequest::PcMacroList);

    const auto length = static_cast<std::uint16_t>(fullRead ? config::kImageSize : config::kSettingsStretchLength);
    // A block the mouse refuses reads as 0xFF; the section checks below replace what that
    // breaks, so the read goes on either way.
    const bool read = protocol_.ReadBlock(0, length, deviceImage_, true);
    config::LoadSections(deviceImage_, dataBuf_);
    if (fullRead) {
        LoadMacroSlotsFromImage();
        LoadFireMacroBlockFromImage();
    }

    ShowDataBuf();
    view_.Refresh(RefreshRequest::PointerSettingsToForm);
    noDevice_ = false;
    view_.Refresh(RefreshRequest::PageState);
    view_.Refresh(RefreshRequest::MainPageAction);
    view_.HideBusyOverlay();

    const bool closed = EndTransaction();
    BusyFrameEnd();
    return read && closed ? Outcome::Done : Outcome::TransferFailed;
}

// ------------------------------------------------------------------------------ Apply, EEPROM mode

Outcome Controller::DownloadParameter()
{
    view_.CloseMenus();
    BusyFrameStart();

    config::UIToDataBuf(form_, dataBuf_);
    config::AIMKeyToDataBuf(form_, dataBuf_, NameOf(), Text(kAimNameKey), Text(kFireKeyNameKey), true);
    config::StoreSections(dataBuf_, deviceImage_);
    deviceSlots_.RefreshBaseMacroBuf(deviceImage_);
    // Edits of the fire macro page live in the working copy until they are packed.
    fireMacros_.Pack();
    std::copy(fireMacros_.Block().begin(), fireMacros_.Block().end(),
              deviceImage_.begin() + static_cast<std::ptrdiff_t>(config::kFireMacroBlock.offset));

    view_.ShowLoadingWindow();
    view_.Refresh(RefreshRequest::PointerSettingsToSystem);

    // The chip code is not needed to write here, only the memory-ready flag.
    const Outcome outcome = WriteTransaction(false, [this] {
        const bool settings = protocol_.WriteBlock(0, config::kSettingsStretchLength, deviceImage_);
        const bool macroBlocks = WriteMacroBlocks();
        return settings && macroBlocks ? Outcome::Done : Outcome::TransferFailed;
    });

    view_.Refresh(RefreshRequest::Form);
    BusyFrameEnd();
    return outcome;
}

bool Controller::WriteMacroBlocks()
{
    bool ok = true;
    if (fireMacroBlockLoaded_)
        ok = protocol_.WriteBlock(static_cast<std::uint16_t>(config::kFireMacroBlock.offset),
                                  static_cast<std::uint16_t>(fireMacros_.Block().size()), fireMacros_.Block()) &&
             ok;

    // The slots a button plays that the mouse does not hold yet.
    for (const macros::SlotWrite& write : macros::SlotsToWrite(form_.keyCodeTexts, macroNameList_, slotNamesFromMouse_)) {
        const macros::MacroRecord& record = deviceSlots_.Slots()[write.slot];
        ok = protocol_.WriteBlock(write.nameAddress, macros::kNameSize, record.name) && ok;
        ok = protocol_.WriteBlock(write.bodyAddress, macros::kEepromBodySize, record.body) && ok;
    }
    return ok;
}

// ------------------------------------------------------------------------------ Apply, driver mode

Outcome Controller::DownloadDriverParameter()
{
    view_.CloseMenus();
    BusyFrameStart();

    config::AIMKeyToDataBuf(form_, dataBuf_, NameOf(), Text(kAimNameKey), Text(kFireKeyNameKey), false);
    config::CopyProfileToDriver(dataBuf_, driverCopies_);

    // Parameter B: key mode, active level with the smooth option beside it.
    namespace f = config::field;
    dataBuf_[f::KeyModeState] = form_.cb_KeyMode == 1 ? 0x80 : 0x00;
    dataBuf_[f::KeyModeState + 1] = Complement(dataBuf_[f::KeyModeState]);
    const std::uint8_t smooth = form_.cb_Smooth ? 0x80 : 0x00;
    if (form_.cb_CurrentCPI >= 0)
        dataBuf_[f::CurrentLevel] = static_cast<std::uint8_t>(form_.cb_CurrentCPI | smooth);
    dataBuf_[f::CurrentLevel + 1] = Complement(dataBuf_[f::CurrentLevel]);
    config::CopyParameterBToDriver(dataBuf_, driverCopies_);

    // Fire key: count and interval; the driver keeps 0 in the checksum byte.
    if (form_.cb_IsFireContinue)
        dataBuf_[f::FireKeyRepeatCount] = 0xFF;
    else if (form_.cb_FireCount >= 0)
        dataBuf_[f::FireKeyRepeatCount] = static_cast<std::uint8_t>(form_.cb_FireCount);
    dataBuf_[f::FireKeyInterval] = config::FireTimeValue(form_.edt_FireTime);
    dataBuf_[f::FireKeyChecksum] = 0;

    // Parameter A: level values and count.
    for (std::size_t level = 0; level < config::kMaxLevels; ++level) {
        const int index = form_.cb_CPI[level];
        dataBuf_[f::LevelValue + level] = index >= 0 ? static_cast<std::uint8_t>(index) : config::kNoLevelValue;
    }
    if (form_.cb_CPIStep >= 0)
        dataBuf_[f::LevelCount] = static_cast<std::uint8_t>(form_.cb_CPIStep + 2);

    // The driver state record.
    if (form_.ledFamily == config::LedFamily::MCULED && form_.cb_MCULEDCurrentMode >= 0)
        driverState_[1] = static_cast<std::uint8_t>(form_.cb_MCULEDCurrentMode + 1);
    else if (form_.ledFamily == config::LedFamily::RBLED && form_.cb_RBLEDCurrentMode >= 0)
        driverState_[1] = static_cast<std::uint8_t>(form_.cb_RBLEDCurrentMode + 1);
    if (form_.rb_LED == config::OnOff::On)
        driverState_[1] &= static_cast<std::uint8_t>(~0x08);
    else if (form_.rb_LED == config::OnOff::Off)
        driverState_[1] |= 0x08;
    if (form_.cb_CurrentCPI >= 0 && static_cast<std::size_t>(form_.cb_CurrentCPI) < config::kMaxLevels) {
        driverState_[0] = static_cast<std::uint8_t>(form_.cb_CurrentCPI | smooth);
        const int value = form_.cb_CPI[static_cast<std::size_t>(form_.cb_CurrentCPI)];
        if (value >= 0)
            driverState_[3] = static_cast<std::uint8_t>(value);
    }
    driverState_[1] = static_cast<std::uint8_t>((driverState_[1] & 0x1F) | (config::StepValue(form_.edt_MCULEDCrtStep) << 5));

    // Parameter A byte 0: the two LED switches.
    const auto setBit = [this](std::uint8_t mask, config::OnOff choice) {
        if (choice == config::OnOff::On)
            dataBuf_[f::ModeFlags] |= mask;
        else if (choice == config::OnOff::Off)
            dataBuf_[f::ModeFlags] &= static_cast<std::uint8_t>(~mask);
    };
    setBit(0x04, form_.rb_LCPI);
    setBit(0x01, form_.rb_B4CPI);
    // The checksum is taken after every byte of the section has its value, so the driver
    // hands back a section that passes its check instead of the built-in defaults.
    config::WriteSectionChecksum(std::span<std::uint8_t>(dataBuf_).first(config::kParameterA.length));

    SendDriverTempCPIAndLedData();
    const bool written = WriteDriverSections(DriverSectionOrder::Apply);

    view_.Refresh(RefreshRequest::Form);
    BusyFrameEnd();
    return written ? Outcome::Done : Outcome::TransferFailed;
}

bool Controller::WriteDriverSections(DriverSectionOrder order)
{
    if (driver_ == nullptr)
        return false;
    const config::DriverWrite parameterB = config::DriverParameterBWrite(driverCopies_);
    const config::DriverWrite parameterA = config::DriverParameterAWrite(dataBuf_);
    const config::DriverWrite profile = config::DriverProfileWrite(driverCopies_);
    const config::DriverWrite fireKey = config::DriverFireKeyWrite(dataBuf_);
    const std::array<const config::DriverWrite*, 4> writes =
        order == DriverSectionOrder::Apply ? std::array{&parameterB, &parameterA, &fireKey, &profile}
                                           : std::array{&parameterB, &parameterA, &profile, &fireKey};
    bool ok = true;
    for (const auto* write : writes)
        ok = driver_->Write(*write) && ok;
    if (order == DriverSectionOrder::Apply && !driverMacroList_.Records().empty()) {
        // The driver macro list is what the keys' macro addresses point into; records that
        // would reach past the driver image are not sent.
        std::vector<std::uint8_t> bytes = driverMacroList_.Bytes();
        bytes.resize(std::min(bytes.size(), macros::kDriverMacroListCapacity * kDriverMacroRecordSize));
        ok = driver_->Write(static_cast<std::uint32_t>(macros::kDriverMacroListOffset), bytes) && ok;
    }
    return ok;
}

// ------------------------------------------------------------------------------ macro assignment

macros::AssignmentOutcome Controller::LB_NameClick(const macros::MacroPick& pick)
{
    view_.CloseMenus();
    const std::string leftName = Text(kLeftNameKey);
    macros::AssignmentResult result;
    if (eepromMode_) {
        macros::EepromAssignmentState state{form_, dataBuf_, deviceSlots_, deviceImage_, macroNameList_,
                                            slotNamesFromMouse_};
        result = macros::AssignMacroToSlot(state, library_.Records(), pick, leftName);
        view_.Refresh(RefreshRequest::MacroView);
    } else {
        macros::DriverAssignmentState state{form_, dataBuf_, driverMacroList_};
        result = macros::ChangeProfile1StringForDriverMode(state, driverLibrary_.Records(), pick, leftName);
        view_.Refresh(RefreshRequest::DriverMacroNames);
    }
    view_.Refresh(RefreshRequest::Form);
    if (const std::string_view key = macros::AssignmentMessageKey(result.outcome); !key.empty())
        ShowMessage(MessageStyle::Box, {std::string(key)});
    return result.outcome;
}

// ------------------------------------------------------------------------------ on demand

Outcome Controller::ReadFireMacroBlock()
{
    if (fireMacroBlockLoaded_)
        return Outcome::Done;

    BusyFrameStart();
    Outcome outcome = Outcome::NoAnswer;
    bool closed = false;
    chipCode_ = 0;
    if (const auto status = OpenAndStatus()) {
        chipCode_ = device::ChipCode(status->chipSource);
        if (status->ready && memoryReady_ && chipCode_ != 0) {
            const auto ids = ReadIdBytes();
            if (ids)
                ShowIdBytes(*ids);
            if (ids && IdsAccepted(*ids)) {
                // Read into a spare block: a refused read must not leave 0xFF in the copy
                // that the next Apply writes back.
                fire::FireMacroBlock block{};
                if (protocol_.ReadBlock(static_cast<std::uint16_t>(config::kFireMacroBlock.offset),
                                        static_cast<std::uint16_t>(block.size()), block, true)) {
                    fireMacros_.LoadBlock(block);
                    fireMacroBlockLoaded_ = true;
                    view_.Refresh(RefreshRequest::FireMacros);
                    outcome = Outcome::Done;
                } else {
                    outcome = Outcome::TransferFailed;
                }
            } else if (ids) {
                SetDevTimer(false);
                EndTransaction();
                closed = true;
                ShowMessage(MessageStyle::Box, {"Str107"});
                SetDevTimerFirst(false);
                SetDevTimer(true);
                outcome = Outcome::Refused;
            } else {
                outcome = Outcome::TransferFailed;
            }
        } else if (status->ready) {
            EndTransaction();
            closed = true;
            CloseMouse();
            ShowMessage(MessageStyle::Box, {"Str020"});
            SetDevTimer(true);
            outcome = Outcome::NotReady;
        }
    }
    // This read closes its transaction in every case.
    if (!closed && !EndTransaction() && outcome == Outcome::Done)
        outcome = Outcome::TransferFailed;
    BusyFrameEnd();
    return outcome;
}

std::string Controller::ReadDeviceMacroName(std::size_t slot)
{
    const auto address = config::DeviceMacroNameAddress(slot);
    if (!address)
        return {};
    macros::MacroName name{};
    protocol_.ReadBlock(*address, macros::kNameSize, name, true);
    if (macros::IsUnusedSlotName(name))
        return {};
    std::string text = macros::NameToText(name);
    slotNamesFromMouse_[slot] = text;
    macroNameList_[slot] = text;
    return text;
}

}  // namespace qeltra3k::app
