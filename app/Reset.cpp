// Resets to a default image in both modes, the two layout presets, and the verified write of
// the whole image that a reset and a profile load end with.
#include <algorithm>

#include "app/Controller.h"
#include "app/ControllerSteps.h"

namespace qeltra3k::app {

namespace {

// Default image numbers of the engineer page's two preset buttons.
constexpr int kDefaultCpiImage = 3;
constexpr int kDefaultLedImage = 4;
constexpr int kVerifyRepairPasses = 3;

std::vector<std::uint16_t> Differences(const config::DeviceImage& expected, const config::DeviceImage& actual)
{
    std::vector<std::uint16_t> addresses;
    for (std::size_t address = 0; address < expected.size(); ++address)
        if (expected[address] != actual[address])
            addresses.push_back(static_cast<std::uint16_t>(address));
    return addresses;
}

}  // namespace

// ------------------------------------------------------------------------------ buttons

Outcome Controller::Btn_ConfirmN_1Click(int number)
{
    if (RefuseWithoutDevice())
        return Outcome::NoDevice;
    PauseSteps(kButtonEntrySteps);
    return eepromMode_ ? TLDefaultParameter(number) : TLDefaultDriverParameter(number);
}

// The engineer page's buttons do nothing at all without a mouse.
Outcome Controller::Btn_DefaultClick()
{
    if (!HasDevice())
        return Outcome::NoDevice;
    PauseSteps(kButtonEntrySteps);
    return eepromMode_ ? TLDefaultParameter(0) : TLDefaultDriverParameter(0);
}

Outcome Controller::btn_loadDefaultCPIClick()
{
    if (!HasDevice())
        return Outcome::NoDevice;
    PauseSteps(kButtonEntrySteps);
    return eepromMode_ ? TLDefaultParameter(kDefaultCpiImage) : TLDefaultDriverParameter(0);
}

Outcome Controller::btn_loadDefaultLEDClick()
{
    if (!HasDevice())
        return Outcome::NoDevice;
    PauseSteps(kButtonEntrySteps);
    return eepromMode_ ? TLDefaultParameter(kDefaultLedImage) : TLDefaultDriverParameter(0);
}

// ------------------------------------------------------------------------------ EEPROM mode

Outcome Controller::TLDefaultParameter(int number)
{
    view_.CloseMenus();
    SetDevTimer(false);
    view_.ShowLoadingWindow();
    waiting_.ProcessPendingMessages();

    Outcome outcome = Outcome::BadFile;
    if (const auto image = config::LoadDefaultImage(number)) {
        deviceImage_ = *image;
        for (auto& profileTexts : form_.keyCodeTexts)
            profileTexts.fill({});
        slotNamesFromMouse_.fill({});
        macroNameList_.fill({});
        outcome = MemoToDataBuf_OnClick();
        // The block now held is the default image's, which the mouse was just given.
        fireMacroBlockLoaded_ = true;
    }

    view_.HideLoadingWindow();
    waiting_.ProcessPendingMessages();
    SetDevTimerFirst(false);
    SetDevTimer(true);
    return outcome;
}

Outcome Controller::MemoToDataBuf_OnClick()
{
    LoadImageBuffers();

    BusyFrameStart();
    const Outcome outcome = WriteTransaction(true, [this] { return WriteImageVerified(); });
    ShowDataBuf();
    BusyFrameEnd();
    return outcome;
}

Outcome Controller::WriteImageVerified()
{
    view_.ShowLoadingWindow();
    readBack_.fill(0xFF);

    // A write or read-back the mouse refuses leaves the image unverified: that is a failure
    // the user must see, not a reset that silently did nothing.
    const auto fail = [this] {
        ShowMessage(MessageStyle::Dialog, {"Str109"});
        return Outcome::VerifyFailed;
    };
    const auto readBack = [this] {
        return protocol_.ReadBlock(0, static_cast<std::uint16_t>(config::kImageSize), readBack_, true);
    };

    if (!protocol_.WriteBlock(0, static_cast<std::uint16_t>(config::kImageSize), deviceImage_))
        return fail();
    if (!readBack())
        return fail();
    std::vector<std::uint16_t> differing = Differences(deviceImage_, readBack_);
    for (int pass = 0; pass < kVerifyRepairPasses && !differing.empty(); ++pass) {
        for (const std::uint16_t address : differing)
            if (!protocol_.WriteBlock(address, 1, std::span<const std::uint8_t>(deviceImage_).subspan(address, 1)))
                return fail();
        if (!readBack())
            return fail();
        differing = Differences(deviceImage_, readBack_);
    }
    if (!differing.empty())
        return fail();
    return Outcome::Done;
}

// ------------------------------------------------------------------------------ driver mode

Outcome Controller::TLDefaultDriverParameter(int number)
{
    SetDevTimer(false);
    view_.ShowBusyOverlay();
    view_.ShowLoadingWindow();
    waiting_.ProcessPendingMessages();

    const auto image = config::LoadDefaultDriverImage(number);
    const Outcome outcome = image ? ApplyDriverImage(*image) : Outcome::BadFile;

    view_.HideLoadingWindow();
    waiting_.ProcessPendingMessages();
    SetDevTimer(true);
    view_.HideBusyOverlay();
    return outcome;
}

Outcome Controller::ApplyDriverImage(std::span<const std::uint8_t> image)
{
    if (image.size() < config::driver::SectionsEnd)
        return Outcome::BadFile;
    config::TakeDriverSections(image, dataBuf_, driverCopies_);
    // The image's macros are not sent: the driver keeps its own.
    const bool written = WriteDriverSections(DriverSectionOrder::Reset);
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(kDriverStateOffset), driverState_.size(),
                driverState_.begin());
    SendDriverTempCPIAndLedData();
    const Outcome read = ReadDriverDevInfo();
    if (read != Outcome::Done)
        return read;
    return written ? Outcome::Done : Outcome::TransferFailed;
}

}  // namespace qeltra3k::app
