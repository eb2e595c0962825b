#include "mediaeng/frame/RgbInput.h"
extern "C" {
#include <libswscale/swscale.h>
}

namespace mediaeng::frame {

HRESULT CRgbInput::Make(FrameIn& in)
{
    if (IsRgb(in.format)) return S_OK;
    const BITMAPINFOHEADER h = MakeRgbHeader(in.Width(), in.Height(), 3, true);
    const PixelView v = m_out.Prepare(h, in.hasData, in.data);
    if (in.hasData) {
        const HRESULT hr = m_sws.Scale(in, nullptr, v, SWS_POINT);
        if (FAILED(hr)) return hr;
        in.data = m_out.Data();
        in.cbData = static_cast<DWORD>(PictureBytes(h));
    }
    in.hdr = h;
    in.format = PixelFormat::Bgr24;
    return S_OK;
}

}  // namespace mediaeng::frame
