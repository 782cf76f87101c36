#pragma once
// Small helpers for the fire macro tests: records written the way people read them.
#include <cstdint>
#include <sstream>
#include <string_view>
#include <vector>

#include "fire/FireMacroRecord.h"

namespace qeltra3k::fire::testing {

// "01 0C FD FF" -> bytes.
inline std::vector<std::uint8_t> Bytes(std::string_view hex)
{
    std::vector<std::uint8_t> bytes;
    std::istringstream in{std::string(hex)};
    unsigned value = 0;
    while (in >> std::hex >> value)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

// A record from its leading bytes; the rest is zero padding.
inline FireMacroRecord Record(std::string_view hex)
{
    FireMacroRecord record{};
    const auto bytes = Bytes(hex);
    for (std::size_t i = 0; i < bytes.size() && i < record.size(); ++i)
        record[i] = bytes[i];
    return record;
}

}  // namespace qeltra3k::fire::testing
