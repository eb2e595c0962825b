#include "engine/FrameFilters.h"
#include "mediaeng/frame/FilterProgram.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/FrameFilterSettingsObj.h"
#include "mediaeng/frame/RgbInput.h"

using namespace mediaeng::frame;

struct CMngFrameFilters::Impl {
    CFilterProgram program;
    CRgbInput rgb;
    CFrameOutput out;
    std::vector<BYTE> spare;  // second buffer for passes that cannot work in place
    BITMAPINFOHEADER inPlaceHdr;
    FrameFilterSettings values;
    bool compiled = false;
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
        return marks ? DrawMarks(cbFormat, pFormat, cbData, pData, in, rtTime, rtDuration) : S_OK;
    }
    // Both buffers get the picture's header; the passes alternate between them.
    const PixelView a = s.out.Prepare(in.hdr, true, in.data);
    if (filters) {
        if (s.program.PassCount() > 1 && s.spare.size() < PictureBytes(in.hdr)) s.spare.resize(PictureBytes(in.hdr));
        const PixelView b = s.program.PassCount() > 1 ? ViewOf(in.hdr, s.spare.data()) : a;
        const PixelView result = s.program.Run(in.View(), a, b);
        if (result.top != a.top) CopyRect(result, 0, 0, a);
    } else {
        CopyRect(in.View(), 0, 0, a);
    }
    s.out.Publish(cbFormat, pFormat, cbData, pData);
    return marks ? DrawMarks(cbFormat, pFormat, cbData, pData, in, rtTime, rtDuration) : S_OK;
}

HRESULT CMngFrameFilters::DrawMarks(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData,
                                    const mediaeng::frame::FrameIn& in, REFERENCE_TIME rtTime,
                                    REFERENCE_TIME rtDuration)
{
    tag_DRAW_WATERMARK_INFO info;
    info.rtTime = rtTime;
    info.rtDuration = rtDuration;
    info.bIgnoreTiming = 0;
    const RECT image{0, 0, in.Width(), in.Height()};
    m_watermarks.SetImageSize(image, 1.0, SIZE{in.Width(), in.Height()});
    return m_watermarks.Draw(cbFormat, pFormat, cbData, pData, &info);
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
