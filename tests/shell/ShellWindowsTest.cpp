// The base view's command routing and remembered size, the player commands'
// states, and the splitter bar's drag.
#include "ShellTestSupport.h"
#include "wx/WxTestSupport.h"
#include "controls/ids/WindowMessages.h"
#include "model/source/KMFile.h"
#include "platform/Settings.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/KMSplitterWnd.h"
#include "shell/PlayerBaseView.h"
#include <gtest/gtest.h>
#include <memory>
#include <wx/frame.h>

namespace {

struct FrameCloser {
    void operator()(wxFrame* f) const { f->Destroy(); }
};
using FramePtr = std::unique_ptr<wxFrame, FrameCloser>;

FramePtr MakeFrame()
{
    FramePtr f(new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(600, 400)));
    return f;
}

class CountingView : public CBaseView {
public:
    bool OnExecuteCommand(int id) override
    {
        executed.push_back(id);
        return id == 100;
    }
    bool OnUpdateCommand(int id, wxUpdateUIEvent& ui) override
    {
        if (id != 100) return false;
        ui.Enable(false);
        return true;
    }
    void OnInitialUpdate() override { ++reinits; }
    std::vector<int> executed;
    int reinits = 0;
};

TEST(BaseView, CommandsReachTheViewFirstAndDeclinedOnesItsOwnHandlers)
{
    FramePtr frame = MakeFrame();
    auto* view = new CountingView;
    ASSERT_TRUE(view->Create(frame.get()));
    int ownHandler = 0;
    view->Bind(wxEVT_MENU, [&](wxCommandEvent&) { ++ownHandler; }, 100, 101);

    wxCommandEvent taken(wxEVT_MENU, 100);
    EXPECT_TRUE(view->RouteCommand(taken));
    EXPECT_EQ(ownHandler, 0);
    wxCommandEvent declined(wxEVT_MENU, 101);
    EXPECT_TRUE(view->RouteCommand(declined));  // the view's own handler took it
    EXPECT_EQ(ownHandler, 1);
    wxCommandEvent nobody(wxEVT_MENU, 555);
    EXPECT_FALSE(view->RouteCommand(nobody));
    EXPECT_EQ(view->executed, (std::vector<int>{100, 101, 555}));

    wxUpdateUIEvent ui(100);
    EXPECT_TRUE(view->RouteUpdateUI(ui));
    EXPECT_TRUE(ui.GetSetEnabled());
    EXPECT_FALSE(ui.GetEnabled());

    EXPECT_EQ(KM::SendWindowMessage(view, KM::WM_KM_REINIT_VIEW), 0);
    EXPECT_EQ(view->reinits, 1);
}

TEST(BaseView, SizeIsRememberedOnlyForANamedViewOutsidePageSwitches)
{
    struct Case {
        const char* what;
        std::wstring name;
        bool switching;
        int cx, cy;
        bool saved;
    } cases[] = {
        {"named", L"list", false, 300, 200, true},
        {"no name", L"", false, 300, 200, false},
        {"page switch", L"list", true, 300, 200, false},
        {"minimised", L"list", false, 0, 200, false},
        {"no height", L"list", false, 300, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ShouldSaveViewLayout(c.name, c.switching, c.cx, c.cy), c.saved);
    }

    FramePtr frame = MakeFrame();
    auto* view = new CBaseView;
    ASSERT_TRUE(view->Create(frame.get()));
    view->m_strLayoutName = L"files";
    CBaseView::SetPageSwitching(true);
    view->SetSize(310, 210);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Workspace", L"files_x", -1), -1);
    CBaseView::SetPageSwitching(false);
    view->SetSize(320, 220);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Workspace", L"files_x", -1), 320);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Workspace", L"files_y", -1), 220);
}

TEST(PlayerBaseView, PlayPauseStateTable)
{
    CKMFilePtr video = CKMFile::Create(L"/m/a.mp4", 0);
    video->m_hasVideo = 1;
    CKMFilePtr audio = CKMFile::Create(L"/m/a.wav", 0);
    audio->m_hasAudio = 1;
    CKMFilePtr silent = CKMFile::Create(L"/m/a.txt", 0);
    CKMFilePtr failed = CKMFile::Create(L"/m/b.mp4", 0);
    failed->m_hasVideo = 1;
    failed->m_openError = L"could not open";
    struct Case {
        const char* what;
        const CKMFile* item;
        bool playing, rewinding, enabled, checked;
    } cases[] = {
        {"no entry", nullptr, true, false, false, false},
        {"video at rest", video.get(), false, false, true, false},
        {"video playing", video.get(), true, false, true, true},
        {"video rewinding", video.get(), true, true, true, false},
        {"sound playing", audio.get(), true, false, true, true},
        {"neither picture nor sound", silent.get(), true, false, false, false},
        {"probe failed", failed.get(), true, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlayPauseState s = ComputePlayPauseState(c.item, c.playing, c.rewinding);
        EXPECT_EQ(s.enabled, c.enabled);
        EXPECT_EQ(s.checked, c.checked);
    }
    EXPECT_FALSE(IsPlayerStopEnabled(0));
    EXPECT_TRUE(IsPlayerStopEnabled(1));
    EXPECT_TRUE(IsPlayerStopEnabled(2));
}

TEST(SplitterBar, DragIsClampedAndKeptValueWrittenAtTheEnd)
{
    struct Case {
        int pointer, extent, position, kept;
    } cases[] = {
        {500, 1000, 500, 497},
        {50, 1000, 200, 797},   // raised to the minimum
        {950, 1000, 900, 97},   // lowered to extent - 100
        {250, 280, 180, 97},    // narrower than 300: the upper limit wins
    };
    for (const Case& c : cases) {
        SplitterDrag d = ClampSplitterDrag(c.pointer, c.extent, CKMSplitterExWnd::kMinimum);
        EXPECT_EQ(d.position, c.position) << c.pointer << " in " << c.extent;
        EXPECT_EQ(d.kept, c.kept);
    }

    struct Handler : IResizeHandler {
        void OnResize() override { ++calls; }
        int calls = 0;
    } handler;
    FramePtr frame = MakeFrame();
    auto* parent = new wxPanel(frame.get());
    parent->SetSize(1000, 300);
    auto* bar = new CKMSplitterExWnd;
    ASSERT_TRUE(bar->Create(parent, &handler, L"pos_1", 150));
    EXPECT_EQ(bar->m_keptValue, 150);  // nothing stored yet: the owner's default

    bar->EndDrag();  // a button-up without a drag changes nothing
    EXPECT_EQ(handler.calls, 0);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Settings", L"pos_1", -1), -1);

    bar->BeginDrag();
    bar->DragTo(wxPoint(600, 10));
    EXPECT_EQ(bar->m_keptValue, 1000 - 600 - 3);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Settings", L"pos_1", -1), -1);  // not before the drag ends
    bar->EndDrag();
    EXPECT_EQ(handler.calls, 1);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Settings", L"pos_1", -1), 397);

    auto* again = new CKMSplitterExWnd;
    ASSERT_TRUE(again->Create(parent, nullptr, L"pos_1", 150));
    EXPECT_EQ(again->m_keptValue, 397);
}

TEST(SplitterWnd, LaysOutTheListedPanesWhateverItsChildrenAre)
{
    FramePtr frame = MakeFrame();
    auto* splitter = new CKMSplitterWnd;
    ASSERT_TRUE(splitter->Create(frame.get(), wxID_ANY, wxDefaultPosition, wxSize(400, 300)));
    auto* a = new wxPanel(splitter);
    auto* b = new wxPanel(splitter);
    auto* c = new wxPanel(splitter);
    splitter->SplitHorizontally(a, b, 100);
    EXPECT_EQ(splitter->GetPane(1, 0), b);
    c->Hide();
    splitter->SetPanes({a, c});  // a page switch put c in b's place
    EXPECT_EQ(splitter->GetPane(1, 0), c);
    EXPECT_EQ(splitter->GetWindow2(), c);
    EXPECT_TRUE(c->IsShown());
}

}  // namespace
