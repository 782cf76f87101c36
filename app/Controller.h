#pragma once
// The controller: what the main window owns for the whole run (the opened mouse, the device
// image, DataBuf and the form model, the macro and fire macro buffers, the flags, the ID
// pairs, the language texts) and the device workflows as its operations. It reaches the
// screen only through ControllerView and waits only through device::Waiting.
//
// Operations named after a button (Btn_Read_0Click, ...) are what the buttons run: they test
// for an opened mouse first. The others are the steps those use, public so the command-line
// tool and the tests can run one step alone.
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/ControllerView.h"
#include "app/Outcome.h"
#include "config/ConfigImage.h"
#include "config/FormModel.h"
#include "config/ImageLayout.h"
#include "device/DriverChannel.h"
#include "device/FeatureProtocol.h"
#include "device/HidBus.h"
#include "device/TargetMouse.h"
#include "device/Waiting.h"
#include "fire/CustomGunKeys.h"
#include "fire/FireMacroWrites.h"
#include "fire/FireMacros.h"
#include "macros/DeviceMacroSlots.h"
#include "macros/DriverMacroList.h"
#include "macros/MacroAssignment.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroRecord.h"
#include "ui/text/GeneralOptions.h"
#include "ui/text/LanguageTable.h"

namespace qeltra3k::app {

// A USB vendor id and product id the device search tries; a pair with a zero member is
// skipped.
struct CandidatePair {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// The two accepted ID byte pairs (VendorByte, ProductByte at 0x36, 0x37).
struct IdPair {
    std::uint8_t vendorByte = 0xFF;
    std::uint8_t productByte = 0xFF;
    friend bool operator==(const IdPair&, const IdPair&) = default;
};

struct ControllerSetup {
    device::HidBus* bus = nullptr;          // required
    device::Waiting* waiting = nullptr;     // required
    ControllerView* view = nullptr;         // required
    device::DriverChannel* driver = nullptr;  // driver mode; without it driver mode finds no driver
    text::GeneralOptions options;           // the layout's [org] section
    // Folder of the data files: the custom gun-key file, and the macro folder (library,
    // driver state and reference file) when the layout's Path is empty. The driver state
    // file's write creates it when it is missing.
    std::filesystem::path dataFolder;
    int language = 1;
    std::array<CandidatePair, 2> candidates{{{device::kTargetVendorId, device::kTargetProductId}, {0, 0}}};
};

// The three device timers of the main window, as the controller has switched them.
struct TimerState {
    bool devTimer = false;       // 3000 ms device watch
    bool devTimerFirst = false;  // 20 ms first search
    bool testTimer = false;      // 1000 ms key test countdown
};

inline constexpr std::size_t kDeviceSlotCount = macros::kSlotCount;
inline constexpr std::uint16_t kExpectedVersion = device::kTargetVersion;
using DriverState = std::array<std::uint8_t, 4>;

// Driver-mode files, in the macro folder.
inline constexpr std::string_view kDriverStateFileName = "DriverTempCPIAndLedData.bin";
inline constexpr std::string_view kDriverReferenceFileName = "Driver_VOSKEN2Data_Cfg1.bin";

class Controller {
public:
    explicit Controller(const ControllerSetup& setup);
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // Start-up: the no-device state with the first default configuration on screen, and the
    // first search armed (DevTimerFirst on), as the loading window's creation does.
    void Start();

    // ---------------------------------------------------------------- language
    // Loads language table 1..3; false (the old table kept) when it cannot be read.
    bool SetLanguage(int index);
    std::string Text(std::string_view key) const;
    // The name a button shows for a code text in the current state.
    std::string KeyName(std::string_view codeText);
    config::KeyNameFn NameOf();

    // ---------------------------------------------------------------- discovery (device watch)
    int CountHidInterfaces();
    // Opens the last interface in enumeration order that has these ids, an 8-byte feature
    // report and `expectedVersion`; on success it replaces the opened mouse.
    bool OpenMouse(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t& expectedVersion);
    void DevTimerTimer();
    Outcome ReadDevInfo(bool fullRead);
    Outcome ReadDriverDevInfo();
    void DriverModeFallback();
    void DeviceLost();
    void RefreshErrorAP();
    void InitNoDevice();

    // ---------------------------------------------------------------- workflows
    Outcome Btn_Read_0Click();
    Outcome Btn_Read(bool fullRead);
    Outcome Btn_Apply_0Click();
    Outcome DownloadParameter();
    Outcome DownloadDriverParameter();
    Outcome Btn_Confirm_0Click();
    // Reset buttons: 0, 1, 2 the three default configurations; Btn_DefaultClick is 0.
    Outcome Btn_ConfirmN_1Click(int number);
    Outcome Btn_DefaultClick();
    Outcome btn_loadDefaultCPIClick();
    Outcome btn_loadDefaultLEDClick();
    Outcome TLDefaultParameter(int number);
    Outcome TLDefaultDriverParameter(int number);
    Outcome MemoToDataBuf_OnClick();
    Outcome WriteImageVerified();
    // Reads the fire macro block once, when it is not held yet.
    Outcome ReadFireMacroBlock();
    // Slot 0..5: the name read from the mouse (empty for an unused slot).
    std::string ReadDeviceMacroName(std::size_t slot);

    // A macro picked from the macro name list for a button: into a device slot (EEPROM mode)
    // or the driver macro list (driver mode), the button getting its code. A refusal that
    // has a message shows it.
    macros::AssignmentOutcome LB_NameClick(const macros::MacroPick& pick);

    // ---------------------------------------------------------------- fire macros, base macros
    // The engineer page's preset buttons (0 empty, 1 PC game, 2 mobile game): the preset
    // becomes the block and goes to the mouse.
    Outcome TLFireMarcoParameter(int kind);
    // Btn_ImportGunMacro with the chosen file (nothing: cancelled).
    Outcome ImportGunMacro(const std::optional<std::filesystem::path>& chosen);
    // The fire macro page's Confirm: the three fire macro tables and the block.
    Outcome ConfirmFireMacros();
    // The engineer page's base macro import: the file's macro block A into the image, the
    // slots and the mouse.
    Outcome ImportBaseMacro(const std::optional<std::filesystem::path>& chosen);

    // ---------------------------------------------------------------- key test
    void btn_TestKeysClick();
    void TestTimerTimer();
    bool KeyTestRunning() const;
    bool KeyTestBusy() const { return keyTestBusy_.load(); }

    // ---------------------------------------------------------------- profiles and driver state
    // The chosen file (nothing: the dialog was cancelled).
    Outcome Btn_Save_0Click(const std::optional<std::filesystem::path>& chosen);
    Outcome Btn_Load_0Click(const std::optional<std::filesystem::path>& chosen);
    Outcome TLDefaultDriverParameter1(const std::filesystem::path& file);
    bool LoadDriverTempCPIAndLedData();
    bool SendDriverTempCPIAndLedData();
    std::filesystem::path MacroFolder() const;

    // ---------------------------------------------------------------- state
    config::FormModel& Form() { return form_; }
    const config::FormModel& Form() const { return form_; }
    config::DataBuf& DataBuf() { return dataBuf_; }
    const config::DataBuf& DataBuf() const { return dataBuf_; }
    const config::DeviceImage& DeviceImage() const { return deviceImage_; }
    const config::DeviceImage& ReadBackBuffer() const { return readBack_; }
    const config::DriverSectionCopies& DriverCopies() const { return driverCopies_; }
    fire::FireMacros& FireMacros() { return fireMacros_; }
    const fire::FireMacros& FireMacros() const { return fireMacros_; }
    bool FireMacroBlockLoaded() const { return fireMacroBlockLoaded_; }
    const DriverState& DriverTempCPIAndLedData() const { return driverState_; }
    const std::string& LightingFamilyName() const { return lightingFamilyName_; }
    // LB_MacroName: the slot names in slot order as the page shows them, empty for an unused
    // slot; a name read from the mouse on demand lands here too.
    const std::array<std::string, kDeviceSlotCount>& MacroNameList() const { return macroNameList_; }
    const std::array<std::string, kDeviceSlotCount>& SlotNamesFromMouse() const { return slotNamesFromMouse_; }
    const macros::DeviceMacroSlots& DeviceSlots() const { return deviceSlots_; }
    macros::DriverMacroList& DriverMacroList() { return driverMacroList_; }
    macros::MacroLibrary& Library() { return library_; }
    macros::DriverMacroLibrary& DriverLibrary() { return driverLibrary_; }
    fire::CustomGunKeys& CustomGunKeys() { return customGunKeys_; }
    // How the start-up load of the macro library went.
    const macros::FileResult& LibraryLoading() const { return libraryLoading_; }

    // Takes an image as a load does (sections into DataBuf with their checks, the macro
    // slots, the fire macro block) and shows it, without writing anything: what the next
    // Apply then writes.
    void TakeImage(const config::DeviceImage& image);

    bool HasDevice() const { return protocol_.HasDevice(); }
    bool NoDevice() const { return noDevice_; }
    bool EepromMode() const { return eepromMode_; }
    TimerState Timers() const { return timers_; }
    bool MemoryReady() const { return memoryReady_; }
    std::uint8_t ChipCode() const { return chipCode_; }
    IdPair MouseIdBytes() const { return mouseIds_; }
    IdPair PrimaryIdPair() const { return primaryIds_; }
    IdPair ReserveIdPair() const { return reserveIds_; }
    std::uint16_t CurrentVendorId() const { return currentVendorId_; }
    std::uint16_t CurrentProductId() const { return currentProductId_; }
    int LastInterfaceCount() const { return lastCount_; }
    device::FeatureProtocol& Protocol() { return protocol_; }

private:
    // Busy frame of a device operation.
    void BusyFrameStart();
    void BusyFrameEnd();
    // Pause 10 ms and process messages, `times` times (the button entry waits 110 ms).
    void PauseSteps(int times);
    void SetDevTimer(bool on);
    void SetDevTimerFirst(bool on);
    void SetTestTimer(bool on);

    void ShowMessage(MessageStyle style, std::vector<std::string> keys, std::string_view suffix = {});
    // With no mouse open a page button shows Str020 and does nothing else.
    bool RefuseWithoutDevice();
    void CloseMouse();

    // OpenCmd + StatusCmd: the status reply, or nothing when a command was not done.
    struct Status {
        bool ready = false;        // reply byte 1 is 0xAA
        bool memoryReady = false;
        std::uint8_t chipSource = 0;
    };
    std::optional<Status> OpenAndStatus();
    bool EndTransaction();  // SystemReloadCmd, CloseCmd; true when both were done
    // The transaction around writes: open, status, `writes` only when the status says the
    // mouse is ready and its memory too (and, when `chipRequired`, the chip is known), then
    // reload and close. NoAnswer when the frame stopped early, NotReady when nothing could
    // be written, else what `writes` gave (TransferFailed also when the close failed).
    Outcome WriteTransaction(bool chipRequired, const std::function<Outcome()>& writes);
    bool IdsAccepted(IdPair ids) const;
    std::optional<IdPair> ReadIdBytes();
    void ShowIdBytes(IdPair ids);

    // Loads of a device image into DataBuf, slots and the fire macro block copy.
    // The device image's sections, slots and fire macro block into their buffers.
    void LoadImageBuffers();
    void LoadMacroSlotsFromImage();
    void LoadFireMacroBlockFromImage();
    // The fire macro and base macro writes: device watch off and loading window shown
    // around `frame`, whose result becomes the controller's status and the outcome.
    Outcome FireWriteFrame(const std::function<device::WriteFrameResult()>& frame);
    void ShowDataBuf();

    bool WriteMacroBlocks();

    // Driver mode.
    bool ReadDriverSections();
    void ReadDriverMacros();
    // The sections go to the driver in Apply's order (with the driver macro list) or in the
    // order of a reset and a profile load (sections only).
    enum class DriverSectionOrder { Apply, Reset };
    bool WriteDriverSections(DriverSectionOrder order);
    Outcome ApplyDriverImage(std::span<const std::uint8_t> image);
    bool StoreDriverStateFile();

    // Key test.
    void KeyTestPoller();
    void FlashKey(const std::string& buttonName);
    void StopKeyTest();

    // Profiles.
    Outcome SaveEepromProfile(const std::filesystem::path& file);
    Outcome SaveDriverProfile(const std::filesystem::path& file);
    Outcome LoadEepromProfile(const std::filesystem::path& file);
    bool WriteDataFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

    device::HidBus& bus_;
    device::Waiting& waiting_;
    ControllerView& view_;
    device::DriverChannel* driver_;
    text::GeneralOptions options_;
    std::filesystem::path dataFolder_;
    std::array<CandidatePair, 2> candidates_;

    device::FeatureProtocol protocol_;
    std::unique_ptr<device::HidDevice> hid_;  // the HID handle; none is the handle -1

    text::LanguageTable language_;
    bool eepromMode_ = true;

    std::uint16_t currentVendorId_ = 0;
    std::uint16_t currentProductId_ = 0;
    std::uint32_t featureReportLength_ = 0;
    std::uint16_t expectedVersion_ = 0;

    config::DeviceImage deviceImage_{};
    config::DeviceImage readBack_{};
    config::DataBuf dataBuf_{};
    config::FormModel form_;
    config::DriverSectionCopies driverCopies_;
    DriverState driverState_{};

    IdPair mouseIds_;
    IdPair primaryIds_;
    IdPair reserveIds_;
    bool memoryReady_ = false;
    std::uint8_t chipCode_ = 0;

    bool fireMacroBlockLoaded_ = false;
    fire::FireMacros fireMacros_;

    // Device slots: the slot table (the macro buffers), LB_MacroName and the names as read
    // from the mouse.
    macros::DeviceMacroSlots deviceSlots_;
    std::array<std::string, kDeviceSlotCount> macroNameList_{};
    std::array<std::string, kDeviceSlotCount> slotNamesFromMouse_{};

    macros::DriverMacroList driverMacroList_;
    macros::MacroLibrary library_;
    macros::DriverMacroLibrary driverLibrary_;
    fire::CustomGunKeys customGunKeys_;
    macros::FileResult libraryLoading_;

    std::string lightingFamilyName_;
    bool noDevice_ = false;
    TimerState timers_;
    bool watchBusy_ = false;
    int lastCount_ = 0;

    // Key test.
    std::atomic<bool> keyTestBusy_{false};
    std::atomic<bool> keyTestStop_{false};
    std::thread keyTestPoller_;
    int keyTestCountdown_ = 0;
};

}  // namespace qeltra3k::app
