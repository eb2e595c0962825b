#include "mediaeng/watermark/WatermarkNodeReader.h"
#include "engine/JobTreeKeys.h"
#include "engine/EngineNode.h"

namespace mediaeng::watermark {

namespace {

int Int(IEngineNode* n, const wchar_t* name, int fallback)
{
    CVariant v;
    if (!n || FAILED(n->GetValue(name, &v)) || v.vt == VT_EMPTY) return fallback;
    return v.AsInt(fallback);
}

std::wstring Text(IEngineNode* n, const wchar_t* name, const std::wstring& fallback)
{
    CVariant v;
    if (!n || FAILED(n->GetValue(name, &v)) || v.vt == VT_EMPTY) return fallback;
    return v.AsString(fallback);
}

COLORREF Color(IEngineNode* n, const wchar_t* name, COLORREF fallback)
{
    const std::wstring t = Text(n, name, L"");
    return t.empty() ? fallback : ParseWatermarkColor(t, fallback);
}

// A switch property and the settings node it hands out.
ComPtr<IEngineNode> SwitchNode(IEngineNode* n, const wchar_t* name, int& on)
{
    on = Int(n, name, 0);
    ComPtr<IUnknown> item;
    if (FAILED(n->GetItem(name, item.ReleaseAndGetAddressOf())) || !item) return nullptr;
    ComPtr<IEngineProperty> prop = item.As<IEngineProperty>();
    if (!prop) return nullptr;
    ComPtr<IUnknown> child;
    if (FAILED(prop->GetChildNode(child.ReleaseAndGetAddressOf())) || !child) return nullptr;
    return child.As<IEngineNode>();
}

void ReadTimeline(IEngineNode* n, WatermarkTimeRange& r)
{
    ComPtr<IUnknown> item;
    if (FAILED(n->GetItem(jobkey::Timelines, item.ReleaseAndGetAddressOf())) || !item) return;
    ComPtr<IEngineCollection> coll = item.As<IEngineCollection>();
    LONG count = 0;
    if (!coll || FAILED(coll->GetCount(&count)) || count < 1) return;
    ComPtr<IUnknown> first;
    if (FAILED(coll->GetItem(0, first.ReleaseAndGetAddressOf())) || !first) return;
    ComPtr<IEngineNode> t = first.As<IEngineNode>();
    if (!t) return;
    r.enabled = 1;
    r.startTime = Text(t.Get(), jobkey::StartTime, r.startTime);
    r.endTime = Text(t.Get(), jobkey::EndTime, r.endTime);
    r.endOfFile = Int(t.Get(), jobkey::EndOfFile, 1);
    r.endRelativeToEnd = Int(t.Get(), jobkey::EndTimeAsRelativeEndofFile, 0);
    r.startRelative = Int(t.Get(), jobkey::StartTimeAsRelative, 0);
}

}  // namespace

bool ReadWatermarkItem(IUnknown* item, WatermarkItemDesc& d)
{
    ComPtr<IEngineNode> holder;
    if (!item || FAILED(item->QueryInterface(IID_IEngineNode, holder.ReleaseAndGetVoidAddress())) || !holder)
        return false;
    IEngineNode* n = holder.Get();
    d.kind = Int(n, jobkey::Kind, d.kind);
    d.posType = Int(n, jobkey::posType, d.posType);
    d.posX = Int(n, jobkey::posX, d.posX);
    d.posY = Int(n, jobkey::posY, d.posY);
    d.width = Int(n, jobkey::Width, d.width);
    d.height = Int(n, jobkey::Height, d.height);
    d.stretching = Int(n, jobkey::Stretching, d.stretching);
    d.transparency = Int(n, jobkey::Transparency, d.transparency);
    d.angle = Int(n, jobkey::Angle, d.angle);
    d.rectType = Int(n, jobkey::RectType, d.rectType);
    d.round = Int(n, jobkey::Round, d.round);
    d.border = Int(n, jobkey::Border, d.border);
    d.color = Color(n, jobkey::Color, d.color);
    d.text = Text(n, jobkey::Text, d.text);
    d.fontName = Text(n, jobkey::FontName, d.fontName);
    d.fontSize = Int(n, jobkey::FontSize, d.fontSize);
    d.fontBold = Int(n, jobkey::FontBold, d.fontBold);
    d.fontItalic = Int(n, jobkey::FontItalic, d.fontItalic);
    d.fontUnderline = Int(n, jobkey::FontUnderline, d.fontUnderline);
    d.fontStrikeOut = Int(n, jobkey::FontStrikeOut, d.fontStrikeOut);
    d.alignPos = Int(n, jobkey::AlignPos, d.alignPos);
    d.fontCharset = Int(n, jobkey::FontCharset, d.fontCharset);
    d.path = Text(n, d.kind == WATERMARK_MEDIA ? jobkey::PathToFile : jobkey::PathToImage, d.path);
    d.resize = Text(n, jobkey::Resize, d.resize);
    d.fadeIn = Int(n, jobkey::FadeIn, d.fadeIn);
    d.fadeOut = Int(n, jobkey::FadeOut, d.fadeOut);
    if (ComPtr<IEngineNode> s = SwitchNode(n, jobkey::Stroke, d.stroke.enabled)) {
        d.stroke.color = Color(s.Get(), jobkey::Color, d.stroke.color);
        d.stroke.width = Int(s.Get(), jobkey::Width, d.stroke.width);
        d.stroke.opacity = Int(s.Get(), jobkey::Opacity, d.stroke.opacity);
    }
    if (ComPtr<IEngineNode> s = SwitchNode(n, jobkey::DropShadow, d.shadow.enabled)) {
        d.shadow.color = Color(s.Get(), jobkey::Color, d.shadow.color);
        d.shadow.opacity = Int(s.Get(), jobkey::Opacity, d.shadow.opacity);
        d.shadow.angle = Int(s.Get(), jobkey::Angle, d.shadow.angle);
        d.shadow.size = Int(s.Get(), jobkey::Size, d.shadow.size);
        d.shadow.distance = Int(s.Get(), jobkey::Distance, d.shadow.distance);
    }
    ReadTimeline(n, d.timeline);
    return true;
}

HRESULT ReadWatermarkItems(IUnknown* node, std::vector<WatermarkEntry>& out)
{
    out.clear();
    if (!node) return S_OK;
    ComPtr<IEngineNode> n;
    if (FAILED(node->QueryInterface(IID_IEngineNode, n.ReleaseAndGetVoidAddress())) || !n) return E_NOINTERFACE;
    ComPtr<IUnknown> child;
    if (FAILED(n->GetItem(jobkey::Watermarks, child.ReleaseAndGetAddressOf())) || !child) return S_FALSE;
    ComPtr<IEngineCollection> coll = child.As<IEngineCollection>();
    LONG count = 0;
    if (!coll || FAILED(coll->GetCount(&count))) return S_FALSE;
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> item;
        if (FAILED(coll->GetItem(i, item.ReleaseAndGetAddressOf())) || !item) continue;
        WatermarkEntry e;
        if (!ReadWatermarkItem(item.Get(), e.desc)) continue;
        e.item = item;
        out.push_back(std::move(e));
    }
    return S_OK;
}

}  // namespace mediaeng::watermark
