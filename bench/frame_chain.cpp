// Frames per second of our frame chain with typical edits (crop, eraser,
// brightness and contrast, a text and a picture watermark) on 1920x1080
// frames, beside libavfilter doing the nearest work (crop, delogo, eq,
// drawtext, overlay) on the same frames in the same run.
//
// Usage: frame_chain [frames]   (build it in a Release tree for real figures)
#include "engine/FrameCrop.h"
#include "engine/FrameEraser.h"
#include "engine/FrameFilters.h"
#include "platform/Bitmap.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int W = 1920, H = 1080;
constexpr int kLogoW = 240, kLogoH = 120;
constexpr int kFrameVariants = 4;

using Clock = std::chrono::steady_clock;

struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
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

// The picture watermark: a half-transparent badge with an opaque frame.
std::vector<BYTE> MakeLogoRgba()
{
    std::vector<BYTE> rgba(static_cast<size_t>(kLogoW) * kLogoH * 4);
    for (int y = 0; y < kLogoH; ++y)
        for (int x = 0; x < kLogoW; ++x) {
            BYTE* p = &rgba[(static_cast<size_t>(y) * kLogoW + x) * 4];
            const bool edge = x < 6 || y < 6 || x >= kLogoW - 6 || y >= kLogoH - 6;
            p[0] = static_cast<BYTE>(40 + x / 2);
            p[1] = static_cast<BYTE>(200 - y);
            p[2] = 220;
            p[3] = edge ? 255 : 128;
        }
    return rgba;
}

// The same badge as a 32-bit BMP with alpha, for our picture watermark.
std::string WriteLogoBmp(const std::vector<BYTE>& rgba)
{
    const std::string path = (std::filesystem::temp_directory_path() / "km_bench_logo.bmp").string();
    std::ofstream f(path, std::ios::binary);
    struct V4 {
        BITMAPINFOHEADER h;
        DWORD masks[4];
        DWORD csType;
        BYTE rest[48];
    } v4{};
    v4.h.biSize = sizeof(V4);
    v4.h.biWidth = kLogoW;
    v4.h.biHeight = -kLogoH;
    v4.h.biBitCount = 32;
    v4.h.biCompression = 3;  // bit fields
    v4.h.biSizeImage = kLogoW * kLogoH * 4;
    v4.masks[0] = 0x00FF0000;
    v4.masks[1] = 0x0000FF00;
    v4.masks[2] = 0x000000FF;
    v4.masks[3] = 0xFF000000;
    v4.csType = 0x73524742;  // 'sRGB'
    const uint32_t offset = 14 + sizeof(V4), size = offset + v4.h.biSizeImage;
    f.write("BM", 2);
    f.write(reinterpret_cast<const char*>(&size), 4);
    f.write("\0\0\0\0", 4);
    f.write(reinterpret_cast<const char*>(&offset), 4);
    f.write(reinterpret_cast<const char*>(&v4), sizeof(V4));
    for (size_t i = 0; i < rgba.size(); i += 4) {
        const char bgra[4] = {char(rgba[i + 2]), char(rgba[i + 1]), char(rgba[i]), char(rgba[i + 3])};
        f.write(bgra, 4);
    }
    return path;
}

double RunOurs(const std::vector<std::vector<BYTE>>& pictures, int frames, const std::string& logoPath)
{
    CCropMng crop;
    crop.m_rcCrop = {8, 8, 8, 8};
    CEraserFilter eraser;
    tag_ERASEPARAM erase;
    erase.nType = ERASER_BLUR;
    erase.nLeft = 1600;
    erase.nRight = 1800;
    erase.nTop = 40;
    erase.nBottom = 120;
    erase.nStrength = 8;
    eraser.SetProperty(&erase);
    CMngFrameFilters filters;
    FrameFilterSettings s;
    s.brightness = 5;
    s.contrast = 13;
    filters.SetFilterValues(s);
    WatermarkItemDesc text;
    text.kind = WATERMARK_TEXT;
    text.text = L"KestrelMedia sample";
    text.fontName = L"DejaVu Sans";
    text.fontSize = 32;
    text.color = RGB(255, 255, 255);
    text.stroke.enabled = 1;
    text.stroke.color = RGB(0, 0, 0);
    text.posType = 6;
    text.posX = 40;
    text.posY = 40;
    WatermarkItemDesc picture;
    picture.kind = WATERMARK_PICTURE;
    picture.path = std::wstring(logoPath.begin(), logoPath.end());
    picture.posType = 2;
    picture.posX = 40;
    picture.posY = 160;
    filters.Watermarks().SetItems({{nullptr, text}, {nullptr, picture}});

    BITMAPINFOHEADER hdr;
    hdr.biWidth = W;
    hdr.biHeight = H;
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        const std::vector<BYTE>& pic = pictures[i % pictures.size()];
        DWORD cbF = sizeof(hdr), cbD = static_cast<DWORD>(pic.size());
        BYTE* pF = reinterpret_cast<BYTE*>(&hdr);
        BYTE* pD = const_cast<BYTE*>(pic.data());
        crop.Crop(&cbF, &pF, &cbD, &pD);
        eraser.Erase(&cbF, &pF, &cbD, &pD);
        filters.ConvertForItem(W - 16, H - 16, &cbF, &pF, &cbD, &pD, nullptr, REFERENCE_TIME(i) * 400000);
    }
    return frames / std::chrono::duration<double>(Clock::now() - start).count();
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
    if (out != frames) std::fprintf(stderr, "libavfilter gave %d of %d frames\n", out, frames);
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

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    av_log_set_level(AV_LOG_ERROR);
    std::vector<std::vector<BYTE>> pictures;
    for (int v = 0; v < kFrameVariants; ++v) pictures.push_back(MakePicture(v));
    const std::vector<BYTE> logo = MakeLogoRgba();
    const std::string logoPath = WriteLogoBmp(logo);
    const auto bgr = AsAvFrames(pictures, AV_PIX_FMT_BGR24);
    const auto yuv = AsAvFrames(pictures, AV_PIX_FMT_YUV420P);

    RunOurs(pictures, 10, logoPath);  // warm up: sprites, thread pool, caches
    const double ours = RunOurs(pictures, frames, logoPath);
    const double refBgr = RunFfmpeg(bgr, AV_PIX_FMT_BGR24, frames, logo);
    const double refYuv = RunFfmpeg(yuv, AV_PIX_FMT_YUV420P, frames, logo);
    std::printf("frame chain, %d frames of %dx%d: crop, eraser (blur), brightness+contrast, text + picture watermark\n",
                frames, W, H);
    std::printf("  ours (24-bit RGB in and out)               %8.1f fps\n", ours);
    std::printf("  libavfilter, same 24-bit frames in and out  %8.1f fps   ratio ours/ref %.2f\n", refBgr,
                refBgr > 0 ? ours / refBgr : 0.0);
    std::printf("  libavfilter, native yuv420p in and out      %8.1f fps   ratio ours/ref %.2f\n", refYuv,
                refYuv > 0 ? ours / refYuv : 0.0);
    std::filesystem::remove(logoPath);
    return 0;
}
