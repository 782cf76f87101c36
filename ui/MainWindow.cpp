// TForm1's creation, its timers, the workflows of the top bar and the controller's view.
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QMessageBox>
#include <QMetaObject>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

#include "app/ProfileFiles.h"
#include "ui/EditorWaiting.h"
#include "ui/AdvancedPage.h"
#include "ui/EngineerPage.h"
#include "ui/FirePage.h"
#include "ui/LightPage.h"
#include "ui/MacroPage.h"
#include "ui/KeyMenu.h"
#include "ui/LoadingWindow.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"
#include "ui/WindowTables.h"
#include "ui/text/SpecialKeys.h"

namespace qeltra3k::ui {

namespace {

constexpr int kDevTimerMs = 3000;
constexpr int kDevTimerFirstMs = 20;
constexpr int kTestTimerMs = 1000;
constexpr int kLabelRunMs = 200;

// "SaveFile(*.bin)|*.bin" (the filter as the controller names it) as a file dialog filter.
QString DialogFilter(const char* filter)
{
    const QString text = QString::fromLatin1(filter);
    return text.left(text.indexOf(u'|'));
}

text::GeneralOptions LoadOptions()
{
    text::GeneralOptionsReading reading = text::LoadGeneralOptions();
    for (const std::string& warning : reading.warnings)
        qWarning("%s", warning.c_str());
    return reading.options;
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Window),
      setup_(std::move(setup)),
      options_(setup_.options ? *setup_.options : LoadOptions())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kMainCaption));
    setAttribute(Qt::WA_NoSystemBackground);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 0, 0));
    setPalette(palette);

    for (int language = 1; language <= text::kLanguageCount; ++language) {
        auto loading = text::LoadLanguageTable(language);
        if (loading.table)
            tables_[static_cast<std::size_t>(language - 1)] = std::move(*loading.table);
        else
            qWarning("language table %d: %s", language, loading.error.c_str());
    }

    device::Waiting* waiting = setup_.waiting;
    if (waiting == nullptr) {
        ownWaiting_ = std::make_unique<EditorWaiting>([this] { ShowLoadingWindow(); });
        waiting = ownWaiting_.get();
    }
    app::ControllerSetup controllerSetup;
    controllerSetup.bus = setup_.bus;
    controllerSetup.waiting = waiting;
    controllerSetup.view = this;
    controllerSetup.options = options_;
    controllerSetup.dataFolder = setup_.dataFolder;
    controllerSetup.language = language_;
    controller_ = std::make_unique<app::Controller>(controllerSetup);

    BuildPages();
    menu_ = new KeyMenu(this);
    connect(menu_, &KeyMenu::picked, this, &MainWindow::MenuPicked);
    connect(menu_, &KeyMenu::macroPicked, this, &MainWindow::MacroPicked);
    connect(menu_, &KeyMenu::assemblyRequested, this, &MainWindow::OpenAssemblyDialog);
    menu_->SetMacroNames([this] { return MacroNames(); });
    const text::SpecialKeysLayout special = text::LayoutSpecialKeys(options_.Special_Config);
    for (const std::string& warning : special.warnings)
        qWarning("%s", warning.c_str());
    menu_->LayoutSpecialKeys(special);

    devTimer_.setInterval(kDevTimerMs);
    devTimerFirst_.setInterval(kDevTimerFirstMs);
    testTimer_.setInterval(kTestTimerMs);
    labelRun_.setInterval(kLabelRunMs);
    devTimer_.setObjectName(QStringLiteral("DevTimer"));
    devTimerFirst_.setObjectName(QStringLiteral("DevTimerFirst"));
    testTimer_.setObjectName(QStringLiteral("TestTimer"));
    labelRun_.setObjectName(QStringLiteral("LabelRun"));
    connect(&devTimer_, &QTimer::timeout, this, &MainWindow::DevTimerTimer);
    connect(&devTimerFirst_, &QTimer::timeout, this, &MainWindow::DevTimerTimer);
    connect(&testTimer_, &QTimer::timeout, this, &MainWindow::TestTimerTimer);
    connect(&labelRun_, &QTimer::timeout, this, &MainWindow::LabelRunTimer);

    // Page 1 in the office state, skin and language 1, the no-device state with the first
    // default configuration, then the language switch once more for the button pictures.
    FindAs<QRadioButton>(QStringLiteral("rb_1"))->setChecked(true);
    ApplySkin(language_);
    ShowOnlyPanel(1);
    controller_->Start();
    LanguageButtonClick(language_);
    SetPageButtonPictures();

    // The engineer page has no button in the shipped skins; engineers reach it by keyboard.
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+E")), this);
    shortcut->setObjectName(QStringLiteral("EngineerShortcut"));
    connect(shortcut, &QShortcut::activated, this, &MainWindow::EngineerShortcut);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

MainWindow::~MainWindow()
{
    devTimer_.stop();
    devTimerFirst_.stop();
    testTimer_.stop();
    labelRun_.stop();
    // The controller goes first: its key test may still hand flashes to this window.
    controller_.reset();
}

void MainWindow::CreateLoadingWindow()
{
    if (loading_ == nullptr)
        loading_ = new LoadingWindow(this);
    SyncTimers();
}

// ------------------------------------------------------------------------------ timers

void MainWindow::SyncTimers()
{
    const app::TimerState timers = controller_->Timers();
    const auto set = [this](QTimer& timer, bool on) {
        if (!setup_.runTimers)
            return;
        if (on && !timer.isActive())
            timer.start();
        else if (!on && timer.isActive())
            timer.stop();
    };
    set(devTimer_, timers.devTimer);
    // The first search waits for the loading window, whose creation arms it.
    set(devTimerFirst_, timers.devTimerFirst && loading_ != nullptr);
    set(testTimer_, timers.testTimer);
}

void MainWindow::DevTimerTimer()
{
    RunWorkflow([this] { controller_->DevTimerTimer(); });
}

void MainWindow::TestTimerTimer()
{
    controller_->TestTimerTimer();
}

// ------------------------------------------------------------------------------ workflows

void MainWindow::RunWorkflow(const std::function<void()>& operation)
{
    ++workflowDepth_;
    operation();
    --workflowDepth_;
    // A close asked for in the middle of an exchange happens once it is over.
    if (workflowDepth_ == 0 && closeRequested_) {
        closeRequested_ = false;
        close();
    }
}

void MainWindow::ReadClick()
{
    CloseMenus();
    RunWorkflow([this] { controller_->Btn_Read_0Click(); });
}

void MainWindow::ApplyClick()
{
    CloseMenus();
    RunWorkflow([this] { controller_->Btn_Apply_0Click(); });
}

void MainWindow::ConfirmClick()
{
    CloseMenus();
    RunWorkflow([this] { controller_->Btn_Confirm_0Click(); });
}

void MainWindow::ResetClick(int number)
{
    CloseMenus();
    RunWorkflow([this, number] { controller_->Btn_ConfirmN_1Click(number); });
}

void MainWindow::RunPreset(bool dpiPreset)
{
    CloseMenus();
    RunWorkflow([this, dpiPreset] {
        if (dpiPreset)
            controller_->btn_loadDefaultCPIClick();
        else
            controller_->btn_loadDefaultLEDClick();
    });
}

void MainWindow::SaveClick()
{
    CloseMenus();
    // Without a mouse the controller only says so; no file is asked for.
    std::optional<std::filesystem::path> chosen;
    if (controller_->HasDevice())
        chosen = ChooseProfileFile(ProfileDialog::Save);
    RunWorkflow([this, &chosen] { controller_->Btn_Save_0Click(chosen); });
}

void MainWindow::LoadClick()
{
    CloseMenus();
    std::optional<std::filesystem::path> chosen;
    if (controller_->HasDevice())
        chosen = ChooseProfileFile(ProfileDialog::Load);
    RunWorkflow([this, &chosen] { controller_->Btn_Load_0Click(chosen); });
}

std::optional<std::filesystem::path> MainWindow::ChooseProfileFile(ProfileDialog dialog)
{
    if (setup_.chooseProfileFile)
        return setup_.chooseProfileFile(dialog);
    const QString file = dialog == ProfileDialog::Save
                             ? QFileDialog::getSaveFileName(this, QString(), QDir::homePath(),
                                                            DialogFilter(app::kSaveProfileFilter))
                             : QFileDialog::getOpenFileName(this, QString(), QDir::homePath(),
                                                            DialogFilter(app::kLoadProfileFilter));
    if (file.isEmpty())
        return std::nullopt;
    return std::filesystem::path(file.toStdString());
}

// ------------------------------------------------------------------------------ the view

void MainWindow::ShowMessage(const app::ViewMessage& message)
{
    if (setup_.showMessage) {
        setup_.showMessage(message);
        return;
    }
    QMessageBox box;
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(QString::fromStdString(message.title));
    box.setText(QString::fromStdString(message.text));
    box.setStandardButtons(QMessageBox::Ok);
    if (message.style == app::MessageStyle::Dialog && !message.fontName.empty())
        box.setFont(QFont(QString::fromStdString(message.fontName)));
    box.exec();
}

void MainWindow::ShowBusyOverlay()
{
    for (int copy = 1; copy <= kPageCopies; ++copy) {
        QWidget* overlay = Find(CopyName("Disable_All_", copy));
        overlay->show();
        overlay->raise();
        for (const char* stem : {"Exit_", "Mini_"}) {
            Find(QStringLiteral("Img_") + QLatin1String(stem) + QString::number(copy))->raise();
            Find(QStringLiteral("Btn_") + QLatin1String(stem) + QString::number(copy))->raise();
        }
    }
}

void MainWindow::HideBusyOverlay()
{
    for (int copy = 1; copy <= kPageCopies; ++copy)
        Find(CopyName("Disable_All_", copy))->hide();
}

void MainWindow::ShowLoadingWindow()
{
    if (loading_ == nullptr)
        return;
    loading_->CentreOver(*this);
    // Always on top by its window flags; raising it again is not needed.
    loading_->show();
}

void MainWindow::HideLoadingWindow()
{
    if (loading_ != nullptr)
        loading_->hide();
}

void MainWindow::Refresh(app::RefreshRequest what)
{
    switch (what) {
    case app::RefreshRequest::Form:
        RefreshKeyLabels();
        RefreshComboHints();
        engineer_->Refresh();
        findChild<LightPage*>()->Refresh();
        if (auto* advanced = findChild<AdvancedPage*>())
            advanced->Refresh();
        break;
    case app::RefreshRequest::PointerSettingsToForm:
        if (auto* advanced = findChild<AdvancedPage*>())
            advanced->ReadPointerSettings();
        break;
    case app::RefreshRequest::PointerSettingsToSystem:
        if (auto* advanced = findChild<AdvancedPage*>())
            advanced->WritePointerSettings();
        break;
    case app::RefreshRequest::PageState:
        if (controller_->NoDevice()) {
            CloseMenus();
            ShowOnlyPanel(1);
            SetPageButtonPictures();
        }
        break;
    case app::RefreshRequest::MainPageAction:
        if (state_ == PageState::Office)
            PageButtonClick(PageState::Office);
        break;
    case app::RefreshRequest::KeyModePage:
        ShowPage(controller_->Form().cb_KeyMode == 1 ? PageState::Game : PageState::Office);
        break;
    case app::RefreshRequest::DeviceIds:
        engineer_->Refresh();
        break;
    case app::RefreshRequest::Timers:
        SyncTimers();
        break;
    case app::RefreshRequest::PcMacroList:
    case app::RefreshRequest::DriverMacroNames:
        if (auto* macro = findChild<MacroPage*>())
            macro->RefreshList();
        break;
    case app::RefreshRequest::MacroEditorCleared:
        if (auto* macro = findChild<MacroPage*>())
            macro->ClearRows();
        break;
    case app::RefreshRequest::FireMacros:
        if (auto* fire = findChild<FirePage*>())
            fire->Refresh();
        break;
    default:
        // The macro, fire macro and pointer-settings pages come with their own controls.
        break;
    }
}

void MainWindow::CloseMenus()
{
    if (menu_ != nullptr)
        menu_->HideAll();
}

void MainWindow::CloseMainWindow()
{
    close();
}

void MainWindow::SetKeyTestButtonEnabled(bool enabled)
{
    engineer_->SetTestButtonEnabled(enabled);
}

void MainWindow::ShowKeyTestCaption(const std::optional<std::string>& countdown)
{
    engineer_->SetTestButtonCaption(countdown);
}

void MainWindow::SetKeyButtonVisible(const std::string& buttonName, bool visible)
{
    // Called from the key test's poller: the widget is touched on the UI thread only.
    const QString name = QString::fromStdString(buttonName);
    QMetaObject::invokeMethod(
        this,
        [this, name, visible] {
            if (QWidget* button = Find(name))
                button->setVisible(visible);
        },
        Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (workflowDepth_ > 0) {
        closeRequested_ = true;
        event->ignore();
        return;
    }
    CloseMenus();
    devTimer_.stop();
    devTimerFirst_.stop();
    testTimer_.stop();
    labelRun_.stop();
    if (loading_ != nullptr)
        loading_->hide();
    event->accept();
}

}  // namespace qeltra3k::ui
