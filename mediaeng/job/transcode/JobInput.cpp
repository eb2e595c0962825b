#include "mediaeng/job/transcode/JobInput.h"
#include "mediaeng/core/EngineTexts.h"
#include "platform/TextConv.h"
#include <algorithm>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

bool CJobInput::Open(const std::string& path, std::string& error)
{
    reset();
    std::string disc;
    int title = 0;
    AVFormatContext* raw = nullptr;
    if (mediaeng::ParseDvdTitlePath(path, &disc, &title)) {
        std::string reason;
        auto dvd = mediaeng::CDvdDisc::Open(disc, &reason);
        if (!dvd)
            return error = reason.empty() ? EngineTextUtf8(text::kNoDvdAt, disc)
                                          : EngineTextUtf8(text::kNoDvdAtBecause, disc, reason),
                   false;
        for (const mediaeng::DvdTitleInfo& t : dvd->Titles())
            if (t.number == title) m_titleDuration = t.duration;
        m_title = mediaeng::CDvdTitleReader::Open(dvd, title);
        if (!m_title) return error = EngineTextUtf8(text::kNoDvdTitle, title), false;
        raw = avformat_alloc_context();
        if (!raw) return error = EngineTextUtf8(text::kOutOfMemory), false;
        raw->pb = m_title->Context();
        raw->flags |= AVFMT_FLAG_CUSTOM_IO;
        const int rc = avformat_open_input(&raw, nullptr, av_find_input_format("mpeg"), nullptr);
        if (rc < 0) {
            m_title.reset();
            return error = EngineTextUtf8(text::kCannotReadDvdTitle, av::AvErrorText(rc)), false;
        }
    } else {
        const int rc = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
        if (rc < 0) return error = av::AvErrorText(rc), false;
    }
    m_ctx.reset(raw);
    return true;
}

int CJobInput::ReadPacket(AVPacket* pkt)
{
    if (av::AllocationFails(av::AllocSite::PacketRead)) return AVERROR(ENOMEM);
    const int rc = av_read_frame(m_ctx.get(), pkt);
    if (rc < 0 || !m_title) return rc;
    const int64_t ts = pkt->dts != AV_NOPTS_VALUE ? pkt->dts : pkt->pts;
    if (ts == AV_NOPTS_VALUE) return rc;
    const AVRational tb = m_ctx->streams[pkt->stream_index]->time_base;
    if (m_clocks.size() < m_ctx->nb_streams) m_clocks.resize(m_ctx->nb_streams);
    // Each stream is followed on its own: a cell's sound may still arrive
    // after the next cell's first picture.
    Clock& c = m_clocks[size_t(pkt->stream_index)];
    int64_t at = av_rescale_q(ts, tb, AV_TIME_BASE_Q) + c.offset;
    if (c.started && at < c.last - AV_TIME_BASE / 2) {
        // The clock started again: continue from where this stream had got to.
        c.offset += c.end - at;
        at = c.end;
    }
    c.started = true;
    c.last = at;
    const int64_t shift = av_rescale_q(c.offset, AV_TIME_BASE_Q, tb);
    if (pkt->pts != AV_NOPTS_VALUE) pkt->pts += shift;
    if (pkt->dts != AV_NOPTS_VALUE) pkt->dts += shift;
    c.end = std::max(c.end, at + av_rescale_q(std::max<int64_t>(pkt->duration, 0), tb, AV_TIME_BASE_Q));
    return rc;
}

}  // namespace mediaeng::job

namespace mediaeng::job {

std::filesystem::path NamingPathOf(const std::wstring& sourcePath)
{
    const std::string path = WideToUtf8(sourcePath);
    std::string disc;
    int title = 0;
    if (!mediaeng::ParseDvdTitlePath(path, &disc, &title)) return std::filesystem::path(path);
    std::filesystem::path folder = std::filesystem::path(disc).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    if (EqualsNoCase(folder.filename().wstring(), L"VIDEO_TS")) folder = folder.parent_path();
    std::string name = folder.filename().string();
    if (name.empty()) name = "dvd";
    return folder.parent_path() / (name + "_title" + std::to_string(title));
}

bool IsPictureInput(const AVFormatContext* ctx)
{
    if (!ctx || !ctx->iformat) return false;
    const std::string name = ctx->iformat->name;
    return name == "image2" || (name.size() > 5 && name.compare(name.size() - 5, 5, "_pipe") == 0);  // an animated GIF is a clip
}

}  // namespace mediaeng::job
