#pragma once
// The timeline ruler of the editing page's timeline pane: a caption with the
// entry's current trim range, a zoomable time scale, the range as a green band
// whose edges and body are dragged, the part after the media's end in grey and
// the play cursor as a thumb with a red line. Every drag writes the entry at
// once; the logic lives in CTimelineDragModel.
//
// For the pane: Create, SetEntry (or SetItem), SetPositionListener (the
// preview, told when the user moved the play position), SetChangeHandler
// (told when the range changed), OnPositionChanged (the player moved the
// position), ZoomIn / ZoomOut and ZoomIndex for the commands' enabling.
#include "controls/draw/BitmapDC.h"
#include "controls/small/ScroolImplWnd.h"
#include "controls/timeline/PossitionChangeNotify.h"
#include "controls/timeline/TimelineDragModel.h"
#include <functional>
#include <memory>
#include <wx/timer.h>

class CKMFile;
class ITimelinePlayer;
struct CSharedDrawObjects;

class CTimelineCtrl : public CScroolImplWnd, public IPossitionChangeNotify, private ITimelineHost {
public:
    static constexpr int kThumbBitmapId = 61425;
    static constexpr unsigned kNoItemCaptionId = 428;

    // A ruler owned by parent; draw: the program's shared pens and fonts (null: its own).
    static CTimelineCtrl* Create(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw = nullptr);
    ~CTimelineCtrl() override;

    void SetItem(CKMFile* entry);
    void SetEntry(CKMFile* entry) { SetItem(entry); }
    CKMFile* GetItem() const { return m_model.Item(); }
    void SetPositionListener(IPossitionChangeNotify* listener) { m_positionListener = listener; }
    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }
    // The player seeks go to (the application's by default).
    void SetPlayer(ITimelinePlayer& player) { m_model.SetPlayer(player); }
    // The auto-scroll's millisecond clock (a steady clock by default).
    void SetClock(std::function<uint32_t()> clock) { m_clock = std::move(clock); }

    void ZoomIn() { m_model.ZoomIn(); }
    void ZoomOut() { m_model.ZoomOut(); }
    int ZoomIndex() const { return m_model.ZoomIndex(); }

    void OnPositionChanged(int reason) override;
    void EnsurePositionVisible() { m_model.EnsurePositionVisible(); }
    void RedrawNow() override;
    int GetContentWidth() override { return m_model.ContentWidth(); }

    // The caption text: the current range, or string 428 without an entry.
    wxString CaptionText() const;
    CTimelineDragModel& Model() { return m_model; }
    bool TimerRunning() const { return m_timer.IsRunning(); }

    // The rectangle the owner last laid the ruler out in (its background fill).
    wxRect m_ownerRect;

private:
    CTimelineCtrl(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw);

    void Draw(wxDC& dc, const wxRect& k);
    void DrawScaleArea(wxDC& dc, const wxRect& r);
    void DrawScale(wxDC& dc, const wxRect& r);
    void DrawCaption(wxDC& dc, const wxRect& k);

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnSetCursor(wxSetCursorEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnTimer(wxTimerEvent& event);

    // ITimelineHost
    RECT ClientRect() const override;
    bool IsWindowEnabled() const override { return IsEnabled(); }
    bool IsWindowShown() const override { return IsShown(); }
    double GetScrollPosition() const override { return GetScrollOffset(); }
    void SetScrollPosition(double position) override { SetScrollOffset(position); }
    double GetScrollScale() const override { return GetScale(); }
    void UpdateScrollBars() override { CScroolImplWnd::UpdateScrollBars(); }
    void StartTimer() override { m_timer.Start(100); }
    void StopTimer() override { m_timer.Stop(); }
    uint32_t TickCount() const override { return m_clock(); }
    void Capture() override;
    void Release() override;
    void RangeChanged() override;
    void PositionChanged() override;

    std::unique_ptr<CSharedDrawObjects> m_ownDraw;
    const CSharedDrawObjects* m_draw;
    CTimelineDragModel m_model;
    wxTimer m_timer;
    KM::CBitmapDC m_thumb{kThumbBitmapId};
    IPossitionChangeNotify* m_positionListener = nullptr;
    std::function<void()> m_onChange;
    std::function<uint32_t()> m_clock;
};
