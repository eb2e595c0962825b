#include "document/KestrelMediaDoc.h"
#include "document/ShellStrings.h"
#include "model/project/FirstFormats.h"
#include "platform/Archive.h"
#include <filesystem>

namespace fs = std::filesystem;

CKestrelMediaDoc::CKestrelMediaDoc(CMessageMng* messageMng, IDocPlayer* player, IDocumentUi* ui, IRunClock* clock)
    : CComplexFileImpl(messageMng, clock), m_player(player), m_ui(ui)
{
}

CKestrelMediaDoc::~CKestrelMediaDoc()
{
    if (m_pProject) m_projectReplaced.NotifyProjectReplacing(m_pProject.get(), nullptr);
    m_pCurrentFile = nullptr;
    m_pProject.reset();  // stops a running job
}

// ---- document life ----

void CKestrelMediaDoc::StopRunningConversion()
{
    if (m_pProject && (m_pProject->m_runState != CRunManager::kIdle || m_pProject->m_job)) StopConversion();
}

void CKestrelMediaDoc::ReplaceProject(std::unique_ptr<CProject> fresh)
{
    BroadcastClearMessages();
    DetachPlayer();
    m_pCurrentFile = nullptr;
    if (m_pProject) m_projectReplaced.NotifyProjectReplacing(m_pProject.get(), fresh.get());
    m_pProject = std::move(fresh);
}

bool CKestrelMediaDoc::OnNewDocument()
{
    StopRunningConversion();
    auto fresh = std::make_unique<CProject>();
    // Only a new project: one read from a file keeps the format it stored.
    ChooseFirstFormats(*fresh);
    ReplaceProject(std::move(fresh));
    m_pathName.clear();
    m_modified = false;
    return true;
}

bool CKestrelMediaDoc::OnOpenDocument(const std::wstring& path)
{
    // Read into a project of its own first: the current one is replaced
    // only by a file that is a project, and is left as it was otherwise.
    auto fresh = std::make_unique<CProject>();
    HRESULT hr = E_FAIL;
    if (CConfigMng::IsConfigFile(path)) {
        CFileReadArchive archive{fs::path(path)};
        if (archive.IsOpen()) hr = fresh->LoadConfig(archive);
    }
    if (FAILED(hr)) {
        if (m_ui) m_ui->ShowError(ShellText(IDS_PROJECT_NOT_OPENED, {TextArg(path)}));
        return false;
    }
    StopRunningConversion();
    ReplaceProject(std::move(fresh));
    m_pathName = path;
    m_modified = false;
    if (hr == S_FALSE && m_ui) m_ui->ShowWarning(ShellText(IDS_PROJECT_CUT_OFF, {TextArg(path)}));
    return true;
}

bool CKestrelMediaDoc::OnSaveDocument(const std::wstring& path)
{
    bool saved = false;
    if (m_pProject) {
        CFileWriteArchive archive{fs::path(path)};
        if (archive.IsOpen()) {
            m_pProject->SaveConfig(archive);
            saved = !archive.HasWriteError() && archive.Commit();
        }
    }
    if (!saved) {
        if (m_ui) m_ui->ShowError(ShellText(IDS_PROJECT_NOT_SAVED, {TextArg(path)}));
        return false;
    }
    m_pathName = path;
    m_modified = false;
    if (m_saved) m_saved(path);
    return true;
}

bool CKestrelMediaDoc::SaveModified()
{
    if (!m_modified || !m_ui) return true;
    switch (m_ui->AskSaveChanges(ShellText(IDS_SAVE_CHANGES, {TextArg(GetTitle())}))) {
    case IDocumentUi::Answer::No:
        return true;
    case IDocumentUi::Answer::Cancel:
        return false;
    case IDocumentUi::Answer::Yes:
        break;
    }
    std::wstring path = m_pathName;
    if (path.empty()) path = m_ui->AskSavePath(GetTitle());
    if (path.empty()) return false;
    return OnSaveDocument(path);
}

std::wstring CKestrelMediaDoc::GetTitle() const
{
    if (m_pathName.empty()) {
        std::wstring untitled = ShellText(IDS_UNTITLED);
        return untitled.empty() ? L"Untitled" : untitled;
    }
    return fs::path(m_pathName).filename().wstring();
}

// ---- current entry ----

void CKestrelMediaDoc::DetachPlayer()
{
    if (m_player) m_player->Detach();
}

HRESULT CKestrelMediaDoc::SetCurrentFile(CKMFile* item)
{
    bool changed = false;
    if (m_pCurrentFile != item) {
        if (item) item->m_currentPosition = item->m_resumePosition;
        if (m_player) m_player->CloseGraph();
        changed = true;
    }
    if (!item) DetachPlayer();
    m_pCurrentFile = item;
    if (m_pProject) m_pProject->InputFiles().ReleaseOtherSources(item);
    if (!item) {
        BroadcastClearMessages();
        return S_OK;
    }
    if (m_pProject) item->m_owner = &m_pProject->InputFiles();
    HRESULT hr = item->OpenMediaSource(item->m_fileName);
    if (hr == S_OK) hr = item->Open(0);
    if (SUCCEEDED(hr) && changed) BroadcastCurrentFileChanged();
    return hr;
}

// ---- source operations ----

int CKestrelMediaDoc::AddFilesFromDialog()
{
    if (!m_pProject || m_pProject->InputFiles().AddFilesFromDialog() != S_OK) return 0;
    SetModifiedFlag();
    return 1;
}

void CKestrelMediaDoc::RemoveAllFiles()
{
    DetachPlayer();
    // The current entry goes with the list; the view that removed it picks
    // the next current file (and clears the messages only when none is left).
    if (m_pProject) {
        CFiles& files = m_pProject->InputFiles();
        for (uint32_t i = 0; i < files.GetCount(); ++i)
            if (files.GetAt(i) == m_pCurrentFile) m_pCurrentFile = nullptr;
        files.RemoveFiles(-1);
    }
    SetModifiedFlag();
}

void CKestrelMediaDoc::RemoveFile(int index)
{
    DetachPlayer();
    if (m_pProject && index >= 0 && m_pProject->InputFiles().GetAt(static_cast<uint32_t>(index)) == m_pCurrentFile)
        m_pCurrentFile = nullptr;
    if (m_pProject) m_pProject->InputFiles().RemoveFiles(index);
    SetModifiedFlag();
}

void CKestrelMediaDoc::SetFolder(const std::wstring& path)
{
    if (m_pProject) m_pProject->InputFolder().SetFolder(path);
    SetModifiedFlag();
}

void CKestrelMediaDoc::ChangeFolder(const std::wstring& name)
{
    std::wstring left;
    if (m_pProject) m_pProject->InputFolder().ChangeFolder(&left, name);
}

void CKestrelMediaDoc::ToggleRecursive()
{
    if (m_pProject) {
        CInputFolder& folder = m_pProject->InputFolder();
        folder.m_recursive = 1 - folder.m_recursive;
        std::wstring left;
        folder.ChangeFolder(&left, L"");
    }
    SetModifiedFlag();
}

void CKestrelMediaDoc::SetFileMask(const std::wstring& mask)
{
    if (m_pProject) m_pProject->InputFolder().SetFileMask(mask);
    SetModifiedFlag();
}

void CKestrelMediaDoc::SelectFile(CKMFile* item)
{
    if (m_pProject && item) m_pProject->InputFolder().SelectFile(item->m_fileName);
    SetModifiedFlag();
}

void CKestrelMediaDoc::UnselectFile(CKMFile* item)
{
    if (m_pProject && item) m_pProject->InputFolder().UnselectFile(item->m_fileName);
    SetModifiedFlag();
}

void CKestrelMediaDoc::SelectSubFolder(const std::wstring& name)
{
    if (m_pProject) m_pProject->InputFolder().SelectSubFolder(name);
    SetModifiedFlag();
}

void CKestrelMediaDoc::UnselectSubFolder(const std::wstring& name)
{
    if (m_pProject) m_pProject->InputFolder().UnselectSubFolder(name);
    SetModifiedFlag();
}

void CKestrelMediaDoc::RefreshFolder()
{
    if (!m_pProject) return;
    CInputFolder& folder = m_pProject->InputFolder();
    folder.m_dirty = 1;
    folder.m_listed.RemoveFiles(-1);
    folder.SetFolder(folder.m_folder);
}

void CKestrelMediaDoc::SetDVDPath(const std::wstring& path)
{
    if (m_pProject) m_pProject->InputDVD().SetPath(path);
    SetModifiedFlag();
}

HRESULT CKestrelMediaDoc::LoadDVDTitles(const std::wstring& path)
{
    if (!m_pProject || m_pProject->m_sourceType != CParametersTransfer::kSourceDVD) return S_OK;
    HRESULT hr = m_pProject->InputDVD().LoadTitles(path, 0);
    if (hr == S_OK) {
        SetCurrentFile(nullptr);
        ReportDiscNote();
    } else if (FAILED(hr)) {
        m_pCurrentFile = nullptr;
    }
    return S_OK;
}

void CKestrelMediaDoc::RefreshDVDTitles()
{
    if (m_pProject && m_pProject->InputDVD().LoadTitles(m_pProject->InputDVD().m_path, 1) == S_OK) ReportDiscNote();
}

// A disc read without some of its title sets is shown with the rest of its
// titles; the log and the status bar say which sets are missing. Reported
// after the log is emptied for the new disc, so the line stays.
void CKestrelMediaDoc::ReportDiscNote()
{
    const std::wstring note = m_pProject ? m_pProject->InputDVD().DiscNote() : std::wstring();
    if (!note.empty()) ReportError(note);
}

void CKestrelMediaDoc::SelectTitle(CKMFile* title)
{
    if (m_pProject) m_pProject->InputDVD().SelectTitle(title);
    SetModifiedFlag();
}

void CKestrelMediaDoc::UnselectTitle(CKMFile* title)
{
    if (m_pProject) m_pProject->InputDVD().UnselectTitle(title);
    SetModifiedFlag();
}
