#include "mediaeng/job/transcode/TurnFirstEdit.h"
#include "mediaeng/frame/PlanarTurn.h"
#include "mediaeng/job/transcode/DecodedPicture.h"
extern "C" {
#include <libavutil/pixdesc.h>
}

namespace mediaeng::job {

namespace {

// A turn swaps the two directions of chroma subsampling: only pictures whose
// chroma is subsampled alike in both stay in their format.
bool TurnsOnPlanes(const AVFrame& f)
{
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(f.format));
    return IsPlanarYuv(AVPixelFormat(f.format)) && d && d->log2_chroma_w == d->log2_chroma_h;
}

}  // namespace

CTurnFirstEdit::CTurnFirstEdit(const CFrameChainSettings& settings)
    : m_quarter(((settings.rotateDegrees / 90) % 4 + 4) % 4),
      m_flipH(settings.flipH != 0),
      m_flipV(settings.flipV != 0),
      m_whole(std::make_unique<CFrameChainEdit>(settings))
{
    CFrameChainSettings rest = settings;
    rest.rotateDegrees = 0;
    rest.flipH = rest.flipV = 0;
    m_rest = rest.MakeStage();
}

HRESULT CTurnFirstEdit::Process(av::FramePtr& frame, double time)
{
    if (!frame || frame->width <= 0 || frame->height <= 0) return E_INVALIDARG;
    if (!TurnsOnPlanes(*frame)) return m_whole->Process(frame, time);
    int w = 0, h = 0;
    frame::TurnedSize(m_quarter, frame->width, frame->height, w, h);
    av::FramePtr turned = m_pool.Get(w, h, AVPixelFormat(frame->format));
    if (!turned) return E_OUTOFMEMORY;
    av_frame_copy_props(turned.get(), frame.get());
    if (!frame::TurnPlanar(PlanarOf(*frame), PlanarOf(*turned), m_quarter, m_flipH, m_flipV)) return E_FAIL;
    frame = std::move(turned);
    return m_rest->Process(frame, time);
}

void CTurnFirstEdit::OutputFormat(int& width, int& height, AVPixelFormat& format) const
{
    m_whole->OutputFormat(width, height, format);
}

}  // namespace mediaeng::job
