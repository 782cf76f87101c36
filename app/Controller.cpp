// The controller's own state and the pieces every workflow shares: language texts, key
// names, the busy frame, messages, the device transaction and the no-device state.
#include "app/Controller.h"

#include <algorithm>

#include "app/ControllerSteps.h"
#include "config/Conversion.h"

namespace qeltra3k::app {

namespace {

// The macro folder is the layout's Path, or the data folder when it is empty.
std::filesystem::path MacroFolderOf(const text::GeneralOptions& options, const std::filesystem::path& dataFolder)
{
    return options.Path.empty() ? dataFolder : std::filesystem::path(options.Path);
}

}  // namespace

Controller::Controller(const ControllerSetup& setup)
    : bus_(*setup.bus),
      waiting_(*setup.waiting),
      view_(*setup.view),
      driver_(setup.driver),
      options_(setup.options),
      dataFolder_(setup.dataFolder),
      candidates_(setup.candidates),
      protocol_(*setup.waiting),
      library_(MacroFolderOf(setup.options, setup.dataFolder)),
      driverLibrary_(MacroFolderOf(setup.options, setup.dataFolder)),
      customGunKeys_(setup.dataFolder)
{
    eepromMode_ = options_.eepromMode;
    reserveIds_ = {static_cast<std::uint8_t>(options_.Rev_Manu_ID), static_cast<std::uint8_t>(options_.Rev_Pro_ID)};
    if (const auto image = config::LoadDefaultImage(0)) {
        deviceImage_ = *image;
        primaryIds_ = {(*image)[kIdBytesAddress], (*image)[kIdBytesAddress + 1]};
    } else {
        deviceImage_.fill(0xFF);
    }
    readBack_.fill(0xFF);
    SetLanguage(setup.language);
}

Controller::~Controller()
{
    StopKeyTest();
    if (protocol_.SetDevice(nullptr))
        hid_.reset();
}

std::filesystem::path Controller::MacroFolder() const
{
    return MacroFolderOf(options_, dataFolder_);
}

void Controller::Start()
{
    libraryLoading_ = eepromMode_ ? library_.CheckPCMacro() : driverLibrary_.CheckDriverPCMacro();
    customGunKeys_.Load();
    SetDevTimer(false);
    SetDevTimerFirst(false);
    RefreshErrorAP();
    view_.Refresh(RefreshRequest::PointerSettingsToForm);
    // The loading window's creation arms the first search.
    SetDevTimerFirst(true);
}

// ------------------------------------------------------------------------------ language

bool Controller::SetLanguage(int index)
{
    auto loading = text::LoadLanguageTable(index);
    if (!loading.table)
        return false;
    language_ = std::move(*loading.table);
    return true;
}

std::string Controller::Text(std::string_view key) const
{
    return language_.Text(key);
}

std::string Controller::KeyName(std::string_view codeText)
{
    config::KeyNameContext context;
    context.languageText = [this](std::string_view key) { return Text(key); };
    context.eepromMode = eepromMode_;
    context.deviceMacroNames = macroNameList_;
    // Without a mouse there is nothing to read a slot's name from.
    if (HasDevice())
        context.readDeviceMacroName = [this](std::size_t slot) { return ReadDeviceMacroName(slot); };
    context.driverMacroNames = driverMacroList_.Names();
    context.customGunKeys = customGunKeys_.NamingList();
    return config::KeyCodeName(codeText, context);
}

config::KeyNameFn Controller::NameOf()
{
    return [this](std::string_view codeText) { return KeyName(codeText); };
}

// ------------------------------------------------------------------------------ messages, timers

void Controller::ShowMessage(MessageStyle style, std::vector<std::string> keys, std::string_view suffix)
{
    ViewMessage message;
    message.style = style;
    if (style == MessageStyle::Dialog)
        message.title = Text("Title");
    message.fontName = Text("FontName");
    for (const auto& key : keys) {
        if (!message.text.empty())
            message.text += "\n\n";
        message.text += Text(key);
    }
    if (!suffix.empty())
        message.text += "\n" + std::string(suffix);
    message.keys = std::move(keys);
    view_.ShowMessage(message);
}

bool Controller::RefuseWithoutDevice()
{
    if (HasDevice())
        return false;
    ShowMessage(MessageStyle::Dialog, {"Str020"});
    return true;
}

void Controller::SetDevTimer(bool on)
{
    if (timers_.devTimer == on)
        return;
    timers_.devTimer = on;
    view_.Refresh(RefreshRequest::Timers);
}

void Controller::SetDevTimerFirst(bool on)
{
    if (timers_.devTimerFirst == on)
        return;
    timers_.devTimerFirst = on;
    view_.Refresh(RefreshRequest::Timers);
}

void Controller::SetTestTimer(bool on)
{
    if (timers_.testTimer == on)
        return;
    timers_.testTimer = on;
    view_.Refresh(RefreshRequest::Timers);
}

void Controller::PauseSteps(int times)
{
    for (int i = 0; i < times; ++i) {
        waiting_.Pause(kStepPause);
        waiting_.ProcessPendingMessages();
    }
}

void Controller::BusyFrameStart()
{
    SetDevTimer(false);
    view_.ShowBusyOverlay();
    view_.ShowLoadingWindow();
    waiting_.ProcessPendingMessages();
}

void Controller::BusyFrameEnd()
{
    view_.HideLoadingWindow();
    waiting_.ProcessPendingMessages();
    SetDevTimerFirst(false);
    SetDevTimer(true);
    view_.HideBusyOverlay();
}

// ------------------------------------------------------------------------------ device transaction

void Controller::CloseMouse()
{
    // Never pull the device away under a command that is still running.
    if (protocol_.SetDevice(nullptr))
        hid_.reset();
}

std::optional<Controller::Status> Controller::OpenAndStatus()
{
    if (!protocol_.SendCommand(device::OpenCmd))
        return std::nullopt;
    memoryReady_ = false;
    if (!protocol_.SendCommand(device::StatusCmd))
        return std::nullopt;
    const device::Report reply = protocol_.LastReply();
    Status status;
    status.ready = reply[1] == device::StatusReady;
    status.memoryReady = (reply[2] & device::MemoryReadyFlag) != 0;
    status.chipSource = reply[3];
    memoryReady_ = status.memoryReady;
    return status;
}

bool Controller::EndTransaction()
{
    const bool reloaded = protocol_.SendCommand(device::SystemReloadCmd);
    const bool closed = protocol_.SendCommand(device::CloseCmd);
    return reloaded && closed;
}

Outcome Controller::WriteTransaction(bool chipRequired, const std::function<Outcome()>& writes)
{
    const auto status = OpenAndStatus();
    if (!status)
        return Outcome::NoAnswer;
    // Where the chip is not required, an unknown chip leaves the code from before.
    const std::uint8_t chip = device::ChipCode(status->chipSource);
    if (chipRequired || chip != 0)
        chipCode_ = chip;
    if (!status->ready)
        return Outcome::NoAnswer;
    Outcome outcome = Outcome::NotReady;
    if (memoryReady_ && (!chipRequired || chipCode_ != 0))
        outcome = writes();
    const bool closed = EndTransaction();
    if (outcome == Outcome::Done && !closed)
        outcome = Outcome::TransferFailed;
    return outcome;
}

bool Controller::IdsAccepted(IdPair ids) const
{
    return ids == primaryIds_ || ids == reserveIds_;
}

std::optional<IdPair> Controller::ReadIdBytes()
{
    std::array<std::uint8_t, 2> bytes{};
    if (!protocol_.ReadBlock(kIdBytesAddress, 2, bytes, false))
        return std::nullopt;
    mouseIds_ = {bytes[0], bytes[1]};
    return mouseIds_;
}

void Controller::ShowIdBytes(IdPair ids)
{
    form_.edt_VendorID = std::to_string(ids.vendorByte);
    form_.edt_ProductID = std::to_string(ids.productByte);
    view_.Refresh(RefreshRequest::DeviceIds);
}

// ------------------------------------------------------------------------------ buffers

void Controller::ShowDataBuf()
{
    config::DataBufToUI(form_, dataBuf_, NameOf(), Text(kAimNameKey));
    view_.Refresh(RefreshRequest::Form);
}

void Controller::LoadMacroSlotsFromImage()
{
    deviceSlots_.ReadAndRefreshMacro(deviceImage_);
    macroNameList_ = deviceSlots_.Names();
    view_.Refresh(RefreshRequest::MacroView);
}

void Controller::LoadFireMacroBlockFromImage()
{
    fireMacros_.LoadFromImage(deviceImage_);
    view_.Refresh(RefreshRequest::FireMacros);
}

// ------------------------------------------------------------------------------ no-device state

void Controller::InitNoDevice()
{
    deviceImage_ = config::LoadDefaultImage(0).value_or(deviceImage_);
    macroNameList_.fill({});
    view_.Refresh(RefreshRequest::MacroEditorCleared);
    LoadImageBuffers();
    ShowDataBuf();
}

void Controller::LoadImageBuffers()
{
    config::LoadSections(deviceImage_, dataBuf_);
    LoadMacroSlotsFromImage();
    LoadFireMacroBlockFromImage();
}

void Controller::TakeImage(const config::DeviceImage& image)
{
    deviceImage_ = image;
    LoadImageBuffers();
    ShowDataBuf();
}

void Controller::RefreshErrorAP()
{
    InitNoDevice();
    noDevice_ = true;
    view_.Refresh(RefreshRequest::PageState);
}

void Controller::DeviceLost()
{
    view_.CloseMenus();
    noDevice_ = false;
    RefreshErrorAP();
    view_.Refresh(RefreshRequest::MacroEditorCleared);
    customGunKeys_.DeviceLost();
    view_.Refresh(RefreshRequest::GunKeyListsCleared);
    lightingFamilyName_.clear();
    view_.ShowBusyOverlay();
    SetDevTimerFirst(false);
    SetDevTimer(true);
    ShowMessage(MessageStyle::Dialog, {"Str100", "Str101"});
}

}  // namespace qeltra3k::app
