#pragma once
// The controller's view for a terminal. Messages are printed as the system words them (the
// language table's texts); the busy overlay and the loading window have nothing to show, so
// a block transfer shows at most a short progress line when the error stream is a terminal;
// the key test prints its countdown and the buttons it sees pressed.
#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/ControllerView.h"
#include "device/Waiting.h"

namespace qeltra3k::cli {

// The tool's waiting: another waiting's pauses, and the loading window's chunk count as a
// progress line on `progress` (none: nothing shown).
class ProgressWaiting final : public device::Waiting {
public:
    ProgressWaiting(device::Waiting& inner, std::ostream* progress) : inner_(inner), progress_(progress) {}

    void Pause(std::chrono::milliseconds duration) override { inner_.Pause(duration); }
    void ProcessPendingMessages() override { inner_.ProcessPendingMessages(); }
    void ShowLoadingWindow(std::size_t chunk, std::size_t chunkCount) override;

    // Clears the progress line, if one is shown.
    void EndProgress();

private:
    device::Waiting& inner_;
    std::ostream* progress_;
    bool shown_ = false;
};

class TerminalView final : public app::ControllerView {
public:
    TerminalView(std::ostream& out, std::ostream& err, ProgressWaiting& waiting)
        : out_(out), err_(err), waiting_(waiting)
    {
    }

    void ShowMessage(const app::ViewMessage& message) override;
    void ShowBusyOverlay() override {}
    void HideBusyOverlay() override {}
    void ShowLoadingWindow() override {}
    void HideLoadingWindow() override { waiting_.EndProgress(); }
    void Refresh(app::RefreshRequest) override {}
    void CloseMenus() override {}
    void CloseMainWindow() override {}
    void SetKeyTestButtonEnabled(bool) override {}
    void ShowKeyTestCaption(const std::optional<std::string>& countdown) override;
    void SetKeyButtonVisible(const std::string& buttonName, bool visible) override;

    // How many messages were shown so far, and whether one since `from` carried `key`.
    std::size_t MessageCount() const;
    bool ShownSince(std::size_t from, const std::string& key) const;

private:
    std::ostream& out_;
    std::ostream& err_;
    ProgressWaiting& waiting_;
    mutable std::mutex mutex_;  // the key test's poller prints too
    std::vector<std::vector<std::string>> messageKeys_;
    std::map<std::string, std::size_t> flashSteps_;
};

}  // namespace qeltra3k::cli
