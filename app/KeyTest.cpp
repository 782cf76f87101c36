// The key test of the engineer page: a poller thread asks the mouse which buttons are down
// and flashes their buttons; a one-second countdown ends the test when nothing is pressed.
#include "app/Controller.h"
#include "app/ControllerSteps.h"

namespace qeltra3k::app {

bool Controller::KeyTestRunning() const
{
    return keyTestPoller_.joinable();
}

void Controller::btn_TestKeysClick()
{
    if (KeyTestRunning())
        return;
    view_.CloseMenus();
    SetDevTimer(false);
    view_.SetKeyTestButtonEnabled(false);
    protocol_.SendCommand(device::OpenCmd);
    keyTestStop_ = false;
    keyTestBusy_ = false;
    keyTestPoller_ = std::thread([this] { KeyTestPoller(); });
    SetTestTimer(true);
    keyTestCountdown_ = 0;
}

void Controller::KeyTestPoller()
{
    while (!keyTestStop_) {
        const std::uint16_t keys = protocol_.PollKeys();
        for (const auto& button : kKeyTestButtons) {
            if (keyTestStop_)
                break;
            if ((keys & button.bit) != 0)
                FlashKey(std::string(button.name));
        }
        // A mouse that answers at once (or not at all) must not starve the UI thread of the
        // command lock.
        std::this_thread::yield();
    }
}

void Controller::FlashKey(const std::string& buttonName)
{
    keyTestBusy_ = true;
    for (std::size_t step = 0; step < kFlashSteps.size(); ++step) {
        view_.SetKeyButtonVisible(buttonName, kFlashSteps[step]);
        if (step + 1 < kFlashSteps.size())
            waiting_.Pause(kFlashPause);
    }
    keyTestBusy_ = false;
}

void Controller::TestTimerTimer()
{
    if (!KeyTestRunning())
        return;
    if (keyTestBusy_) {
        // A flash restarts the countdown.
        view_.ShowKeyTestCaption(std::nullopt);
        keyTestCountdown_ = 0;
        return;
    }
    view_.ShowKeyTestCaption(std::to_string(kKeyTestCountdown - keyTestCountdown_) + "...");
    const bool over = keyTestCountdown_ == kKeyTestCountdown;
    ++keyTestCountdown_;
    if (!over)
        return;
    view_.SetKeyTestButtonEnabled(true);
    view_.ShowKeyTestCaption(std::nullopt);
    StopKeyTest();
    protocol_.SendCommand(device::SystemReloadCmd);
    protocol_.SendCommand(device::CloseCmd);
    SetTestTimer(false);
    SetDevTimer(true);
}

void Controller::StopKeyTest()
{
    if (!KeyTestRunning())
        return;
    keyTestStop_ = true;
    keyTestPoller_.join();
    keyTestBusy_ = false;
}

}  // namespace qeltra3k::app
