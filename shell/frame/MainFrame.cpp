#include "shell/frame/MainFrame.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/StringIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/res/ResourceBridge.h"
#include "model/project/Project.h"
#include "platform/Settings.h"
#include "player/Player.h"
#include "shell/BaseView.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/FrameCommandState.h"
#include "shell/frame/FrameLayout.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/PageKinds.h"
#include "shell/update/UpdateChecker.h"
#include "shell/update/UpdateService.h"
#include "shell/update/WxUpdateUi.h"
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/sizer.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

namespace {

using namespace KM::Cmd;

constexpr int kDefaultLook = 215;

wxSize StoredFrameSize()
{
    CSettingsStore& store = CSettingsStore::Instance();
    return {store.GetInt(L"Workspace", L"client_x", 700), store.GetInt(L"Workspace", L"client_y", 525)};
}

wxString FrameTitle(CKestrelMediaApp& app)
{
    const wxString name = KM::Res::LoadString(KM::Str::ProgramName);
    if (CKestrelMediaDoc* doc = app.GetDocument())
        return wxString(doc->GetTitle()) + " - " + name;
    return name;
}

}  // namespace

wxFrame* CMainFrame::Create(CKestrelMediaApp& app)
{
    return new CMainFrame(app);
}

CMainFrame::CMainFrame(CKestrelMediaApp& app)
    : CMainFrmUpdate(FrameTitle(app), StoredFrameSize()),
      m_app(app),
      m_look(CSettingsStore::Instance().GetInt(L"", L"ApplicationLook", kDefaultLook))
{
    ApplyLook(m_look >= LookFirst && m_look <= LookLast ? m_look : kDefaultLook);
    BuildRibbon();
    BuildStatusBar();
    BuildLayout();
    RegisterFrameCommands();
    RegisterApplicationCommands();
    CreateClient();
    CreateGroups();
    BindCommands();
    GetRibbon()->SetCategoryChangedHandler([this] { OnRibbonCategoryChanged(); });
    if (CKestrelMediaDoc* doc = Document()) {
        doc->AddListener(this);  // after the conversion view, which registers as it is made
        m_projectRegistration = doc->GetProjectReplacedNotice().Register(this);
    }
    // The first tab shown is the source tab: its page follows the project.
    GetRibbon()->SetActiveCategory(GetCategory(kCategorySource));
    m_updateUi = std::make_unique<CWxUpdateUi>([this] {
        if (wxWindow* view = GetActiveView())
            KM::PostWindowMessage(view, KM::WM_KM_REINIT_VIEW);
    });
    m_updateChecker = std::make_unique<CUpdateChecker>(
        CUpdateService(CUpdateService::ServerFromSettings(), CUpdateService::DefaultNewsFile()), *m_updateUi,
        *m_updateUi);
    m_updateChecker->StartAuto();
}

CMainFrame::~CMainFrame()
{
    ShutdownWindows();
}

void CMainFrame::BuildLayout()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(GetQuickAccessBar(), 0, wxEXPAND);
    sizer->Add(GetRibbon(), 0, wxEXPAND);
    SetSizer(sizer);
}

void CMainFrame::BindCommands()
{
    GetSizer()->Add(GetClientArea(), 1, wxEXPAND);
    Layout();
    Bind(wxEVT_MENU, &CMainFrame::OnCommandEvent, this);
    Bind(wxEVT_RIBBONBUTTONBAR_CLICKED, &CMainFrame::OnRibbonButton, this);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateUI, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_SIZE, &CMainFrame::OnFrameSize, this);
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& e) {
        if (!m_shutDown)  // the application may be gone before the window
            SetTitle(FrameTitle(m_app));
        e.Skip();
    });
    // The editing tab's file choice goes to the page as its command, so the
    // active pane binds to the file; without a page that takes it, it only
    // picks the current source.
    if (wxChoice* combo = GetFileCombo())
        combo->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
            if (DispatchCommand(KM::Cmd::CurrentFileCombo))
                return;
            if (CKestrelMediaDoc* doc = Document())
                doc->SetCurrentFile(GetComboFileEntry(this));
        });
}

void CMainFrame::OnCommandEvent(wxCommandEvent& event)
{
    if (!DispatchCommand(event.GetId()))
        event.Skip();
}

void CMainFrame::OnRibbonButton(wxRibbonButtonBarEvent& event)
{
    if (!DispatchCommand(event.GetId()))
        event.Skip();
}

bool CMainFrame::DispatchCommand(int command)
{
    if (m_shutDown)
        return false;
    return RouteToShownPage(command) || ExecuteCommand(command) || m_applicationCommands.Execute(command);
}

std::vector<const CCommandTable*> CMainFrame::AllCommandTables() const
{
    std::vector<const CCommandTable*> tables;
    for (const auto& group : m_groups) {
        MakeGroupView(*group);  // every page's commands, made or not yet
        for (wxWindow* w : group->pageWindows)
            if (auto* view = dynamic_cast<CBaseView*>(w))
                for (const CCommandTable* table : view->AllCommands())
                    tables.push_back(table);
    }
    tables.push_back(&m_frameCommands);
    tables.push_back(&m_applicationCommands);
    return tables;
}

bool CMainFrame::RouteToShownPage(int command)
{
    const CViewGroup* group = ShownGroup();
    if (!group)
        return false;
    for (wxWindow* w : group->pageWindows) {
        auto* view = dynamic_cast<CBaseView*>(w);
        wxCommandEvent event(wxEVT_MENU, command);
        event.SetEventObject(this);
        if (view && view->RouteCommand(event))
            return true;
    }
    return false;
}

bool CMainFrame::RouteUpdateToShownPage(wxUpdateUIEvent& ui)
{
    const CViewGroup* group = ShownGroup();
    if (!group)
        return false;
    for (wxWindow* w : group->pageWindows)
        if (auto* view = dynamic_cast<CBaseView*>(w); view && view->RouteUpdateUI(ui))
            return true;
    return false;
}

void CMainFrame::OnUpdateUI(wxUpdateUIEvent& ui)
{
    if (m_shutDown)
        return;
    if (RouteUpdateToShownPage(ui) || UpdateCommand(ui.GetId(), ui))
        return;
    ui.Skip();
}

bool CMainFrame::UpdateCommand(int command, wxUpdateUIEvent& ui)
{
    return m_frameCommands.Update(command, ui) || m_applicationCommands.Update(command, ui);
}

bool CMainFrame::ExecuteCommand(int command)
{
    return m_frameCommands.Execute(command);
}

CommandUi CMainFrame::FrameUi(int command) const
{
    FrameCommandContext context;
    CSettingsStore& store = CSettingsStore::Instance();
    context.loadRecentDoc = store.GetInt(L"Settings", L"LoadRecentDoc", 1);
    context.autoCheck = store.GetInt(L"Settings", L"AutoCheck", 1);
    CKestrelMediaDoc* doc = Document();
    context.sourceType = doc && doc->GetProject() ? doc->GetProject()->m_sourceType : 0;
    const FrameCommandUi state = FrameCommandState(command, context);
    if (!state.checkable)
        return Enabled(state.enabled);
    return Checked(command >= LookFirst && command <= LookLast ? command == m_look : state.checked, state.enabled);
}

void CMainFrame::RegisterFrameCommands()
{
    auto rule = [this](int command) { return [this, command] { return FrameUi(command); }; };
    m_frameCommands.Add(WebsiteLink, rule(WebsiteLink), [this] { OpenWebsite(); })
        .Add(SourceFileList, rule(SourceFileList), [this] { SetSourceType(0, kPageFiles, AddFiles); })
        .Add(SourceFolder, rule(SourceFolder), [this] { SetSourceType(1, kPageFolder, BrowseFolder); })
        .Add(SourceDvd, rule(SourceDvd), [this] { SetSourceType(2, kPageDvd, BrowseDvd); })
        .Add(SourceType3, rule(SourceType3), [this] { SetSourceType(3, -1, 0); })
        .Add(SourceType4, rule(SourceType4), [this] { SetSourceType(4, -1, 0); })
        .Add(LoadRecentDoc,
             [this] {
                 const CommandUi ui = FrameUi(LoadRecentDoc);
                 if (wxCheckBox* box = GetLoadRecentCheckBox())  // the status bar's box shows the same value
                     box->SetValue(ui.checked.value_or(false));
                 return ui;
             },
             [this] { ToggleSetting(L"LoadRecentDoc"); })
        .Add(AutoCheckUpdates, rule(AutoCheckUpdates), [this] { ToggleSetting(L"AutoCheck"); })
        .Add(StartConversionFromRibbon, rule(StartConversionFromRibbon), [this] { StartConversionFromAnyPage(); })
        .Add(CheckUpdatesNow, rule(CheckUpdatesNow), [this] {
            if (m_updateChecker)
                m_updateChecker->CheckNow();
        });
    for (int look = LookFirst; look <= LookLast; ++look)
        m_frameCommands.Add(look, rule(look), [this, look] { ApplyLook(look); });
}

void CMainFrame::RegisterApplicationCommands()
{
    // The title follows the document each file command may have replaced.
    auto titled = [this](auto command) {
        return [this, command] {
            command(m_app);
            SetTitle(FrameTitle(m_app));
        };
    };
    m_applicationCommands.Add(FileNew, titled([](CKestrelMediaApp& app) { app.OnFileNew(); }))
        .Add(FileOpen, titled([](CKestrelMediaApp& app) { app.OnFileOpen(); }))
        .Add(FileSave, titled([](CKestrelMediaApp& app) { app.OnFileSave(); }))
        .Add(FileSaveAs, titled([](CKestrelMediaApp& app) { app.OnFileSaveAs(); }))
        .Add(AppAbout, titled([](CKestrelMediaApp& app) { app.OnAppAbout(); }))
        .Add(AppExit, [this] { Close(); });
}

void CMainFrame::SetSourceType(int type, int pageKind, int viewCommand)
{
    CKestrelMediaDoc* doc = Document();
    if (!doc || !doc->GetProject())
        return;
    doc->GetProject()->m_sourceType = type;
    doc->SetModifiedFlag();
    ShowSourceView(false);
    if (pageKind < 0 || viewCommand == 0)
        return;
    if (auto* view = dynamic_cast<CBaseView*>(FindMainView(pageKind))) {
        wxCommandEvent event(wxEVT_MENU, viewCommand);
        view->RouteCommand(event);
    }
}

void CMainFrame::StartConversionFromAnyPage()
{
    CKestrelMediaDoc* doc = Document();
    if (!doc)
        return;
    if (CPlayer* player = CPlayer::Instance())
        player->CloseGraph();
    // The grid's open edit belongs to the settings the job is built from, so
    // it is committed now, not after the start.
    if (wxWindow* view = GetActiveView())
        KM::SendWindowMessage(view, KM::WM_KM_GRID_COMMIT);
    if (wxRibbonPage* conversion = GetCategory(kCategoryConversion))
        GetRibbon()->SetActiveCategory(conversion);
    // A second press while the job runs must not start another run.
    if (doc->GetRunState() != CRunManager::kRunning)
        doc->StartConversion();
}

void CMainFrame::ToggleSetting(const wchar_t* key)
{
    CSettingsStore& store = CSettingsStore::Instance();
    store.SetInt(L"Settings", key, 1 - store.GetInt(L"Settings", key, 1));
}

// Every look is the same picture; only the stored number and the mark differ.
void CMainFrame::ApplyLook(int command)
{
    wxBusyCursor wait;
    m_look = command;
    Refresh();
    CSettingsStore::Instance().SetInt(L"", L"ApplicationLook", command);
}

void CMainFrame::OnFrameSize(wxSizeEvent& event)
{
    // A window manager gives the frame the size of its bare decorations for a
    // moment before its real size; laid out that small, GTK's toolbar would
    // warn of a negative size. The layout waits for a client area with room
    // for the quick-access bar.
    const wxSize client = GetClientSize();
    const int room = GetQuickAccessBar() ? GetQuickAccessBar()->GetBestSize().y : 0;
    if (client.x < room || client.y < room)
        return;
    event.Skip();
    if (!GetStatusText().empty())
        SetCaptionText(GetStatusText());
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    // The user may keep the window to save first; only then do the player and
    // the conversion stop.
    if (event.CanVeto() && !m_app.CanCloseMainFrame()) {
        event.Veto();
        return;
    }
    wxBusyCursor wait;
    const wxSize size = GetSize();
    if (!IsIconized() && !IsMaximized() && ShouldStoreFrameSize(size.x, size.y)) {
        CSettingsStore::Instance().SetInt(L"Workspace", L"client_x", size.x);
        CSettingsStore::Instance().SetInt(L"Workspace", L"client_y", size.y);
    }
    if (CPlayer* player = CPlayer::Instance())
        player->StopAndHold();
    if (CKestrelMediaDoc* doc = Document())
        doc->StopConversion();
    Destroy();
}

void CMainFrame::ShutdownWindows()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (m_updateChecker)
        m_updateChecker->Shutdown();
    if (CKestrelMediaDoc* doc = Document())
        doc->RemoveListener(this);
    m_projectRegistration.Reset();
}

bool CMainFrame::Destroy()
{
    ShutdownWindows();
    // The window is deleted later, possibly after the application's shared
    // drawing objects: nothing of it may paint until then.
    Hide();
    return CMainFrmUpdate::Destroy();
}

void CMainFrame::OnProjectReplacing(CProject*, CProject*)
{
    ClearFileCombo();
    // The new project may have another source type: the source tab follows
    // it once the project is in place.
    CallAfter([this] {
        if (m_shutDown)
            return;
        for (const auto& group : m_groups)
            for (wxWindow* w : group->pageWindows)
                if (auto* view = dynamic_cast<CBaseView*>(w))
                    view->OnInitialUpdate();
        if (ActiveCategoryPosition() == kCategorySource)
            ShowSourceView(true);
    });
}
