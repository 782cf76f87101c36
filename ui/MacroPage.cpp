#include "ui/MacroPage.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWindow>
#include <array>
#include <chrono>
#include <functional>

#include "macros/QtKeyTable.h"
#include "ui/KeyDialogs.h"
#include "ui/MainWindow.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"

namespace qeltra3k::ui {

namespace {

// Fields that cannot be typed into show their text in this grey.
const QColor kGreyText(0x71, 0x71, 0x72);

enum class OptionKind { Delay, Release, Repeat, InsertDelay };

struct OptionControl {
    const char* name;
    OptionKind kind;
    int value;  // a DelayMode, a RepeatMode, or the stop flag
};

constexpr int Mode(macros::DelayMode mode)
{
    return static_cast<int>(mode);
}
constexpr int Mode(macros::RepeatMode mode)
{
    return static_cast<int>(mode);
}

// Every option's box picture and its text: what a click on it chooses.
constexpr std::array<OptionControl, 20> kOptionControls{{
    {"LED_RecDelay", OptionKind::Delay, Mode(macros::DelayMode::RealTime)},
    {"IB_RecDelay", OptionKind::Delay, Mode(macros::DelayMode::RealTime)},
    {"LED_DelayTime", OptionKind::Delay, Mode(macros::DelayMode::DelaySetting)},
    {"IB_DelayTime", OptionKind::Delay, Mode(macros::DelayMode::DelaySetting)},
    {"LED_NoDelay", OptionKind::Delay, Mode(macros::DelayMode::NoDelay)},
    {"IB_NoDelay", OptionKind::Delay, Mode(macros::DelayMode::NoDelay)},
    {"Img_ReleaseStop", OptionKind::Release, 1},
    {"IB_ReleaseStop", OptionKind::Release, 1},
    {"Img_ReleaseContiue", OptionKind::Release, 0},
    {"IB_ReleaseContiue", OptionKind::Release, 0},
    {"Img_CircleTimes", OptionKind::Repeat, Mode(macros::RepeatMode::Count)},
    {"IB_CircleTimes", OptionKind::Repeat, Mode(macros::RepeatMode::Count)},
    {"Img_CircleAll", OptionKind::Repeat, Mode(macros::RepeatMode::Infinite)},
    {"IB_CircleAll", OptionKind::Repeat, Mode(macros::RepeatMode::Infinite)},
    {"LED_InsertRecDelay", OptionKind::InsertDelay, Mode(macros::DelayMode::RealTime)},
    {"IB_InsertRecDelay", OptionKind::InsertDelay, Mode(macros::DelayMode::RealTime)},
    {"LED_InsertDelayTime", OptionKind::InsertDelay, Mode(macros::DelayMode::DelaySetting)},
    {"IB_InsertDelayTime", OptionKind::InsertDelay, Mode(macros::DelayMode::DelaySetting)},
    {"LED_InsertNoDelay", OptionKind::InsertDelay, Mode(macros::DelayMode::NoDelay)},
    {"IB_InsertNoDelay", OptionKind::InsertDelay, Mode(macros::DelayMode::NoDelay)},
}};

const OptionControl* FindOption(const QString& name)
{
    for (const OptionControl& control : kOptionControls) {
        if (name == QLatin1String(control.name))
            return &control;
    }
    return nullptr;
}

macros::TickMs Now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QString Picked(bool on, bool checkBox)
{
    if (checkBox)
        return on ? QStringLiteral("CbS_E") : QStringLiteral("CbS_D");
    return on ? QStringLiteral("RdS_E") : QStringLiteral("RdS_D");
}

void SetPictureOf(QWidget* parent, const char* name, bool on, bool checkBox = false)
{
    if (auto* picture = parent->findChild<PictureLabel*>(QLatin1String(name)))
        picture->SetPicture(Picked(on, checkBox));
}

// Hands the program-wide events to the page while a recording runs, apart from the page's
// own filters on its controls.
class InputListener : public QObject {
public:
    InputListener(QObject* parent, std::function<bool(QObject*, QEvent*)> filter)
        : QObject(parent), filter_(std::move(filter))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return filter_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> filter_;
};

// The small picture before a row: what kind of event it is, so that a press and the
// release of the same key, which show the same name, are told apart.
QIcon KindIcon(std::optional<int> kind, const QColor& colour)
{
    constexpr int kSide = 16;
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.5));
    switch (kind.value_or(-1)) {
    case macros::row_kind::Press:  // a filled arrow down
        painter.setBrush(colour);
        painter.drawPolygon(QPolygonF({QPointF(3, 4), QPointF(13, 4), QPointF(8, 12)}));
        break;
    case macros::row_kind::Release:  // a hollow arrow up
        painter.drawPolygon(QPolygonF({QPointF(3, 12), QPointF(13, 12), QPointF(8, 4)}));
        break;
    case macros::row_kind::Delay:  // a clock
        painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        painter.drawLine(QPointF(8, 8), QPointF(8, 4.5));
        painter.drawLine(QPointF(8, 8), QPointF(10.5, 9.5));
        break;
    case macros::row_kind::MoveXPlus:
    case macros::row_kind::MoveXMinus:  // a move across
        painter.drawLine(QPointF(2, 8), QPointF(14, 8));
        painter.drawPolyline(QPolygonF({QPointF(5, 5), QPointF(2, 8), QPointF(5, 11)}));
        painter.drawPolyline(QPolygonF({QPointF(11, 5), QPointF(14, 8), QPointF(11, 11)}));
        break;
    case macros::row_kind::MoveYPlus:
    case macros::row_kind::MoveYMinus:  // a move up or down
        painter.drawLine(QPointF(8, 2), QPointF(8, 14));
        painter.drawPolyline(QPolygonF({QPointF(5, 5), QPointF(8, 2), QPointF(11, 5)}));
        painter.drawPolyline(QPolygonF({QPointF(5, 11), QPointF(8, 14), QPointF(11, 11)}));
        break;
    default:  // the repeat pair
        painter.drawRect(QRectF(3.5, 3.5, 9, 9));
        break;
    }
    return QIcon(pixmap);
}

QString Number(int value)
{
    return QString::number(value);
}

}  // namespace

MacroPage::MacroPage(MainWindow& window, QFrame* page) : QObject(&window), window_(window), page_(page)
{
    setObjectName(QStringLiteral("MacroPage"));
    listener_ = new InputListener(this, [this](QObject* watched, QEvent* event) { return WindowInput(watched, event); });
    EnsureEditor();
    Build();
}

MacroPage::~MacroPage()
{
    if (listening_)
        qApp->removeEventFilter(listener_);
}

void MacroPage::EnsureEditor()
{
    const bool eeprom = window_.Controller().EepromMode();
    if (editor_ && (eeprom == eepromStore_ || editor_->Recording()))
        return;
    editor_.reset();
    app::Controller& controller = window_.Controller();
    if (eeprom)
        store_ = std::make_unique<macros::LibraryBodyStore>(controller.Library());
    else
        store_ = std::make_unique<macros::DriverLibraryBodyStore>(controller.DriverLibrary(), controller.DriverMacroList());
    eepromStore_ = eeprom;
    editor_ = std::make_unique<macros::MacroEditor>(*store_);
}

QString MacroPage::Text(std::string_view key) const
{
    return QString::fromStdString(window_.Controller().Text(key));
}

// ------------------------------------------------------------------------------ showing

void MacroPage::RefreshList()
{
    EnsureEditor();
    if (!editor_->Recording()) {
        // The library may have been read again: the selection is decoded anew, or dropped
        // when its macro is gone.
        std::optional<std::size_t> selected = editor_->Page().selectedMacro;
        if (selected && *selected >= store_->Count())
            selected.reset();
        if (!editor_->Page().insert.open)
            editor_->SelectMacro(selected);
    }
    Show();
}

void MacroPage::ClearRows()
{
    if (!editor_->Recording() && !editor_->Page().insert.open)
        editor_->SelectMacro(std::nullopt);
    Show();
}

void MacroPage::Show()
{
    if (showing_)
        return;
    showing_ = true;
    ShowRows();
    ShowOptions();
    ShowInsertPanel();
    showing_ = false;
}

void MacroPage::ShowRows()
{
    app::Controller& controller = window_.Controller();
    const std::vector<std::string> names = eepromStore_ ? controller.Library().Names() : controller.DriverLibrary().Names();
    // The lists are filled again from the model; where they were scrolled to stays.
    const int macroScroll = macroList_->verticalScrollBar()->value();
    const int rowScroll = rowList_->verticalScrollBar()->value();
    const QSignalBlocker blockMacros(macroList_);
    macroList_->clear();
    for (const std::string& name : names)
        macroList_->addItem(QString::fromStdString(name));
    if (const auto selected = editor_->Page().selectedMacro; selected && *selected < names.size())
        macroList_->setCurrentRow(static_cast<int>(*selected));
    else
        macroList_->clearSelection();
    macroList_->verticalScrollBar()->setValue(macroScroll);
    if (macroList_->currentItem() != nullptr)
        macroList_->scrollToItem(macroList_->currentItem());

    const QSignalBlocker blockRows(rowList_);
    rowList_->clear();
    const macros::Rows& rows = editor_->RowList();
    // Row 0 is the header: the list shows the event rows.
    const QColor iconColour = ColourOf(skin_.macroPage.Color_F_Font);
    for (std::size_t i = 1; i < rows.size(); ++i)
        rowList_->addItem(new QListWidgetItem(KindIcon(macros::RowKind(rows[i]), iconColour),
                                              QString::fromStdString(macros::RowDisplayText(rows[i]))));
    rowList_->verticalScrollBar()->setValue(rowScroll);
    if (const auto row = editor_->SelectedRow(); row && *row + 1 < rows.size()) {
        rowList_->setCurrentRow(static_cast<int>(*row));
        rowList_->scrollToItem(rowList_->currentItem());
    } else {
        rowList_->clearSelection();
    }

    const bool recording = editor_->Recording();
    const bool inserting = editor_->Page().insert.open;
    macroList_->setEnabled(!recording && !inserting);
    rowList_->setEnabled(!recording);
    const bool creatable = !recording && !inserting && macros::NewMacroEnabled(names.size());
    new_.label->setEnabled(creatable);
    libraryMenu_->actions().constFirst()->setEnabled(creatable);  // the menu's New Macro
    delete_.label->setEnabled(!recording && !inserting);
    start_.label->setEnabled(!inserting);
    const bool normalRecording = recording && !editor_->InsertRecording();
    start_.label->setText(Text(normalRecording ? "Str401" : "Str400"));
    if (normalRecording)
        start_.picture->SetPicture(QStringLiteral("MacroS_04"));
    else if (start_.picture->PictureName() == QLatin1String("MacroS_04"))
        start_.picture->SetPicture(QStringLiteral("MacroS_01"));
}

void MacroPage::ShowOptions()
{
    const macros::MacroPage& page = editor_->Page();
    const macros::MacroOptions& options = page.options;
    const bool recording = editor_->Recording();
    delayGroup_->setVisible(!page.insert.open);
    delayGroup_->setEnabled(!recording);
    SetPictureOf(delayGroup_, "LED_RecDelay", options.delayMode == macros::DelayMode::RealTime);
    SetPictureOf(delayGroup_, "LED_DelayTime", options.delayMode == macros::DelayMode::DelaySetting);
    SetPictureOf(delayGroup_, "LED_NoDelay", options.delayMode == macros::DelayMode::NoDelay);
    SetPictureOf(delayGroup_, "Img_ReleaseStop", options.stopOnRelease);
    SetPictureOf(delayGroup_, "Img_ReleaseContiue", !options.stopOnRelease);
    SetPictureOf(delayGroup_, "Img_CircleTimes", options.repeat == macros::RepeatMode::Count, true);
    SetPictureOf(delayGroup_, "Img_CircleAll", options.repeat == macros::RepeatMode::Infinite, true);

    const text::SkinMacroPage& skin = skin_.macroPage;
    const auto style = [&](QLineEdit* edit, bool typable) {
        edit->setReadOnly(!typable);
        edit->setStyleSheet(QStringLiteral("QLineEdit { color: %1; background: %2; border: 1px solid %3; }")
                                .arg(typable ? ColourOf(skin.Color_F_Font).name() : kGreyText.name(),
                                     ColourOf(skin.Color_F_Back).name(), ColourOf(skin.Color_F_LBorder).name()));
    };
    if (!delayEdit_->hasFocus())
        delayEdit_->setText(Number(options.delayMs));
    if (!loopEdit_->hasFocus())
        loopEdit_->setText(Number(options.loopCount));
    style(delayEdit_, editor_->DelayFieldEditable() && !recording);
    style(loopEdit_, page.loopCountEnabled && !recording);
    loopEdit_->setEnabled(page.loopCountEnabled);
}

void MacroPage::ShowInsertPanel()
{
    const macros::InsertPanel& panel = editor_->Page().insert;
    insertPanel_->setVisible(panel.open);
    if (!panel.open)
        return;
    const macros::InsertPanelView view = macros::DescribeInsertChoice(panel.choice);
    const bool inserting = editor_->InsertRecording();
    insertPanel_->findChild<PictureLabel*>(QStringLiteral("Img_InsertBase"))
        ->SetPicture(QString::fromLatin1(view.background.data(), static_cast<qsizetype>(view.background.size())));
    insertChoice_->setCurrentIndex(static_cast<int>(panel.choice));
    insertChoice_->setEnabled(!inserting);

    const auto show = [this](const char* name, bool visible) {
        if (auto* widget = insertPanel_->findChild<QWidget*>(QLatin1String(name)))
            widget->setVisible(visible);
    };
    show("lbl_Delay", view.delayField);
    show("Edt_InsertDelay", view.delayField || view.recordControls);
    show("lbl_s_A", view.delayField || view.recordControls);
    for (const char* name : {"LED_InsertRecDelay", "IB_InsertRecDelay", "LED_InsertDelayTime", "IB_InsertDelayTime",
                             "LED_InsertNoDelay", "IB_InsertNoDelay"}) {
        show(name, view.recordControls);
        if (auto* widget = insertPanel_->findChild<QWidget*>(QLatin1String(name)))
            widget->setEnabled(!inserting);
    }
    insertStart_.SetVisible(view.recordControls);
    show("edt_XAxisValue", view.xField);
    show("lbl_XAxisValue", view.xField);
    show("edt_YAxisValue", view.yField);
    show("lbl_YAxisValue", view.yField);
    SetPictureOf(insertPanel_, "LED_InsertRecDelay", panel.delayMode == macros::DelayMode::RealTime);
    SetPictureOf(insertPanel_, "LED_InsertDelayTime", panel.delayMode == macros::DelayMode::DelaySetting);
    SetPictureOf(insertPanel_, "LED_InsertNoDelay", panel.delayMode == macros::DelayMode::NoDelay);

    const text::SkinMacroPage& skin = skin_.macroPage;
    const bool delayTypable = view.delayField || (editor_->InsertDelayFieldEditable() && !inserting);
    for (QLineEdit* edit : {insertDelayEdit_, xEdit_, yEdit_}) {
        const bool typable = edit != insertDelayEdit_ || delayTypable;
        edit->setReadOnly(!typable);
        edit->setStyleSheet(QStringLiteral("QLineEdit { color: %1; background: %2; border: 1px solid %3; }")
                                .arg(typable ? ColourOf(skin.Color_F_Font).name() : kGreyText.name(),
                                     ColourOf(skin.Color_F_Back).name(), ColourOf(skin.Color_F_LBorder).name()));
    }
    if (!insertDelayEdit_->hasFocus())
        insertDelayEdit_->setText(QString::fromStdString(panel.delayText));
    if (!xEdit_->hasFocus())
        xEdit_->setText(QString::fromStdString(panel.xText));
    if (!yEdit_->hasFocus())
        yEdit_->setText(QString::fromStdString(panel.yText));

    insertStart_.label->setText(Text(inserting ? "Str401" : "Str400"));
    ok_.label->setText(Text(view.okText));
    ok_.label->setEnabled(!inserting);
    cancel_.label->setEnabled(!inserting);
}

// ------------------------------------------------------------------------------ lists

void MacroPage::SelectMacro(std::optional<int> position)
{
    libraryMenu_->hide();
    rowMenu_->hide();
    editor_->SelectMacro(position ? std::optional<std::size_t>(static_cast<std::size_t>(*position)) : std::nullopt);
    Show();
}

void MacroPage::SelectRow(std::optional<int> position)
{
    libraryMenu_->hide();
    rowMenu_->hide();
    editor_->SelectRow(position ? std::optional<std::size_t>(static_cast<std::size_t>(*position)) : std::nullopt);
    Show();
}

void MacroPage::ListMouseReleased(QListWidget* list, QPoint at, Qt::MouseButton button)
{
    const QModelIndex index = list->indexAt(at);
    const std::optional<int> position = index.isValid() ? std::optional<int>(index.row()) : std::nullopt;
    const QPoint global = list->viewport()->mapToGlobal(at);
    if (list == macroList_) {
        SelectMacro(position);
        // The library menu also serves an empty list: New Macro and Import All need no selection.
        if (button == Qt::RightButton)
            libraryMenu_->popup(global);
    } else {
        SelectRow(position);
        if (button == Qt::RightButton && editor_->Page().selectedMacro && editor_->SelectedRow())
            rowMenu_->popup(global);
    }
}

// ------------------------------------------------------------------------------ rows

void MacroPage::CloseOpenDialogs()
{
    // A dialog still open belongs to an edit that the new one replaces: it goes without
    // cancelling anything, or it would cancel the edit just begun.
    if (dialog_) {
        disconnect(dialog_, nullptr, this, nullptr);
        dialog_->close();
    }
    if (auto* open = window_.findChild<SingleKeyDialog*>()) {
        disconnect(open, nullptr, this, nullptr);
        open->close();
    }
}

void MacroPage::OpenValueDialog(MacroDialogKind kind, std::string_view titleKey,
                                const std::function<void(const QString&)>& done)
{
    CloseOpenDialogs();
    MacroDialogLook look;
    look.title = Text(titleKey);
    look.confirmText = Text("Str511");
    look.clearText = Text("Str512");
    look.fontFamily = fontFamily_;
    look.skin = skin_.nameDialog;
    dialog_ = new MacroDialog(kind, look, &window_);
    connect(dialog_, &MacroDialog::confirmed, this, done);
    if (kind != MacroDialogKind::Name)
        connect(dialog_, &QDialog::rejected, this, [this] { editor_->CancelEdit(); });
    dialog_->show();
}

void MacroPage::EditRow()
{
    rowMenu_->hide();
    CloseOpenDialogs();
    const std::optional<macros::EditRequest> request = editor_->BeginEdit();
    if (!request)
        return;
    const auto finishValue = [this](const QString& text) {
        ShowChange(editor_->FinishEditValue(text.toStdString()));
        Show();
    };
    switch (request->dialog) {
    case macros::EditDialog::Delay:
        OpenValueDialog(MacroDialogKind::Delay, "Str521", [this](const QString& text) {
            ShowChange(editor_->FinishEditDelay(text.toStdString()));
            Show();
        });
        break;
    case macros::EditDialog::MoveX:
    case macros::EditDialog::MoveY:
        OpenValueDialog(MacroDialogKind::MoveValue, "Str523", finishValue);
        break;
    case macros::EditDialog::RepeatCount:
        OpenValueDialog(MacroDialogKind::RepeatCount, "Str523", finishValue);
        break;
    case macros::EditDialog::Key:
        OpenKeyDialog(request->press);
        break;
    }
}

void MacroPage::OpenKeyDialog(bool press)
{
    CloseOpenDialogs();
    KeyDialogTexts texts;
    texts.title = Text("Str520");
    texts.confirmText = Text("Str511");
    texts.clearText = Text("Str512");
    texts.fontFamily = fontFamily_;
    auto* dialog = new SingleKeyDialog(press, texts, skin_.nameDialog, &window_);
    connect(dialog, &SingleKeyDialog::confirmed, this, [this](std::optional<int> virtualKey) {
        ShowChange(editor_->FinishEditKey(virtualKey));
        Show();
    });
    connect(dialog, &QDialog::rejected, this, [this] { editor_->CancelEdit(); });
    dialog->show();
}

void MacroPage::DeleteRow()
{
    rowMenu_->hide();
    ShowChange(editor_->DeleteRow());
    Show();
}

void MacroPage::InsertRow()
{
    rowMenu_->hide();
    editor_->SetTopRow(static_cast<std::size_t>(std::max(0, rowList_->indexAt(QPoint(1, 1)).row())));
    editor_->OpenInsertPanel();
    Show();
}

void MacroPage::InsertOk()
{
    ShowChange(editor_->ConfirmInsert());
    Show();
}

void MacroPage::InsertCancel()
{
    editor_->CancelInsert();
    Show();
    rowList_->scrollToItem(rowList_->item(static_cast<int>(editor_->Page().topRow)), QAbstractItemView::PositionAtTop);
}

// ------------------------------------------------------------------------------ options

void MacroPage::OptionClicked(QObject* control)
{
    const OptionControl* option = FindOption(control->objectName());
    if (option == nullptr)
        return;
    switch (option->kind) {
    case OptionKind::Delay:
        editor_->ChooseDelayOption(static_cast<macros::DelayMode>(option->value));
        break;
    case OptionKind::Release:
        editor_->ChooseRelease(option->value == 1);
        break;
    case OptionKind::Repeat:
        editor_->ClickRepeatOption(static_cast<macros::RepeatMode>(option->value));
        break;
    case OptionKind::InsertDelay:
        editor_->ChooseInsertDelayOption(static_cast<macros::DelayMode>(option->value));
        break;
    }
    Show();
}

// ------------------------------------------------------------------------------ recording

void MacroPage::RecordClick()
{
    window_.CloseMenus();
    if (editor_->Recording()) {
        if (editor_->InsertRecording())
            return;
        const macros::ChangeResult result = editor_->StopRecording();
        RecordingEnded();
        ShowChange(result);
    } else if (editor_->StartRecording()) {
        RecordingStarted(true);
    }
    Show();
}

void MacroPage::InsertRecordClick()
{
    if (editor_->InsertRecording()) {
        editor_->StopInsertRecording();
        RecordingEnded();
    } else if (!editor_->Recording() && editor_->StartInsertRecording()) {
        RecordingStarted(false);
    }
    Show();
}

void MacroPage::RecordingStarted(bool stopDeviceWatch)
{
    watchWasActive_ = stopDeviceWatch && window_.DevTimer().isActive();
    if (watchWasActive_)
        window_.DevTimer().stop();
    if (!listening_) {
        qApp->installEventFilter(listener_);
        listening_ = true;
    }
    rowList_->setFocus();
}

void MacroPage::RecordingEnded()
{
    if (listening_) {
        qApp->removeEventFilter(listener_);
        listening_ = false;
    }
    if (watchWasActive_)
        window_.DevTimer().start();
    watchWasActive_ = false;
}

void MacroPage::AfterStep(const macros::RecordingStep& step)
{
    if (step.outcome == macros::RecordOutcome::Stopped) {
        const bool wasInsert = editor_->Page().insert.open;
        RecordingEnded();
        if (!wasInsert)
            ShowChange(step.stop);
    }
    if (step.outcome != macros::RecordOutcome::Ignored)
        Show();
}

void MacroPage::KeyFromWindow(int qtKey, bool keypad, bool press)
{
    const std::optional<int> virtualKey = macros::QtKeyToVirtualKey(qtKey, keypad);
    if (!virtualKey)
        return;
    AfterStep(editor_->KeyMessage(Now(), *virtualKey, press ? macros::KeyTransition::Down : macros::KeyTransition::Up));
}

void MacroPage::ButtonFromWindow(int qtButton, bool press)
{
    const std::optional<macros::HookMouseMessage> message = macros::QtButtonToHookMessage(qtButton, press);
    if (!message)
        return;
    AfterStep(editor_->MouseMessage(Now(), message->message, message->mouseData));
}

bool MacroPage::WindowInput(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // Every key and button reaching one of the program's windows. The window sees an event
    // before the widget it is meant for, and only once.
    if (listening_ && qobject_cast<QWindow*>(watched) != nullptr) {
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // The system's auto-repeat is not typing; the keyboard component tells repeats apart itself.
            if (!key->isAutoRepeat())
                KeyFromWindow(key->key(), key->modifiers().testFlag(Qt::KeypadModifier), type == QEvent::KeyPress);
            return true;  // keys typed for the recording do not act on the window
        }
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
            ButtonFromWindow(static_cast<int>(static_cast<QMouseEvent*>(event)->button()), type == QEvent::MouseButtonPress);
            return false;
        }
    }
    return false;
}

bool MacroPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == macroList_->viewport() || watched == rowList_->viewport()) {
        QListWidget* list = watched == macroList_->viewport() ? macroList_ : rowList_;
        if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton)
            ListMouseReleased(list, mouse->position().toPoint(), mouse->button());
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint()))
        OptionClicked(watched);
    return false;
}

}  // namespace qeltra3k::ui
