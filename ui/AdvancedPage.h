#pragma once
// gbPage2, the advanced page: the DPI levels (value sliders, level count, active level,
// colour swatches), the aim slider, the fire key settings, and the pointer settings of the
// user account. It shows the form model and hands every click to the editing rules; the
// pointer settings are its own, kept by the platform's store.
#include <QColor>
#include <QObject>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "config/PointerSettings.h"
#include "device/PointerSettingsStore.h"
#include "ui/text/SkinSection.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QCheckBox;

namespace qeltra3k::ui {

class MainWindow;
class PictureLabel;
class ClickLabel;
class StepSlider;

inline constexpr int kAdvancedLevels = 7;
inline constexpr int kPointerTickWidth = 16;
inline constexpr int kDpiValueLabelWidth = 60;

// The pointer slider families: slider name, tick label prefix.
struct PointerSliderInfo {
    const char* slider;
    const char* tickPrefix;
};
inline constexpr std::array<PointerSliderInfo, 3> kPointerSliders{{
    {"slider_Spd", "lbl_Spd"},
    {"slider_DbSpd", "lbl_DbSpd"},
    {"slider_SrcSpd", "lbl_ScrSpd"},
}};

class AdvancedPage : public QObject {
    Q_OBJECT
public:
    // `store`: where the pointer settings live; the platform's own in the data folder when null.
    AdvancedPage(MainWindow& window, QFrame* page, const std::filesystem::path& dataFolder,
                 std::unique_ptr<device::PointerSettingsStore> store = nullptr);

    void ApplySkin(const text::SkinSection& skin, const QString& fontFamily);
    // Texts of the language table now in use; then every control again.
    void ApplyLanguage();
    // Every control from the form model and the pointer settings.
    void Refresh();

    // The pointer settings from their store into the page, and from the page to the store.
    void ReadPointerSettings();
    void WritePointerSettings();
    // The tick boxes: enhanced precision, one screen at a time, continuous fire.
    void TogglePrecision();
    void ToggleOneScreen();
    void ToggleFireContinue();
    const config::PointerSettings& Pointer() const { return pointer_; }
    device::PointerSettingsStore& Store() { return *store_; }

    // The colour dialog; replaceable so that tests need no modal dialog.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColour;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void BuildLevels();
    void BuildFireKey();
    void BuildPointer();
    void RefreshLevels();
    void RefreshFireKey();
    void RefreshPointer();
    // The form changed here: every page shows it again.
    void Edited();
    void ChooseLevelColour(int level);
    void PointerSliderReleased(int which, int x);
    QString Text(std::string_view key) const;

    MainWindow& window_;
    QFrame* page_;
    std::unique_ptr<device::PointerSettingsStore> store_;
    config::PointerSettings pointer_;
    text::SkinSection skin_;
    QString fontFamily_;
    bool refreshing_ = false;

    struct Level {
        PictureLabel* check = nullptr;
        QRadioButton* radio = nullptr;
        StepSlider* slider = nullptr;
        QLabel* value = nullptr;
        PictureLabel* colourFrame = nullptr;
        QFrame* colourSquare = nullptr;
        ClickLabel* colourLabel = nullptr;
    };
    std::array<Level, kAdvancedLevels> levels_{};
    QComboBox* count_ = nullptr;
    QLabel* aimName_ = nullptr;
    QLabel* aimValue_ = nullptr;
    StepSlider* aimSlider_ = nullptr;
    QLineEdit* repeat_ = nullptr;
    QLineEdit* delay_ = nullptr;
    PictureLabel* fireContinue_ = nullptr;
    ClickLabel* fireContinueLabel_ = nullptr;
    std::array<StepSlider*, kPointerSliders.size()> pointerSliders_{};
    PictureLabel* precision_ = nullptr;
    ClickLabel* precisionLabel_ = nullptr;
    QCheckBox* precisionBox_ = nullptr;
    PictureLabel* oneScreen_ = nullptr;
    ClickLabel* oneScreenLabel_ = nullptr;
    QCheckBox* oneScreenBox_ = nullptr;
};

}  // namespace qeltra3k::ui
