// Frames per second of the preview control's whole pipeline on 1080p frames:
// turn and crop, eraser, two colour filters, resize to the shown size
// (960 x 540), conversion to a bitmap and the paint into the window, beside
// the engine's frame chain alone (the same operations without the window).
// Goal: at least 60 fps, so the preview keeps up with a clip's own rate.
//
// Usage: xvfb-run -a preview_pipeline [frames, default 120]
#include "BenchReport.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "engine/EngineInit.h"
#include "engine/FrameConvert.h"
#include "engine/FrameCrop.h"
#include "engine/FrameEraser.h"
#include "engine/FrameFilters.h"
#include "engine/FrameResize.h"
#include "model/edit/CropObj.h"
#include "model/edit/EditChainBuilder.h"
#include "model/edit/EraserObj.h"
#include "model/edit/FiltersObj.h"
#include "platform/Bitmap.h"
#include "platform/ClassRegistry.h"
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

double Fps(int frames, Clock::duration d)
{
    const double s = std::chrono::duration<double>(d).count();
    return s > 0 ? frames / s : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 120;
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
        CEraserObj eraser;
        eraser.eraser_left = 100;
        eraser.eraser_right = 300;
        eraser.eraser_top = 100;
        eraser.eraser_bottom = 200;
        CFiltersObj filters;
        filters.grayscale = 1;
        filters.sharpen = 1;
        IUnknown* engineFilters = nullptr;
        filters.GetEngineFilter(&engineFilters);

        std::vector<BenchFrame> pictures;
        for (int i = 0; i < 4; ++i)
            pictures.emplace_back(i * 7);

        // The engine's chain alone.
        CCropMng cropMng;
        CEraserFilter eraserFilter;
        CConvertTo24RGB convert;
        CResizeMng resize;
        CMngFrameFilters frameFilters;
        frameFilters.SetFilters(engineFilters);
        const tag_ERASEPARAM params = eraser.Params();
        eraserFilter.SetProperty(&params);
        cropMng.m_rcCrop = RECT{40, 0, 40, 0};
        Clock::time_point t0 = Clock::now();
        bool chained = true;
        for (int i = 0; i < frames && chained; ++i) {
            BenchFrame& pic = pictures[static_cast<size_t>(i) % pictures.size()];
            std::vector<BYTE> format(reinterpret_cast<BYTE*>(&pic.header), reinterpret_cast<BYTE*>(&pic.header) + 40);
            std::vector<BYTE> data = pic.data;
            FRAME_RECORD r{40, format.data(), static_cast<DWORD>(data.size()), data.data()};
            chained = SUCCEEDED(cropMng.Crop(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData)) &&
                      SUCCEEDED(eraserFilter.Erase(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData)) &&
                      SUCCEEDED(convert.Convert24(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData)) &&
                      SUCCEEDED(resize.Resize(960, 540, &r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData)) &&
                      SUCCEEDED(frameFilters.ConvertForItem(960, 540, &r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData));
        }
        const double engine = Fps(frames, Clock::now() - t0);
        if (!chained) result = bench::Failed("the engine's frame chain failed");

        // The control: the same operations, then the bitmap and the paint.
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1000, 600));
        auto* ctrl = new CPreviewPlayerCtrl;
        ctrl->Create(frame);
        ctrl->SetSize(0, 0, 970, 550);
        ctrl->SetChainSource([&] { return BuildEditChain({&crop, &eraser, &filters}); });
        frame->Show();
        wxTheApp->Yield();
        t0 = Clock::now();
        for (int i = 0; i < frames; ++i) {
            FRAME_RECORD r = pictures[static_cast<size_t>(i) % pictures.size()].Record();
            ctrl->OnFrame(&r);
        }
        const double preview = Fps(frames, Clock::now() - t0);
        const wxImage& shown = ctrl->ShownPicture();
        if (!shown.IsOk() || shown.GetWidth() == 0) result = bench::Failed("the preview control showed no picture");
        std::printf("preview pipeline, %d frames of %dx%d: crop, eraser, two filters, resize, bitmap, paint\n", frames,
                    W, H);
        std::printf("  preview control (shown %dx%d)   %8.1f fps   goal 60 fps\n", shown.GetWidth(), shown.GetHeight(),
                    preview);
        std::printf("  engine frame chain alone        %8.1f fps   ratio preview/engine %.2f\n", engine,
                    engine > 0 ? preview / engine : 0.0);
        if (engineFilters)
            engineFilters->Release();
        frame->Destroy();
        wxTheApp->Yield();
    }
    CoUninitialize();
    wxEntryCleanup();
    return result;
}
