#include "mediaeng/job/operations/ContactSheet.h"
#include <algorithm>
#include <cstring>

namespace mediaeng::job {

bool CContactSheet::Start(int cellWidth, int cellHeight)
{
    if (m_cellW == 0) {
        m_cellW = cellWidth;
        m_cellH = cellHeight;
    }
    m_sheet = av::MakeFrame();
    if (!m_sheet) return false;
    m_sheet->format = AV_PIX_FMT_RGB24;
    m_sheet->width = m_cellW * m_cols;
    m_sheet->height = m_cellH * m_rows;
    if (av_frame_get_buffer(m_sheet.get(), 0) < 0) return false;
    for (int y = 0; y < m_sheet->height; ++y) std::memset(m_sheet->data[0] + y * m_sheet->linesize[0], 0, size_t(m_sheet->width) * 3);
    m_used = 0;
    return true;
}

bool CContactSheet::Add(const AVFrame* rgb)
{
    if (!rgb || rgb->width <= 0 || rgb->height <= 0) return false;
    if ((!m_sheet || Full()) && !Start(rgb->width, rgb->height)) return false;
    const double scale = std::min(double(m_cellW) / rgb->width, double(m_cellH) / rgb->height);
    const int w = std::max(1, int(rgb->width * scale + 0.5)), h = std::max(1, int(rgb->height * scale + 0.5));
    const int col = m_used % m_cols, row = m_used / m_cols;
    const int x = col * m_cellW + (m_cellW - w) / 2, y = row * m_cellH + (m_cellH - h) / 2;
    m_sws.reset(sws_getCachedContext(m_sws.release(), rgb->width, rgb->height, AV_PIX_FMT_RGB24, w, h, AV_PIX_FMT_RGB24,
                                     SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!m_sws) return false;
    uint8_t* dst[4] = {m_sheet->data[0] + y * m_sheet->linesize[0] + x * 3, nullptr, nullptr, nullptr};
    const int dstStride[4] = {m_sheet->linesize[0], 0, 0, 0};
    if (sws_scale(m_sws.get(), rgb->data, rgb->linesize, 0, rgb->height, dst, dstStride) <= 0) return false;
    ++m_used;
    return true;
}

av::FramePtr CContactSheet::Take()
{
    m_used = 0;
    return std::move(m_sheet);
}

}  // namespace mediaeng::job
