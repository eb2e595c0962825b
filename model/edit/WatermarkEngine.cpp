// How a watermark creates its engine item and writes itself into it.
#include "engine/EngineNode.h"
#include "model/edit/ColorText.h"
#include "model/edit/EngineWrite.h"
#include "model/edit/WatermarkObj.h"
#include "model/source/PropertyAccess.h"

namespace {
const CLSID* ItemClassOfKind(int32_t kind)
{
    static const CLSID* const classes[] = {&CLSID_WatermarkItem0, &CLSID_WatermarkItem1, &CLSID_WatermarkItem2,
                                           &CLSID_WatermarkItem3, &CLSID_WatermarkItem4};
    return kind >= 0 && kind < 5 ? classes[kind] : nullptr;
}

// Writes a switch ("Stroke", "DropShadow") and hands back the node that holds
// its settings, or null.
ComPtr<IUnknown> WriteSwitch(IEngineNode* itemNode, IUnknown* item, const wchar_t* name, int32_t value)
{
    ComPtr<IEngineProperty> property = EngineWriteInt(item, name, value);
    if (!property || !itemNode) return nullptr;
    itemNode->ApplySwitch(property.Get(), value);
    ComPtr<IUnknown> child;
    property->GetChildNode(child.ReleaseAndGetAddressOf());
    return child;
}
}

IFilesNode* GetWatermarksNode(IFilesNode** out, IUnknown* engineObject)
{
    if (!out) return nullptr;
    *out = nullptr;
    ComPtr<IUnknown> child = GetNodeItem(engineObject, L"Watermarks");
    if (child) child->QueryInterface(IFilesNode::kIID, reinterpret_cast<void**>(out));
    return *out;
}

IEngineCollection* GetTimelinesNode(IUnknown* item, IEngineCollection** out)
{
    if (!out) return nullptr;
    *out = nullptr;
    ComPtr<IUnknown> child = GetNodeItem(item, L"Timelines");
    if (child) child->QueryInterface(IEngineCollection::kIID, reinterpret_cast<void**>(out));
    return *out;
}

void CWatermarkObj::CreateEngineWatermark(IUnknown* engineObject, uint32_t skipTiming)
{
    ComPtr<IFilesNode> watermarks;
    GetWatermarksNode(watermarks.ReleaseAndGetAddressOf(), engineObject);
    m_engineItem = nullptr;
    const CLSID* itemClass = ItemClassOfKind(watermark_id);
    if (watermarks && itemClass)
        watermarks->CreateItem(*itemClass, m_engineItem.ReleaseAndGetAddressOf());
    ApplyToEngine(skipTiming);
}

void CWatermarkObj::ApplyToEngine(uint32_t skipTiming)
{
    IUnknown* item = m_engineItem.Get();
    if (!item) return;
    ComPtr<IEngineNode> itemNode = QueryNode(item);

    const struct {
        const wchar_t* name;
        int32_t value;
    } numbers[] = {
        {L"posType", placement}, {L"posX", x}, {L"posY", y}, {L"Width", width}, {L"Height", height},
        {L"Stretching", stretching}, {L"Transparency", transparency}, {L"Angle", angel},
        {L"RectType", figure_type}, {L"Round", curve}, {L"Border", border},
    };
    for (const auto& n : numbers) EngineWriteInt(item, n.name, n.value);
    EngineWriteText(item, L"Color", FormatEngineColor(static_cast<COLORREF>(color)));
    EngineWriteText(item, L"Text", text);
    EngineWriteText(item, L"FontName", font_name);
    EngineWriteInt(item, L"FontSize", font_size);
    EngineWriteInt(item, L"FontBold", font_bold);
    EngineWriteInt(item, L"FontItalic", font_italic);
    EngineWriteInt(item, L"FontUnderline", font_underline);
    EngineWriteInt(item, L"FontStrikeOut", font_strikeout);
    EngineWriteInt(item, L"AlignPos", font_align);
    EngineWriteInt(item, L"FontCharset", font_charset);
    EngineWriteText(item, L"PathToImage", path);
    EngineWriteText(item, L"PathToFile", path);
    EngineWriteText(item, L"Resize", resize);

    if (ComPtr<IUnknown> outline = WriteSwitch(itemNode.Get(), item, L"Stroke", stroke)) {
        EngineWriteText(outline.Get(), L"Color", FormatEngineColor(static_cast<COLORREF>(strokecolor)));
        EngineWriteInt(outline.Get(), L"Width", strokewidth);
        EngineWriteInt(outline.Get(), L"Opacity", 100 - stroketransparency);
    }
    if (ComPtr<IUnknown> shadow = WriteSwitch(itemNode.Get(), item, L"DropShadow", dropshadow)) {
        EngineWriteText(shadow.Get(), L"Color", FormatEngineColor(static_cast<COLORREF>(dropshadowcolor)));
        EngineWriteInt(shadow.Get(), L"Opacity", 100 - dropshadowtransparency);
        EngineWriteInt(shadow.Get(), L"Angle", dropshadowangle);
        EngineWriteInt(shadow.Get(), L"Size", dropshadowsize);
        EngineWriteInt(shadow.Get(), L"Distance", dropshadowdistance);
    }
    if (m_videoOutput == 1 && skipTiming == 0) WriteTiming();
}

void CWatermarkObj::WriteTiming()
{
    IUnknown* item = m_engineItem.Get();
    EngineWriteInt(item, L"FadeIn", fadeIn ? fadeInduration : 0);
    EngineWriteInt(item, L"FadeOut", fadeOut ? fadeOutduration : 0);
    if (!timelineAllVideo) return;
    ComPtr<IEngineCollection> timelines;
    GetTimelinesNode(item, timelines.ReleaseAndGetAddressOf());
    LONG count = 0;
    if (!timelines || FAILED(timelines->GetCount(&count)) || count == 0) return;
    ComPtr<IUnknown> range;
    timelines->GetItem(0, range.ReleaseAndGetAddressOf());
    if (!range) return;
    IUnknown* r = range.Get();
    switch (timelineType) {
    case 0:
        EngineWriteText(r, L"StartTime", L"0.0");
        EngineWriteText(r, L"EndTime", timelineEndTime);
        EngineWriteInt(r, L"EndOfFile", 1);
        EngineWriteInt(r, L"EndTimeAsRelativeEndofFile", 0);
        EngineWriteInt(r, L"StartTimeAsRelative", 0);
        break;
    case 1:
        EngineWriteText(r, L"StartTime", timelineStartTime);
        EngineWriteText(r, L"EndTime", timelineEndTime);
        EngineWriteInt(r, L"EndOfFile", 0);
        EngineWriteInt(r, L"EndTimeAsRelativeEndofFile", 0);
        EngineWriteInt(r, L"StartTimeAsRelative", 0);
        break;
    default:
        EngineWriteText(r, L"StartTime", timelineDurationTime);
        EngineWriteText(r, L"EndTime", timelineOffsetTime);
        EngineWriteInt(r, L"EndOfFile", 0);
        EngineWriteInt(r, L"EndTimeAsRelativeEndofFile", 1);
        EngineWriteInt(r, L"StartTimeAsRelative", 1);
        break;
    }
}
