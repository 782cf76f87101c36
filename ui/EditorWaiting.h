#pragma once
// The editor's waiting: pauses sleep while the window's events keep running, so the window
// repaints and the loading animation turns during a device exchange. User input waits until
// the exchange is over, so nothing a click starts can run in the middle of one. Called from
// the key test's poller thread it only sleeps.
#include <functional>

#include "device/Waiting.h"

namespace qeltra3k::ui {

class EditorWaiting final : public device::Waiting {
public:
    // `showLoading` centres and shows the loading window (UI thread only).
    explicit EditorWaiting(std::function<void()> showLoading = {});

    void Pause(std::chrono::milliseconds duration) override;
    void ProcessPendingMessages() override;
    void ShowLoadingWindow(std::size_t chunk, std::size_t chunkCount) override;

private:
    std::function<void()> showLoading_;
};

}  // namespace qeltra3k::ui
