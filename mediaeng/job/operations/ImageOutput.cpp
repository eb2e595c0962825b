#include "mediaeng/job/operations/ImageOutput.h"
#include "platform/HiddenSibling.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/job/operations/ContactSheet.h"
#include "mediaeng/job/transcode/FrameGeometry.h"
#include "mediaeng/job/operations/FrameGrabber.h"
#include "mediaeng/job/transcode/JobInput.h"
#include "mediaeng/job/settings/NumberedNaming.h"
#include "mediaeng/job/settings/OutputNamer.h"
#include "platform/TextConv.h"
extern "C" {
#include <libavutil/pixdesc.h>
}
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {

av::FramePtr NewRgb(int w, int h)
{
    av::FramePtr f = av::MakeFrame();
    if (!f) return nullptr;
    f->format = AV_PIX_FMT_RGB24;
    f->width = w;
    f->height = h;
    if (av_frame_get_buffer(f.get(), 0) < 0) return nullptr;
    for (int y = 0; y < h; ++y) std::fill_n(f->data[0] + y * f->linesize[0], size_t(w) * 3, uint8_t(0));
    return f;
}

AVPixelFormat EncoderFormat(const AVCodec* codec)
{
    if (!codec->pix_fmts) return AV_PIX_FMT_RGB24;
    std::vector<AVPixelFormat> usable;
    for (const AVPixelFormat* p = codec->pix_fmts; *p != AV_PIX_FMT_NONE; ++p)
        if (sws_isSupportedOutput(*p)) usable.push_back(*p);
    if (usable.empty()) return codec->pix_fmts[0];
    usable.push_back(AV_PIX_FMT_NONE);
    return avcodec_find_best_pix_fmt_of_list(usable.data(), AV_PIX_FMT_RGB24, 0, nullptr);
}

}  // namespace

CImageOutput::CImageOutput(const CJobSettings& settings, CRunControl& control, EditMaker makeEdit, CJobMessages& msg,
                           std::time_t runStart)
    : m_settings(settings), m_control(control), m_makeEdit(std::move(makeEdit)), m_msg(msg),
      m_namer(std::make_unique<COutputNamer>(settings.output.naming, settings.output.extension, runStart)),
      m_numbered(std::make_unique<COutputNamer>(NumberedNaming(settings.output.naming), settings.output.extension, runStart))
{
}

CImageOutput::~CImageOutput() = default;

std::vector<double> CImageOutput::PictureTimes(const CJobOperations& ops, double duration)
{
    std::vector<double> times;
    const double start = std::max(0, ops.image.startSeconds);
    const double last = std::max(0.0, duration - 0.04);  // the last picture still inside the clip
    if (duration > 0 && start > last) return times;
    if (ops.split.use) {
        if (ops.split.type == kSplitByCount) {
            const int n = std::max(1, ops.split.count);
            for (int i = 0; i < n; ++i) times.push_back(start + i * (duration - start) / n);
        } else {
            const double step = std::max(1, ops.split.stepSeconds);
            for (double t = start; t <= last + 1e-6; t += step) times.push_back(t);
        }
    } else if (ops.image.sheet) {
        const int n = ops.image.rows * ops.image.cols;
        for (int i = 0; i < n; ++i) times.push_back(start + (i + 0.5) * (duration - start) / n);
    } else {
        times.push_back(std::min(start, last));
    }
    return times;
}

av::FramePtr CImageOutput::Shape(av::FramePtr frame, double time, IFrameEditStage& edit, std::string& error)
{
    if (FAILED(edit.Process(frame, time)) || !frame) return error = EngineTextUtf8(text::kPictureNotEdited), nullptr;
    const CVideoOutput& v = m_settings.output.video;
    int tw = frame->width, th = frame->height;
    ParseResizeText(v.resize, frame->width, frame->height, tw, th);
    const double sar = frame->sample_aspect_ratio.num > 0 ? av_q2d(frame->sample_aspect_ratio) : 1.0;
    const CFrameGeometry g = ComputeGeometry(frame->width, frame->height, sar, std::max(1, tw), std::max(1, th),
                                             v.resizeType == kResizeFitBlurred ? kResizeFit : v.resizeType, v.letterbox);
    av::FramePtr out = NewRgb(g.outWidth, g.outHeight);
    if (!out) return error = EngineTextUtf8(text::kOutOfMemory), nullptr;
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(frame->format));
    const uint8_t* src[4] = {};
    for (int p = 0; p < 4 && frame->data[p]; ++p) {
        const bool chroma = (p == 1 || p == 2) && d && (d->flags & AV_PIX_FMT_FLAG_PLANAR) && d->nb_components >= 3;
        const int x = chroma ? g.sourceCut.x >> d->log2_chroma_w : g.sourceCut.x;
        const int y = chroma ? g.sourceCut.y >> d->log2_chroma_h : g.sourceCut.y;
        const int bytes = d && !(d->flags & AV_PIX_FMT_FLAG_PLANAR) ? av_get_padded_bits_per_pixel(d) / 8 : 1;
        src[p] = frame->data[p] + y * frame->linesize[p] + x * bytes;
    }
    av::SwsPtr sws(sws_getContext(g.sourceCut.w, g.sourceCut.h, AVPixelFormat(frame->format), g.picture.w, g.picture.h,
                              AV_PIX_FMT_RGB24, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!sws) return error = EngineTextUtf8(text::kPictureNotScaled), nullptr;
    uint8_t* dst[4] = {out->data[0] + g.picture.y * out->linesize[0] + g.picture.x * 3};
    const int stride[4] = {out->linesize[0]};
    sws_scale(sws.get(), src, frame->linesize, 0, g.sourceCut.h, dst, stride);
    if (g.bars && m_settings.output.video.letterbox) {
        const uint32_t c = m_settings.output.video.letterboxColor;
        for (int y = 0; y < out->height; ++y)
            for (int x = 0; x < out->width; ++x) {
                if (x >= g.picture.x && x < g.picture.x + g.picture.w && y >= g.picture.y && y < g.picture.y + g.picture.h)
                    continue;
                uint8_t* px = out->data[0] + y * out->linesize[0] + x * 3;
                px[0] = uint8_t(c), px[1] = uint8_t(c >> 8), px[2] = uint8_t(c >> 16);
            }
    }
    return out;
}

bool CImageOutput::Save(const AVFrame* rgb, const fs::path& target, std::string& error)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(m_settings.operations.image.encoder.c_str());
    if (!codec) return error = EngineTextUtf8(text::kPictureEncoderMissing, m_settings.operations.image.encoder), false;
    av::CodecCtxPtr ctx(avcodec_alloc_context3(codec));
    if (!ctx) return error = EngineTextUtf8(text::kOutOfMemory), false;
    ctx->width = rgb->width;
    ctx->height = rgb->height;
    ctx->pix_fmt = EncoderFormat(codec);
    ctx->time_base = {1, 25};
    ctx->color_range = AVCOL_RANGE_JPEG;
    if (codec->id == AV_CODEC_ID_MJPEG) {
        ctx->flags |= AV_CODEC_FLAG_QSCALE;
        ctx->global_quality = FF_QP2LAMBDA * 2;
        ctx->strict_std_compliance = FF_COMPLIANCE_UNOFFICIAL;
    }
    int rc = avcodec_open2(ctx.get(), codec, nullptr);
    if (rc < 0) return error = EngineTextUtf8(text::kCannotOpenPictureEncoder, av::AvErrorText(rc)), false;
    av::FramePtr pic = av::MakeFrame();
    pic->format = ctx->pix_fmt;
    pic->width = rgb->width;
    pic->height = rgb->height;
    pic->pts = 0;
    if (av_frame_get_buffer(pic.get(), 0) < 0) return error = EngineTextUtf8(text::kOutOfMemory), false;
    av::SwsPtr sws(sws_getContext(rgb->width, rgb->height, AV_PIX_FMT_RGB24, rgb->width, rgb->height, ctx->pix_fmt,
                              SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
    if (!sws) return error = EngineTextUtf8(text::kPictureNotConverted), false;
    sws_scale(sws.get(), rgb->data, rgb->linesize, 0, rgb->height, pic->data, pic->linesize);

    std::string bytes;
    av::PacketPtr pkt = av::MakePacket();
    if ((rc = avcodec_send_frame(ctx.get(), pic.get())) < 0 || (rc = avcodec_send_frame(ctx.get(), nullptr)) < 0)
        return error = EngineTextUtf8(text::kCannotEncodePicture, av::AvErrorText(rc)), false;
    while ((rc = avcodec_receive_packet(ctx.get(), pkt.get())) == 0) {
        bytes.append(reinterpret_cast<const char*>(pkt->data), size_t(pkt->size));
        av_packet_unref(pkt.get());
    }
    if (bytes.empty()) return error = EngineTextUtf8(text::kPictureEncoderEmpty), false;
    if (codec->id == AV_CODEC_ID_GIF) bytes += ';';  // the file's trailer, which the muxer would add

    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    const fs::path temp = HiddenSibling(target, ".part");
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        const int why = errno;
        return error = EngineTextUtf8(text::kCannotCreateIn, target.filename().string(), target.parent_path().string(),
                                      std::strerror(why)),
               false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        fs::remove(temp, ec);
        return error = EngineTextUtf8(text::kCannotWriteDiskFull, target.string()), false;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return error = EngineTextUtf8(text::kCannotRename, target.string()), false;
    }
    return true;
}

bool CImageOutput::FlushPictureSheet()
{
    if (!m_pictureSheet || m_pictureSheet->Empty()) return true;
    av::FramePtr sheet = m_pictureSheet->Take();
    std::wstring warning;
    const fs::path target = m_names.Take(*m_namer, NamingPathOf(m_sheetSource), m_sheetIndex, &warning);
    std::string error;
    if (!Save(sheet.get(), target, error)) {
        m_msg.FileError(m_sheetSource, Utf8ToWide(error));
        return false;
    }
    m_msg.FileSaved(Utf8ToWide(target.string()));
    return true;
}

bool CImageOutput::Convert(const CJobSource& source, int index)
{
    m_msg.FileStart(source.path);
    const CJobOperations& ops = m_settings.operations;
    CFrameGrabber grabber;
    std::string error;
    auto fail = [&](const std::string& why) {
        m_msg.FileError(source.path, Utf8ToWide(why));
        return false;
    };
    if (!grabber.Open(source.path, source.videoStream, error)) return fail(error);
    std::unique_ptr<IFrameEditStage> edit = m_makeEdit();
    const bool picture = grabber.IsPicture() || grabber.Duration() <= 0;

    if (picture) {
        av::FramePtr frame = grabber.Grab(0);
        if (!frame) return fail(EngineTextUtf8(text::kPictureNotDecoded));
        av::FramePtr rgb = Shape(std::move(frame), 0, *edit, error);
        if (!rgb) return fail(error);
        if (ops.image.sheet) {
            if (!m_pictureSheet) m_pictureSheet = std::make_unique<CContactSheet>(ops.image.rows, ops.image.cols);
            if (m_pictureSheet->Empty()) {
                m_sheetSource = source.path;
                m_sheetIndex = index;
            }
            if (!m_pictureSheet->Add(rgb.get())) return fail(EngineTextUtf8(text::kOutOfMemory));
            return !m_pictureSheet->Full() || FlushPictureSheet();
        }
        std::wstring warning;
        const fs::path target = m_names.Take(*m_namer, NamingPathOf(source.path), index, &warning);
        if (!Save(rgb.get(), target, error)) return fail(error);
        m_msg.FileSaved(Utf8ToWide(target.string()));
        return true;
    }

    // A clip: a sheet of still pictures in progress ends before it.
    bool ok = FlushPictureSheet();
    const std::vector<double> times = PictureTimes(ops, grabber.Duration());
    if (times.empty()) return fail(EngineTextUtf8(text::kStartPastEnd));
    const int perSheet = ops.image.rows * ops.image.cols;
    const bool numbered = ops.image.sheet ? int(times.size()) > perSheet : times.size() > 1;
    COutputNamer& namer = numbered ? *m_numbered : *m_namer;
    CContactSheet sheet(ops.image.rows, ops.image.cols);
    auto save = [&](const AVFrame* pic) {
        std::wstring warning;
        const fs::path target = m_names.Take(namer, NamingPathOf(source.path), index, &warning);
        std::string why;
        if (!Save(pic, target, why)) return fail(why);
        m_msg.FileSaved(Utf8ToWide(target.string()));
        return true;
    };
    for (double t : times) {
        if (!m_control.Checkpoint()) return false;
        av::FramePtr frame = grabber.Grab(t);
        if (!frame) return fail(EngineTextUtf8(text::kNoPictureAt, std::to_string(t)));
        av::FramePtr rgb = Shape(std::move(frame), t, *edit, error);
        if (!rgb) return fail(error);
        if (!ops.image.sheet) {
            if (!save(rgb.get())) return false;
            continue;
        }
        if (!sheet.Add(rgb.get())) return fail(EngineTextUtf8(text::kOutOfMemory));
        if (sheet.Full()) {
            av::FramePtr full = sheet.Take();
            if (!save(full.get())) return false;
        }
    }
    if (!sheet.Empty()) {
        av::FramePtr rest = sheet.Take();
        if (!save(rest.get())) return false;
    }
    return ok;
}

void CImageOutput::Run(int& succeeded, int& total)
{
    succeeded = 0;
    total = int(m_settings.sources.size());
    for (size_t i = 0; i < m_settings.sources.size() && !m_control.IsStopped(); ++i) {
        if (Convert(m_settings.sources[i], int(i))) ++succeeded;
        m_msg.Progress(double(i + 1) / double(std::max<size_t>(1, m_settings.sources.size())));
    }
    if (!m_control.IsStopped() && !FlushPictureSheet()) --succeeded;
}

}  // namespace mediaeng::job
