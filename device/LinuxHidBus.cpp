#if defined(__linux__)

#include "device/LinuxHidBus.h"

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <utility>

#include <hidapi.h>
#include <unistd.h>

namespace qeltra3k::device {

namespace {

// hidapi wants one hid_init before anything else; hid_exit is left to the end of the
// process, because buses and opened devices may outlive one another.
bool InitHidapi()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = hid_init() == 0; });
    return ready;
}

// hidapi reports errors as wide strings; ours are UTF-8.
std::string Utf8(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text) {
        const auto code = static_cast<std::uint32_t>(*text);
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x110000) {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += '?';
        }
    }
    return out;
}

class LinuxHidDevice final : public HidDevice {
public:
    explicit LinuxHidDevice(hid_device* handle) : handle_(handle) {}
    ~LinuxHidDevice() override { hid_close(handle_); }
    LinuxHidDevice(const LinuxHidDevice&) = delete;
    LinuxHidDevice& operator=(const LinuxHidDevice&) = delete;

    bool SetFeature(const Report& report) override
    {
        return hid_send_feature_report(handle_, report.data(), report.size()) ==
               static_cast<int>(report.size());
    }

    bool GetFeature(Report& report) override
    {
        // A short answer would leave the status byte of an earlier reply in place, which
        // could pass for "done": only a whole report is handed back.
        Report answer = report;
        if (hid_get_feature_report(handle_, answer.data(), answer.size()) != static_cast<int>(answer.size()))
            return false;
        report = answer;
        return true;
    }

private:
    hid_device* handle_;
};

}  // namespace

LinuxHidBus::LinuxHidBus(std::filesystem::path sysfsRoot) : sysfs_(std::move(sysfsRoot)) {}

std::vector<HidInterfaceInfo> LinuxHidBus::Enumerate()
{
    if (!InitHidapi())
        return {};
    std::vector<HidrawEntry> entries;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* entry = list; entry; entry = entry->next)
        if (entry->path)
            entries.push_back({entry->path, entry->vendor_id, entry->product_id});
    hid_free_enumeration(list);
    return DescribeInterfaces(entries, sysfs_);
}

std::unique_ptr<HidDevice> LinuxHidBus::Open(const std::string& path, std::string& error)
{
    if (!path.starts_with("/dev/") || !Sysfs::NodeName(path)) {
        error = "\"" + path + "\" is not a hidraw device path";
        return nullptr;
    }
    if (!InitHidapi()) {
        error = "the HID library could not be started";
        return nullptr;
    }
    if (hid_device* handle = hid_open_path(path.c_str()))
        return std::make_unique<LinuxHidDevice>(handle);
    error = "cannot open " + path;
    if (const std::string reason = Utf8(hid_error(nullptr)); !reason.empty())
        error += ": " + reason;
    if (::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES)
        error += " (no permission: is the udev rule 60-qeltra3k.rules installed?)";
    return nullptr;
}

}  // namespace qeltra3k::device

#endif
