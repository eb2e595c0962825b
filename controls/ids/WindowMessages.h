#pragma once
// The window program's own messages (0x401 ... 0x478) as wxWidgets events.
// Each event keeps its message number and the two values a message carries
// (wParam, lParam). Post from any thread with PostWindowMessage (queued, run on
// the window thread in order); send on the window thread with
// SendWindowMessage (handled at once, returns the handler's result).
// Receive with Bind(EVT_KM_..., handler) or EVT_KM_MESSAGE(type, func) in a table.
#include <cstdint>
#include <wx/event.h>

namespace KM {

// Message numbers, named by what they mean to the receiver.
enum WindowMessage : unsigned {
    WM_KM_REINIT_VIEW = 0x401,        // a page view re-runs OnInitialUpdate
    WM_KM_FRAME_READY = 0x402,        // a grabbed frame is ready / redraw
    WM_KM_STATUS_TEXT = 0x403,        // status text for the frame
    WM_KM_GRID_CHANGED = 0x404,       // grid values changed; wParam 1: rebuild, lParam the row
    WM_KM_GRID_COMMIT = 0x405,        // commit the grid's edit and rebuild
    WM_KM_NO_EFFECT = 0x406,          // has no effect
    WM_KM_PROFILE_VALUE_CHANGED = 0x407,  // a grid property flagged 0x1000 changed
    WM_KM_LOG_ADD = 0x464,            // add a log line
    WM_KM_LOG_CLEAR = 0x465,          // clear the log
    WM_KM_GRAPH_EVENT = 0x478,        // graph events of the playback graph
};

class CWindowMessageEvent : public wxEvent {
public:
    CWindowMessageEvent(wxEventType type, unsigned message, uintptr_t wParam, intptr_t lParam)
        : wxEvent(0, type), m_message(message), m_wParam(wParam), m_lParam(lParam)
    {
    }

    unsigned GetMessageId() const { return m_message; }
    uintptr_t GetWParam() const { return m_wParam; }
    intptr_t GetLParam() const { return m_lParam; }
    // What a sent message returns to its sender.
    void SetResult(intptr_t result) { m_result = result; }
    intptr_t GetResult() const { return m_result; }

    wxEvent* Clone() const override { return new CWindowMessageEvent(*this); }

private:
    unsigned m_message;
    uintptr_t m_wParam;
    intptr_t m_lParam;
    intptr_t m_result = 0;
};

// The event type of a message number; wxEVT_NULL for a number that is not ours.
wxEventType WindowMessageEventType(unsigned message);

// Queues the message for the handler's thread; safe from any thread. False
// (nothing queued) for a null target or an unknown message number.
bool PostWindowMessage(wxEvtHandler* target, unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
// Handles the message at once on the calling (window) thread; the result the
// handler set, 0 when nothing handled it.
intptr_t SendWindowMessage(wxEvtHandler* target, unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);

}  // namespace KM

wxDECLARE_EVENT(EVT_KM_REINIT_VIEW, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_FRAME_READY, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_STATUS_TEXT, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_GRID_CHANGED, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_GRID_COMMIT, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_NO_EFFECT, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_PROFILE_VALUE_CHANGED, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_LOG_ADD, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_LOG_CLEAR, KM::CWindowMessageEvent);
wxDECLARE_EVENT(EVT_KM_GRAPH_EVENT, KM::CWindowMessageEvent);

typedef void (wxEvtHandler::*CWindowMessageEventFunction)(KM::CWindowMessageEvent&);
#define CWindowMessageEventHandler(func) wxEVENT_HANDLER_CAST(CWindowMessageEventFunction, func)
// Event-table entry: EVT_KM_MESSAGE(EVT_KM_LOG_ADD, CMyWnd::OnLogAdd)
#define EVT_KM_MESSAGE(type, func) wx__DECLARE_EVT0(type, CWindowMessageEventHandler(func))
