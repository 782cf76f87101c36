// Save Profile and Load Profile in both modes, and the driver state record with its file.
#include <algorithm>
#include <system_error>

#include "app/Controller.h"
#include "app/ControllerSteps.h"
#include "app/ProfileFiles.h"
#include "device/AtomicFile.h"

namespace qeltra3k::app {

bool Controller::WriteDataFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    std::string error;
    if (device::WriteFileAtomically(file, bytes, error))
        return true;
    ShowMessage(MessageStyle::Box, {"Str109"}, file.string());
    return false;
}

// ------------------------------------------------------------------------------ Save Profile

Outcome Controller::Btn_Save_0Click(const std::optional<std::filesystem::path>& chosen)
{
    view_.CloseMenus();
    if (RefuseWithoutDevice())
        return Outcome::NoDevice;
    if (!chosen)
        return Outcome::Cancelled;
    const std::filesystem::path file = ProfileFileName(*chosen);
    return eepromMode_ ? SaveEepromProfile(file) : SaveDriverProfile(file);
}

Outcome Controller::SaveEepromProfile(const std::filesystem::path& file)
{
    // The file holds what the mouse holds: it is read again first, and only a read that
    // went through is saved. A refused or broken read would otherwise save whatever the
    // memory held before (defaults, or 0xFF from a transfer that broke off) as the profile.
    const Outcome read = ReadDevInfo(true);
    if (read != Outcome::Done) {
        // Refused and not ready have shown their own message.
        if (read == Outcome::NoAnswer || read == Outcome::TransferFailed)
            ShowMessage(MessageStyle::Box, {"Str109"}, file.string());
        return read;
    }
    return WriteDataFile(file, deviceImage_) ? Outcome::Done : Outcome::BadFile;
}

Outcome Controller::SaveDriverProfile(const std::filesystem::path& file)
{
    const Outcome read = ReadDevInfo(true);
    if (read != Outcome::Done)
        return read;  // Str020 has been shown
    auto image = driver_ != nullptr ? driver_->ReadImage() : std::nullopt;
    if (!image || image->size() != config::kDriverImageSize) {
        ShowMessage(MessageStyle::Box, {"Str109"}, file.string());
        return Outcome::TransferFailed;
    }
    std::copy(driverState_.begin(), driverState_.end(), image->begin() + static_cast<std::ptrdiff_t>(kDriverStateOffset));
    return WriteDataFile(file, *image) ? Outcome::Done : Outcome::BadFile;
}

// ------------------------------------------------------------------------------ Load Profile

Outcome Controller::Btn_Load_0Click(const std::optional<std::filesystem::path>& chosen)
{
    view_.CloseMenus();
    if (RefuseWithoutDevice())
        return Outcome::NoDevice;
    if (!chosen)
        return Outcome::Cancelled;
    return eepromMode_ ? LoadEepromProfile(*chosen) : TLDefaultDriverParameter1(*chosen);
}

Outcome Controller::LoadEepromProfile(const std::filesystem::path& file)
{
    const device::FileContent content = device::ReadWholeFile(file, config::kImageSize);
    if (!content.bytes) {
        ShowMessage(MessageStyle::Box, {"Str102"}, file.string());
        return Outcome::BadFile;
    }
    // A shorter file replaces only its own length of the image, and the rest is written to
    // the mouse as it is. After the connect-time read that rest is only the filler of the
    // settings read, which would wipe the mouse's macros: the whole image is read first, so
    // the rest is what the mouse holds.
    if (content.bytes->size() < deviceImage_.size()) {
        const Outcome read = ReadDevInfo(true);
        if (read != Outcome::Done)
            return read;
    }
    const std::size_t length = std::min(content.bytes->size(), deviceImage_.size());
    std::copy_n(content.bytes->begin(), length, deviceImage_.begin());
    fireMacroBlockLoaded_ = true;
    slotNamesFromMouse_.fill({});
    macroNameList_.fill({});
    return MemoToDataBuf_OnClick();
}

Outcome Controller::TLDefaultDriverParameter1(const std::filesystem::path& file)
{
    SetDevTimer(false);
    view_.ShowBusyOverlay();
    view_.ShowLoadingWindow();
    waiting_.ProcessPendingMessages();

    Outcome outcome = Outcome::BadFile;
    bool badFile = false;
    const device::FileContent content = device::ReadWholeFile(file, kDriverProfileReadLimit);
    if (content.bytes) {
        const std::vector<std::uint8_t>& bytes = *content.bytes;
        // A file too short to hold every section would send the driver bytes that are not
        // the profile's: it is refused and nothing changes.
        if (bytes.size() < config::driver::SectionsEnd)
            badFile = true;
        else
            outcome = ApplyDriverImage(bytes);
    } else if (!content.missing) {
        badFile = true;
    }

    view_.HideLoadingWindow();
    waiting_.ProcessPendingMessages();
    SetDevTimer(true);
    view_.HideBusyOverlay();
    if (badFile)
        ShowMessage(MessageStyle::Box, {"Str102"}, file.string());
    return outcome;
}

// ------------------------------------------------------------------------------ driver state

bool Controller::LoadDriverTempCPIAndLedData()
{
    const std::filesystem::path folder = MacroFolder();
    const device::FileContent state = device::ReadWholeFile(folder / kDriverStateFileName);
    if (state.bytes && state.bytes->size() >= driverState_.size()) {
        std::copy_n(state.bytes->begin(), driverState_.size(), driverState_.begin());
        return true;
    }
    // The reference file, or when it is missing too, the driver default image it is made
    // from: both carry the record the driver starts with.
    std::optional<std::vector<std::uint8_t>> source = device::ReadWholeFile(folder / kDriverReferenceFileName).bytes;
    if (!source || source->size() < kDriverStateOffset + driverState_.size())
        source = config::LoadDefaultDriverImage(0);
    if (!source || source->size() < kDriverStateOffset + driverState_.size())
        return false;
    std::copy_n(source->begin() + static_cast<std::ptrdiff_t>(kDriverStateOffset), driverState_.size(),
                driverState_.begin());
    return true;
}

bool Controller::SendDriverTempCPIAndLedData()
{
    static constexpr std::array kOpen{kDriverOpen, kStatusReady};
    if (!RunChecked(protocol_, kOpen))
        return false;
    bool stored = false;
    if (protocol_.SendCommand(device::StatusCmd, device::DriverQuery, device::LightingFamilyQuery)) {
        protocol_.SendCommand(device::DriverStateCmd, driverState_[0], driverState_[1], driverState_[2],
                              driverState_[3]);
        stored = StoreDriverStateFile();
    }
    protocol_.SendCommand(device::CloseCmd);
    return stored;
}

bool Controller::StoreDriverStateFile()
{
    const std::filesystem::path folder = MacroFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);  // the data folder may be new
    return WriteDataFile(folder / kDriverStateFileName, driverState_);
}

}  // namespace qeltra3k::app
