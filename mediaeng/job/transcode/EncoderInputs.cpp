#include "mediaeng/job/transcode/EncoderInputs.h"

namespace mediaeng::job {

CVideoInput VideoInputOf(const CSourceReader& reader)
{
    const AVCodecContext* d = reader.VideoDecoder();
    CVideoInput in;
    in.width = reader.VideoWidth();
    in.height = reader.VideoHeight();
    in.format = d->pix_fmt == AV_PIX_FMT_NONE ? AV_PIX_FMT_YUV420P : d->pix_fmt;
    in.sar = reader.SampleAspect();
    in.frameRate = reader.FrameRate();
    return in;
}

void AudioInputOf(const CSourceReader& reader, CAudioInput& in)
{
    const AVCodecContext* d = reader.AudioDecoder();
    in.sampleRate = d->sample_rate;
    av_channel_layout_uninit(&in.layout);
    av_channel_layout_copy(&in.layout, &d->ch_layout);
    in.format = d->sample_fmt;
}

}  // namespace mediaeng::job
