// `qeltra3k list`: the HID interfaces as the mouse search sees them, and why each one is or
// is not taken for the mouse, so a user can tell a missing udev rule from a missing mouse.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

#include "app/Controller.h"
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DeviceSession.h"
#include "device/TargetMouse.h"

namespace qeltra3k::cli {

namespace {

std::string Hex(unsigned value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

std::string Ids(std::uint16_t vendorId, std::uint16_t productId)
{
    return Hex(vendorId, 4) + ":" + Hex(productId, 4);
}

// Why the device search does not accept an interface (the tests of OpenMouse, in its
// order), or nothing when it does.
std::optional<std::string> WhyNotAccepted(const device::HidInterfaceInfo& info,
                                          const std::array<app::CandidatePair, 2>& candidates)
{
    const bool candidate = std::any_of(candidates.begin(), candidates.end(), [&](const app::CandidatePair& pair) {
        return pair.vendorId != 0 && pair.productId != 0 && pair.vendorId == info.vendorId &&
               pair.productId == info.productId;
    });
    if (!candidate)
        return "not the target mouse " + Ids(candidates[0].vendorId, candidates[0].productId);
    if (!info.featureReportLength)
        return "feature report length unknown: " + info.problem;
    if (*info.featureReportLength != device::kTargetFeatureReportLength)
        return "feature report length " + std::to_string(*info.featureReportLength) + ", not " +
               std::to_string(device::kTargetFeatureReportLength);
    if (info.version != device::kTargetVersion)
        return "version 0x" + Hex(info.version, 4) + ", not 0x" + Hex(device::kTargetVersion, 4);
    return std::nullopt;
}

}  // namespace

int ListCommand(const Args& input, const Environment& environment, std::ostream& out, std::ostream& err)
{
    constexpr const char* kListUsage = "usage: qeltra3k list [--virtual-mouse[=IMAGE_FILE]]\n";
    Args args = input;
    DeviceOptions options;
    if (!TakeDeviceOptions(args, options, err, kListUsage))
        return kExitUsage;
    if (!args.empty()) {
        err << kListUsage;
        return kExitUsage;
    }
    Session session(environment, options, out, err);
    if (const int code = session.Open())
        return code;

    const auto candidates = app::ControllerSetup{}.candidates;
    const auto interfaces = session.Bus().Enumerate();
    std::size_t pathWidth = 4;
    for (const auto& info : interfaces)
        pathWidth = std::max(pathWidth, info.path.size());

    std::size_t accepted = 0;
    for (const auto& info : interfaces) {
        std::string verdict;
        if (const auto why = WhyNotAccepted(info, candidates)) {
            verdict = "not accepted: " + *why;
        } else {
            // Accepted by its attributes; the search still has to open it, which is what a
            // missing udev rule stops.
            std::string error;
            if (session.Bus().Open(info.path, error)) {
                verdict = "accepted";
                ++accepted;
            } else {
                verdict = "accepted, but it cannot be opened: " + error;
            }
        }
        const std::string length = info.featureReportLength ? std::to_string(*info.featureReportLength) : "?";
        out << info.path << std::string(pathWidth - info.path.size() + 2, ' ') << Ids(info.vendorId, info.productId)
            << "  version 0x" << Hex(info.version, 4) << "  feature report " << length << " bytes  " << verdict
            << '\n';
    }
    out << interfaces.size() << (interfaces.size() == 1 ? " HID interface, " : " HID interfaces, ") << accepted
        << " accepted\n";
    return accepted > 0 ? kExitOk : kExitNoDevice;
}

}  // namespace qeltra3k::cli
