#include "ui/EditorWaiting.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <thread>

namespace qeltra3k::ui {

namespace {

bool OnUiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

constexpr auto kPumpFlags = QEventLoop::ExcludeUserInputEvents;

}  // namespace

EditorWaiting::EditorWaiting(std::function<void()> showLoading) : showLoading_(std::move(showLoading)) {}

void EditorWaiting::Pause(std::chrono::milliseconds duration)
{
    if (!OnUiThread()) {
        std::this_thread::sleep_for(duration);
        return;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 total = duration.count();
    while (elapsed.elapsed() < total) {
        QCoreApplication::processEvents(kPumpFlags);
        const qint64 left = total - elapsed.elapsed();
        if (left > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(left, 1)));
    }
}

void EditorWaiting::ProcessPendingMessages()
{
    if (OnUiThread())
        QCoreApplication::processEvents(kPumpFlags);
}

void EditorWaiting::ShowLoadingWindow(std::size_t, std::size_t)
{
    if (showLoading_ && OnUiThread())
        showLoading_();
}

}  // namespace qeltra3k::ui
