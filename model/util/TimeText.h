#pragma once
// A duration in seconds as the short clock text of the timeline controls
// ("01:02:03.45", "05.50", "1:23"), truncated to hundredths.
#include <cstddef>
#include <string>

std::string FormatTimeText(double seconds, bool hundredths, bool longForm);

// Into a caller's buffer, NUL-terminated and cut to fit; always 1.
int FormatTimeText(double seconds, char* buffer, size_t size, bool hundredths, bool longForm);
template <size_t N>
int FormatTimeText(double seconds, char (&buffer)[N], bool hundredths, bool longForm)
{
    return FormatTimeText(seconds, buffer, N, hundredths, longForm);
}
