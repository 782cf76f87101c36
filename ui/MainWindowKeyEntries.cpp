// The key menu's macro and key-assembly entries: which key the menu was opened for, the
// macro names it lists, and the assignments they lead to.
#include "app/ControllerSteps.h"
#include "config/FormEditing.h"
#include "macros/MacroAssignment.h"
#include "ui/KeyDialogs.h"
#include "ui/MainWindow.h"

namespace qeltra3k::ui {

MainWindow::KeyTarget MainWindow::SelectedTarget() const
{
    // Keys 1 .. 9 of the key page, or 101 .. 109 / 201 .. 209 of the engineer page.
    if (selectedKey_ > 100)
        return {selectedKey_ / 100 == 2 ? config::Profile::Two : config::Profile::One, selectedKey_ % 100, true};
    return {ShownProfile(), selectedKey_, false};
}

QStringList MainWindow::MacroNames()
{
    app::Controller& controller = *controller_;
    const std::vector<std::string> names =
        controller.EepromMode() ? controller.Library().Names() : controller.DriverLibrary().Names();
    QStringList list;
    for (const std::string& name : names)
        list.push_back(QString::fromStdString(name));
    return list;
}

void MainWindow::MacroPicked(int index)
{
    CloseMenus();
    const KeyTarget target = SelectedTarget();
    if (index < 0 || target.key < 1)
        return;
    macros::MacroPick pick;
    pick.macro = static_cast<std::size_t>(index);
    pick.profile = target.profile;
    pick.keyNumber = static_cast<std::size_t>(target.key);
    pick.view = target.engineering ? macros::PickView::Engineering : macros::PickView::MainPage;
    // The controller shows the left-key and list messages and asks for the refreshes.
    controller_->LB_NameClick(pick);
}

void MainWindow::OpenAssemblyDialog()
{
    CloseMenus();
    const KeyTarget target = SelectedTarget();
    if (target.key < 1 || target.key > static_cast<int>(config::kKeysPerProfile))
        return;
    // One dialog at a time: a second request starts afresh.
    if (auto* open = findChild<AssemblyDialog*>())
        open->reject();
    KeyDialogTexts texts;
    texts.title = Text("Str500");
    texts.confirmText = Text("Str501");
    texts.clearText = Text("Str502");
    texts.fontFamily = fontFamily_;
    auto* dialog = new AssemblyDialog(texts, skin_.assemblyDialog, this);
    connect(dialog, &AssemblyDialog::confirmed, this, [this, target](const QString& displayText, const QString& code) {
        // A user-defined key may replace the last left click: no check on this path.
        config::AssignKeyFunction(controller_->Form(), controller_->DataBuf(), target.profile,
                                  static_cast<std::size_t>(target.key), code.toStdString(), displayText.toStdString(),
                                  controller_->Text(app::kLeftNameKey), config::LeftKeyCheck::Skip);
        FormEdited();
    });
    dialog->show();
}

}  // namespace qeltra3k::ui
