#pragma once
// TForm1: the borderless skinned main window. It owns the controller for the whole run,
// implements the controller's view, builds the six pages and their controls (each carrying
// its design name as object name), applies skins and language tables, and turns clicks into
// controller operations. Rules live in the plain C++ below it; this only shows and calls.
#include <QRegion>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/Controller.h"
#include "app/ControllerView.h"
#include "config/FormEditing.h"
#include "config/FormModel.h"
#include "device/HidBus.h"
#include "ui/text/GeneralOptions.h"
#include "ui/text/LanguageTable.h"
#include "ui/text/SkinSection.h"
#include "ui/text/TextRolling.h"

class QFrame;
class QLabel;

namespace qeltra3k::ui {

class ClickLabel;
class EngineerPage;
class KeyMenu;
class LoadingWindow;
class PictureLabel;

inline constexpr const char* kMainCaption = "QELTRA3K Gaming Mouse v1.0";
inline constexpr QSize kEngineerPageSize{1000, 600};
// The window's size while the skin has no background picture.
inline constexpr QSize kFallbackWindowSize{1000, 660};
inline constexpr int kPageCopies = 4;
inline constexpr int kPageCount = 6;

// The page state radio group rb_1, rb_2, rb_4, rb_5, rb_6, rb_7.
enum class PageState { Office, Game, Advanced, Light, Macro, Engineer };

enum class ProfileDialog { Save, Load };

struct MainWindowSetup {
    device::HidBus* bus = nullptr;  // required, outlives the window
    std::filesystem::path dataFolder;
    // The layout's general section; the embedded "org" when not given.
    std::optional<text::GeneralOptions> options;
    // Waiting of the device exchanges; the window's own (sleep and keep painting) when null.
    device::Waiting* waiting = nullptr;
    // False: the four timers never start by themselves and their handlers are called by hand.
    bool runTimers = true;
    // Stand-ins for what would block or leave the program (tests): the message box, the file
    // dialogs, the desktop's handler of the web address.
    std::function<void(const app::ViewMessage&)> showMessage;
    std::function<std::optional<std::filesystem::path>(ProfileDialog)> chooseProfileFile;
    std::function<void(const QUrl&)> openUrl;
};

class MainWindow : public QWidget, public app::ControllerView {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowSetup setup);
    ~MainWindow() override;

    // Shows page `page` (1..6) alone and gives the window that page's size.
    void ShowOnlyPanel(int page);

    app::Controller& Controller() { return *controller_; }
    // Creates TFormLoadingUI, which arms the first device search.
    void CreateLoadingWindow();
    LoadingWindow* Loading() const { return loading_; }

    // ---------------------------------------------------------------- timers
    void DevTimerTimer();
    void TestTimerTimer();
    void LabelRunTimer();
    QTimer& DevTimer() { return devTimer_; }
    QTimer& DevTimerFirst() { return devTimerFirst_; }
    QTimer& TestTimer() { return testTimer_; }
    QTimer& LabelRun() { return labelRun_; }

    // ---------------------------------------------------------------- state
    int Language() const { return language_; }
    PageState State() const { return state_; }
    QSize BackgroundSize() const { return backgroundSize_; }
    const text::GeneralOptions& Options() const { return options_; }
    const text::TextRolling& Rolling() const { return rolling_; }
    KeyMenu& Menu() { return *menu_; }

    // ---------------------------------------------------------------- what the buttons do
    // A page button of `state` (any copy): the gates, then the page.
    void PageButtonClick(PageState state);
    // Btn_LangN_k: language and skin N.
    void LanguageButtonClick(int language);
    // Opens the key menu of Key1 .. Key9.
    void KeyClick(int keyNumber);
    // The menu entry with `tag` was picked for the selected key.
    void MenuPicked(int tag, const QString& entryText);
    // Key_Macro: entry `index` of the library's macro names for the selected key.
    void MacroPicked(int index);
    // Key_Assembly: the key-assembly dialog for the selected key; its Confirm assigns the key
    // that was selected when it opened.
    void OpenAssemblyDialog();
    // The names LB_Name lists, from the library the mode uses, as the macro page shows them.
    QStringList MacroNames();
    void ComboKeyClick(int hint);
    // btn_Key101 .. btn_Key209 of the engineer page: the key menu for that key set.
    void EngineerKeyClick(int buttonNumber);
    // The engineer page's layout presets: "Default_CPI" (true) or "Default_LED".
    void RunPreset(bool dpiPreset);
    // The engineer page changed the form: every page shows it again.
    void FormEdited();
    // A message of the editing rules, in a box with the table's font and title.
    void ShowFormMessage(config::FormMessage message);
    // Opens the engineer page through its gates (the keyboard shortcut).
    void EngineerShortcut();

    // Renders every page in every language into `folder` (the review run); false when a
    // picture could not be written.
    bool WriteScreenshots(const QString& folder);

    // ---------------------------------------------------------------- app::ControllerView
    void ShowMessage(const app::ViewMessage& message) override;
    void ShowBusyOverlay() override;
    void HideBusyOverlay() override;
    void ShowLoadingWindow() override;
    void HideLoadingWindow() override;
    void Refresh(app::RefreshRequest what) override;
    void CloseMenus() override;
    void CloseMainWindow() override;
    void SetKeyTestButtonEnabled(bool enabled) override;
    void ShowKeyTestCaption(const std::optional<std::string>& countdown) override;
    void SetKeyButtonVisible(const std::string& buttonName, bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Building (MainWindowBuild.cpp).
    void BuildPages();
    void BuildTopBar(int copy);
    void BuildKeyPage();
    void BuildCaptionLabels();
    void ConnectHover(ClickLabel* label);

    // Skins and languages (MainWindowSkin.cpp).
    void ApplySkin(int index);
    void ApplySkinPictures(int index);
    void ApplyTopBarSkin(const text::SkinSection& skin);
    void ApplyKeyPageSkin(const text::SkinSection& skin);
    void ApplyCaptionLabelSkin(const text::SkinSection& skin);
    void ApplyLanguageTable();
    void CarryKeyCaptions(const text::LanguageTable& newTable);
    void SetApplicationTitle();
    QString Text(std::string_view key) const;

    // Pages and navigation (MainWindowPages.cpp).
    void ShowPage(PageState state);
    void SetPageButtonPictures();
    void SetLanguageButtonPictures();
    void RefreshKeyLabels();
    void RefreshComboHints();
    void RefreshPageAfterLanguage();
    void ResizeForPage(int page);
    config::Profile ShownProfile() const;
    // The key whose menu is open: its profile and number 1..9 (0 when none was clicked).
    struct KeyTarget {
        config::Profile profile = config::Profile::One;
        int key = 0;
        bool engineering = false;
    };
    KeyTarget SelectedTarget() const;
    void HoverEnter(ClickLabel* label);
    void HoverLeave(ClickLabel* label);
    void ActionPressed(ClickLabel* label);
    void WebClick();

    // Workflows (MainWindow.cpp).
    // Runs a device operation; a close asked for meanwhile happens once it is over.
    void RunWorkflow(const std::function<void()>& operation);
    void ReadClick();
    void ApplyClick();
    void ConfirmClick();
    void ResetClick(int number);
    void SaveClick();
    void LoadClick();
    std::optional<std::filesystem::path> ChooseProfileFile(ProfileDialog dialog);
    void SyncTimers();

    QWidget* Find(const QString& name) const;
    template <class T>
    T* FindAs(const QString& name) const
    {
        return findChild<T*>(name);
    }
    QFrame* Page(int page) const;

    MainWindowSetup setup_;
    text::GeneralOptions options_;
    std::unique_ptr<device::Waiting> ownWaiting_;
    std::unique_ptr<app::Controller> controller_;
    std::array<text::LanguageTable, text::kLanguageCount> tables_{};
    text::SkinSection skin_;
    KeyMenu* menu_ = nullptr;
    EngineerPage* engineer_ = nullptr;
    LoadingWindow* loading_ = nullptr;

    QTimer devTimer_;
    QTimer devTimerFirst_;
    QTimer testTimer_;
    QTimer labelRun_;

    int language_ = 1;
    PageState state_ = PageState::Office;
    QSize backgroundSize_ = kFallbackWindowSize;
    QRegion windowMask_;
    QString fontFamily_;
    int selectedKey_ = 0;
    text::TextRolling rolling_;
    ClickLabel* hovered_ = nullptr;
    bool webClicked_ = false;

    int workflowDepth_ = 0;
    bool closeRequested_ = false;
};

}  // namespace qeltra3k::ui
