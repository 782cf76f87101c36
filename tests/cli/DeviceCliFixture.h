#pragma once
// The tool's device commands run in the process against a virtual mouse whose memory lives
// in a file of a fresh folder, with a waiting that never sleeps: a verified reset then takes
// milliseconds instead of seconds. Also the images the tests start from.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/DeviceSession.h"
#include "config/ConfigImage.h"
#include "config/Conversion.h"
#include "config/FormModel.h"
#include "device/DeviceFakes.h"
#include "device/VirtualDriverChannel.h"
#include "resources/Resources.h"

namespace qeltra3k::cli::testing {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Pauses are only added up; `onPause` sees each one (tests use it to act at a given pause).
class NoSleep final : public device::Waiting {
public:
    void Pause(std::chrono::milliseconds duration) override
    {
        total += duration.count();
        if (onPause)
            onPause(duration);
    }
    void ProcessPendingMessages() override {}
    void ShowLoadingWindow(std::size_t, std::size_t) override {}

    std::atomic<long long> total{0};
    std::function<void(std::chrono::milliseconds)> onPause;
};

struct Result {
    int code;
    std::string out;
    std::string err;
};

inline Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes Resource(std::string_view name)
{
    const auto bytes = resources::Find(name);
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes ? Bytes(bytes->begin(), bytes->end()) : Bytes{};
}

// `image` with key `key` (1..9) of key mode 1 set to `code`, the profile checksum made good.
inline Bytes WithKeyCode(Bytes image, std::size_t key, config::KeyCode code)
{
    config::DeviceImage whole{};
    std::copy(image.begin(), image.end(), whole.begin());
    config::DataBuf dataBuf{};
    config::LoadSections(whole, dataBuf);
    config::WriteKeyCode(dataBuf, *config::KeyCodeOffset(config::Profile::One, key), code);
    config::StoreSections(dataBuf, whole);
    return Bytes(whole.begin(), whole.end());
}

class DeviceCliTest : public ::testing::Test {
protected:
    DeviceCliTest()
    {
        environment.waiting = &waiting;
        environment.dataFolder = folder / "data";
    }

    // Runs the tool with the virtual mouse kept in mouseFile.
    Result Run(std::vector<std::string> args)
    {
        args.push_back("--virtual-mouse=" + mouseFile.string());
        return RunBare(std::move(args));
    }
    // Runs the tool as given.
    Result RunBare(const std::vector<std::string>& args)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunIn(environment, args, out, err);
        return {code, out.str(), err.str()};
    }

    void SetMemory(const Bytes& image) { WriteBytes(mouseFile, image); }
    Bytes Memory() const { return ReadBytes(mouseFile); }
    fs::path DriverFile() const { return device::VirtualDriverFileBeside(mouseFile); }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    device::testing::TempFolder folder;
    fs::path mouseFile = folder / "mouse.bin";
    NoSleep waiting;
    Environment environment;
};

}  // namespace qeltra3k::cli::testing
