#include "engine/expr/calendar.h"

namespace zk {

namespace {

// Days from 1 January 1970 (civil-from-days and days-from-civil of the
// proleptic Gregorian calendar, eras of 400 years).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// 30 December 1899 counted from 1 January 1970.
constexpr std::int64_t SerialEpoch = -25569;

}  // namespace

std::int64_t DaySerial(const TCalendarDate& date)
{
    return DaysFromCivil(date.Year, date.Month, date.Day) - SerialEpoch;
}

TCalendarDate DateFromSerial(std::int64_t serial)
{
    const std::int64_t z = serial + SerialEpoch + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const std::int64_t year = yoe + era * 400 + (month <= 2);
    return {static_cast<int>(year), month, day};
}

int IsoWeekday(std::int64_t serial)
{
    // Day 0 (30 December 1899) was a Saturday.
    const std::int64_t fromMonday = ((serial + 5) % 7 + 7) % 7;
    return static_cast<int>(fromMonday) + 1;
}

}  // namespace zk
