#include "platform/clock.h"

#include <ctime>
#include <mutex>

namespace platform {
namespace {

std::mutex clockLock;
std::function<int(ClockField)> testClock;

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

int FieldOf(const std::tm& time, ClockField field) {
    switch (field) {
        case ClockField::Year:
            return time.tm_year + 1900;
        case ClockField::Month:
            return time.tm_mon + 1;
        case ClockField::Day:
            return time.tm_mday;
        case ClockField::Hour:
            return time.tm_hour;
        case ClockField::Minute:
            return time.tm_min;
    }
    return 0;
}

}  // namespace

int ReadClock(ClockField field) {
    {
        std::lock_guard lock(clockLock);
        if (testClock)
            return testClock(field);
    }
    return FieldOf(LocalNow(), field);
}

void SetClockForTesting(std::function<int(ClockField)> clock) {
    std::lock_guard lock(clockLock);
    testClock = std::move(clock);
}

}  // namespace platform
