#include "system/Time.h"

#include <ctime>

Time Time::now()
{
    return Time(static_cast<i64>(std::time(nullptr)));
}

UString formatTimestamp(const Time& time)
{
    std::time_t value = static_cast<std::time_t>(time.seconds);
    std::tm broken{};
    if (gmtime_r(&value, &broken) == nullptr) {
        return UString();
    }
    char buffer[256];
    size_t length = std::strftime(buffer, sizeof(buffer), "%Y-%m-%d %H.%M.%S", &broken);
    return UString(buffer, length);
}
