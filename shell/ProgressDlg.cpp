#include "shell/ProgressDlg.h"
#include "controls/res/ResourceBridge.h"
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

// What posted calls reach: the dialog window while DoModal runs. Window
// thread only.
struct CProgressDlg::Shared {
    wxDialog* dialog = nullptr;
};

namespace {

const wchar_t* kCaption = L"Please wait...";

// The template, or a plain equivalent when the resource folder lacks it.
void BuildDialog(wxDialog& dialog)
{
    if (KM::Res::LoadDialog(dialog, wxTheApp ? wxTheApp->GetTopWindow() : nullptr, CProgressDlg::kTemplateId)) return;
    dialog.Create(nullptr, CProgressDlg::kTemplateId, wxTheApp ? wxTheApp->GetAppDisplayName() : wxString());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(&dialog, CProgressDlg::kCaptionId, kCaption), 0, wxALL | wxEXPAND, 12);
    sizer->Add(new wxGauge(&dialog, CProgressDlg::kProgressBarId, 100, wxDefaultPosition, wxSize(260, 16)), 0,
               wxLEFT | wxRIGHT | wxEXPAND, 12);
    sizer->Add(new wxButton(&dialog, wxID_CANCEL), 0, wxALL | wxALIGN_RIGHT, 12);
    dialog.SetSizerAndFit(sizer);
}

wxGauge* Bar(wxDialog& dialog)
{
    wxWindow* w = dialog.FindWindow(CProgressDlg::kProgressBarId);
    if (!w) w = dialog.FindWindow(XRCID("1008"));
    return dynamic_cast<wxGauge*>(w);
}

}  // namespace

CProgressDlg::CProgressDlg() : m_shared(std::make_shared<Shared>()) {}

CProgressDlg::~CProgressDlg() = default;

wxDialog* CProgressDlg::GetWindow() const
{
    return m_shared->dialog;
}

void CProgressDlg::DoModal()
{
    if (m_closed.load()) return;  // the worker ended before the dialog was due
    wxDialog dialog;
    BuildDialog(dialog);
    dialog.SetId(kTemplateId);
    if (wxWindow* caption = dialog.FindWindow(XRCID("1009"))) caption->SetLabel(kCaption);
    if (wxGauge* bar = Bar(dialog)) {
        bar->SetRange(100);
        bar->SetValue(0);
    }
    // Cancel (and the close box, which the dialog turns into Cancel) asks the
    // worker to stop; only the worker's Close ends the dialog.
    dialog.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_stop = true; }, wxID_CANCEL);
    dialog.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_stop = true; }, wxID_OK);
    dialog.Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
        m_stop = true;
        e.Veto();
    });
    dialog.Bind(wxEVT_SHOW, [this, &dialog](wxShowEvent& e) {
        e.Skip();
        if (!e.IsShown()) return;
        m_shown = true;
        // A close that came while the window was being made.
        if (m_closed.load() && dialog.IsModal()) dialog.EndModal(wxID_CANCEL);
    });
    m_shared->dialog = &dialog;
    // A Close from here on posts its EndModal, which this loop runs.
    if (!m_closed.load()) dialog.ShowModal();
    m_shared->dialog = nullptr;
    m_shown = false;
}

void CProgressDlg::Close()
{
    m_closed = true;
    if (!wxTheApp) return;
    std::weak_ptr<Shared> weak = m_shared;
    wxTheApp->CallAfter([weak] {
        auto shared = weak.lock();
        if (shared && shared->dialog && shared->dialog->IsModal()) shared->dialog->EndModal(wxID_CANCEL);
    });
}

HRESULT CProgressDlg::SetRange(LONGLONG total)
{
    m_total = static_cast<uint64_t>(total);
    return S_OK;
}

HRESULT CProgressDlg::SetPos(LONGLONG pos)
{
    uint64_t total = m_total.load();
    if (total == 0) return S_OK;  // no range yet: no percentage
    int percent = static_cast<int>(static_cast<double>(static_cast<uint64_t>(pos)) / static_cast<double>(total) * 100.0);
    if (percent == m_lastPercent.exchange(percent)) return S_OK;
    ++m_barUpdates;
    if (!wxTheApp) return S_OK;
    std::weak_ptr<Shared> weak = m_shared;
    wxTheApp->CallAfter([weak, percent] {
        auto shared = weak.lock();
        if (!shared || !shared->dialog) return;
        if (wxGauge* bar = Bar(*shared->dialog)) bar->SetValue(std::clamp(percent, 0, 100));
    });
    return S_OK;
}
