#include "device/VirtualMouseBus.h"

#include <utility>

#include "device/TargetMouse.h"

namespace qeltra3k::device {

bool VirtualMouseBus::Link::Present() const
{
    return plugged && !mouse->Unplugged();
}

// One opening of the virtual mouse. Once it has seen the mouse gone it stays dead, even if
// the mouse comes back: a replugged device is a new device.
class VirtualMouseBus::Handle final : public HidDevice {
public:
    explicit Handle(std::shared_ptr<Link> link) : link_(std::move(link)), arrival_(link_->arrival) {}

    bool SetFeature(const Report& report) override { return Alive() && link_->mouse->SetFeature(report); }
    bool GetFeature(Report& report) override { return Alive() && link_->mouse->GetFeature(report); }

private:
    bool Alive()
    {
        if (dead_)
            return false;
        if (!link_->Present() || link_->arrival != arrival_)
            dead_ = true;
        return !dead_;
    }

    std::shared_ptr<Link> link_;
    const std::uint64_t arrival_;
    std::atomic<bool> dead_{false};
};

VirtualMouseBus::VirtualMouseBus(std::shared_ptr<VirtualMouse> mouse, std::unique_ptr<HidBus> inner)
    : link_(std::make_shared<Link>()), inner_(std::move(inner))
{
    link_->mouse = std::move(mouse);
}

HidInterfaceInfo VirtualMouseBus::Describe()
{
    HidInterfaceInfo info;
    info.path = kVirtualMousePath;
    info.vendorId = kTargetVendorId;
    info.productId = kTargetProductId;
    info.version = kTargetVersion;
    info.featureReportLength = kTargetFeatureReportLength;
    return info;
}

std::vector<HidInterfaceInfo> VirtualMouseBus::Enumerate()
{
    std::vector<HidInterfaceInfo> interfaces;
    if (inner_)
        interfaces = inner_->Enumerate();
    if (Plugged())
        interfaces.push_back(Describe());
    return interfaces;
}

std::unique_ptr<HidDevice> VirtualMouseBus::Open(const std::string& path, std::string& error)
{
    if (path == kVirtualMousePath) {
        if (!Plugged()) {
            error = "the virtual mouse is unplugged";
            return nullptr;
        }
        return std::make_unique<Handle>(link_);
    }
    if (inner_)
        return inner_->Open(path, error);
    error = "no interface \"" + path + "\" (only the virtual mouse is attached)";
    return nullptr;
}

void VirtualMouseBus::Unplug()
{
    link_->plugged = false;
}

void VirtualMouseBus::Plug()
{
    ++link_->arrival;
    link_->plugged = true;
}

bool VirtualMouseBus::Plugged() const
{
    return link_->Present();
}

}  // namespace qeltra3k::device
