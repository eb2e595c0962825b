#include "mediaeng/job/transcode/FrameChainEdit.h"
#include "mediaeng/av/ScalerSlack.h"
#include "engine/JobTreeKeys.h"
#include "engine/EngineNode.h"
#include "engine/FrameCrop.h"
#include "engine/FrameFilters.h"
#include "engine/FrameRotate.h"
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
    return std::make_unique<CFrameChainEdit>(*this);
}

struct CFrameChainEdit::Impl {
    CFrameChainSettings settings;
    CRotateImpl rotate;
    CCropMng crop;
    CEraserFilter eraser;
    CMngFrameFilters filters;
    std::vector<BYTE> dib;
    BITMAPINFOHEADER header;
    av::SwsPtr toDib;
    int lastWidth = 0, lastHeight = 0;

    // Runs the chain on a record; header-only when data is null.
    HRESULT Run(FRAME_RECORD& r, double time)
    {
        HRESULT hr = rotate.Rotate(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData);
        if (SUCCEEDED(hr)) {
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
};

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
    if (SUCCEEDED(s.Run(r, 0)) && r.pbFormat) {
        const auto* out = reinterpret_cast<const BITMAPINFOHEADER*>(r.pbFormat);
        width = out->biWidth;
        height = std::abs(out->biHeight);
    }
    format = AV_PIX_FMT_BGR24;
}

HRESULT CFrameChainEdit::Process(av::FramePtr& frame, double time)
{
    Impl& s = *m_impl;
    const int w = frame->width, h = frame->height;
    const DWORD stride = DibStride(w, 24);
    s.dib.reserve(size_t(stride) * h + av::kScalerSlack);
    s.dib.resize(size_t(stride) * h);
    s.toDib.reset(sws_getCachedContext(s.toDib.release(), w, h, AVPixelFormat(frame->format), w, h, AV_PIX_FMT_BGR24,
                                       SWS_POINT, nullptr, nullptr, nullptr));
    if (!s.toDib) return E_FAIL;
    // Bottom-up rows: start at the last row and step backwards.
    uint8_t* dst[1] = {s.dib.data() + size_t(stride) * (h - 1)};
    const int dstStride[1] = {-int(stride)};
    sws_scale(s.toDib.get(), frame->data, frame->linesize, 0, h, dst, dstStride);

    s.header = BITMAPINFOHEADER();
    s.header.biWidth = w;
    s.header.biHeight = h;
    s.header.biSizeImage = DWORD(s.dib.size());
    FRAME_RECORD r{sizeof s.header, reinterpret_cast<BYTE*>(&s.header), DWORD(s.dib.size()), s.dib.data()};
    const HRESULT hr = s.Run(r, time);
    if (FAILED(hr) || !r.pbFormat || !r.pbData) return FAILED(hr) ? hr : E_FAIL;

    const auto* out = reinterpret_cast<const BITMAPINFOHEADER*>(r.pbFormat);
    const int ow = out->biWidth, oh = std::abs(out->biHeight);
    const int bytes = out->biBitCount / 8;
    if (ow <= 0 || oh <= 0 || (bytes != 3 && bytes != 4) || out->biCompression != BI_RGB) return E_FAIL;
    const DWORD outStride = DibStride(ow, out->biBitCount);
    if (r.cbData < outStride * DWORD(oh)) return E_FAIL;
    av::FramePtr result = av::MakeFrame();
    result->format = bytes == 3 ? AV_PIX_FMT_BGR24 : AV_PIX_FMT_BGR0;
    result->width = ow;
    result->height = oh;
    if (av_frame_get_buffer(result.get(), 0) < 0) return E_OUTOFMEMORY;
    const bool bottomUp = out->biHeight > 0;
    for (int y = 0; y < oh; ++y) {
        const BYTE* row = r.pbData + size_t(outStride) * (bottomUp ? oh - 1 - y : y);
        std::memcpy(result->data[0] + size_t(y) * result->linesize[0], row, size_t(ow) * bytes);
    }
    av_frame_copy_props(result.get(), frame.get());
    frame = std::move(result);
    return S_OK;
}

}  // namespace mediaeng::job
