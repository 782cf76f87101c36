#pragma once
// gbPage3, the light page: the lighting switches, the mode rows of the current LED family,
// the LED count bar and the speed slider. It shows the form model and hands every click to
// the editing rules; which family's controls appear follows the family name the main window
// keeps from the last refresh, not the engineer page's family radio buttons.
#include <QObject>
#include <functional>
#include <map>

#include "ui/text/SkinSection.h"

class QFrame;
class QLabel;

namespace qeltra3k::ui {

class MainWindow;
class PictureLabel;
class StepSlider;

inline constexpr int kLedCountPictures = 10;  // Img_MCULEDNum_1 .. _10, count 4 .. 13
inline constexpr int kStepPictures = 8;       // Img_MCULEDStep_1 .. _8, step 0 .. 7
inline constexpr int kSpeedSliderMaximum = 700;

// The bar position (1 .. 10) that count picture `picture` (1 .. 10, from the left) stands
// for. Num_Order 1 numbers the bar from the right, and a click must set the number written
// under the picture, so the position follows the labels rather than the picture's name.
int LedCountPosition(int picture, int numOrder);
// The count picture that shows bar position `position`.
inline int LedCountPicture(int position, int numOrder) { return LedCountPosition(position, numOrder); }
// Whether bar position `position` is lit for `value`: only the value's own position with
// DPILED_Status set, every position up to it with DPILED_Status clear.
bool BarLit(int position, int value, int dpiLedStatus);

class LightPage : public QObject {
    Q_OBJECT
public:
    LightPage(MainWindow& window, QFrame* page);

    // The light page family and the count and step labels; then every control again.
    void ApplySkin(const text::SkinSection& skin, const QString& fontFamily);
    // Every control from the form model.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    // A click on `widget` runs `action`, then the form is shown again everywhere. Pictures
    // and the page's own labels signal it; the shared caption labels are watched.
    void OnClick(QWidget* widget, std::function<void()> action);
    void Edited();
    void ShowPair(const QString& on, const QString& off, bool onSet, bool offSet);
    void SetShown(const QString& name, bool shown);

    MainWindow& window_;
    QFrame* page_;
    StepSlider* slider_ = nullptr;  // slider_Breath_Speed
    std::map<QObject*, std::function<void()>> watched_;
    QObject* pressed_ = nullptr;
};

}  // namespace qeltra3k::ui
