#include "resources/Resources.h"

namespace qeltra3k::resources {

std::optional<Bytes> Find(std::string_view name)
{
    for (std::size_t i = 0; i < embedded::kEntryCount; ++i) {
        const auto& entry = embedded::kEntries[i];
        if (name == entry.name)
            return entry.bytes;
    }
    return std::nullopt;
}

std::vector<std::string_view> Names()
{
    std::vector<std::string_view> names;
    names.reserve(embedded::kEntryCount);
    for (std::size_t i = 0; i < embedded::kEntryCount; ++i)
        names.emplace_back(embedded::kEntries[i].name);
    return names;
}

}  // namespace qeltra3k::resources
