#include "mediaeng/playback/PlaybackPicture.h"
#include "mediaeng/av/ScalerSlack.h"

namespace mediaeng::playback {

HRESULT CPlaybackPicture::Convert(const AVFrame* frame)
{
    if (!frame || frame->width <= 0 || frame->height <= 0) return E_INVALIDARG;
    if (!m_sws || frame->width != m_srcWidth || frame->height != m_srcHeight || frame->format != m_srcFormat) {
        m_sws.reset(sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
                                   frame->height, AV_PIX_FMT_BGR24, SWS_BICUBIC, nullptr, nullptr, nullptr));
        if (!m_sws) return E_FAIL;
        m_srcWidth = frame->width;
        m_srcHeight = frame->height;
        m_srcFormat = frame->format;
        m_header = BITMAPINFOHEADER{};
        m_header.biWidth = frame->width;
        m_header.biHeight = frame->height;
        m_header.biSizeImage = DibStride(frame->width, 24) * static_cast<DWORD>(frame->height);
        m_data.reserve(size_t(m_header.biSizeImage) + av::kScalerSlack);
        m_data.assign(m_header.biSizeImage, 0);
    }
    // Bottom-up: write the first picture row into the last buffer row and walk back.
    const int stride = static_cast<int>(DibStride(frame->width, 24));
    uint8_t* dst[4] = {m_data.data() + static_cast<size_t>(stride) * (frame->height - 1), nullptr, nullptr, nullptr};
    int dstStride[4] = {-stride, 0, 0, 0};
    int rows = sws_scale(m_sws.get(), frame->data, frame->linesize, 0, frame->height, dst, dstStride);
    return rows == frame->height ? S_OK : E_FAIL;
}

}  // namespace mediaeng::playback
