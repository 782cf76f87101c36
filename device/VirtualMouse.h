#pragma once
// The device side of the feature-report protocol over a 2048-byte configuration memory: a
// stand-in for the mouse that lets the programs run, and the tests exercise every path,
// without the hardware. Optionally the memory lives in a file, so edits survive a restart;
// fault switches make it misbehave the ways real mice do.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "config/ImageLayout.h"
#include "device/HidDevice.h"
#include "device/VirtualMouseFaults.h"

namespace qeltra3k::device {

struct VirtualMouseOptions {
    std::uint8_t openReply = 0xA5;       // OpenCmd reply byte 1: 0xA5 driver mode, 0xA6 fallback
    std::uint8_t chipSource = 0x35;      // StatusCmd reply byte 3 (chip:BYTE overrides it)
    bool driverModeFlag = true;          // bit 5 of byte 2 in the 0x5A status replies
    std::uint8_t lightingFamily = 0x00;  // byte 3 of the 0x5A, 0xD9 status reply
    std::uint16_t productId = 0x0001;    // ProductIdCmd reply
    FaultSwitches faults;
};

// Status byte of a command the mouse refuses (unknown, out of order, memory not ready).
constexpr std::uint8_t StatusRefused = 0xEE;

// The name of the built-in image a new memory file starts from.
constexpr const char* kVirtualMouseDefaultImage = "VOSKEN2Data_Cfg1";

class VirtualMouse;

struct VirtualMouseOpening {
    std::unique_ptr<VirtualMouse> mouse;  // null on failure
    std::string error;                    // why, on failure
};

class VirtualMouse final : public HidDevice {
public:
    // A mouse whose memory lives only as long as the object.
    explicit VirtualMouse(const config::DeviceImage& memory, VirtualMouseOptions options = {});

    // A mouse whose memory is kept in `path`: created from the built-in default image when
    // missing, refused when it is not a 2048-byte image, written back whenever the host
    // ends a transaction after writing.
    static VirtualMouseOpening OpenFile(const std::filesystem::path& path, VirtualMouseOptions options = {});

    // The built-in default image, if this build carries it.
    static std::optional<config::DeviceImage> DefaultMemory();

    bool SetFeature(const Report& report) override;
    bool GetFeature(Report& report) override;

    config::DeviceImage Memory() const;
    void SetKeys(std::uint16_t keyBits);  // what StatusCmd reports in bytes 5 and 6
    std::array<std::uint8_t, 4> DriverState() const;
    void SetFaults(const FaultSwitches& faults);
    bool Unplugged() const;
    // Why the memory file could not be written back last time; empty when it could.
    std::string SaveError() const;

private:
    enum class Block { None, Read, Write };
    using Handler = Report (VirtualMouse::*)(const Report&);
    struct CommandEntry {
        std::uint8_t code;
        Handler handler;
    };
    static const std::array<CommandEntry, 10> kCommands;

    bool CountCall();  // false once unplugged
    bool MemoryReady() const;
    void SkipLostChunk();
    Report Execute(const Report& request);
    Report Done(Report reply) const;

    Report Open(const Report& request);
    Report Status(const Report& request);
    Report ReadBlockStart(const Report& request);
    Report ReadChunk(const Report& request);
    Report WriteBlockStart(const Report& request);
    Report WriteChunk(const Report& request);
    Report StoreDriverState(const Report& request);
    Report ProductId(const Report& request);
    Report EndTransaction(const Report& request);

    mutable std::mutex mutex_;
    config::DeviceImage memory_;
    VirtualMouseOptions options_;
    std::optional<std::filesystem::path> file_;
    bool dirty_ = false;
    std::string saveError_;

    std::uint16_t keys_ = 0;
    std::array<std::uint8_t, 4> driverState_{};

    // The command being worked on: it is carried out at the poll that finds it finished.
    std::optional<Report> pending_;
    std::uint32_t pendingPolls_ = 0;
    bool pendingSilent_ = false;
    Report lastReply_{};

    Block block_ = Block::None;
    std::uint32_t blockAddress_ = 0;  // of the next chunk
    std::uint32_t blockRemaining_ = 0;
    std::uint32_t chunkIndex_ = 0;
    std::uint32_t lostChunkRequests_ = 0;

    std::uint64_t calls_ = 0;
};

}  // namespace qeltra3k::device
