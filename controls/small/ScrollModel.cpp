#include "controls/small/ScrollModel.h"
#include "model/util/RoundNearest.h"
#include <algorithm>
#include <cmath>

int CScrollModel::MaxPos() const
{
    return std::max(0, m_bar.max - m_bar.page);
}

void CScrollModel::SetPos(long long pos)
{
    m_bar.pos = static_cast<int>(std::clamp<long long>(pos, 0, MaxPos()));
}

void CScrollModel::Update(int contentWidth, int clientWidth)
{
    double offset = GetScrollOffset();
    long long overflow = static_cast<long long>(contentWidth) - clientWidth;
    if (overflow > kMaxScrollRange) {
        m_dScale = static_cast<double>(overflow) / kMaxScrollRange;
        SetUpRange(kMaxScrollRange, clientWidth);
    } else {
        m_dScale = 1.0;
        if (overflow > 0) SetUpRange(static_cast<int>(overflow), clientWidth);
        else SetUpRange(0, clientWidth);
    }
    if (m_bar.enabled) SetScrollOffset(std::min(offset, static_cast<double>(m_bar.max) / m_nUnitsPerPixel));
}

void CScrollModel::SetUpRange(int range, int clientWidth)
{
    if (range <= 0 || clientWidth < 0) {
        m_bar = ScrollBarState{};  // shown, disabled, at 0
        m_nUnitsPerPixel = 1;
        return;
    }
    double pageRatio = static_cast<double>(clientWidth) / (static_cast<double>(clientWidth) + range);
    // Whole-pixel units when the page's proportion survives truncation, else hundredths.
    double truncated = std::trunc(range * pageRatio) / range;
    m_nUnitsPerPixel = std::fabs(truncated - pageRatio) <= 0.01 ? 1 : 100;
    int units = m_nUnitsPerPixel * range;
    int page = static_cast<int>(units * pageRatio);
    m_bar.max = units;
    m_bar.page = page == 0 ? units : page;
    m_bar.enabled = true;
    SetPos(m_bar.pos);
}

double CScrollModel::GetScrollOffset() const
{
    if (m_bar.max == 0) return m_bar.pos;
    int span = MaxPos();
    if (span <= 0) return 0;
    int p = std::min(m_bar.pos, span);
    return static_cast<double>(m_bar.max) / span * (static_cast<double>(p) / m_nUnitsPerPixel);
}

void CScrollModel::SetScrollOffset(double offset)
{
    if (!std::isfinite(offset)) offset = 0;
    if (m_bar.max == 0) {
        SetPos(static_cast<long long>(offset));
        return;
    }
    int span = MaxPos();
    if (span <= 0 || offset * m_nUnitsPerPixel >= m_bar.max) {
        SetPos(span);  // the right end
        return;
    }
    SetPos(static_cast<long long>(RoundNearest(offset * m_nUnitsPerPixel / (static_cast<double>(m_bar.max) / span))));
}

void CScrollModel::Scroll(int code, int trackPos)
{
    const long long p = m_bar.pos, last = MaxPos();
    long long n = p;
    switch (code) {
    case SB_LINELEFT: if (p > 0) n = p - 1; break;
    case SB_LINERIGHT: if (p < last) n = p + 1; break;
    case SB_PAGELEFT: if (p > 0) n = std::max<long long>(p - m_bar.page, 0); break;
    case SB_PAGERIGHT: if (p < last) n = std::min<long long>(p + m_bar.page, last); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: n = trackPos; break;
    case SB_LEFT: n = 0; break;
    case SB_RIGHT: n = last; break;
    default: break;
    }
    SetPos(n);
}
