// The output page inside the main window: kinds enable one output each, a
// shipped profile fills the active output's settings, and the page's layout
// follows its splitter.
#include "shell/ShellTestSupport.h"
#include "wx/WxTestSupport.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "model/profile/ProfilesMng.h"
#include "model/project/Project.h"
#include "platform/Settings.h"
#include "shell/KestrelMediaApp.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/OutputKinds.h"
#include "shell/views/OutputView.h"
#include <gtest/gtest.h>
#include <wx/choice.h>
#include "controls/profile/ProfileListControl.h"

namespace {

TEST(OutputKinds, EachKindEnablesOneOutputAndTheChoiceCountsVideoAudioImage)
{
    CProject project;
    struct Case { int kind; int video, image, audio; int index; } cases[] = {
        {kKindVideo, 1, 0, 0, 0}, {kKindAudio, 0, 0, 1, 1}, {kKindImage, 0, 1, 0, 2},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ApplyOutputKind(project, c.kind));
        EXPECT_EQ(project.GetVideoOutput()->is_create, c.video);
        EXPECT_EQ(project.GetImageOutput()->is_create, c.image);
        EXPECT_EQ(project.GetAudioOutput()->is_create, c.audio);
        EXPECT_EQ(EnabledOutputKind(project), c.kind);
        EXPECT_EQ(KindChoiceIndex(c.kind), c.index);
        EXPECT_EQ(KindFromChoiceIndex(c.index), c.kind);
    }
    EXPECT_FALSE(ApplyOutputKind(project, 3));
    EXPECT_EQ(EnabledOutputKind(project), kKindImage);  // unchanged
    EXPECT_EQ(KindFromChoiceIndex(3), 0);
}

class OutputViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(shelltest::StartProgram(app));
        frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<COutputView*>(frame->FindMainView(kPageOutput));
        ASSERT_NE(view, nullptr);
        frame->GetRibbon()->SetActiveCategory(frame->GetCategory(kCategoryOutput));
    }
    void TearDown() override
    {
        shelltest::StopProgram(app);
    }
    CProject& Project() { return *app.GetDocument()->GetProject(); }
    void ChooseKindIndex(int index)
    {
        view->GetKindChoice()->SetSelection(index);
        wxCommandEvent event(wxEVT_CHOICE, KM::Cmd::OutputKindCombo);
        event.SetInt(index);
        view->GetKindChoice()->ProcessWindowEvent(event);
    }

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
    COutputView* view = nullptr;
};

TEST_F(OutputViewTest, TheAudioItemEnablesTheAudioOutputAndListsItsProfiles)
{
    EXPECT_EQ(frame->ShownGroup()->kind, kPageOutput);
    ChooseKindIndex(1);
    EXPECT_EQ(view->GetKind(), kKindAudio);
    EXPECT_EQ(EnabledOutputKind(Project()), kKindAudio);
    EXPECT_EQ(view->GetProfiles().GetCategory(), static_cast<DWORD>(CProfilesMng::kCategoryAudio));
    EXPECT_GT(view->GetProfileList()->GetItemCount(), 1u);
    EXPECT_EQ(view->GetGrid()->GetTree(), static_cast<CPropertiesImpl*>(Project().GetAudioOutput()));
    EXPECT_TRUE(app.GetDocument()->IsModified());

    ChooseKindIndex(0);
    EXPECT_EQ(view->GetKind(), kKindVideo);
    EXPECT_EQ(view->GetProfiles().GetCategory(), static_cast<DWORD>(CProfilesMng::kCategoryVideo));
}

TEST_F(OutputViewTest, AShippedProfileFillsTheActiveOutput)
{
    ChooseKindIndex(0);
    ASSERT_GT(view->GetProfileList()->GetItemCount(), 2u);
    // The first real profile below the first group header.
    int index = -1;
    const auto& entries = view->GetProfiles().Entries();
    for (size_t i = 0; i < entries.size() && index < 0; ++i)
        if (!entries[i]->m_groupHeader && !entries[i]->GetRelativePath().empty())
            index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    view->GetProfileList()->SetSelection(index);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::ChooseProfile));
    EXPECT_EQ(Project().GetVideoOutput()->profile_name, entries[static_cast<size_t>(index)]->GetRelativePath());
    EXPECT_NE(Project().GetVideoOutput()->file_format, 0);
    EXPECT_GT(view->GetGrid()->GetRoot()->GetChildCount(), 0u);
    EXPECT_EQ(view->GetProfileList()->GetSelectedIndex(), index);
    EXPECT_EQ(view->GetProfileCombo()->GetSelection(), index);
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "output-page"));

    // Detaching keeps the values and forgets the name.
    const int32_t format = Project().GetVideoOutput()->file_format;
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::DetachProfile));
    EXPECT_TRUE(Project().GetVideoOutput()->profile_name.empty());
    EXPECT_EQ(Project().GetVideoOutput()->file_format, format);
}

TEST_F(OutputViewTest, TheGridColumnFollowsTheSplitterValue)
{
    frame->SetSize(1000, 700);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    const wxSize client = view->GetClientSize();
    const int grid = view->GetGrid()->GetSize().x;
    EXPECT_EQ(view->GetGrid()->GetPosition().x, client.x - grid);
    EXPECT_EQ(view->GetProfileList()->GetSize().x, client.x - grid - 7);
}

}  // namespace
