#include "engine/FrameFilters.h"
#include "mediaeng/frame/BandedScaler.h"
#include "mediaeng/frame/FilterProgram.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/FrameFilterSettingsObj.h"
#include "mediaeng/frame/ParallelRows.h"
#include "mediaeng/frame/RgbInput.h"
#include <cstring>

using namespace mediaeng::frame;

struct CMngFrameFilters::Impl {
    CFilterProgram program;
    CRgbInput rgb;
    CFrameOutput out;
    std::vector<BYTE> spare;  // second buffer for passes that cannot work in place
    BITMAPINFOHEADER inPlaceHdr;
    FrameFilterSettings values;
    bool compiled = false;
    // Tables for YUV pictures, by range (limited, full); made at first use.
    struct PlanarTables {
        bool made = false, usable = false;
        PlaneCurve luma, chroma;
    } planar[2];
    const PlanarTables& PlanarFor(bool fullRange)
    {
        PlanarTables& t = planar[fullRange ? 1 : 0];
        if (!t.made)
            t.usable = program.IsIdentity() ||
                       program.PlanarLuts(fullRange, GreyRoundTrip(fullRange ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P),
                                          t.luma, t.chroma);
        t.made = true;
        return t;
    }
};

CMngFrameFilters::CMngFrameFilters() : m_impl(std::make_unique<Impl>()) {}
CMngFrameFilters::~CMngFrameFilters() = default;

HRESULT CMngFrameFilters::SetFilters(IUnknown* settings)
{
    FrameFilterSettings values;
    if (!ReadFilterObject(settings, values)) return E_NOINTERFACE;
    return SetFilterValues(values);
}

HRESULT CMngFrameFilters::SetFilterValues(const FrameFilterSettings& values)
{
    // The preview hands the same values with every frame: compile them once.
    if (m_impl->compiled && values == m_impl->values) return S_OK;
    m_impl->program.Compile(values);
    m_impl->values = values;
    m_impl->planar[0] = m_impl->planar[1] = Impl::PlanarTables{};
    m_impl->compiled = true;
    return S_OK;
}

HRESULT CMngFrameFilters::ConvertForItem(int, int, DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData,
                                         CGalleryItemBase*, REFERENCE_TIME rtTime, REFERENCE_TIME rtDuration)
{
    FrameIn in;
    HRESULT hr = ReadRecord(cbFormat, pFormat, cbData, pData, in);
    if (FAILED(hr)) return hr;
    Impl& s = *m_impl;
    const bool filters = !s.program.IsIdentity();
    const bool marks = !m_watermarks.IsEmpty();
    if (!filters && !marks) return S_OK;
    if (!in.hasData) return S_OK;  // neither changes the geometry
    hr = s.rgb.Make(in);
    if (FAILED(hr)) return hr;
    if (IsEngineBlock(in.data) && (!filters || s.program.WorksInPlace())) {
        // A working copy of an earlier operation is filtered and drawn on where it is.
        if (filters) s.program.Run(in.View(), in.View(), in.View());
        // The record may have come as YUV and now be the RGB copy made above.
        *cbFormat = sizeof(BITMAPINFOHEADER);
        s.inPlaceHdr = in.hdr;
        *pFormat = reinterpret_cast<BYTE*>(&s.inPlaceHdr);
        *cbData = in.cbData;
        *pData = in.data;
        return marks ? DrawMarks(cbFormat, pFormat, cbData, pData, in.Width(), in.Height(), rtTime, rtDuration) : S_OK;
    }
    // Both buffers get the picture's header; the passes alternate between them.
    const PixelView a = s.out.Prepare(in.hdr, true, in.data);
    if (filters) {
        if (s.program.PassCount() > 1 && s.spare.size() < PictureBytes(in.hdr)) s.spare.resize(PictureBytes(in.hdr));
        const PixelView b = s.program.PassCount() > 1 ? ViewOf(in.hdr, s.spare.data()) : a;
        // The passes alternate from the first buffer handed: an even count
        // starts in the spare one, so the last lands in the output.
        const bool even = s.program.PassCount() % 2 == 0;
        const PixelView result = s.program.Run(in.View(), even ? b : a, even ? a : b);
        if (result.top != a.top) CopyRect(result, 0, 0, a);
    } else {
        CopyRect(in.View(), 0, 0, a);
    }
    s.out.Publish(cbFormat, pFormat, cbData, pData);
    return marks ? DrawMarks(cbFormat, pFormat, cbData, pData, in.Width(), in.Height(), rtTime, rtDuration) : S_OK;
}

HRESULT CMngFrameFilters::DrawMarks(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData, int width,
                                    int height, REFERENCE_TIME rtTime, REFERENCE_TIME rtDuration)
{
    tag_DRAW_WATERMARK_INFO info;
    info.rtTime = rtTime;
    info.rtDuration = rtDuration;
    info.bIgnoreTiming = 0;
    const RECT image{0, 0, width, height};
    m_watermarks.SetImageSize(image, 1.0, SIZE{width, height});
    return m_watermarks.Draw(cbFormat, pFormat, cbData, pData, &info);
}

namespace {

// src into dst through the curves (a copy without them), the three planes
// in one pass of the row workers: each takes its luma rows and the chroma
// rows they cover.
void CopyPlanes(const PlanarView& src, const PlanarView& dst, const PlaneCurve* luma, const PlaneCurve* chroma)
{
    const int h = src.height, sy = src.chromaShiftY;
    ParallelRows(h, static_cast<long long>(src.width) * h, [&](int y0, int y1) {
        for (int p = 0; p < 3; ++p) {
            const PlaneCurve* curve = p ? chroma : luma;
            const int shift = p ? sy : 0, round = (1 << shift) - 1;
            const int w = src.PlaneWidth(p);
            for (int y = (y0 + round) >> shift, end = (y1 + round) >> shift; y < end; ++y) {
                const BYTE* sr = src.Row(p, y);
                BYTE* dr = dst.Row(p, y);
                if (curve)
                    curve->Apply(sr, dr, w);
                else if (sr != dr)
                    std::memmove(dr, sr, static_cast<size_t>(w));
            }
        }
    });
}

// The FFmpeg format of a decoder picture seen as planes.
AVPixelFormat FormatOf(const PlanarView& v)
{
    const int kind = v.chromaShiftY ? 0 : v.chromaShiftX ? 1 : 2;  // 4:2:0, 4:2:2, 4:4:4
    static constexpr AVPixelFormat kLimited[3] = {AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUV422P, AV_PIX_FMT_YUV444P};
    static constexpr AVPixelFormat kFull[3] = {AV_PIX_FMT_YUVJ420P, AV_PIX_FMT_YUVJ422P, AV_PIX_FMT_YUVJ444P};
    return v.fullRange ? kFull[kind] : kLimited[kind];
}

PlaneSet PlanesOf(const PlanarView& v)
{
    PlaneSet p;
    for (int i = 0; i < 3; ++i) {
        p.data[i] = v.data[i];
        p.stride[i] = int(v.stride[i]);
    }
    return p;
}

}  // namespace

bool CMngFrameFilters::WorksOnPlanar() const
{
    return m_impl->program.IsIdentity() || m_impl->PlanarFor(false).usable || m_impl->program.WorksOnPlanar();
}

HRESULT CMngFrameFilters::FilterPlanar(const PlanarView& src, const PlanarView& dst)
{
    if (!src.data[0] || !dst.data[0] || src.width != dst.width || src.height != dst.height ||
        src.chromaShiftX != dst.chromaShiftX || src.chromaShiftY != dst.chromaShiftY)
        return E_INVALIDARG;
    Impl& s = *m_impl;
    const Impl::PlanarTables& t = s.PlanarFor(src.fullRange);
    if (!t.usable) {
        // Curves that are not straight lines, hue, colour balance: per pixel
        // in RGB, a strip at a time.
        if (!s.program.WorksOnPlanar()) return E_NOTIMPL;
        const CFilterProgram& program = s.program;
        const bool ok = EditAsRgbStrips(PlanesOf(src), PlanesOf(dst), FormatOf(src), src.width, src.height,
                                        [&program](uint8_t* bgr, int stride, int width, int rows) {
                                            PixelView v;
                                            v.top = bgr;
                                            v.stride = stride;
                                            v.width = width;
                                            v.height = rows;
                                            v.bpp = 3;
                                            program.RunPixelRows(v);
                                        });
        return ok ? S_OK : E_FAIL;
    }
    const bool filters = !s.program.IsIdentity();
    CopyPlanes(src, dst, filters ? &t.luma : nullptr, filters ? &t.chroma : nullptr);
    return S_OK;
}

HRESULT CMngFrameFilters::DrawMarksPlanar(const PlanarView& pic, REFERENCE_TIME rtTime, REFERENCE_TIME rtDuration)
{
    if (m_watermarks.IsEmpty()) return S_OK;
    tag_DRAW_WATERMARK_INFO info;
    info.rtTime = rtTime;
    info.rtDuration = rtDuration;
    info.bIgnoreTiming = 0;
    const RECT image{0, 0, pic.width, pic.height};
    m_watermarks.SetImageSize(image, 1.0, SIZE{pic.width, pic.height});
    return m_watermarks.DrawPlanar(pic, &info);
}

HRESULT CMngFrameFilters::StartExtraProcessing()
{
    m_bExtraProcessing = 1;
    return m_watermarks.StartExtraProcessing();
}

HRESULT CMngFrameFilters::EndExtraProcessing()
{
    m_bExtraProcessing = 0;
    return m_watermarks.EndExtraProcessing();
}
