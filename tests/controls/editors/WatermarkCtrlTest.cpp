// The watermark editor window driven by synthetic mouse events: a click
// selects the topmost watermark, drags move and resize it with one notice
// each, the selection's middle handles appear only on long sides, and a
// watermark placed here is drawn by the conversion on the same pixels.
#include "EditorWindowFixture.h"
#include "controls/editors/WatermarkCtrl.h"
#include "engine/FrameFilters.h"
#include "mediaeng/frame/TestFrames.h"
#include "model/edit/EditChainBuilder.h"
#include "model/edit/WatermarksObj.h"
#include "model/project/Project.h"
#include "platform/TextConv.h"

namespace {

using edtest::EditorWindow;

struct RecordingCallback : IWatermarkPropertiesCallback {
    void OnWatermarkSelected(CWatermarkObj* w) override { selected.push_back(w); }
    void OnWatermarkChanged(CWatermarkObj* w) override { changed.push_back(w); }
    std::vector<CWatermarkObj*> selected;
    std::vector<CWatermarkObj*> changed;
};

CWatermarkObj* AddShape(CWatermarksObj& list, int x, int y, int width, int height)
{
    CWatermarkObj* w = list.AddWatermarkKind2();
    w->placement = 0;
    w->x = x;
    w->y = y;
    w->width = width;
    w->height = height;
    w->color = 0x00FF00;
    return w;
}

// The drawn rectangle of a watermark at the last paint.
RECT Drawn(CWatermarkCtrl& editor, const CWatermarkObj* w)
{
    for (const WATERMARK_RECORD& r : editor.Model().Records())
        if (r.key == w->GetId())
            return r.rc;
    ADD_FAILURE() << "not drawn";
    return {};
}

// The editor finds its watermarks in the list and draws them through the
// chain built from it, as the watermark pane hands them.
void Bind(CWatermarkCtrl& editor, CWatermarksObj& list)
{
    editor.SetWatermarks(&list);
    editor.SetChainSource([&list] { return BuildEditChain({.watermarks = &list}); });
}

wxPoint Inside(const RECT& rc, int dx, int dy) { return wxPoint(rc.left + dx, rc.top + dy); }

class WatermarkCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        w.editor->SetCallback(&callback);
        w.editor->SetChangeHandler([this] { ++notices; });
    }
    CKMFilePtr entry = edtest::OpenPicture("watermark.png", 160, 120);
    EditorWindow<CWatermarkCtrl> w{{400, 300}, entry.get()};
    RecordingCallback callback;
    int notices = 0;
};

}  // namespace

TEST_F(WatermarkCtrlTest, ClickSelectsTheTopmostAndMovesChangeWhichIsOnTop)
{
    CWatermarksObj list;
    CWatermarkObj* under = AddShape(list, 20, 20, 60, 40);
    CWatermarkObj* over = AddShape(list, 50, 40, 60, 40);
    Bind(*w.editor, list);
    ASSERT_TRUE(w.Shown());
    ASSERT_EQ(w.editor->Model().Records().size(), 2u);
    const wxPoint overlap = Inside(Drawn(*w.editor, over), 5, 5);
    ASSERT_TRUE(Drawn(*w.editor, under).right > overlap.x && Drawn(*w.editor, under).bottom > overlap.y);

    w.Mouse(wxEVT_LEFT_DOWN, overlap);
    w.Mouse(wxEVT_LEFT_UP, overlap);
    EXPECT_EQ(w.editor->SelectedId(), over->GetId());
    EXPECT_EQ(callback.selected, std::vector<CWatermarkObj*>{over});

    // The list's order is the drawing order.
    list.MoveUp(over->GetId());
    EXPECT_EQ(w.editor->SelectedId(), over->GetId());
    w.Paint();
    ASSERT_EQ(w.editor->Model().Records().size(), 2u);
    EXPECT_EQ(w.editor->Model().Records().back().key, under->GetId());

    // A click beside every watermark clears the selection; the next click in
    // the overlap finds the one now on top.
    const wxPoint beside = w.editor->m_rcImage.GetTopLeft() + wxPoint(150, 110);
    w.Mouse(wxEVT_LEFT_DOWN, beside);
    w.Mouse(wxEVT_LEFT_UP, beside);
    EXPECT_EQ(w.editor->SelectedId(), kNoWatermarkId);
    EXPECT_EQ(callback.selected.back(), nullptr);
    w.Mouse(wxEVT_LEFT_DOWN, overlap);
    w.Mouse(wxEVT_LEFT_UP, overlap);
    EXPECT_EQ(w.editor->SelectedId(), under->GetId());
    EXPECT_EQ(callback.selected.back(), under);
    EXPECT_EQ(notices, 2) << "one per press on a watermark";
}

TEST_F(WatermarkCtrlTest, DragsMoveByTheAnchorAndResizeWithOneNoticeEach)
{
    CWatermarksObj list;
    CWatermarkObj* shape = AddShape(list, 20, 20, 60, 40);
    Bind(*w.editor, list);
    ASSERT_TRUE(w.Shown());
    const RECT before = Drawn(*w.editor, shape);

    w.Drag(Inside(before, 10, 10), Inside(before, 30, 25));
    EXPECT_EQ(std::make_pair(int(shape->x), int(shape->y)), std::make_pair(40, 35));
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(callback.changed, std::vector<CWatermarkObj*>{shape});
    EXPECT_FALSE(w.editor->HasCapture());

    // The right edge 20 px further out: the left edge stays where it is.
    w.Paint();
    const RECT moved = Drawn(*w.editor, shape);
    EXPECT_EQ(moved.left - w.editor->m_rcImage.x, 40);
    const wxPoint edge(moved.right + 3, (moved.top + moved.bottom) / 2);
    w.Drag(edge, edge + wxPoint(20, 0));
    EXPECT_EQ(shape->width, moved.right + 20 - w.editor->m_rcImage.x - 40);
    EXPECT_EQ(shape->x, 40);
    EXPECT_EQ(shape->resize, std::to_wstring(shape->width) + L"x40");
    EXPECT_EQ(notices, 2);

    // A disabled editor neither selects nor drags.
    w.Paint();
    w.editor->Disable();
    const RECT now = Drawn(*w.editor, shape);
    w.Drag(Inside(now, 5, 5), Inside(now, 50, 50));
    EXPECT_EQ(shape->x, 40);
    EXPECT_EQ(notices, 2);
}

TEST_F(WatermarkCtrlTest, SelectionMiddleHandlesOnlyOnSidesOverFortyPixels)
{
    CWatermarksObj list;
    CWatermarkObj* shape = AddShape(list, 60, 40, 20, 20);
    Bind(*w.editor, list);
    for (int width : {20, 60}) {
        shape->width = width;
        w.editor->Reload();
        w.editor->SetSelection(shape->GetId());
        ASSERT_TRUE(w.Shown());
        w.Paint();
        const wxImage shot = w.Paint();
        const RECT rc = Drawn(*w.editor, shape);
        const wxRect S(wxPoint(rc.left - 4, rc.top - 4), wxPoint(rc.right + 4 - 1, rc.bottom + 4 - 1));
        // Row 2 of the top handles, above the frame line, over the picture's black.
        const int y = S.y - 4;
        EXPECT_EQ(kmtest::PixelAt(shot, S.x - 6 + 5, y), *wxWHITE) << "corner handle, width " << width;
        const int middleX = S.x - 1 + (S.width + 2) / 2 - 4 + 5;
        const bool middle = S.width + 2 > 40;
        EXPECT_EQ(middle, width == 60) << "the drawn width follows the watermark's";
        EXPECT_EQ(kmtest::PixelAt(shot, middleX, y) == *wxWHITE, middle) << "width " << width;
    }
}

TEST_F(WatermarkCtrlTest, ATextWatermarkPlacedHereLandsOnTheSamePixelsInAConvertedFrame)
{
    CProject project;
    CWatermarksObj& list = project.GetVideoOutput()->m_watermarks;
    CWatermarkObj* text = list.AddTextWatermark();
    text->text = L"Kestrel";
    text->placement = 0;
    text->x = 0;
    text->y = 0;
    text->font_size = 20;
    text->color = 0xFFFF00;
    ASSERT_TRUE(w.Shown());
    const wxImage picture = w.editor->ShownPicture().Copy();
    Bind(*w.editor, list);
    w.Paint();
    const RECT drawn = Drawn(*w.editor, text);
    ASSERT_GT(drawn.right - drawn.left, 10);
    w.Drag(Inside(drawn, 3, 3), Inside(drawn, 3 + 40, 3 + 30));
    ASSERT_EQ(std::make_pair(int(text->x), int(text->y)), std::make_pair(40, 30));
    w.Paint();
    const wxImage shown = w.editor->ShownPicture();
    ASSERT_EQ(shown.GetSize(), wxSize(160, 120));

    // The project's conversion job carries the same watermark.
    const std::filesystem::path source = kmtest::TestDir() / "watermark.png";
    project.InputFiles().AddFile(Utf8ToWide(source.string()));
    CVideoFileObj* video = project.GetVideoOutput();
    video->SetValue(L"is_create", CVariant(int32_t{1}));
    video->SetValue(L"file_format", CVariant(int32_t{13}));
    video->SetValue(L"destination", CVariant(Utf8ToWide((kmtest::TestDir() / "out").string())));
    video->SetValue(L"file_name", CVariant(L"*.*"));
    struct StopJob {
        CProject& project;
        ~StopJob() { project.Stop(); }
    } stop{project};
    ASSERT_EQ(project.CreateJob(), S_OK);
    ComPtr<IUnknown> format;
    project.GetFormatNode(format.ReleaseAndGetAddressOf());
    ASSERT_TRUE(format);
    CMngFrameFilters conversion;
    conversion.Watermarks().SetProperty(format.Get());

    std::vector<uint32_t> plain, onScreen;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 160; ++x) {
            plain.push_back(uint32_t(picture.GetRed(x, y)) << 16 | picture.GetGreen(x, y) << 8 | picture.GetBlue(x, y));
            onScreen.push_back(uint32_t(shown.GetRed(x, y)) << 16 | shown.GetGreen(x, y) << 8 | shown.GetBlue(x, y));
        }
    }
    TestFrame frame(160, 120, plain);
    ASSERT_EQ(S_OK, conversion.ConvertForItem(160, 120, frame.F(), frame.PF(), frame.D(), frame.PD()));
    const std::vector<uint32_t> converted = Pixels(frame.rec);
    size_t marked = 0;
    for (size_t i = 0; i < plain.size(); ++i)
        marked += converted[i] != plain[i];
    EXPECT_GT(marked, 20u) << "the text must show";
    EXPECT_EQ(onScreen, converted);

    // The job made its own engine items: a reload keeps the selection.
    w.editor->Reload();
    EXPECT_EQ(w.editor->SelectedId(), text->GetId());
}
