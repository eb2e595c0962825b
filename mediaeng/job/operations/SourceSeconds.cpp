#include "mediaeng/job/operations/SourceSeconds.h"
#include "mediaeng/job/transcode/JobInput.h"
#include "platform/TextConv.h"

namespace mediaeng::job {

double SourceSeconds(const CJobSource& source)
{
    if (source.duration > 0) return source.duration;
    CJobInput in;
    std::string error;
    if (!in.Open(WideToUtf8(source.path), error) || avformat_find_stream_info(in.get(), nullptr) < 0) return 0;
    if (in.TitleDuration() > 0) return in.TitleDuration();
    return in->duration > 0 ? double(in->duration) / AV_TIME_BASE : 0;
}

}  // namespace mediaeng::job
