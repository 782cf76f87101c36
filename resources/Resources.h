#pragma once
// Resources compiled into the programs (default images, presets, layout sections,
// language tables, pictures), found by their resource names.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qeltra3k::resources {

using Bytes = std::span<const std::uint8_t>;

// The bytes of the resource called `name` (names are case-sensitive), or nothing.
std::optional<Bytes> Find(std::string_view name);

// Every resource name, in the order they were embedded.
std::vector<std::string_view> Names();

namespace embedded {
struct Entry {
    const char* name;
    Bytes bytes;
};
extern const Entry kEntries[];
extern const std::size_t kEntryCount;
}  // namespace embedded

}  // namespace qeltra3k::resources
