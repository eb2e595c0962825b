#pragma once
// The step to a constant frame rate, shared by the conversion and the join:
// pictures come with their times on the output timeline, and output frame n
// shows the latest picture whose time is at or before n / rate. Runs on the
// encoding side; the encoder writes into the packet sink.
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/job/transcode/PacketSink.h"
#include "mediaeng/job/transcode/VideoEncoder.h"
#include <string>

namespace mediaeng::job {

class CConstantRate {
public:
    CConstantRate(CVideoEncoder& enc, IPacketSink& sink) : m_enc(enc), m_sink(sink) {}

    // Shows frame from time on. The frames before it repeat the picture shown
    // last, or this one when none was (a late first picture covers the start).
    bool Show(av::FramePtr frame, double time, std::string& error);
    // Repeats the picture shown last up to time. With none shown, fill (when
    // given and needed) becomes that picture; without it nothing is written.
    bool HoldTo(double time, std::string& error, av::FramePtr fill = nullptr);
    bool Holding() const { return bool(m_prev); }
    // Lets go of the picture shown last (a range ends: the next starts afresh).
    void Release() { m_prev.reset(); }
    // Output seconds written so far.
    double Seconds() const { return double(m_next) / av_q2d(m_enc.FrameRate()); }

private:
    // The first output frame at or after time (a thousandth of a frame of slack
    // for timestamps that are not exact).
    int64_t Slot(double time) const;
    bool RepeatTo(int64_t slot, const AVFrame* picture, std::string& error);

    CVideoEncoder& m_enc;
    IPacketSink& m_sink;
    av::FramePtr m_prev;
    int64_t m_next = 0;
};

}  // namespace mediaeng::job
