#include "model/util/TimeText.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
struct ClockParts {
    long long hours = 0, minutes = 0, seconds = 0, hundredths = 0;
};

// Beyond this the integer steps would overflow; nobody shows such a time.
constexpr double kMaxSeconds = 1e15;

ClockParts Split(double s)
{
    ClockParts c;
    c.hours = static_cast<long long>(s) / 3600;
    s -= static_cast<double>(c.hours * 3600);
    c.minutes = static_cast<long long>(s) / 60;
    s -= static_cast<double>(c.minutes * 60);
    if (c.minutes == 60) {
        ++c.hours;
        c.minutes = 0;
    }
    c.seconds = static_cast<long long>(s);
    s -= static_cast<double>(c.seconds);
    if (c.seconds == 60) {
        ++c.minutes;
        c.seconds = 0;
    }
    // A value a hair below the next hundredth (5.55 is stored as 5.5499...)
    // counts as that hundredth.
    double f = s * 100.0;
    c.hundredths = static_cast<long long>(f);
    double rest = 1.0 - (f - static_cast<double>(c.hundredths));
    if (rest < 0.01 && rest > 0) ++c.hundredths;
    if (c.hundredths == 100) {
        c.hundredths = 0;
        ++c.seconds;
    }
    if (c.seconds == 60) {
        c.seconds = 0;
        ++c.minutes;
    }
    if (c.minutes == 60) {
        c.minutes = 0;
        ++c.hours;
    }
    return c;
}
}

std::string FormatTimeText(double seconds, bool hundredths, bool longForm)
{
    // Callers pass durations; a negative one is shown with a sign.
    std::string sign;
    if (std::isnan(seconds)) seconds = 0;
    if (seconds < 0) {
        sign = "-";
        seconds = -seconds;
    }
    if (seconds > kMaxSeconds) seconds = kMaxSeconds;
    ClockParts c = Split(seconds);
    char buf[64];
    if (hundredths && longForm)
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld.%02lld", c.hours, c.minutes, c.seconds, c.hundredths);
    else if (hundredths && c.hours > 0)
        std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld.%02lld", c.hours, c.minutes, c.seconds, c.hundredths);
    else if (hundredths && c.minutes > 0)
        std::snprintf(buf, sizeof buf, "%02lld:%02lld.%02lld", c.minutes, c.seconds, c.hundredths);
    else if (hundredths && c.seconds > 0)
        std::snprintf(buf, sizeof buf, "%02lld.%02lld", c.seconds, c.hundredths);
    else if (hundredths)
        std::snprintf(buf, sizeof buf, "00.%02lld", c.hundredths);
    else if (c.hours > 0)
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", c.hours, c.minutes, c.seconds);
    else if (c.minutes > 0)
        std::snprintf(buf, sizeof buf, "%lld:%02lld", c.minutes, c.seconds);
    else
        std::snprintf(buf, sizeof buf, "0:%02lld", c.seconds);
    return sign + buf;
}

int FormatTimeText(double seconds, char* buffer, size_t size, bool hundredths, bool longForm)
{
    if (!buffer || size == 0) return 1;
    std::string text = FormatTimeText(seconds, hundredths, longForm);
    size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return 1;
}
