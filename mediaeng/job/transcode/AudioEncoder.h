#pragma once
// The output's audio stream: converts the source's samples to the encoder's
// format, rate and channels (libswresample), cuts them into the encoder's
// frame size and encodes them; unsupported settings are replaced by the
// nearest supported ones, with a warning.
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/transcode/PacketSink.h"
extern "C" {
#include <libavutil/audio_fifo.h>
}
#include <string>
#include <vector>

namespace mediaeng::job {

struct CAudioInput {
    int sampleRate = 44100;
    AVChannelLayout layout = AV_CHANNEL_LAYOUT_STEREO;
    AVSampleFormat format = AV_SAMPLE_FMT_FLTP;
};

class CAudioEncoder {
public:
    ~CAudioEncoder();
    bool Open(AVFormatContext* oc, const CAudioOutput& settings, const CAudioInput& input,
              std::vector<std::wstring>& warnings, std::string& error);
    // Adds source samples; null drains everything left.
    bool Encode(const AVFrame* src, IPacketSink& sink, std::string& error);
    int64_t SamplesWritten() const { return m_written; }
    int SampleRate() const;

private:
    bool SendFrames(bool flush, IPacketSink& sink, std::string& error);
    bool Drain(IPacketSink& sink, std::string& error);

    av::CodecCtxPtr m_ctx;
    AVStream* m_stream = nullptr;
    av::SwrPtr m_swr;
    AVAudioFifo* m_fifo = nullptr;
    int m_frameSize = 1024;
    int64_t m_written = 0;
    av::PacketPtr m_packet = av::MakePacket();
};

}  // namespace mediaeng::job
