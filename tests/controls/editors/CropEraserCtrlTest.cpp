// The crop and eraser editor windows driven by synthetic mouse and key events:
// what a drag writes into the record, a notice at every drag step, the handles drawn
// over the picture, and the eraser shown unerased only while it is edited.
#include "EditorWindowFixture.h"
#include "controls/editors/CropEditCtrl.h"
#include "controls/editors/EraserPreviewCtrl.h"
#include "model/edit/CropObj.h"
#include "model/edit/EditChainBuilder.h"
#include "model/edit/EraserObj.h"
#include <tuple>
#include <vector>

namespace {

using edtest::EditorWindow;
using Rect4 = std::tuple<int, int, int, int>;

Rect4 EraserRect(const CEraserObj& e)
{
    return {e.eraser_left, e.eraser_top, e.eraser_right, e.eraser_bottom};
}

void SetEraserRect(CEraserObj& e, Rect4 r)
{
    std::tie(e.eraser_left, e.eraser_top, e.eraser_right, e.eraser_bottom) = r;
}

void SetEraser(CEraserObj& e, int type, Rect4 r)
{
    e.eraser_type = type;
    SetEraserRect(e, r);
}

// A picture of 4:3 in an editor window of the given size.
template <class Ctrl>
struct EditedPicture {
    EditedPicture(const char* name, int width = 160, wxSize window = {400, 300})
        : entry(edtest::OpenPicture(name, width, width * 3 / 4)), w(window, entry.get())
    {
    }
    CKMFilePtr entry;
    EditorWindow<Ctrl> w;
};

// Client point of a source point of the picture.
wxPoint At(const CPreviewPlayerEditCtrl& editor, double x, double y)
{
    const double s = editor.m_dScale;
    return editor.m_rcImage.GetTopLeft() + wxPoint(static_cast<int>(x / s), static_cast<int>(y / s));
}

}  // namespace

TEST(EraserPreviewCtrl, DragSequencesWriteTheRecordWithANoticeAtEachStep)
{
    struct Case {
        const char* what;
        int pictureWidth;  // shown in a 170 x 130 window: 160 fits at scale 1, 320 at scale 2
        wxPoint press;     // source pixels of the picture, where the press lands
        wxPoint to;
        Rect4 expected;
        int notices;  // one per drag operation: each mouse step drags an edge, two for a corner
    };
    // The record starts as {40, 20, 100, 60}.
    const Case cases[] = {
        {"right edge", 160, {98, 40}, {130, 40}, {40, 20, 130, 60}, 2},
        {"bottom-left corner", 160, {40, 59}, {30, 70}, {30, 20, 100, 70}, 4},
        {"body", 160, {70, 40}, {80, 35}, {50, 15, 110, 55}, 2},
        {"body past the top left", 160, {70, 40}, {-100, -100}, {0, 0, 60, 40}, 2},
        {"right edge onto the left edge", 160, {98, 40}, {10, 40}, {40, 20, 40, 60}, 2},
        {"right edge at scale 2", 320, {98, 40}, {130, 40}, {40, 20, 130, 60}, 2},
        {"body at scale 2", 320, {70, 40}, {90, 50}, {60, 30, 120, 70}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditedPicture<CEraserPreviewCtrl> pic("eraser.png", c.pictureWidth, {170, 130});
        auto& w = pic.w;
        CEraserObj eraser;
        SetEraser(eraser, ERASER_BLUR, {40, 20, 100, 60});
        int notices = 0;
        w.editor->SetChangeHandler([&] { ++notices; });
        w.editor->SetEraser(&eraser, true);
        ASSERT_TRUE(w.Shown());
        ASSERT_EQ(w.editor->m_dScale, c.pictureWidth / 160.0);
        w.Drag(At(*w.editor, c.press.x, c.press.y), At(*w.editor, c.to.x, c.to.y));
        EXPECT_EQ(EraserRect(eraser), c.expected);
        EXPECT_EQ(notices, c.notices);
        EXPECT_FALSE(w.editor->HasCapture());
    }
}

TEST(EraserPreviewCtrl, NoDragWhenDisabledNotEditedOrOfKindNoneAndEscapeLeavesTheRecord)
{
    EditedPicture<CEraserPreviewCtrl> pic("eraser.png");
    auto& w = pic.w;
    CEraserObj eraser;
    SetEraser(eraser, ERASER_FILL, {40, 20, 100, 60});
    int notices = 0;
    w.editor->SetChangeHandler([&] { ++notices; });
    w.editor->SetEraser(&eraser, true);
    ASSERT_TRUE(w.Shown());
    const wxPoint body = At(*w.editor, 70, 40), away = At(*w.editor, 90, 70);

    w.editor->Disable();
    w.Drag(body, away);
    w.editor->Enable();
    w.editor->SetEraser(&eraser, false);
    w.Drag(body, away);
    w.editor->SetEraser(&eraser, true);
    eraser.eraser_type = ERASER_NONE;
    w.Drag(body, away);
    eraser.eraser_type = ERASER_FILL;
    w.Key(WXK_ESCAPE);
    EXPECT_EQ(EraserRect(eraser), Rect4(40, 20, 100, 60));
    EXPECT_EQ(notices, 0);
    EXPECT_FALSE(w.editor->HasCapture());
}

TEST(EraserPreviewCtrl, MiddleHandlesOnlyOnSidesOverFortyPixelsAndGreyWhenDisabled)
{
    EditedPicture<CEraserPreviewCtrl> pic("eraser.png");
    auto& w = pic.w;
    ASSERT_TRUE(w.Shown());
    ASSERT_EQ(w.editor->m_dScale, 1.0);
    CEraserObj eraser;
    eraser.eraser_type = ERASER_BLUR;
    // Handle pixels: white inside a black border (grey inside grey when
    // disabled), over the picture's dark top.
    struct Case {
        int width;
        bool enabled;
        bool middle;
    };
    for (const Case c : {Case{40, true, false}, Case{41, true, true}, Case{60, false, true}}) {
        SetEraserRect(eraser, {20, 20, 20 + c.width, 60});
        w.editor->SetEraser(&eraser, true);
        w.editor->Enable(c.enabled);
        const wxImage shot = w.Paint();
        ASSERT_TRUE(shot.IsOk());
        const wxPoint tl = At(*w.editor, 20, 20);
        const wxColour handle = c.enabled ? *wxWHITE : wxColour(192, 192, 192);
        // Row 2 of each handle lies above the frame line.
        EXPECT_EQ(kmtest::PixelAt(shot, tl.x - 4 + 5, tl.y - 2), handle) << c.width;
        const wxColour middle = kmtest::PixelAt(shot, tl.x + c.width / 2 - 4 + 5, tl.y - 2);
        EXPECT_EQ(middle == handle, c.middle) << c.width;
    }
    w.editor->Enable();
    // Kind none: no frame at all.
    eraser.eraser_type = ERASER_NONE;
    const wxImage plain = w.Paint();
    const wxPoint tl = At(*w.editor, 20, 20);
    EXPECT_EQ(kmtest::PixelAt(plain, tl.x + 1, tl.y - 2), kmtest::PixelAt(w.editor->ShownPicture(), 21, 18));
}

TEST(EraserPreviewCtrl, ThePictureIsErasedOnlyWhileTheRectangleIsNotEdited)
{
    EditedPicture<CEraserPreviewCtrl> pic("eraser.png");
    auto& w = pic.w;
    CEraserObj eraser;
    eraser.eraser_type = ERASER_BLUR;
    // Across the border of the red and blue halves at the bottom.
    SetEraserRect(eraser, {60, 92, 100, 118});
    w.editor->SetEraser(&eraser, true);
    // The picture is erased through the chain its owner hands, built from the same record.
    w.editor->SetChainSource([&eraser] { return BuildEditChain({.eraser = &eraser}); });
    ASSERT_TRUE(w.Shown());
    // Whether the red next to the border is the red far from it.
    auto unerased = [&] {
        w.Paint();
        const wxImage& shown = w.editor->ShownPicture();
        return kmtest::PixelAt(shown, 78, 105) == kmtest::PixelAt(shown, 30, 105);
    };
    EXPECT_TRUE(unerased());
    w.editor->SetEraser(&eraser, false);
    EXPECT_FALSE(unerased());
    w.editor->SetChainSource(nullptr);
    EXPECT_TRUE(unerased());
}

// While the crop frame is edited the raw frame is shown: the eraser of the
// same chain waits, like the crop, until the edit flag is cleared.
TEST(CropEditCtrl, WhileEditedThePictureIsNeitherCroppedNorErased)
{
    EditedPicture<CCropEditCtrl> pic("eraser.png");
    auto& w = pic.w;
    CCropObj crop;
    CEraserObj eraser;
    eraser.eraser_type = ERASER_BLUR;
    // Across the border of the red and blue halves at the bottom.
    SetEraserRect(eraser, {60, 92, 100, 118});
    w.editor->SetCrop(&crop, true);
    w.editor->SetChainSource([&] { return BuildEditChain({.crop = &crop, .eraser = &eraser}); });
    ASSERT_TRUE(w.Shown());
    auto unerased = [&] {
        w.Paint();
        const wxImage& shown = w.editor->ShownPicture();
        return kmtest::PixelAt(shown, 78, 105) == kmtest::PixelAt(shown, 30, 105);
    };
    EXPECT_TRUE(unerased());
    w.editor->SetCrop(&crop, false);
    EXPECT_FALSE(unerased());
    w.editor->SetCrop(&crop, true);
    EXPECT_TRUE(unerased());
}

TEST(CropEditCtrl, CornerDragTellsAtEachStepAndEscapeClearsTheMarginsInEitherMode)
{
    EditedPicture<CCropEditCtrl> pic("crop.png");
    auto& w = pic.w;
    CCropObj crop;
    int notices = 0;
    w.editor->SetChangeHandler([&] { ++notices; });
    w.editor->SetCrop(&crop, true);
    ASSERT_TRUE(w.Shown());
    // Bottom-right corner 30 px in and 20 px up.
    w.Drag(At(*w.editor, 159, 119), At(*w.editor, 130, 100));
    EXPECT_EQ(std::make_tuple(crop.crop_left, crop.crop_top, crop.crop_right, crop.crop_bottom),
              std::make_tuple(0, 0, 30, 20));
    EXPECT_EQ(notices, 4);  // two mouse steps, each dragging two edges

    w.editor->SetCrop(&crop, false);
    w.Key(WXK_ESCAPE);
    EXPECT_EQ(std::make_tuple(crop.crop_right, crop.crop_bottom), std::make_tuple(0, 0));
    EXPECT_EQ(notices, 5);

    w.editor->SetCrop(&crop, true);
    w.editor->Disable();
    w.Drag(At(*w.editor, 159, 119), At(*w.editor, 130, 100));
    EXPECT_EQ(crop.crop_right, 0);
    EXPECT_EQ(notices, 5);
}

// The owner hears of each step while the button is still down, with the
// record already holding that step, so a grid beside the picture follows it.
TEST(CropEditCtrl, TheOwnerSeesEveryStepOfADragBeforeTheRelease)
{
    EditedPicture<CCropEditCtrl> pic("crop.png");
    auto& w = pic.w;
    CCropObj crop;
    std::vector<int> seen;  // crop_left at each notice
    w.editor->SetChangeHandler([&] { seen.push_back(crop.crop_left); });
    w.editor->SetCrop(&crop, true);
    ASSERT_TRUE(w.Shown());
    w.Mouse(wxEVT_LEFT_DOWN, At(*w.editor, 1, 60));
    w.Mouse(wxEVT_MOTION, At(*w.editor, 10, 60));
    EXPECT_EQ(seen, std::vector<int>{10});
    w.Mouse(wxEVT_MOTION, At(*w.editor, 25, 60));
    EXPECT_EQ(seen, (std::vector<int>{10, 25}));
    w.Mouse(wxEVT_LEFT_UP, At(*w.editor, 25, 60));
    EXPECT_EQ(seen, (std::vector<int>{10, 25}));
    EXPECT_FALSE(w.editor->HasCapture());
}

TEST(EraserPreviewCtrl, TheOwnerSeesEveryStepOfADragBeforeTheRelease)
{
    EditedPicture<CEraserPreviewCtrl> pic("eraser.png");
    auto& w = pic.w;
    CEraserObj eraser;
    SetEraser(eraser, ERASER_BLUR, {40, 20, 100, 60});
    std::vector<Rect4> seen;
    w.editor->SetChangeHandler([&] { seen.push_back(EraserRect(eraser)); });
    w.editor->SetEraser(&eraser, true);
    ASSERT_TRUE(w.Shown());
    w.Mouse(wxEVT_LEFT_DOWN, At(*w.editor, 70, 40));
    w.Mouse(wxEVT_MOTION, At(*w.editor, 75, 40));
    EXPECT_EQ(seen, std::vector<Rect4>{Rect4(45, 20, 105, 60)});
    w.Mouse(wxEVT_MOTION, At(*w.editor, 75, 50));
    EXPECT_EQ(seen, (std::vector<Rect4>{Rect4(45, 20, 105, 60), Rect4(45, 30, 105, 70)}));
    w.Mouse(wxEVT_LEFT_UP, At(*w.editor, 75, 50));
    EXPECT_EQ(seen.size(), 2u);
}
