#pragma once
// The horizontal scroll arithmetic of CScroolImplWnd, without a window:
// content far wider than a scroll bar can count is scaled (at most 30000
// scroll pixels), and the bar's units may be finer than a pixel (1 or 100 a
// pixel) so the thumb keeps the page's true proportion.
// Bar state follows the native bar: positions run from 0 to max - page.
#include <cstdint>

struct ScrollBarState {
    int max = 0;       // range: 0 .. max
    int page = 0;
    int pos = 0;
    bool enabled = false;
    bool operator==(const ScrollBarState&) const = default;
};

// Scroll requests, with the numbers the bar's notifications carry.
enum ScrollCode : int {
    SB_LINELEFT = 0, SB_LINERIGHT = 1, SB_PAGELEFT = 2, SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_LEFT = 6, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};

class CScrollModel {
public:
    static constexpr int kMaxScrollRange = 30000;

    // New content width or client width: sets up the bar, keeping the content
    // offset that was shown (limited to the new overflow).
    void Update(int contentWidth, int clientWidth);

    // Content offset in scroll pixels (multiply by Scale() for content pixels):
    // 0 at the left end, the overflow at the right end.
    double GetScrollOffset() const;
    void SetScrollOffset(double offset);

    // One request of the bar; trackPos for the thumb codes. Never leaves 0 .. max - page.
    void Scroll(int code, int trackPos = 0);

    const ScrollBarState& Bar() const { return m_bar; }
    int UnitsPerPixel() const { return m_nUnitsPerPixel; }
    double Scale() const { return m_dScale; }
    // The last position the bar can take.
    int MaxPos() const;

private:
    void SetUpRange(int range, int clientWidth);
    void SetPos(long long pos);

    ScrollBarState m_bar;
    int m_nUnitsPerPixel = 1;
    double m_dScale = 1.0;
};
