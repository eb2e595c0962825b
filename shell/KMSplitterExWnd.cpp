#include "shell/KMSplitterExWnd.h"
#include "controls/res/ResourceBridge.h"
#include "platform/Settings.h"
#include <algorithm>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>

namespace {
constexpr unsigned kFill = 0xF2E4D5;
constexpr unsigned kLine = 0xEDD0BA;
constexpr int kBand = 4;  // the drag feedback: from position - 1 to position + 3

// A checker of the gripper's two colours when the picture is missing.
wxBitmap FallbackGripper()
{
    wxImage img(2, 2);
    img.SetRGB(0, 0, 0x80, 0x80, 0x80);
    img.SetRGB(1, 1, 0x80, 0x80, 0x80);
    img.SetRGB(1, 0, 0xFF, 0xFF, 0xFF);
    img.SetRGB(0, 1, 0xFF, 0xFF, 0xFF);
    return wxBitmap(img);
}
}  // namespace

SplitterDrag ClampSplitterDrag(int pointer, int extent, int minimum)
{
    int position = std::max(pointer, minimum);
    position = std::min(position, extent - 100);
    return {position, extent - position - 3};
}

CKMSplitterExWnd::CKMSplitterExWnd() = default;

CKMSplitterExWnd::~CKMSplitterExWnd()
{
    if (HasCapture()) ReleaseMouse();
    if (m_feedback) m_feedback->Destroy();
}

bool CKMSplitterExWnd::Create(wxWindow* parent, IResizeHandler* handler, const std::wstring& profileKey,
                              int defaultValue)
{
    if (!wxWindow::Create(parent, kChildId, wxDefaultPosition, wxSize(4, 4), wxCLIP_SIBLINGS | wxWANTS_CHARS))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_handler = handler;
    m_profileKey = profileKey;
    m_keptValue = CSettingsStore::Instance().GetInt(L"Settings", profileKey, defaultValue);
    m_gripper = KM::Res::LoadBitmap(kGripperBitmapId);
    if (!m_gripper.IsOk()) m_gripper = FallbackGripper();
    SetCursor(wxCursor(m_movesInX ? wxCURSOR_SIZEWE : wxCURSOR_SIZENS));
    Bind(wxEVT_PAINT, &CKMSplitterExWnd::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CKMSplitterExWnd::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CKMSplitterExWnd::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &CKMSplitterExWnd::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CKMSplitterExWnd::OnCaptureLost, this);
    Bind(wxEVT_SET_CURSOR, [this](wxSetCursorEvent& e) {
        e.SetCursor(wxCursor(m_movesInX ? wxCURSOR_SIZEWE : wxCURSOR_SIZENS));
    });
    return true;
}

void CKMSplitterExWnd::Draw(wxDC& dc)
{
    wxRect r(GetClientSize());
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(KM::Res::ColourFromRef(kFill)));
    dc.DrawRectangle(r);
    dc.SetPen(wxPen(KM::Res::ColourFromRef(kLine), 1));
    int left = r.GetLeft(), top = r.GetTop(), right = r.GetRight() + 1, bottom = r.GetBottom() + 1;
    if (m_movesInX) {
        dc.DrawLine(left + 1, top, left + 1, bottom);
        dc.DrawLine(right - 2, top, right - 2, bottom);
        return;
    }
    int p = m_partner ? m_partner->m_keptValue : -1;
    int h = bottom - top;
    dc.DrawPoint(right - p - 9 + h, top);
    dc.DrawPoint(right - p - 5, top);
    dc.DrawLine(left, top + 1, right - p - 5, top + 1);
    dc.DrawLine(right - p - 9 + h, top + 1, right, top + 1);
    dc.DrawLine(left, bottom - 2, right, bottom - 2);
}

void CKMSplitterExWnd::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
}

// A client DC blitted onto from a buffer leaks inside GTK 3's cairo when the
// window is not on screen yet; a paint now does the same without it.
void CKMSplitterExWnd::RedrawNow()
{
    Refresh(false);
    Update();
}

void CKMSplitterExWnd::BeginDrag()
{
    m_dragging = true;
}

void CKMSplitterExWnd::DragTo(const wxPoint& p)
{
    if (!m_dragging || !GetParent()) return;
    wxSize parent = GetParent()->GetClientSize();
    SplitterDrag d = m_movesInX ? ClampSplitterDrag(p.x, parent.x, m_minimum) : ClampSplitterDrag(p.y, parent.y, m_minimum);
    m_keptValue = d.kept;
    ShowFeedback(d.position);
}

void CKMSplitterExWnd::EndDrag()
{
    if (m_dragging) {
        HideFeedback();
        if (m_handler) m_handler->OnResize();  // the owner lays out again
        m_lastDrawn = -1;
        CSettingsStore::Instance().SetInt(L"Settings", m_profileKey, m_keptValue);
    }
    m_dragging = false;
}

void CKMSplitterExWnd::ShowFeedback(int position)
{
    m_lastDrawn = position;
    if (!m_feedback) {
        m_feedback = new wxWindow(GetParent(), wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
        m_feedback->SetBackgroundStyle(wxBG_STYLE_PAINT);
        m_feedback->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(m_feedback);
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(m_gripper));
            dc.DrawRectangle(wxRect(m_feedback->GetClientSize()));
        });
    }
    wxRect bar = GetRect();
    if (m_movesInX)
        m_feedback->SetSize(position - 1, bar.y, kBand, bar.height);
    else
        m_feedback->SetSize(bar.x, position - 1, bar.width, kBand);
    m_feedback->Show();
    m_feedback->Raise();
    m_feedback->Refresh();
}

void CKMSplitterExWnd::HideFeedback()
{
    if (m_feedback) m_feedback->Hide();
}

void CKMSplitterExWnd::OnLeftDown(wxMouseEvent&)
{
    BeginDrag();
    if (!HasCapture()) CaptureMouse();
}

void CKMSplitterExWnd::OnMotion(wxMouseEvent& event)
{
    if (!m_dragging || !GetParent()) return;
    DragTo(GetParent()->ScreenToClient(ClientToScreen(event.GetPosition())));
}

void CKMSplitterExWnd::OnLeftUp(wxMouseEvent&)
{
    EndDrag();
    if (HasCapture()) ReleaseMouse();
}

void CKMSplitterExWnd::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The drag is over without a button-up: nothing is kept.
    HideFeedback();
    m_dragging = false;
}
