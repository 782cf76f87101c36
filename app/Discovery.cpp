// Finding the mouse: the interface count the device watch compares, opening the accepted
// interface, the watch itself, and identification in EEPROM and driver mode.
#include <algorithm>

#include "app/Controller.h"
#include "app/ControllerSteps.h"
#include "config/Conversion.h"
#include "config/FormEditing.h"

namespace qeltra3k::app {

int Controller::CountHidInterfaces()
{
    // The count only has to change when an interface comes or goes; every enumerated
    // interface is one the system lets us open, so listing is enough and keeps the
    // ten counts of a watch tick cheap.
    return static_cast<int>(bus_.Enumerate().size());
}

bool Controller::OpenMouse(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t& expectedVersion)
{
    const auto interfaces = bus_.Enumerate();
    // Of several interfaces that pass, the last one in enumeration order is used: look from
    // the end and stop at the first that opens.
    for (auto it = interfaces.rbegin(); it != interfaces.rend(); ++it) {
        // The ids must match too, so no other device that happens to have an 8-byte feature
        // report and the same version is ever taken for the mouse.
        if (it->vendorId != vendorId || it->productId != productId)
            continue;
        if (it->featureReportLength != device::kTargetFeatureReportLength || it->version != expectedVersion)
            continue;
        std::string error;
        auto device = bus_.Open(it->path, error);
        if (!device)
            continue;
        if (!protocol_.SetDevice(device.get()))
            return false;
        hid_ = std::move(device);  // the handle of an earlier search is closed here
        expectedVersion = it->version;
        currentVendorId_ = it->vendorId;
        currentProductId_ = it->productId;
        featureReportLength_ = static_cast<std::uint32_t>(device::kTargetFeatureReportLength);
        return true;
    }
    return false;
}

void Controller::DevTimerTimer()
{
    // A tick that arrives while a watch runs (during its pauses or a dialog) returns at once.
    if (watchBusy_)
        return;
    watchBusy_ = true;

    int stable = 0;
    int count = 0;
    for (int pair = 0; pair < kWatchPairs; ++pair) {
        const int first = CountHidInterfaces();
        const int second = CountHidInterfaces();
        if (first == second)
            ++stable;
        if (pair == kWatchPairs - 1)
            count = first;
    }

    if (count != lastCount_ && stable >= kStableRequired) {
        if (count < lastCount_) {
            // An interface went away: reopen the mouse, or it was the mouse.
            if (!OpenMouse(currentVendorId_, currentProductId_, expectedVersion_)) {
                DeviceLost();
                currentVendorId_ = 0;
                currentProductId_ = 0;
                CloseMouse();
            }
        } else if (!HasDevice()) {
            for (const auto& candidate : candidates_) {
                if (candidate.vendorId == 0 || candidate.productId == 0)
                    continue;
                PauseSteps(kSearchSteps);
                expectedVersion_ = kExpectedVersion;
                if (OpenMouse(candidate.vendorId, candidate.productId, expectedVersion_)) {
                    currentVendorId_ = candidate.vendorId;
                    currentProductId_ = candidate.productId;
                    ReadDevInfo(false);
                    break;
                }
                DeviceLost();
            }
        }
        lastCount_ = count;
    }

    // Whatever this tick found, the first search is over: from now on only the 3-second
    // watch runs (a tick that found nothing to do would otherwise leave the 20 ms timer on).
    SetDevTimerFirst(false);
    SetDevTimer(true);
    watchBusy_ = false;
}

Outcome Controller::ReadDevInfo(bool fullRead)
{
    if (!eepromMode_)
        return ReadDriverDevInfo();

    chipCode_ = 0;
    const auto status = OpenAndStatus();
    if (!status)
        return Outcome::NoAnswer;
    chipCode_ = device::ChipCode(status->chipSource);
    if (!status->ready)
        return Outcome::NoAnswer;

    if (memoryReady_ && chipCode_ != 0) {
        const auto ids = ReadIdBytes();
        if (!ids) {
            // The mouse refused its own ID bytes: they would read as 0xFF, 0xFF, which is the
            // generic pair, so they prove nothing; nothing is read.
            EndTransaction();
            return Outcome::TransferFailed;
        }
        ShowIdBytes(*ids);
        if (IdsAccepted(*ids))
            return Btn_Read(fullRead);
        SetDevTimer(false);
        EndTransaction();
        ShowMessage(MessageStyle::Box, {"Str107"});
        SetDevTimerFirst(false);
        SetDevTimer(true);
        return Outcome::Refused;
    }

    EndTransaction();
    CloseMouse();
    ShowMessage(MessageStyle::Box, {"Str020"});
    SetDevTimerFirst(false);
    SetDevTimer(true);
    return Outcome::NotReady;
}

Outcome Controller::ReadDriverDevInfo()
{
    driverMacroList_.Load({});

    bool reachedChannel = false;
    const bool success = [&] {
        static constexpr std::array kIdentify{kDriverOpen, kStatusReady, kLightingQuery};
        if (!RunChecked(protocol_, kIdentify))
            return false;
        const auto& family = LightingFamilyFor(protocol_.LastReply()[3]);
        lightingFamilyName_ = std::string(family.name);
        form_.ledFamily = family.family;
        config::ChooseLedFamily(form_, family.family);

        if (!LoadDriverTempCPIAndLedData())
            return false;
        protocol_.SendCommand(device::DriverStateCmd, driverState_[0], driverState_[1], driverState_[2],
                              driverState_[3]);
        if (!protocol_.SendCommand(device::CloseCmd))
            return false;

        SetDevTimer(false);
        view_.ShowBusyOverlay();
        view_.Refresh(RefreshRequest::PcMacroList);
        noDevice_ = false;
        view_.Refresh(RefreshRequest::PageState);

        reachedChannel = true;
        if (driver_ == nullptr || !device::OpenDriverChannel(protocol_, *driver_))
            return false;
        view_.ShowLoadingWindow();
        waiting_.ProcessPendingMessages();
        view_.Refresh(RefreshRequest::PcMacroList);
        const bool read = ReadDriverSections();
        view_.HideLoadingWindow();
        if (!read)
            return false;

        // The driver plays the fire key as 0E00F0; the editor shows and keeps it as 0600F0
        // (the store puts the driver's type back from the continuous-fire choice).
        for (const auto profile : {config::Profile::One, config::Profile::Two}) {
            for (std::size_t key = 1; key <= config::kKeysPerProfile; ++key) {
                const std::size_t offset = *config::KeyCodeOffset(profile, key);
                const auto code = config::ReadKeyCode(dataBuf_, offset);
                if (code && *code == config::KeyCode{config::code_type::DeviceMacroHeld, 0x00, 0xF0})
                    config::WriteKeyCode(dataBuf_, offset, config::kFireKeyCode);
            }
        }
        ShowDataBuf();
        ReadDriverMacros();
        view_.Refresh(RefreshRequest::KeyModePage);
        SetDevTimerFirst(false);
        SetDevTimer(true);
        view_.HideBusyOverlay();
        return true;
    }();

    if (reachedChannel) {
        view_.HideLoadingWindow();
        waiting_.ProcessPendingMessages();
    }
    if (success)
        return Outcome::Done;
    ShowMessage(MessageStyle::Box, {"Str020"});
    SetDevTimerFirst(false);
    SetDevTimer(true);
    DriverModeFallback();
    return Outcome::DriverFailed;
}

void Controller::DriverModeFallback()
{
    static constexpr std::array kFallback{kFallbackOpen, kStatusReady, kFallbackQuery};
    if (!RunChecked(protocol_, kFallback))
        return;
    protocol_.SendCommand(device::SystemReloadCmd);
    protocol_.SendCommand(device::CloseCmd);
}

bool Controller::ReadDriverSections()
{
    struct Stretch {
        std::size_t offset;
        std::size_t length;
    };
    static constexpr std::array<Stretch, 4> kSections{{
        {config::driver::ParameterA, config::kParameterA.length},
        {config::driver::ParameterB, config::kParameterB.length},
        {config::driver::Profile, config::kProfile.length},
        {config::driver::FireKey, config::kFireKey.length},
    }};
    std::vector<std::uint8_t> image(config::driver::SectionsEnd, 0);
    for (const auto& section : kSections) {
        const auto bytes = driver_->Read(static_cast<std::uint32_t>(section.offset),
                                         static_cast<std::uint32_t>(section.length));
        // A section the driver did not give is not taken for defaults: the read fails.
        if (!bytes || bytes->size() != section.length)
            return false;
        std::copy(bytes->begin(), bytes->end(), image.begin() + static_cast<std::ptrdiff_t>(section.offset));
    }
    return config::LoadDriverSections(image, dataBuf_, driverCopies_).has_value();
}

void Controller::ReadDriverMacros()
{
    // The highest macro address any key uses says how many records to read.
    std::uint32_t highest = 0;
    for (const auto& profileTexts : form_.keyCodeTexts) {
        for (const auto& text : profileTexts) {
            const auto code = config::ParseKeyCode(text);
            if (!code || *code == config::kFireKeyCode)
                continue;
            if (code->type == config::code_type::DeviceMacro || code->type == config::code_type::DeviceMacroHeld)
                highest = std::max<std::uint32_t>(highest, code->Address());
        }
    }
    if (highest > 0 && driver_ != nullptr) {
        // Never past the driver image, whatever address a key carries.
        const std::size_t records =
            std::min<std::size_t>((highest + kDriverMacroBodySize) / kDriverMacroRecordSize, macros::kDriverMacroListCapacity);
        if (const auto bytes = driver_->Read(static_cast<std::uint32_t>(macros::kDriverMacroListOffset),
                                             static_cast<std::uint32_t>(records * kDriverMacroRecordSize)))
            driverMacroList_.Load(*bytes);
    }
    view_.Refresh(RefreshRequest::DriverMacroNames);
    // The buttons that play driver macros can be named now.
    config::RefreshProfile1Keys(form_, NameOf());
    config::RefreshProfile2Keys(form_, NameOf());
    view_.Refresh(RefreshRequest::Form);
}

}  // namespace qeltra3k::app
