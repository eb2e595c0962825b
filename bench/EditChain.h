#pragma once
// The edits the edit benchmarks run (crop, eraser, brightness and contrast, a
// text and a picture watermark), filled as the conversion reads them from a
// format node, and the half-transparent badge the picture watermark shows.
#include "engine/FrameEraser.h"
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/job/transcode/FrameChainEdit.h"
#include "platform/TextConv.h"
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <vector>

namespace bench {

constexpr int kLogoW = 240, kLogoH = 120;

// 8 px off each side.
inline void AddCrop(EditChain& s)
{
    s.crop = RECT{8, 8, 8, 8};
}

// A 200x80 box near the top right of the cropped picture, blurred.
inline void AddEraser(EditChain& s)
{
    s.eraser.nType = ERASER_BLUR;
    s.eraser.nLeft = 1600;
    s.eraser.nRight = 1800;
    s.eraser.nTop = 40;
    s.eraser.nBottom = 120;
    s.eraser.nStrength = 8;
}

inline void AddBrightnessContrast(EditChain& s)
{
    s.filters.brightness = 5;
    s.filters.contrast = 13;
}

// White text with a black stroke at the bottom left, the badge at the top right.
inline void AddWatermarks(EditChain& s, const std::filesystem::path& logo)
{
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
    picture.path = Utf8ToWide(logo.string());
    picture.posType = 2;
    picture.posX = 40;
    picture.posY = 160;
    s.watermarks = {{nullptr, text}, {nullptr, picture}};
}

// The badge: half transparent inside an opaque frame, RGBA rows of kLogoW.
inline std::vector<BYTE> MakeLogoRgba()
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

// The badge as a PNG with its alpha, which both our engine and the command
// line read; false when it could not be written.
inline bool WriteLogoPng(const std::filesystem::path& file, const std::vector<BYTE>& rgba)
{
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PNG);
    mediaeng::av::CodecCtxPtr ctx(codec ? avcodec_alloc_context3(codec) : nullptr);
    mediaeng::av::FramePtr frame = mediaeng::av::MakeFrame();
    mediaeng::av::PacketPtr packet = mediaeng::av::MakePacket();
    if (!ctx || !frame || !packet) return false;
    ctx->width = kLogoW;
    ctx->height = kLogoH;
    ctx->pix_fmt = AV_PIX_FMT_RGBA;
    ctx->time_base = AVRational{1, 25};
    if (avcodec_open2(ctx.get(), codec, nullptr) < 0) return false;
    frame->width = kLogoW;
    frame->height = kLogoH;
    frame->format = AV_PIX_FMT_RGBA;
    if (av_frame_get_buffer(frame.get(), 0) < 0) return false;
    for (int y = 0; y < kLogoH; ++y)
        std::copy_n(&rgba[size_t(y) * kLogoW * 4], kLogoW * 4, frame->data[0] + size_t(y) * size_t(frame->linesize[0]));
    if (avcodec_send_frame(ctx.get(), frame.get()) < 0 || avcodec_receive_packet(ctx.get(), packet.get()) < 0)
        return false;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(packet->data), packet->size);
    return bool(out.flush());
}

}  // namespace bench
