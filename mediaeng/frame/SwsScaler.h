#pragma once
// libswscale behind one call: any picture the engine reads, or a rectangle of
// an RGB picture, scaled and converted into a packed BGR view.
#include "mediaeng/frame/FrameBuffer.h"

struct SwsContext;

namespace mediaeng::frame {

class CSwsScaler {
public:
    CSwsScaler() = default;
    ~CSwsScaler();
    CSwsScaler(const CSwsScaler&) = delete;
    CSwsScaler& operator=(const CSwsScaler&) = delete;

    // srcRect (RGB sources only) limits the source; null takes it whole.
    // swsFlags are libswscale's SWS_* scaler flags.
    HRESULT Scale(const FrameIn& in, const RECT* srcRect, const PixelView& dst, int swsFlags);

private:
    SwsContext* m_ctx = nullptr;
};

// Copies the RGB source rectangle into dst of the same size (no scaling).
void CopyRect(const PixelView& src, int x, int y, const PixelView& dst);

}  // namespace mediaeng::frame
