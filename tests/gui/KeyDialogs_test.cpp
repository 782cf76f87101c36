// The key menu's macro list and key-assembly entry, and the single-key dialog of the macro
// page: what a person picks or types ends as the button's caption and code, or the row's key.
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>

#include "gui/EditorRig.h"
#include "macros/MacroAssignment.h"
#include "ui/KeyDialogs.h"
#include "ui/KeyMenu.h"
#include "ui/MacroDialogs.h"
#include "ui/MacroPage.h"

namespace qeltra3k::ui::testing {
namespace {

// The editor with the mouse read and the macros `names` made on the macro page, back on the
// key page.
struct KeyEntriesRig : EditorRig {
    explicit KeyEntriesRig(const QStringList& names = {})
    {
        FirstSearch();
        if (names.isEmpty())
            return;
        window->PageButtonClick(PageState::Macro);
        page = window->findChild<MacroPage*>(QStringLiteral("MacroPage"));
        for (const QString& name : names) {
            Click(QStringLiteral("Btn_New"));
            MacroDialog* dialog = page->OpenDialog();
            EXPECT_NE(dialog, nullptr);
            if (dialog == nullptr)
                return;
            dialog->Input()->setText(name);
            dialog->Confirm();
        }
        window->PageButtonClick(PageState::Office);
    }
    QListWidget* MacroList() const { return Get<QListWidget>(QStringLiteral("LB_Name")); }
    QStringList MacroListEntries() const
    {
        QStringList entries;
        for (int i = 0; i < MacroList()->count(); ++i)
            entries << MacroList()->item(i)->text();
        return entries;
    }
    // Opens the menu of `button`, hovers Key_Macro and clicks entry `index` of the list.
    void PickMacro(const QString& button, int index) const
    {
        Click(button);
        Enter(QStringLiteral("Key_Macro"));
        QListWidget* list = MacroList();
        ASSERT_TRUE(list->isVisible());
        ASSERT_LT(index, list->count());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(index)).center());
    }
    const std::string& Code(int profile, int key) const
    {
        return window->Controller().Form().keyCodeTexts[static_cast<std::size_t>(profile)][static_cast<std::size_t>(key - 1)];
    }
    // The dialog on screen; closed ones wait for their deletion a while.
    template <class Dialog>
    Dialog* Shown() const
    {
        for (Dialog* dialog : window->findChildren<Dialog*>()) {
            if (dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }
    AssemblyDialog* OpenAssembly(const QString& button) const
    {
        Click(button);
        Click(QStringLiteral("Key_Assembly"));
        return Shown<AssemblyDialog>();
    }

    MacroPage* page = nullptr;
};

TEST(KeyMenuMacros, TheMainPanelOffersAssemblyAndMacrosWithinTheLayoutHeight)
{
    KeyEntriesRig rig;
    rig.Click(QStringLiteral("Key2"));
    auto* main = rig.Get<QFrame>(QStringLiteral("Pnl_Main"));
    // The shipped height (165) offers the seven entries whole, and the fire macro entry not.
    EXPECT_EQ(main->height(), 7 * kMenuEntryHeight + 2 * kMenuBorder);
    const std::string prefix = " " + TableText(1, "Str200") + " ";
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key_Assembly")).toStdString(), prefix + TableText(1, "Str205"));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key_Macro")).toStdString(), prefix + TableText(1, "Str206"));
    const QWidget* macro = rig.Get(QStringLiteral("Key_Macro"));
    EXPECT_LE(macro->y() + macro->height(), main->height());

    // The entry under the mouse is filled, the others show the panel.
    rig.Enter(QStringLiteral("Key_Assembly"));
    const QImage panel = main->grab().toImage();
    const QWidget* assembly = rig.Get(QStringLiteral("Key_Assembly"));
    const int x = assembly->width() - 6;
    const QColor hovered = panel.pixelColor(x, assembly->y() + assembly->height() / 2);
    const QColor plain = panel.pixelColor(x, macro->y() + macro->height() / 2);
    EXPECT_NE(hovered, plain);
    EXPECT_EQ(plain, panel.pixelColor(x, rig.Get(QStringLiteral("Key_Media"))->y() + kMenuEntryHeight / 2));
}

TEST(KeyMenuMacros, TheListIsReadWhenItOpensAndAPickGivesTheButtonTheMacro)
{
    KeyEntriesRig rig({QStringLiteral("Jump"), QStringLiteral("Reload")});
    rig.PickMacro(QStringLiteral("Key3"), 1);
    EXPECT_EQ(rig.MacroListEntries(), (QStringList{"Jump", "Reload"}));
    EXPECT_FALSE(rig.Get(QStringLiteral("Pnl_Main"))->isVisible());
    EXPECT_FALSE(rig.Get(QStringLiteral("Pnl_MacroName"))->isVisible());
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key3")), QStringLiteral("Reload"));
    // Slot 1, stopping at the macro's end.
    EXPECT_EQ(rig.Code(0, 3), config::KeyCodeText(*macros::SlotMacroKeyCode(0, 0)));

    // A macro made afterwards is in the list the next time it opens.
    rig.window->PageButtonClick(PageState::Macro);
    rig.Click(QStringLiteral("Btn_New"));
    rig.page->OpenDialog()->Input()->setText(QStringLiteral("Dash"));
    rig.page->OpenDialog()->Confirm();
    rig.window->PageButtonClick(PageState::Office);
    rig.PickMacro(QStringLiteral("Key4"), 2);
    EXPECT_EQ(rig.MacroListEntries(), (QStringList{"Jump", "Reload", "Dash"}));
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key4")), QStringLiteral("Dash"));
    EXPECT_EQ(rig.Code(0, 4), config::KeyCodeText(*macros::SlotMacroKeyCode(0, 1)));

    rig.Click(QStringLiteral("Btn_Apply_1"));
    EXPECT_EQ(KeyCodeIn(rig.mouse->Memory(), config::Profile::One, 4), rig.Code(0, 4));
}

TEST(KeyMenuMacros, TheOnlyLeftClickKeepsItsFunctionWithStr108)
{
    KeyEntriesRig rig({QStringLiteral("Jump")});
    ASSERT_EQ(rig.TextOf(QStringLiteral("Key1")).toStdString(), TableText(1, "Str210"));
    const std::string before = rig.Code(0, 1);
    rig.PickMacro(QStringLiteral("Key1"), 0);
    EXPECT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str108"});
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")).toStdString(), TableText(1, "Str210"));
    EXPECT_EQ(rig.Code(0, 1), before);
}

TEST(KeyMenuMacros, TheEngineerPagePicksForTheClickedButtonsKeySet)
{
    KeyEntriesRig rig({QStringLiteral("Jump")});
    rig.window->EngineerShortcut();
    ASSERT_EQ(rig.window->State(), PageState::Engineer);
    const std::string profileOne = rig.Code(0, 6);
    rig.PickMacro(QStringLiteral("btn_Key206"), 0);
    EXPECT_EQ(rig.Code(1, 6), config::KeyCodeText(*macros::SlotMacroKeyCode(0, 0)));
    EXPECT_EQ(rig.Code(0, 6), profileOne);
    EXPECT_EQ(rig.Get(QStringLiteral("btn_Key206"))->property("text").toString(), QStringLiteral("Jump"));
}

TEST(KeyAssemblyDialog, BoxesAndAKeyGiveTheButtonItsCaptionAndCode)
{
    KeyEntriesRig rig;
    AssemblyDialog* dialog = rig.OpenAssembly(QStringLiteral("Key4"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(rig.Get(QStringLiteral("Pnl_Main"))->isVisible());
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("lbl_Assembly"))->text().toStdString(), TableText(1, "Str500"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("IB_Confirm"))->text().toStdString(), TableText(1, "Str501"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("IB_Cancel"))->text().toStdString(), TableText(1, "Str502"));

    QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("lbl_Ctrl")), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("CB_Alt")), Qt::LeftButton);
    EXPECT_EQ(dialog->findChild<PictureLabel*>(QStringLiteral("CB_Alt"))->PictureName(), QStringLiteral("CbS_E"));
    EXPECT_EQ(dialog->findChild<PictureLabel*>(QStringLiteral("CB_Win"))->PictureName(), QStringLiteral("CbS_D"));
    // A key typed with Shift held is swallowed; the field keeps the boxes' text.
    QTest::keyClick(dialog->Field(), Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(dialog->Field()->text(), QStringLiteral("Ctrl+Alt"));
    QTest::keyClick(dialog->Field(), Qt::Key_F5);
    EXPECT_EQ(dialog->Field()->text(), QStringLiteral("Ctrl+Alt+F5"));

    QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("IB_Confirm")), Qt::LeftButton);
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key4")), QStringLiteral("Ctrl+Alt+F5"));
    EXPECT_EQ(rig.Code(0, 4), "02053E");
    rig.Click(QStringLiteral("Btn_Apply_1"));
    EXPECT_EQ(KeyCodeIn(rig.mouse->Memory(), config::Profile::One, 4), "02053E");
}

TEST(KeyAssemblyDialog, AUserKeyReplacesTheOnlyLeftClickAndClearAndCloseAssignNothing)
{
    KeyEntriesRig rig;
    const std::string before = rig.Code(0, 2);
    AssemblyDialog* dialog = rig.OpenAssembly(QStringLiteral("Key2"));
    ASSERT_NE(dialog, nullptr);
    QTest::keyClick(dialog->Field(), Qt::Key_B);
    dialog->Clear();
    EXPECT_TRUE(dialog->Field()->text().isEmpty());
    dialog->reject();
    EXPECT_EQ(rig.Code(0, 2), before);

    ASSERT_EQ(rig.TextOf(QStringLiteral("Key1")).toStdString(), TableText(1, "Str210"));
    dialog = rig.OpenAssembly(QStringLiteral("Key1"));
    ASSERT_NE(dialog, nullptr);
    QTest::keyClick(dialog->Field(), Qt::Key_B);
    // The key the dialog was opened for, even when another button's menu opened meanwhile.
    rig.Click(QStringLiteral("Key5"));
    rig.window->CloseMenus();
    dialog->Confirm();
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_EQ(rig.TextOf(QStringLiteral("Key1")), QStringLiteral("B"));
    EXPECT_EQ(rig.Code(0, 1), "020005");
}

TEST(KeyAssemblyDialog, TheEngineerPageAssignsToTheClickedButtonsKeySet)
{
    KeyEntriesRig rig;
    rig.window->EngineerShortcut();
    ASSERT_EQ(rig.window->State(), PageState::Engineer);
    const std::string profileOne = rig.Code(0, 3);
    AssemblyDialog* dialog = rig.OpenAssembly(QStringLiteral("btn_Key203"));
    ASSERT_NE(dialog, nullptr);
    dialog->Toggle(config::AssemblyModifier::Win);
    QTest::keyClick(dialog->Field(), Qt::Key_C);
    dialog->Confirm();
    EXPECT_EQ(rig.Code(1, 3), "020806");
    EXPECT_EQ(rig.Code(0, 3), profileOne);
    EXPECT_EQ(rig.Get(QStringLiteral("btn_Key203"))->property("text").toString(), QStringLiteral("Win+C"));
}

TEST(SingleKeyDialog, EditingAKeyRowCapturesOneKeyForThatRow)
{
    KeyEntriesRig rig({QStringLiteral("Combo")});
    rig.window->PageButtonClick(PageState::Macro);
    rig.Click(QStringLiteral("IB_NoDelay"));
    rig.Click(QStringLiteral("Btn_Start"));
    QTest::keyPress(rig.window->windowHandle(), Qt::Key_A);
    QTest::keyRelease(rig.window->windowHandle(), Qt::Key_A);
    rig.Click(QStringLiteral("Btn_Start"));
    ASSERT_EQ(rig.page->Editor().RowList().size(), 3u);
    ASSERT_EQ(rig.page->Editor().RowList()[2], "2 A CODE:0204");

    rig.page->SelectRow(1);
    rig.page->EditRow();
    auto* dialog = rig.Shown<SingleKeyDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("TForm5"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("lbl_EditKey"))->text().toStdString(), TableText(1, "Str520"));
    // Modifiers are keys of their own here; the last key counts.
    QTest::keyClick(dialog->Field(), Qt::Key_Shift);
    EXPECT_EQ(dialog->Field()->text(), QStringLiteral("Shift"));
    EXPECT_EQ(dialog->ResultLine(), QStringLiteral("Shift CODE:02E1"));
    QTest::keyClick(dialog->Field(), Qt::Key_F5);
    EXPECT_EQ(dialog->ResultLine(), QStringLiteral("F5 CODE:023E"));
    dialog->Confirm();
    EXPECT_EQ(rig.page->Editor().RowList()[2], "2 F5 CODE:023E");

    // Clear, then Confirm: the row keeps its key.
    rig.page->SelectRow(1);
    rig.page->EditRow();
    dialog = rig.Shown<SingleKeyDialog>();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClick(dialog->Field(), Qt::Key_G);
    dialog->Clear();
    dialog->Confirm();
    EXPECT_EQ(rig.page->Editor().RowList()[2], "2 F5 CODE:023E");
}

}  // namespace
}  // namespace qeltra3k::ui::testing
