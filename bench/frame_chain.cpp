// Frames per second of our frame chain with typical edits (crop, eraser,
// brightness and contrast, a text and a picture watermark) on 1920x1080
// frames, beside libavfilter doing the nearest work (crop, delogo, eq,
// drawtext, overlay) on the same frames in the same run; and of the
// conversion's edit stage with the same edits on yuv420p frames, as the
// decoder gives them and the encoder takes them.
//
// Usage: frame_chain [frames]   (build it in a Release tree for real figures)
#include "EditChain.h"
#include "engine/FrameCrop.h"
#include "engine/FrameEraser.h"
#include "engine/FrameFilters.h"
#include "platform/Bitmap.h"
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>
extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/adler32.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int W = 1920, H = 1080;
constexpr int kFrameVariants = 4;
using bench::kLogoH;
using bench::kLogoW;

using Clock = std::chrono::steady_clock;
using mediaeng::av::FramePtr;
struct GraphFreer {
    void operator()(AVFilterGraph* g) const { avfilter_graph_free(&g); }
};

// A busy picture: gradients and a moving pattern, 24-bit bottom-up.
std::vector<BYTE> MakePicture(int variant)
{
    const DWORD stride = DibStride(W, 24);
    std::vector<BYTE> d(static_cast<size_t>(stride) * H);
    for (int y = 0; y < H; ++y) {
        BYTE* p = &d[static_cast<size_t>(H - 1 - y) * stride];
        for (int x = 0; x < W; ++x, p += 3) {
            p[0] = static_cast<BYTE>((x + variant * 7) & 0xFF);
            p[1] = static_cast<BYTE>((y + x / 3) & 0xFF);
            p[2] = static_cast<BYTE>(((x ^ y) + variant * 31) & 0xFF);
        }
    }
    return d;
}

// Frames per second; 0 when an edit failed.
double RunOurs(const std::vector<std::vector<BYTE>>& pictures, int frames, const EditChain& edits)
{
    CCropMng crop;
    crop.m_rcCrop = edits.crop;
    CEraserFilter eraser;
    eraser.SetProperty(&edits.eraser);
    CMngFrameFilters filters;
    filters.SetFilterValues(edits.filters);
    filters.Watermarks().SetItems(edits.watermarks);

    BITMAPINFOHEADER hdr;
    hdr.biWidth = W;
    hdr.biHeight = H;
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        const std::vector<BYTE>& pic = pictures[i % pictures.size()];
        DWORD cbF = sizeof(hdr), cbD = static_cast<DWORD>(pic.size());
        BYTE* pF = reinterpret_cast<BYTE*>(&hdr);
        BYTE* pD = const_cast<BYTE*>(pic.data());
        if (FAILED(crop.Crop(&cbF, &pF, &cbD, &pD)) || FAILED(eraser.Erase(&cbF, &pF, &cbD, &pD)) ||
            FAILED(filters.ConvertForItem(W - 16, H - 16, &cbF, &pF, &cbD, &pD, nullptr, REFERENCE_TIME(i) * 400000)))
            return std::fprintf(stderr, "our frame chain failed at frame %d\n", i), 0;
    }
    return frames / std::chrono::duration<double>(Clock::now() - start).count();
}

// Tells whether a picture was written into.
uint32_t Yuv420pChecksum(const AVFrame& f)
{
    uint32_t sum = 1;
    for (int p = 0; p < 3; ++p) {
        const int w = p ? (f.width + 1) / 2 : f.width, h = p ? (f.height + 1) / 2 : f.height;
        for (int y = 0; y < h; ++y) sum = av_adler32_update(sum, f.data[p] + ptrdiff_t(y) * f.linesize[p], size_t(w));
    }
    return sum;
}

// What the encoder does with a picture that is not in its format.
bool ToYuv420p(FramePtr& f, mediaeng::av::SwsPtr& sws)
{
    sws.reset(sws_getCachedContext(sws.release(), f->width, f->height, AVPixelFormat(f->format), f->width, f->height,
                                   AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
    FramePtr yuv = mediaeng::av::MakeFrame();
    if (!sws || !yuv) return false;
    yuv->format = AV_PIX_FMT_YUV420P;
    yuv->width = f->width;
    yuv->height = f->height;
    if (av_frame_get_buffer(yuv.get(), 0) < 0) return false;
    sws_scale(sws.get(), f->data, f->linesize, 0, f->height, yuv->data, yuv->linesize);
    f = std::move(yuv);
    return true;
}

// Frames per second of the conversion's edit stage on yuv420p pictures, with
// the conversion back to yuv420p when it hands back another format. Each
// picture is lent as a new reference; 0 when the stage fails, gives the wrong
// size or writes into a picture it was lent.
double RunStage(const std::vector<FramePtr>& pictures, int frames, const EditChain& edits)
{
    std::vector<uint32_t> sums;
    for (const FramePtr& p : pictures) sums.push_back(Yuv420pChecksum(*p));
    const int outW = W - int(edits.crop.left + edits.crop.right), outH = H - int(edits.crop.top + edits.crop.bottom);
    const std::unique_ptr<mediaeng::job::IFrameEditStage> stage = mediaeng::job::MakeEditStage(edits);
    mediaeng::av::SwsPtr toYuv;
    int wrongSize = 0;
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        FramePtr f(av_frame_clone(pictures[size_t(i) % pictures.size()].get()));
        if (!f || FAILED(stage->Process(f, i / 25.0)) || !f ||
            (f->format != AV_PIX_FMT_YUV420P && !ToYuv420p(f, toYuv)))
            return std::fprintf(stderr, "our edit stage failed at frame %d\n", i), 0;
        if (f->width != outW || f->height != outH) ++wrongSize;
    }
    const double secs = std::chrono::duration<double>(Clock::now() - start).count();
    if (wrongSize) return std::fprintf(stderr, "our edit stage gave %d frames of the wrong size\n", wrongSize), 0;
    for (size_t i = 0; i < pictures.size(); ++i)
        if (Yuv420pChecksum(*pictures[i]) != sums[i])
            return std::fprintf(stderr, "our edit stage wrote into a picture it was lent\n"), 0;
    return frames / secs;
}

struct Graph {
    std::unique_ptr<AVFilterGraph, GraphFreer> graph;
    AVFilterContext* in = nullptr;
    AVFilterContext* logo = nullptr;
    AVFilterContext* out = nullptr;
};

bool BuildGraph(Graph& g, AVPixelFormat fmt)
{
    g.graph.reset(avfilter_graph_alloc());
    char args[256];
    std::snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=1/25:pixel_aspect=1/1", W, H, fmt);
    if (avfilter_graph_create_filter(&g.in, avfilter_get_by_name("buffer"), "in", args, nullptr, g.graph.get()) < 0)
        return false;
    std::snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=1/25:pixel_aspect=1/1", kLogoW, kLogoH,
                  AV_PIX_FMT_RGBA);
    if (avfilter_graph_create_filter(&g.logo, avfilter_get_by_name("buffer"), "logo", args, nullptr, g.graph.get()) < 0)
        return false;
    if (avfilter_graph_create_filter(&g.out, avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                     g.graph.get()) < 0)
        return false;
    const AVPixelFormat outFmts[] = {fmt, AV_PIX_FMT_NONE};
    av_opt_set_int_list(g.out, "pix_fmts", outFmts, AV_PIX_FMT_NONE, AV_OPT_SEARCH_CHILDREN);
    const char* chain =
        "[in]crop=1904:1064:8:8,delogo=x=1592:y=32:w=200:h=80,eq=brightness=0.05:contrast=1.15,"
        "drawtext=font='DejaVu Sans':text='KestrelMedia sample':fontsize=43:fontcolor=white:borderw=1:"
        "bordercolor=black:x=40:y=h-th-40[t];[t][logo]overlay=x=W-w-40:y=160[out]";
    AVFilterInOut* outputs = avfilter_inout_alloc();
    AVFilterInOut* outputs2 = avfilter_inout_alloc();
    AVFilterInOut* inputs = avfilter_inout_alloc();
    outputs->name = av_strdup("in");
    outputs->filter_ctx = g.in;
    outputs->next = outputs2;
    outputs2->name = av_strdup("logo");
    outputs2->filter_ctx = g.logo;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = g.out;
    const int r = avfilter_graph_parse_ptr(g.graph.get(), chain, &inputs, &outputs, nullptr);
    avfilter_inout_free(&inputs);
    avfilter_inout_free(&outputs);
    if (r < 0) return false;
    return avfilter_graph_config(g.graph.get(), nullptr) >= 0;
}

// Frames per second of the graph on the pictures given in its input format.
double RunFfmpeg(const std::vector<FramePtr>& pictures, AVPixelFormat fmt, int frames, const std::vector<BYTE>& logo)
{
    Graph g;
    if (!BuildGraph(g, fmt)) {
        std::fprintf(stderr, "libavfilter graph could not be built\n");
        return 0;
    }
    FramePtr l(av_frame_alloc());
    l->width = kLogoW;
    l->height = kLogoH;
    l->format = AV_PIX_FMT_RGBA;
    av_frame_get_buffer(l.get(), 0);
    for (int y = 0; y < kLogoH; ++y) std::memcpy(l->data[0] + y * l->linesize[0], &logo[size_t(y) * kLogoW * 4], kLogoW * 4);
    l->pts = 0;
    if (av_buffersrc_add_frame(g.logo, l.get()) < 0 || av_buffersrc_add_frame(g.logo, nullptr) < 0) return 0;
    // one picture, repeated by overlay
    FramePtr got(av_frame_alloc());
    const auto start = Clock::now();
    int out = 0;
    for (int i = 0; i < frames; ++i) {
        FramePtr f(av_frame_clone(pictures[i % pictures.size()].get()));
        f->pts = i;
        if (av_buffersrc_add_frame_flags(g.in, f.get(), AV_BUFFERSRC_FLAG_KEEP_REF) < 0) break;
        while (av_buffersink_get_frame(g.out, got.get()) >= 0) {
            ++out;
            av_frame_unref(got.get());
        }
    }
    if (av_buffersrc_add_frame(g.in, nullptr) < 0) return 0;
    while (av_buffersink_get_frame(g.out, got.get()) >= 0) {
        ++out;
        av_frame_unref(got.get());
    }
    const double secs = std::chrono::duration<double>(Clock::now() - start).count();
    if (out != frames) return std::fprintf(stderr, "libavfilter gave %d of %d frames\n", out, frames), 0;
    return out / secs;
}

std::vector<FramePtr> AsAvFrames(const std::vector<std::vector<BYTE>>& pictures, AVPixelFormat fmt)
{
    std::vector<FramePtr> out;
    SwsContext* sws = sws_getContext(W, H, AV_PIX_FMT_BGR24, W, H, fmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
    const int stride = static_cast<int>(DibStride(W, 24));
    for (const auto& p : pictures) {
        FramePtr f(av_frame_alloc());
        f->width = W;
        f->height = H;
        f->format = fmt;
        av_frame_get_buffer(f.get(), 0);
        const uint8_t* src[4] = {p.data() + size_t(stride) * (H - 1), nullptr, nullptr, nullptr};
        const int srcStride[4] = {-stride, 0, 0, 0};
        sws_scale(sws, src, srcStride, 0, H, f->data, f->linesize);
        out.push_back(std::move(f));
    }
    sws_freeContext(sws);
    return out;
}

// ratio is left out when it is not a positive number.
void PrintFps(const char* what, double fps, double ratio)
{
    std::printf("  %-48s %8.1f fps", what, fps);
    if (ratio > 0 && std::isfinite(ratio)) std::printf("   ratio ours/ref %.2f", ratio);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    av_log_set_level(AV_LOG_ERROR);
    std::vector<std::vector<BYTE>> pictures;
    for (int v = 0; v < kFrameVariants; ++v) pictures.push_back(MakePicture(v));
    const std::vector<BYTE> logo = bench::MakeLogoRgba();
    const std::filesystem::path logoPath =
        std::filesystem::temp_directory_path() / ("km-bench-badge-" + std::to_string(::getpid()) + ".png");
    if (!bench::WriteLogoPng(logoPath, logo)) return std::fprintf(stderr, "the badge could not be written\n"), 1;
    EditChain edits;
    bench::AddCrop(edits);
    bench::AddEraser(edits);
    bench::AddBrightnessContrast(edits);
    bench::AddWatermarks(edits, logoPath);
    const auto bgr = AsAvFrames(pictures, AV_PIX_FMT_BGR24);
    const auto yuv = AsAvFrames(pictures, AV_PIX_FMT_YUV420P);

    RunOurs(pictures, 10, edits);  // warm up: sprites, thread pool, caches
    const double ours = RunOurs(pictures, frames, edits);
    RunStage(yuv, 10, edits);  // warm up
    const double stage = RunStage(yuv, frames, edits);
    const double refBgr = RunFfmpeg(bgr, AV_PIX_FMT_BGR24, frames, logo);
    const double refYuv = RunFfmpeg(yuv, AV_PIX_FMT_YUV420P, frames, logo);
    std::filesystem::remove(logoPath);
    std::printf("frame chain, %d frames of %dx%d: crop, eraser (blur), brightness+contrast, text + picture watermark\n",
                frames, W, H);
    PrintFps("ours (24-bit RGB in and out)", ours, 0);
    PrintFps("libavfilter, same 24-bit frames in and out", refBgr, ours / refBgr);
    PrintFps("libavfilter, native yuv420p in and out", refYuv, ours / refYuv);
    PrintFps("ours, conversion edit stage, yuv420p in and out", stage, stage / refYuv);
    std::printf("  (the edit stage beside libavfilter on native yuv420p; a ratio >= 1.00 is as fast)\n");
    if (stage <= 0) return std::printf("FAIL our conversion edit stage\n"), 1;
    if (ours <= 0 || refBgr <= 0 || refYuv <= 0) return std::fprintf(stderr, "FAILED: a chain failed\n"), 1;
    return 0;
}
