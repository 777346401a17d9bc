#pragma once
// The engine's clock: the current local date and time, which tests can fix
// so that date, time and week expressions give known results.

#include <optional>

namespace zk {

struct TClockTime {
    int Year = 2000;
    int Month = 1;  // 1..12
    int Day = 1;    // 1..31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// The fixed time when one is set, else the local time of the system clock.
TClockTime ClockNow();
// Fixes the clock at time; std::nullopt returns it to the system clock.
void SetClockNow(std::optional<TClockTime> time);

}  // namespace zk
