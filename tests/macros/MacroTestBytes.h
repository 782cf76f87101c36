#pragma once
// Helpers for the macro tests: bodies written the way the examples show them.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "macros/MacroBody.h"

namespace qeltra3k::macros::testing {

using Bytes = std::vector<std::uint8_t>;

// `head` followed by zero bytes up to the layout's body size.
inline Bytes Body(std::initializer_list<std::uint8_t> head, BodyLayout layout)
{
    Bytes body(head);
    body.resize(Describe(layout).bodySize, 0x00);
    return body;
}

}  // namespace qeltra3k::macros::testing
