#include "mediaeng/av/FramePool.h"
#include "mediaeng/av/ScalerSlack.h"
extern "C" {
#include <libavutil/buffer.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}

namespace mediaeng::av {

namespace {

constexpr int kAlign = 64;

}  // namespace

CFramePool::~CFramePool() { Release(); }

void CFramePool::Release()
{
    for (AVBufferPool*& p : m_pools) av_buffer_pool_uninit(&p);  // frees once every buffer is back
    m_width = m_height = 0;
    m_format = AV_PIX_FMT_NONE;
}

bool CFramePool::Reset(int width, int height, AVPixelFormat format)
{
    Release();
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
    if (!desc || width <= 0 || height <= 0) return false;
    // Each row rounded up so that vector code may read and write whole blocks.
    if (av_image_fill_linesizes(m_linesize, format, FFALIGN(width, kAlign)) < 0) return false;
    for (int p = 0; p < 4; ++p) m_linesize[p] = FFALIGN(m_linesize[p], kAlign);
    ptrdiff_t linesizes[4];
    for (int p = 0; p < 4; ++p) linesizes[p] = m_linesize[p];
    size_t sizes[4] = {};
    if (av_image_fill_plane_sizes(sizes, format, height, linesizes) < 0) return false;
    for (int p = 0; p < 4; ++p) {
        m_planeBytes[p] = sizes[p];
        if (!sizes[p]) continue;
        m_pools[p] = av_buffer_pool_init(sizes[p] + kScalerSlack + kAlign, av_buffer_alloc);
        if (!m_pools[p]) return Release(), false;
    }
    m_width = width;
    m_height = height;
    m_format = format;
    return true;
}

FramePtr CFramePool::Get(int width, int height, AVPixelFormat format)
{
    if ((width != m_width || height != m_height || format != m_format) && !Reset(width, height, format))
        return nullptr;
    if (AllocationFails(AllocSite::FrameBuffer)) return nullptr;
    FramePtr f = MakeFrame();
    if (!f) return nullptr;
    f->width = width;
    f->height = height;
    f->format = format;
    for (int p = 0; p < 4 && m_pools[p]; ++p) {
        f->buf[p] = av_buffer_pool_get(m_pools[p]);
        if (!f->buf[p]) return nullptr;
        f->data[p] = f->buf[p]->data;
        f->linesize[p] = m_linesize[p];
    }
    return f;
}

}  // namespace mediaeng::av
