#include "ui/MacroDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "macros/MacroEditorFields.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"

namespace qeltra3k::ui {

namespace {

constexpr QSize kDialogFallback{440, 240};
constexpr QSize kButtonFallback{108, 32};
constexpr QSize kCloseFallback{32, 28};
constexpr int kInputHeight = 32;
// Font sizes relative to the skin's base size.
constexpr int kTitleStep = 5;
constexpr int kInputStep = 3;
constexpr int kButtonStep = 1;

QString Picked(const QString& family, int state)
{
    return family + QStringLiteral("_0%1").arg(state);
}

// The characters each field lets through; the correction then keeps the value in range.
QString AllowedPattern(MacroDialogKind kind)
{
    switch (kind) {
    case MacroDialogKind::Delay: return QStringLiteral("[0-9]*");
    case MacroDialogKind::MoveValue:
    case MacroDialogKind::RepeatCount: return QStringLiteral("-?[0-9]*");
    case MacroDialogKind::Name: break;
    }
    return {};
}

std::string Corrected(MacroDialogKind kind, const std::string& text)
{
    switch (kind) {
    case MacroDialogKind::Delay: return macros::CorrectDelayText(text);
    case MacroDialogKind::MoveValue: return macros::CorrectMoveText(text);
    case MacroDialogKind::RepeatCount: return macros::CorrectRepeatCountText(text);
    case MacroDialogKind::Name: break;
    }
    return text;
}

}  // namespace

void SkinButton::Place(QPoint at, QSize fallback) const
{
    const QRect rect(at, picture->PictureSize(fallback));
    picture->setGeometry(rect);
    label->setGeometry(rect);
}

void SkinButton::SetVisible(bool visible) const
{
    picture->setVisible(visible);
    label->setVisible(visible);
}

SkinButton MakeSkinButton(QWidget* parent, const QString& labelName, const QString& pictureName, const QString& family)
{
    SkinButton button;
    button.picture = new PictureLabel(pictureName, parent);
    button.picture->SetPicture(Picked(family, 1));
    button.label = new ClickLabel(labelName, parent);
    button.label->setAlignment(Qt::AlignCenter);
    PictureLabel* picture = button.picture;
    QObject::connect(button.label, &ClickLabel::entered, picture, [picture, family] { picture->SetPicture(Picked(family, 2)); });
    QObject::connect(button.label, &ClickLabel::left, picture, [picture, family] { picture->SetPicture(Picked(family, 1)); });
    QObject::connect(button.label, &ClickLabel::pressed, picture, [picture, family] { picture->SetPicture(Picked(family, 3)); });
    QObject::connect(button.label, &ClickLabel::clicked, picture, [picture, family] { picture->SetPicture(Picked(family, 2)); });
    return button;
}

MacroDialog::MacroDialog(MacroDialogKind kind, const MacroDialogLook& look, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog), kind_(kind)
{
    const bool name = kind == MacroDialogKind::Name;
    setObjectName(name ? QStringLiteral("TForm3") : kind == MacroDialogKind::Delay ? QStringLiteral("TForm6")
                                                                                    : QStringLiteral("TForm7"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* background = new PictureLabel(name ? QStringLiteral("Img_MacroName") : QStringLiteral("Img_EditTime"), this);
    background->SetPicture(QStringLiteral("MSG"), true);
    const QSize size = background->PictureSize(kDialogFallback);
    background->setGeometry(QRect(QPoint(0, 0), size));
    setFixedSize(size);

    const text::SkinNameDialog& skin = look.skin;
    auto* title = new QLabel(look.title, this);
    title->setObjectName(name ? QStringLiteral("lbl_MacroName") : QStringLiteral("lbl_EditTime"));
    SetTextStyle(title, look.fontFamily, skin.Size_L + kTitleStep, skin.Color_L);
    title->adjustSize();
    title->move(skin.MNT.x, skin.MNT.y);

    input_ = new QLineEdit(this);
    input_->setObjectName(name ? QStringLiteral("Edt_MacroName") : QStringLiteral("Edt_EditTime"));
    input_->setAlignment(Qt::AlignCenter);
    SetTextStyle(input_, look.fontFamily, skin.Size_L + kInputStep, skin.Color_L_MN);
    input_->setGeometry(skin.MNC.x, skin.MNC.y, skin.MNC_W, kInputHeight);
    if (name)
        input_->setMaxLength(kMacroNameMaxLength);
    else
        input_->setValidator(new QRegularExpressionValidator(QRegularExpression(AllowedPattern(kind)), input_));
    connect(input_, &QLineEdit::textChanged, this, &MacroDialog::Correct);
    connect(input_, &QLineEdit::returnPressed, this, &MacroDialog::Confirm);

    const SkinButton confirm = MakeSkinButton(this, QStringLiteral("IB_Confirm"), QStringLiteral("Img_Confirm"), QStringLiteral("BtnS"));
    const SkinButton clear = MakeSkinButton(this, QStringLiteral("IB_Cancel"), QStringLiteral("Img_Cancel"), QStringLiteral("BtnS"));
    const SkinButton close = MakeSkinButton(this, QStringLiteral("IB_Close"), QStringLiteral("Img_Close"), QStringLiteral("ExitS"));
    confirm.label->setText(look.confirmText);
    clear.label->setText(look.clearText);
    for (const SkinButton* button : {&confirm, &clear})
        SetTextStyle(button->label, look.fontFamily, skin.Size_L + kButtonStep, skin.Color_L);
    confirm.Place({skin.MN_Cfm.x, skin.MN_Cfm.y}, kButtonFallback);
    clear.Place({skin.MN_Clear.x, skin.MN_Clear.y}, kButtonFallback);
    close.Place({skin.MN_Close.x, skin.MN_Close.y}, kCloseFallback);
    connect(confirm.label, &ClickLabel::clicked, this, &MacroDialog::Confirm);
    connect(clear.label, &ClickLabel::clicked, this, &MacroDialog::Clear);
    connect(close.label, &ClickLabel::clicked, this, &QDialog::reject);

    // Centred over the main window.
    if (mainWindow != nullptr)
        move(mainWindow->geometry().center() - QPoint(size.width() / 2, size.height() / 2));
    input_->setFocus();
}

void MacroDialog::Confirm()
{
    const QString text = input_->text();
    Q_EMIT confirmed(text);
    accept();
}

void MacroDialog::Clear()
{
    input_->clear();
}

void MacroDialog::Correct(const QString& typed)
{
    if (correcting_ || kind_ == MacroDialogKind::Name)
        return;
    const QString corrected = QString::fromStdString(Corrected(kind_, typed.toStdString()));
    if (corrected == typed)
        return;
    correcting_ = true;
    input_->setText(corrected);
    correcting_ = false;
}

}  // namespace qeltra3k::ui
