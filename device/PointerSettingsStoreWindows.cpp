// The pointer settings of the Windows user account: the values under the current user's
// "Control Panel\Mouse" and "Control Panel\Desktop" keys, stored as strings, and the running
// system told through SystemParametersInfo. Only Windows builds compile this file.
#ifdef _WIN32

#include <windows.h>

#include <charconv>
#include <cstring>
#include <optional>
#include <string>

#include "device/PointerSettingsStore.h"

namespace qeltra3k::device {

namespace {

constexpr const char* kMouseKey = "Control Panel\\Mouse";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";

// Opens an existing key; a key that is missing is never created.
HKEY OpenKey(const char* path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

std::optional<int> ReadNumber(HKEY key, const char* name)
{
    char buffer[64] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    const std::string text(buffer, strnlen(buffer, sizeof(buffer)));
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void WriteNumber(HKEY key, const char* name, const std::optional<int>& value)
{
    if (!value)
        return;
    const std::string text = std::to_string(*value);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

class RegistryPointerSettingsStore : public PointerSettingsStore {
public:
    config::SystemPointerValues Read() override
    {
        config::SystemPointerValues values;
        if (HKEY mouse = OpenKey(kMouseKey, KEY_READ)) {
            values.mouseKeyPresent = true;
            values.mouseSensitivity = ReadNumber(mouse, "MouseSensitivity");
            values.mouseSpeed = ReadNumber(mouse, "MouseSpeed");
            values.mouseThreshold1 = ReadNumber(mouse, "MouseThreshold1");
            values.mouseThreshold2 = ReadNumber(mouse, "MouseThreshold2");
            values.doubleClickSpeed = ReadNumber(mouse, "DoubleClickSpeed");
            RegCloseKey(mouse);
        }
        if (HKEY desktop = OpenKey(kDesktopKey, KEY_READ)) {
            values.desktopKeyPresent = true;
            values.wheelScrollLines = ReadNumber(desktop, "WheelScrollLines");
            RegCloseKey(desktop);
        }
        return values;
    }

    bool Write(const config::SystemPointerValues& values) override
    {
        bool wrote = false;
        if (HKEY mouse = OpenKey(kMouseKey, KEY_WRITE)) {
            WriteNumber(mouse, "MouseSensitivity", values.mouseSensitivity);
            WriteNumber(mouse, "MouseSpeed", values.mouseSpeed);
            WriteNumber(mouse, "MouseThreshold1", values.mouseThreshold1);
            WriteNumber(mouse, "MouseThreshold2", values.mouseThreshold2);
            WriteNumber(mouse, "DoubleClickSpeed", values.doubleClickSpeed);
            RegCloseKey(mouse);
            wrote = true;
        }
        if (HKEY desktop = OpenKey(kDesktopKey, KEY_WRITE)) {
            WriteNumber(desktop, "WheelScrollLines", values.wheelScrollLines);
            RegCloseKey(desktop);
            wrote = true;
        }
        Apply(values);
        return wrote;
    }

    bool AppliesToSystem() const override { return true; }

private:
    static void Apply(const config::SystemPointerValues& values)
    {
        if (values.mouseSensitivity)
            SystemParametersInfoA(SPI_SETMOUSESPEED, 0,
                                  reinterpret_cast<PVOID>(static_cast<INT_PTR>(*values.mouseSensitivity)),
                                  SPIF_SENDCHANGE);
        if (values.mouseSpeed && values.mouseThreshold1 && values.mouseThreshold2) {
            int parameters[3] = {*values.mouseThreshold1, *values.mouseThreshold2, *values.mouseSpeed};
            SystemParametersInfoA(SPI_SETMOUSE, 0, parameters, SPIF_SENDCHANGE);
        }
        if (values.doubleClickSpeed)
            SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(*values.doubleClickSpeed), nullptr,
                                  SPIF_SENDCHANGE);
        if (values.wheelScrollLines) {
            // -1 is one screen at a time (WHEEL_PAGESCROLL, all bits set).
            const UINT lines = *values.wheelScrollLines == config::kWheelOneScreen
                                   ? WHEEL_PAGESCROLL
                                   : static_cast<UINT>(*values.wheelScrollLines);
            SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, SPIF_UPDATEINIFILE);
        }
    }
};

}  // namespace

std::unique_ptr<PointerSettingsStore> MakeSystemPointerSettingsStore(const std::filesystem::path&)
{
    return std::make_unique<RegistryPointerSettingsStore>();
}

}  // namespace qeltra3k::device

#endif
