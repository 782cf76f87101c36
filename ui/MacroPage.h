#pragma once
// gbPage4, the macro page: the PC macro library as a list with its library menu, the rows of
// the selected macro with the row menu, the release, repeat and delay options, recording,
// and the insert panel. Everything the page does is macros::MacroEditor (rows, options,
// recording) or macros/MacroLibraryCommands.h (new, rename, delete, import, export); the
// widgets show the editor's model after every call.
//
// While a recording runs, the page listens to the key and mouse button events of the
// application's windows and hands them to the editor as virtual keys and mouse hook
// messages, stamped with a monotonic clock.
#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "macros/MacroEditor.h"
#include "macros/MacroLibraryCommands.h"
#include "ui/MacroDialogs.h"
#include "ui/text/SkinSection.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;

namespace qeltra3k::ui {

class MainWindow;

enum class MacroFileDialog { Open, Save };

class MacroPage : public QObject {
    Q_OBJECT
public:
    MacroPage(MainWindow& window, QFrame* page);
    ~MacroPage() override;

    // Positions, fonts and colours of the skin, then the texts of the current language.
    void ApplySkin(const text::SkinSection& skin, const QString& fontFamily);
    // PcMacroList: the library may have changed under the page (a read, a mode change).
    void RefreshList();
    // MacroEditorCleared: the row list is emptied.
    void ClearRows();

    macros::MacroEditor& Editor() { return *editor_; }
    // The dialog open now, if any.
    MacroDialog* OpenDialog() const { return dialog_; }
    // Stand-in for the system's file dialogs (tests); nothing means cancelled.
    void SetFileChooser(std::function<std::optional<std::filesystem::path>(MacroFileDialog)> chooser)
    {
        chooser_ = std::move(chooser);
    }

    // --- what the controls do ------------------------------------------------------------
    void SelectMacro(std::optional<int> position);
    void SelectRow(std::optional<int> position);
    void NewMacro(bool fromLibraryMenu);
    void RenameMacro();
    void DeleteMacro();
    void ImportOne();
    void ImportAll();
    void ExportOne();
    void ExportAll();
    void EditRow();
    // The single-key dialog for a key press (or release) row being edited.
    void OpenKeyDialog(bool press);
    void DeleteRow();
    void InsertRow();
    void RecordClick();
    void InsertRecordClick();
    void InsertOk();
    void InsertCancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool WindowInput(QObject* watched, QEvent* event);

private:
    enum class NameOperation { Create, CreateFromMenu, Rename };

    void Build();
    void BuildOptions();
    void BuildInsertPanel();
    void BuildMenus();
    void EnsureEditor();
    void Show();
    void ShowRows();
    void ShowOptions();
    void ShowInsertPanel();
    QString Text(std::string_view key) const;
    void Message(std::string_view key, const std::string& fallbackText = {});
    void ShowChange(const macros::ChangeResult& result);
    void LibraryDone(const macros::LibraryResult& result);
    std::optional<std::filesystem::path> ChooseFile(MacroFileDialog dialog);
    void OpenValueDialog(MacroDialogKind kind, std::string_view titleKey, const std::function<void(const QString&)>& done);
    void NameConfirmed(NameOperation operation, const QString& name);
    void RecordingStarted(bool stopDeviceWatch);
    void RecordingEnded();
    void KeyFromWindow(int qtKey, bool keypad, bool press);
    void ButtonFromWindow(int qtButton, bool press);
    void AfterStep(const macros::RecordingStep& step);
    void OptionClicked(QObject* control);
    void ListMouseReleased(QListWidget* list, QPoint at, Qt::MouseButton button);

    MainWindow& window_;
    QFrame* page_;
    std::unique_ptr<macros::MacroBodyStore> store_;
    std::unique_ptr<macros::MacroEditor> editor_;
    bool eepromStore_ = true;
    std::function<std::optional<std::filesystem::path>(MacroFileDialog)> chooser_;
    QPointer<MacroDialog> dialog_;

    void CloseOpenDialogs();
    text::SkinSection skin_;
    QString fontFamily_;
    QObject* listener_ = nullptr;  // the program-wide input filter while recording
    bool listening_ = false;
    bool watchWasActive_ = false;  // the device watch ran when the recording started
    bool showing_ = false;

    QListWidget* macroList_ = nullptr;
    QListWidget* rowList_ = nullptr;
    SkinButton new_;
    SkinButton delete_;
    SkinButton start_;
    QFrame* delayGroup_ = nullptr;
    QLineEdit* delayEdit_ = nullptr;
    QLineEdit* loopEdit_ = nullptr;
    QFrame* insertPanel_ = nullptr;
    QComboBox* insertChoice_ = nullptr;
    QLineEdit* insertDelayEdit_ = nullptr;
    QLineEdit* xEdit_ = nullptr;
    QLineEdit* yEdit_ = nullptr;
    SkinButton insertStart_;
    SkinButton ok_;
    SkinButton cancel_;
    QMenu* libraryMenu_ = nullptr;
    QMenu* rowMenu_ = nullptr;
};

}  // namespace qeltra3k::ui
