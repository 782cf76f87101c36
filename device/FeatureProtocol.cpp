#include "device/FeatureProtocol.h"

#include <algorithm>

namespace qeltra3k::device {

namespace {

using std::chrono::milliseconds;

// The waiting of each command kind. The key poll pauses before it sends and before each
// poll; the others pause after sending and after each poll that finds the mouse busy.
constexpr FeatureProtocol::Steps kCommandSteps{CommandAttempts, milliseconds{0}, milliseconds{10}, 5,
                                               milliseconds{0}, milliseconds{10}};
constexpr FeatureProtocol::Steps kReadChunkSteps{CommandAttempts, milliseconds{0}, milliseconds{5}, 5,
                                                 milliseconds{0}, milliseconds{5}};
constexpr FeatureProtocol::Steps kWriteChunkSteps{CommandAttempts, milliseconds{0}, milliseconds{10}, 5,
                                                  milliseconds{0}, milliseconds{5}};
constexpr FeatureProtocol::Steps kPollKeysSteps{10, milliseconds{5}, milliseconds{0}, 10, milliseconds{5},
                                                milliseconds{0}};

constexpr std::uint8_t kFill = 0xFF;

Report CommandReport(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0, std::uint8_t p3 = 0,
                     std::uint8_t p4 = 0)
{
    return Report{ReportId, code, p1, p2, p3, p4, 0, 0};
}

std::size_t ChunkCount(std::size_t length)
{
    return (length + ChunkLength - 1) / ChunkLength;
}

// Bytes that chunk k of a block of `length` bytes carries.
std::size_t ChunkBytes(std::size_t k, std::size_t length)
{
    return std::min(ChunkLength, length - k * ChunkLength);
}

}  // namespace

FeatureProtocol::CommandGuard::CommandGuard(const FeatureProtocol& protocol) : protocol_(protocol)
{
    if (protocol.owner_.load() == std::this_thread::get_id())
        return;
    lock_ = std::unique_lock(protocol.mutex_);
    protocol.owner_.store(std::this_thread::get_id());
}

FeatureProtocol::CommandGuard::~CommandGuard()
{
    if (lock_.owns_lock())
        protocol_.owner_.store(std::thread::id{});
}

FeatureProtocol::FeatureProtocol(Waiting& waiting) : waiting_(waiting)
{
    chunk_.fill(kFill);
}

bool FeatureProtocol::SetDevice(HidDevice* device)
{
    CommandGuard guard(*this);
    if (!guard)
        return false;
    device_.store(device);
    return true;
}

bool FeatureProtocol::HasDevice() const
{
    return device_.load() != nullptr;
}

bool FeatureProtocol::Exchange(const Report& request, const Steps& steps, Report& reply)
{
    HidDevice* device = device_.load();
    const auto pause = [this](milliseconds duration) {
        if (duration.count() > 0)
            waiting_.Pause(duration);
    };
    for (std::size_t attempt = 0; attempt < steps.attempts; ++attempt) {
        reply = request;
        pause(steps.beforeSet);
        const bool sent = device->SetFeature(reply);
        pause(steps.afterSet);
        // The mouse never saw this report: polling would only fetch the reply to an earlier
        // command, whose done status must not pass for this one.
        if (!sent)
            continue;
        for (std::size_t poll = 0; poll < steps.polls; ++poll) {
            pause(steps.beforePoll);
            reply[0] = ReportId;
            // A failed read leaves nothing trustworthy; counting it as "still busy" keeps a
            // request byte that happens to be 0xCC (a write chunk's last data byte) from
            // passing for an answer.
            if (!device->GetFeature(reply))
                reply[StatusByte] = StatusPending;
            if (reply[StatusByte] != StatusPending)
                break;
            pause(steps.afterPendingPoll);
        }
        if (reply[StatusByte] == StatusDone)
            return true;
    }
    return false;
}

bool FeatureProtocol::SendCommandLocked(const Report& request)
{
    if (device_.load() == nullptr)
        return false;
    return Exchange(request, kCommandSteps, report_);
}

bool FeatureProtocol::SendCommand(std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3,
                                  std::uint8_t p4)
{
    CommandGuard guard(*this);
    if (!guard)
        return false;
    return SendCommandLocked(CommandReport(code, p1, p2, p3, p4));
}

bool FeatureProtocol::ReadChunkLocked()
{
    chunk_.fill(kFill);
    if (device_.load() == nullptr)
        return false;
    if (!Exchange(CommandReport(ReadChunkCmd), kReadChunkSteps, report_))
        return false;
    std::copy(report_.begin() + 1, report_.end(), chunk_.begin());
    return true;
}

void FeatureProtocol::ReadChunk()
{
    bool done = false;
    {
        CommandGuard guard(*this);
        if (!guard)
            return;
        done = ReadChunkLocked();
    }
    // Outside the lock: a message handler may legitimately start a command of its own.
    if (done)
        waiting_.ProcessPendingMessages();
}

bool FeatureProtocol::WriteChunk(const ChunkData& data)
{
    CommandGuard guard(*this);
    if (!guard || device_.load() == nullptr)
        return false;
    const Report request{ReportId, WriteChunkCmd, data[0], data[1], data[2], data[3], data[4], data[5]};
    return Exchange(request, kWriteChunkSteps, report_);
}

std::uint16_t FeatureProtocol::PollKeys()
{
    CommandGuard guard(*this);
    if (!guard || device_.load() == nullptr)
        return 0;
    Report reply{};
    if (!Exchange(CommandReport(StatusCmd), kPollKeysSteps, reply))
        return 0;
    return static_cast<std::uint16_t>(reply[5] | (reply[6] << 8));
}

bool FeatureProtocol::ReadBlock(std::uint16_t address, std::uint16_t length, std::span<std::uint8_t> destination,
                                bool progress)
{
    // The whole destination, not only `length` bytes: whatever the mouse does not deliver
    // reads as erased memory.
    std::fill(destination.begin(), destination.end(), kFill);
    if (length > destination.size())
        return false;
    if (!SendCommand(ReadBlockCmd, address & 0xFF, address >> 8, length & 0xFF, length >> 8))
        return false;

    const std::size_t count = ChunkCount(length);
    for (std::size_t k = 0; k < count; ++k) {
        if (progress) {
            waiting_.ShowLoadingWindow(k, count);
            waiting_.ProcessPendingMessages();
        }
        bool done = false;
        {
            CommandGuard guard(*this);
            if (guard) {
                done = ReadChunkLocked();
                // A failed chunk copies its 0xFF bytes, which are already there.
                std::copy_n(chunk_.begin(), ChunkBytes(k, length), destination.begin() + k * ChunkLength);
            }
        }
        if (done)
            waiting_.ProcessPendingMessages();
        waiting_.ProcessPendingMessages();
    }
    return true;
}

bool FeatureProtocol::WriteBlock(std::uint16_t address, std::uint16_t length, std::span<const std::uint8_t> source)
{
    if (length > source.size())
        return false;
    {
        CommandGuard guard(*this);
        if (!guard)
            return false;
        chunk_.fill(kFill);
        if (!SendCommandLocked(CommandReport(WriteBlockCmd, address & 0xFF, address >> 8, length & 0xFF,
                                             length >> 8)))
            return false;
    }

    const std::size_t count = ChunkCount(length);
    for (std::size_t k = 0; k < count; ++k) {
        waiting_.ShowLoadingWindow(k, count);
        waiting_.ProcessPendingMessages();
        ChunkData data{};
        {
            CommandGuard guard(*this);
            if (!guard)
                continue;
            // A short last chunk overwrites only its own bytes; the rest of the chunk
            // buffer still holds the previous chunk's (or 0xFF), and the mouse ignores it.
            std::copy_n(source.begin() + k * ChunkLength, ChunkBytes(k, length), chunk_.begin());
            std::copy_n(chunk_.begin(), ChunkLength, data.begin());
        }
        waiting_.ProcessPendingMessages();
        WriteChunk(data);
    }
    return true;
}

Report FeatureProtocol::LastReply() const
{
    // Without the lock only when this thread holds it already (from inside a command).
    CommandGuard guard(*this);
    return report_;
}

ChunkBuffer FeatureProtocol::LastChunk() const
{
    CommandGuard guard(*this);
    return chunk_;
}

}  // namespace qeltra3k::device
