#include "shell/frame/MainFrmUpdate.h"
#include <wx/choice.h>
#include "platform/Settings.h"
#include "player/Player.h"
#include "shell/BaseView.h"
#include "shell/KMSplitterWnd.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/FrameLayout.h"
#include "shell/frame/PageKinds.h"
#include "shell/frame/PageRegistry.h"
#include "shell/frame/SourcePageViews.h"
#include "model/project/Project.h"
#include <algorithm>
#include <wx/panel.h>

namespace {

int WorkspaceInt(const wchar_t* key)
{
    return CSettingsStore::Instance().GetInt(L"Workspace", key, -1);
}

bool Contains(const std::vector<wxWindow*>& windows, const wxWindow* w)
{
    return w && std::find(windows.begin(), windows.end(), w) != windows.end();
}

// The source pages in the order the client area makes them.
std::vector<PageInfo> SourcePagesInClientOrder()
{
    std::vector<PageInfo> pages;
    for (const PageInfo& page : RegisteredPages())
        if (page.isSource)
            pages.push_back(page);
    std::stable_sort(pages.begin(), pages.end(), [](const PageInfo& a, const PageInfo& b) {
        return a.source.clientOrder < b.source.clientOrder;
    });
    return pages;
}

}  // namespace

CMainFrmUpdate::CMainFrmUpdate(const wxString& title, const wxSize& size) : CMainFrmRibbon(title, size) {}

CMainFrmUpdate::~CMainFrmUpdate() = default;

CKestrelMediaDoc* CMainFrmUpdate::Document() const
{
    CKestrelMediaApp* app = CKestrelMediaApp::Get();
    return app ? app->GetDocument() : nullptr;
}

void CMainFrmUpdate::CreateClient()
{
    CBaseView::SetPageSwitching(true);
    m_client = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxCLIP_CHILDREN);
    m_client->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        PlaceShownPage();
        e.Skip();
    });
    for (const PageInfo& page : SourcePagesInClientOrder())
        CreateSourcePage(page);
    CBaseView::SetPageSwitching(false);
}

void CMainFrmUpdate::CreateSourcePage(const PageInfo& page)
{
    const int kind = page.kind;
    const int outerIndex = page.source.splitterSlot;
    const wxSize client = GetClientSize();
    auto* outer = new CKMSplitterWnd;
    if (!outer->Create(m_client, wxID_ANY, wxDefaultPosition, client, wxSP_3DSASH | wxSP_LIVE_UPDATE)) {
        delete outer;
        return;
    }
    outer->SetName(wxString::Format("SourcePage%d", kind));
    outer->SetMinimumPaneSize(100);
    m_splitters[static_cast<size_t>(outerIndex)] = outer;
    wxWindow* list = page.makeView(outer);
    auto* inner = new CKMSplitterWnd;
    if (!list || !inner->Create(outer, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_3DSASH | wxSP_LIVE_UPDATE)) {
        delete inner;
        return;
    }
    inner->SetMinimumPaneSize(100);
    m_splitters[static_cast<size_t>(outerIndex + 1)] = inner;
    wxWindow* preview = page.source.makePreview(inner);
    wxWindow* properties = page.source.makeProperties(inner);
    if (!preview || !properties)
        return;
    const int width = SourceLeftColumnWidth(WorkspaceInt(page.source.widthKey), client.x);
    const SourceRowHeights rows = SourceRows(WorkspaceInt(L"SourceTypeFilePreview_y"),
                                             WorkspaceInt(L"SourceTypeFileProperties_y"), client.y);
    outer->SplitVertically(list, inner, width);
    inner->SplitHorizontally(preview, properties, rows.preview);
    inner->SetSashGravity(0.0);
    outer->SetPanes({list, inner});
    inner->SetPanes({preview, properties});
}

void CMainFrmUpdate::AddSourceGroup(int kind, int outerIndex)
{
    auto* outer = m_splitters[static_cast<size_t>(outerIndex)];
    auto* inner = m_splitters[static_cast<size_t>(outerIndex + 1)];
    if (!outer || !inner)
        return;
    wxWindow* list = outer->GetPane(0, 0);
    wxWindow* preview = inner->GetPane(0, 0);
    wxWindow* properties = inner->GetPane(1, 0);
    if (!list || !preview || !properties)
        return;
    auto group = std::make_unique<CViewGroup>();
    group->kind = kind;
    group->layoutWindows = {outer, inner};
    group->pageWindows = {list, properties, preview};
    if (auto* listView = dynamic_cast<ISourceListView*>(list))
        listView->SetPeerViews(properties, preview);
    for (wxWindow* peer : {properties, preview})
        if (auto* peerView = dynamic_cast<ISourcePeerView*>(peer))
            peerView->SetListView(list);
    if (!m_groups.empty())  // the first page is the one shown
        outer->Hide();
    m_groups.push_back(std::move(group));
}

void CMainFrmUpdate::AddViewGroup(int kind, PageViewFactory make)
{
    if (!make)
        return;
    auto group = std::make_unique<CViewGroup>();
    group->kind = kind;
    group->make = make;
    m_groups.push_back(std::move(group));
}

void CMainFrmUpdate::MakeGroupView(CViewGroup& group) const
{
    if (!group.make || !m_client)
        return;
    PageViewFactory make = group.make;
    group.make = nullptr;
    wxWindow* view = make(m_client);
    if (!view)
        return;  // a page that could not be made stays empty
    view->Hide();
    group.pageWindows = {view};
}

void CMainFrmUpdate::CreateGroups()
{
    for (const PageInfo& page : RegisteredPages()) {
        if (page.isSource) {
            AddSourceGroup(page.kind, page.source.splitterSlot);
        } else {
            AddViewGroup(page.kind, page.makeView);
            if (page.makeWithFrame && !m_groups.empty())
                MakeGroupView(*m_groups.back());
        }
        if (!m_activeView && !m_groups.empty()) {  // the first page is shown first
            MakeGroupView(*m_groups.front());
            if (!m_groups.front()->pageWindows.empty())
                m_activeView = m_groups.front()->pageWindows.front();
        }
    }
}

const CViewGroup* CMainFrmUpdate::FindGroup(int kind) const
{
    for (const auto& group : m_groups)
        if (group->kind == kind) {
            MakeGroupView(*group);
            return group.get();
        }
    return nullptr;
}

const CViewGroup* CMainFrmUpdate::ShownGroup() const
{
    for (const auto& group : m_groups)
        if (Contains(group->pageWindows, m_activeView))
            return group.get();
    return nullptr;
}

wxWindow* CMainFrmUpdate::FindMainView(int kind) const
{
    const CViewGroup* group = FindGroup(kind);
    return group && !group->pageWindows.empty() ? group->pageWindows.front() : nullptr;
}

wxWindow* CMainFrmUpdate::ShownTopWindow() const
{
    const CViewGroup* group = ShownGroup();
    if (!group)
        return nullptr;
    return group->layoutWindows.empty() ? group->pageWindows.front() : group->layoutWindows.front();
}

void CMainFrmUpdate::PlaceShownPage()
{
    if (!m_client)
        return;
    if (wxWindow* top = ShownTopWindow())
        top->SetSize(m_client->GetClientSize());
}

void CMainFrmUpdate::ShowViewGroup(int kind)
{
    CBaseView::SetPageSwitching(true);
    const CViewGroup* target = FindGroup(kind);
    const CViewGroup* current = ShownGroup();
    if (target && current && target != current) {
        m_client->Freeze();
        for (wxWindow* w : current->pageWindows)
            w->Hide();
        for (wxWindow* w : current->layoutWindows)
            w->Hide();
        for (wxWindow* w : target->layoutWindows)
            w->Show();
        for (wxWindow* w : target->pageWindows)
            w->Show();
        m_activeView = target->pageWindows.front();
        PlaceShownPage();
        for (wxWindow* w : target->layoutWindows)
            if (auto* splitter = dynamic_cast<CKMSplitterWnd*>(w))
                splitter->SizeWindows();
        m_client->Thaw();
        m_client->Refresh();
        if (auto* view = dynamic_cast<CBaseView*>(m_activeView))
            view->OnInitialUpdate();
    } else if (target && target == current) {
        PlaceShownPage();
    }
    CBaseView::SetPageSwitching(false);
}

void CMainFrmUpdate::DetachPlayerForNewSourceType()
{
    CKestrelMediaDoc* doc = Document();
    if (!doc)
        return;
    CPlayer* player = CPlayer::Instance();
    if (player && doc->GetCurrentFile())
        player->CloseGraph();
    doc->DetachPlayer();
    doc->SetCurrentFile(nullptr);
    if (CProject* project = doc->GetProject())
        project->InputFiles().ReleaseOtherSources(nullptr);
    doc->BroadcastClearMessages();
}

void CMainFrmUpdate::ShowSourceView(bool keep)
{
    CKestrelMediaDoc* doc = Document();
    if (!doc)
        return;
    CProject* project = doc->GetProject();
    const int type = project ? project->m_sourceType : 0;
    if (!SourceViewNeedsShow(type, m_nLastSourceType, keep))
        return;
    m_nLastSourceType = type;
    if (!keep)
        DetachPlayerForNewSourceType();
    const int kind = PageKindForSourceType(type);
    if (kind < 0)
        return;
    ShowViewGroup(kind);
    if (kind == kPageDvd)
        doc->RefreshDVDTitles();
}

void CMainFrmUpdate::OnRibbonCategoryChanged()
{
    const CategoryAction action = ActionForCategory(ActiveCategoryPosition());
    if (action.showSource) {
        ShowSourceView(true);
        return;
    }
    if (action.refillFileCombo)
        RefillFileCombo();
    if (action.pageKind >= 0)
        ShowViewGroup(action.pageKind);
    if (action.refillFileCombo)
        PickFirstFileWhenNoneIsCurrent();
}

// A project just opened has no current file: the page starts on the first
// one, as if the user had picked it, rather than on an empty timeline.
void CMainFrmUpdate::PickFirstFileWhenNoneIsCurrent()
{
    wxChoice* combo = GetFileCombo();
    if (!combo || combo->GetSelection() != wxNOT_FOUND || combo->GetCount() == 0)
        return;
    combo->SetSelection(0);
    wxCommandEvent picked(wxEVT_CHOICE, combo->GetId());
    picked.SetInt(0);
    picked.SetEventObject(combo);
    combo->GetEventHandler()->ProcessEvent(picked);
}
