#include "shell/ShellServices.h"
#include "document/KestrelMediaDoc.h"
#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/utils.h>

void CActiveDocumentService::ReportError(std::wstring text)
{
    if (m_doc) m_doc->ReportError(std::move(text));
}

std::wstring WildcardFromFilter(const std::wstring& filter)
{
    std::wstring w = filter;
    while (!w.empty() && w.back() == L'|') w.pop_back();
    return w;
}

void CWxFileBrowser::BrowseFile(std::vector<std::wstring>& paths, const wchar_t* initialFolder,
                                const wchar_t* filter, bool mustExist)
{
    paths.clear();
    long style = wxFD_OPEN | wxFD_MULTIPLE | (mustExist ? wxFD_FILE_MUST_EXIST : 0);
    wxFileDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, wxFileSelectorPromptStr,
                        initialFolder ? wxString(initialFolder) : wxString(), wxEmptyString,
                        filter ? wxString(WildcardFromFilter(filter)) : wxString(wxFileSelectorDefaultWildcardStr),
                        style);
    if (dialog.ShowModal() != wxID_OK) return;
    wxArrayString chosen;
    dialog.GetPaths(chosen);
    for (const wxString& p : chosen) paths.push_back(p.ToStdWstring());
}

void CWxWaitCursor::BeginWaitCursor()
{
    wxBeginBusyCursor();
}

void CWxWaitCursor::EndWaitCursor()
{
    if (wxIsBusy()) wxEndBusyCursor();
}
