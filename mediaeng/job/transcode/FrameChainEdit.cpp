#include "mediaeng/job/transcode/FrameChainEdit.h"
#include "mediaeng/job/transcode/DecodedPicture.h"
#include "mediaeng/job/transcode/TurnFirstEdit.h"
#include "mediaeng/av/FramePool.h"
#include "engine/JobTreeKeys.h"
#include "engine/EngineNode.h"
#include "engine/FrameCrop.h"
#include "engine/FrameFilters.h"
#include "engine/FrameRotate.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/FrameFilterSettingsObj.h"
#include "mediaeng/watermark/WatermarkNodeReader.h"
#include <cstring>

namespace mediaeng::job {

namespace {

int IntOf(IEngineNode* node, const wchar_t* name, int fallback)
{
    CVariant raw, v;
    if (!node || FAILED(node->GetValue(name, &raw)) || raw.vt == VT_EMPTY) return fallback;
    return SUCCEEDED(VariantChangeType(&v, &raw, VT_I4)) ? v.lVal : fallback;
}

ComPtr<IUnknown> FirstFilterItem(IEngineNode* format)
{
    ComPtr<IUnknown> filters;
    if (FAILED(format->GetItem(jobkey::Filters, filters.ReleaseAndGetAddressOf())) || !filters) return nullptr;
    ComPtr<IEngineCollection> list;
    filters->QueryInterface(IID_IEngineCollection, reinterpret_cast<void**>(list.ReleaseAndGetAddressOf()));
    LONG count = 0;
    if (!list || FAILED(list->GetCount(&count)) || count < 1) return nullptr;
    ComPtr<IUnknown> item;
    list->GetItem(0, item.ReleaseAndGetAddressOf());
    return item;
}

}  // namespace

CFrameChainSettings CFrameChainSettings::Read(IEngineNode* n)
{
    CFrameChainSettings s;
    if (!n) return s;
    CSchemaLock lock;
    s.rotateDegrees = IntOf(n, jobkey::Rotate, 0) * 90;
    s.flipH = IntOf(n, jobkey::FlipH, 0);
    s.flipV = IntOf(n, jobkey::FlipV, 0);
    s.crop = RECT{IntOf(n, jobkey::Crop_Left, 0), IntOf(n, jobkey::Crop_Top, 0), IntOf(n, jobkey::Crop_Right, 0),
                  IntOf(n, jobkey::Crop_Bottom, 0)};
    s.eraser.nType = IntOf(n, jobkey::EraserType, ERASER_NONE);
    s.eraser.nLeft = IntOf(n, jobkey::EraserLeft, 0);
    s.eraser.nRight = IntOf(n, jobkey::EraserRight, 100);
    s.eraser.nTop = IntOf(n, jobkey::EraserTop, 0);
    s.eraser.nBottom = IntOf(n, jobkey::EraserBottom, 100);
    s.eraser.nStrength = IntOf(n, jobkey::EraserStrength, 8);
    s.eraser.nCell = IntOf(n, jobkey::EraserCell, 8);
    if (ComPtr<IUnknown> item = FirstFilterItem(n)) mediaeng::frame::ReadFilterObject(item.Get(), s.filters);
    mediaeng::watermark::ReadWatermarkItems(n, s.watermarks);
    return s;
}

bool CFrameChainSettings::IsIdentity() const
{
    return rotateDegrees % 360 == 0 && !flipH && !flipV && !crop.left && !crop.top && !crop.right && !crop.bottom &&
           eraser.nType == ERASER_NONE && filters.IsIdentity() && watermarks.empty();
}

std::unique_ptr<IFrameEditStage> CFrameChainSettings::MakeStage() const
{
    if (IsIdentity()) return std::make_unique<CPassThroughEdit>();
    if (rotateDegrees % 360 != 0 || flipH || flipV) return std::make_unique<CTurnFirstEdit>(*this);
    return std::make_unique<CFrameChainEdit>(*this);
}

struct CFrameChainEdit::Impl {
    CFrameChainSettings settings;
    CRotateImpl rotate;
    CCropMng crop;
    CEraserFilter eraser;
    CMngFrameFilters filters;
    mediaeng::frame::CFrameOutput rgb;  // the RGB working picture: later steps change it where it is
    av::CFramePool pool;          // the pictures handed on

    bool Turns() const { return settings.rotateDegrees % 360 != 0 || settings.flipH || settings.flipV; }
    bool HasCrop() const
    {
        return settings.crop.left > 0 || settings.crop.top > 0 || settings.crop.right > 0 || settings.crop.bottom > 0;
    }
    bool Erases() const { return settings.eraser.nType != ERASER_NONE; }
    // Every step can work on the decoder's YUV picture. A cut through a
    // chroma sample would shift colour against luma by half a pixel: such a
    // crop goes through RGB as the preview's does.
    bool PlanarRoute(const AVFrame& f) const
    {
        const mediaeng::frame::Margins m = CropMargins(settings.crop, f.width, f.height);
        return IsPlanarYuv(AVPixelFormat(f.format)) && ChromaAligned(f, m.left, m.top) && !Turns() &&
               (!Erases() || eraser.WorksOnPlanar()) && filters.WorksOnPlanar();
    }

    // Runs the RGB chain on a record; header-only when data is null. The crop
    // is left out when the picture came cut already.
    HRESULT Run(FRAME_RECORD& r, double time, bool cropped)
    {
        HRESULT hr = rotate.Rotate(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
        if (SUCCEEDED(hr) && !cropped) {
            crop.m_rcCrop = settings.crop;
            hr = crop.Crop(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
        }
        if (SUCCEEDED(hr)) hr = eraser.Erase(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
        if (SUCCEEDED(hr) && r.pbData) {
            const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(r.pbFormat);
            hr = filters.ConvertForItem(h->biWidth, std::abs(h->biHeight), &r.cbFormat, &r.pbFormat, &r.cbData,
                                        &r.pbData, nullptr, REFERENCE_TIME(time * 1e7), 0);
        }
        return hr;
    }

    HRESULT ProcessPlanar(av::FramePtr& frame, double time);
    HRESULT ProcessRgb(av::FramePtr& frame, double time);
    HRESULT ToOutput(const FRAME_RECORD& r, AVPixelFormat inFormat, av::FramePtr& out);
};

HRESULT CFrameChainEdit::Impl::ProcessPlanar(av::FramePtr& frame, double time)
{
    av::FramePtr view = CroppedView(*frame, CropMargins(settings.crop, frame->width, frame->height));
    if (!view) return E_OUTOFMEMORY;
    if (Erases() || !settings.filters.IsIdentity() || !settings.watermarks.empty()) {
        // The decoder keeps its pictures for reference: edits go to a picture of our own.
        av::FramePtr out = pool.Get(view->width, view->height, AVPixelFormat(view->format));
        if (!out) return E_OUTOFMEMORY;
        av_frame_copy_props(out.get(), view.get());
        const PlanarView dst = PlanarOf(*out);
        // The filters are straight lines and the eraser's kinds are means, so
        // filtering first (while copying) gives what erasing first gives; the
        // marks go on last, as in RGB.
        HRESULT hr = filters.FilterPlanar(PlanarOf(*view), dst);
        if (SUCCEEDED(hr) && Erases()) hr = eraser.ErasePlanar(dst);
        if (SUCCEEDED(hr)) hr = filters.DrawMarksPlanar(dst, REFERENCE_TIME(time * 1e7), 0);
        if (FAILED(hr)) return hr;
        view = std::move(out);
    }
    frame = std::move(view);
    return S_OK;
}

HRESULT CFrameChainEdit::Impl::ProcessRgb(av::FramePtr& frame, double time)
{
    const auto inFormat = AVPixelFormat(frame->format);
    // Cut the YUV picture before it becomes RGB when nothing turns it first
    // and the cut keeps chroma samples whole: less to convert, nothing to copy.
    const mediaeng::frame::Margins m = CropMargins(settings.crop, frame->width, frame->height);
    const bool cropFirst = HasCrop() && !Turns() && IsPlanarYuv(inFormat) && ChromaAligned(*frame, m.left, m.top);
    av::FramePtr view = cropFirst ? CroppedView(*frame, m) : av::FramePtr();
    if (cropFirst && !view) return E_OUTOFMEMORY;
    const AVFrame& src = cropFirst ? *view : *frame;
    const int w = src.width, h = src.height;

    const BITMAPINFOHEADER hdr = mediaeng::frame::MakeRgbHeader(w, h, 3, false);
    const mediaeng::frame::PixelView pic = rgb.Prepare(hdr, true, nullptr);
    mediaeng::frame::PlaneSet dst;
    dst.data[0] = pic.top;
    dst.stride[0] = int(pic.stride);
    if (!mediaeng::frame::ConvertInBands(PlanesOf(src), AVPixelFormat(src.format), dst, AV_PIX_FMT_BGR24, w, h, SWS_POINT))
        return E_FAIL;
    FRAME_RECORD r;
    rgb.Publish(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
    const HRESULT hr = Run(r, time, cropFirst);
    if (FAILED(hr) || !r.pbFormat || !r.pbData) return FAILED(hr) ? hr : E_FAIL;
    av::FramePtr out;
    const HRESULT made = ToOutput(r, inFormat, out);
    if (FAILED(made)) return made;
    av_frame_copy_props(out.get(), frame.get());
    frame = std::move(out);
    return S_OK;
}

// The chain's RGB result as the picture handed on: back in the decoder's YUV
// format when it came in one (so the encoder takes it as it is), else RGB.
HRESULT CFrameChainEdit::Impl::ToOutput(const FRAME_RECORD& r, AVPixelFormat inFormat, av::FramePtr& out)
{
    const auto* hdr = reinterpret_cast<const BITMAPINFOHEADER*>(r.pbFormat);
    const int ow = hdr->biWidth, oh = std::abs(hdr->biHeight);
    const int bytes = hdr->biBitCount / 8;
    if (ow <= 0 || oh <= 0 || (bytes != 3 && bytes != 4) || hdr->biCompression != BI_RGB) return E_FAIL;
    if (r.cbData < DibStride(ow, hdr->biBitCount) * DWORD(oh)) return E_FAIL;
    const mediaeng::frame::PixelView v = mediaeng::frame::ViewOf(*hdr, r.pbData);
    const AVPixelFormat rgbFormat = bytes == 3 ? AV_PIX_FMT_BGR24 : AV_PIX_FMT_BGR0;
    const AVPixelFormat outFormat = IsPlanarYuv(inFormat) ? inFormat : rgbFormat;
    out = pool.Get(ow, oh, outFormat);
    if (!out) return E_OUTOFMEMORY;
    mediaeng::frame::PlaneSet src;
    src.data[0] = v.top;
    src.stride[0] = int(v.stride);
    if (!mediaeng::frame::ConvertInBands(src, rgbFormat, PlanesOf(*out), outFormat, ow, oh, SWS_BILINEAR)) return E_FAIL;
    return S_OK;
}

CFrameChainEdit::CFrameChainEdit(const CFrameChainSettings& settings) : m_impl(std::make_unique<Impl>())
{
    Impl& s = *m_impl;
    s.settings = settings;
    s.rotate.SetAngle(settings.rotateDegrees);
    s.rotate.SetFlip(settings.flipH, settings.flipV);
    s.eraser.SetProperty(settings.eraser.nType == ERASER_NONE ? nullptr : &settings.eraser);
    s.filters.SetFilterValues(settings.filters);
    s.filters.Watermarks().SetItems(settings.watermarks);
}

CFrameChainEdit::~CFrameChainEdit() = default;

void CFrameChainEdit::OutputFormat(int& width, int& height, AVPixelFormat& format) const
{
    Impl& s = *m_impl;
    BITMAPINFOHEADER h;
    h.biWidth = width;
    h.biHeight = height;
    h.biSizeImage = DibStride(width, 24) * DWORD(height);
    FRAME_RECORD r{sizeof h, reinterpret_cast<BYTE*>(&h), 0, nullptr};
    if (SUCCEEDED(s.Run(r, 0, false)) && r.pbFormat) {
        const auto* out = reinterpret_cast<const BITMAPINFOHEADER*>(r.pbFormat);
        width = out->biWidth;
        height = std::abs(out->biHeight);
    }
    if (!IsPlanarYuv(format)) format = AV_PIX_FMT_BGR24;
}

HRESULT CFrameChainEdit::Process(av::FramePtr& frame, double time)
{
    Impl& s = *m_impl;
    if (!frame || frame->width <= 0 || frame->height <= 0) return E_INVALIDARG;
    if (s.PlanarRoute(*frame)) return s.ProcessPlanar(frame, time);
    return s.ProcessRgb(frame, time);
}

}  // namespace mediaeng::job
