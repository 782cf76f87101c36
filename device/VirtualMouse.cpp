#include "device/VirtualMouse.h"

#include <algorithm>

#include "device/AtomicFile.h"
#include "device/FeatureProtocol.h"
#include "resources/Resources.h"

namespace qeltra3k::device {

namespace {

constexpr std::uint8_t kErased = 0xFF;

std::uint16_t Word(std::uint8_t low, std::uint8_t high)
{
    return static_cast<std::uint16_t>(low | (high << 8));
}

Report WithStatus(Report reply, std::uint8_t status)
{
    reply[StatusByte] = status;
    return reply;
}

}  // namespace

const std::array<VirtualMouse::CommandEntry, 10> VirtualMouse::kCommands{{
    {OpenCmd, &VirtualMouse::Open},
    {CloseCmd, &VirtualMouse::EndTransaction},
    {StatusCmd, &VirtualMouse::Status},
    {ReadBlockCmd, &VirtualMouse::ReadBlockStart},
    {ReadChunkCmd, &VirtualMouse::ReadChunk},
    {WriteBlockCmd, &VirtualMouse::WriteBlockStart},
    {WriteChunkCmd, &VirtualMouse::WriteChunk},
    {SystemReloadCmd, &VirtualMouse::EndTransaction},
    {DriverStateCmd, &VirtualMouse::StoreDriverState},
    {ProductIdCmd, &VirtualMouse::ProductId},
}};

VirtualMouse::VirtualMouse(const config::DeviceImage& memory, VirtualMouseOptions options)
    : memory_(memory), options_(std::move(options))
{
    lastReply_[0] = ReportId;
}

std::optional<config::DeviceImage> VirtualMouse::DefaultMemory()
{
    const auto bytes = resources::Find(kVirtualMouseDefaultImage);
    if (!bytes || bytes->size() != config::kImageSize)
        return std::nullopt;
    config::DeviceImage image;
    std::copy(bytes->begin(), bytes->end(), image.begin());
    return image;
}

VirtualMouseOpening VirtualMouse::OpenFile(const std::filesystem::path& path, VirtualMouseOptions options)
{
    VirtualMouseOpening opening;
    config::DeviceImage memory;
    const FileContent content = ReadWholeFile(path);
    if (content.missing) {
        const auto defaults = DefaultMemory();
        if (!defaults) {
            opening.error = std::string("the built-in image ") + kVirtualMouseDefaultImage +
                            " is missing, so no memory file can be made at " + path.string();
            return opening;
        }
        std::string error;
        if (!WriteFileAtomically(path, *defaults, error)) {
            opening.error = "cannot make the memory file: " + error;
            return opening;
        }
        memory = *defaults;
    } else if (!content.bytes) {
        opening.error = content.error;
        return opening;
    } else if (content.bytes->size() != config::kImageSize) {
        opening.error = path.string() + " is " + std::to_string(content.bytes->size()) +
                        " bytes long, not a mouse memory image of " + std::to_string(config::kImageSize) +
                        " bytes; it was left as it is";
        return opening;
    } else {
        std::copy(content.bytes->begin(), content.bytes->end(), memory.begin());
    }
    opening.mouse = std::make_unique<VirtualMouse>(memory, std::move(options));
    opening.mouse->file_ = path;
    return opening;
}

bool VirtualMouse::CountCall()
{
    if (options_.faults.unplugAfter && calls_ >= *options_.faults.unplugAfter)
        return false;
    ++calls_;
    return true;
}

bool VirtualMouse::MemoryReady() const
{
    return !options_.faults.notReady;
}

bool VirtualMouse::SetFeature(const Report& report)
{
    std::lock_guard lock(mutex_);
    if (!CountCall() || report[0] != ReportId)
        return false;
    // A new report replaces a command not carried out yet; that is how the host retries.
    pending_ = report;
    pendingPolls_ = 0;
    pendingSilent_ = options_.faults.noAnswer;
    if (!pendingSilent_ && report[1] == ReadChunkCmd && block_ == Block::Read)
        SkipLostChunk();
    return true;
}

// A lost chunk stays unanswered for as many requests as the host makes for one chunk;
// the next request after that is for the following chunk, so exactly that chunk is lost
// and the data after it does not shift.
void VirtualMouse::SkipLostChunk()
{
    while (blockRemaining_ > 0 && options_.faults.lostChunks.contains(chunkIndex_)) {
        if (lostChunkRequests_ < CommandAttempts) {
            ++lostChunkRequests_;
            pendingSilent_ = true;
            return;
        }
        blockAddress_ += ChunkLength;
        blockRemaining_ -= std::min<std::uint32_t>(ChunkLength, blockRemaining_);
        ++chunkIndex_;
        lostChunkRequests_ = 0;
    }
}

bool VirtualMouse::GetFeature(Report& report)
{
    std::lock_guard lock(mutex_);
    if (!CountCall() || report[0] != ReportId)
        return false;
    if (!pending_) {
        // Nothing new: the report buffer still holds the previous answer.
        report = lastReply_;
        return true;
    }
    if (pendingSilent_ || pendingPolls_ < options_.faults.slowPolls) {
        ++pendingPolls_;
        report = WithStatus(*pending_, StatusPending);
        return true;
    }
    lastReply_ = Execute(*pending_);
    pending_.reset();
    report = lastReply_;
    return true;
}

Report VirtualMouse::Execute(const Report& request)
{
    const auto entry = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandEntry& e) { return e.code == request[1]; });
    if (entry == kCommands.end())
        return WithStatus(request, StatusRefused);
    return (this->*(entry->handler))(request);
}

Report VirtualMouse::Done(Report reply) const
{
    return WithStatus(reply, StatusDone);
}

Report VirtualMouse::Open(const Report& request)
{
    Report reply = request;
    reply[1] = options_.openReply;
    return Done(reply);
}

Report VirtualMouse::Status(const Report& request)
{
    const std::uint8_t ready = MemoryReady() ? MemoryReadyFlag : 0;
    const std::uint8_t chip = options_.faults.chipSource.value_or(options_.chipSource);
    Report reply{ReportId, StatusReady, ready, chip, 0, 0, 0, 0};
    if (request[2] == DriverQuery) {
        reply[2] |= options_.driverModeFlag ? DriverModeFlag : 0;
        if (request[3] == LightingFamilyQuery)
            reply[3] = options_.lightingFamily;
    } else {
        reply[5] = static_cast<std::uint8_t>(keys_ & 0xFF);
        reply[6] = static_cast<std::uint8_t>(keys_ >> 8);
    }
    return Done(reply);
}

Report VirtualMouse::ReadBlockStart(const Report& request)
{
    if (!MemoryReady())
        return WithStatus(request, StatusRefused);
    block_ = Block::Read;
    blockAddress_ = Word(request[2], request[3]);
    blockRemaining_ = Word(request[4], request[5]);
    chunkIndex_ = 0;
    lostChunkRequests_ = 0;
    return Done(request);
}

Report VirtualMouse::WriteBlockStart(const Report& request)
{
    if (!MemoryReady())
        return WithStatus(request, StatusRefused);
    block_ = Block::Write;
    blockAddress_ = Word(request[2], request[3]);
    blockRemaining_ = Word(request[4], request[5]);
    chunkIndex_ = 0;
    return Done(request);
}

Report VirtualMouse::ReadChunk(const Report& request)
{
    if (block_ != Block::Read || blockRemaining_ == 0)
        return WithStatus(request, StatusRefused);
    Report reply = request;
    for (std::size_t i = 0; i < ChunkLength; ++i) {
        const std::uint32_t address = blockAddress_ + static_cast<std::uint32_t>(i);
        reply[1 + i] = address < memory_.size() ? memory_[address] : kErased;
    }
    blockAddress_ += ChunkLength;
    blockRemaining_ -= std::min<std::uint32_t>(ChunkLength, blockRemaining_);
    ++chunkIndex_;
    lostChunkRequests_ = 0;
    return Done(reply);
}

Report VirtualMouse::WriteChunk(const Report& request)
{
    if (block_ != Block::Write || blockRemaining_ == 0)
        return WithStatus(request, StatusRefused);
    // The block's length bounds what the last chunk writes: its other bytes are leftovers.
    const std::uint32_t count = std::min<std::uint32_t>(ChunkLength, blockRemaining_);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t address = blockAddress_ + i;
        if (address >= memory_.size() || options_.faults.stuckAddresses.contains(static_cast<std::uint16_t>(address)))
            continue;
        if (memory_[address] != request[2 + i]) {
            memory_[address] = request[2 + i];
            dirty_ = true;
        }
    }
    blockAddress_ += ChunkLength;
    blockRemaining_ -= count;
    ++chunkIndex_;
    return Done(request);
}

Report VirtualMouse::EndTransaction(const Report& request)
{
    block_ = Block::None;
    if (dirty_ && file_) {
        std::string error;
        if (!WriteFileAtomically(*file_, memory_, error)) {
            // The memory keeps its changes and the next transaction's end tries again; the
            // host learns of it as a command not done.
            saveError_ = error;
            return WithStatus(request, StatusRefused);
        }
        saveError_.clear();
    }
    dirty_ = false;
    return Done(request);
}

Report VirtualMouse::StoreDriverState(const Report& request)
{
    std::copy_n(request.begin() + 2, driverState_.size(), driverState_.begin());
    return Done(request);
}

Report VirtualMouse::ProductId(const Report& request)
{
    Report reply = request;
    reply[1] = static_cast<std::uint8_t>(options_.productId >> 8);
    reply[2] = static_cast<std::uint8_t>(options_.productId & 0xFF);
    return Done(reply);
}

config::DeviceImage VirtualMouse::Memory() const
{
    std::lock_guard lock(mutex_);
    return memory_;
}

void VirtualMouse::SetKeys(std::uint16_t keyBits)
{
    std::lock_guard lock(mutex_);
    keys_ = keyBits;
}

std::array<std::uint8_t, 4> VirtualMouse::DriverState() const
{
    std::lock_guard lock(mutex_);
    return driverState_;
}

void VirtualMouse::SetFaults(const FaultSwitches& faults)
{
    std::lock_guard lock(mutex_);
    options_.faults = faults;
    calls_ = 0;  // unplug-after counts from the moment it is switched on
}

bool VirtualMouse::Unplugged() const
{
    std::lock_guard lock(mutex_);
    return options_.faults.unplugAfter && calls_ >= *options_.faults.unplugAfter;
}

std::string VirtualMouse::SaveError() const
{
    std::lock_guard lock(mutex_);
    return saveError_;
}

}  // namespace qeltra3k::device
