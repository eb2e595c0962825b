#include "mediaeng/probe/FormatContext.h"

namespace mediaeng {

int OpenBounded(const std::string& url, AVIOContext* pb, CInterruptGuard& guard, FormatContextPtr& out)
{
    out.reset();
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) return AVERROR(ENOMEM);
    guard.Attach(raw);
    raw->probesize = 8 * 1024 * 1024;
    raw->max_analyze_duration = 10 * AV_TIME_BASE;
    raw->format_probesize = 1024 * 1024;
    if (pb) {
        raw->pb = pb;
        raw->flags |= AVFMT_FLAG_CUSTOM_IO;
    }
    int err = avformat_open_input(&raw, url.c_str(), nullptr, nullptr);  // frees raw on failure
    if (err < 0) return err;
    out.reset(raw);
    err = avformat_find_stream_info(raw, nullptr);
    if (err < 0) out.reset();
    return err;
}

}  // namespace mediaeng
