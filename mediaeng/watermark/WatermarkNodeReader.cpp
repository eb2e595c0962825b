#include "mediaeng/watermark/WatermarkNodeReader.h"
#include "engine/EngineNode.h"

namespace km::watermark {

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
    if (FAILED(n->GetItem(L"Timelines", item.ReleaseAndGetAddressOf())) || !item) return;
    ComPtr<IEngineCollection> coll = item.As<IEngineCollection>();
    LONG count = 0;
    if (!coll || FAILED(coll->GetCount(&count)) || count < 1) return;
    ComPtr<IUnknown> first;
    if (FAILED(coll->GetItem(0, first.ReleaseAndGetAddressOf())) || !first) return;
    ComPtr<IEngineNode> t = first.As<IEngineNode>();
    if (!t) return;
    r.enabled = 1;
    r.startTime = Text(t.Get(), L"StartTime", r.startTime);
    r.endTime = Text(t.Get(), L"EndTime", r.endTime);
    r.endOfFile = Int(t.Get(), L"EndOfFile", 1);
    r.endRelativeToEnd = Int(t.Get(), L"EndTimeAsRelativeEndofFile", 0);
    r.startRelative = Int(t.Get(), L"StartTimeAsRelative", 0);
}

}  // namespace

bool ReadWatermarkItem(IUnknown* item, WatermarkItemDesc& d)
{
    ComPtr<IEngineNode> holder;
    if (!item || FAILED(item->QueryInterface(IID_IEngineNode, holder.ReleaseAndGetVoidAddress())) || !holder)
        return false;
    IEngineNode* n = holder.Get();
    d.kind = Int(n, L"Kind", d.kind);
    d.posType = Int(n, L"posType", d.posType);
    d.posX = Int(n, L"posX", d.posX);
    d.posY = Int(n, L"posY", d.posY);
    d.width = Int(n, L"Width", d.width);
    d.height = Int(n, L"Height", d.height);
    d.stretching = Int(n, L"Stretching", d.stretching);
    d.transparency = Int(n, L"Transparency", d.transparency);
    d.angle = Int(n, L"Angle", d.angle);
    d.rectType = Int(n, L"RectType", d.rectType);
    d.round = Int(n, L"Round", d.round);
    d.border = Int(n, L"Border", d.border);
    d.color = Color(n, L"Color", d.color);
    d.text = Text(n, L"Text", d.text);
    d.fontName = Text(n, L"FontName", d.fontName);
    d.fontSize = Int(n, L"FontSize", d.fontSize);
    d.fontBold = Int(n, L"FontBold", d.fontBold);
    d.fontItalic = Int(n, L"FontItalic", d.fontItalic);
    d.fontUnderline = Int(n, L"FontUnderline", d.fontUnderline);
    d.fontStrikeOut = Int(n, L"FontStrikeOut", d.fontStrikeOut);
    d.alignPos = Int(n, L"AlignPos", d.alignPos);
    d.fontCharset = Int(n, L"FontCharset", d.fontCharset);
    d.path = Text(n, d.kind == WATERMARK_MEDIA ? L"PathToFile" : L"PathToImage", d.path);
    d.resize = Text(n, L"Resize", d.resize);
    d.fadeIn = Int(n, L"FadeIn", d.fadeIn);
    d.fadeOut = Int(n, L"FadeOut", d.fadeOut);
    if (ComPtr<IEngineNode> s = SwitchNode(n, L"Stroke", d.stroke.enabled)) {
        d.stroke.color = Color(s.Get(), L"Color", d.stroke.color);
        d.stroke.width = Int(s.Get(), L"Width", d.stroke.width);
        d.stroke.opacity = Int(s.Get(), L"Opacity", d.stroke.opacity);
    }
    if (ComPtr<IEngineNode> s = SwitchNode(n, L"DropShadow", d.shadow.enabled)) {
        d.shadow.color = Color(s.Get(), L"Color", d.shadow.color);
        d.shadow.opacity = Int(s.Get(), L"Opacity", d.shadow.opacity);
        d.shadow.angle = Int(s.Get(), L"Angle", d.shadow.angle);
        d.shadow.size = Int(s.Get(), L"Size", d.shadow.size);
        d.shadow.distance = Int(s.Get(), L"Distance", d.shadow.distance);
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
    if (FAILED(n->GetItem(L"Watermarks", child.ReleaseAndGetAddressOf())) || !child) return S_FALSE;
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

}  // namespace km::watermark
