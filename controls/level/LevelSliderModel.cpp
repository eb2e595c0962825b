#include "controls/level/LevelSliderModel.h"

#include "model/edit/LevelText.h"
#include <algorithm>

namespace {
GridRect Thumb(int left, const GridRect& client)
{
    return {left, client.top + 22, left + CLevelSliderModel::kThumbWidth, client.top + 30};
}
}  // namespace

GridRect CLevelSliderModel::LowThumb() const { return Thumb(BarLeft() + m_blackOffset - 4, m_client); }

GridRect CLevelSliderModel::HighThumb() const { return Thumb(BarRight() - m_whiteOffset - 5, m_client); }

GridRect CLevelSliderModel::MiddleThumb() const
{
    const GridRect low = LowThumb();
    return Thumb(static_cast<int>(Gap() * m_ratio + low.left + 4.0), m_client);
}

CLevelSliderModel::DragMode CLevelSliderModel::Press(int x, int y)
{
    if (LowThumb().Contains(x, y))
        m_mode = kLow;
    else if (HighThumb().Contains(x, y))
        m_mode = kHigh;
    else if (MiddleThumb().Contains(x, y))
        m_mode = kMiddle;
    else
        m_mode = kNone;
    return m_mode;
}

bool CLevelSliderModel::Drag(int x)
{
    switch (m_mode) {
    case kLow: {
        const int v = std::max(0, std::min(x - BarLeft(), BarRight() - m_whiteOffset - BarLeft()));
        if (v == m_blackOffset) return false;
        m_blackOffset = v;
        return true;
    }
    case kHigh: {
        const int v = std::max(0, std::min(BarRight() - x, BarRight() - m_blackOffset - BarLeft()));
        if (v == m_whiteOffset) return false;
        m_whiteOffset = v;
        return true;
    }
    case kMiddle: {
        const int gap = Gap();
        if (gap <= 0) return false;  // no room between the thumbs: keep the ratio
        const int d = std::clamp(x - LowThumb().left - 5, 0, gap);
        const double r = static_cast<double>(d) / gap;
        if (r == m_ratio) return false;
        m_ratio = r;
        return true;
    }
    default: return false;
    }
}

LevelValues CLevelSliderModel::Report() const
{
    LevelValues v;
    const int w = BarWidth();
    // A bar of no width has no scale: report the full range.
    v.black = w > 0 ? static_cast<int>(m_blackOffset * 255 / static_cast<double>(w)) : 0;
    v.white = w > 0 ? static_cast<int>(255 - m_whiteOffset * 255 / static_cast<double>(w)) : 255;
    v.gamma = m_ratio <= 0.5 ? 2 * m_ratio * 0.9 : (2 * (m_ratio - 0.5)) * 9 + 1;
    return v;
}

void CLevelSliderModel::SetLevelText(const std::wstring& text)
{
    int32_t black = 0, white = 255;
    double gamma = 1.0;
    ParseLevelText(text, &black, &white, &gamma);
    const int w = BarWidth();
    m_blackOffset = static_cast<int>(black / 255.0 * w);
    m_whiteOffset = static_cast<int>((255 - white) / 255.0 * w);
    if (gamma == 1.0)
        m_ratio = 0.5;
    else if (gamma < 1.0)
        m_ratio = gamma * 0.5;
    else
        m_ratio = gamma / 10 * 0.5 + 0.5;
}

std::wstring LevelRowText(const LevelValues& v) { return FormatLevelText(v.black, v.gamma, v.white); }
