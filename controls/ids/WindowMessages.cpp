#include "controls/ids/WindowMessages.h"

wxDEFINE_EVENT(EVT_KM_REINIT_VIEW, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_FRAME_READY, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_STATUS_TEXT, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_GRID_CHANGED, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_GRID_COMMIT, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_NO_EFFECT, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_PROFILE_VALUE_CHANGED, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_LOG_ADD, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_LOG_CLEAR, KM::CWindowMessageEvent);
wxDEFINE_EVENT(EVT_KM_GRAPH_EVENT, KM::CWindowMessageEvent);

namespace KM {

wxEventType WindowMessageEventType(unsigned message)
{
    switch (message) {
    case WM_KM_REINIT_VIEW: return EVT_KM_REINIT_VIEW;
    case WM_KM_FRAME_READY: return EVT_KM_FRAME_READY;
    case WM_KM_STATUS_TEXT: return EVT_KM_STATUS_TEXT;
    case WM_KM_GRID_CHANGED: return EVT_KM_GRID_CHANGED;
    case WM_KM_GRID_COMMIT: return EVT_KM_GRID_COMMIT;
    case WM_KM_NO_EFFECT: return EVT_KM_NO_EFFECT;
    case WM_KM_PROFILE_VALUE_CHANGED: return EVT_KM_PROFILE_VALUE_CHANGED;
    case WM_KM_LOG_ADD: return EVT_KM_LOG_ADD;
    case WM_KM_LOG_CLEAR: return EVT_KM_LOG_CLEAR;
    case WM_KM_GRAPH_EVENT: return EVT_KM_GRAPH_EVENT;
    default: return wxEVT_NULL;
    }
}

bool PostWindowMessage(wxEvtHandler* target, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    wxEventType type = WindowMessageEventType(message);
    if (!target || type == wxEVT_NULL) return false;
    target->QueueEvent(new CWindowMessageEvent(type, message, wParam, lParam));
    return true;
}

intptr_t SendWindowMessage(wxEvtHandler* target, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    wxEventType type = WindowMessageEventType(message);
    if (!target || type == wxEVT_NULL) return 0;
    CWindowMessageEvent event(type, message, wParam, lParam);
    target->ProcessEvent(event);
    return event.GetResult();
}

}  // namespace KM
