// The editing page inside the main window: the pane bar offers the panes of
// the project's output kinds, commands reach the active pane, each pane edits
// its settings, and a trim set at the play position reaches the converted
// file.
#include "shell/panes/EditingPageFixture.h"
#include "wx/WxTestSupport.h"
#include "controls/draw/MediaTimeText.h"
#include "controls/editors/CropEditCtrl.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "model/output/OutputIds.h"
#include "model/source/KMFile.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/PageKinds.h"
#include "shell/panes/AdvancedPane.h"
#include "shell/panes/CropPane.h"
#include "shell/panes/EditPaneBar.h"
#include "shell/panes/EraserPane.h"
#include "shell/panes/FiltersPane.h"
#include "shell/panes/TimelinePane.h"
#include "shell/panes/WatermarkPane.h"
#include <wx/window.h>

namespace {

using EditingViewTest = EditingPageFixture;
using namespace KM::Cmd;

bool UpdateEnabled(CEditingView& view, int command, bool* checked = nullptr)
{
    wxUpdateUIEvent ui(command);
    EXPECT_TRUE(view.OnUpdateCommand(command, ui));
    if (checked)
        *checked = ui.GetChecked();
    return ui.GetEnabled();
}

void SetOutputs(CProject& project, bool video, bool image, bool audio)
{
    project.GetVideoOutput()->is_create = video;
    project.GetImageOutput()->is_create = image;
    project.GetAudioOutput()->is_create = audio;
}

TEST_F(EditingViewTest, AfterCreationTheTimelineIsShownAndTheBarHoldsSixButtons)
{
    EXPECT_EQ(view->Switch().Active(), kTimelineKey);
    EXPECT_EQ(view->GetBar()->Commands(),
              (std::vector<int>{ShowTimelinePane, ShowCropPane, ShowWatermarkPane, ShowFiltersPane, ShowEraserPane,
                                ShowAdvancedPane}));
    EXPECT_EQ(view->GetBar()->Checked(), ShowTimelinePane);
    for (const EditPaneInfo& info : EditPanes())
        EXPECT_EQ(view->GetPane(info.key)->MainWindow()->IsShown(), info.key == kTimelineKey) << info.key;
    EXPECT_EQ(view->m_nContextMenuId, 405u);
    EXPECT_TRUE(view->m_strLayoutName.empty());
    // The bar stays 100 pixels wide at the left edge; the pane takes the rest.
    view->SetSize(900, 600);
    view->OnResize();
    EXPECT_EQ(view->GetBar()->GetRect(), wxRect(0, 0, 100, view->GetClientSize().y));
    EXPECT_EQ(view->GetPane(kTimelineKey)->MainWindow()->GetPosition().x, 100);
}

// In a short window every pane's button stays in sight: the buttons share
// the height, and below room for a label they show the image alone.
TEST(PaneBarGeometry, ButtonsShareAShortBar)
{
    struct Case {
        int barHeight;
        size_t count;
        int height;
        bool labels;
    } cases[] = {
        {600, 6, 64, true},  {384, 6, 64, true}, {325, 6, 54, true}, {300, 6, 50, false},
        {228, 6, 38, false}, {100, 6, 38, false}, {100, 0, 64, true},
    };
    for (const Case& c : cases) {
        const int h = PaneBarGeometry::ButtonHeight(c.barHeight, c.count);
        EXPECT_EQ(h, c.height) << c.barHeight;
        EXPECT_EQ(PaneBarGeometry::ShowsLabels(h), c.labels) << c.barHeight;
    }
}

TEST_F(EditingViewTest, TheLastPaneButtonIsReachableInAShortWindow)
{
    view->SetSize(700, 330);
    view->OnResize();
    CEditPaneBar* bar = view->GetBar();
    const size_t last = bar->Commands().size() - 1;
    const wxRect r = bar->ButtonRect(last);
    EXPECT_LE(r.GetBottom(), bar->GetClientSize().y - 1);
    EXPECT_EQ(bar->CommandAt(wxPoint(r.x + r.width / 2, r.y + r.height / 2)), ShowAdvancedPane);
}

TEST_F(EditingViewTest, TheBarOffersThePanesOfTheOutputKinds)
{
    ShowEditing();
    struct Case {
        const char* what;
        bool video, image, audio;
        int shownBefore;
        std::vector<int> buttons;
        int shownAfter;
    } cases[] = {
        {"image only replaces the timeline", false, true, false, ShowTimelinePane,
         {ShowCropPane, ShowWatermarkPane, ShowFiltersPane, ShowEraserPane, ShowAdvancedPane}, ShowCropPane},
        {"image only keeps the filters", false, true, false, ShowFiltersPane,
         {ShowCropPane, ShowWatermarkPane, ShowFiltersPane, ShowEraserPane, ShowAdvancedPane}, ShowFiltersPane},
        {"audio only replaces the crop", false, false, true, ShowCropPane, {ShowTimelinePane, ShowAdvancedPane},
         ShowTimelinePane},
        {"audio only keeps the advanced", false, false, true, ShowAdvancedPane, {ShowTimelinePane, ShowAdvancedPane},
         ShowAdvancedPane},
        {"video and audio: all six", true, false, true, ShowEraserPane, BarCommands(kBarAll), ShowEraserPane},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetOutputs(Project(), true, false, false);
        view->OnInitialUpdate();
        ASSERT_TRUE(Run(c.shownBefore));
        SetOutputs(Project(), c.video, c.image, c.audio);
        view->OnInitialUpdate();
        EXPECT_EQ(view->GetBar()->Commands(), c.buttons);
        EXPECT_EQ(PaneByKey(view->Switch().Active())->command, c.shownAfter);
        EXPECT_TRUE(view->ActivePane()->MainWindow()->IsShown());
        // Only the set's panes can be chosen.
        for (const EditPaneInfo& info : EditPanes()) {
            const bool offered = std::find(c.buttons.begin(), c.buttons.end(), info.command) != c.buttons.end();
            EXPECT_EQ(UpdateEnabled(*view, info.command), offered) << info.command;
        }
    }
    // A pane the set lacks is refused; no output at all leaves everything as it was.
    SetOutputs(Project(), false, false, true);
    view->OnInitialUpdate();
    ASSERT_TRUE(Run(ShowCropPane));
    EXPECT_EQ(view->Switch().Active(), kTimelineKey);
    SetOutputs(Project(), false, false, false);
    view->OnInitialUpdate();
    EXPECT_EQ(view->GetBar()->Commands(), (std::vector<int>{ShowTimelinePane, ShowAdvancedPane}));
    EXPECT_EQ(view->Switch().Active(), kTimelineKey);
}

TEST_F(EditingViewTest, EachPaneCommandShowsItsPaneAloneWithItsContextMenu)
{
    ShowEditing();
    const struct { int command; int key; unsigned menu; } cases[] = {
        {ShowCropPane, kCropKey, 406},       {ShowWatermarkPane, kWatermarkKey, 407},
        {ShowFiltersPane, kFiltersKey, 408}, {ShowEraserPane, kEraserKey, 409},
        {ShowAdvancedPane, kAdvancedKey, 410}, {ShowTimelinePane, kTimelineKey, 405},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Run(c.command));
        EXPECT_EQ(view->Switch().Active(), c.key);
        EXPECT_EQ(view->m_nContextMenuId, c.menu);
        bool checked = false;
        EXPECT_TRUE(UpdateEnabled(*view, c.command, &checked));
        EXPECT_TRUE(checked);
        EXPECT_EQ(view->GetBar()->Checked(), c.command);
        for (const EditPaneInfo& info : EditPanes())
            EXPECT_EQ(view->GetPane(info.key)->MainWindow()->IsShown(), info.key == c.key) << c.command;
    }
    // The shown pane chosen again is not bound again: its grid keeps the rows it has.
    ASSERT_TRUE(Run(ShowCropPane));
    auto* crop = view->PaneOf<CCropPane>(kCropKey);
    crop->Settings()->Grid().BuildRowsFromParameterTree(nullptr, nullptr, true);
    ASSERT_TRUE(Run(ShowCropPane));
    EXPECT_EQ(crop->Settings()->Grid().GetTree(), nullptr);
    ASSERT_TRUE(Run(ShowFiltersPane));
    ASSERT_TRUE(Run(ShowCropPane));
    EXPECT_EQ(crop->Settings()->Grid().GetTree(), Project().GetCurrentCrop());
}

TEST_F(EditingViewTest, ResetPutsEachPanesSettingsBack)
{
    ShowEditing();
    CFrameFileObj* video = Project().GetCurrentOutput();
    CVideoFileAdvObj& adv = Project().GetVideoOutput()->m_adv;
    struct Case {
        int command;
        std::function<void()> change;
        std::function<void()> expectDefaults;
    } cases[] = {
        {ShowCropPane,
         [&] { video->m_crop.crop_left = video->m_crop.crop_bottom = 9; video->m_crop.rotate = video->m_crop.flip_v = 1; },
         [&] {
             const CCropObj& c = video->m_crop;
             EXPECT_EQ(c.crop_left + c.crop_right + c.crop_top + c.crop_bottom + c.rotate + c.flip_h + c.flip_v, 0);
         }},
        {ShowEraserPane,
         [&] { video->m_eraser.eraser_left = 30; video->m_eraser.eraser_right = 40; video->m_eraser.eraser_cell = 2; },
         [&] {
             const CEraserObj& e = video->m_eraser;
             EXPECT_EQ(std::vector<int>({e.eraser_type, e.eraser_left, e.eraser_top, e.eraser_right, e.eraser_bottom,
                                         e.eraser_strength, e.eraser_cell}),
                       std::vector<int>({0, 0, 0, 100, 100, 8, 8}));
         }},
        {ShowFiltersPane, [&] { video->m_filters.grayscale = 1; video->m_filters.level = L"10:1.50:200"; },
         [&] {
             EXPECT_EQ(video->m_filters.grayscale, 0);
             EXPECT_EQ(video->m_filters.level, L"0:1.00:255");
         }},
        {ShowAdvancedPane, [&] { adv.adv_operation = ADV_OPERATION_SPLIT; adv.adv_split_count_part = 7; },
         [&] {
             EXPECT_EQ(adv.adv_operation, ADV_OPERATION_SPLIT);  // the chosen operation stays
             EXPECT_NE(adv.adv_split_count_part, 7);
         }},
        {ShowTimelinePane, [&] { entry->m_currentPosition = 3'000'000; entry->AddTimeline(3'000'000); },
         [&] { EXPECT_EQ(entry->m_timelines.GetCount(), 0u); }},
        {ShowWatermarkPane, [&] { video->m_watermarks.AddTextWatermark(); },
         [&] { EXPECT_EQ(video->m_watermarks.GetCount(), 0u); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(Run(c.command));
        c.change();
        ASSERT_TRUE(Run(ResetEditPane));
        c.expectDefaults();
    }
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "editing-page"));
}

TEST_F(EditingViewTest, AGridChangeMarksTheDocumentModifiedOnEveryPane)
{
    ShowEditing();
    for (const EditPaneInfo& info : EditPanes()) {
        ASSERT_TRUE(Run(info.command));
        app.GetDocument()->SetModifiedFlag(false);
        EXPECT_EQ(KM::SendWindowMessage(view, KM::WM_KM_GRID_CHANGED), 0);
        EXPECT_TRUE(app.GetDocument()->IsModified()) << info.command;
    }
    EXPECT_TRUE(UpdateEnabled(*view, ResetEditPane));
}

TEST_F(EditingViewTest, ATrimSetAtThePlayPositionReachesTheConvertedFile)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowTimelinePane));
    entry->m_currentPosition = 4'000'000;  // 0.4 s
    ASSERT_TRUE(Run(SetRangeStart));
    EXPECT_EQ(entry->GetStartTime(), 4'000'000);
    entry->m_currentPosition = entry->m_duration + 5'000'000;  // past the end: not offered
    ASSERT_TRUE(Run(SetRangeEnd));
    EXPECT_EQ(entry->GetEndTime(), entry->m_duration);
    const auto files = ConvertInto("out");
    ASSERT_EQ(files.size(), 1u);
    const fixtures::MediaInfo info = fixtures::ReadMedia(files[0], false);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_NEAR(info.duration, 0.6, 0.15);
}

double MeanLevel(const wxImage& image)
{
    const unsigned char* p = image.GetData();
    const size_t n = static_cast<size_t>(image.GetWidth()) * image.GetHeight() * 3;
    double sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += p[i];
    return n ? sum / static_cast<double>(n) : 0;
}

bool PaintedUntil(CPreviewPlayerCtrl* preview, const std::function<bool()>& done)
{
    return kmtest::PumpUntil([&] {
        preview->Refresh(false);
        preview->Update();
        return preview->ShownPicture().IsOk() && done();
    }, std::chrono::seconds(30));
}

TEST_F(EditingViewTest, FiltersAndCropChangeThePreviewedPicture)
{
    ShowEditing();
    view->SetSize(900, 500);
    ASSERT_TRUE(Run(ShowFiltersPane));
    CPreviewPlayerCtrl* preview = view->PaneOf<CFiltersPane>(kFiltersKey)->Preview();
    ASSERT_TRUE(PaintedUntil(preview, [] { return true; }));
    const double plain = MeanLevel(preview->ShownPicture());
    const int plainWidth = preview->ShownPicture().GetWidth();

    Project().GetCurrentOutput()->m_filters.nagative = 1;  // as the grid writes it
    KM::SendWindowMessage(view, KM::WM_KM_GRID_CHANGED);
    EXPECT_TRUE(PaintedUntil(preview, [&] { return std::abs(MeanLevel(preview->ShownPicture()) - plain) > 20.0; }));

    ASSERT_TRUE(Run(ShowCropPane));
    CCropEditCtrl* editor = view->PaneOf<CCropPane>(kCropKey)->Editor();
    Project().GetCurrentCrop()->crop_left = 80;  // half of the 160-pixel clip
    KM::SendWindowMessage(view, KM::WM_KM_GRID_CHANGED);
    // While the crop is edited the whole picture stays under the frame ...
    EXPECT_TRUE(PaintedUntil(editor, [&] { return editor->ShownPicture().GetWidth() >= plainWidth - 1; }));
    // ... and "Result" shows it cropped.
    ASSERT_TRUE(Run(ShowResultPicture));
    EXPECT_TRUE(PaintedUntil(editor, [&] { return editor->ShownPicture().GetWidth() < plainWidth; }));
}

TEST_F(EditingViewTest, DraggingTheCropFramesLeftEdgeSetsTheLeftMargin)
{
    ShowEditing();
    view->SetSize(900, 500);
    ASSERT_TRUE(Run(ShowCropPane));
    CCropEditCtrl* editor = view->PaneOf<CCropPane>(kCropKey)->Editor();
    ASSERT_TRUE(PaintedUntil(editor, [] { return true; }));
    const wxRect image = editor->m_rcImage;
    ASSERT_GT(image.width, 50);
    auto mouse = [&](wxEventType type, wxPoint at) {
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.SetEventObject(editor);
        editor->ProcessWindowEvent(event);
    };
    app.GetDocument()->SetModifiedFlag(false);
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
