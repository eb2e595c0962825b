#include "controls/profile/TaskGroupCaption.h"
#include "controls/draw/MemDC.h"
#include "controls/timeline/TaskPaneLook.h"
#include <wx/dcclient.h>

void DrawTaskGroupCaption(wxDC& dc, const wxRect& r, const wxString& text, int state, const wxFont& font)
{
    TaskPaneLook::FillPaneBackground(dc, r);
    TaskPaneLook::DrawGroupCaption(dc, r, text, font,
                                   state == CTaskGroupCaption::kHot ? TaskPaneLook::kCaptionHotText
                                                                    : TaskPaneLook::kCaptionText);
}

CTaskGroupCaption::CTaskGroupCaption(wxWindow* parent, wxWindowID id, const wxString& text, const wxFont& font)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE), m_font(font)
{
    SetLabel(text);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CTaskGroupCaption::OnPaint, this);
}

void CTaskGroupCaption::DrawTaskGroupCaption()
{
    Refresh(false);
    Update();
}

void CTaskGroupCaption::OnPaint(wxPaintEvent&)
{
    wxPaintDC paint(this);
    const wxRect client = GetClientRect();
    KM::CMemDC dc(paint, client);
    ::DrawTaskGroupCaption(dc, wxRect(client.GetSize()), GetLabel(), m_state, m_font.IsOk() ? m_font : GetFont());
}
