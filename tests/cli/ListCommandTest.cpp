// `qeltra3k list` against a machine with a few HID interfaces of every kind the search
// turns away, and the virtual mouse beside them.
#include "DeviceCliFixture.h"

namespace qeltra3k::cli::testing {
namespace {

struct FakeInterface {
    const char* path;
    std::uint16_t vendorId;
    std::uint16_t productId;
    std::uint16_t version;
    std::optional<std::size_t> featureReportLength;
    const char* problem;
    const char* openError;  // nothing: it opens
};

class FakeMachineBus final : public device::HidBus {
public:
    explicit FakeMachineBus(std::vector<FakeInterface> interfaces) : interfaces_(std::move(interfaces)) {}

    std::vector<device::HidInterfaceInfo> Enumerate() override
    {
        std::vector<device::HidInterfaceInfo> list;
        for (const auto& fake : interfaces_) {
            device::HidInterfaceInfo info;
            info.path = fake.path;
            info.vendorId = fake.vendorId;
            info.productId = fake.productId;
            info.version = fake.version;
            info.featureReportLength = fake.featureReportLength;
            info.problem = fake.problem;
            list.push_back(info);
        }
        return list;
    }
    std::unique_ptr<device::HidDevice> Open(const std::string& path, std::string& error) override
    {
        for (const auto& fake : interfaces_)
            if (path == fake.path && fake.openError != nullptr)
                error = fake.openError;
        // Nothing here is ever talked to: an opening that works gives a device that refuses.
        if (!error.empty())
            return nullptr;
        return std::make_unique<device::testing::ScriptedHid>();
    }

private:
    std::vector<FakeInterface> interfaces_;
};

const std::vector<FakeInterface> kMachine{
    {"/dev/hidraw0", 0x046D, 0xC52B, 0x1211, 20, "", nullptr},
    {"/dev/hidraw1", 0x1209, 0x0001, 0x0110, 8, "", nullptr},
    {"/dev/hidraw2", 0x1209, 0x0001, 0x0104, 64, "", nullptr},
    {"/dev/hidraw3", 0x1209, 0x0001, 0x0104, std::nullopt, "report descriptor truncated", nullptr},
    {"/dev/hidraw4", 0x1209, 0x0001, 0x0104, 8, "", "Permission denied"},
};

TEST_F(DeviceCliTest, ListSaysWhichInterfacesTheSearchAcceptsAndWhyNot)
{
    environment.systemBus = [] { return std::make_unique<FakeMachineBus>(kMachine); };
    const Result result = Run({"list"});
    EXPECT_EQ(result.code, kExitOk) << result.err;
    for (const char* line : {
             "/dev/hidraw0   046d:c52b  version 0x1211  feature report 20 bytes  not accepted: not the target "
             "mouse 1209:0001\n",
             "/dev/hidraw1   1209:0001  version 0x0110  feature report 8 bytes  not accepted: version 0x0110, not "
             "0x0104\n",
             "/dev/hidraw2   1209:0001  version 0x0104  feature report 64 bytes  not accepted: feature report "
             "length 64, not 8\n",
             "/dev/hidraw3   1209:0001  version 0x0104  feature report ? bytes  not accepted: feature report "
             "length unknown: report descriptor truncated\n",
             "/dev/hidraw4   1209:0001  version 0x0104  feature report 8 bytes  accepted, but it cannot be "
             "opened: Permission denied\n",
             "virtual:mouse  1209:0001  version 0x0104  feature report 8 bytes  accepted\n",
             "6 HID interfaces, 1 accepted\n"})
        EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
}

TEST_F(DeviceCliTest, ListWithoutAnAcceptedInterfaceExitsWithNoDevice)
{
    environment.systemBus = [] { return std::make_unique<FakeMachineBus>(kMachine); };
    const Result result = RunBare({"list"});
    EXPECT_EQ(result.code, kExitNoDevice);
    EXPECT_NE(result.out.find("5 HID interfaces, 0 accepted"), std::string::npos) << result.out;
    EXPECT_EQ(RunBare({"list", "--json"}).code, kExitUsage);
}

}  // namespace
}  // namespace qeltra3k::cli::testing
