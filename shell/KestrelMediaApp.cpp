#include "shell/KestrelMediaApp.h"
#include "model/profile/ProfilesMng.h"
#include "model/util/ResourceModule.h"
#include "platform/ResourceLibrary.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "player/Player.h"
#include "shell/DocPlayerLink.h"
#include "document/KestrelMediaDoc.h"
#include "document/MessageMng.h"
#include "shell/NewProfileNameDlgImpl.h"
#include "shell/ProgressDlg.h"
#include "document/ShellStrings.h"
#include "shell/SplashDlg.h"
#include "shell/frame/MainFrame.h"
#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <cstdlib>

namespace {
CKestrelMediaApp* g_app = nullptr;

constexpr const wchar_t* kSettings = L"Settings";
}  // namespace

CKestrelMediaApp::CKestrelMediaApp() = default;

CKestrelMediaApp::~CKestrelMediaApp()
{
    ExitInstance();
}

CKestrelMediaApp* CKestrelMediaApp::Get()
{
    return g_app;
}

bool CKestrelMediaApp::LoadResources(const std::filesystem::path& folder)
{
    CResourceLibrary* library = nullptr;
    if (folder.empty()) {
        library = GetResourceModule();
    } else {
        m_ownResources = CResourceLibrary::Load(folder);
        library = m_ownResources.get();
    }
    if (!library) return false;
    SetCurrentResourceLibrary(library);
    return true;
}

bool CKestrelMediaApp::InitInstance(const StartupOptions& options)
{
    // 1. The resource folder: without it there are no texts to show.
    if (!LoadResources(options.resourceFolder)) {
        wxMessageBox("The resource folder \"res\" beside the program is missing or incomplete.\n"
                     "Please reinstall KestrelMedia.",
                     "KestrelMedia", wxOK | wxICON_ERROR);
        return false;
    }
    g_app = this;
    m_started = true;
    wxInitAllImageHandlers();
    DeclareShellStringArgs();

    // The objects of the whole process, in the order the rest relies on.
    m_draw = std::make_unique<CSharedDrawObjects>();
    m_player = std::make_unique<CPlayer>(m_poster);
    CPlayer::SetInstance(m_player.get());
    m_pMessageMng = std::make_unique<CMessageMng>(&m_poster);
    __SetMessageHandler(m_pMessageMng.get());

    // 2-4. Settings under "KestrelMedia Soft" (the settings store) and the
    // recent files in their section of it.
    m_recent = std::make_unique<CRecentFileList>(CSettingsStore::Instance());
    // 5. Context menus.
    m_contextMenus.RegisterDefaults();
    // 6. Splash.
    if (options.showSplash) {
        m_splash = new CSplashDlg();
        if (m_splash->Create()) {
            m_splash->Show();
            m_splash->Update();
        } else {
            m_splash->Destroy();
            m_splash = nullptr;
        }
    }
    // 7, 10, 11. Which project to open.
    StartupInputs in;
    in.loadRecentDoc = CSettingsStore::Instance().GetInt(kSettings, L"LoadRecentDoc", 1) != 0;
    in.recentFile = m_recent->First();
    in.commandLineFile = options.commandLineFile;
    m_startup = DecideStartupDocument(in);

    // 12. The document, the services the model calls back into, the window.
    m_playerLink = std::make_unique<CDocPlayerLink>(*m_player);
    m_doc = std::make_unique<CKestrelMediaDoc>(m_pMessageMng.get(), m_playerLink.get(), &m_docUi);
    m_doc->SetConvertingSetter([player = m_player.get()](bool on) { player->SetConverting(on); });
    // Every save, from any road, joins the recent files.
    m_doc->SetSavedListener([this](const std::wstring& path) {
        if (m_recent) m_recent->Add(path);
    });
    InstallShellServices();
    m_doc->OnNewDocument();
    CreateMainWindow();
    OpenStartupDocument();

    // 13. The splash goes.
    if (m_splash) {
        m_splash->Destroy();
        m_splash = nullptr;
    }
    // 14. The update and news check ("Settings"/"AutoCheck") was started by
    // the main frame, which owns its thread.
    // 15. Show the main window.
    if (m_mainFrame && options.showMainWindow) {
        m_mainFrame->Show();
        m_mainFrame->Update();
    }
    return true;
}

void CKestrelMediaApp::InstallShellServices()
{
    m_progressFactory = std::make_unique<CProgressDlgFactory>();
    m_activeDocument.SetDocument(m_doc.get());
    SourceShell::SetProgressDlgFactory(m_progressFactory.get());
    SourceShell::SetActiveDocument(&m_activeDocument);
    SourceShell::SetFileBrowser(&m_fileBrowser);
    SourceShell::SetWaitCursor(&m_waitCursor);
    SetGridDialogs(&m_gridDialogs);
}

void CKestrelMediaApp::RemoveShellServices()
{
    if (SourceShell::GetProgressDlgFactory() == m_progressFactory.get()) SourceShell::SetProgressDlgFactory(nullptr);
    if (SourceShell::GetActiveDocument() == &m_activeDocument) SourceShell::SetActiveDocument(nullptr);
    if (SourceShell::GetFileBrowser() == &m_fileBrowser) SourceShell::SetFileBrowser(nullptr);
    if (SourceShell::GetWaitCursor() == &m_waitCursor) SourceShell::SetWaitCursor(nullptr);
    if (GetGridDialogs() == &m_gridDialogs) SetGridDialogs(nullptr);
    m_activeDocument.SetDocument(nullptr);
}

void CKestrelMediaApp::CreateMainWindow()
{
    m_mainFrame = CMainFrame::Create(*this);
    if (!m_mainFrame) return;
    // The framework destroys the window when the user closes it.
    m_mainFrame->Bind(wxEVT_DESTROY, &CKestrelMediaApp::OnMainFrameDestroyed, this);
    if (wxTheApp) wxTheApp->SetTopWindow(m_mainFrame);
}

void CKestrelMediaApp::OnMainFrameDestroyed(wxWindowDestroyEvent& event)
{
    if (event.GetEventObject() == m_mainFrame) m_mainFrame = nullptr;
    event.Skip();
}

void CKestrelMediaApp::OpenStartupDocument()
{
    switch (m_startup.kind) {
    case StartupDecision::Kind::NewDocument:
        break;
    case StartupDecision::Kind::OpenRecent:
        // A failure leaves a new untitled project (the document said why).
        OpenDocumentFile(m_startup.path);
        break;
    case StartupDecision::Kind::OpenCommandLine:
        // The program keeps running with a new project; the document's one
        // message already names the file and why it could not be opened.
        OpenDocumentFile(m_startup.path);
        break;
    }
}

void CKestrelMediaApp::ExitInstance()
{
    if (!m_started) return;
    m_started = false;
    // The main window has gone (or goes now): no view listens any more.
    if (m_mainFrame) {
        // Its deletion may come after this object is gone.
        m_mainFrame->Unbind(wxEVT_DESTROY, &CKestrelMediaApp::OnMainFrameDestroyed, this);
        // Deleted now, not later: its views hold the document, which goes next.
        if (!wxTheApp || !wxTheApp->IsScheduledForDestruction(m_mainFrame)) delete m_mainFrame;
        m_mainFrame = nullptr;
    }
    if (m_doc) m_doc->StopConversion();
    RemoveShellServices();
    m_doc.reset();  // frees the project
    m_playerLink.reset();
    // 1. The message manager: nothing may call it afterwards.
    if (__GetMessageHandler() == m_pMessageMng.get()) __SetMessageHandler(nullptr);
    m_pMessageMng.reset();
    // 2. The update thread went with the main frame. 3. Splash, player, drawing objects.
    if (m_splash) {
        m_splash->Destroy();
        m_splash = nullptr;
    }
    if (CPlayer::Instance() == m_player.get()) CPlayer::SetInstance(nullptr);
    m_player.reset();
    m_draw.reset();
    m_recent.reset();
    if (m_ownResources && GetCurrentResourceLibrary() == m_ownResources.get()) SetCurrentResourceLibrary(nullptr);
    m_ownResources.reset();
    if (g_app == this) g_app = nullptr;
}

void CKestrelMediaApp::ConfigureProfiles(CProfilesMng& profiles) const
{
    std::filesystem::path shipped = GetExecutableFolder() / "Profiles";
    if (m_ownResources) shipped = m_ownResources->Folder().parent_path() / "Profiles";
    // The user's profiles in the XDG data folder, beside the settings' vendor name.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path data = xdg && *xdg ? std::filesystem::path(xdg)
                                             : std::filesystem::path(home ? home : "/tmp") / ".local" / "share";
    std::filesystem::path user = data / "KestrelMedia Soft" / "Profiles";
    profiles.SetFolders(Utf8ToWide(shipped.string() + "/"), Utf8ToWide(user.string() + "/"));
    profiles.SetNameDialogFactory([] { return std::make_unique<CNewProfileNameDlgImpl>(); });
}

// ---- file commands ----

bool CKestrelMediaApp::OpenDocumentFile(const std::wstring& path)
{
    if (!m_doc) return false;
    if (!m_doc->OnOpenDocument(path)) {
        m_recent->Remove(path);
        return false;
    }
    m_recent->Add(path);
    return true;
}

void CKestrelMediaApp::OnFileNew()
{
    if (m_doc && m_doc->SaveModified()) m_doc->OnNewDocument();
}

void CKestrelMediaApp::OnFileOpen()
{
    if (!m_doc || !m_doc->SaveModified()) return;
    wxFileDialog dialog(m_mainFrame, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, ProjectFileFilter(),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK) OpenDocumentFile(dialog.GetPath().ToStdWstring());
}

bool CKestrelMediaApp::OnFileSave()
{
    if (!m_doc) return false;
    if (m_doc->GetPathName().empty()) return OnFileSaveAs();
    return m_doc->OnSaveDocument(m_doc->GetPathName());
}

bool CKestrelMediaApp::OnFileSaveAs()
{
    if (!m_doc) return false;
    std::wstring path = m_docUi.AskSavePath(m_doc->GetTitle());
    if (path.empty()) return false;
    return m_doc->OnSaveDocument(path);
}

void CKestrelMediaApp::OnAppAbout()
{
    CAboutDlg::Show(m_mainFrame);
}

bool CKestrelMediaApp::CanCloseMainFrame()
{
    return !m_doc || m_doc->SaveModified();
}
