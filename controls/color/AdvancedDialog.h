#pragma once
// Base of the drop-down pop-ups (colours, levels): a borderless window placed
// beside an anchor rectangle of its parent, closed by Enter, Escape, the
// focus leaving it or a mouse click on another window of the program (after
// one timer tick, see CPopupCloser). Under Wayland a pop-up never holds the
// keyboard focus, so the click is what closes it there. Hiding keeps the
// window for the next show.
#include "controls/color/PopupCloser.h"
#include "controls/color/PopupPlacement.h"
#include <functional>
#include <wx/eventfilter.h>
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
    // A mouse button went down on another window while the pop-up shows:
    // it closes like Enter, whatever holds the focus.
    void OnClickOutside();
    void OnCloseTimer();

protected:
    // Children call this from their focus and key handlers.
    void WatchChild(wxWindow* child);

private:
    // Sees every mouse press of the program while the pop-up shows.
    class CClickWatcher : public wxEventFilter {
    public:
        explicit CClickWatcher(CAdvancedDialog& owner) : m_owner(owner) {}
        int FilterEvent(wxEvent& event) override;

    private:
        CAdvancedDialog& m_owner;
    };

    bool FocusInside() const;
    bool Contains(const wxWindow* w) const;
    void WatchClicks(bool on);

    int m_widthOverride = -1;
    CPopupCloser m_closer;
    wxTimer m_timer;
    std::function<void()> m_closeListener;
    CClickWatcher m_clicks{*this};
    bool m_watching = false;
};
