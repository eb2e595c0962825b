#pragma once
// Pictures of one size and pixel format taken from a pool of buffers instead
// of fresh memory for every frame: a fresh 1080p picture costs page faults on
// every one of its pages. Each plane is padded for libswscale's vector code,
// which may write a little past the last row. A picture handed out keeps its
// buffers alive on its own; they return to the pool when its last reference
// goes, from any thread, even after the pool itself is gone.
#include "mediaeng/av/AvHandles.h"

struct AVBufferPool;

namespace mediaeng::av {

class CFramePool {
public:
    CFramePool() = default;
    ~CFramePool();
    CFramePool(const CFramePool&) = delete;
    CFramePool& operator=(const CFramePool&) = delete;

    // A writable picture; null when out of memory. A new size or format
    // starts a new pool.
    FramePtr Get(int width, int height, AVPixelFormat format);

private:
    bool Reset(int width, int height, AVPixelFormat format);
    void Release();

    int m_width = 0, m_height = 0;
    AVPixelFormat m_format = AV_PIX_FMT_NONE;
    int m_linesize[4] = {};
    size_t m_planeBytes[4] = {};
    AVBufferPool* m_pools[4] = {};
};

}  // namespace mediaeng::av
