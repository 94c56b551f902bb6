// The date and time words of a node log record, as the controller packs them.
#pragma once

#include <cstdint>

inline uint32_t LogDate(int year, int month, int day)
{
    return static_cast<uint32_t>(month) | static_cast<uint32_t>(day) << 8 | static_cast<uint32_t>(year) << 16;
}

inline uint32_t LogTime(int hour, int minute, int second)
{
    return static_cast<uint32_t>(hour) | static_cast<uint32_t>(minute) << 8 |
           static_cast<uint32_t>(second) << 16;
}
