#pragma once
// A window whose content scrolls horizontally and may be far wider than a
// scroll bar can count (the timeline ruler derives from it). The arithmetic
// lives in CScrollModel; this class only mirrors it on the native bar.
#include "controls/small/ScrollModel.h"
#include <wx/window.h>

class CScroolImplWnd : public wxWindow {
public:
    CScroolImplWnd(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = 0);

    // Repaint at once.
    virtual void RedrawNow() = 0;
    // The content's width in pixels.
    virtual int GetContentWidth() = 0;

    // Call after the content or the window's size changed.
    void UpdateScrollBars();
    double GetScrollOffset() const { return m_scroll.GetScrollOffset(); }
    void SetScrollOffset(double offset);
    // Content pixels per scroll pixel (1.0 unless the content is very wide).
    double GetScale() const { return m_scroll.Scale(); }
    const CScrollModel& ScrollModel() const { return m_scroll; }

private:
    void ApplyToBar();
    void OnScroll(wxScrollWinEvent& event);

    CScrollModel m_scroll;
};
