#pragma once
// Decodes the pictures of a clip (or a still picture, or a DVD title) at given
// times, for the image output: each time gives the picture shown then.
#include "mediaeng/job/AvHandles.h"
#include "mediaeng/job/JobInput.h"
#include <string>

namespace job {

class CFrameGrabber {
public:
    // nth: the video stream among the file's video streams.
    bool Open(const std::wstring& path, int nth, std::string& error);
    bool IsPicture() const { return IsPictureInput(m_input.get()); }
    double Duration() const { return m_duration; }
    // The picture shown at time (the last one starting at or before it); null
    // when there is none.
    FramePtr Grab(double time);

private:
    CJobInput m_input;
    CodecCtxPtr m_ctx;
    int m_index = -1;
    double m_origin = 0, m_duration = 0;
};

}  // namespace job
