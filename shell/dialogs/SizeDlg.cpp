#include "shell/dialogs/SizeDlg.h"

#include "controls/res/ResourceBridge.h"
#include "shell/dialogs/FieldValidators.h"
#include <vector>
#include <wx/radiobut.h>

CSizeDlg::CSizeDlg(wxWindow* parent)
{
    KM::Res::LoadDialog(*this, parent, kTemplateId);
    SetId(kTemplateId);
    BindIntField(*this, 1011, &m_width);
    BindIntField(*this, 1012, &m_height);
    BindIntField(*this, 1014, &m_percent);
    for (int id : {1010, 1013})
        Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) {
            TransferDataFromWindow();
            UpdateEnables();
        }, id);
}

bool CSizeDlg::TransferDataToWindow()
{
    if (auto* r = dynamic_cast<wxRadioButton*>(FindWindow(m_mode == kPercent ? 1013 : 1010))) r->SetValue(true);
    const bool ok = wxDialog::TransferDataToWindow();
    UpdateEnables();
    return ok;
}

bool CSizeDlg::TransferDataFromWindow()
{
    if (auto* r = dynamic_cast<wxRadioButton*>(FindWindow(1013))) m_mode = r->GetValue() ? kPercent : kAbsolute;
    // Only the edits of the chosen mode are read; the others may hold anything.
    const std::vector<int> ids = m_mode == kPercent ? std::vector<int>{1014} : std::vector<int>{1011, 1012};
    bool ok = true;
    for (int id : ids)
        if (wxWindow* w = FindWindow(id); w && w->GetValidator())
            ok = w->GetValidator()->TransferFromWindow() && ok;
    return ok;
}

void CSizeDlg::UpdateEnables()
{
    for (int id : {1011, 1012})
        if (wxWindow* w = FindWindow(id)) w->Enable(m_mode == kAbsolute);
    if (wxWindow* w = FindWindow(1014)) w->Enable(m_mode != kAbsolute);
}
