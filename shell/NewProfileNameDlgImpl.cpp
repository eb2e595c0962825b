#include "shell/NewProfileNameDlgImpl.h"
#include "controls/res/ResourceBridge.h"
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

int CNewProfileNameDlgImpl::DoModal()
{
    wxDialog dialog;
    if (!KM::Res::LoadDialog(dialog, wxTheApp ? wxTheApp->GetTopWindow() : nullptr, kTemplateId))
        return 0;
    dialog.SetId(kTemplateId);
    auto* field = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(XRCID("515")));
    if (!field)
        return 0;
    field->SetValue(m_name);
    field->SelectAll();
    field->SetFocus();
    if (dialog.ShowModal() != wxID_OK)
        return 0;
    m_name = field->GetValue().ToStdWstring();
    return kIdOk;
}
