#pragma once
// The clock a conversion's start line and elapsed time are read from; tests
// put a fake in its place.
#include <cstdint>
#include <ctime>
#include <string>

class IRunClock {
public:
    virtual ~IRunClock() = default;
    // Milliseconds from an arbitrary origin; wraps like a 32-bit tick count.
    virtual uint32_t GetTickCount() = 0;
    virtual std::tm GetLocalTime() = 0;
};

// The system's monotonic clock and local time.
class CSystemRunClock : public IRunClock {
public:
    uint32_t GetTickCount() override;
    std::tm GetLocalTime() override;
};

// The user's short date and time texts (the C library's current locale).
std::wstring FormatShortDate(const std::tm& when);
std::wstring FormatShortTime(const std::tm& when);
// Whole seconds as the player's media-time text: "00:05", "00:01:05",
// "1:02:05", "10:00:00".
std::wstring FormatRunTime(int64_t seconds);
