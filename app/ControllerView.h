#pragma once
// What the controller needs of the screen, and nothing more: the Qt main window implements
// it, the command-line tool and the tests fake it. Every call comes from the UI thread,
// except the key test's button flashes (marked below), which come from the key test's
// poller thread and must be handed to the UI thread by the implementation.
//
// Pauses and "process pending messages" are not here: they go through device::Waiting, the
// same object the feature-report protocol waits on, so a device operation keeps the window
// alive in one place only. The editor's Waiting pumps its event loop; it is also called
// from the poller thread, where it must only sleep.
#include <optional>
#include <string>
#include <vector>

namespace qeltra3k::app {

// Both kinds are modal with a single OK button; ShowMessage returns once it is confirmed.
enum class MessageStyle {
    Box,     // a message box: empty title
    Dialog,  // a message dialog: the language table's title and font
};

struct ViewMessage {
    MessageStyle style = MessageStyle::Box;
    std::string title;     // empty for a box
    std::string fontName;  // the language table's font
    std::string text;      // what the user reads: language table texts (and a file name)
    std::vector<std::string> keys;  // the language keys the text was made of, in order
};

// What has changed and must be shown again.
enum class RefreshRequest {
    Form,                  // DataBuf and the form model changed: show every control again
    PageState,             // no-device flag changed: page 1 only, page buttons to their idle images
    DeviceIds,             // edt_VendorID / edt_ProductID hold the ID bytes just read
    MacroView,             // the device slots and LB_MacroName were rebuilt
    MacroEditorCleared,    // LB_macro and the macro editor's two text fields are to be emptied
    GunKeyListsCleared,    // LB_ScriptName and LB_Script are to be emptied
    FireMacros,            // the ten fire macro records were unpacked again
    DriverMacroNames,      // the driver macro list was read again
    PcMacroList,           // refresh the PC macro list of the macro page
    PointerSettingsToForm, // read the system's pointer settings into their controls
    PointerSettingsToSystem, // hand the pointer settings of the controls to the system
    MainPageAction,        // run the main page's button action when rb_1 is selected
    KeyModePage,           // show the page of the active key mode, with page 1 visible
    Timers,                // DevTimer, DevTimerFirst or TestTimer was switched
};

class ControllerView {
public:
    virtual ~ControllerView() = default;

    virtual void ShowMessage(const ViewMessage& message) = 0;

    // The Disable_All panels that lie over pages 1 to 4 and swallow clicks.
    virtual void ShowBusyOverlay() = 0;
    virtual void HideBusyOverlay() = 0;

    // The loading window, centred over the main window and shown on top.
    virtual void ShowLoadingWindow() = 0;
    virtual void HideLoadingWindow() = 0;

    virtual void Refresh(RefreshRequest what) = 0;

    // Closes any open key menu (before every workflow a button starts).
    virtual void CloseMenus() = 0;
    // Confirm: the main window closes and the program ends.
    virtual void CloseMainWindow() = 0;

    // Key test: btn_TestKeys enabled or not, and its caption: a countdown text, or nothing
    // for its own caption (entry 8 of the engineer page's text table).
    virtual void SetKeyTestButtonEnabled(bool enabled) = 0;
    virtual void ShowKeyTestCaption(const std::optional<std::string>& countdown) = 0;
    // Poller thread: shows or hides one of btn_Key101 .. btn_Key109 during a flash.
    virtual void SetKeyButtonVisible(const std::string& buttonName, bool visible) = 0;
};

}  // namespace qeltra3k::app
