#pragma once
// Where the pointer settings of the user account are read from and handed to. On Windows that
// is the user's registry and the running system; Linux has no system-wide equivalent (each
// desktop keeps its own), so there the editor only remembers the values in its per-user data
// folder and the page offers them as its own remembered settings.
#include <filesystem>
#include <memory>

#include "config/PointerSettings.h"

namespace qeltra3k::device {

class PointerSettingsStore {
public:
    virtual ~PointerSettingsStore() = default;
    // The values as kept now; missing keys and values are marked missing.
    virtual config::SystemPointerValues Read() = 0;
    // Writes the values of the keys that exist and applies them; false when nothing could be
    // written (no one is told: the settings stay on the page as chosen).
    virtual bool Write(const config::SystemPointerValues& values) = 0;
    // Whether the values reach the running system, or are only remembered by the editor.
    virtual bool AppliesToSystem() const = 0;
};

// The values kept in a small text file (one "Name=number" line each). A missing file reads
// as the values a fresh Windows account starts with.
class FilePointerSettingsStore : public PointerSettingsStore {
public:
    explicit FilePointerSettingsStore(std::filesystem::path file);
    config::SystemPointerValues Read() override;
    bool Write(const config::SystemPointerValues& values) override;
    bool AppliesToSystem() const override { return false; }

private:
    std::filesystem::path file_;
};

inline constexpr const char* kPointerSettingsFileName = "PointerSettings.txt";

// The platform's store: the registry and the system on Windows, the file in `dataFolder`
// elsewhere.
std::unique_ptr<PointerSettingsStore> MakeSystemPointerSettingsStore(const std::filesystem::path& dataFolder);

}  // namespace qeltra3k::device
