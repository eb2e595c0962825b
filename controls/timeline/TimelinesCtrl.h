#pragma once
// The timelines list of the timeline pane: the trim ranges of one entry as
// "start - end" rows with the current one selected. A click makes a range
// current (and moves the player to its start, or pauses a playing preview);
// a double click plays or pauses. The entry is the only store of the ranges.
#include <wx/window.h>

class CKMFile;
class CListDropDownCtrl;
class IPossitionChangeNotify;
class ITimelinePlayer;

class CTimelinesCtrl : public wxWindow {
public:
    static constexpr int kListId = 320;
    static constexpr unsigned kColumnTitleId = 61429;

    CTimelinesCtrl() = default;
    bool Create(wxWindow* parent, wxWindowID id);

    // Refills the rows (none without an entry or for a duration of 0).
    void SetItem(CKMFile* entry);
    CKMFile* GetItem() const { return m_item; }
    // Rewrites the current range's row after the ruler changed it.
    void UpdateCurrentRow();
    void SetListener(IPossitionChangeNotify* listener) { m_listener = listener; }
    void SetPlayer(ITimelinePlayer& player) { m_player = &player; }

    CListDropDownCtrl* GetList() const { return m_list; }
    // What a click and a double click on the list do.
    void OnRowClick();
    void OnRowDoubleClick();

private:
    void CreateList();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);

    CListDropDownCtrl* m_list = nullptr;
    CKMFile* m_item = nullptr;
    IPossitionChangeNotify* m_listener = nullptr;
    ITimelinePlayer* m_player = nullptr;
    bool m_releaseEndsDoubleClick = false;
};
