// The editing page inside the main window: the file chosen on the ribbon is
// previewed, each pane edits its settings, and a trim set at the play
// position reaches the converted file.
#include "shell/ShellTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/draw/MediaTimeText.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/editors/CropEditCtrl.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/KestrelMediaApp.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include "shell/views/EditingView.h"
#include <gtest/gtest.h>
#include <wx/choice.h>

namespace {

namespace fs = std::filesystem;

class EditingViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
        CKestrelMediaApp::RegisterMainFrameFactory(&CMainFrame::Create);
        CKestrelMediaApp::StartupOptions options;
        options.resourceFolder = KM_RES_DIR;
        options.showSplash = false;
        ASSERT_TRUE(app.InitInstance(options));
        frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<CEditingView*>(frame->FindMainView(kPageEditing));
        ASSERT_NE(view, nullptr);
        dir = shelltest::TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fixtures::ClipDesc desc;
        desc.seconds = 1.0;
        clip = fixtures::WriteClip(dir / "clip.mp4", desc);
        ASSERT_FALSE(clip.empty());
        entry = Project().InputFiles().AddFile(Utf8ToWide(clip.string()));
        CVideoFileObj* video = Project().GetVideoOutput();
        video->SetValue(L"is_create", CVariant(int32_t{1}));
        video->SetValue(L"file_format", CVariant(int32_t{13}));
        video->SetValue(L"destination", CVariant(Utf8ToWide((dir / "out").string())));
        video->SetValue(L"file_name", CVariant(L"*.*"));
    }
    void TearDown() override
    {
        app.GetDocument()->SetModifiedFlag(false);
        app.ExitInstance();
        CKestrelMediaApp::RegisterMainFrameFactory(nullptr);
    }
    CProject& Project() { return *app.GetDocument()->GetProject(); }
    void ShowEditing()
    {
        frame->GetRibbon()->SetActiveCategory(frame->GetCategory(kCategoryEditing));
        frame->GetFileCombo()->SetSelection(0);
        view->OnInitialUpdate();
    }

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
    CEditingView* view = nullptr;
    fs::path dir;
    fs::path clip;
    CKMFile* entry = nullptr;
};

TEST_F(EditingViewTest, EachPaneShowsItsSettingsAndResetPutsThemBack)
{
    ShowEditing();
    EXPECT_EQ(frame->ShownGroup()->kind, kPageEditing);
    EXPECT_EQ(view->GetEntry(), entry);
    EXPECT_EQ(view->GetPreview()->GetItem(), entry);
    struct Case { int pane; CPropertiesImpl* tree; } cases[] = {
        {CEditingView::kCropPane, Project().GetCurrentCrop()},
        {CEditingView::kEraserPane, Project().GetCurrentEraser()},
        {CEditingView::kFiltersPane, &Project().GetCurrentOutput()->m_filters},
        {CEditingView::kTimelinePane, nullptr},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(frame->DispatchCommand(c.pane));
        EXPECT_EQ(view->GetPane(), c.pane);
        EXPECT_EQ(view->GetGrid()->GetTree(), c.tree) << c.pane;
    }
    ASSERT_TRUE(frame->DispatchCommand(CEditingView::kCropPane));
    Project().GetCurrentCrop()->crop_left = 20;
    Project().GetCurrentCrop()->rotate = 1;
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::ResetEditPane));
    EXPECT_EQ(Project().GetCurrentCrop()->crop_left, 0);
    EXPECT_EQ(Project().GetCurrentCrop()->rotate, 0);
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "editing-page"));
}

TEST_F(EditingViewTest, ATrimSetAtThePlayPositionReachesTheConvertedFile)
{
    ShowEditing();
    ASSERT_TRUE(frame->DispatchCommand(CEditingView::kTimelinePane));
    entry->m_currentPosition = 4'000'000;  // 0.4 s
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SetRangeStart));
    EXPECT_EQ(entry->GetStartTime(), 4'000'000);
    EXPECT_TRUE(view->RangeText().StartsWith(FormatMediaTime(4'000'000))) << view->RangeText();
    entry->m_currentPosition = entry->m_duration + 5'000'000;  // past the end: clamped
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SetRangeEnd));
    EXPECT_EQ(entry->GetEndTime(), entry->m_duration);

    kmtest::ModalHook hook;
    hook.AnswerMessageBox(wxID_OK);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon));
    auto* conversion = dynamic_cast<CConvertView*>(frame->FindMainView(kPageConversion));
    ASSERT_TRUE(kmtest::PumpUntil([&] { return conversion->IsFinished(); }, std::chrono::seconds(120)));
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / "clip.mp4", false);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_NEAR(info.duration, 0.6, 0.15);
}

}  // namespace

namespace {

double MeanLevel(const wxImage& image)
{
    const unsigned char* p = image.GetData();
    const size_t n = static_cast<size_t>(image.GetWidth()) * image.GetHeight() * 3;
    double sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += p[i];
    return n ? sum / static_cast<double>(n) : 0;
}

TEST_F(EditingViewTest, FiltersAndCropChangeThePreviewedPicture)
{
    ShowEditing();
    CPreviewPlayerCtrl* preview = view->GetPreview();
    preview->SetSize(400, 326);
    auto shown = [&] {
        return kmtest::PumpUntil([&] {
            preview->Refresh(false);
            return preview->ShownPicture().IsOk();
        }, std::chrono::seconds(30));
    };
    auto until = [&](const std::function<bool()>& changed) {
        return kmtest::PumpUntil([&] {
            preview->Refresh(false);
            preview->Update();
            return preview->ShownPicture().IsOk() && changed();
        }, std::chrono::seconds(30));
    };
    ASSERT_TRUE(shown());
    const double plain = MeanLevel(preview->ShownPicture());
    const int plainWidth = preview->ShownPicture().GetWidth();

    ASSERT_TRUE(frame->DispatchCommand(CEditingView::kFiltersPane));
    Project().GetCurrentOutput()->m_filters.nagative = 1;  // as the grid writes it
    KM::SendWindowMessage(view, KM::WM_KM_GRID_CHANGED);
    EXPECT_TRUE(until([&] { return std::abs(MeanLevel(preview->ShownPicture()) - plain) > 20.0; }));

    ASSERT_TRUE(frame->DispatchCommand(CEditingView::kCropPane));
    Project().GetCurrentCrop()->crop_left = 80;  // half of the 160-pixel clip
    KM::SendWindowMessage(view, KM::WM_KM_GRID_CHANGED);
    // While the crop is edited the whole picture stays under the frame ...
    kmtest::PumpFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(until([&] { return preview->ShownPicture().GetWidth() == plainWidth; }));
    // ... and on another pane the picture is cropped.
    ASSERT_TRUE(frame->DispatchCommand(CEditingView::kFiltersPane));
    EXPECT_TRUE(until([&] { return preview->ShownPicture().GetWidth() < plainWidth; }));
}

TEST_F(EditingViewTest, DraggingTheCropFramesLeftEdgeSetsTheLeftMargin)
{
    ShowEditing();
    ASSERT_TRUE(frame->DispatchCommand(CEditingView::kCropPane));
    CCropEditCtrl* editor = view->GetCropEditor();
    editor->SetSize(400, 326);
    ASSERT_TRUE(kmtest::PumpUntil([&] {
        editor->Refresh(false);
        editor->Update();
        return editor->ShownPicture().IsOk();
    }, std::chrono::seconds(30)));
    const wxRect image = editor->m_rcImage;
    ASSERT_GT(image.width, 50);
    auto mouse = [&](wxEventType type, wxPoint at) {
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.SetEventObject(editor);
        editor->ProcessWindowEvent(event);
    };
    const wxPoint edge(image.x + 1, image.y + image.height / 2);
    mouse(wxEVT_LEFT_DOWN, edge);
    mouse(wxEVT_MOTION, edge + wxPoint(40, 0));
    mouse(wxEVT_LEFT_UP, edge + wxPoint(40, 0));
    const int expected = static_cast<int>(40 * editor->m_dScale);
    EXPECT_NEAR(Project().GetCurrentCrop()->crop_left, expected, 2);
    EXPECT_EQ(Project().GetCurrentCrop()->crop_right, 0);
    EXPECT_TRUE(app.GetDocument()->IsModified());
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "crop-editor"));
}

}  // namespace
