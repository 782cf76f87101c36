// The macro page's library commands (new, rename, delete, import and export through the
// name dialog and the system's file dialogs) and its messages.
#include <QFileDialog>
#include <QMenu>

#include "ui/MacroPage.h"
#include "ui/MainWindow.h"

namespace qeltra3k::ui {

// ------------------------------------------------------------------------------ messages, files

void MacroPage::Message(std::string_view key, const std::string& fallbackText)
{
    app::ViewMessage message;
    message.style = app::MessageStyle::Dialog;
    message.title = window_.Controller().Text("Title");
    message.fontName = fontFamily_.toStdString();
    message.text = key.empty() ? fallbackText : window_.Controller().Text(key);
    if (!key.empty())
        message.keys = {std::string(key)};
    window_.ShowMessage(message);
}

void MacroPage::ShowChange(const macros::ChangeResult& result)
{
    switch (result.status) {
    case macros::ChangeStatus::Saved:
    case macros::ChangeStatus::Unchanged:
        break;
    case macros::ChangeStatus::TooLong:
        Message("Str104");
        break;
    case macros::ChangeStatus::BadRow:
    case macros::ChangeStatus::BadLoopCount:
    case macros::ChangeStatus::SaveFailed:
        Message({}, result.reason);
        break;
    }
}

void MacroPage::LibraryDone(const macros::LibraryResult& result)
{
    if (result.outcome == macros::LibraryOutcome::WriteFailed) {
        Message({}, result.error);
    } else if (const std::string_view key = macros::LibraryMessageKey(result.outcome); !key.empty()) {
        Message(key);
    }
}

std::optional<std::filesystem::path> MacroPage::ChooseFile(MacroFileDialog dialog)
{
    if (chooser_)
        return chooser_(dialog);
    const QString chosen = dialog == MacroFileDialog::Open
                               ? QFileDialog::getOpenFileName(&window_, QString(), QString(), QStringLiteral("LoadFile(*.bin)"))
                               : QFileDialog::getSaveFileName(&window_, QString(), QString(), QStringLiteral("SaveFile(*.bin)"));
    if (chosen.isEmpty())
        return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

// ------------------------------------------------------------------------------ library commands

void MacroPage::NewMacro(bool fromLibraryMenu)
{
    libraryMenu_->hide();
    if (editor_->Recording() || !macros::NewMacroEnabled(store_->Count()))
        return;
    const NameOperation operation = fromLibraryMenu ? NameOperation::CreateFromMenu : NameOperation::Create;
    OpenValueDialog(MacroDialogKind::Name, "Str510", [this, operation](const QString& name) { NameConfirmed(operation, name); });
}

void MacroPage::RenameMacro()
{
    libraryMenu_->hide();
    if (!editor_->Page().selectedMacro)
        return;
    OpenValueDialog(MacroDialogKind::Name, "Str510",
                    [this](const QString& name) { NameConfirmed(NameOperation::Rename, name); });
}

void MacroPage::NameConfirmed(NameOperation operation, const QString& name)
{
    if (editor_->Recording())
        return;
    app::Controller& controller = window_.Controller();
    const std::string text = name.toStdString();
    macros::LibraryResult result;
    if (operation == NameOperation::Rename) {
        const auto position = editor_->Page().selectedMacro;
        result = eepromStore_ ? macros::RenameMacro(controller.Library(), position, text)
                              : macros::RenameMacro(controller.DriverLibrary(), controller.DriverMacroList(), position, text);
    } else {
        result = eepromStore_ ? macros::CreateMacro(controller.Library(), text)
                              : macros::CreateMacro(controller.DriverLibrary(), controller.DriverMacroList(), text);
    }
    LibraryDone(result);
    if (result) {
        editor_->SelectMacro(result.selection);
        if (operation == NameOperation::CreateFromMenu)
            editor_->ChooseRelease(false);
    }
    Show();
}

void MacroPage::DeleteMacro()
{
    libraryMenu_->hide();
    if (editor_->Recording() || editor_->Page().insert.open)
        return;
    app::Controller& controller = window_.Controller();
    const auto position = editor_->Page().selectedMacro;
    const macros::LibraryResult result =
        eepromStore_ ? macros::DeleteMacro(controller.Library(), position)
                     : macros::DeleteMacro(controller.DriverLibrary(), controller.DriverMacroList(), position);
    LibraryDone(result);
    if (result)
        editor_->SelectMacro(result.selection);
    Show();
}

void MacroPage::ImportOne()
{
    libraryMenu_->hide();
    app::Controller& controller = window_.Controller();
    const bool allowed = eepromStore_ ? macros::ImportOneAllowed(controller.Library())
                                      : macros::ImportOneAllowed(controller.DriverLibrary());
    if (editor_->Recording() || !allowed)
        return;
    const auto file = ChooseFile(MacroFileDialog::Open);
    if (!file)
        return;
    const macros::LibraryResult result =
        eepromStore_ ? macros::ImportOneMacro(controller.Library(), *file)
                     : macros::ImportOneMacro(controller.DriverLibrary(), controller.DriverMacroList(), *file);
    LibraryDone(result);
    if (result)
        editor_->SelectMacro(result.selection);
    Show();
}

void MacroPage::ImportAll()
{
    libraryMenu_->hide();
    if (editor_->Recording())
        return;
    const auto file = ChooseFile(MacroFileDialog::Open);
    if (!file)
        return;
    app::Controller& controller = window_.Controller();
    const macros::LibraryResult result =
        eepromStore_ ? macros::ImportAllMacros(controller.Library(), *file)
                     : macros::ImportAllMacros(controller.DriverLibrary(), controller.DriverMacroList(), *file);
    LibraryDone(result);
    if (result)
        editor_->SelectMacro(std::nullopt);
    Show();
}

void MacroPage::ExportOne()
{
    libraryMenu_->hide();
    const auto position = editor_->Page().selectedMacro;
    if (!position)
        return;
    const auto file = ChooseFile(MacroFileDialog::Save);
    if (!file)
        return;
    app::Controller& controller = window_.Controller();
    LibraryDone(eepromStore_ ? macros::ExportOneMacro(controller.Library(), position, *file)
                             : macros::ExportOneMacro(controller.DriverLibrary(), position, *file));
}

void MacroPage::ExportAll()
{
    libraryMenu_->hide();
    const auto file = ChooseFile(MacroFileDialog::Save);
    if (!file)
        return;
    app::Controller& controller = window_.Controller();
    LibraryDone(eepromStore_ ? macros::ExportAllMacros(controller.Library(), *file)
                             : macros::ExportAllMacros(controller.DriverLibrary(), *file));
}

}  // namespace qeltra3k::ui
