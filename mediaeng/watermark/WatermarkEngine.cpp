#include "engine/WatermarkEngine.h"
#include "engine/MsgMng.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "engine/PlanarView.h"
#include "mediaeng/watermark/FontCheck.h"
#include "mediaeng/watermark/MediaFrameSource.h"
#include "platform/TextConv.h"
#include "mediaeng/watermark/SpriteRender.h"
#include "mediaeng/watermark/WatermarkLayout.h"
#include "mediaeng/watermark/WatermarkNodeReader.h"
#include "mediaeng/watermark/WatermarkTiming.h"
#include <algorithm>
#include <cmath>
#include <functional>
#include <mutex>

using namespace mediaeng::watermark;
using mediaeng::frame::FrameIn;

namespace {

constexpr UINT IDS_WATERMARK_PICTURE_MISSING = 5901;
constexpr UINT IDS_WATERMARK_MEDIA_MISSING = 5902;
constexpr UINT IDS_WATERMARK_FONT_MISSING = 5903;
// The file messages carry the path; the font message the asked and the used family.
const bool g_argsRegistered = (CMsgMng::SetMessageArgs(IDS_WATERMARK_PICTURE_MISSING, "s"),
                               CMsgMng::SetMessageArgs(IDS_WATERMARK_MEDIA_MISSING, "s"),
                               CMsgMng::SetMessageArgs(IDS_WATERMARK_FONT_MISSING, "ss"), true);

// One item with what was rendered for it.
struct ItemState {
    WatermarkEntry entry;
    CSprite sprite;
    double spriteZoom = -1;
    int spriteFrameW = -1, spriteFrameH = -1;
    double spriteTime = -1;
    std::unique_ptr<CMediaFrameSource> media;
    bool mediaTried = false;
    bool reported = false;
};

}  // namespace

struct CWatermarkEngine::Impl {
    mutable std::mutex mutex;  // items, image size, records; Draw holds it throughout
    std::vector<ItemState> items;
    RECT image{};
    bool imageSet = false;
    double scale = 1.0;
    std::vector<WATERMARK_RECORD> records;
    std::vector<BYTE> copy;
    int extra = 0;

    // Hands each drawn item's sprite and its top-left in the picture to blend.
    using BlendFn = std::function<void(CSprite& sprite, int x, int y, int alpha)>;

    // Places every item on a width x height picture and blends those that show
    // (none without a blend); rebuilds the records.
    HRESULT DrawItems(const tag_DRAW_WATERMARK_INFO* info, int width, int height, const BlendFn& blend);
    CSprite& SpriteFor(ItemState& s, double zoom, int frameW, int frameH, double t);
    void Report(ItemState& s);
    void CheckFont(ItemState& s);
};

void CWatermarkEngine::Impl::CheckFont(ItemState& s)
{
    const std::wstring& asked = s.entry.desc.fontName;
    if (s.reported || asked.empty()) return;
    s.reported = true;
    const std::wstring used = ChosenFontFamily(asked);
    if (!used.empty() && !EqualsNoCase(used, asked)) {
        CMsgMng msg;
        msg.SendMsgWarning(IDS_WATERMARK_FONT_MISSING, asked.c_str(), used.c_str());
    }
}

void CWatermarkEngine::Impl::Report(ItemState& s)
{
    if (s.reported) return;
    s.reported = true;
    CMsgMng msg;
    msg.SendMsgWarning(s.entry.desc.kind == WATERMARK_MEDIA ? IDS_WATERMARK_MEDIA_MISSING
                                                            : IDS_WATERMARK_PICTURE_MISSING,
                       s.entry.desc.path.c_str());
}

CSprite& CWatermarkEngine::Impl::SpriteFor(ItemState& s, double zoom, int frameW, int frameH, double t)
{
    const WatermarkItemDesc& d = s.entry.desc;
    const bool moving = d.kind == WATERMARK_MEDIA && s.media && s.media->IsMoving();
    const bool stretches = (d.kind == WATERMARK_ROUNDRECT || d.kind == WATERMARK_RECT) && d.stretching != 0;
    if (!s.sprite.Empty() && s.spriteZoom == zoom && (!moving || s.spriteTime == t) &&
        (!stretches || (s.spriteFrameW == frameW && s.spriteFrameH == frameH)))
        return s.sprite;
    CSprite raw;
    switch (d.kind) {
    case WATERMARK_TEXT:
        CheckFont(s);
        raw = RenderText(d, zoom);
        break;
    case WATERMARK_ROUNDRECT:
    case WATERMARK_RECT: raw = RenderShape(d, zoom, frameW, frameH); break;
    case WATERMARK_PICTURE:
    case WATERMARK_MEDIA: {
        if (!s.mediaTried) {
            s.mediaTried = true;
            if (!d.path.empty()) s.media = std::make_unique<CMediaFrameSource>(d.path);
        }
        BgraPicture picture;
        if (!s.media || !s.media->IsOpen() || !s.media->FrameAt(t, picture)) {
            Report(s);
            break;
        }
        raw = RenderPicture(picture, d, zoom);
        break;
    }
    default: break;
    }
    s.sprite = FinishSprite(std::move(raw), d, zoom);
    s.spriteZoom = zoom;
    s.spriteFrameW = frameW;
    s.spriteFrameH = frameH;
    s.spriteTime = t;
    return s.sprite;
}

CWatermarkEngine::CWatermarkEngine() : m_impl(std::make_unique<Impl>()) {}
CWatermarkEngine::~CWatermarkEngine() = default;

HRESULT CWatermarkEngine::SetItems(std::vector<WatermarkEntry> items)
{
    std::lock_guard<std::mutex> lk(m_impl->mutex);
    m_impl->items.clear();
    m_impl->records.clear();
    for (WatermarkEntry& e : items) {
        ItemState s;
        s.entry = std::move(e);
        m_impl->items.push_back(std::move(s));
    }
    return S_OK;
}

HRESULT CWatermarkEngine::SetImageSize(const RECT& image, double scale, SIZE)
{
    std::lock_guard<std::mutex> lk(m_impl->mutex);
    m_impl->image = image;
    m_impl->imageSet = image.right > image.left && image.bottom > image.top;
    m_impl->scale = (scale > 0 && std::isfinite(scale)) ? scale : 1.0;
    return S_OK;
}

HRESULT CWatermarkEngine::Impl::DrawItems(const tag_DRAW_WATERMARK_INFO* info, int width, int height,
                                           const BlendFn& blend)
{
    const tag_DRAW_WATERMARK_INFO defaults;
    const tag_DRAW_WATERMARK_INFO& di = info ? *info : defaults;
    std::lock_guard<std::mutex> lk(mutex);
    double zoom = di.dZoom > 0 && std::isfinite(di.dZoom) ? di.dZoom : 1.0 / scale;
    zoom = std::clamp(zoom, 1.0 / 64, 64.0);
    const RECT area = imageSet ? image : RECT{di.nOriginX, di.nOriginY, di.nOriginX + width, di.nOriginY + height};
    const int frameW = static_cast<int>(std::lround((area.right - area.left) / zoom));
    const int frameH = static_cast<int>(std::lround((area.bottom - area.top) / zoom));
    const double t = double(di.rtTime) / 1e7;
    const double duration = double(di.rtDuration) / 1e7;
    records.clear();
    for (ItemState& item : items) {
        const WatermarkItemDesc& d = item.entry.desc;
        double alpha = (100 - std::clamp(d.transparency, 0, 100)) / 100.0;
        if (!di.bIgnoreTiming) alpha *= TimingAlpha(d, t, duration);
        CSprite& sprite = SpriteFor(item, zoom, frameW, frameH, di.bIgnoreTiming ? 0.0 : t);
        if (sprite.Empty()) continue;
        const RECT& c = sprite.content;
        const RECT rc = PlaceWatermark(area, c.right - c.left, c.bottom - c.top, d.posType, d.posX, d.posY, zoom);
        records.push_back(WATERMARK_RECORD{rc, item.entry.item.Get(), d.kind, item.entry.key});
        const int a = static_cast<int>(std::lround(alpha * 255));
        if (blend && a > 0) blend(sprite, rc.left - c.left - di.nOriginX, rc.top - c.top - di.nOriginY, a);
    }
    return S_OK;
}

HRESULT CWatermarkEngine::Draw(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData,
                               const tag_DRAW_WATERMARK_INFO* info)
{
    FrameIn in;
    HRESULT hr = mediaeng::frame::ReadRecord(cbFormat, pFormat, cbData, pData, in);
    if (FAILED(hr)) return hr;
    if (!mediaeng::frame::IsRgb(in.format)) return E_INVALIDARG;
    const mediaeng::frame::PixelView view = in.View();
    Impl::BlendFn blend;
    if (in.hasData)
        blend = [&view](CSprite& sprite, int x, int y, int alpha) { BlendSprite(view, sprite, x, y, alpha); };
    return m_impl->DrawItems(info, in.Width(), in.Height(), blend);
}

HRESULT CWatermarkEngine::DrawPlanar(const PlanarView& pic, const tag_DRAW_WATERMARK_INFO* info)
{
    if (!pic.data[0] || !pic.data[1] || !pic.data[2]) return E_POINTER;
    if (!CanBlendPlanar(pic)) return E_INVALIDARG;
    return m_impl->DrawItems(info, pic.width, pic.height, [&pic](CSprite& sprite, int x, int y, int alpha) {
        PrepareYuva(sprite, pic.fullRange);
        BlendSpritePlanar(pic, sprite, x, y, alpha);
    });
}

HRESULT CWatermarkEngine::FreeAll()
{
    std::lock_guard<std::mutex> lk(m_impl->mutex);
    m_impl->items.clear();
    m_impl->records.clear();
    return S_OK;
}

HRESULT CWatermarkEngine::SetDirtyAll()
{
    std::lock_guard<std::mutex> lk(m_impl->mutex);
    for (ItemState& s : m_impl->items) {
        s.sprite = CSprite{};
        s.spriteZoom = -1;
    }
    return S_OK;
}

bool CWatermarkEngine::IsEmpty() const
{
    std::lock_guard<std::mutex> lk(m_impl->mutex);
    return m_impl->items.empty();
}

std::vector<WATERMARK_RECORD> CWatermarkEngine::GetRecords() const
{
    std::lock_guard<std::mutex> lk(m_impl->mutex);
    return m_impl->records;
}

HRESULT CWatermarkEngine::CopyBuffer(BYTE** data, DWORD size)
{
    if (!data || (!*data && size)) return E_POINTER;
    std::lock_guard<std::mutex> lk(m_impl->mutex);
    if (*data == m_impl->copy.data()) return S_OK;
    m_impl->copy.assign(*data, *data + size);
    *data = m_impl->copy.data();
    return S_OK;
}

HRESULT CWatermarkEngine::StartExtraProcessing()
{
    m_impl->extra = 1;
    return S_OK;
}

HRESULT CWatermarkEngine::EndExtraProcessing()
{
    m_impl->extra = 0;
    return S_OK;
}

HRESULT CWatermarkEngine::SetProperty(IUnknown* node, IUnknown*, IUnknown*, IUnknown*, int)
{
    std::vector<WatermarkEntry> items;
    const HRESULT hr = ReadWatermarkItems(node, items);
    if (FAILED(hr)) return hr;
    return SetItems(std::move(items));
}
