#include "controls/draw/MediaTimeText.h"
#include <cmath>

wxString FormatMediaTime(int64_t time)
{
    if (time < 0) time = 0;
    // Whole seconds in integers, so huge times keep their digits.
    int64_t whole = time / 10000000;
    double fraction = static_cast<double>(time % 10000000) / 10000000.0;
    int64_t h = whole / 3600;
    int64_t m = (whole - 3600 * h) / 60;
    int64_t q = whole - 3600 * h - 60 * m;

    // Rounding guard: a time just below a whole second shows that second.
    double hundredths = 100.0 * fraction;
    int64_t c = static_cast<int64_t>(hundredths);
    double rest = hundredths - static_cast<double>(c);
    if (rest > 0.99 && rest < 1.0) ++c;
    if (c >= 100) {
        ++q;
        if (q == 60) { q = 0; ++m; }
        if (m == 60) { m = 0; ++h; }
    }

    long long hh = h, mm = m, ss = q;
    if (h == 0 && m == 0) return wxString::Format("00:%02lld", ss);
    if (h == 0) return wxString::Format("00:%02lld:%02lld", mm, ss);
    if (h <= 9) return wxString::Format("%lld:%02lld:%02lld", hh, mm, ss);
    return wxString::Format("%02lld:%02lld:%02lld", hh, mm, ss);
}
