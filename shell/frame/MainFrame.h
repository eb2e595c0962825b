#pragma once
// The program's one top-level window: ribbon, pages, status bar. Commands go
// first to the views of the shown page, then to the frame, then to the
// application's file commands.
#include "model/project/ProjectReplacedNotice.h"
#include "shell/commands/CommandTable.h"
#include "shell/frame/MainFrmUpdate.h"
#include <memory>
#include <vector>

class CKestrelMediaApp;
class CUpdateChecker;
class CWxUpdateUi;
class wxRibbonButtonBarEvent;
class wxUpdateUIEvent;

class CMainFrame : public CMainFrmUpdate, private IProjectReplacedListener {
public:
    explicit CMainFrame(CKestrelMediaApp& app);
    ~CMainFrame() override;

    // Makes the frame and makes it the application's main window.
    static wxFrame* Create(CKestrelMediaApp& app);

    // The frame's own commands; false when the command is not one of them.
    bool ExecuteCommand(int command);
    bool UpdateCommand(int command, wxUpdateUIEvent& ui);
    // Offers the command to the shown page, the frame and the application.
    bool DispatchCommand(int command);
    // Every command table of the program's windows, shown or not: the pages'
    // views and panes, the frame's and the application's.
    std::vector<const CCommandTable*> AllCommandTables() const;
    int GetApplicationLook() const { return m_look; }
    // Lets go of the document and the update check before the window goes.
    bool Destroy() override;

private:
    void BuildLayout();
    void BindCommands();
    void RegisterFrameCommands();
    void RegisterApplicationCommands();
    CommandUi FrameUi(int command) const;
    void OnCommandEvent(wxCommandEvent& event);
    void OnRibbonButton(wxRibbonButtonBarEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnFrameSize(wxSizeEvent& event);
    bool RouteToShownPage(int command);
    bool RouteUpdateToShownPage(wxUpdateUIEvent& ui);
    void SetSourceType(int type, int pageKind, int viewCommand);
    void StartConversionFromAnyPage();
    void ApplyLook(int command);
    void ToggleSetting(const wchar_t* key);
    void ShutdownWindows();
    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override;

    CKestrelMediaApp& m_app;
    int m_look;
    std::unique_ptr<CWxUpdateUi> m_updateUi;
    std::unique_ptr<CUpdateChecker> m_updateChecker;
    bool m_shutDown = false;
    CCommandTable m_frameCommands;        // the frame's own, after the shown page's
    CCommandTable m_applicationCommands;  // the application's file commands, last
    CProjectReplacedNotice::CRegistration m_projectRegistration;
};
