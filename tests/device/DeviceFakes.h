#pragma once
// Test doubles for the protocol: a scripted HID device that records every report, and a
// recording waiter that writes into the same journal, so a test can check the exact
// order of reports and pauses a command produces.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "device/AtomicFile.h"
#include "device/HidDevice.h"
#include "device/Waiting.h"

namespace qeltra3k::device::testing {

// A whole file's bytes, failing the test when it cannot be read.
inline std::vector<std::uint8_t> ReadTestFile(const std::filesystem::path& path)
{
    const FileContent content = ReadWholeFile(path);
    EXPECT_TRUE(content.bytes) << content.error;
    return content.bytes.value_or(std::vector<std::uint8_t>{});
}

// Writes a whole file, failing the test when it cannot be written.
inline void WriteTestFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;
}

// One line per event: "set 05", "get", "pause 10", "msgs", "loading 3/43".
struct Journal {
    std::mutex mutex;
    std::vector<std::string> lines;

    void Add(std::string line)
    {
        std::lock_guard lock(mutex);
        lines.push_back(std::move(line));
    }
};

inline std::string Hex(std::uint8_t byte)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

class ScriptedHid : public HidDevice {
public:
    explicit ScriptedHid(Journal* journal = nullptr) : journal_(journal) {}

    // The answer to a request, given at the poll that finds it finished. By default the
    // request comes back with the done status.
    std::function<Report(const Report& request)> respond = [](const Report& request) {
        Report reply = request;
        reply[7] = 0xCC;
        return reply;
    };
    // How many polls read "busy" before the answer to request number `index` (counted
    // over all SetFeature calls from 0); kNever for never.
    std::function<std::size_t(const Report& request, std::size_t index)> busyPolls =
        [](const Report&, std::size_t) { return std::size_t{0}; };
    bool failSet = false;
    bool failGet = false;
    // Yield inside every call, to give another thread the chance to slip in between.
    bool yield = false;

    bool SetFeature(const Report& report) override
    {
        std::lock_guard lock(mutex_);
        Note("set " + Hex(report[1]) + (failSet ? " failed" : ""));
        if (failSet)
            return false;
        sent.push_back(report);
        setters.push_back(std::this_thread::get_id());
        pending_ = report;
        busyLeft_ = busyPolls(report, sent.size() - 1);
        answered_ = false;
        return true;
    }

    bool GetFeature(Report& report) override
    {
        std::lock_guard lock(mutex_);
        Note(failGet ? "get failed" : "get");
        ++gets;
        if (!setters.empty() && setters.back() != std::this_thread::get_id())
            interleaved = true;
        if (failGet)
            return false;  // leaves `report` as it was
        if (answered_) {
            report = last_;
        } else if (busyLeft_ > 0) {
            if (busyLeft_ != kNever)
                --busyLeft_;
            report = pending_;
            report[7] = 0;
        } else {
            last_ = respond(pending_);
            answered_ = true;
            report = last_;
        }
        return true;
    }

    std::vector<Report> sent;                  // every report SetFeature accepted
    std::vector<std::thread::id> setters;      // the thread that sent each of them
    std::size_t gets = 0;
    bool interleaved = false;                  // a poll came from another thread than its command

private:
    void Note(const std::string& line)
    {
        if (journal_)
            journal_->Add(line);
        if (yield)
            std::this_thread::yield();
    }

    Journal* journal_;
    std::mutex mutex_;
    Report pending_{};
    Report last_{};
    std::size_t busyLeft_ = 0;
    bool answered_ = false;
};

class JournalWaiting : public RecordingWaiting {
public:
    explicit JournalWaiting(Journal& journal) : journal_(journal) {}

    void Pause(std::chrono::milliseconds duration) override
    {
        journal_.Add("pause " + std::to_string(duration.count()));
        RecordingWaiting::Pause(duration);
    }
    void ProcessPendingMessages() override
    {
        journal_.Add("msgs");
        RecordingWaiting::ProcessPendingMessages();
    }
    void ShowLoadingWindow(std::size_t chunk, std::size_t chunkCount) override
    {
        journal_.Add("loading " + std::to_string(chunk) + "/" + std::to_string(chunkCount));
        RecordingWaiting::ShowLoadingWindow(chunk, chunkCount);
    }

private:
    Journal& journal_;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        static int counter = 0;
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("qeltra3k-" + std::string(test ? test->name() : "test") + "-" +
                 std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace qeltra3k::device::testing
