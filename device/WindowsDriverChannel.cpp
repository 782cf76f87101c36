// The filter driver on Windows: its device is found among the present interfaces of its
// own class by the product id in the device path, and spoken to with DeviceIoControl. The
// buffers and the path rule live in DriverChannelFormat, compiled everywhere; only the
// system calls are here, so this file exists for Windows builds alone.
#ifdef _WIN32

#include "device/DriverChannel.h"

#include <windows.h>
#include <setupapi.h>

#include <string>
#include <vector>

namespace qeltra3k::device {

namespace {

// The device-setup services are loaded on first use rather than linked, so the program
// starts (and EEPROM mode works) even where the library cannot be loaded.
struct SetupApi {
    using GetClassDevsFn = HDEVINFO(WINAPI*)(const GUID*, PCSTR, HWND, DWORD);
    using EnumInterfacesFn = BOOL(WINAPI*)(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD,
                                           PSP_DEVICE_INTERFACE_DATA);
    using GetInterfaceDetailFn = BOOL(WINAPI*)(HDEVINFO, PSP_DEVICE_INTERFACE_DATA,
                                               PSP_DEVICE_INTERFACE_DETAIL_DATA_A, DWORD, PDWORD, PSP_DEVINFO_DATA);
    using DestroyListFn = BOOL(WINAPI*)(HDEVINFO);

    GetClassDevsFn getClassDevs = nullptr;
    EnumInterfacesFn enumInterfaces = nullptr;
    GetInterfaceDetailFn getInterfaceDetail = nullptr;
    DestroyListFn destroyList = nullptr;

    bool Loaded() const { return getClassDevs && enumInterfaces && getInterfaceDetail && destroyList; }
};

template <typename Fn>
Fn Resolve(HMODULE module, const char* name)
{
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const SetupApi& LoadSetupApi()
{
    static const SetupApi api = [] {
        SetupApi loaded;
        const HMODULE module = LoadLibraryA("SetupApi.dll");
        if (!module)
            return loaded;
        loaded.getClassDevs = Resolve<SetupApi::GetClassDevsFn>(module, "SetupDiGetClassDevsA");
        loaded.enumInterfaces = Resolve<SetupApi::EnumInterfacesFn>(module, "SetupDiEnumDeviceInterfaces");
        loaded.getInterfaceDetail =
            Resolve<SetupApi::GetInterfaceDetailFn>(module, "SetupDiGetDeviceInterfaceDetailA");
        loaded.destroyList = Resolve<SetupApi::DestroyListFn>(module, "SetupDiDestroyDeviceInfoList");
        return loaded;
    }();
    return api;
}

GUID ToGuid(const InterfaceClassId& id)
{
    GUID guid{};
    guid.Data1 = id.data1;
    guid.Data2 = id.data2;
    guid.Data3 = id.data3;
    for (std::size_t i = 0; i < id.data4.size(); ++i)
        guid.Data4[i] = id.data4[i];
    return guid;
}

// The device path of one enumerated interface; empty when its detail cannot be read.
std::string InterfacePath(const SetupApi& api, HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data)
{
    DWORD required = 0;
    if (api.getInterfaceDetail(set, &data, nullptr, 0, &required, nullptr) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || required == 0)
        return {};
    // Whole 64-bit words keep the structure aligned.
    std::vector<unsigned long long> storage((required + sizeof(unsigned long long) - 1) / sizeof(unsigned long long));
    auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!api.getInterfaceDetail(set, &data, detail, required, nullptr, nullptr))
        return {};
    return detail->DevicePath;
}

// Paths of the present interfaces of the driver's class, in enumeration order.
std::vector<std::string> PresentDriverPaths()
{
    std::vector<std::string> paths;
    const SetupApi& api = LoadSetupApi();
    if (!api.Loaded())
        return paths;
    const GUID guid = ToGuid(kDriverInterfaceClass);
    const HDEVINFO set = api.getClassDevs(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return paths;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!api.enumInterfaces(set, nullptr, &guid, index, &data))
            break;
        std::string path = InterfacePath(api, set, data);
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    api.destroyList(set);
    return paths;
}

class WindowsDriverChannel final : public DriverChannel {
public:
    ~WindowsDriverChannel() override { Close(); }

    bool Open(std::uint16_t productId) override
    {
        Close();
        // Every matching device that opens replaces the one before, so the last one wins,
        // as with the mouse's own interfaces.
        for (const std::string& path : PresentDriverPaths()) {
            if (!DriverPathMatches(path, productId))
                continue;
            const HANDLE opened = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr);
            if (opened == INVALID_HANDLE_VALUE)
                continue;
            Close();
            handle_ = opened;
        }
        return IsOpen();
    }

    void Close() override
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

    bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

protected:
    bool WriteAt(std::uint32_t offset, std::span<const std::uint8_t> bytes) override
    {
        std::vector<std::uint8_t> buffer = DriverWriteBuffer(offset, bytes);
        DWORD returned = 0;
        return DeviceIoControl(handle_, kDriverWriteCode, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                               0, &returned, nullptr) != FALSE;
    }

    std::optional<std::vector<std::uint8_t>> ReadAt(std::uint32_t offset, std::uint32_t length) override
    {
        std::vector<std::uint8_t> buffer = DriverReadBuffer(offset, length);
        const DWORD size = static_cast<DWORD>(buffer.size());
        DWORD returned = 0;
        // The driver's count of returned bytes is not relied on: what it left unwritten
        // stays zero, as the buffer was made.
        if (!DeviceIoControl(handle_, kDriverReadCode, buffer.data(), size, buffer.data(), size, &returned, nullptr))
            return std::nullopt;
        return DriverReadData(buffer, length);
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

std::unique_ptr<DriverChannel> MakeWindowsDriverChannel()
{
    return std::make_unique<WindowsDriverChannel>();
}

}  // namespace qeltra3k::device

#endif  // _WIN32
