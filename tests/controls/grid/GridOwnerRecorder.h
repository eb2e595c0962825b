#pragma once
// A window that records the notices a grid sends it, with the bound field's
// value at the moment each arrives (owners act on the field at once).
#include "controls/ids/WindowMessages.h"
#include <functional>
#include <vector>
#include <wx/frame.h>
#include <wx/panel.h>

struct RecordedNotice {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
    bool operator==(const RecordedNotice&) const = default;
};

class GridOwnerRecorder : public wxPanel {
public:
    explicit GridOwnerRecorder(wxWindow* parent) : wxPanel(parent)
    {
        for (auto type : {EVT_KM_GRID_CHANGED, EVT_KM_PROFILE_VALUE_CHANGED})
            Bind(type, [this](KM::CWindowMessageEvent& e) {
                notices.push_back({e.GetMessageId(), e.GetWParam(), e.GetLParam()});
                if (onNotice) onNotice();
            });
    }
    std::vector<unsigned> Messages() const
    {
        std::vector<unsigned> out;
        for (const RecordedNotice& n : notices) out.push_back(n.message);
        return out;
    }
    std::vector<RecordedNotice> notices;
    std::function<void()> onNotice;
};
