// Pages and navigation: the page buttons and their gates, the page states, hover pictures,
// text rolling, the language buttons, the web button and the key page with its menu.
#include <QDesktopServices>
#include <QFrame>
#include <QRadioButton>

#include "config/Conversion.h"
#include "config/FormEditing.h"
#include "ui/EngineerPage.h"
#include "ui/LightPage.h"
#include "ui/KeyMenu.h"
#include "ui/MainWindow.h"
#include "ui/SkinWidgets.h"
#include "ui/WindowTables.h"

namespace qeltra3k::ui {

namespace {

constexpr std::string_view kLeftNameKey = "Str210";
constexpr int kComboHintGun = 3;

// "Btn_<stem>_<copy>" split up; nothing for other names.
struct TopBarName {
    const TopBarButton* button = nullptr;
    int copy = 0;
};

TopBarName ParseTopBarName(const QString& name)
{
    if (!name.startsWith(QStringLiteral("Btn_")))
        return {};
    const qsizetype underscore = name.lastIndexOf(u'_');
    if (underscore <= 4)
        return {};
    bool ok = false;
    const int copy = name.mid(underscore + 1).toInt(&ok);
    const QByteArray stem = name.mid(4, underscore - 4).toUtf8();
    const TopBarButton* button = FindTopBarButton(std::string_view(stem.constData(), static_cast<std::size_t>(stem.size())));
    if (!ok || button == nullptr)
        return {};
    return {button, copy};
}

// Key1 .. Key9: the number; 0 for other names.
int KeyNumberOf(const QString& name)
{
    if (!name.startsWith(QStringLiteral("Key")) || name.size() != 4)
        return 0;
    const int number = name.back().digitValue();
    return number >= 1 && number <= 9 ? number : 0;
}

}  // namespace

// ------------------------------------------------------------------------------ pages

void MainWindow::PageButtonClick(PageState state)
{
    if (!controller_->HasDevice()) {
        // The no-device message of the page buttons: a plain box in the default font.
        app::ViewMessage message;
        message.style = app::MessageStyle::Box;
        message.text = Text("Str020").toStdString();
        message.keys = {"Str020"};
        ShowMessage(message);
        return;
    }
    if (controller_->NoDevice())
        return;  // the device error state: page buttons are inert
    if (state == PageState::Engineer) {
        CloseMenus();
        SetPageButtonPictures();
        if (!engineer_->FireBlockRead() && controller_->EepromMode()) {
            RunWorkflow([this] { controller_->ReadFireMacroBlock(); });
            engineer_->SetFireBlockRead();
        }
    }
    ShowPage(state);
}

void MainWindow::ShowPage(PageState state)
{
    CloseMenus();
    state_ = state;
    SetPageButtonPictures();
    FindAs<QRadioButton>(QName(InfoOf(state).radio))->setChecked(true);
    config::FormModel& form = controller_->Form();
    switch (state) {
    case PageState::Office:
        form.cb_KeyMode = 0;
        menu_->SetMainPanelHeight(options_.Main_Pnl_Height_WithNo_Gun);
        break;
    case PageState::Game:
        form.cb_KeyMode = 1;
        menu_->SetMainPanelHeight(text::MainPanelHeight(options_));
        break;
    case PageState::Engineer:
        menu_->SetMainPanelHeight(options_.Main_Pnl_Height_With_Gun);
        break;
    default:
        break;
    }
    RefreshComboHints();
    ShowOnlyPanel(InfoOf(state).page);
    if (state == PageState::Engineer)
        engineer_->Refresh();
    RefreshKeyLabels();
    // The page picture of the current skin and the selected page button.
    const int page = InfoOf(state).page;
    if (page <= 5)
        FindAs<PictureLabel>(CopyName("Img_P", page))->SetPicture(QStringLiteral("L%1_Back%2").arg(language_).arg(page), true);
}

void MainWindow::ShowOnlyPanel(int page)
{
    for (int n = 1; n <= kPageCount; ++n)
        Page(n)->setVisible(n == page);
    ResizeForPage(page);
}

void MainWindow::ResizeForPage(int page)
{
    const QSize size = page == 6 ? kEngineerPageSize : backgroundSize_;
    for (int n = 1; n <= 5; ++n)
        Page(n)->resize(backgroundSize_);
    Page(6)->resize(kEngineerPageSize);
    setFixedSize(size);
    if (page == 6 || windowMask_.isEmpty())
        clearMask();
    else
        setMask(windowMask_);
}

void MainWindow::SetPageButtonPictures()
{
    const bool selected = !controller_->NoDevice();
    for (const PageStateInfo& info : kPageStates) {
        // Outside the device error state the current page's button shows it is selected.
        const bool current = selected && info.state == state_;
        for (int copy = 1; copy <= kPageCopies; ++copy) {
            FindAs<PictureLabel>(QStringLiteral("Img_") + QName(info.button) + u'_' + QString::number(copy))
                ->SetPicture(current ? QStringLiteral("SetS_03") : QStringLiteral("SetS_01"));
        }
    }
}

void MainWindow::SetLanguageButtonPictures()
{
    for (int language = 1; language <= text::kLanguageCount; ++language) {
        for (int copy = 1; copy <= kPageCopies; ++copy) {
            FindAs<PictureLabel>(QStringLiteral("Img_Lang%1_%2").arg(language).arg(copy))
                ->SetPicture(language == language_ ? QStringLiteral("Lang_03") : QStringLiteral("Lang_01"));
        }
    }
}

config::Profile MainWindow::ShownProfile() const
{
    return state_ == PageState::Game ? config::Profile::Two : config::Profile::One;
}

void MainWindow::RefreshKeyLabels()
{
    const auto& captions = controller_->Form().keyCaptions[static_cast<std::size_t>(ShownProfile())];
    for (int key = 1; key <= static_cast<int>(captions.size()); ++key) {
        auto* label = FindAs<ClickLabel>(CopyName("Key", key));
        const QString caption = QString::fromStdString(captions[static_cast<std::size_t>(key - 1)]);
        label->setText(caption);
        // A caption that changes under the mouse rolls on from its new text.
        if (label == hovered_)
            rolling_.Restart(caption.toStdString());
    }
    engineer_->RefreshKeys();
}

void MainWindow::RefreshComboHints()
{
    const config::FormModel& form = controller_->Form();
    const std::array<bool, 3> ticked{form.cb_MidPress, form.cb_CPIPress, form.cb_GunPress};
    for (int hint = 1; hint <= static_cast<int>(ticked.size()); ++hint) {
        const auto slot = static_cast<std::size_t>(hint - 1);
        bool shown = skin_.keyPage.ComboKey[slot].enabled;
        // The gun-key hint belongs to the game-mode page with the gun functions on.
        if (hint == kComboHintGun)
            shown = shown && state_ == PageState::Game && options_.GD_Enable == 1;
        auto* picture = FindAs<PictureLabel>(CopyName("Img_ComboKey", hint));
        picture->SetPicture(ticked[slot] ? QStringLiteral("CbS_E") : QStringLiteral("CbS_D"));
        picture->setVisible(shown);
        Find(CopyName("IB_ComboKey", hint))->setVisible(shown);
    }
    // The light mode labels of the family the mouse has.
    const bool rainbow = form.ledFamily == config::LedFamily::RBLED;
    for (int n = 1; n <= kOptionLabelCount; ++n) {
        Find(CopyName("lbl_MCULEDMode", n))->setVisible(!rainbow);
        Find(CopyName("lbl_RBLEDMode", n))->setVisible(rainbow);
    }
}

void MainWindow::RefreshPageAfterLanguage()
{
    if (controller_->NoDevice()) {
        ShowOnlyPanel(1);
        return;
    }
    // The game-mode state leaves the visible page as it is (the fire macro page stays open).
    if (state_ != PageState::Game)
        ShowPage(state_);
}

// ------------------------------------------------------------------------------ languages

void MainWindow::LanguageButtonClick(int language)
{
    if (language < 1 || language > text::kLanguageCount)
        return;
    CloseMenus();
    if (!controller_->SetLanguage(language))
        return;  // the table cannot be read: stay in the language there is
    language_ = language;
    SetLanguageButtonPictures();
    FindAs<QRadioButton>(CopyName("rb_Lang", language))->setChecked(true);
    ApplySkin(language);
    CarryKeyCaptions(tables_[static_cast<std::size_t>(language - 1)]);
    SetApplicationTitle();
    RefreshPageAfterLanguage();
    // The skin may have moved the hovered button: leave it lit as the mouse still is over it.
    if (hovered_ != nullptr)
        rolling_.Restart(hovered_->text().toStdString());
}

// ------------------------------------------------------------------------------ hover, rolling

void MainWindow::HoverEnter(ClickLabel* label)
{
    const QString name = label->objectName();
    if (const TopBarName top = ParseTopBarName(name); top.button != nullptr) {
        const TopBarButton& button = *top.button;
        // The web button changes its pictures only while a mouse is open.
        if (button.kind != TopBarKind::Web || controller_->HasDevice()) {
            const QString over = QName(button.family) + QName(button.hoverSuffix);
            for (int copy = 1; copy <= kPageCopies; ++copy) {
                if (button.hoverAllCopies || copy == top.copy)
                    FindAs<PictureLabel>(QStringLiteral("Img_") + QName(button.stem) + u'_' + QString::number(copy))
                        ->SetPicture(over);
            }
        }
    } else if (const int key = KeyNumberOf(name); key != 0) {
        FindAs<PictureLabel>(CopyName("Img_Key", key))->SetPicture(QStringLiteral("KeyS_02"));
    }
    hovered_ = label;
    rolling_.Enter(name.toStdString(), label->text().toStdString());
    if (label->isEnabled() && setup_.runTimers)
        labelRun_.start();
}

void MainWindow::HoverLeave(ClickLabel* label)
{
    const QString name = label->objectName();
    if (const TopBarName top = ParseTopBarName(name); top.button != nullptr) {
        const TopBarButton& button = *top.button;
        if (button.kind != TopBarKind::Web || controller_->HasDevice()) {
            const QString normal = QName(button.family) + QStringLiteral("_01");
            for (int copy = 1; copy <= kPageCopies; ++copy) {
                if (button.hoverAllCopies || copy == top.copy)
                    FindAs<PictureLabel>(QStringLiteral("Img_") + QName(button.stem) + u'_' + QString::number(copy))
                        ->SetPicture(normal);
            }
        }
        if (button.kind == TopBarKind::Page)
            SetPageButtonPictures();
        else if (button.kind == TopBarKind::Language)
            SetLanguageButtonPictures();
    } else if (const int key = KeyNumberOf(name); key != 0) {
        FindAs<PictureLabel>(CopyName("Img_Key", key))->SetPicture(QStringLiteral("KeyS_01"));
    }
    labelRun_.stop();
    if (hovered_ == label) {
        label->setText(QString::fromStdString(rolling_.Remembered()));
        hovered_ = nullptr;
    }
}

void MainWindow::LabelRunTimer()
{
    if (hovered_ == nullptr)
        return;
    if (const auto next = rolling_.Tick(options_.TR_Enable == 1))
        hovered_->setText(QString::fromStdString(*next));
}

void MainWindow::ActionPressed(ClickLabel* label)
{
    if (const TopBarName top = ParseTopBarName(label->objectName()); top.button != nullptr)
        FindAs<PictureLabel>(QStringLiteral("Img_") + QName(top.button->stem) + u'_' + QString::number(top.copy))
            ->SetPicture(QName(top.button->family) + QStringLiteral("_03"));
}

void MainWindow::WebClick()
{
    CloseMenus();
    for (int copy = 1; copy <= kPageCopies; ++copy)
        FindAs<PictureLabel>(CopyName("Img_Web_", copy))->SetPicture(QStringLiteral("WebS_02"));
    if (options_.Web_Enable != 1 || options_.Web.empty())
        return;
    const QUrl url(QString::fromStdString(options_.Web));
    if (setup_.openUrl)
        setup_.openUrl(url);
    else
        QDesktopServices::openUrl(url);
}

// ------------------------------------------------------------------------------ key page

void MainWindow::KeyClick(int keyNumber)
{
    selectedKey_ = keyNumber;
    QWidget* label = Find(CopyName("Key", keyNumber));
    menu_->OpenBeside(QRect(label->mapTo(this, QPoint(0, 0)), label->size()));
}

void MainWindow::MenuPicked(int tag, const QString& entryText)
{
    CloseMenus();
    const KeyTarget target = SelectedTarget();
    const config::Profile profile = target.profile;
    const int key = target.key;
    config::FormModel& form = controller_->Form();
    const std::string code = config::CodeForMenuTag(tag, form.cb_AIMKeyValue);
    if (code.empty() || key < 1 || key > static_cast<int>(config::kKeysPerProfile))
        return;
    const config::EditResult result =
        config::AssignKeyFunction(form, controller_->DataBuf(), profile, static_cast<std::size_t>(key), code,
                                  entryText.toStdString(), controller_->Text(kLeftNameKey));
    RefreshKeyLabels();
    ShowFormMessage(result.message);
}

void MainWindow::ShowFormMessage(config::FormMessage formMessage)
{
    if (formMessage == config::FormMessage::None)
        return;
    app::ViewMessage message;
    message.style = app::MessageStyle::Dialog;
    message.title = Text("Title").toStdString();
    message.fontName = fontFamily_.toStdString();
    const std::string_view key = config::FormMessageLanguageKey(formMessage);
    message.text = key.empty() ? std::string(config::FormMessageFixedText(formMessage)) : Text(key).toStdString();
    if (!key.empty())
        message.keys = {std::string(key)};
    ShowMessage(message);
}

void MainWindow::EngineerKeyClick(int buttonNumber)
{
    selectedKey_ = buttonNumber;
    if (QWidget* button = Find(QStringLiteral("btn_Key%1").arg(buttonNumber)))
        menu_->OpenBeside(QRect(button->mapTo(this, QPoint(0, 0)), button->size()));
}

void MainWindow::FormEdited()
{
    RefreshKeyLabels();
    RefreshComboHints();
    engineer_->Refresh();
    findChild<LightPage*>()->Refresh();
}

void MainWindow::EngineerShortcut()
{
    if (state_ == PageState::Engineer)
        PageButtonClick(PageState::Office);
    else
        PageButtonClick(PageState::Engineer);
}

void MainWindow::ComboKeyClick(int hint)
{
    CloseMenus();
    config::FormModel& form = controller_->Form();
    switch (hint) {
    case 1: config::ToggleMidPressRow(form); break;
    case 2: config::ToggleCPIPressRow(form); break;
    case 3: config::ToggleGunPressRow(form); break;
    default: return;
    }
    RefreshComboHints();
    engineer_->Refresh();
}

}  // namespace qeltra3k::ui
