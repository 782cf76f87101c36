#pragma once
// The command protocol over 8-byte feature reports: one acknowledged command at a time,
// and block transfers of the configuration memory in 6-byte chunks built on it.
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>

#include "device/HidDevice.h"
#include "device/Waiting.h"

namespace qeltra3k::device {

constexpr std::uint8_t ReportId = 4;

// Command codes (report byte 1).
constexpr std::uint8_t OpenCmd = 0x01;
constexpr std::uint8_t CloseCmd = 0x02;
constexpr std::uint8_t StatusCmd = 0x03;
constexpr std::uint8_t ReadBlockCmd = 0x04;
constexpr std::uint8_t ReadChunkCmd = 0x05;
constexpr std::uint8_t WriteBlockCmd = 0x06;
constexpr std::uint8_t WriteChunkCmd = 0x07;
constexpr std::uint8_t SystemReloadCmd = 0x08;
constexpr std::uint8_t DriverStateCmd = 0x09;
constexpr std::uint8_t ProductIdCmd = 0x81;

// Report byte 7 of a reply: 0 while the mouse is still working, StatusDone when the
// command is done; any other value means not done.
constexpr std::size_t StatusByte = 7;
constexpr std::uint8_t StatusPending = 0x00;
constexpr std::uint8_t StatusDone = 0xCC;

// StatusCmd reply fields.
constexpr std::uint8_t StatusReady = 0xAA;         // reply byte 1
constexpr std::uint8_t MemoryReadyFlag = 0x04;     // in reply byte 2
constexpr std::uint8_t DriverModeFlag = 0x20;      // in reply byte 2 of the 0x5A queries
constexpr std::uint8_t DriverQuery = 0x5A;         // p1 of the driver-mode status queries
constexpr std::uint8_t LightingFamilyQuery = 0xD9; // p2: byte 3 then names the lighting family

// OpenCmd reply byte 1 of a mouse that runs under the filter driver, and of one that
// answers the driver-mode fallback.
constexpr std::uint8_t OpenDriverMode = 0xA5;
constexpr std::uint8_t OpenFallback = 0xA6;

constexpr std::size_t ChunkLength = 6;
constexpr std::size_t CommandAttempts = 5;

// Report bytes 1 .. 7 of the last successful ReadChunkCmd: six data bytes and the status.
using ChunkBuffer = std::array<std::uint8_t, 7>;
using ChunkData = std::array<std::uint8_t, ChunkLength>;

class FeatureProtocol {
public:
    explicit FeatureProtocol(Waiting& waiting);
    FeatureProtocol(const FeatureProtocol&) = delete;
    FeatureProtocol& operator=(const FeatureProtocol&) = delete;

    // The opened device, or nullptr for none (the handle -1 of the design): every
    // operation then fails without a call. The device is not owned. False when called
    // from inside a command (from a pause), where it would pull the device away mid-way.
    bool SetDevice(HidDevice* device);
    bool HasDevice() const;

    // One acknowledged command; true when the mouse marked it done.
    bool SendCommand(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0, std::uint8_t p3 = 0,
                     std::uint8_t p4 = 0);

    // One ReadChunkCmd; the chunk buffer then holds the six bytes, or 0xFF bytes on failure.
    void ReadChunk();
    // One WriteChunkCmd with six data bytes; true when done.
    bool WriteChunk(const ChunkData& data);

    // One StatusCmd for the key test: reply byte 5 + 256 x byte 6, or 0 when not done.
    // Meant for the key test's own thread; it leaves LastReply() alone, so a poll cannot
    // replace a reply the UI thread is about to read.
    std::uint16_t PollKeys();

    // Reads `length` bytes at `address` into the front of `destination`. The whole of
    // `destination` is first filled with 0xFF; chunks that fail stay 0xFF and do not fail
    // the block. False when the block command was not done, or when `length` exceeds
    // `destination` (then nothing is sent).
    bool ReadBlock(std::uint16_t address, std::uint16_t length, std::span<std::uint8_t> destination,
                   bool progress);
    // Writes the first `length` bytes of `source` at `address`, always with progress.
    // False when the block command was not done, or when `source` is shorter than
    // `length` (then nothing is sent); chunk failures are not reported.
    bool WriteBlock(std::uint16_t address, std::uint16_t length, std::span<const std::uint8_t> source);

    // The report of the last command sent other than PollKeys (reply bytes 1 .. 6 are
    // meaningful when it was done), and the chunk buffer.
    Report LastReply() const;
    ChunkBuffer LastChunk() const;

    // How one kind of command waits: attempts, the pauses around SetFeature, the polls of
    // GetFeature and the pauses around them.
    struct Steps {
        std::size_t attempts;
        std::chrono::milliseconds beforeSet;
        std::chrono::milliseconds afterSet;
        std::size_t polls;
        std::chrono::milliseconds beforePoll;
        std::chrono::milliseconds afterPendingPoll;
    };

private:
    // Holds the command lock for one whole command. Empty (false) when the calling thread
    // already runs a command: a pause that processes messages can start another command,
    // which must not take over the shared buffers half-way, nor wait on itself forever.
    class CommandGuard {
    public:
        explicit CommandGuard(const FeatureProtocol& protocol);
        ~CommandGuard();
        CommandGuard(const CommandGuard&) = delete;
        CommandGuard& operator=(const CommandGuard&) = delete;
        explicit operator bool() const { return lock_.owns_lock(); }

    private:
        const FeatureProtocol& protocol_;
        std::unique_lock<std::mutex> lock_;
    };

    // Runs one command with the lock held; true when the mouse answered StatusDone, with
    // the answer in `reply`.
    bool Exchange(const Report& request, const Steps& steps, Report& reply);
    bool SendCommandLocked(const Report& request);
    bool ReadChunkLocked();

    Waiting& waiting_;
    std::atomic<HidDevice*> device_{nullptr};
    Report report_{};
    ChunkBuffer chunk_{};
    mutable std::mutex mutex_;
    mutable std::atomic<std::thread::id> owner_{};
};

}  // namespace qeltra3k::device
