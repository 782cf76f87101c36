// The macro page: the Qt key and button tables the recorder is fed through, the library
// commands with their name dialog and files, recording from the window's own events, row
// editing through the value dialogs, the insert panel and the play options.
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QListWidget>
#include <QWindow>
#include <fstream>

#include "config/KeyboardFunction.h"
#include "gui/EditorRig.h"
#include "macros/MacroLibrary.h"
#include "macros/QtKeyTable.h"
#include "ui/MacroDialogs.h"
#include "ui/MacroPage.h"

namespace qeltra3k::ui::testing {
namespace {

TEST(QtKeyTable, QtKeysBecomeTheVirtualKeysTheRecorderNames)
{
    struct Case {
        int qtKey;
        bool keypad;
        int virtualKey;
    };
    const Case cases[] = {
        {Qt::Key_A, false, 'A'},          {Qt::Key_Z, false, 'Z'},           {Qt::Key_5, false, '5'},
        {Qt::Key_5, true, 0x65},          {Qt::Key_Asterisk, true, 0x6A},    {Qt::Key_Asterisk, false, '8'},
        {Qt::Key_Exclam, false, '1'},     {Qt::Key_ParenRight, false, '0'},  {Qt::Key_F1, false, 0x70},
        {Qt::Key_F24, false, 0x87},       {Qt::Key_Shift, false, 0x10},      {Qt::Key_Control, false, 0x11},
        {Qt::Key_Alt, false, 0x12},       {Qt::Key_AltGr, false, 0x12},      {Qt::Key_Meta, false, 0x5B},
        {Qt::Key_Super_R, false, 0x5C},   {Qt::Key_Escape, false, 0x1B},     {Qt::Key_Return, false, 0x0D},
        {Qt::Key_Enter, true, 0x0D},      {Qt::Key_Backtab, false, 0x09},    {Qt::Key_Space, false, 0x20},
        {Qt::Key_Semicolon, false, 0xBA}, {Qt::Key_Question, false, 0xBF},   {Qt::Key_BraceRight, false, 0xDD},
        {Qt::Key_Delete, false, 0x2E},    {Qt::Key_PageDown, false, 0x22},   {Qt::Key_NumLock, false, 0x90},
        {Qt::Key_VolumeUp, false, 0xAF},  {Qt::Key_MediaNext, false, 0xB0},  {Qt::Key_MediaTogglePlayPause, false, 0xB3},
        {Qt::Key_Back, false, 0xA6},      {Qt::Key_Search, false, 0xAA},     {Qt::Key_LaunchMail, false, 0xB4},
        {Qt::Key_HomePage, false, 0xAC},  {Qt::Key_Favorites, false, 0xAB},  {Qt::Key_Refresh, false, 0xA8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(macros::QtKeyToVirtualKey(c.qtKey, c.keypad), c.virtualKey) << std::hex << c.qtKey;
    EXPECT_EQ(config::VirtualKeyName(*macros::QtKeyToVirtualKey(Qt::Key_A, false)), "A");
    for (const int unknown : {int(Qt::Key_unknown), int(Qt::Key_Eacute), 0})
        EXPECT_FALSE(macros::QtKeyToVirtualKey(unknown, false)) << std::hex << unknown;
}

TEST(QtKeyTable, MouseButtonsBecomeHookMessages)
{
    struct Case {
        Qt::MouseButton button;
        bool press;
        unsigned message;
        std::uint32_t mouseData;
    };
    const Case cases[] = {
        {Qt::LeftButton, true, 0x0201, 0},         {Qt::LeftButton, false, 0x0202, 0},
        {Qt::RightButton, true, 0x0204, 0},        {Qt::MiddleButton, false, 0x0208, 0},
        {Qt::BackButton, true, 0x020B, 1u << 16},  {Qt::ForwardButton, false, 0x020C, 2u << 16},
    };
    for (const Case& c : cases) {
        const auto message = macros::QtButtonToHookMessage(static_cast<int>(c.button), c.press);
        ASSERT_TRUE(message) << c.button;
        EXPECT_EQ(message->message, c.message);
        EXPECT_EQ(message->mouseData, c.mouseData);
    }
    EXPECT_FALSE(macros::QtButtonToHookMessage(static_cast<int>(Qt::TaskButton), true));
}

// The editor on the macro page, with the mouse read.
struct MacroRig : EditorRig {
    MacroRig()
    {
        FirstSearch();
        window->PageButtonClick(PageState::Macro);
        page = window->findChild<MacroPage*>(QStringLiteral("MacroPage"));
        page->SetFileChooser([this](MacroFileDialog dialog) {
            fileDialogs.push_back(dialog);
            return nextMacroFile;
        });
    }
    macros::MacroEditor& Editor() const { return page->Editor(); }
    QListWidget* List(const char* name) const { return Get<QListWidget>(QLatin1String(name)); }
    QStringList Entries(const char* name) const
    {
        QStringList entries;
        for (int i = 0; i < List(name)->count(); ++i)
            entries << List(name)->item(i)->text();
        return entries;
    }
    // New Macro with the name dialog confirmed.
    void Create(const QString& name) const
    {
        Click(QStringLiteral("Btn_New"));
        MacroDialog* dialog = page->OpenDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->Input()->setText(name);
        dialog->Confirm();
    }
    // A new macro holding one key recorded with the fixed delay: press, delay, release.
    void RecordKeyWithFixedDelay(const QString& name) const
    {
        Create(name);
        Click(QStringLiteral("IB_DelayTime"));
        Click(QStringLiteral("Btn_Start"));
        QTest::keyClick(Handle(), Qt::Key_A);
        Click(QStringLiteral("Btn_Start"));
    }
    std::filesystem::path LibraryFile() const { return window->Controller().MacroFolder() / macros::kLibraryFileName; }
    QWindow* Handle() const { return window->windowHandle(); }

    MacroPage* page = nullptr;
    std::vector<MacroFileDialog> fileDialogs;
    std::optional<std::filesystem::path> nextMacroFile;
};

TEST(MacroPageLibrary, NewRenameAndDeleteGoThroughTheNameDialogAndTheLibraryFile)
{
    MacroRig rig;
    ASSERT_TRUE(rig.Get(QStringLiteral("gbPage4"))->isVisible());
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_New")).toStdString(), TableText(1, "Str432"));

    rig.Create(QStringLiteral("Jump"));
    rig.Create(QStringLiteral("Reload"));
    EXPECT_EQ(rig.Entries("LB_PCMacroName"), (QStringList{"Jump", "Reload"}));
    EXPECT_EQ(rig.List("LB_PCMacroName")->currentRow(), 1);
    EXPECT_EQ(std::filesystem::file_size(rig.LibraryFile()), macros::kLibraryFileSize);

    // A name the list holds is refused with its message.
    rig.Create(QStringLiteral("Jump"));
    EXPECT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str106"});
    EXPECT_EQ(rig.Entries("LB_PCMacroName").size(), 2);

    // The name dialog takes no 17th character.
    rig.Click(QStringLiteral("Btn_New"));
    QTest::keyClicks(rig.page->OpenDialog()->Input(), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
    EXPECT_EQ(rig.page->OpenDialog()->Input()->text(), QStringLiteral("ABCDEFGHIJKLMNOP"));
    rig.page->OpenDialog()->reject();

    rig.page->SelectMacro(0);
    rig.window->findChild<QAction*>(QStringLiteral("Btn_NewName"))->trigger();
    rig.page->OpenDialog()->Input()->setText(QStringLiteral("Dash"));
    rig.page->OpenDialog()->Confirm();
    EXPECT_EQ(rig.Entries("LB_PCMacroName"), (QStringList{"Dash", "Reload"}));

    rig.Click(QStringLiteral("Btn_Delete"));
    EXPECT_EQ(rig.Entries("LB_PCMacroName"), QStringList{"Reload"});
    EXPECT_EQ(rig.Editor().Page().selectedMacro, std::optional<std::size_t>(0));
    rig.Click(QStringLiteral("Btn_Delete"));
    EXPECT_TRUE(rig.Entries("LB_PCMacroName").isEmpty());
    EXPECT_FALSE(rig.Editor().Page().selectedMacro);
}

TEST(MacroPageLibrary, AtAHundredMacrosBothNewMacroCommandsAreOff)
{
    MacroRig rig;
    macros::MacroLibrary& library = rig.window->Controller().Library();
    for (int i = 0; i < 99; ++i)
        ASSERT_TRUE(macros::CreateMacro(library, "M" + std::to_string(i)));
    rig.page->RefreshList();
    EXPECT_TRUE(rig.Get(QStringLiteral("Btn_New"))->isEnabled());
    // The hundredth through the dialog, confirmed with Enter.
    rig.Click(QStringLiteral("Btn_New"));
    QTest::keyClicks(rig.page->OpenDialog()->Input(), QStringLiteral("Last"));
    QTest::keyClick(rig.page->OpenDialog()->Input(), Qt::Key_Return);
    ASSERT_EQ(rig.Entries("LB_PCMacroName").size(), 100);
    EXPECT_FALSE(rig.Get(QStringLiteral("Btn_New"))->isEnabled());
    EXPECT_FALSE(rig.window->findChild<QAction*>(QStringLiteral("Btn_NewMacro"))->isEnabled());
    rig.Click(QStringLiteral("Btn_Delete"));
    EXPECT_TRUE(rig.Get(QStringLiteral("Btn_New"))->isEnabled());
    EXPECT_TRUE(rig.window->findChild<QAction*>(QStringLiteral("Btn_NewMacro"))->isEnabled());
}

TEST(MacroPageLibrary, ExportOneAndImportOneThroughTheFileDialogs)
{
    MacroRig rig;
    rig.Create(QStringLiteral("Jump"));
    const std::filesystem::path chosen = std::filesystem::path(rig.folder.path().toStdString()) / "jump";
    rig.nextMacroFile = chosen;
    rig.window->findChild<QAction*>(QStringLiteral("Btn_ExportOne"))->trigger();
    const std::filesystem::path written = macros::ExportFilePath(chosen);
    ASSERT_TRUE(std::filesystem::exists(written));
    EXPECT_EQ(std::filesystem::file_size(written), macros::MacroRecord::kSize);

    // The same macro again: its name is there already.
    rig.nextMacroFile = written;
    rig.window->findChild<QAction*>(QStringLiteral("Btn_ImportOne"))->trigger();
    EXPECT_EQ(rig.MessageKeys(), std::vector<std::string>{"Str106"});
    rig.Click(QStringLiteral("Btn_Delete"));
    rig.window->findChild<QAction*>(QStringLiteral("Btn_ImportOne"))->trigger();
    EXPECT_EQ(rig.Entries("LB_PCMacroName"), QStringList{"Jump"});
    EXPECT_EQ((rig.fileDialogs), (std::vector{MacroFileDialog::Save, MacroFileDialog::Open, MacroFileDialog::Open}));

    // Cancelled: nothing happens.
    rig.nextMacroFile.reset();
    rig.window->findChild<QAction*>(QStringLiteral("Btn_Import"))->trigger();
    EXPECT_EQ(rig.Entries("LB_PCMacroName"), QStringList{"Jump"});
}

TEST(MacroPageRecording, KeysAndButtonsOfTheWindowBecomeRowsAndTheStopSavesThem)
{
    MacroRig rig;
    rig.Create(QStringLiteral("Combo"));
    rig.Click(QStringLiteral("IB_NoDelay"));  // no delay rows: the rows are exactly the events
    rig.Click(QStringLiteral("Btn_Start"));
    ASSERT_TRUE(rig.Editor().Recording());
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Start")).toStdString(), TableText(1, "Str401"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Start")), QStringLiteral("MacroS_04"));
    EXPECT_FALSE(rig.List("LB_PCMacroName")->isEnabled());

    QTest::keyPress(rig.Handle(), Qt::Key_A);
    QTest::keyRelease(rig.Handle(), Qt::Key_A);
    QTest::mouseClick(rig.Handle(), Qt::RightButton, {}, QPoint(500, 300));
    EXPECT_EQ(rig.Entries("LB_macro").size(), 4);

    rig.Click(QStringLiteral("Btn_Start"));  // a click straight on the button: not recorded
    ASSERT_FALSE(rig.Editor().Recording());
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Start")).toStdString(), TableText(1, "Str400"));
    // The pointer is still over the button: its hover picture, the normal one once it leaves.
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Start")), QStringLiteral("MacroS_02"));
    rig.Leave(QStringLiteral("Btn_Start"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_Start")), QStringLiteral("MacroS_01"));
    EXPECT_TRUE(rig.messages.empty());

    // Decoded again from the saved body: the same rows.
    rig.page->SelectMacro(0);
    const macros::Rows& rows = rig.Editor().RowList();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1], "1 A CODE:8204");
    EXPECT_EQ(rows[2], "2 A CODE:0204");
    EXPECT_EQ(rows[3].substr(0, 2), "1 ");
    EXPECT_EQ(rows[4].substr(0, 2), "2 ");

    // Keys typed after the recording act on the window again, and are not recorded.
    QTest::keyClick(rig.Handle(), Qt::Key_B);
    EXPECT_EQ(rig.Editor().RowList().size(), 5u);
}

TEST(MacroPageRecording, AFullRecordingStopsItselfAndLetsTheWindowHaveItsKeysBack)
{
    MacroRig rig;
    rig.Create(QStringLiteral("Long"));
    rig.Click(QStringLiteral("IB_NoDelay"));
    rig.Click(QStringLiteral("Btn_Start"));
    // Far more keys than a body holds; the recording ends by itself on the way.
    for (int i = 0; i < 120 && rig.Editor().Recording(); ++i)
        QTest::keyClick(rig.Handle(), static_cast<Qt::Key>(Qt::Key_A + i % 26));
    ASSERT_FALSE(rig.Editor().Recording());
    EXPECT_EQ(rig.TextOf(QStringLiteral("Btn_Start")).toStdString(), TableText(1, "Str400"));
    EXPECT_NE(rig.PictureOf(QStringLiteral("Img_Start")), QStringLiteral("MacroS_04"));
    EXPECT_TRUE(rig.List("LB_PCMacroName")->isEnabled());
    EXPECT_TRUE(rig.messages.empty());
    const std::size_t rows = rig.Editor().RowList().size();
    EXPECT_GT(rows, 40u);
    rig.page->SelectMacro(0);
    EXPECT_EQ(rig.Editor().RowList().size(), rows);  // saved as recorded
    QTest::keyClick(rig.Handle(), Qt::Key_B);
    EXPECT_EQ(rig.Editor().RowList().size(), rows);
}

TEST(MacroPageRecording, AnInsertRecordingWaitsForOkAndCancelDropsIt)
{
    MacroRig rig;
    rig.Create(QStringLiteral("Ins"));
    rig.Click(QStringLiteral("IB_NoDelay"));
    rig.Click(QStringLiteral("Btn_Start"));
    QTest::keyClick(rig.Handle(), Qt::Key_A);
    rig.Click(QStringLiteral("Btn_Start"));
    const macros::Rows before = rig.Editor().RowList();

    rig.page->SelectRow(0);
    rig.window->findChild<QAction*>(QStringLiteral("Btn_Insert"))->trigger();
    Q_EMIT rig.Get<QComboBox>(QStringLiteral("CB_Insert"))->activated(static_cast<int>(macros::InsertChoice::KeyFront));
    ASSERT_TRUE(rig.Get(QStringLiteral("Btn_InsertStart"))->isVisible());
    rig.Click(QStringLiteral("IB_InsertNoDelay"));
    rig.Click(QStringLiteral("Btn_InsertStart"));
    ASSERT_TRUE(rig.Editor().InsertRecording());
    EXPECT_FALSE(rig.Get(QStringLiteral("Btn_OK"))->isEnabled());
    QTest::keyClick(rig.Handle(), Qt::Key_C);
    rig.Click(QStringLiteral("Btn_InsertStart"));
    EXPECT_FALSE(rig.Editor().Recording());
    EXPECT_TRUE(rig.Get(QStringLiteral("Btn_OK"))->isEnabled());
    ASSERT_EQ(rig.Editor().RowList().size(), before.size() + 2);
    EXPECT_EQ(rig.Editor().RowList()[1], "1 C CODE:8206");

    rig.Click(QStringLiteral("Btn_Cancel"));
    EXPECT_FALSE(rig.Get(QStringLiteral("Gb_Insert"))->isVisible());
    EXPECT_TRUE(rig.Get(QStringLiteral("Gb_Delay"))->isVisible());
    EXPECT_EQ(rig.Editor().RowList(), before);
}

TEST(MacroPageRecording, TheDeviceWatchRestsWhileARecordingRuns)
{
    EditorRig rig(DefaultImage(), ShippedOptions(), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.window->DevTimer().isActive(); }, 10000));
    rig.window->PageButtonClick(PageState::Macro);
    auto* page = rig.window->findChild<MacroPage*>(QStringLiteral("MacroPage"));
    rig.Click(QStringLiteral("Btn_New"));
    page->OpenDialog()->Input()->setText(QStringLiteral("Watch"));
    page->OpenDialog()->Confirm();
    rig.Click(QStringLiteral("Btn_Start"));
    ASSERT_TRUE(page->Editor().Recording());
    EXPECT_FALSE(rig.window->DevTimer().isActive());
    rig.Click(QStringLiteral("Btn_Start"));
    EXPECT_TRUE(rig.window->DevTimer().isActive());
}

TEST(MacroPageRows, ASecondEditWhileAFirstDialogIsOpenIsTheOneThatCounts)
{
    MacroRig rig;
    rig.RecordKeyWithFixedDelay(QStringLiteral("Twice"));
    ASSERT_EQ(rig.Entries("LB_macro").size(), 3);

    rig.page->SelectRow(1);
    rig.window->findChild<QAction*>(QStringLiteral("Btn_Edit"))->trigger();
    QPointer<MacroDialog> first = rig.page->OpenDialog();
    ASSERT_NE(first, nullptr);
    rig.page->SelectRow(1);
    rig.window->findChild<QAction*>(QStringLiteral("Btn_Edit"))->trigger();
    MacroDialog* second = rig.page->OpenDialog();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull() || !first->isVisible());
    second->Input()->clear();
    QTest::keyClicks(second->Input(), QStringLiteral("96"));
    second->Confirm();
    EXPECT_EQ(rig.Editor().RowList()[2], "0 96");
}

TEST(MacroPageRows, EditDeleteAndInsertThroughTheRowMenuAndThePanel)
{
    MacroRig rig;
    rig.RecordKeyWithFixedDelay(QStringLiteral("Moves"));
    // Press, fixed delay, release.
    ASSERT_EQ(rig.Entries("LB_macro").size(), 3);

    rig.page->SelectRow(1);
    rig.window->findChild<QAction*>(QStringLiteral("Btn_Edit"))->trigger();
    MacroDialog* dialog = rig.page->OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("TForm6"));
    dialog->Input()->clear();
    QTest::keyClicks(dialog->Input(), QStringLiteral("3000"));
    EXPECT_EQ(dialog->Input()->text(), QStringLiteral("2040"));
    dialog->Confirm();
    EXPECT_EQ(rig.Editor().RowList()[2], "0 2040");

    // Insert an X move of -200 (held at -128) in front of the delay.
    rig.page->SelectRow(1);
    rig.window->findChild<QAction*>(QStringLiteral("Btn_Insert"))->trigger();
    EXPECT_TRUE(rig.Get(QStringLiteral("Gb_Insert"))->isVisible());
    EXPECT_FALSE(rig.Get(QStringLiteral("Gb_Delay"))->isVisible());
    Q_EMIT rig.Get<QComboBox>(QStringLiteral("CB_Insert"))->activated(static_cast<int>(macros::InsertChoice::XFront));
    EXPECT_TRUE(rig.Get(QStringLiteral("edt_XAxisValue"))->isVisible());
    EXPECT_FALSE(rig.Get(QStringLiteral("Btn_InsertStart"))->isVisible());
    auto* x = rig.Get<QLineEdit>(QStringLiteral("edt_XAxisValue"));
    x->clear();
    QTest::keyClicks(x, QStringLiteral("-200"));
    EXPECT_EQ(x->text(), QStringLiteral("-128"));
    rig.Click(QStringLiteral("Btn_OK"));
    EXPECT_FALSE(rig.Get(QStringLiteral("Gb_Insert"))->isVisible());
    EXPECT_EQ(rig.Editor().RowList()[2], "4 FB80");
    EXPECT_EQ(rig.List("LB_macro")->currentRow(), 1);

    // The value dialog of a move row: held within a byte; a lone "-" is no value.
    rig.window->findChild<QAction*>(QStringLiteral("Btn_Edit"))->trigger();
    dialog = rig.page->OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("TForm7"));
    QTest::keyClicks(dialog->Input(), QStringLiteral("300"));
    EXPECT_EQ(dialog->Input()->text(), QStringLiteral("127"));
    dialog->Clear();
    EXPECT_EQ(dialog->Input()->text(), QStringLiteral("0"));
    dialog->Input()->selectAll();  // an empty field reads 0 at once: "-" is typed over it
    QTest::keyClicks(dialog->Input(), QStringLiteral("-"));
    EXPECT_EQ(dialog->Input()->text(), QStringLiteral("-"));
    dialog->Confirm();
    EXPECT_EQ(rig.Editor().RowList()[2], "4 FB80");

    // Deleting the press takes its release with it.
    rig.page->SelectRow(0);
    rig.window->findChild<QAction*>(QStringLiteral("Btn_Del"))->trigger();
    EXPECT_EQ(rig.Editor().RowList().size(), 3u);  // header, the move and the delay
    EXPECT_TRUE(rig.messages.empty());
}

TEST(MacroPageOptions, AWrapFlagBreaksAReleaseCaptionAfterItsFirstDash)
{
    MacroRig rig;
    auto* stop = rig.Get<QLabel>(QStringLiteral("IB_ReleaseStop"));
    auto* over = rig.Get<QLabel>(QStringLiteral("IB_ReleaseContiue"));
    stop->setText(QStringLiteral("Stop - until the key release"));
    over->setText(QStringLiteral("Stop - after the macro"));
    text::SkinSection skin = text::LoadSkinSection(1).skin;
    skin.macroPage.Marco_Stop_Release_Lable_Wrap = true;
    rig.page->ApplySkin(skin, stop->font().family());
    EXPECT_EQ(stop->text(), QStringLiteral("Stop -\n until the key release"));
    EXPECT_EQ(stop->height(), 4 * stop->font().pixelSize());
    EXPECT_EQ(over->text(), QStringLiteral("Stop - after the macro"));  // its flag is off
}

TEST(MacroPageOptions, ReleaseRepeatAndDelayOptionsShowTheEditorsChoice)
{
    MacroRig rig;
    rig.Create(QStringLiteral("Opts"));
    rig.Click(QStringLiteral("IB_ReleaseStop"));
    EXPECT_TRUE(rig.Editor().Page().options.stopOnRelease);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_ReleaseStop")), QStringLiteral("RdS_E"));
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_ReleaseContiue")), QStringLiteral("RdS_D"));

    rig.Click(QStringLiteral("Img_CircleTimes"));
    EXPECT_EQ(rig.Editor().Page().options.repeat, macros::RepeatMode::Count);
    EXPECT_TRUE(rig.Get(QStringLiteral("Edt_Circle_Times"))->isEnabled());
    rig.Click(QStringLiteral("Img_CircleTimes"));  // the selected one again: no repeat
    EXPECT_EQ(rig.Editor().Page().options.repeat, macros::RepeatMode::Off);
    EXPECT_EQ(rig.PictureOf(QStringLiteral("Img_CircleTimes")), QStringLiteral("CbS_D"));

    auto* delay = rig.Get<QLineEdit>(QStringLiteral("Edt_Delay"));
    EXPECT_TRUE(delay->isReadOnly());
    rig.Click(QStringLiteral("LED_DelayTime"));
    EXPECT_FALSE(delay->isReadOnly());
    delay->clear();
    QTest::keyClicks(delay, QStringLiteral("5000"));
    EXPECT_EQ(delay->text(), QStringLiteral("2040"));
    EXPECT_EQ(rig.Editor().Page().options.delayMs, 2040);
}

}  // namespace
}  // namespace qeltra3k::ui::testing
