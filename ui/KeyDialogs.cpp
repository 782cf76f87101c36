#include "ui/KeyDialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "config/KeyboardFunction.h"
#include "macros/QtKeyTable.h"
#include "ui/MacroDialogs.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"

namespace qeltra3k::ui {

namespace {

constexpr QSize kDialogFallback{440, 240};
constexpr QSize kButtonFallback{108, 32};
constexpr QSize kCloseFallback{32, 28};
constexpr QSize kBoxFallback{20, 20};
constexpr int kFieldHeight = 32;
// A box's name starts this far right of the box.
constexpr int kBoxTextGap = 6;
constexpr int kBoxTextWidth = 64;
// Font sizes relative to the skin's base size, as in the macro dialogs.
constexpr int kTitleStep = 5;
constexpr int kFieldStep = 3;
constexpr int kButtonStep = 1;
// The assembly dialog opens this much below the window's centre.
constexpr int kAssemblyDrop = 40;

struct BoxSpec {
    config::AssemblyModifier modifier;
    const char* name;  // CB_<name>, and the text beside the box
    text::SkinPoint text::SkinAssemblyDialog::*at;
};
constexpr std::array<BoxSpec, 4> kBoxes{{
    {config::AssemblyModifier::Ctrl, "Ctrl", &text::SkinAssemblyDialog::MK_C},
    {config::AssemblyModifier::Shift, "Shift", &text::SkinAssemblyDialog::MK_S},
    {config::AssemblyModifier::Alt, "Alt", &text::SkinAssemblyDialog::MK_A},
    {config::AssemblyModifier::Win, "Win", &text::SkinAssemblyDialog::MK_W},
}};

QString BoxPicture(bool on)
{
    return on ? QStringLiteral("CbS_E") : QStringLiteral("CbS_D");
}

// The dialog's frame: borderless, on top, not blocking the window, its size the picture's.
void SetUpFrame(QDialog* dialog, const QString& objectName, const QString& backgroundName)
{
    dialog->setObjectName(objectName);
    dialog->setAttribute(Qt::WA_TranslucentBackground);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);
    auto* background = new PictureLabel(backgroundName, dialog);
    background->SetPicture(QStringLiteral("MSG"), true);
    const QSize size = background->PictureSize(kDialogFallback);
    background->setGeometry(QRect(QPoint(0, 0), size));
    dialog->setFixedSize(size);
}

void CentreOver(QDialog* dialog, QWidget* mainWindow, int drop)
{
    if (mainWindow != nullptr)
        dialog->move(mainWindow->geometry().center() - QPoint(dialog->width() / 2, dialog->height() / 2 - drop));
}

QLineEdit* MakeField(QWidget* parent, const QString& name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    // The keys typed are captured, never edited in; no menu offers to paste either.
    field->setContextMenuPolicy(Qt::NoContextMenu);
    return field;
}

// Confirm, clear and close, wired to the dialog's slots.
template <class Dialog>
void MakeButtons(Dialog* dialog, const KeyDialogTexts& texts, int size, const text::SkinColour& colour,
                 text::SkinPoint confirmAt, text::SkinPoint clearAt, text::SkinPoint closeAt)
{
    const SkinButton confirm = MakeSkinButton(dialog, QStringLiteral("IB_Confirm"), QStringLiteral("Img_Confirm"), QStringLiteral("BtnS"));
    const SkinButton clear = MakeSkinButton(dialog, QStringLiteral("IB_Cancel"), QStringLiteral("Img_Cancel"), QStringLiteral("BtnS"));
    const SkinButton close = MakeSkinButton(dialog, QStringLiteral("IB_Close"), QStringLiteral("Img_Close"), QStringLiteral("ExitS"));
    confirm.label->setText(texts.confirmText);
    clear.label->setText(texts.clearText);
    for (const SkinButton* button : {&confirm, &clear})
        SetTextStyle(button->label, texts.fontFamily, size + kButtonStep, colour);
    confirm.Place({confirmAt.x, confirmAt.y}, kButtonFallback);
    clear.Place({clearAt.x, clearAt.y}, kButtonFallback);
    close.Place({closeAt.x, closeAt.y}, kCloseFallback);
    QObject::connect(confirm.label, &ClickLabel::clicked, dialog, &Dialog::Confirm);
    QObject::connect(clear.label, &ClickLabel::clicked, dialog, &Dialog::Clear);
    QObject::connect(close.label, &ClickLabel::clicked, dialog, &QDialog::reject);
}

QLabel* MakeTitle(QWidget* parent, const QString& name, const KeyDialogTexts& texts, int size,
                  const text::SkinColour& colour, text::SkinPoint at)
{
    auto* title = new QLabel(texts.title, parent);
    title->setObjectName(name);
    SetTextStyle(title, texts.fontFamily, size + kTitleStep, colour);
    title->adjustSize();
    title->move(at.x, at.y);
    return title;
}

}  // namespace

std::optional<int> VirtualKeyOf(const QKeyEvent& event)
{
    return macros::QtKeyToVirtualKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

// ------------------------------------------------------------------------------ key assembly

AssemblyDialog::AssemblyDialog(const KeyDialogTexts& texts, const text::SkinAssemblyDialog& skin, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog)
{
    SetUpFrame(this, QStringLiteral("TForm2"), QStringLiteral("Img_Assembly"));
    MakeTitle(this, QStringLiteral("lbl_Assembly"), texts, skin.Size_K, skin.Color_K, skin.AKT);

    field_ = MakeField(this, QStringLiteral("Edt_Assembly"));
    SetTextStyle(field_, texts.fontFamily, skin.Size_K + kFieldStep, skin.Color_K_AK);
    field_->setGeometry(skin.AKC.x, skin.AKC.y, skin.AKC_W, kFieldHeight);
    field_->installEventFilter(this);

    for (const BoxSpec& entry : kBoxes) {
        const QString name = QString::fromLatin1(entry.name);
        auto* box = new PictureLabel(QStringLiteral("CB_") + name, this);
        box->SetPicture(BoxPicture(false), true);
        const text::SkinPoint at = skin.*entry.at;
        box->setGeometry(QRect(QPoint(at.x, at.y), box->PictureSize(kBoxFallback)));
        auto* label = new ClickLabel(QStringLiteral("lbl_") + name, this);
        label->setText(name);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetTextStyle(label, texts.fontFamily, skin.Size_K + kButtonStep, skin.Color_K);
        label->setGeometry(box->geometry().right() + 1 + kBoxTextGap, at.y, kBoxTextWidth, box->height());
        boxes_[static_cast<std::size_t>(entry.modifier)] = box;
        const config::AssemblyModifier modifier = entry.modifier;
        connect(box, &PictureLabel::clicked, this, [this, modifier] { Toggle(modifier); });
        connect(label, &ClickLabel::clicked, this, [this, modifier] { Toggle(modifier); });
    }
    MakeButtons(this, texts, skin.Size_K, skin.Color_K, skin.AK_Cfm, skin.AK_Clear, skin.AK_Close);

    CentreOver(this, mainWindow, kAssemblyDrop);
    field_->setFocus();
}

bool AssemblyDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != field_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    // Every key belongs to the capture, Escape and Enter too: the buttons close the dialog.
    const auto& keyEvent = static_cast<const QKeyEvent&>(*event);
    const Qt::KeyboardModifiers held = keyEvent.modifiers();
    const bool modifierHeld = (held & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
    if (const std::optional<int> virtualKey = VirtualKeyOf(keyEvent))
        KeyPressed(*virtualKey, modifierHeld);
    return true;
}

void AssemblyDialog::KeyPressed(int virtualKey, bool modifierHeld)
{
    config::AssemblyKeyPressed(state_, virtualKey, modifierHeld);
    Show();
}

void AssemblyDialog::Toggle(config::AssemblyModifier modifier)
{
    config::AssemblyToggle(state_, modifier);
    Show();
    field_->setFocus();
}

void AssemblyDialog::Confirm()
{
    Q_EMIT confirmed(QString::fromStdString(state_.text), QString::fromStdString(config::AssemblyCode(state_)));
    accept();
}

void AssemblyDialog::Clear()
{
    config::AssemblyClear(state_);
    Show();
    field_->setFocus();
}

void AssemblyDialog::Show()
{
    field_->setText(QString::fromStdString(state_.text));
    for (std::size_t bit = 0; bit < boxes_.size(); ++bit)
        boxes_[bit]->SetPicture(BoxPicture((state_.modifiers & (1u << bit)) != 0));
}

// ------------------------------------------------------------------------------ single key

SingleKeyDialog::SingleKeyDialog(bool press, const KeyDialogTexts& texts, const text::SkinNameDialog& skin,
                                 QWidget* mainWindow)
    : QDialog(mainWindow, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog), press_(press)
{
    SetUpFrame(this, QStringLiteral("TForm5"), QStringLiteral("Img_EditKey"));
    MakeTitle(this, QStringLiteral("lbl_EditKey"), texts, skin.Size_L, skin.Color_L, skin.MNT);

    field_ = MakeField(this, QStringLiteral("Edt_EditKey"));
    SetTextStyle(field_, texts.fontFamily, skin.Size_L + kFieldStep, skin.Color_L_MN);
    field_->setGeometry(skin.MNC.x, skin.MNC.y, skin.MNC_W, kFieldHeight);
    field_->installEventFilter(this);
    MakeButtons(this, texts, skin.Size_L, skin.Color_L, skin.MN_Cfm, skin.MN_Clear, skin.MN_Close);

    CentreOver(this, mainWindow, 0);
    field_->setFocus();
}

bool SingleKeyDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != field_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    if (const std::optional<int> virtualKey = VirtualKeyOf(static_cast<const QKeyEvent&>(*event)))
        KeyPressed(*virtualKey);
    return true;
}

void SingleKeyDialog::KeyPressed(int virtualKey)
{
    key_ = virtualKey;
    line_ = QString::fromStdString(config::SingleKeyLine(virtualKey, press_));
    field_->setText(QString::fromUtf8(config::VirtualKeyName(virtualKey).data(),
                                      static_cast<qsizetype>(config::VirtualKeyName(virtualKey).size())));
}

void SingleKeyDialog::Confirm()
{
    Q_EMIT confirmed(key_);
    accept();
}

void SingleKeyDialog::Clear()
{
    // An empty field hands no key on, so the row keeps its own.
    key_.reset();
    line_.clear();
    field_->clear();
}

}  // namespace qeltra3k::ui
