#pragma once
// Shared by the benchmarks that time ours and a reference in the same
// process: the median of repeated rounds, the printed comparison, and the
// way a run that went wrong says so (a figure of a failed run is no figure).
#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Rounds alternate with the reference's, so drift of the machine's speed
// (other work, clocks) falls on both; the median drops the odd slow round.
inline double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

// "label   ours 1.234 unit   reference 1.111 unit   ratio 1.11"; the ratio
// is ours over the reference, so below 1 is faster for times, and above 1
// for rates.
inline void PrintComparison(const char* label, const char* unit, double ours, const char* reference, double theirs)
{
    std::printf("  %-30s ours %9.3f %s   %s %9.3f %s   ratio %.3f\n", label, ours, unit, reference, theirs, unit,
                theirs > 0 ? ours / theirs : 0.0);
}

// Prints why the run failed and gives the exit code for main.
__attribute__((format(printf, 1, 2))) inline int Failed(const char* format, ...)
{
    std::fputs("FAILED: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    return 1;
}

}  // namespace bench
