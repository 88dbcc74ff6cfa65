#pragma once

#include <functional>

// The local clock, read one field at a time. Tests put a clock of their own in its place.
namespace platform {

enum class ClockField { Year, Month, Day, Hour, Minute };

// One reading of the local date and time, giving the one field asked for: the year in full,
// the month 1 to 12, the day 1 to 31, the hour 0 to 23, the minute 0 to 59.
int ReadClock(ClockField field);

// Replaces the clock for the whole program; an empty function puts the system's clock back.
void SetClockForTesting(std::function<int(ClockField)> clock);

}  // namespace platform
