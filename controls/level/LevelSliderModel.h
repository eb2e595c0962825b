#pragma once
// The arithmetic of the three-thumb level slider, in pixels along its bar:
// the black and white points as offsets from the bar's ends and the gamma
// thumb as a ratio of the gap between them. Levels are computed only when the
// slider reports or is preset; the two gamma conversions are not inverse.
#include "controls/color/ColorGridLayout.h"
#include <string>

struct LevelValues {
    int black = 0;
    int white = 255;
    double gamma = 1.0;
};

class CLevelSliderModel {
public:
    enum DragMode { kNone = 0, kLow = 1, kHigh = 2, kMiddle = 3 };
    static constexpr int kThumbWidth = 9;

    // The client rectangle (left, top, right, bottom) the slider draws in.
    void SetClient(const GridRect& client) { m_client = client; }

    int BarLeft() const { return m_client.left + 10; }
    int BarRight() const { return m_client.right - 10; }
    int BarWidth() const { return BarRight() - BarLeft(); }
    GridRect Bar() const { return {BarLeft(), m_client.top + 20, BarRight(), m_client.top + 22}; }
    GridRect LowThumb() const;
    GridRect HighThumb() const;
    GridRect MiddleThumb() const;
    int Gap() const { return HighThumb().left - LowThumb().right; }

    // A press picks the first thumb holding the point: low, high, middle.
    DragMode Press(int x, int y);
    // A move while dragging; true when an offset or the ratio changed.
    bool Drag(int x);
    void Release() { m_mode = kNone; }
    DragMode Mode() const { return m_mode; }

    LevelValues Report() const;
    // Presets from a level text "black:gamma:white" (defaults 0, 1.0, 255).
    void SetLevelText(const std::wstring& text);

    int BlackOffset() const { return m_blackOffset; }
    int WhiteOffset() const { return m_whiteOffset; }
    double Ratio() const { return m_ratio; }

private:
    GridRect m_client;
    int m_blackOffset = 0;
    int m_whiteOffset = 0;
    double m_ratio = 0.5;
    DragMode m_mode = kNone;
};

// The text a level row takes from the slider: "%d:%.2f:%d" in any locale.
std::wstring LevelRowText(const LevelValues& values);
