#include "engine/expr/clock.h"

#include <ctime>

namespace zk {

namespace {
std::optional<TClockTime> FixedNow;
}  // namespace

TClockTime ClockNow()
{
    if (FixedNow) {
        return *FixedNow;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

void SetClockNow(std::optional<TClockTime> time) { FixedNow = time; }

}  // namespace zk
