#include "fire/GunKeys.h"

#include <array>

namespace qeltra3k::fire {

namespace {

struct Gun {
    std::string_view textKey;
    std::array<std::size_t, kMaxGunRows> fireMacros;  // 0 past the gun's last row
    std::size_t rows;
    std::array<int, kMaxGunRows> modeImages;
};

constexpr std::array<Gun, kGunCount> kGuns{{
    {"Str600", {1}, 1, {}},
    {"Str601", {2}, 1, {}},
    {"Str602", {3}, 1, {}},
    {"Str603", {4}, 1, {}},
    {"Str604", {5}, 1, {}},
    {"Str605", {6, 7}, 2, {1, 2}},
    {"Str606", {8, 9, 10}, 3, {3, 4, 5}},
}};

const Gun* FindGun(int gun)
{
    return gun >= 1 && gun <= kGunCount ? &kGuns[static_cast<std::size_t>(gun - 1)] : nullptr;
}

}  // namespace

std::string_view GunTextKey(int gun)
{
    const Gun* entry = FindGun(gun);
    return entry ? entry->textKey : std::string_view{};
}

std::optional<config::KeyCode> GunKeyCode(int gun, int gun6Num, int gun7Num)
{
    const Gun* entry = FindGun(gun);
    if (!entry)
        return std::nullopt;
    const int played = gun == 6 ? gun6Num : gun == 7 ? gun7Num : 1;
    if (played < 1 || static_cast<std::size_t>(played) > entry->rows)
        return std::nullopt;
    const std::size_t first = entry->fireMacros[0];
    const std::size_t last = first + static_cast<std::size_t>(played) - 1;
    return config::KeyCode{config::code_type::GunKey, static_cast<std::uint8_t>(first),
                           static_cast<std::uint8_t>(last)};
}

std::span<const std::size_t> GunFireMacros(int gun)
{
    const Gun* entry = FindGun(gun);
    if (!entry)
        return {};
    return std::span(entry->fireMacros).first(entry->rows);
}

std::span<const int> GunModeImages(int gun)
{
    const Gun* entry = FindGun(gun);
    if (!entry || entry->rows < 2)
        return {};
    return std::span(entry->modeImages).first(entry->rows);
}

}  // namespace qeltra3k::fire
