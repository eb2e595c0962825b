#include "shell/dialogs/FieldValidators.h"

#include "controls/grid/GridValueText.h"
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

bool CIntFieldValidator::Read(int32_t* out) const
{
    wxWindow* w = GetWindow();
    if (auto* box = dynamic_cast<wxCheckBox*>(w)) {
        *out = box->GetValue() ? 1 : 0;
        return true;
    }
    if (auto* choice = dynamic_cast<wxChoice*>(w)) {
        *out = choice->GetSelection();
        return true;
    }
    if (auto* text = dynamic_cast<wxTextCtrl*>(w)) {
        const auto v = ParseWholeInt(text->GetValue().ToStdWstring());
        if (!v) return false;
        *out = *v;
        return true;
    }
    return false;
}

bool CIntFieldValidator::TransferToWindow()
{
    if (!m_field) return false;
    wxWindow* w = GetWindow();
    if (auto* box = dynamic_cast<wxCheckBox*>(w))
        box->SetValue(*m_field != 0);
    else if (auto* choice = dynamic_cast<wxChoice*>(w))
        choice->SetSelection(*m_field >= 0 && static_cast<unsigned>(*m_field) < choice->GetCount() ? *m_field : wxNOT_FOUND);
    else if (auto* text = dynamic_cast<wxTextCtrl*>(w))
        text->ChangeValue(wxString::Format("%d", *m_field));
    else
        return false;
    return true;
}

bool CIntFieldValidator::TransferFromWindow()
{
    int32_t v = 0;
    if (!m_field || !Read(&v)) return false;
    *m_field = v;
    return true;
}

bool CIntFieldValidator::Validate(wxWindow*)
{
    int32_t v = 0;
    if (Read(&v)) return true;
    if (GetWindow()) GetWindow()->SetFocus();
    return false;
}

bool CTextFieldValidator::TransferToWindow()
{
    auto* text = dynamic_cast<wxTextCtrl*>(GetWindow());
    if (!text || !m_field) return false;
    text->ChangeValue(*m_field);
    return true;
}

bool CTextFieldValidator::TransferFromWindow()
{
    auto* text = dynamic_cast<wxTextCtrl*>(GetWindow());
    if (!text || !m_field) return false;
    *m_field = text->GetValue().ToStdWstring();
    return true;
}

bool BindIntField(wxWindow& dialog, int id, int32_t* field)
{
    wxWindow* control = dialog.FindWindow(id);
    if (!control || !field) return false;
    control->SetValidator(CIntFieldValidator(field));
    return true;
}

bool BindTextField(wxWindow& dialog, int id, std::wstring* field)
{
    wxWindow* control = dialog.FindWindow(id);
    if (!control || !field) return false;
    control->SetValidator(CTextFieldValidator(field));
    return true;
}
