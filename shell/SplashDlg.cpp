#include "shell/SplashDlg.h"
#include "controls/ids/StringIds.h"
#include "controls/draw/MemDC.h"
#include "controls/res/ResourceBridge.h"
#include <wx/dcbuffer.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

bool CSplashDlg::Create()
{
    m_picture = KM::Res::LoadBitmap(kBitmapId);
    wxSize size = m_picture.IsOk() ? m_picture.GetSize() : wxSize(400, 250);
    if (!KM::Res::LoadDialog(*this, nullptr, kTemplateId)) {
        if (!wxDialog::Create(nullptr, kTemplateId, wxEmptyString, wxDefaultPosition, size,
                              wxBORDER_NONE | wxSTAY_ON_TOP | wxFRAME_NO_TASKBAR))
            return false;
    }
    SetId(kTemplateId);
    SetClientSize(size);
    SetBackgroundStyle(wxBG_STYLE_PAINT);  // the picture covers everything
    Bind(wxEVT_PAINT, &CSplashDlg::OnPaint, this);
    CentreOnScreen();
    return true;
}

void CSplashDlg::OnPaint(wxPaintEvent&)
{
    wxPaintDC paint(this);
    KM::CMemDC dc(paint, wxRect(GetClientSize()));
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    if (m_picture.IsOk()) {
        wxSize client = GetClientSize();
        if (m_picture.GetSize() == client) {
            dc.DrawBitmap(m_picture, 0, 0);
        } else {
            wxImage scaled = m_picture.ConvertToImage().Scale(client.x, client.y, wxIMAGE_QUALITY_HIGH);
            dc.DrawBitmap(wxBitmap(scaled), 0, 0);
        }
    }
}

int CAboutDlg::Show(wxWindow* parent)
{
    wxDialog dialog;
    if (!KM::Res::LoadDialog(dialog, parent, kTemplateId)) {
        dialog.Create(parent, kTemplateId, KM::Res::LoadString(KM::Str::ProgramName));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(new wxStaticText(&dialog, wxID_ANY, KM::Res::LoadString(KM::Str::ProgramName)), 0, wxALL, 16);
        sizer->Add(dialog.CreateButtonSizer(wxOK), 0, wxALL | wxALIGN_RIGHT, 16);
        dialog.SetSizerAndFit(sizer);
    }
    dialog.SetId(kTemplateId);
    return dialog.ShowModal();
}
