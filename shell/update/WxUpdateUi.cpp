#include "shell/update/WxUpdateUi.h"
#include "controls/ids/StringIds.h"
#include "controls/res/ResourceBridge.h"
#include <wx/app.h>
#include <wx/msgdlg.h>

void CWxUpdateUi::Post(std::function<void()> task)
{
    if (wxTheApp) wxTheApp->CallAfter(std::move(task));
}

void CWxUpdateUi::ShowMessage(uint32_t stringId, bool error)
{
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxMessageBox(KM::Res::LoadString(stringId), KM::Res::LoadString(KM::Str::ProgramName),
                 wxOK | (error ? wxICON_ERROR : wxICON_INFORMATION), parent);
}

void CWxUpdateUi::OnCheckFinished(bool manual)
{
    if (manual && m_onManualDone) m_onManualDone();
}
