#include "mediaeng/probe/StreamNumbering.h"
#include "engine/EngineNode.h"
#include "engine/MediaSourceKeys.h"
#include "platform/Variant.h"
#include <string>

namespace mediaeng {

namespace {
// Beyond this a picture size is damage, not media.
constexpr int kMaxPictureSide = 65536;
}  // namespace

bool CountsAsStream(const AVStream* st, AVMediaType type)
{
    const AVCodecParameters* par = st->codecpar;
    if (par->codec_type != type || par->codec_id == AV_CODEC_ID_NONE) return false;
    if (type == AVMEDIA_TYPE_VIDEO)
        return par->width > 0 && par->height > 0 && par->width <= kMaxPictureSide &&
               par->height <= kMaxPictureSide && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC);
    if (type == AVMEDIA_TYPE_AUDIO) return par->sample_rate > 0;
    return false;
}

int NthStream(const AVFormatContext* ctx, AVMediaType type, int nth)
{
    if (nth < 0 || !ctx) return -1;
    int seen = 0;
    for (unsigned i = 0; i < ctx->nb_streams; ++i)
        if (CountsAsStream(ctx->streams[i], type) && seen++ == nth) return int(i);
    return -1;
}

int ChosenStream(IEngineNode* source, const wchar_t* prefix)
{
    bool listed = false;
    for (int n = 0; n < sourcekey::kStreamSwitches && source; ++n) {
        CVariant raw, v;
        const std::wstring key = sourcekey::StreamSwitch(prefix, n);
        if (FAILED(source->GetValue(key.c_str(), &raw)) || raw.vt == VT_EMPTY) continue;
        if (FAILED(VariantChangeType(&v, &raw, VT_I4))) continue;
        if (v.lVal > 0) return n;
        listed = listed || v.lVal == 0;
    }
    return listed ? -1 : 0;
}

}  // namespace mediaeng
