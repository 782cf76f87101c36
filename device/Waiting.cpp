#include "device/Waiting.h"

#include <algorithm>
#include <thread>

namespace qeltra3k::device {

void SleepingWaiting::Pause(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

void RecordingWaiting::Pause(std::chrono::milliseconds duration)
{
    Add({Kind::Pause, duration});
}

void RecordingWaiting::ProcessPendingMessages()
{
    Add({Kind::Messages});
}

void RecordingWaiting::ShowLoadingWindow(std::size_t chunk, std::size_t chunkCount)
{
    Add({Kind::LoadingWindow, std::chrono::milliseconds{0}, chunk, chunkCount});
}

void RecordingWaiting::Add(const Event& event)
{
    std::lock_guard lock(mutex_);
    events_.push_back(event);
}

std::vector<RecordingWaiting::Event> RecordingWaiting::Events() const
{
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<long long> RecordingWaiting::Pauses() const
{
    std::lock_guard lock(mutex_);
    std::vector<long long> pauses;
    for (const auto& event : events_)
        if (event.kind == Kind::Pause)
            pauses.push_back(event.pause.count());
    return pauses;
}

std::chrono::milliseconds RecordingWaiting::TotalPause() const
{
    std::lock_guard lock(mutex_);
    std::chrono::milliseconds total{0};
    for (const auto& event : events_)
        total += event.pause;
    return total;
}

std::size_t RecordingWaiting::Count(Kind kind) const
{
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(
        std::count_if(events_.begin(), events_.end(), [kind](const Event& e) { return e.kind == kind; }));
}

void RecordingWaiting::Clear()
{
    std::lock_guard lock(mutex_);
    events_.clear();
}

}  // namespace qeltra3k::device
