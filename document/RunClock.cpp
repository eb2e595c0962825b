#include "document/RunClock.h"
#include "platform/TextConv.h"
#include <chrono>
#include <cstdio>

uint32_t CSystemRunClock::GetTickCount()
{
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

std::tm CSystemRunClock::GetLocalTime()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

namespace {
std::wstring Strftime(const char* format, const std::tm& when)
{
    char buf[512];
    size_t n = std::strftime(buf, sizeof buf, format, &when);
    return Utf8ToWide(std::string(buf, n));
}
}

std::wstring FormatShortDate(const std::tm& when)
{
    return Strftime("%x", when);
}

std::wstring FormatShortTime(const std::tm& when)
{
    return Strftime("%X", when);
}

std::wstring FormatRunTime(int64_t seconds)
{
    if (seconds < 0) seconds = 0;
    long h = static_cast<long>(seconds / 3600);
    long m = static_cast<long>((seconds % 3600) / 60);
    long s = static_cast<long>(seconds % 60);
    wchar_t buf[64];
    if (h == 0 && m == 0)
        std::swprintf(buf, 64, L"00:%02ld", s);
    else if (h == 0)
        std::swprintf(buf, 64, L"00:%02ld:%02ld", m, s);
    else if (h <= 9)
        std::swprintf(buf, 64, L"%ld:%02ld:%02ld", h, m, s);
    else
        std::swprintf(buf, 64, L"%02ld:%02ld:%02ld", h, m, s);
    return buf;
}
