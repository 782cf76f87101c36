#include "ui/FirePage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <tuple>

#include "config/Conversion.h"
#include "config/FormEditing.h"
#include "ui/KeyMenu.h"
#include "ui/MainWindow.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"
#include "ui/WindowTables.h"

namespace qeltra3k::ui {

namespace {

constexpr std::string_view kLeftNameKey = "Str210";
constexpr std::string_view kConfirmTextKey = "Str620";
constexpr std::string_view kExitTextKey = "Str621";
const QString kStopSet = QStringLiteral("CbS_E");
const QString kStopClear = QStringLiteral("CbS_D");
const QString kColourFrame = QStringLiteral("Col_F");
// Sizes of the controls when a picture is missing, and of the edits, which have none.
constexpr QSize kGunFallback{124, 72};
constexpr QSize kGunModeFallback{44, 26};
constexpr QSize kBoxFallback{18, 18};
constexpr QSize kColourFallback{34, 20};
constexpr QSize kButtonFallback{108, 32};
constexpr QSize kEditSize{64, 24};
// The colour shows inside the frame picture's clear middle.
constexpr int kColourInset = 3;

struct FieldInfo {
    FireField field;
    std::string_view prefix;  // Edt_FireCnt1, Edt_FireX1, Edt_FireY1, Edt_FireY1Offset, Edt_FireTime1
    std::string_view suffix;
    bool signedValue;         // the key filter lets "-" through
};
constexpr std::array<FieldInfo, kFireFieldCount> kFields{{
    {FireField::Count, "Edt_FireCnt", "", false},
    {FireField::X, "Edt_FireX", "", true},
    {FireField::Y, "Edt_FireY", "", false},
    {FireField::YOffset, "Edt_FireY", "Offset", true},
    {FireField::Time, "Edt_FireTime", "", false},
}};

std::string& FieldText(fire::FireRow& row, FireField field)
{
    switch (field) {
    case FireField::Count: return row.count;
    case FireField::X: return row.x;
    case FireField::Y: return row.y;
    case FireField::YOffset: return row.yOffset;
    case FireField::Time: break;
    }
    return row.time;
}

QString Numbered(std::string_view prefix, int n, std::string_view suffix = {})
{
    return CopyName(prefix, n) + QName(suffix);
}

QString GunPicture(int gun, bool lit)
{
    return QStringLiteral("Gun%1_%2").arg(gun).arg(lit ? QStringLiteral("02") : QStringLiteral("01"));
}

QColor ColourOfValue(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

QRect PictureRect(const PictureLabel* picture, text::SkinPoint at, QSize fallback)
{
    return QRect(QPoint(at.x, at.y), picture->PictureSize(fallback));
}

void SetTextKeepingCursor(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    const int cursor = edit->cursorPosition();
    edit->setText(text);
    edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
}

// Runs `action` on a left click (press and release inside) of a plain label.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
            return QObject::eventFilter(watched, event);
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_ = true;
            return true;
        }
        const bool inside = pressed_ && static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
        pressed_ = false;
        if (inside)
            action_();
        return true;
    }

private:
    std::function<void()> action_;
    bool pressed_ = false;
};

}  // namespace

FirePage::FirePage(MainWindow& window, QFrame* page) : QObject(page), window_(window), page_(page)
{
    setObjectName(QStringLiteral("FirePage"));
    chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, &window_);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    Build();
}

void FirePage::Build()
{
    auto* guns = new QButtonGroup(this);
    for (int gun = 1; gun <= fire::kGunCount; ++gun) {
        auto* radio = new QRadioButton(page_);
        radio->setObjectName(CopyName("rb_Fire", gun));
        radio->hide();
        guns->addButton(radio);
        auto* picture = new PictureLabel(CopyName("Img_Fire", gun), page_);
        picture->SetPicture(GunPicture(gun, false));
        gunPictures_[static_cast<std::size_t>(gun - 1)] = picture;
        auto* label = new ClickLabel(CopyName("Btn_Fire", gun), page_);
        connect(label, &ClickLabel::pressed, this, [this] { window_.CloseMenus(); });
        connect(label, &ClickLabel::clicked, this, [this, gun] { SelectGun(gun); });
        connect(label, &ClickLabel::entered, this, [this, gun] {
            hoveredGun_ = gun;
            ShowGunPictures();
        });
        connect(label, &ClickLabel::left, this, [this, gun] {
            if (hoveredGun_ == gun)
                hoveredGun_ = 0;
            ShowGunPictures();
        });
    }
    for (int mode = 1; mode <= 5; ++mode) {
        auto* picture = new PictureLabel(CopyName("Img_GunMode", mode), page_);
        picture->SetPicture(CopyName("GunMode", mode));
        picture->hide();
    }
    for (int row = 1; row <= static_cast<int>(fire::kMaxGunRows); ++row)
        BuildRow(row);

    // Row 1's caption toggles its stop box too.
    if (auto* caption = page_->findChild<QLabel*>(QStringLiteral("lbl_Fire_Marco_Stop_Release")))
        caption->installEventFilter(new ClickFilter(this, [this] { ToggleStop(1); }));

    for (const auto& [stem, action] :
         {std::pair<const char*, std::function<void()>>{"FireConfirm", [this] { Confirm(); }},
          {"FireExit", [this] { Exit(); }}}) {
        const QString name = QLatin1String(stem);
        auto* picture = new PictureLabel(QStringLiteral("Img_") + name, page_);
        picture->SetPicture(QStringLiteral("BtnS_01"));
        auto* label = new ClickLabel(QStringLiteral("Btn_") + name, page_);
        label->setAlignment(Qt::AlignCenter);
        connect(label, &ClickLabel::entered, this, [picture] { picture->SetPicture(QStringLiteral("BtnS_02")); });
        connect(label, &ClickLabel::left, this, [picture] { picture->SetPicture(QStringLiteral("BtnS_01")); });
        connect(label, &ClickLabel::pressed, this, [picture] { picture->SetPicture(QStringLiteral("BtnS_03")); });
        connect(label, &ClickLabel::clicked, this, action);
    }
}

void FirePage::BuildRow(int row)
{
    Row& controls = rows_[static_cast<std::size_t>(row - 1)];
    controls.check = new QCheckBox(page_);
    controls.check->setObjectName(CopyName("cb_FireRKFS", row));
    controls.check->hide();
    controls.box = new PictureLabel(CopyName("Img_FireRKFS", row), page_);
    controls.box->SetPicture(kStopClear);
    controls.boxLabel = new ClickLabel(CopyName("lbl_FireRKFS", row), page_);
    connect(controls.boxLabel, &ClickLabel::clicked, this, [this, row] { ToggleStop(row); });
    connect(controls.box, &PictureLabel::clicked, this, [this, row] { ToggleStop(row); });

    const auto digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), this);
    const auto signedDigits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,5}")), this);
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const FieldInfo& info = kFields[i];
        auto* edit = new QLineEdit(page_);
        edit->setObjectName(Numbered(info.prefix, row, info.suffix));
        edit->resize(kEditSize);
        edit->setValidator(info.signedValue ? signedDigits : digits);
        edit->setText(QStringLiteral("0"));
        const FireField field = info.field;
        connect(edit, &QLineEdit::textEdited, this, [this, row, field] { FieldEdited(row, field); });
        controls.edits[i] = edit;
    }

    controls.square = new QLabel(page_);
    controls.square->setObjectName(CopyName("cs_FireColor", row));
    controls.square->setAutoFillBackground(true);
    controls.frame = new PictureLabel(CopyName("Img_FireColor", row), page_);
    controls.frame->SetPicture(kColourFrame);
    controls.colourLabel = new ClickLabel(CopyName("IB_FireColor", row), page_);
    connect(controls.colourLabel, &ClickLabel::clicked, this, [this, row] { ChooseColour(row); });
}

void FirePage::ConnectKeyMenu()
{
    if (menuConnected_)
        return;
    menuConnected_ = true;
    KeyMenu& menu = window_.Menu();
    menu.SetFireMacroRule([this] { return window_.State() == PageState::Game && window_.Options().GD_Enable == 1; });
    connect(&menu, &KeyMenu::fireMacroPicked, this, [this] { Open(keyNumber_); });
    // The entry opens the page for the key label whose menu is open.
    for (int key = 1; key <= static_cast<int>(config::kKeysPerProfile); ++key) {
        if (auto* label = window_.findChild<ClickLabel*>(CopyName("Key", key)))
            connect(label, &ClickLabel::clicked, this, [this, key] { keyNumber_ = key; });
    }
}

void FirePage::ApplySkin(const text::SkinSection& skin, const QString& fontFamily)
{
    ConnectKeyMenu();
    const text::SkinFirePage& fire = skin.firePage;
    for (int gun = 1; gun <= fire::kGunCount; ++gun) {
        PictureLabel* picture = gunPictures_[static_cast<std::size_t>(gun - 1)];
        const QRect at = PictureRect(picture, fire.Fire[static_cast<std::size_t>(gun - 1)], kGunFallback);
        picture->setGeometry(at);
        page_->findChild<QWidget*>(CopyName("Btn_Fire", gun))->setGeometry(at);
    }
    for (int mode = 1; mode <= static_cast<int>(fire.GunMode.size()); ++mode) {
        auto* picture = page_->findChild<PictureLabel*>(CopyName("Img_GunMode", mode));
        picture->setGeometry(PictureRect(picture, fire.GunMode[static_cast<std::size_t>(mode - 1)], kGunModeFallback));
    }

    const QString editStyle = QStringLiteral("QLineEdit { color: %1; background-color: %2; border: 1px solid %3; }")
                                  .arg(ColourOf(fire.Color_J_Font).name(), ColourOf(fire.Color_J_Back).name(),
                                       ColourOf(fire.Color_J_Border).name());
    const QFont editFont = SkinFont(fontFamily, fire.Size_J);
    for (int row = 1; row <= static_cast<int>(fire::kMaxGunRows); ++row) {
        const text::SkinFireRow& at = fire.Row[static_cast<std::size_t>(row - 1)];
        Row& controls = rows_[static_cast<std::size_t>(row - 1)];
        const QRect box = PictureRect(controls.box, at.RKFS, kBoxFallback);
        controls.box->setGeometry(box);
        controls.boxLabel->setGeometry(box);
        const std::array<text::SkinPoint, kFireFieldCount> points{at.FireCnt, at.FireX, at.FireY, at.FireY_Offset,
                                                                  at.FireTime};
        for (std::size_t i = 0; i < points.size(); ++i) {
            QLineEdit* edit = controls.edits[i];
            edit->setGeometry(QRect(QPoint(points[i].x, points[i].y), kEditSize));
            edit->setFont(editFont);
            edit->setStyleSheet(editStyle);
        }
        const QRect colour = PictureRect(controls.frame, at.FireColor, kColourFallback);
        controls.frame->setGeometry(colour);
        controls.square->setGeometry(colour.adjusted(kColourInset, kColourInset, -kColourInset, -kColourInset));
        controls.colourLabel->setGeometry(colour);
    }

    for (const auto& [stem, point, key] : {std::tuple{"FireConfirm", fire.FireConfirm, kConfirmTextKey},
                                           std::tuple{"FireExit", fire.FireCancel, kExitTextKey}}) {
        auto* picture = page_->findChild<PictureLabel*>(QStringLiteral("Img_") + QLatin1String(stem));
        auto* label = page_->findChild<ClickLabel*>(QStringLiteral("Btn_") + QLatin1String(stem));
        const QRect at = PictureRect(picture, point, kButtonFallback);
        picture->setGeometry(at);
        label->setGeometry(at);
        SetTextStyle(label, fontFamily, fire.Size_J, fire.Color_J);
        label->setText(QString::fromStdString(window_.Controller().Text(key)));
    }
    ShowModel();
}

void FirePage::Open(int keyNumber)
{
    window_.CloseMenus();
    keyNumber_ = keyNumber;
    app::Controller& controller = window_.Controller();
    if (!controller.FireMacroBlockLoaded())
        controller.ReadFireMacroBlock();
    window_.ShowOnlyPanel(5);
    SelectGun(1);
}

void FirePage::SelectGun(int gun)
{
    app::Controller& controller = window_.Controller();
    loading_ = true;
    if (fire::SelectGun(model_, gun, controller.FireMacros(), controller.DataBuf(), controller.Form())) {
        if (auto* radio = page_->findChild<QRadioButton*>(CopyName("rb_Fire", gun)))
            radio->setChecked(true);
    }
    ShowModel();
    loading_ = false;
}

void FirePage::Refresh()
{
    if (page_->isVisible())
        SelectGun(model_.gun);
}

void FirePage::ShowModel()
{
    const bool wasLoading = loading_;
    loading_ = true;
    const std::size_t shownRows = std::max<std::size_t>(1, fire::GunFireMacros(model_.gun).size());
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        Row& controls = rows_[r];
        fire::FireRow& row = model_.rows[r];
        const bool shown = r < shownRows;
        controls.check->setChecked(row.stopOnRelease);
        controls.box->SetPicture(row.stopOnRelease ? kStopSet : kStopClear);
        for (std::size_t i = 0; i < kFields.size(); ++i) {
            SetTextKeepingCursor(controls.edits[i], QString::fromStdString(FieldText(row, kFields[i].field)));
            controls.edits[i]->setVisible(shown);
        }
        QPalette palette = controls.square->palette();
        palette.setColor(QPalette::Window, ColourOfValue(row.colour));
        controls.square->setPalette(palette);
        for (QWidget* widget : std::initializer_list<QWidget*>{controls.box, controls.boxLabel, controls.square,
                                                               controls.frame, controls.colourLabel})
            widget->setVisible(shown);
    }
    const auto modes = fire::GunModeImages(model_.gun);
    for (int mode = 1; mode <= 5; ++mode) {
        const bool shown = std::find(modes.begin(), modes.end(), mode) != modes.end();
        page_->findChild<QWidget*>(CopyName("Img_GunMode", mode))->setVisible(shown);
    }
    ShowGunPictures();
    loading_ = wasLoading;
}

void FirePage::ShowGunPictures()
{
    for (int gun = 1; gun <= fire::kGunCount; ++gun)
        gunPictures_[static_cast<std::size_t>(gun - 1)]->SetPicture(
            GunPicture(gun, gun == model_.gun || gun == hoveredGun_));
}

QLineEdit* FirePage::Edit(int row, FireField field) const
{
    return rows_[static_cast<std::size_t>(row - 1)].edits[static_cast<std::size_t>(field)];
}

void FirePage::FieldEdited(int row, FireField field)
{
    if (loading_)
        return;
    app::Controller& controller = window_.Controller();
    fire::FireMacros& macros = controller.FireMacros();
    const std::string text = Edit(row, field)->text().toStdString();
    switch (field) {
    case FireField::Count: fire::EditFireCount(model_, row, text, macros); break;
    case FireField::X: fire::EditFireX(model_, row, text, macros); break;
    case FireField::Y: fire::EditFireY(model_, row, text, macros, controller.DataBuf(), controller.Form()); break;
    case FireField::YOffset: fire::EditFireYOffset(model_, row, text, controller.DataBuf(), controller.Form()); break;
    case FireField::Time: fire::EditFireTime(model_, row, text, macros); break;
    }
    ShowModel();
}

void FirePage::ToggleStop(int row)
{
    window_.CloseMenus();
    if (loading_)
        return;
    app::Controller& controller = window_.Controller();
    if (fire::ToggleFireStop(model_, row, controller.FireMacros(), controller.DataBuf()))
        ShowModel();
}

void FirePage::ChooseColour(int row)
{
    window_.CloseMenus();
    if (!fire::RowFireMacro(model_.gun, row))
        return;
    const QColor initial = ColourOfValue(model_.rows[static_cast<std::size_t>(row - 1)].colour);
    const std::optional<QColor> chosen = chooseColour ? chooseColour(initial) : std::nullopt;
    if (!chosen)
        return;
    app::Controller& controller = window_.Controller();
    fire::SetFireColour(model_, row, static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
                        static_cast<std::uint8_t>(chosen->blue()), controller.DataBuf(), controller.Form());
    ShowModel();
}

void FirePage::Confirm()
{
    window_.CloseMenus();
    window_.Refresh(app::RefreshRequest::MacroEditorCleared);
    window_.ShowOnlyPanel(1);
    if (keyNumber_ < 1 || keyNumber_ > static_cast<int>(config::kKeysPerProfile))
        return;
    app::Controller& controller = window_.Controller();
    config::FormModel& form = controller.Form();
    const bool game = window_.State() == PageState::Game;
    const config::Profile profile = game ? config::Profile::Two : config::Profile::One;
    auto& captions = form.keyCaptions[static_cast<std::size_t>(profile)];
    const auto key = static_cast<std::size_t>(keyNumber_);
    const std::string leftName = controller.Text(kLeftNameKey);
    // The last Left Click stays: nothing is assigned and nothing is written.
    if (captions[key - 1] == leftName &&
        std::count(captions.begin(), captions.end(), leftName) == 1) {
        window_.ShowFormMessage(config::FormMessage::KeepLeftKey);
        return;
    }
    const std::string gunName = controller.Text(fire::GunTextKey(model_.gun));
    const auto code = fire::GunKeyCode(model_.gun, window_.Options().Gun6_Num, window_.Options().Gun7_Num);
    if (game && code) {
        config::AssignKeyFunction(form, controller.DataBuf(), profile, key, config::KeyCodeText(*code), gunName,
                                  leftName, config::LeftKeyCheck::Skip);
    } else {
        // Away from the game-mode page no code is stored; only the caption follows.
        captions[key - 1] = gunName;
    }
    window_.FormEdited();
    controller.ConfirmFireMacros();
}

void FirePage::Exit()
{
    window_.CloseMenus();
    window_.Refresh(app::RefreshRequest::MacroEditorCleared);
    window_.ShowOnlyPanel(1);
}

}  // namespace qeltra3k::ui
