#pragma once
// The waiting the protocol does between reports, injected so that each program waits its
// own way: the editor sleeps and keeps its window alive, the command line only sleeps,
// and tests neither sleep nor pump but record what was asked of them.
#include <chrono>
#include <cstddef>
#include <mutex>
#include <vector>

namespace qeltra3k::device {

class Waiting {
public:
    virtual ~Waiting() = default;

    virtual void Pause(std::chrono::milliseconds duration) = 0;
    virtual void ProcessPendingMessages() = 0;

    // Centres and shows the loading window over the main window while a block moves with
    // progress; `chunk` of `chunkCount` is the chunk about to move.
    virtual void ShowLoadingWindow(std::size_t chunk, std::size_t chunkCount) = 0;
};

// Real pauses and nothing else: for the command line, which has no window to keep alive.
class SleepingWaiting : public Waiting {
public:
    void Pause(std::chrono::milliseconds duration) override;
    void ProcessPendingMessages() override {}
    void ShowLoadingWindow(std::size_t, std::size_t) override {}
};

// Never sleeps; remembers every request in order, so tests can check the pauses a command
// makes and benchmarks can add up the time the protocol itself insists on. Safe to use
// from the key test poller and the UI thread at once.
class RecordingWaiting : public Waiting {
public:
    enum class Kind { Pause, Messages, LoadingWindow };
    struct Event {
        Kind kind;
        std::chrono::milliseconds pause{0};  // Pause only
        std::size_t chunk = 0;               // LoadingWindow only
        std::size_t chunkCount = 0;          // LoadingWindow only
    };

    void Pause(std::chrono::milliseconds duration) override;
    void ProcessPendingMessages() override;
    void ShowLoadingWindow(std::size_t chunk, std::size_t chunkCount) override;

    std::vector<Event> Events() const;
    // The pauses alone, in order, in milliseconds.
    std::vector<long long> Pauses() const;
    // The sum of all pauses: the least time the same exchange takes on a real device.
    std::chrono::milliseconds TotalPause() const;
    std::size_t Count(Kind kind) const;
    void Clear();

private:
    void Add(const Event& event);

    mutable std::mutex mutex_;
    std::vector<Event> events_;
};

}  // namespace qeltra3k::device
