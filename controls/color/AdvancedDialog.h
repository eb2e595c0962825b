#pragma once
// Base of the drop-down pop-ups (colours, levels): a borderless window placed
// beside an anchor rectangle of its parent, closed by Enter, Escape or the
// focus leaving it (after one timer tick, see CPopupCloser). Hiding keeps the
// window for the next show.
#include "controls/color/PopupCloser.h"
#include "controls/color/PopupPlacement.h"
#include <functional>
#include <wx/popupwin.h>
#include <wx/timer.h>

class CAdvancedDialog : public wxPopupWindow {
public:
    explicit CAdvancedDialog(wxWindow* parent);
    ~CAdvancedDialog() override;

    // anchor in the parent's client pixels; align POPUP_LEFT/RIGHT/ABOVE, else below.
    virtual void ShowPopup(const wxRect& anchor, int align);
    virtual void HidePopup();

    void SetWidthOverride(int width) { m_widthOverride = width; }
    void SetCloseListener(std::function<void()> listener) { m_closeListener = std::move(listener); }
    bool IsClosing() const { return m_closer.Closing(); }
    bool IsTimerRunning() const { return m_timer.IsRunning(); }

    // What a message does to the closing check (the window code routes key
    // and focus events here; tests call them directly).
    void CheckClose(bool enterOrEscape);
    void OnCloseTimer();

protected:
    // Children call this from their focus and key handlers.
    void WatchChild(wxWindow* child);

private:
    bool FocusInside() const;

    int m_widthOverride = -1;
    CPopupCloser m_closer;
    wxTimer m_timer;
    std::function<void()> m_closeListener;
};
