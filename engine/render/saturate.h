#pragma once
// Results stored back into the figures' 16-bit fields stop at the field's
// limits instead of wrapping.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zk {

inline std::int16_t SaturateToInt16(long long value)
{
    return static_cast<std::int16_t>(std::clamp<long long>(value, std::numeric_limits<std::int16_t>::min(),
                                                           std::numeric_limits<std::int16_t>::max()));
}

}  // namespace zk
