#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>
#include <unistd.h>

namespace qeltra3k::fire::testing {

class ScratchFolder {
public:
    ScratchFolder()
    {
        static std::atomic<int> counter{0};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string("qeltra3k-fire-") + (info ? info->name() : "test") + "-" +
                                 std::to_string(::getpid()) + "-" + std::to_string(counter++);
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace qeltra3k::fire::testing
