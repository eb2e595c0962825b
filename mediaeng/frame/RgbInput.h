#pragma once
// Brings a YUV picture to 24-bit RGB before an operation that works on RGB
// pixels; RGB records pass untouched.
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/SwsScaler.h"

namespace mediaeng::frame {

class CRgbInput {
public:
    // in is updated to describe the RGB picture (header only without data).
    HRESULT Make(FrameIn& in);

private:
    CFrameOutput m_out;
    CSwsScaler m_sws;
};

}  // namespace mediaeng::frame
