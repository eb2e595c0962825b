#include "shell/NewProfileNameDlgImpl.h"
#include "controls/res/ResourceBridge.h"
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/xrc/xmlres.h>

int CNewProfileNameDlgImpl::DoModal()
{
    wxDialog dialog;
    if (KM::Res::LoadDialog(dialog, nullptr, kTemplateId)) {
        dialog.SetId(kTemplateId);
        wxWindow* w = dialog.FindWindow(kNameField);
        if (!w) w = dialog.FindWindow(XRCID("515"));
        auto* field = dynamic_cast<wxTextCtrl*>(w);
        if (field) field->SetValue(m_name);
        if (dialog.ShowModal() != wxID_OK) return 0;
        if (field) m_name = field->GetValue().ToStdWstring();
        return kIdOk;
    }
    wxTextEntryDialog ask(nullptr, wxEmptyString, wxTheApp ? wxTheApp->GetAppDisplayName() : wxString(), m_name);
    ask.SetId(kTemplateId);
    if (ask.ShowModal() != wxID_OK) return 0;
    m_name = ask.GetValue().ToStdWstring();
    return kIdOk;
}
