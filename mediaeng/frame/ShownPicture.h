#pragma once
// The preview's picture at its shown size, made where it costs least, with
// the pixels of turning, cropping, erasing and then scaling at the source's
// size: the source is read in place and scaled once from the part the crop
// keeps; the eraser works on a copy of the few rows it touches, in the turned
// picture's coordinates as the conversion erases; a half turn and the flips
// follow at the shown size. A quarter turn is made first, of the kept part
// alone (libswscale filters its two directions a little differently).
#include "engine/EditChain.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/RgbInput.h"
#include "mediaeng/frame/SwsScaler.h"
#include <vector>

namespace mediaeng::frame {

class CShownPicture {
public:
    // Whether this route gives the chain's picture (the eraser's crop kind
    // changes the picture's size and is left to the full-size steps).
    static bool Handles(const EditChain& chain) { return chain.eraser.nType != ERASER_CROP; }
    // Makes the width x height 24-bit bottom-up picture of source (never
    // written) under the chain's turn, crop and eraser; the record points at
    // it until the next call.
    HRESULT Make(const FRAME_RECORD& source, const EditChain& chain, int width, int height, FRAME_RECORD& out);

    CShownPicture();

private:
    CRgbInput m_rgb;
    CSwsScaler m_sws;
    std::vector<BYTE> m_band, m_region;
    CFrameOutput m_scaled, m_out;
};

}  // namespace mediaeng::frame
