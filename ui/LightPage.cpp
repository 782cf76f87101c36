#include "ui/LightPage.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <array>
#include <string_view>

#include "config/FormEditing.h"
#include "config/FormFields.h"
#include "ui/MainWindow.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"
#include "ui/StepSlider.h"
#include "ui/WindowTables.h"

namespace qeltra3k::ui {

namespace {

// Skin pictures of the option boxes and bar positions, and the sizes of the controls that
// carry no picture of their own (the window's design, not the layout's).
const QString kBoxSet = QStringLiteral("RdS_E");
const QString kBoxClear = QStringLiteral("RdS_D");
const QString kBarLit = QStringLiteral("Bar1_E");
const QString kBarDark = QStringLiteral("Bar1_D");
constexpr QSize kBoxFallback{18, 18};
constexpr QSize kBarFallback{20, 12};
constexpr QSize kSliderSize{225, 24};
constexpr int kNumberWidth = 20;     // one count label, centred under its bar picture
constexpr int kNumberDrop = 24;      // the count labels sit this far below the bar
constexpr int kOutOfView = 9000;     // the step pictures' left edge: the slider sets the step

// A two-sided choice of the page: its two pictures, and the caption labels that name the
// sides (those belong to the caption label families; the page only listens to them).
struct SwitchRow {
    std::string_view onPicture;
    std::string_view offPicture;
    std::string_view onLabel;
    std::string_view offLabel;
};
constexpr SwitchRow kLedOnOff{"Img_LEDOn", "Img_LEDOff", "lbl_LEDOn", "lbl_LEDOff"};
constexpr SwitchRow kMiddleKeySwitch{"Img_B4CPIOn", "Img_B4CPIOff", "lbl_B4CPIOn", "lbl_B4CPIOff"};
constexpr SwitchRow kLeftKeySwitch{"Img_LCPIOn", "Img_LCPIOff", "lbl_LCPIOn", "lbl_LCPIOff"};
constexpr SwitchRow kBrightness{"Img_SaveKeyMode", "Img_NoSaveKeyMode", "lbl_SaveKeyMode", "lbl_NoSaveKeyMode"};
// The flowing LED's own brightness: no caption on this page, its label lies on its box.
constexpr SwitchRow kFlowBrightness{"Img_MCULED3Control", "Img_MCULED6Control", "lbl_MCULED3Control",
                                    "lbl_MCULED6Control"};

// Captions that belong to the flowing or the two-colour family and go with their controls.
constexpr std::array<std::string_view, 3> kLeftKeyCaptions{"lbl_LLED_Status", "lbl_LCPIOn", "lbl_LCPIOff"};
constexpr std::array<std::string_view, 3> kSpeedCaptions{"lbl_LED_Effect_Setting", "lbl_LED_Effect_Slow",
                                                         "lbl_LED_Effect_Fast"};

QString Numbered(std::string_view prefix, int n)
{
    return CopyName(prefix, n);
}

void PlacePicture(PictureLabel* picture, text::SkinPoint at, QSize fallback)
{
    picture->setGeometry(QRect(QPoint(at.x, at.y), picture->PictureSize(fallback)));
}

int LabelHeight(const QWidget* label)
{
    return std::max(20, QFontMetrics(label->font()).height() + 4);
}

}  // namespace

int LedCountPosition(int picture, int numOrder)
{
    return numOrder == 1 ? kLedCountPictures + 1 - picture : picture;
}

bool BarLit(int position, int value, int dpiLedStatus)
{
    return dpiLedStatus != 0 ? position == value : position <= value;
}

// ---------------------------------------------------------------------------- LightPage

LightPage::LightPage(MainWindow& window, QFrame* page) : QObject(page), window_(window), page_(page)
{
    setObjectName(QStringLiteral("LightPage"));
    Build();
}

void LightPage::Build()
{
    config::FormModel& form = window_.Controller().Form();
    const auto picture = [this](const QString& name) {
        auto* created = new PictureLabel(name, page_);
        created->SetPicture(kBoxClear);
        return created;
    };
    const auto switchRow = [&](const SwitchRow& row, std::function<void()> onAction, std::function<void()> offAction) {
        OnClick(picture(QName(row.onPicture)), onAction);
        OnClick(picture(QName(row.offPicture)), offAction);
        // The flowing brightness has no caption label of its own elsewhere: it is made here.
        for (const auto& [label, action] : {std::pair{row.onLabel, onAction}, {row.offLabel, offAction}}) {
            auto* widget = page_->findChild<QLabel*>(QName(label));
            if (widget == nullptr)
                widget = new ClickLabel(QName(label), page_);
            OnClick(widget, action);
        }
    };
    switchRow(kLedOnOff, [&form] { form.rb_LED = config::OnOff::On; }, [&form] { form.rb_LED = config::OnOff::Off; });
    switchRow(kMiddleKeySwitch, [&form] { form.rb_B4CPI = config::OnOff::On; },
              [&form] { form.rb_B4CPI = config::OnOff::Off; });
    switchRow(kLeftKeySwitch, [&form] { form.rb_LCPI = config::OnOff::On; },
              [&form] { form.rb_LCPI = config::OnOff::Off; });
    switchRow(kBrightness, [&form] { config::ChooseSaveChoice(form, config::SaveChoice::Save); },
              [&form] { config::ChooseSaveChoice(form, config::SaveChoice::NoSave); });
    switchRow(kFlowBrightness, [&form] { form.rb_MCULEDControl = config::FlowBrightness::Full; },
              [&form] { form.rb_MCULEDControl = config::FlowBrightness::Half; });

    for (int n = 1; n <= kOptionLabelCount; ++n) {
        // A label picks the mode of its own family; a picture picks it for both families.
        const auto both = [&form, n] {
            form.cb_MCULEDCurrentMode = n - 1;
            form.cb_RBLEDCurrentMode = n - 1;
        };
        OnClick(picture(Numbered("Img_MCULEDMode", n)), both);
        OnClick(picture(Numbered("Img_RBLEDMode", n)), both);
        OnClick(page_->findChild<QLabel*>(Numbered("lbl_MCULEDMode", n)), [&form, n] { form.cb_MCULEDCurrentMode = n - 1; });
        OnClick(page_->findChild<QLabel*>(Numbered("lbl_RBLEDMode", n)), [&form, n] { form.cb_RBLEDCurrentMode = n - 1; });
    }

    for (int i = 1; i <= kLedCountPictures; ++i) {
        auto* bar = new PictureLabel(Numbered("Img_MCULEDNum_", i), page_);
        bar->SetPicture(kBarDark);
        // Which position the picture stands for depends on Num_Order, read at the click.
        OnClick(bar, [this, &form, i] { config::ClickLedCountBar(form, LedCountPosition(i, window_.Options().Num_Order)); });
        auto* number = new ClickLabel(Numbered("lbl_MCULEDNum_", i), page_);
        number->setText(QString::number(i + 3));
        number->setAlignment(Qt::AlignCenter);
        OnClick(number, [&form, i] { config::ClickLedCountBar(form, i); });
    }
    for (int i = 1; i <= kStepPictures; ++i) {
        auto* bar = new PictureLabel(Numbered("Img_MCULEDStep_", i), page_);
        bar->SetPicture(kBarDark);
        OnClick(bar, [&form, i] { config::ClickStepBar(form, i); });
        auto* step = new ClickLabel(Numbered("lbl_MCULEDStep_", i), page_);
        step->setText(QString::number(i - 1));
        step->setAlignment(Qt::AlignCenter);
        OnClick(step, [&form, i] { config::ClickStepBar(form, i); });
    }

    slider_ = new StepSlider(QStringLiteral("slider_Breath_Speed"), page_);
    slider_->SetMaximum(kSpeedSliderMaximum);
    connect(slider_, &StepSlider::released, this, [this, &form](int x) {
        slider_->SetValue(config::ReleaseSpeedSlider(form, x));
        Edited();
    });
}

void LightPage::OnClick(QWidget* widget, std::function<void()> action)
{
    if (widget == nullptr)
        return;
    const auto run = [this, action] {
        action();
        Edited();
    };
    if (auto* picture = qobject_cast<PictureLabel*>(widget))
        connect(picture, &PictureLabel::clicked, this, run);
    else if (auto* label = qobject_cast<ClickLabel*>(widget))
        connect(label, &ClickLabel::clicked, this, run);
    else {
        watched_[widget] = run;
        widget->installEventFilter(this);
    }
}

bool LightPage::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = watched_.find(watched);
    if (found == watched_.end())
        return QObject::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return QObject::eventFilter(watched, event);
    // The press is taken so that the release comes back here, as on a button.
    if (event->type() == QEvent::MouseButtonPress) {
        window_.CloseMenus();
        pressed_ = watched;
        return true;
    }
    const bool inside = pressed_ == watched &&
                        static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
    pressed_ = nullptr;
    if (inside)
        found->second();
    return true;
}

void LightPage::Edited()
{
    // The engineer page and the key page show the same form; FormEdited refreshes this page too.
    window_.FormEdited();
}

void LightPage::ApplySkin(const text::SkinSection& skin, const QString& fontFamily)
{
    const text::SkinLightPage& light = skin.lightPage;
    const auto place = [this](std::string_view name, text::SkinPoint at) {
        if (auto* picture = page_->findChild<PictureLabel*>(QName(name)))
            PlacePicture(picture, at, kBoxFallback);
    };
    place(kLedOnOff.onPicture, light.LEDOn);
    place(kLedOnOff.offPicture, light.LEDOff);
    place(kMiddleKeySwitch.onPicture, light.B4CPIOn);
    place(kMiddleKeySwitch.offPicture, light.B4CPIOff);
    place(kLeftKeySwitch.onPicture, light.LEDSwitchOn);
    place(kLeftKeySwitch.offPicture, light.LEDSwitchOff);
    place(kBrightness.onPicture, light.SaveKeyMode);
    place(kBrightness.offPicture, light.NoSaveKeyMode);
    place(kFlowBrightness.onPicture, light.LED3Control);
    place(kFlowBrightness.offPicture, light.LED6Control);
    for (const auto& [picture, label] : {std::pair{kFlowBrightness.onPicture, kFlowBrightness.onLabel},
                                        {kFlowBrightness.offPicture, kFlowBrightness.offLabel}})
        page_->findChild<QWidget*>(QName(label))->setGeometry(page_->findChild<QWidget*>(QName(picture))->geometry());
    for (int n = 1; n <= kOptionLabelCount; ++n) {
        const auto slot = static_cast<std::size_t>(n - 1);
        place(Numbered("Img_MCULEDMode", n).toStdString(), light.MCULEDMode[slot]);
        place(Numbered("Img_RBLEDMode", n).toStdString(), light.RBLEDMode[slot]);
    }

    // The count bar: pictures side by side, their numbers under them in Num_Order.
    const int numOrder = window_.Options().Num_Order;
    for (int i = 1; i <= kLedCountPictures; ++i) {
        auto* bar = page_->findChild<PictureLabel*>(Numbered("Img_MCULEDNum_", i));
        const QSize size = bar->PictureSize(kBarFallback);
        bar->setGeometry(light.MCULEDNum.x + (i - 1) * (size.width() + light.MCULEDNum_D), light.MCULEDNum.y,
                         size.width(), size.height());
    }
    for (int n = 1; n <= kLedCountPictures; ++n) {
        auto* number = page_->findChild<QLabel*>(Numbered("lbl_MCULEDNum_", n));
        SetTextStyle(number, fontFamily, light.Size_E, light.Color_E);
        const QRect under = page_->findChild<PictureLabel*>(Numbered("Img_MCULEDNum_", LedCountPicture(n, numOrder)))->geometry();
        number->setGeometry(under.center().x() - kNumberWidth / 2 + 1, light.MCULEDNum.y + kNumberDrop, kNumberWidth,
                            LabelHeight(number));
    }

    // The step pictures stay out of view: the slider sets the step. Their labels follow
    // their shared-option family.
    const text::SkinOptionLabels& options = skin.optionLabels;
    for (int i = 1; i <= kStepPictures; ++i) {
        auto* bar = page_->findChild<PictureLabel*>(Numbered("Img_MCULEDStep_", i));
        bar->setGeometry(QRect(QPoint(kOutOfView, light.MCULEDStep.y), bar->PictureSize(kBarFallback)));
        auto* step = page_->findChild<QLabel*>(Numbered("lbl_MCULEDStep_", i));
        SetTextStyle(step, fontFamily, options.LED_Step_Size, options.LED_Step_Colour);
        const text::SkinOptionSlot& slot = options.LED_Step[static_cast<std::size_t>(i - 1)];
        step->setGeometry(slot.position.x, slot.position.y, slot.width > 0 ? slot.width : kNumberWidth,
                          LabelHeight(step));
    }
    slider_->setGeometry(QRect(QPoint(light.MCULEDStep.x, light.MCULEDStep.y), kSliderSize));
    slider_->SetBackground(ColourOf(skin.advancedPage.Color_BG_Slider));
    Refresh();
}

void LightPage::SetShown(const QString& name, bool shown)
{
    if (auto* widget = page_->findChild<QWidget*>(name))
        widget->setVisible(shown);
}

void LightPage::ShowPair(const QString& on, const QString& off, bool onSet, bool offSet)
{
    page_->findChild<PictureLabel*>(on)->SetPicture(onSet ? kBoxSet : kBoxClear);
    page_->findChild<PictureLabel*>(off)->SetPicture(offSet ? kBoxSet : kBoxClear);
}

void LightPage::Refresh()
{
    const config::FormModel& form = window_.Controller().Form();
    const bool flowing = form.ledFamilyName == config::LedFamilyName(config::LedFamily::MCULED);
    const bool twoColour = form.ledFamilyName == config::LedFamilyName(config::LedFamily::RBLED);

    const auto pair = [this](const SwitchRow& row, bool onSet, bool offSet) {
        ShowPair(QName(row.onPicture), QName(row.offPicture), onSet, offSet);
    };
    pair(kLedOnOff, form.rb_LED == config::OnOff::On, form.rb_LED == config::OnOff::Off);
    pair(kMiddleKeySwitch, form.rb_B4CPI == config::OnOff::On, form.rb_B4CPI == config::OnOff::Off);
    pair(kLeftKeySwitch, form.rb_LCPI == config::OnOff::On, form.rb_LCPI == config::OnOff::Off);
    pair(kBrightness, form.rb_Save == config::SaveChoice::Save, form.rb_Save == config::SaveChoice::NoSave);
    pair(kFlowBrightness, form.rb_MCULEDControl == config::FlowBrightness::Full,
         form.rb_MCULEDControl == config::FlowBrightness::Half);

    // The left-key switch serves the families with modes to step through.
    for (std::string_view name : {kLeftKeySwitch.onPicture, kLeftKeySwitch.offPicture})
        SetShown(QName(name), flowing || twoColour);
    for (std::string_view name : kLeftKeyCaptions)
        SetShown(QName(name), flowing || twoColour);
    // Without mode rows the mode title would stand over an empty panel.
    SetShown(QStringLiteral("lbl_Led_Mode"), flowing || twoColour);
    for (std::string_view name : {kFlowBrightness.onPicture, kFlowBrightness.offPicture, kFlowBrightness.onLabel,
                                  kFlowBrightness.offLabel})
        SetShown(QName(name), flowing);

    for (int n = 1; n <= kOptionLabelCount; ++n) {
        const auto slot = static_cast<std::size_t>(n - 1);
        const bool mcuShown = flowing && form.cb_Mode[slot];
        SetShown(Numbered("Img_MCULEDMode", n), mcuShown);
        SetShown(Numbered("lbl_MCULEDMode", n), mcuShown);
        page_->findChild<PictureLabel*>(Numbered("Img_MCULEDMode", n))
            ->SetPicture(form.cb_MCULEDCurrentMode == n - 1 ? kBoxSet : kBoxClear);
        SetShown(Numbered("Img_RBLEDMode", n), twoColour);
        SetShown(Numbered("lbl_RBLEDMode", n), twoColour);
        page_->findChild<PictureLabel*>(Numbered("Img_RBLEDMode", n))
            ->SetPicture(form.cb_RBLEDCurrentMode == n - 1 ? kBoxSet : kBoxClear);
    }

    const int dpiLedStatus = window_.Options().DPILED_Status;
    const int numOrder = window_.Options().Num_Order;
    const int countPosition = config::LedCountValue(form.edt_MCULEDNum) - 3;
    for (int i = 1; i <= kLedCountPictures; ++i) {
        auto* bar = page_->findChild<PictureLabel*>(Numbered("Img_MCULEDNum_", i));
        bar->SetPicture(BarLit(LedCountPosition(i, numOrder), countPosition, dpiLedStatus) ? kBarLit : kBarDark);
        bar->setVisible(flowing);
        SetShown(Numbered("lbl_MCULEDNum_", i), flowing);
    }
    const int stepPosition = config::StepValue(form.edt_MCULEDCrtStep) + 1;
    for (int i = 1; i <= kStepPictures; ++i) {
        auto* bar = page_->findChild<PictureLabel*>(Numbered("Img_MCULEDStep_", i));
        bar->SetPicture(BarLit(i, stepPosition, dpiLedStatus) ? kBarLit : kBarDark);
        bar->setVisible(flowing);
        SetShown(Numbered("lbl_MCULEDStep_", i), flowing);
    }
    slider_->SetValue(config::SpeedSliderPosition(form));
    slider_->setVisible(flowing);
    for (std::string_view name : kSpeedCaptions)
        SetShown(QName(name), flowing);
}

}  // namespace qeltra3k::ui
