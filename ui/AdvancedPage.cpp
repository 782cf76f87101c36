#include "ui/AdvancedPage.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "config/DpiTable.h"
#include "config/FormEditing.h"
#include "config/FormFields.h"
#include "ui/MainWindow.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"
#include "ui/StepSlider.h"

namespace qeltra3k::ui {

namespace {

constexpr QSize kEditSize{64, 24};
constexpr QSize kSliderSize{225, 24};
constexpr QSize kBoxFallback{18, 18};
constexpr QSize kColourFrameFallback{34, 20};
constexpr int kColourInset = 3;
constexpr int kLineHeight = 20;
// Tick label i sits at (X + (i - 1) Spd_D + 4, Y + 26); its centre is where step i lies.
constexpr int kTickInset = 4;
constexpr int kTickDrop = 26;
constexpr int kPrecisionLabelLead = 8;
constexpr int kOneScreenLabelLead = 2;
constexpr std::string_view kAimTextKey = "Str222";
constexpr std::string_view kMcuFamilyName = "MCULED";

QString Css(const text::SkinColour& colour)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(colour.r).arg(colour.g).arg(colour.b);
}

QString Name(const char* prefix, int n, const char* suffix = "")
{
    return QString::fromLatin1(prefix) + QString::number(n) + QString::fromLatin1(suffix);
}

QLabel* NewLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

PictureLabel* NewBox(const QString& name, QWidget* parent)
{
    auto* picture = new PictureLabel(name, parent);
    picture->SetPicture(QStringLiteral("CbS_D"), true);
    return picture;
}

QString BoxPicture(bool on)
{
    return on ? QStringLiteral("CbS_E") : QStringLiteral("CbS_D");
}

void Select(QComboBox* box, int index)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void SetTextKeepingCursor(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    const int cursor = edit->cursorPosition();
    edit->setText(text);
    edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
}

}  // namespace

AdvancedPage::AdvancedPage(MainWindow& window, QFrame* page, const std::filesystem::path& dataFolder,
                           std::unique_ptr<device::PointerSettingsStore> store)
    : QObject(&window), window_(window), page_(page), store_(std::move(store))
{
    setObjectName(QStringLiteral("AdvancedPage"));
    if (!store_)
        store_ = device::MakeSystemPointerSettingsStore(dataFolder);
    chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, &window_);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    Build();
    page_->installEventFilter(this);
    ReadPointerSettings();
}

QString AdvancedPage::Text(std::string_view key) const
{
    return QString::fromStdString(window_.Controller().Text(key));
}

void AdvancedPage::Build()
{
    BuildLevels();
    BuildFireKey();
    BuildPointer();
}

void AdvancedPage::BuildLevels()
{
    const auto form = [this]() -> config::FormModel& { return window_.Controller().Form(); };
    const int dpiCount = window_.Options().DPI_Count;
    for (int n = 1; n <= kAdvancedLevels; ++n) {
        Level& level = levels_[static_cast<std::size_t>(n - 1)];
        level.check = new PictureLabel(Name("Img_DPI", n), page_);
        level.check->SetPicture(QStringLiteral("RdS_D"), true);
        level.radio = new QRadioButton(page_);
        level.radio->setObjectName(Name("rb_DPI", n));
        level.radio->hide();
        level.slider = new StepSlider(Name("slider_DPI", n), page_);
        level.slider->resize(kSliderSize);
        level.slider->SetMaximum(config::DpiSliderMaximum(dpiCount));
        level.value = NewLabel(Name("lbl_DPI", n, "Value"), page_);
        level.colourFrame = new PictureLabel(Name("Img_DPI", n, "Col"), page_);
        level.colourFrame->SetPicture(QStringLiteral("Col_F"), true);
        level.colourSquare = new QFrame(page_);
        level.colourSquare->setObjectName(Name("cs_DPI", n, "Col"));
        level.colourSquare->setAutoFillBackground(true);
        level.colourLabel = new ClickLabel(Name("lbl_DPI", n, "Col"), page_);
        level.colourLabel->setCursor(Qt::PointingHandCursor);

        const auto number = static_cast<std::size_t>(n);
        connect(level.check, &PictureLabel::clicked, this, [this, form, number] {
            if (config::ChooseCurrentLevel(form(), number))
                Edited();
        });
        connect(level.slider, &StepSlider::dragged, this, [this, n](int value) {
            levels_[static_cast<std::size_t>(n - 1)].value->setText(
                Text(config::LevelValueTextKey(static_cast<std::uint8_t>(value / 100))));
        });
        connect(level.slider, &StepSlider::released, this, [this, form, n, dpiCount](int x) {
            form().cb_CPI[static_cast<std::size_t>(n - 1)] = config::DpiSliderIndex(x, dpiCount);
            Edited();
        });
        connect(level.colourLabel, &ClickLabel::clicked, this, [this, n] { ChooseLevelColour(n); });
    }

    count_ = new QComboBox(page_);
    count_->setObjectName(QStringLiteral("cbb_DPICount"));
    for (int count = 2; count <= kAdvancedLevels; ++count)
        count_->addItem(QString::number(count));
    count_->resize(kEditSize);
    connect(count_, &QComboBox::activated, this, [this, form](int index) {
        if (config::ChooseLevelCount(form(), index))
            Edited();
    });

    aimName_ = NewLabel(QStringLiteral("lbl_AIMKey"), page_);
    aimValue_ = NewLabel(QStringLiteral("lbl_AIMKeyValue"), page_);
    aimSlider_ = new StepSlider(QStringLiteral("slider_DPI8"), page_);
    aimSlider_->resize(kSliderSize);
    aimSlider_->SetMaximum(config::DpiSliderMaximum(dpiCount));
    connect(aimSlider_, &StepSlider::dragged, this, [this](int value) {
        aimValue_->setText(Text(config::LevelValueTextKey(static_cast<std::uint8_t>(value / 100))));
    });
    connect(aimSlider_, &StepSlider::released, this, [this, form, dpiCount](int x) {
        app::Controller& controller = window_.Controller();
        const config::EditResult result =
            config::ReleaseAimSlider(form(), x, dpiCount, controller.NameOf(), controller.Text(kAimTextKey));
        Edited();
        window_.ShowFormMessage(result.message);
    });
}

void AdvancedPage::BuildFireKey()
{
    const auto form = [this]() -> config::FormModel& { return window_.Controller().Form(); };
    const auto digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), this);
    repeat_ = new QLineEdit(page_);
    repeat_->setObjectName(QStringLiteral("Edt_Repeat1"));
    delay_ = new QLineEdit(page_);
    delay_->setObjectName(QStringLiteral("Edt_DelayTime1"));
    for (QLineEdit* edit : {repeat_, delay_}) {
        edit->resize(kEditSize);
        edit->setValidator(digits);
    }
    // The repeat count is corrected while typing and again when the field is left, so a
    // "0" typed and left alone becomes "1".
    const auto repeatChanged = [this, form] {
        SetTextKeepingCursor(repeat_, QString::fromStdString(config::EditRepeat1(form(), repeat_->text().toStdString())));
        Edited();
    };
    connect(repeat_, &QLineEdit::textEdited, this, repeatChanged);
    connect(repeat_, &QLineEdit::editingFinished, this, repeatChanged);
    connect(delay_, &QLineEdit::textEdited, this, [this, form] {
        SetTextKeepingCursor(delay_, QString::fromStdString(config::EditDelayTime1(form(), delay_->text().toStdString())));
        Edited();
    });

    fireContinue_ = NewBox(QStringLiteral("Img_FireContinue"), page_);
    fireContinueLabel_ = new ClickLabel(QStringLiteral("lbl_FireContinue"), page_);
    connect(fireContinue_, &PictureLabel::clicked, this, &AdvancedPage::ToggleFireContinue);
    connect(fireContinueLabel_, &ClickLabel::clicked, this, &AdvancedPage::ToggleFireContinue);
}

void AdvancedPage::BuildPointer()
{
    for (std::size_t which = 0; which < kPointerSliders.size(); ++which) {
        auto* slider = new StepSlider(QString::fromLatin1(kPointerSliders[which].slider), page_);
        slider->resize(kSliderSize);
        slider->SetMaximum(config::PointerSliderValue(config::kPointerStepCount));
        connect(slider, &StepSlider::released, this, [this, which](int x) { PointerSliderReleased(static_cast<int>(which), x); });
        pointerSliders_[which] = slider;
        for (int tick = 1; tick <= config::kPointerStepCount; ++tick) {
            QLabel* label = NewLabel(Name(kPointerSliders[which].tickPrefix, tick), page_);
            label->setText(QString::number(tick));
            label->setAlignment(Qt::AlignCenter);
        }
    }
    precision_ = NewBox(QStringLiteral("Img_IsControl"), page_);
    precisionLabel_ = new ClickLabel(QStringLiteral("lbl_IsControl"), page_);
    precisionBox_ = new QCheckBox(page_);
    precisionBox_->setObjectName(QStringLiteral("cb_IsControl"));
    precisionBox_->hide();
    oneScreen_ = NewBox(QStringLiteral("Img_IsScreen"), page_);
    oneScreenLabel_ = new ClickLabel(QStringLiteral("lbl_IsScreen"), page_);
    oneScreenBox_ = new QCheckBox(page_);
    oneScreenBox_->setObjectName(QStringLiteral("cb_IsScreen"));
    oneScreenBox_->hide();

    connect(precision_, &PictureLabel::clicked, this, &AdvancedPage::TogglePrecision);
    connect(precisionLabel_, &ClickLabel::clicked, this, &AdvancedPage::TogglePrecision);
    connect(oneScreen_, &PictureLabel::clicked, this, &AdvancedPage::ToggleOneScreen);
    connect(oneScreenLabel_, &ClickLabel::clicked, this, &AdvancedPage::ToggleOneScreen);

    // Without an account-wide setting to change, the values are the editor's own; say so
    // rather than let the page suggest that the desktop follows them.
    if (!store_->AppliesToSystem()) {
        const QString note = QStringLiteral("Kept by this editor: this desktop has no account-wide pointer setting "
                                            "that it could change.");
        for (QWidget* widget : std::initializer_list<QWidget*>{pointerSliders_[0], pointerSliders_[1], pointerSliders_[2],
                                                               precision_, precisionLabel_, oneScreen_, oneScreenLabel_})
            widget->setToolTip(note);
    }
}

void AdvancedPage::TogglePrecision()
{
    pointer_.precision = !pointer_.precision;
    WritePointerSettings();
    RefreshPointer();
}

void AdvancedPage::ToggleOneScreen()
{
    config::SetOneScreen(pointer_, !pointer_.oneScreen);
    WritePointerSettings();
    RefreshPointer();
}

void AdvancedPage::ToggleFireContinue()
{
    config::FormModel& form = window_.Controller().Form();
    config::SetFireContinue(form, !form.cb_IsFireContinue);
    Edited();
}

void AdvancedPage::PointerSliderReleased(int which, int x)
{
    const int tickSpacing = skin_.advancedPage.Spd_D;
    const int step = config::PointerStepForRelease(config::PointerRulerPosition(x, tickSpacing, kTickInset + kPointerTickWidth / 2));
    switch (which) {
    case 0: pointer_.speedStep = step; break;
    case 1: pointer_.doubleClickStep = step; break;
    default: config::SetWheelStep(pointer_, step); break;
    }
    WritePointerSettings();
    RefreshPointer();
}

void AdvancedPage::ReadPointerSettings()
{
    config::ReadPointerValues(pointer_, store_->Read());
    RefreshPointer();
}

void AdvancedPage::WritePointerSettings()
{
    store_->Write(config::PointerValuesToWrite(pointer_));
}

void AdvancedPage::ChooseLevelColour(int level)
{
    config::FormModel& form = window_.Controller().Form();
    // The colours belong to the flowing LED; other families have no level colours.
    if (form.ledFamilyName != kMcuFamilyName || !chooseColour)
        return;
    config::RgbEdits& edits = form.edt_CPI[static_cast<std::size_t>(level - 1)];
    const QColor initial(config::ColourValue(edits.R), config::ColourValue(edits.G), config::ColourValue(edits.B));
    const std::optional<QColor> chosen = chooseColour(initial);
    if (!chosen)
        return;
    edits.R = std::to_string(chosen->red());
    edits.G = std::to_string(chosen->green());
    edits.B = std::to_string(chosen->blue());
    Edited();
}

void AdvancedPage::Edited()
{
    if (refreshing_)
        return;
    window_.FormEdited();
    Refresh();
}

namespace {

using Toggle = void (AdvancedPage::*)();
// The caption labels that name a tick box of this page.
struct BoxCaption {
    const char* caption;
    Toggle toggle;
};
constexpr std::array<BoxCaption, 3> kBoxCaptions{{
    {"lbl_Fire_Continue", &AdvancedPage::ToggleFireContinue},
    {"lbl_Is_Control", &AdvancedPage::TogglePrecision},
    {"lbl_Roll_All_Screen", &AdvancedPage::ToggleOneScreen},
}};

}  // namespace

bool AdvancedPage::eventFilter(QObject* watched, QEvent* event)
{
    // The engineer page edits the same form: show it again whenever the page appears.
    if (watched == page_ && event->type() == QEvent::Show)
        Refresh();
    // The texts beside the tick boxes are the window's caption labels; a click on one works
    // like a click on its box.
    if (event->type() == QEvent::MouseButtonRelease) {
        for (const auto& [caption, toggle] : kBoxCaptions) {
            if (watched->objectName() == QLatin1String(caption)) {
                (this->*toggle)();
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && !skin_.advancedPage.DPI_Count_Visible) {
        for (int n = 1; n <= kAdvancedLevels; ++n) {
            if (watched->objectName() == Name("lbl_DPI", n) &&
                config::ToggleLevel(window_.Controller().Form(), static_cast<std::size_t>(n))) {
                Edited();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void AdvancedPage::ApplySkin(const text::SkinSection& skin, const QString& fontFamily)
{
    skin_ = skin;
    fontFamily_ = fontFamily;
    const text::SkinAdvancedPage& a = skin.advancedPage;
    const QColor sliderBack = ColourOf(a.Color_BG_Slider);
    const auto place = [](QWidget* widget, text::SkinPoint at) { widget->move(at.x, at.y); };

    for (int n = 1; n <= kAdvancedLevels; ++n) {
        const text::SkinDpiLevel& spot = a.DPI[static_cast<std::size_t>(n - 1)];
        Level& level = levels_[static_cast<std::size_t>(n - 1)];
        level.check->setGeometry(QRect(QPoint(spot.Check.x, spot.Check.y), level.check->PictureSize(kBoxFallback)));
        level.slider->setGeometry(QRect(QPoint(spot.Steps.x, spot.Steps.y), kSliderSize));
        level.slider->SetBackground(sliderBack);
        SetTextStyle(level.value, fontFamily, a.Size_D, a.Color_D_notSelected);
        level.value->setGeometry(spot.Value.x, spot.Value.y, kDpiValueLabelWidth, kLineHeight);
        const QRect swatch(QPoint(spot.Color.x, spot.Color.y), level.colourFrame->PictureSize(kColourFrameFallback));
        level.colourSquare->setGeometry(swatch.adjusted(kColourInset, kColourInset, -kColourInset, -kColourInset));
        level.colourFrame->setGeometry(swatch);
        level.colourLabel->setGeometry(swatch);
        level.colourFrame->raise();
        level.colourLabel->raise();
        if (QLabel* name = page_->findChild<QLabel*>(Name("lbl_DPI", n)))
            name->installEventFilter(this);
    }
    for (const auto& [caption, toggle] : kBoxCaptions) {
        if (QLabel* label = page_->findChild<QLabel*>(QLatin1String(caption))) {
            label->installEventFilter(this);
            label->setCursor(Qt::PointingHandCursor);
        }
    }
    place(count_, a.DPI_Count);
    count_->setVisible(a.DPI_Count_Visible);
    count_->setFont(SkinFont(fontFamily, a.Size_D));
    const QString editStyle = QStringLiteral("color: %1; background: %2; border: 1px solid %3;")
                                  .arg(Css(a.Color_D_notSelected), Css(a.Color_D_Back), Css(a.Color_D_Border));
    count_->setStyleSheet(QStringLiteral("QComboBox { %1 padding-left: 6px; } QComboBox QAbstractItemView { %1 }").arg(editStyle));

    SetTextStyle(aimName_, fontFamily, a.Size_D, a.Color_D_Selected);
    aimName_->setGeometry(a.AIMKey.x, a.AIMKey.y, kDpiValueLabelWidth + 20, kLineHeight);
    SetTextStyle(aimValue_, fontFamily, a.Size_D, a.Color_D_notSelected);
    aimValue_->setGeometry(a.AIMKey_Value.x, a.AIMKey_Value.y, kDpiValueLabelWidth, kLineHeight);
    aimSlider_->setGeometry(QRect(QPoint(a.AIMKey_Steps.x, a.AIMKey_Steps.y), kSliderSize));
    aimSlider_->SetBackground(sliderBack);

    for (QLineEdit* edit : {repeat_, delay_}) {
        edit->setFont(SkinFont(fontFamily, a.Size_D));
        edit->setStyleSheet(QStringLiteral("QLineEdit { %1 padding-left: 4px; } QLineEdit:disabled { color: %2; }")
                                .arg(editStyle, Css(a.Color_D_Border)));
    }
    place(repeat_, a.FKCnt);
    place(delay_, a.FKDelay);
    fireContinue_->move(a.IsFireContinue.x, a.IsFireContinue.y);
    fireContinueLabel_->setGeometry(fireContinue_->geometry());
    fireContinueLabel_->raise();

    const std::array<text::SkinPoint, 3> sliderSpots{a.Spd, a.DbSpd, a.ScrSpd};
    for (std::size_t which = 0; which < kPointerSliders.size(); ++which) {
        const text::SkinPoint at = sliderSpots[which];
        pointerSliders_[which]->setGeometry(QRect(QPoint(at.x, at.y), kSliderSize));
        pointerSliders_[which]->SetBackground(sliderBack);
        for (int tick = 1; tick <= config::kPointerStepCount; ++tick) {
            auto* label = page_->findChild<QLabel*>(Name(kPointerSliders[which].tickPrefix, tick));
            SetTextStyle(label, fontFamily, a.Size_D, a.Color_D_notSelected);
            label->setGeometry(at.x + (tick - 1) * a.Spd_D + kTickInset, at.y + kTickDrop, kPointerTickWidth, kLineHeight);
        }
    }
    precision_->move(a.IsControl.x, a.IsControl.y);
    precisionLabel_->setGeometry(precision_->geometry().adjusted(-kPrecisionLabelLead, 0, 0, 0));
    oneScreen_->move(a.IsScreen.x, a.IsScreen.y);
    oneScreenLabel_->setGeometry(oneScreen_->geometry().adjusted(-kOneScreenLabelLead, 0, 0, 0));
    for (QWidget* label : std::initializer_list<QWidget*>{precisionLabel_, oneScreenLabel_})
        label->raise();
    Refresh();
}

void AdvancedPage::ApplyLanguage()
{
    aimName_->setText(Text(kAimTextKey));
    for (QWidget* widget : std::initializer_list<QWidget*>{count_, repeat_, delay_})
        SetFontFamily(widget, fontFamily_);
    Refresh();
}

void AdvancedPage::Refresh()
{
    refreshing_ = true;
    RefreshLevels();
    RefreshFireKey();
    RefreshPointer();
    refreshing_ = false;
}

void AdvancedPage::RefreshLevels()
{
    const config::FormModel& form = window_.Controller().Form();
    const int count = config::LevelCount(form).value_or(kAdvancedLevels);
    const bool colours = form.ledFamilyName == kMcuFamilyName;
    const text::SkinAdvancedPage& a = skin_.advancedPage;
    Select(count_, form.cb_CPIStep);
    for (int n = 1; n <= kAdvancedLevels; ++n) {
        const auto index = static_cast<std::size_t>(n - 1);
        Level& level = levels_[index];
        const bool enabled = config::LevelEnabled(form, static_cast<std::size_t>(n));
        const bool active = form.cb_CurrentCPI == n - 1;
        level.check->SetPicture(active ? QStringLiteral("RdS_E") : QStringLiteral("RdS_D"));
        level.check->setEnabled(enabled);
        level.radio->setChecked(active);
        level.slider->setEnabled(enabled);
        // No value chosen: the slider stays where it was and the first value's text shows.
        const int value = form.cb_CPI[index];
        if (value >= 0 && value < static_cast<int>(config::kDpiValueCount))
            level.slider->SetValue(value * 100);
        const std::uint8_t stored = value >= 0 ? static_cast<std::uint8_t>(value) : config::kNoLevelValue;
        level.value->setText(Text(config::LevelValueTextKey(stored)));
        level.value->setVisible(enabled);
        const config::RgbEdits& rgb = form.edt_CPI[index];
        QPalette palette = level.colourSquare->palette();
        palette.setColor(QPalette::Window,
                         QColor(config::ColourValue(rgb.R), config::ColourValue(rgb.G), config::ColourValue(rgb.B)));
        level.colourSquare->setPalette(palette);
        for (QWidget* part : std::initializer_list<QWidget*>{level.colourFrame, level.colourSquare, level.colourLabel})
            part->setVisible(colours && enabled);
        // With the count list hidden the level names are the toggles and show which exist.
        if (!a.DPI_Count_Visible) {
            if (QLabel* name = page_->findChild<QLabel*>(Name("lbl_DPI", n))) {
                SetTextStyle(name, fontFamily_, skin_.optionLabels.DPI_Size,
                             n <= count ? a.Color_D_Selected : a.Color_D_notSelected);
                name->setCursor(Qt::PointingHandCursor);
            }
        }
    }
    aimSlider_->SetValue(form.cb_AIMKeyValue * 100);
    aimValue_->setText(Text(config::LevelValueTextKey(static_cast<std::uint8_t>(std::max(0, form.cb_AIMKeyValue)))));
}

void AdvancedPage::RefreshFireKey()
{
    const config::FormModel& form = window_.Controller().Form();
    if (!repeat_->hasFocus())
        repeat_->setText(QString::fromStdString(form.Edt_Repeat1));
    if (!delay_->hasFocus())
        delay_->setText(QString::fromStdString(form.Edt_DelayTime1));
    repeat_->setEnabled(form.Edt_Repeat1Enabled);
    fireContinue_->SetPicture(BoxPicture(form.cb_IsFireContinue));
}

void AdvancedPage::RefreshPointer()
{
    pointerSliders_[0]->SetValue(config::PointerSliderValue(pointer_.speedStep));
    pointerSliders_[1]->SetValue(config::PointerSliderValue(pointer_.doubleClickStep));
    pointerSliders_[2]->SetValue(config::PointerSliderValue(pointer_.wheelStep));
    pointerSliders_[2]->setEnabled(!pointer_.oneScreen);
    precision_->SetPicture(BoxPicture(pointer_.precision));
    precisionBox_->setChecked(pointer_.precision);
    oneScreen_->SetPicture(BoxPicture(pointer_.oneScreen));
    oneScreenBox_->setChecked(pointer_.oneScreen);
}

}  // namespace qeltra3k::ui
