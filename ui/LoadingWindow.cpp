#include "ui/LoadingWindow.h"

#include "ui/Pictures.h"

namespace qeltra3k::ui {

QPoint CentredPosition(const QRect& main, QSize loading)
{
    // C++ integer division already rounds toward zero, also for a negative difference.
    return {main.left() + (main.width() - loading.width()) / 2, main.top() + (main.height() - loading.height()) / 2};
}

LoadingWindow::LoadingWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FormLoadingUI"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kLoadingWindowSize);
    WaitGif_ = new QLabel(this);
    WaitGif_->setObjectName(QStringLiteral("WaitGif"));
    WaitGif_->setScaledContents(true);
    WaitGif_->setGeometry((kLoadingWindowSize.width() - kLoadingAnimationSize.width()) / 2,
                          (kLoadingWindowSize.height() - kLoadingAnimationSize.height()) / 2,
                          kLoadingAnimationSize.width(), kLoadingAnimationSize.height());
    frames_ = PictureSequence(QStringLiteral("Loading"));
    if (!frames_.isEmpty())
        WaitGif_->setPixmap(frames_.front());
    connect(&animation_, &QTimer::timeout, this, &LoadingWindow::NextFrame);
    animation_.start(kLoadingFrameMs);
    if (mainWindow != nullptr)
        move(CentredPosition(mainWindow->frameGeometry(), size()) + QPoint(0, kLoadingCreationDrop));
}

void LoadingWindow::CentreOver(const QWidget& mainWindow)
{
    move(CentredPosition(mainWindow.frameGeometry(), size()));
}

void LoadingWindow::NextFrame()
{
    if (frames_.isEmpty())
        return;
    frame_ = (frame_ + 1) % static_cast<int>(frames_.size());
    WaitGif_->setPixmap(frames_[frame_]);
}

}  // namespace qeltra3k::ui
