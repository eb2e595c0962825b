#pragma once
// Decodes the pictures of a clip (or a still picture, or a DVD title) at given
// times, for the image output: each time gives the picture shown then.
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/job/transcode/JobInput.h"
#include <string>

namespace mediaeng::job {

class CFrameGrabber {
public:
    // nth: the video stream among the file's video streams.
    bool Open(const std::wstring& path, int nth, std::string& error);
    bool IsPicture() const { return IsPictureInput(m_input.get()); }
    double Duration() const { return m_duration; }
    // The picture shown at time (the last one starting at or before it); null
    // when there is none.
    av::FramePtr Grab(double time);  // upright, as players show it

private:
    av::FramePtr Keep(av::FramePtr frame);
    av::FramePtr GrabStored(double time);  // as the file stores it

    CJobInput m_input;
    av::CodecCtxPtr m_ctx;
    int m_index = -1;
    double m_origin = 0, m_duration = 0;
    double m_lastTime = -1;  // the time of the last grab
    int m_turn = 0;          // clockwise degrees that show the pictures upright
    av::FramePtr m_held;         // a DVD title: the picture read last, not handed out yet or handed out again
};

}  // namespace mediaeng::job
