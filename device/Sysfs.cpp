#include "device/Sysfs.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>
#include <utility>

#include "device/AtomicFile.h"
#include "device/FeatureProtocol.h"
#include "device/ReportDescriptor.h"

namespace qeltra3k::device {

namespace {

constexpr std::string_view kDevFolder = "/dev/";
constexpr std::string_view kNodePrefix = "hidraw";
constexpr std::size_t kMaxNodeDigits = 6;

// Whether `path` is `folder` or lies below it; both already canonical.
bool IsInside(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    return std::mismatch(folder.begin(), folder.end(), path.begin(), path.end()).first == folder.end();
}

// bcdDevice holds four hex digits and a newline.
std::optional<std::uint16_t> ParseBcd(const std::vector<std::uint8_t>& bytes)
{
    std::string text(bytes.begin(), bytes.end());
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    std::uint16_t value = 0;
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (code != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

Sysfs::Sysfs(std::filesystem::path root) : root_(std::move(root)) {}

std::optional<std::string> Sysfs::NodeName(std::string_view node)
{
    if (node.starts_with(kDevFolder))
        node.remove_prefix(kDevFolder.size());
    if (!node.starts_with(kNodePrefix))
        return std::nullopt;
    const std::string_view digits = node.substr(kNodePrefix.size());
    if (digits.empty() || digits.size() > kMaxNodeDigits ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::string(node);
}

std::filesystem::path Sysfs::NodeFolder(const std::string& name) const
{
    return root_ / "sys" / "class" / "hidraw" / name;
}

std::optional<std::vector<std::uint8_t>> Sysfs::ReportDescriptor(std::string_view node, std::string& error) const
{
    const auto name = NodeName(node);
    if (!name) {
        error = "\"" + std::string(node) + "\" is not a hidraw node";
        return std::nullopt;
    }
    FileContent content = ReadWholeFile(NodeFolder(*name) / "device" / "report_descriptor");
    if (!content.bytes) {
        error = content.error;
        return std::nullopt;
    }
    return std::move(content.bytes);
}

std::optional<std::uint16_t> Sysfs::UsbVersion(std::string_view node, std::string& error) const
{
    const auto name = NodeName(node);
    if (!name) {
        error = "\"" + std::string(node) + "\" is not a hidraw node";
        return std::nullopt;
    }
    // The node's device link leads to the HID device; above it sit the USB interface and
    // then the USB device, the first folder on the way up that has a bcdDevice.
    std::error_code failure;
    const std::filesystem::path start = std::filesystem::canonical(NodeFolder(*name) / "device", failure);
    if (failure) {
        error = "cannot follow " + (NodeFolder(*name) / "device").string() + ": " + failure.message();
        return std::nullopt;
    }
    std::filesystem::path bound = std::filesystem::canonical(root_ / "sys", failure);
    if (failure)
        bound = std::filesystem::canonical(root_, failure);
    if (failure) {
        error = "cannot resolve " + root_.string() + ": " + failure.message();
        return std::nullopt;
    }
    for (std::filesystem::path folder = start; IsInside(folder, bound); folder = folder.parent_path()) {
        const std::filesystem::path file = folder / "bcdDevice";
        if (std::filesystem::exists(file, failure)) {
            FileContent content = ReadWholeFile(file);
            if (!content.bytes) {
                error = content.error;
                return std::nullopt;
            }
            if (const auto version = ParseBcd(*content.bytes))
                return version;
            error = file.string() + " does not hold a four-digit hexadecimal number";
            return std::nullopt;
        }
        if (folder == bound || folder == folder.parent_path())
            break;
    }
    error = "no USB device above " + *name + " (not a USB device?)";
    return std::nullopt;
}

std::vector<HidInterfaceInfo> DescribeInterfaces(std::span<const HidrawEntry> entries, const Sysfs& sysfs)
{
    std::vector<HidInterfaceInfo> interfaces;
    std::set<std::string> seen;
    for (const HidrawEntry& entry : entries) {
        if (!seen.insert(entry.path).second)
            continue;
        HidInterfaceInfo info;
        info.path = entry.path;
        info.vendorId = entry.vendorId;
        info.productId = entry.productId;
        std::vector<std::string> problems;
        std::string error;
        if (const auto version = sysfs.UsbVersion(entry.path, error))
            info.version = *version;
        else
            problems.push_back("version unknown: " + error);
        if (const auto descriptor = sysfs.ReportDescriptor(entry.path, error)) {
            const ReportDescriptorLayout layout = ParseReportDescriptor(*descriptor);
            if (layout.Accepted())
                info.featureReportLength = NodeFeatureReportLength(layout.collections, ReportId);
            else
                problems.push_back("report descriptor not accepted: " + layout.problem);
        } else {
            problems.push_back("no report descriptor: " + error);
        }
        for (const std::string& problem : problems)
            info.problem += (info.problem.empty() ? "" : "; ") + problem;
        interfaces.push_back(std::move(info));
    }
    return interfaces;
}

}  // namespace qeltra3k::device
