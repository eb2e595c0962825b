#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/av/ScalerSlack.h"
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

namespace mediaeng::frame {

PixelFormat FormatOf(const BITMAPINFOHEADER& h)
{
    switch (h.biCompression) {
    case BI_RGB:
        if (h.biBitCount == 24) return PixelFormat::Bgr24;
        if (h.biBitCount == 32) return PixelFormat::Bgr32;
        return PixelFormat::Unknown;
    case FOURCC_I420: return PixelFormat::I420;
    case FOURCC_YV12: return PixelFormat::YV12;
    case FOURCC_NV12: return PixelFormat::NV12;
    case FOURCC_YUY2: return PixelFormat::YUY2;
    case FOURCC_UYVY: return PixelFormat::UYVY;
    default: return PixelFormat::Unknown;
    }
}

bool IsRgb(PixelFormat f) { return f == PixelFormat::Bgr24 || f == PixelFormat::Bgr32; }

size_t PictureBytes(const BITMAPINFOHEADER& h)
{
    if (h.biWidth <= 0 || h.biWidth > kMaxFrameSide || h.biHeight == 0 || h.biHeight < -kMaxFrameSide ||
        h.biHeight > kMaxFrameSide)
        return 0;
    const size_t w = static_cast<size_t>(h.biWidth);
    const size_t ht = static_cast<size_t>(std::abs(h.biHeight));
    switch (FormatOf(h)) {
    case PixelFormat::Bgr24: return DibStride(h.biWidth, 24) * ht;
    case PixelFormat::Bgr32: return w * 4 * ht;
    case PixelFormat::I420:
    case PixelFormat::YV12:
    case PixelFormat::NV12: return w * ht + 2 * (((w + 1) / 2) * ((ht + 1) / 2));
    case PixelFormat::YUY2:
    case PixelFormat::UYVY: return ((w + 1) / 2) * 4 * ht;
    default: return 0;
    }
}

PixelView ViewOf(const BITMAPINFOHEADER& h, BYTE* data)
{
    PixelView v;
    v.width = h.biWidth;
    v.height = std::abs(h.biHeight);
    v.bpp = h.biBitCount / 8;
    const std::ptrdiff_t stride = DibStride(h.biWidth, h.biBitCount);
    if (!data) return v;
    if (h.biHeight > 0) {
        v.top = data + stride * (v.height - 1);
        v.stride = -stride;
    } else {
        v.top = data;
        v.stride = stride;
    }
    return v;
}

BITMAPINFOHEADER MakeRgbHeader(int width, int height, int bpp, bool bottomUp)
{
    BITMAPINFOHEADER h;
    h.biWidth = width;
    h.biHeight = bottomUp ? height : -height;
    h.biBitCount = static_cast<WORD>(bpp * 8);
    h.biCompression = BI_RGB;
    h.biSizeImage = DibStride(width, h.biBitCount) * static_cast<DWORD>(height);
    return h;
}

HRESULT ReadRecord(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData, FrameIn& out)
{
    if (!cbFormat || !pFormat || !*pFormat) return E_POINTER;
    if (*cbFormat < sizeof(BITMAPINFOHEADER)) return E_INVALIDARG;
    std::memcpy(&out.hdr, *pFormat, sizeof(BITMAPINFOHEADER));
    out.format = FormatOf(out.hdr);
    const size_t need = PictureBytes(out.hdr);
    if (need == 0) return E_INVALIDARG;
    out.hasData = cbData && pData && *pData && *cbData > 0;
    out.data = out.hasData ? *pData : nullptr;
    out.cbData = out.hasData ? *cbData : 0;
    if (out.hasData && out.cbData < need) return E_INVALIDARG;
    return S_OK;
}

namespace {

std::mutex& BlockMutex()
{
    static std::mutex m;
    return m;
}

std::set<const BYTE*>& Blocks()
{
    static std::set<const BYTE*> blocks;
    return blocks;
}

void Track(const BYTE* before, const BYTE* after)
{
    if (before == after) return;
    std::lock_guard<std::mutex> lk(BlockMutex());
    if (before) Blocks().erase(before);
    if (after) Blocks().insert(after);
}

}  // namespace

bool IsEngineBlock(const BYTE* data)
{
    if (!data) return false;
    std::lock_guard<std::mutex> lk(BlockMutex());
    return Blocks().count(data) != 0;
}

CFrameOutput::~CFrameOutput()
{
    for (auto& d : m_data) Track(d.empty() ? nullptr : d.data(), nullptr);
}

PixelView CFrameOutput::Prepare(const BITMAPINFOHEADER& hdr, bool withData, const BYTE* avoid)
{
    int next = m_cur;
    if (!m_data[next].empty() && m_data[next].data() == avoid) next ^= 1;
    m_cur = next;
    m_hdr[m_cur] = hdr;
    m_hdr[m_cur].biSize = sizeof(BITMAPINFOHEADER);
    m_withData = withData;
    if (!withData) return ViewOf(hdr, nullptr);
    const size_t need = PictureBytes(hdr);
    if (m_data[m_cur].size() < need + av::kScalerSlack) {
        const BYTE* before = m_data[m_cur].empty() ? nullptr : m_data[m_cur].data();
        // Slack past the end: libswscale may write a little beyond the last row.
        m_data[m_cur].resize(need + av::kScalerSlack);
        Track(before, m_data[m_cur].data());
    }
    m_hdr[m_cur].biSizeImage = static_cast<DWORD>(need);
    return ViewOf(hdr, m_data[m_cur].data());
}

void CFrameOutput::Publish(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData)
{
    *cbFormat = sizeof(BITMAPINFOHEADER);
    *pFormat = reinterpret_cast<BYTE*>(&m_hdr[m_cur]);
    if (m_withData && cbData && pData) {
        *cbData = static_cast<DWORD>(PictureBytes(m_hdr[m_cur]));
        *pData = m_data[m_cur].data();
    }
}

}  // namespace mediaeng::frame
