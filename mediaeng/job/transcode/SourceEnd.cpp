#include "mediaeng/job/transcode/SourceEnd.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/probe/StreamNumbering.h"
extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/error.h>
}
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cwchar>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

CPacketRead ClassifyRead(int rc, bool lastCorrupt)
{
    if (rc >= 0) return CPacketRead::Packet;
    if (rc == AVERROR_EOF) return lastCorrupt ? CPacketRead::Damaged : CPacketRead::End;
    if (rc == AVERROR(EIO) || rc == AVERROR_INVALIDDATA) return CPacketRead::Damaged;
    return CPacketRead::Failed;
}

double DeclaredEnd(const AVFormatContext* ctx)
{
    constexpr double kMaxSeconds = 1e6;  // beyond this a header is damage
    double end = 0;
    if (ctx->duration > 0 && ctx->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE)
        end = double(ctx->duration) / AV_TIME_BASE;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream* st = ctx->streams[i];
        const double fps = av_q2d(st->avg_frame_rate);
        if (st->nb_frames > 0 && fps > 0 && mediaeng::CountsAsStream(st, AVMEDIA_TYPE_VIDEO))
            end = std::max(end, double(st->nb_frames) / fps);
    }
    return end < kMaxSeconds ? end : 0;
}

double EarlyEnd(CPacketRead how, double reached, double wanted)
{
    const bool known = wanted > 0 && std::isfinite(wanted);
    if (how == CPacketRead::Damaged) return std::max(0.0, reached);
    if (how == CPacketRead::End && known && reached < wanted - kEarlyEndSlack) return std::max(0.0, reached);
    return -1;
}

std::wstring EndsEarlyText(double seconds)
{
    return EngineText(text::kEndsEarly, seconds);
}

}  // namespace mediaeng::job
