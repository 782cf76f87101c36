#pragma once
// TFormLoadingUI: the small always-on-top window with the running animation, shown over the
// main window while the program talks to the mouse.
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace qeltra3k::ui {

inline constexpr QSize kLoadingWindowSize{206, 196};
inline constexpr QSize kLoadingAnimationSize{200, 192};
// How long one frame of the animation stays.
inline constexpr int kLoadingFrameMs = 80;
// At creation the window sits this far below the centred position.
inline constexpr int kLoadingCreationDrop = 40;

class LoadingWindow : public QWidget {
    Q_OBJECT
public:
    explicit LoadingWindow(QWidget* mainWindow);

    // Centred over the main window, the halvings rounded toward zero.
    void CentreOver(const QWidget& mainWindow);
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    int CurrentFrame() const { return frame_; }
    // Advances the animation by one frame (the timer's handler).
    void NextFrame();

private:
    QLabel* WaitGif_ = nullptr;
    QList<QPixmap> frames_;
    int frame_ = 0;
    QTimer animation_;
};

// left = main left + (main width - loading width) / 2, top likewise, rounding toward zero.
QPoint CentredPosition(const QRect& main, QSize loading);

}  // namespace qeltra3k::ui
