#pragma once
// Storing computed geometry back into the 16-bit figure fields: values
// beyond a field's range stop at its limit instead of wrapping.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zk {

inline std::int16_t SaturateI16(std::int64_t value)
{
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

inline std::uint16_t SaturateU16(std::int64_t value)
{
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::uint16_t>::max()));
}

}  // namespace zk
