#pragma once
// The application: owns what lives for the whole process (shared drawing
// objects, the one preview player, the message manager, the document, the
// splash window, the main frame), starts up and shuts down in a fixed order,
// and installs the model's shell services. It is a plain object so tests can
// start and stop it inside their own wx application; the program's wxApp
// (CKestrelMediaWxApp, main.cpp) only forwards to it. The update and news
// check belongs to the main frame, which starts it and joins it as it closes.
//
// Window thread only.
#include "controls/draw/SharedDrawObjects.h"
#include "shell/ContextMenus.h"
#include "shell/RecentFileList.h"
#include "shell/ShellServices.h"
#include "shell/StartupDecision.h"
#include "shell/WxDocumentUi.h"
#include "shell/WxUiPoster.h"
#include "shell/dialogs/ShellGridDialogs.h"
#include <filesystem>
#include <functional>
#include <memory>

class CDocPlayerLink;
class CKestrelMediaDoc;
class CMessageMng;
class CPlayer;
class CProfilesMng;
class CProgressDlgFactory;
class CResourceLibrary;
class CSplashDlg;
class wxFrame;
class wxWindow;
class wxWindowDestroyEvent;

class CKestrelMediaApp {
public:
    struct StartupOptions {
        std::wstring commandLineFile;          // a ".km" named on the command line
        std::filesystem::path resourceFolder;  // empty: "res" beside the program
        bool showSplash = true;
        bool showMainWindow = true;
    };

    CKestrelMediaApp();
    ~CKestrelMediaApp();
    CKestrelMediaApp(const CKestrelMediaApp&) = delete;
    CKestrelMediaApp& operator=(const CKestrelMediaApp&) = delete;

    // The running application, or null.
    static CKestrelMediaApp* Get();

    // False ends the program (the resource folder is missing).
    bool InitInstance(const StartupOptions& options);
    // Tears down in order; also run by the destructor when not done.
    void ExitInstance();

    // Accessors used everywhere.
    CKestrelMediaDoc* GetDocument() const { return m_doc.get(); }
    CPlayer& GetPlayer() const { return *m_player; }
    CMessageMng* GetMessageMng() const { return m_pMessageMng.get(); }
    CSharedDrawObjects& GetDrawObjects() const { return *m_draw; }
    CContextMenuManager& GetContextMenus() { return m_contextMenus; }
    CRecentFileList& GetRecentFiles() { return *m_recent; }
    IUiPoster& GetPoster() { return m_poster; }
    wxFrame* GetMainFrame() const { return m_mainFrame; }
    const StartupDecision& GetStartupDecision() const { return m_startup; }

    // Points a profile list at the shipped and the user's "Profiles" folders
    // and gives it the new-profile-name dialog.
    void ConfigureProfiles(CProfilesMng& profiles) const;

    // The framework's file commands: ask to save changes, then a new project
    // or the open dialog; the opened or saved file joins the recent files.
    void OnFileNew();
    void OnFileOpen();
    bool OpenDocumentFile(const std::wstring& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnAppAbout();
    // Whether the main window may close (asks to save changes).
    bool CanCloseMainFrame();

private:
    bool LoadResources(const std::filesystem::path& folder);
    void InstallShellServices();
    void RemoveShellServices();
    void CreateMainWindow();
    void OnMainFrameDestroyed(wxWindowDestroyEvent& event);
    void OpenStartupDocument();

    // Declared in construction order; torn down in the reverse order by ExitInstance.
    std::unique_ptr<CSharedDrawObjects> m_draw;
    CWxUiPoster m_poster;
    std::unique_ptr<CPlayer> m_player;
    std::unique_ptr<CMessageMng> m_pMessageMng;
    std::unique_ptr<CResourceLibrary> m_ownResources;
    std::unique_ptr<CRecentFileList> m_recent;
    CContextMenuManager m_contextMenus;
    std::unique_ptr<CDocPlayerLink> m_playerLink;
    CWxDocumentUi m_docUi;
    std::unique_ptr<CKestrelMediaDoc> m_doc;
    std::unique_ptr<CProgressDlgFactory> m_progressFactory;
    CActiveDocumentService m_activeDocument;
    CWxFileBrowser m_fileBrowser;
    CWxWaitCursor m_waitCursor;
    CShellGridDialogs m_gridDialogs;  // the settings grids' size, join-images and file-name dialogs
    CSplashDlg* m_splash = nullptr;  // a top-level window: destroyed, not deleted
    wxFrame* m_mainFrame = nullptr;  // owned by wxWidgets
    StartupDecision m_startup;
    bool m_started = false;
};
