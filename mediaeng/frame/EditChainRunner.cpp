#include "engine/EditChainRunner.h"
#include "mediaeng/frame/ShownPicture.h"
#include <algorithm>
#include <cstdlib>

namespace {

bool SameMarks(const std::vector<WatermarkEntry>& a, const std::vector<WatermarkEntry>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const WatermarkEntry& x, const WatermarkEntry& y) {
        return x.key == y.key && x.item.Get() == y.item.Get() && x.desc == y.desc;
    });
}

}  // namespace

struct CEditChainRunner::Shown {
    mediaeng::frame::CShownPicture picture;
};

CEditChainRunner::CEditChainRunner(Use use) : m_use(use) {}
CEditChainRunner::~CEditChainRunner() = default;

CWatermarkEngine& CEditChainRunner::Marks()
{
    // The conversion's marks go with the filters, which draw them at the
    // frame's time; the preview draws its own at the shown scale.
    return m_use == Use::Conversion ? m_filters.Watermarks() : m_shownMarks;
}

void CEditChainRunner::SetChain(const EditChain& chain)
{
    if (m_set && chain.SameAs(m_chain)) return;
    const bool sameMarks = m_set && SameMarks(chain.watermarks, m_chain.watermarks);
    m_chain = chain;
    m_set = true;
    m_rotate.SetAngle(chain.rotateDegrees);
    m_rotate.SetFlip(chain.flipH, chain.flipV);
    m_crop.m_rcCrop = chain.crop;
    m_eraser.SetProperty(chain.Erases() ? &m_chain.eraser : nullptr);
    m_filters.SetFilterValues(chain.filters);
    if (!sameMarks) Marks().SetItems(chain.watermarks);
}

HRESULT CEditChainRunner::Reshape(FRAME_RECORD& r, bool cropped)
{
    HRESULT hr = m_rotate.Rotate(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
    if (SUCCEEDED(hr) && !cropped) {
        m_crop.m_rcCrop = m_chain.crop;
        hr = m_crop.Crop(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
    }
    if (SUCCEEDED(hr)) hr = m_eraser.Erase(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
    return hr;
}

HRESULT CEditChainRunner::Finish(FRAME_RECORD& r, REFERENCE_TIME time)
{
    if (!r.pbData || !r.pbFormat) return S_OK;
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(r.pbFormat);
    return m_filters.ConvertForItem(h->biWidth, std::abs(h->biHeight), &r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData,
                                    nullptr, time, 0);
}

HRESULT CEditChainRunner::ToShownSize(FRAME_RECORD& r, int width, int height)
{
    // The resize goes on with whatever the conversion left, as a picture is
    // shown whatever one step reported.
    const HRESULT converted = m_convert24.Convert24(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
    const HRESULT resized = m_resize.Resize(width, height, &r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData, 1,
                                            RESIZE_STRETCH, RESAMPLE_BILINEAR);
    return FAILED(converted) ? converted : resized;
}

HRESULT CEditChainRunner::ShowSized(const FRAME_RECORD& source, int width, int height, FRAME_RECORD& out)
{
    if (mediaeng::frame::CShownPicture::Handles(m_chain) && source.pbData) {
        if (!m_shown) m_shown = std::make_unique<Shown>();
        return m_shown->picture.Make(source, m_chain, width, height, out);
    }
    // The engine's steps never write a block they did not make.
    out = source;
    const HRESULT hr = Reshape(out);
    return FAILED(hr) ? hr : ToShownSize(out, width, height);
}

HRESULT CEditChainRunner::FinishShown(FRAME_RECORD& r, const RECT& image, double scale)
{
    HRESULT hr = Finish(r, 0);
    if (FAILED(hr) || m_shownMarks.IsEmpty()) return hr;
    if (scale <= 0) scale = 1.0;
    m_shownMarks.SetImageSize(image, scale, SIZE{image.right - image.left, image.bottom - image.top});
    // The picture's top-left pixel sits at the image corner: the records come
    // out in client pixels while the pixels land in the picture.
    tag_DRAW_WATERMARK_INFO info;
    info.nOriginX = image.left;
    info.nOriginY = image.top;
    info.bIgnoreTiming = 1;
    info.dZoom = 1.0 / scale;
    return m_shownMarks.Draw(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData, &info);
}

std::vector<WATERMARK_RECORD> CEditChainRunner::MarkRecords() const
{
    return m_use == Use::Conversion ? m_filters.Watermarks().GetRecords() : m_shownMarks.GetRecords();
}
