// The edit panes on the editing page: the timeline's range commands, the
// watermark list's edits, the filters' engine object, dropping the project on
// New, and an edit from each pane reaching the converted file.
#include "controls/small/ListDropDownCtrl.h"
#include "shell/panes/EditingPageFixture.h"
#include "wx/WxTestSupport.h"
#include "controls/editors/CropEditCtrl.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/res/ResourceBridge.h"
#include "model/output/OutputIds.h"
#include "model/output/SplitType.h"
#include "model/source/KMFile.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/panes/AdvancedPane.h"
#include "shell/panes/CropPane.h"
#include "shell/panes/FileNavigation.h"
#include "shell/panes/FiltersPane.h"
#include "shell/panes/TimelineCommands.h"
#include "shell/panes/TimelinePane.h"
#include "shell/panes/WatermarkPane.h"
#include "platform/TextConv.h"
#include <wx/choice.h>
#include "player/Player.h"
#include <clocale>
#include <fstream>

namespace {

using namespace KM::Cmd;
namespace fs = std::filesystem;
constexpr int64_t kSecond = 10'000'000;

struct Range {
    int64_t start, end;
    bool operator==(const Range&) const = default;
};
std::vector<Range> Ranges(CKMFile& file)
{
    std::vector<Range> out;
    for (uint32_t i = 0; i < file.m_timelines.GetCount(); ++i)
        out.push_back({file.m_timelines.GetAt(i)->m_startTime, file.m_timelines.GetAt(i)->m_endTime});
    return out;
}

TEST(TimelineCommands, OnAHundredSecondEntry)
{
    struct Case {
        const char* what;
        std::vector<Range> before;
        int64_t position;
        int command;
        bool enabled;
        std::vector<Range> after;
    } cases[] = {
        {"add on a file without ranges adds the whole file first", {}, 30 * kSecond, AddRange, true,
         {{0, 100 * kSecond}, {30 * kSecond, 100 * kSecond}}},
        {"add at the very end keeps a tenth of a second", {}, 100 * kSecond, AddRange, true,
         {{0, 100 * kSecond}, {100 * kSecond - kMinimumRange, 100 * kSecond}}},
        {"start before the end", {{10 * kSecond, 50 * kSecond}}, 20 * kSecond, SetRangeStart, true,
         {{20 * kSecond, 50 * kSecond}}},
        {"start at the end is not offered", {{10 * kSecond, 50 * kSecond}}, 50 * kSecond, SetRangeStart, false,
         {{10 * kSecond, 50 * kSecond}}},
        {"end after the start", {{10 * kSecond, 50 * kSecond}}, 70 * kSecond, SetRangeEnd, true,
         {{10 * kSecond, 70 * kSecond}}},
        {"end at the start is not offered", {{10 * kSecond, 50 * kSecond}}, 10 * kSecond, SetRangeEnd, false,
         {{10 * kSecond, 50 * kSecond}}},
        {"end past the duration is not offered", {{10 * kSecond, 50 * kSecond}}, 101 * kSecond, SetRangeEnd, false,
         {{10 * kSecond, 50 * kSecond}}},
        {"move keeps the length", {{10 * kSecond, 30 * kSecond}}, 60 * kSecond, MoveRangeToPosition, true,
         {{60 * kSecond, 80 * kSecond}}},
        {"move near the end ends at the duration", {{10 * kSecond, 30 * kSecond}}, 95 * kSecond,
         MoveRangeToPosition, true, {{95 * kSecond, 100 * kSecond}}},
        {"move to the very end is not left empty", {{10 * kSecond, 30 * kSecond}}, 100 * kSecond,
         MoveRangeToPosition, true, {{100 * kSecond - kMinimumRange, 100 * kSecond}}},
        {"remove with one range is not offered", {{10 * kSecond, 30 * kSecond}}, 0, RemoveRange, false,
         {{10 * kSecond, 30 * kSecond}}},
        {"remove the current of two", {{0, 30 * kSecond}, {40 * kSecond, 60 * kSecond}}, 0, RemoveRange, true,
         {{0, 30 * kSecond}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKMFilePtr file = CKMFile::Create();
        file->m_duration = 100 * kSecond;
        for (const Range& r : c.before) {
            CTimelineObj* range = file->m_timelines.CreateItem();
            range->m_startTime = r.start;
            range->m_endTime = r.end;
        }
        file->m_currentTimeline = std::max(static_cast<int>(c.before.size()) - 1, 0);
        file->m_currentPosition = c.position;
        EXPECT_EQ(IsTimelineCommandEnabled(c.command, {file.get(), 5}), c.enabled);
        ApplyRangeCommand(c.command, *file);
        EXPECT_EQ(Ranges(*file), c.after);
    }
    // Zoom ends, and nothing without a file or a duration.
    CKMFilePtr file = CKMFile::Create();
    file->m_duration = 100 * kSecond;
    EXPECT_FALSE(IsTimelineCommandEnabled(ZoomOut, {file.get(), 9}));
    EXPECT_TRUE(IsTimelineCommandEnabled(ZoomIn, {file.get(), 9}));
    EXPECT_FALSE(IsTimelineCommandEnabled(ZoomIn, {file.get(), 0}));
    EXPECT_FALSE(IsTimelineCommandEnabled(AddRange, {nullptr, 5}));
    file->m_duration = 0;
    EXPECT_FALSE(IsTimelineCommandEnabled(AddRange, {file.get(), 5}));
}

TEST(FileNavigation, NeighboursStopAtTheEnds)
{
    CKMFilePtr a = CKMFile::Create(), b = CKMFile::Create();
    const FileChoice choice{{a.get(), b.get(), nullptr}, 0};
    EXPECT_EQ(NeighbourEntry(choice, 1), b.get());
    EXPECT_EQ(NeighbourEntry(choice, -1), nullptr);
    EXPECT_EQ(NeighbourEntry({choice.entries, 1}, 1), nullptr);  // an item without an entry
    EXPECT_EQ(NeighbourEntry({choice.entries, 2}, 1), nullptr);
    EXPECT_EQ(NeighbourEntry({choice.entries, -1}, 1), nullptr);
    EXPECT_EQ(IndexOfEntry(choice, b.get()), 1);
    EXPECT_EQ(IndexOfEntry(choice, nullptr), -1);
}

using PanesTest = EditingPageFixture;

TEST_F(PanesTest, AFileChosenOnTheRibbonIsTheOneTheActivePaneShows)
{
    const fs::path second = fixtures::WriteClip(dir / "second.mp4");
    ASSERT_FALSE(second.empty());
    CKMFile* other = app.GetDocument()->GetProject()->InputFiles().AddFile(Utf8ToWide(second.string()));
    ShowEditing();
    ASSERT_TRUE(Run(ShowTimelinePane));
    auto* pane = view->PaneOf<CTimelinePane>(kTimelineKey);
    wxChoice* combo = frame->GetFileCombo();
    ASSERT_EQ(combo->GetCount(), 2u);
    combo->SetSelection(1);
    wxCommandEvent choice(wxEVT_CHOICE, combo->GetId());
    choice.SetEventObject(combo);
    choice.SetInt(1);
    combo->GetEventHandler()->ProcessEvent(choice);
    EXPECT_EQ(app.GetDocument()->GetCurrentFile(), other);
    EXPECT_EQ(pane->Preview()->GetItem(), other);
    EXPECT_EQ(pane->Ruler()->GetItem(), other);
}

TEST_F(PanesTest, TheRulerAndTheRangeListFollowEachOtherAndTheFile)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowTimelinePane));
    auto* pane = view->PaneOf<CTimelinePane>(kTimelineKey);
    ASSERT_EQ(pane->Ruler()->GetItem(), entry);
    entry->m_currentPosition = entry->m_duration / 2;
    ASSERT_TRUE(Run(AddRange));  // a second range from the middle
    ASSERT_EQ(entry->m_currentTimeline, 1);
    const wxString second = pane->Ruler()->CaptionText();

    // A click on the first row makes it current: the ruler's caption follows.
    CListDropDownCtrl* rows = pane->RangeList()->GetList();
    rows->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    pane->RangeList()->OnRowClick();
    EXPECT_EQ(entry->m_currentTimeline, 0);
    EXPECT_NE(pane->Ruler()->CaptionText(), second);

    // Dragging the band's end on the ruler marks the project and rewrites the row.
    app.GetDocument()->SetModifiedFlag(false);
    const wxString before = rows->GetItemText(0);
    const int64_t end = entry->GetEndTime();
    CTimelineDragModel& ruler = pane->Ruler()->Model();
    const std::optional<RECT> band = ruler.CurrentRangeRect(ruler.Visible());
    ASSERT_TRUE(band);
    ASSERT_GT(band->right - band->left, 30);
    const LONG y = (band->top + band->bottom) / 2;
    ruler.OnButtonDown(POINT{band->right - 1, y});
    ruler.OnMouseMove(POINT{band->right - 21, y});
    ruler.OnButtonUp(POINT{band->right - 21, y});
    EXPECT_LT(entry->GetEndTime(), end);
    EXPECT_TRUE(app.GetDocument()->IsModified());
    EXPECT_NE(rows->GetItemText(0), before);
}

TEST_F(PanesTest, TimelineCommandsReachTheCurrentFileAndRefuseAFailedOne)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowTimelinePane));
    auto* pane = view->PaneOf<CTimelinePane>(kTimelineKey);
    entry->m_currentPosition = entry->m_duration / 2;
    ASSERT_TRUE(Run(AddRange));
    EXPECT_EQ(entry->m_timelines.GetCount(), 2u);
    EXPECT_EQ(pane->RangeList()->GetList()->GetItemCount(), 2);
    ASSERT_TRUE(Run(RemoveRange));
    EXPECT_EQ(entry->m_timelines.GetCount(), 1u);
    EXPECT_EQ(entry->m_currentPosition, entry->GetStartTime());
    // 469 on the first file does nothing but is handled.
    EXPECT_TRUE(Run(469));
    EXPECT_EQ(app.GetDocument()->GetCurrentFile(), entry);

    // A file the engine could not read is never played.
    const fs::path broken = dir / "broken.mp4";
    { std::ofstream(broken) << "not a video"; }
    CKMFile* bad = Project().InputFiles().AddFile(broken.wstring());
    app.GetDocument()->SetCurrentFile(bad);
    wxUpdateUIEvent ui(PlayPause);
    EXPECT_TRUE(view->OnUpdateCommand(PlayPause, ui));
    EXPECT_FALSE(ui.GetEnabled());
    EXPECT_TRUE(Run(PlayPause));
    EXPECT_FALSE(CPlayer::Instance() && CPlayer::Instance()->IsPlaying());
}

TEST_F(PanesTest, WatermarkListEditsSelectTheRightWatermark)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowWatermarkPane));
    auto* pane = view->PaneOf<CWatermarkPane>(kWatermarkKey);
    CWatermarksObj& list = Project().GetCurrentOutput()->m_watermarks;
    auto selected = [&] { return pane->Editor()->Selected(); };
    auto index = [&](CWatermarkObj* w) {
        for (DWORD i = 0; i < list.GetCount(); ++i)
            if (list.GetAt(i) == w) return static_cast<int>(i);
        return -1;
    };
    auto enabled = [&](int command) {
        wxUpdateUIEvent ui(command);
        view->OnUpdateCommand(command, ui);
        return ui.GetEnabled();
    };
    EXPECT_FALSE(enabled(DeleteWatermark));
    EXPECT_FALSE(enabled(EditPaste));
    ASSERT_TRUE(Run(AddTextWatermark));
    ASSERT_TRUE(Run(AddWatermarkKind2));
    ASSERT_TRUE(Run(AddWatermarkKind3));
    ASSERT_EQ(list.GetCount(), 3u);
    CWatermarkObj* third = selected();
    EXPECT_EQ(index(third), 2);
    EXPECT_EQ(pane->Settings()->Grid().GetTree(), static_cast<CPropertiesImpl*>(third));
    // Down at the end and up at the start are not offered.
    EXPECT_FALSE(enabled(MoveDown));
    ASSERT_TRUE(Run(MoveDown));
    EXPECT_EQ(index(third), 2);
    ASSERT_TRUE(Run(MoveUp));
    ASSERT_TRUE(Run(MoveUp));
    EXPECT_EQ(index(third), 0);
    EXPECT_FALSE(enabled(MoveUp));
    EXPECT_EQ(selected(), third);
    // Delete selects the one that followed.
    CWatermarkObj* next = list.GetAt(1);
    ASSERT_TRUE(Run(DeleteWatermark));
    EXPECT_EQ(selected(), next);
    EXPECT_EQ(list.GetCount(), 2u);
    // Cut, then paste twice: two copies at the end.
    const int32_t kind = next->watermark_id;
    ASSERT_TRUE(Run(EditCut));
    EXPECT_EQ(list.GetCount(), 1u);
    ASSERT_TRUE(Run(EditPaste));
    ASSERT_TRUE(Run(EditPaste));
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list.GetAt(1)->watermark_id, kind);
    EXPECT_EQ(list.GetAt(2)->watermark_id, kind);
    EXPECT_EQ(selected(), list.GetAt(2));
    EXPECT_TRUE(app.GetDocument()->IsModified());
    // A picture watermark whose dialog is cancelled adds nothing.
    pane->m_chooseFile = [](bool) { return std::wstring(); };
    ASSERT_TRUE(Run(AddImageWatermark));
    EXPECT_EQ(list.GetCount(), 3u);
    // Reset of an empty list leaves the document as it was.
    ASSERT_TRUE(Run(ResetEditPane));
    EXPECT_EQ(list.GetCount(), 0u);
    app.GetDocument()->SetModifiedFlag(false);
    ASSERT_TRUE(Run(ResetEditPane));
    EXPECT_FALSE(app.GetDocument()->IsModified());
}

int RefCount(IUnknown* object)
{
    object->AddRef();
    return static_cast<int>(object->Release());
}

TEST_F(PanesTest, AGridChangeRebuildsTheFilterWithBalancedReferences)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowFiltersPane));
    auto changeAndSwitch = [&](int i) {
        Project().GetCurrentOutput()->m_filters.brightness = 10 * i;
        KM::SendWindowMessage(view, KM::WM_KM_GRID_CHANGED);
        ASSERT_TRUE(Run(ShowCropPane));
        ASSERT_TRUE(Run(ShowFiltersPane));
    };
    changeAndSwitch(1);  // each pane's preview now holds the object once
    IUnknown* filter = nullptr;
    ASSERT_TRUE(SUCCEEDED(Project().GetCurrentFilters(&filter)) && filter);
    const int held = RefCount(filter);
    for (int i = 2; i < 5; ++i)
        changeAndSwitch(i);
    EXPECT_EQ(RefCount(filter), held);
    filter->Release();
}

TEST_F(PanesTest, TheFiltersResetLevelTextIgnoresTheLocale)
{
    ShowEditing();
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma";
    ASSERT_TRUE(Run(ShowFiltersPane));
    ASSERT_TRUE(Run(ResetEditPane));
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(Project().GetCurrentOutput()->m_filters.level, L"0:1.00:255");
}

TEST_F(PanesTest, NewProjectLeavesNoPaneHoldingTheOldOne)
{
    ShowEditing();
    for (const EditPaneInfo& info : EditPanes())
        ASSERT_TRUE(Run(info.command));
    ASSERT_TRUE(Run(ShowCropPane));
    auto* crop = view->PaneOf<CCropPane>(kCropKey);
    ASSERT_NE(crop->Editor()->m_pCrop, nullptr);
    app.GetDocument()->SetModifiedFlag(false);
    ASSERT_TRUE(app.GetDocument()->OnNewDocument());
    EXPECT_EQ(crop->Editor()->m_pCrop, nullptr);
    EXPECT_EQ(crop->Settings()->Grid().GetTree(), nullptr);
    EXPECT_EQ(view->PaneOf<CAdvancedPane>(kAdvancedKey)->Grid()->GetTree(), nullptr);
    EXPECT_EQ(view->PaneOf<CWatermarkPane>(kWatermarkKey)->Editor()->List(), nullptr);
    EXPECT_EQ(view->PaneOf<CTimelinePane>(kTimelineKey)->Ruler()->GetItem(), nullptr);
    // The new project binds afresh.
    view->OnInitialUpdate();
    EXPECT_EQ(crop->Editor()->m_pCrop, Project().GetCurrentCrop());
}

// ---- edits reaching the converted file ----

double DarkShare(const std::vector<uint8_t>& rgb)
{
    size_t dark = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        dark += rgb[i] < 40 && rgb[i + 1] < 40 && rgb[i + 2] < 40;
    return rgb.empty() ? 0 : static_cast<double>(dark) / static_cast<double>(rgb.size() / 3);
}

TEST_F(PanesTest, CropReachesTheConvertedFile)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowCropPane));
    Project().GetCurrentCrop()->crop_left = 40;
    KM::SendWindowMessage(view, KM::WM_KM_GRID_CHANGED);
    const auto files = ConvertInto("out");
    ASSERT_EQ(files.size(), 1u);
    const fixtures::MediaInfo info = fixtures::ReadMedia(files[0]);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_NEAR(info.width, 120, 2);
}

TEST_F(PanesTest, AWatermarkReachesTheConvertedFile)
{
    ShowEditing();
    const fixtures::MediaInfo source = fixtures::ReadMedia(clip);
    ASSERT_TRUE(source.ok);
    ASSERT_TRUE(Run(ShowWatermarkPane));
    ASSERT_TRUE(Run(AddWatermarkKind2));  // a filled shape, black by default
    const auto files = ConvertInto("out");
    ASSERT_EQ(files.size(), 1u);
    const fixtures::MediaInfo info = fixtures::ReadMedia(files[0]);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_GT(DarkShare(info.firstFrameRgb), DarkShare(source.firstFrameRgb) + 0.1);
}

TEST_F(PanesTest, AColourFilterReachesTheConvertedFile)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowFiltersPane));
    Project().GetCurrentOutput()->m_filters.grayscale = 1;
    KM::SendWindowMessage(view, KM::WM_KM_GRID_CHANGED);
    const auto files = ConvertInto("out");
    ASSERT_EQ(files.size(), 1u);
    const fixtures::MediaInfo info = fixtures::ReadMedia(files[0]);
    ASSERT_TRUE(info.ok) << info.error;
    int spread = 0;
    for (size_t i = 0; i + 2 < info.firstFrameRgb.size(); i += 3 * 7) {
        const int r = info.firstFrameRgb[i], g = info.firstFrameRgb[i + 1], b = info.firstFrameRgb[i + 2];
        spread = std::max({spread, std::abs(r - g), std::abs(g - b), std::abs(r - b)});
    }
    EXPECT_LT(spread, 12);
}

TEST_F(PanesTest, ASplitChosenOnTheAdvancedPaneGivesItsPartCount)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowAdvancedPane));
    auto* pane = view->PaneOf<CAdvancedPane>(kAdvancedKey);
    app.GetDocument()->SetModifiedFlag(false);
    pane->OnFormatChanged(ADV_OPERATION_SPLIT);
    EXPECT_TRUE(app.GetDocument()->IsModified());
    CVideoFileAdvObj& adv = Project().GetVideoOutput()->m_adv;
    EXPECT_EQ(pane->GetCurrentFormat(), ADV_OPERATION_SPLIT);
    adv.adv_enable_split = 1;
    adv.adv_split_type = SPLIT_BY_COUNT;
    adv.adv_split_count_part = 2;
    const auto files = ConvertInto("out");
    EXPECT_EQ(files.size(), 2u);
}

}  // namespace

namespace {

TEST_F(PanesTest, EachPanesContextMenuCarriesItsCommands)
{
    const struct { unsigned menu; int command; } cases[] = {
        {405, KM::Cmd::AddRange},      {405, KM::Cmd::RemoveRange},   {406, KM::Cmd::ResetEditPane},
        {407, KM::Cmd::EditCut},       {407, KM::Cmd::EditPaste},     {408, KM::Cmd::ResetEditPane},
        {409, KM::Cmd::ResetEditPane}, {410, KM::Cmd::ResetEditPane},
    };
    for (const auto& c : cases) {
        std::unique_ptr<wxMenu> menu = KM::Res::LoadMenu(c.menu);
        ASSERT_NE(menu, nullptr) << c.menu;
        EXPECT_NE(menu->FindItem(c.command), nullptr) << c.menu << " " << c.command;
    }
}

}  // namespace
