#include "shell/WxDocumentUi.h"
#include "document/ShellStrings.h"
#include "platform/ResourceLibrary.h"
#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <sstream>

namespace {
wxWindow* Parent()
{
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

wxString Caption()
{
    return wxTheApp ? wxTheApp->GetAppDisplayName() : wxString("KestrelMedia");
}
}

std::wstring ProjectFileFilter()
{
    // Fields of the document string: window title, new name, file type name,
    // filter name, extension, ...
    std::wstring text = LoadResString(IDS_DOC_TEMPLATE);
    std::vector<std::wstring> fields;
    std::wstringstream in(text);
    for (std::wstring f; std::getline(in, f, L'\n');) fields.push_back(f);
    std::wstring name = fields.size() > 3 && !fields[3].empty() ? fields[3] : L"KestrelMedia Config (*.km)";
    std::wstring ext = fields.size() > 4 && !fields[4].empty() ? fields[4] : L".km";
    return name + L"|*" + ext;
}

void CWxDocumentUi::ShowError(const std::wstring& text)
{
    wxMessageBox(text, Caption(), wxOK | wxICON_ERROR, Parent());
}

void CWxDocumentUi::ShowWarning(const std::wstring& text)
{
    wxMessageBox(text, Caption(), wxOK | wxICON_WARNING, Parent());
}

IDocumentUi::Answer CWxDocumentUi::AskSaveChanges(const std::wstring& text)
{
    switch (wxMessageBox(text, Caption(), wxYES_NO | wxCANCEL | wxICON_QUESTION, Parent())) {
    case wxYES:
        return Answer::Yes;
    case wxNO:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::wstring CWxDocumentUi::AskSavePath(const std::wstring& proposedName)
{
    wxFileDialog dialog(Parent(), wxFileSelectorPromptStr, wxEmptyString, proposedName, ProjectFileFilter(),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return {};
    return dialog.GetPath().ToStdWstring();
}
