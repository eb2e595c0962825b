// The preview control on real sources: where the picture lands for each shape
// of picture, turn and crop; the same pixels as the conversion writes; and the
// seek bar under the mouse.
#include "shell/ShellTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/ids/CommandIds.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "model/edit/EditChainBuilder.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "player/Player.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/MainFrame.h"
#include <cmath>
#include <memory>
#include <set>
#include <vector>
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>

namespace {

namespace fs = std::filesystem;

// A 64-bit FNV-1a digest of a frame's bytes: frames that differ get different
// digests (kept instead of the bytes, whose comparison in a set GCC 12 warns
// of falsely at -O2).
uint64_t Digest(const BYTE* data, size_t size)
{
    uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 1099511628211ull;
    return h;
}

class PreviewControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(shelltest::StartProgram(app, false));
        dir = shelltest::TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        host = new wxFrame(nullptr, wxID_ANY, "preview", wxDefaultPosition, wxSize(700, 600));
        // On a panel: a frame fits its only child to itself whenever it is
        // sized, and a Wayland compositor sizes it when it likes (after a
        // test has set the control's size, say).
        auto* panel = new wxPanel(host);
        preview = new CPreviewPlayerCtrl;
        ASSERT_TRUE(preview->Create(panel));
        host->Show();
    }
    void TearDown() override
    {
        if (host)
            host->Destroy();
        kmtest::PumpFor(std::chrono::milliseconds(20));
        shelltest::StopProgram(app);
    }
    CProject& Project() { return *app.GetDocument()->GetProject(); }
    // A source entry, probed as the document probes the current file.
    CKMFile* Add(const fs::path& file)
    {
        CKMFile* entry = Project().InputFiles().AddFile(Utf8ToWide(file.string()));
        if (!entry || entry->OpenMediaSource(entry->m_fileName) != S_OK || FAILED(entry->Open(0)))
            return nullptr;
        return entry;
    }
    // A clip written and probed, then shown in a 400x300 control; null when
    // any step fails.
    CKMFile* ShowClip(fixtures::ClipDesc desc, const char* name = "clip.mp4")
    {
        const fs::path clip = fixtures::WriteClip(dir / name, desc);
        CKMFile* entry = clip.empty() ? nullptr : Add(clip);
        if (!entry) return nullptr;
        preview->SetSize(0, 0, 400, 300);
        preview->SetItem(entry);
        return Shown() ? entry : nullptr;
    }
    // Paints until the entry's still picture has been shown.
    bool Shown()
    {
        return kmtest::PumpUntil([&] {
            preview->Refresh(false);
            preview->Update();
            return preview->ShownPicture().IsOk();
        }, std::chrono::seconds(30));
    }

    CKestrelMediaApp app;
    fs::path dir;
    wxFrame* host = nullptr;
    CPreviewPlayerCtrl* preview = nullptr;
};

TEST_F(PreviewControlTest, EveryShapeOfPictureLandsWhereTheFitPutsItAtItsDisplayAspect)
{
    fixtures::ClipDesc wide;
    wide.width = 1920;
    wide.height = 1080;
    wide.seconds = 0.2;
    wide.audio = false;
    fixtures::ClipDesc anamorphic;  // stored 4:3, shown 16:9
    anamorphic.sarNum = 4;
    anamorphic.sarDen = 3;
    anamorphic.seconds = 0.4;
    const fs::path wideClip = fixtures::WriteClip(dir / "wide.mp4", wide);
    const fs::path anaClip = fixtures::WriteClip(dir / "anamorphic.mp4", anamorphic);
    ASSERT_FALSE(wideClip.empty() || anaClip.empty());

    // The 400x300 control leaves a box of 390x264 above the strip; a picture
    // smaller than that keeps its height.
    struct Case {
        const char* what;
        fs::path clip;
        int cropLeft, cropRight, turns;
        wxSize shown;
    } cases[] = {
        {"1080p", wideClip, 0, 0, 0, {390, 219}},
        {"1080p cropped to 960 wide", wideClip, 480, 480, 0, {234, 264}},
        {"1080p turned", wideClip, 0, 0, 1, {148, 264}},
        {"anamorphic", anaClip, 0, 0, 0, {213, 120}},
        {"anamorphic turned", anaClip, 0, 0, 1, {90, 160}},
        {"anamorphic cropped to 120 stored columns", anaClip, 20, 20, 0, {160, 120}},
    };
    preview->SetSize(0, 0, 400, 300);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKMFile* entry = Add(c.clip);
        ASSERT_NE(entry, nullptr);
        CCropObj crop;
        crop.crop_left = c.cropLeft;
        crop.crop_right = c.cropRight;
        crop.rotate = c.turns;
        preview->SetChainSource([&crop] { return BuildEditChain({.crop = &crop}); });
        preview->SetItem(entry);
        ASSERT_TRUE(Shown());

        wxRect rect = preview->GetClientRect();
        double scale = 0;
        ASSERT_TRUE(preview->GetImageRect(rect, scale));
        EXPECT_EQ(rect.GetSize(), c.shown);
        EXPECT_EQ(rect, preview->ShownRect());
        EXPECT_EQ(preview->ShownPicture().GetSize(), c.shown);
        EXPECT_EQ(rect.x, (400 - rect.width) / 2);
        EXPECT_EQ(rect.y, (300 - rect.height - 26) / 2);
        if (c.clip == wideClip && c.turns == 0 && c.cropLeft == 0) {
            EXPECT_EQ(rect, wxRect(5, 27, 390, 219));
            EXPECT_NEAR(scale, 1920.0 / 390, 1e-9);
        }
        preview->SetItem(nullptr);
        preview->SetChainSource(nullptr);
    }
    // Without a picture there is nothing to fit.
    wxRect rect = preview->GetClientRect();
    double scale = 7.0;
    EXPECT_FALSE(preview->GetImageRect(rect, scale));
    EXPECT_EQ(rect, preview->GetClientRect());
}

// Mean and share of large differences between two pictures of one size.
struct Difference {
    double mean = 255;
    double largeShare = 1;
};

Difference Compare(const wxImage& a, const wxImage& b)
{
    Difference d;
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize())
        return d;
    const size_t n = size_t(a.GetWidth()) * a.GetHeight() * 3;
    double sum = 0;
    size_t large = 0;
    for (size_t i = 0; i < n; ++i) {
        const int diff = std::abs(int(a.GetData()[i]) - int(b.GetData()[i]));
        sum += diff;
        large += diff > 12 ? 1 : 0;
    }
    d.mean = sum / double(n);
    d.largeShare = double(large) / double(n);
    return d;
}

TEST_F(PreviewControlTest, APictureWithCropEraserAndAFilterLooksAsItsConvertedFile)
{
    // A still picture with gradients and blocks, so that every edit shows.
    wxImage picture(320, 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.SetRGB(x, y, static_cast<unsigned char>(x * 255 / 319), static_cast<unsigned char>(y * 255 / 239),
                           ((x / 40 + y / 40) % 2) ? 220 : 30);
    const fs::path source = dir / "picture.png";
    ASSERT_TRUE(picture.SaveFile(wxString::FromUTF8(source.string()), wxBITMAP_TYPE_PNG));
    CKMFile* entry = Add(source);
    ASSERT_NE(entry, nullptr);

    Project().GetVideoOutput()->SetValue(L"is_create", CVariant(int32_t{0}));
    CImageFileObj* image = Project().GetImageOutput();
    image->SetValue(L"is_create", CVariant(int32_t{1}));
    image->SetValue(L"file_format", CVariant(int32_t{23}));  // PNG
    image->SetValue(L"destination", CVariant(Utf8ToWide((dir / "out").string())));
    image->SetValue(L"file_name", CVariant(L"*.*"));
    CCropObj* crop = Project().GetCurrentCrop();
    ASSERT_NE(crop, nullptr);
    crop->crop_left = 40;  // 240 x 240 left
    crop->crop_right = 40;
    CEraserObj* eraser = Project().GetCurrentEraser();
    eraser->eraser_left = 100;
    eraser->eraser_top = 60;
    eraser->eraser_right = 160;
    eraser->eraser_bottom = 120;
    CFiltersObj* filters = &Project().GetCurrentOutput()->m_filters;
    filters->nagative = 1;

    // The box is exactly the cropped size, so the preview shows it unscaled.
    preview->SetSize(0, 0, 250, 240 + 26 + 10);
    preview->SetChainSource([=] { return BuildEditChain({crop, eraser, filters}); });
    preview->SetItem(entry);
    ASSERT_TRUE(Shown());
    const wxImage shown = preview->ShownPicture();
    ASSERT_EQ(shown.GetSize(), wxSize(240, 240));

    kmtest::ModalHook hook;
    hook.AnswerMessageBox(wxID_OK);
    ASSERT_EQ(Project().Run(), S_OK);
    ASSERT_TRUE(Project().m_job);
    ASSERT_EQ(Project().m_job->Wait(60000), S_OK);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    wxImage converted;
    ASSERT_TRUE(converted.LoadFile(wxString::FromUTF8((dir / "out" / "picture.png").string()), wxBITMAP_TYPE_PNG));
    ASSERT_EQ(converted.GetSize(), shown.GetSize());

    const Difference d = Compare(shown, converted);
    EXPECT_LT(d.mean, 2.0);
    EXPECT_LT(d.largeShare, 0.01);
    // And the edits are there at all: the negative of the top-left corner,
    // which the crop moved 40 px in.
    EXPECT_GT(kmtest::PixelAt(shown, 0, 0).Red(), 200);
}

TEST_F(PreviewControlTest, ASeekDragPastTheEndSeeksOnceToTheEndAndALostCaptureSeeksNothing)
{
    CKMFile* entry = ShowClip({.seconds = 2.0});
    ASSERT_NE(entry, nullptr);
    ASSERT_GT(entry->m_duration, 0);

    auto mouse = [&](wxEventType type, wxPoint at) {
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.SetEventObject(preview);
        preview->ProcessWindowEvent(event);
    };
    const int barY = 300 - 24 + 8;
    const SeekTrack track = preview->Track();
    const wxPoint start(track.x0 + 20, barY);

    mouse(wxEVT_LEFT_DOWN, start);
    EXPECT_EQ(CPlayer::Instance()->IsSeekDragging(), true);
    mouse(wxEVT_MOTION, wxPoint(track.x1 + 100, barY));
    EXPECT_EQ(entry->m_currentPosition, 0);  // nothing is sought while dragging
    mouse(wxEVT_LEFT_UP, wxPoint(track.x1 + 100, barY));
    EXPECT_EQ(entry->m_currentPosition, entry->m_duration);
    EXPECT_EQ(CPlayer::Instance()->IsSeekDragging(), false);

    mouse(wxEVT_LEFT_DOWN, start);
    // The system takes the mouse: wx has dropped the capture when it tells.
    if (preview->HasCapture())
        preview->ReleaseMouse();
    wxMouseCaptureLostEvent lost(preview->GetId());
    lost.SetEventObject(preview);
    preview->ProcessWindowEvent(lost);
    EXPECT_EQ(CPlayer::Instance()->IsSeekDragging(), false);
    mouse(wxEVT_LEFT_UP, start);
    EXPECT_EQ(entry->m_currentPosition, entry->m_duration);  // the drag had ended
}

struct PositionCounter : IPossitionChangeNotify {
    void OnPositionChanged(int) override { ++moves; }
    void OnPositionRedraw() override {}
    int moves = 0;
};

// The strip under the mouse: a press on a button asks for a paint, which
// shows the pressed face; the hand over the seek thumb, the arrow elsewhere;
// command 460 sent to the control goes back to the start and pauses.
TEST_F(PreviewControlTest, APressedButtonIsRepaintedTheThumbShowsTheHandAndCommand460RewindsAndPauses)
{
    CKMFile* entry = ShowClip({.seconds = 2.0});
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(preview->Faces().playEnabled);
    int paints = 0;
    preview->Bind(wxEVT_PAINT, [&](wxPaintEvent& e) {
        ++paints;
        e.Skip();
    });
    const wxPoint play(5 + 11, 300 - 27 + 11);
    const wxImage before = kmtest::PaintNow(*preview);
    paints = 0;
    kmtest::SendMouse(*preview, wxEVT_LEFT_DOWN, play, true);
    EXPECT_EQ(preview->PressedButton(), KM::Cmd::PlayPause);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return paints > 0; }, std::chrono::seconds(3)));
    const wxImage pressed = kmtest::PaintNow(*preview);
    int changed = 0;
    for (int y = 300 - 27; y < 300 - 5; ++y)
        for (int x = 5; x < 27; ++x)
            changed += kmtest::PixelAt(before, x, y) != kmtest::PixelAt(pressed, x, y);
    EXPECT_GT(changed, 0) << "the pressed face differs from the normal one";
    kmtest::SendMouse(*preview, wxEVT_LEFT_UP, wxPoint(200, 100));  // released away: no command
    EXPECT_EQ(preview->PressedButton(), 0);
    EXPECT_EQ(CPlayer::Instance()->PlayState() == 2, false);

    const wxRect thumb = preview->ThumbRect();
    ASSERT_FALSE(thumb.IsEmpty());
    kmtest::SendMouse(*preview, wxEVT_MOTION, thumb.GetPosition() + wxPoint(5, 5));
    EXPECT_TRUE(preview->GetCursor().IsOk());  // the hand
    kmtest::SendMouse(*preview, wxEVT_MOTION, wxPoint(200, 100));
    EXPECT_FALSE(preview->GetCursor().IsOk());  // the window's arrow

    PositionCounter listener;
    preview->m_pPosListener = &listener;
    entry->m_currentPosition = 10000000;
    wxCommandEvent rewind(wxEVT_MENU, KM::Cmd::PlayerStop);
    rewind.SetEventObject(preview);
    preview->GetEventHandler()->ProcessEvent(rewind);
    EXPECT_EQ(entry->m_currentPosition, 0);
    EXPECT_EQ(CPlayer::Instance()->PlayState(), 1);  // paused, not stopped
    EXPECT_GE(listener.moves, 1);  // the control tells it, and so does the player
    preview->m_pPosListener = nullptr;
}

TEST_F(PreviewControlTest, AControlThatGoesAwayLetsGoOfThePlayer)
{
    const fs::path clip = fixtures::WriteClip(dir / "clip.mp4");
    CKMFile* entry = Add(clip);
    ASSERT_NE(entry, nullptr);
    preview->SetItem(entry);
    EXPECT_EQ(CPlayer::Instance()->GetCtrl(), preview);
    delete preview;
    preview = nullptr;
    EXPECT_EQ(CPlayer::Instance()->GetCtrl(), nullptr);
}

// While a clip plays, each new frame asks for a repaint and the paint handler
// draws it: nothing is drawn outside the handler, which under Wayland (where a
// client DC draws nothing) is the only way a picture reaches the screen. The
// hook sees which frame each paint of the window draws.
TEST_F(PreviewControlTest, PlayingRepaintsFromThePaintHandlerWithEachNewFrame)
{
    CKMFile* entry = ShowClip({.seconds = 3.0, .audio = false}, "counter.mp4");
    ASSERT_NE(entry, nullptr);

    // Shared with the handler, which stays bound after the test's locals are gone.
    struct Seen {
        std::set<uint64_t> painted;  // digests of the distinct frames the handler drew
        bool playing = false;
    };
    auto seen = std::make_shared<Seen>();
    preview->Bind(wxEVT_PAINT, [seen, entry](wxPaintEvent& e) {
        e.Skip();  // the control's own handler paints
        FRAME_RECORD* record = nullptr;
        if (seen->playing && CPlayer::Instance()->GetFrame(entry, &record) == 0 && record && record->cbData)
            seen->painted.insert(Digest(record->pbData, record->cbData));
    });
    seen->playing = true;
    preview->OnPlayerButton(KM::Cmd::PlayPause);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return seen->painted.size() >= 2; }, std::chrono::seconds(30)))
        << seen->painted.size() << " frame(s) painted while playing";
    seen->playing = false;
    preview->OnPlayerButton(KM::Cmd::PlayerStop);
}

}  // namespace
