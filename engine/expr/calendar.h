#pragma once
// Whole-day serial numbers counted from 30 December 1899 as day 0, and the
// calendar dates they stand for (proleptic Gregorian calendar).

#include <cstdint>

namespace zk {

struct TCalendarDate {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
};

std::int64_t DaySerial(const TCalendarDate& date);
TCalendarDate DateFromSerial(std::int64_t serial);
// 1 Monday .. 7 Sunday.
int IsoWeekday(std::int64_t serial);
// Division rounding towards minus infinity.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace zk
