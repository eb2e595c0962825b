// Frames per second of the preview control's whole pipeline on 1080p frames
// as the player hands them (24-bit): crop, eraser, two colour filters, the
// resize to the shown size (990 x 581), conversion to a bitmap and the paint
// into the window, each frame painted by the control's paint handler; the same
// with the clip turned a quarter; and beside each the engine's chain alone
// (the same steps without the window), as the preview runs it and with every
// step at the source's size in the chain's order before the scale.
// Goal: at least 120 fps, twice the rate of a 60 fps clip.
//
// Usage: xvfb-run -a preview_pipeline [frames, default 240]
#include "BenchReport.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "engine/EditChainRunner.h"
#include "engine/EngineInit.h"
#include "model/edit/CropObj.h"
#include "model/edit/EditChainBuilder.h"
#include "model/edit/EraserObj.h"
#include "model/edit/FiltersObj.h"
#include "platform/Bitmap.h"
#include "platform/ClassRegistry.h"
#include "platform/HeapTuning.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <wx/app.h>
#include <wx/frame.h>

using bench::Clock;

namespace {

class CBenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

constexpr int W = 1920, H = 1080;

// A 24-bit bottom-up frame record with a moving pattern.
struct BenchFrame {
    BITMAPINFOHEADER header;
    std::vector<BYTE> data;
    explicit BenchFrame(int seed)
    {
        header.biWidth = W;
        header.biHeight = H;
        header.biBitCount = 24;
        const size_t stride = (static_cast<size_t>(W) * 3 + 3) & ~static_cast<size_t>(3);
        header.biSizeImage = static_cast<DWORD>(stride * H);
        data.resize(header.biSizeImage);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                BYTE* p = &data[stride * static_cast<size_t>(y) + static_cast<size_t>(x) * 3];
                p[0] = static_cast<BYTE>(x + seed);
                p[1] = static_cast<BYTE>(y * 2);
                p[2] = static_cast<BYTE>((x ^ y) + seed);
            }
    }
    FRAME_RECORD Record()
    {
        return FRAME_RECORD{sizeof(header), reinterpret_cast<BYTE*>(&header), static_cast<DWORD>(data.size()),
                            data.data()};
    }
};

// The control as the player drives it, with the frame it paints handed in
// by the benchmark instead of by a playing entry.
class CBenchCtrl : public CPreviewPlayerCtrl {
public:
    FRAME_RECORD* next = nullptr;
    int painted = 0;

protected:
    void PaintAll(wxDC& dc, FRAME_RECORD* record) override
    {
        ++painted;
        CPreviewPlayerCtrl::PaintAll(dc, next ? next : record);
    }
};

double Fps(int frames, Clock::duration d)
{
    const double s = std::chrono::duration<double>(d).count();
    return s > 0 ? frames / s : 0;
}

struct Row {
    double preview = 0, engine = 0, steps = 0;
    wxSize shown;
    bool ok = false;
};

// Runs the frames through the engine's chain as the control does, then
// through the control's paint handler.
Row RunRow(wxFrame* host, const EditSettings& settings, std::vector<BenchFrame>& pictures, int frames)
{
    Row row;
    const EditChain chain = BuildEditChain(settings);
    CEditChainRunner runner(CEditChainRunner::Use::Preview);
    runner.SetChain(chain);
    // route: the preview's (ShowSized); otherwise every step at the source's
    // size in the chain's order, then the scale.
    const auto engine = [&](bool route) {
        bool ok = true;
        const Clock::time_point t0 = Clock::now();
        for (int i = 0; i < frames && ok; ++i) {
            BenchFrame& pic = pictures[static_cast<size_t>(i) % pictures.size()];
            FRAME_RECORD r = pic.Record(), header{r.cbFormat, r.pbFormat, 0, nullptr}, shown{};
            ok = SUCCEEDED(runner.Reshape(header));
            const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(header.pbFormat);
            const double shrink = std::min(990.0 / h->biWidth, 590.0 / std::abs(h->biHeight));
            const int w = static_cast<int>(h->biWidth * shrink), hh = static_cast<int>(std::abs(h->biHeight) * shrink);
            if (route) {
                ok = ok && SUCCEEDED(runner.ShowSized(r, w, hh, shown));
            } else {
                shown = r;
                ok = ok && SUCCEEDED(runner.Reshape(shown)) && SUCCEEDED(runner.ToShownSize(shown, w, hh));
            }
            ok = ok && SUCCEEDED(runner.FinishShown(shown, RECT{0, 0, w, hh}, 1 / shrink));
        }
        return ok ? Fps(frames, Clock::now() - t0) : 0.0;
    };
    row.steps = engine(false);
    row.engine = engine(true);
    const bool chained = row.steps > 0 && row.engine > 0;

    auto* ctrl = new CBenchCtrl;
    ctrl->Create(host);
    ctrl->SetSize(0, 0, 1000, 600);
    ctrl->SetChainSource([chain] { return chain; });
    wxTheApp->Yield();
    ctrl->painted = 0;
    const Clock::time_point t0 = Clock::now();
    for (int i = 0; i < frames; ++i) {
        FRAME_RECORD r = pictures[static_cast<size_t>(i) % pictures.size()].Record();
        ctrl->next = &r;
        ctrl->Refresh(false);
        ctrl->Update();
        ctrl->next = nullptr;
    }
    row.preview = Fps(frames, Clock::now() - t0);
    row.shown = ctrl->ShownPicture().IsOk() ? ctrl->ShownPicture().GetSize() : wxSize();
    row.ok = chained && ctrl->painted == frames && row.shown.x > 0;
    ctrl->Destroy();
    wxTheApp->Yield();
    return row;
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 240;
    KM::KeepPictureBuffersOnHeap();  // as the program starts
    wxApp::SetInstance(new CBenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "preview_pipeline needs an X display (xvfb-run)\n");
        return 1;
    }
    CoInitialize();
    int result = 0;
    {
        CCropObj crop;
        crop.crop_left = 40;
        crop.crop_right = 40;
        CCropObj turned;
        turned.crop_left = 40;
        turned.crop_right = 40;
        turned.rotate = 1;
        CEraserObj eraser;
        eraser.eraser_left = 100;
        eraser.eraser_right = 300;
        eraser.eraser_top = 100;
        eraser.eraser_bottom = 200;
        CFiltersObj filters;
        filters.grayscale = 1;
        filters.sharpen = 1;

        std::vector<BenchFrame> pictures;
        for (int i = 0; i < 4; ++i)
            pictures.emplace_back(i * 7);

        auto* host = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1020, 640));
        host->Show();
        wxTheApp->Yield();
        std::printf("preview pipeline, %d frames of %dx%d: crop, eraser, two filters, resize, bitmap, paint\n", frames,
                    W, H);
        const struct {
            const char* what;
            const CCropObj* crop;
        } rows[] = {{"as stored", &crop}, {"turned 90", &turned}};
        for (const auto& r : rows) {
            const Row row = RunRow(host, {r.crop, &eraser, &filters}, pictures, frames);
            if (!row.ok) result = bench::Failed("the %s row showed no picture or failed in the engine", r.what);
            std::printf("  %-10s preview control (shown %dx%d) %8.1f fps   goal 120 fps\n", r.what, row.shown.x,
                        row.shown.y, row.preview);
            std::printf("  %-10s engine chain alone              %8.1f fps   ratio preview/engine %.2f\n", r.what,
                        row.engine, row.engine > 0 ? row.preview / row.engine : 0.0);
            std::printf("  %-10s every step at the source's size %7.1f fps   ratio chain/steps %.2f\n", r.what,
                        row.steps, row.steps > 0 ? row.engine / row.steps : 0.0);
        }
        host->Destroy();
        wxTheApp->Yield();
    }
    CoUninitialize();
    wxEntryCleanup();
    return result;
}
