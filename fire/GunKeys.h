#pragma once
// The seven gun keys of the fire macro page: their names, the key code each assigns (guns 6
// and 7 cover as many fire macros as the layout's Gun6_Num and Gun7_Num say), and which fire
// macros the page's rows edit for each gun.
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "config/Conversion.h"

namespace qeltra3k::fire {

inline constexpr int kGunCount = 7;
// The most rows (fire macros) one gun shows.
inline constexpr std::size_t kMaxGunRows = 3;

// Language key of gun g's name (Str600 .. Str606); empty for another g.
std::string_view GunTextKey(int gun);

// The gun key code gun g assigns: 0C, first fire macro, last fire macro. Guns 1 .. 5 play
// one fire macro; gun 6 plays gun6Num (1 or 2) from fire macro 6, gun 7 gun7Num (1 .. 3) from
// fire macro 8. Nothing for a gun or a count outside those ranges.
std::optional<config::KeyCode> GunKeyCode(int gun, int gun6Num, int gun7Num);

// The fire macros (1-based) that rows 1, 2, 3 of gun g edit: every row the gun may ever play,
// whatever Gun6_Num and Gun7_Num say. Empty for another g.
std::span<const std::size_t> GunFireMacros(int gun);

// The gun mode pictures (Img_GunMode1 .. 5) shown beside the rows of gun g, row by row;
// empty for a single-row gun.
std::span<const int> GunModeImages(int gun);

}  // namespace qeltra3k::fire
