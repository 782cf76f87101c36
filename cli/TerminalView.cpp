#include "cli/TerminalView.h"

#include <algorithm>
#include <string_view>

namespace qeltra3k::cli {

namespace {

// Flash steps of one button press (hidden, shown, hidden, shown): the press is told once.
constexpr std::size_t kStepsPerFlash = 4;
// The key test's buttons are btn_Key101 .. btn_Key109: the mouse's buttons Key1 .. Key9.
constexpr std::string_view kKeyTestButtonPrefix = "btn_Key1";

std::string MouseButtonName(const std::string& buttonName)
{
    if (buttonName.starts_with(kKeyTestButtonPrefix) && buttonName.size() > kKeyTestButtonPrefix.size()) {
        std::string number = buttonName.substr(kKeyTestButtonPrefix.size());
        number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
        return "Key" + number;
    }
    return buttonName;
}

}  // namespace

void ProgressWaiting::ShowLoadingWindow(std::size_t chunk, std::size_t chunkCount)
{
    inner_.ShowLoadingWindow(chunk, chunkCount);
    if (progress_ == nullptr)
        return;
    // Every chunk would flood a slow terminal; a few updates a block are enough to see it move.
    constexpr std::size_t kEvery = 16;
    if (chunk % kEvery != 0 && chunk + 1 != chunkCount)
        return;
    *progress_ << "\rtransferring " << chunk + 1 << "/" << chunkCount << "  " << std::flush;
    shown_ = true;
}

void ProgressWaiting::EndProgress()
{
    if (!shown_ || progress_ == nullptr)
        return;
    *progress_ << "\r" << std::string(32, ' ') << "\r" << std::flush;
    shown_ = false;
}

void TerminalView::ShowMessage(const app::ViewMessage& message)
{
    waiting_.EndProgress();
    std::lock_guard lock(mutex_);
    messageKeys_.push_back(message.keys);
    err_ << message.text << '\n';
}

void TerminalView::ShowKeyTestCaption(const std::optional<std::string>& countdown)
{
    // Without a countdown the button shows its own caption again: nothing to print.
    if (!countdown)
        return;
    std::lock_guard lock(mutex_);
    out_ << *countdown << std::endl;
}

void TerminalView::SetKeyButtonVisible(const std::string& buttonName, bool visible)
{
    std::lock_guard lock(mutex_);
    const std::size_t step = flashSteps_[buttonName]++;
    if (step % kStepsPerFlash == 0 && !visible)
        out_ << MouseButtonName(buttonName) << " pressed" << std::endl;
}

std::size_t TerminalView::MessageCount() const
{
    std::lock_guard lock(mutex_);
    return messageKeys_.size();
}

bool TerminalView::ShownSince(std::size_t from, const std::string& key) const
{
    std::lock_guard lock(mutex_);
    for (std::size_t i = from; i < messageKeys_.size(); ++i)
        if (std::find(messageKeys_[i].begin(), messageKeys_[i].end(), key) != messageKeys_[i].end())
            return true;
    return false;
}

}  // namespace qeltra3k::cli
