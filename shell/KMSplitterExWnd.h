#pragma once
// A thin bar that a pane places between two areas of its client area. The
// user drags it; it keeps the size of the far side ("kept value") in
// "Settings" under its key and tells its owner through IResizeHandler when a
// drag ends. The owner's layout reads the kept value to place the bar.
#include <string>
#include <wx/bitmap.h>
#include <wx/window.h>

class IResizeHandler {
public:
    virtual void OnResize() = 0;

protected:
    ~IResizeHandler() = default;
};

// Where a drag puts the bar: the position raised to the minimum, then lowered
// to extent - 100 (so a parent narrower than 300 puts it at extent - 100),
// and the kept value extent - position - 3.
struct SplitterDrag {
    int position;
    int kept;
};
SplitterDrag ClampSplitterDrag(int pointer, int extent, int minimum);

class CKMSplitterExWnd : public wxWindow {
public:
    static constexpr int kChildId = 190;
    static constexpr int kMinimum = 200;
    static constexpr unsigned kGripperBitmapId = 510;

    CKMSplitterExWnd();
    ~CKMSplitterExWnd() override;

    // Keys and defaults of the owners: "Out_Ver_Scrool" 250, "pos_1" 150,
    // "pos_2" to "pos_6" 250, "ver_time" 130.
    bool Create(wxWindow* parent, IResizeHandler* handler, const std::wstring& profileKey, int defaultValue);
    // Paints the bar at once.
    void RedrawNow();

    // What a drag of the pointer (in the parent's client coordinates) does;
    // the events call these.
    void BeginDrag();
    void DragTo(const wxPoint& parentPoint);
    void EndDrag();
    bool IsDragging() const { return m_dragging; }

    // Fields the owner may set after creation.
    int m_keptValue = 0;
    int m_minimum = kMinimum;
    bool m_movesInX = true;
    std::wstring m_profileKey = L"posx_offset";
    CKMSplitterExWnd* m_partner = nullptr;  // a vertical bar meeting this one from above

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void Draw(wxDC& dc);
    void ShowFeedback(int position);
    void HideFeedback();

    IResizeHandler* m_handler = nullptr;
    bool m_dragging = false;
    int m_lastDrawn = -1;
    wxWindow* m_feedback = nullptr;  // the band that follows the pointer, a child of the parent
    wxBitmap m_gripper;
};
