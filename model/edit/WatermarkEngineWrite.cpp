// How a watermark creates its engine item and writes its settings into it.
#include "engine/EngineNode.h"
#include "engine/JobTreeKeys.h"
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
    ComPtr<IUnknown> child = GetNodeItem(engineObject, jobkey::Watermarks);
    if (child) child->QueryInterface(IFilesNode::kIID, reinterpret_cast<void**>(out));
    return *out;
}

IEngineCollection* GetTimelinesNode(IUnknown* item, IEngineCollection** out)
{
    if (!out) return nullptr;
    *out = nullptr;
    ComPtr<IUnknown> child = GetNodeItem(item, jobkey::Timelines);
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

bool CWatermarkObj::HasEngineKind() const
{
    return ItemClassOfKind(watermark_id) != nullptr;
}

WatermarkItemDesc CWatermarkObj::EngineDesc(uint32_t skipTiming) const
{
    WatermarkItemDesc d;
    d.kind = watermark_id;
    d.posType = placement;
    d.posX = x;
    d.posY = y;
    d.width = width;
    d.height = height;
    d.stretching = stretching;
    d.transparency = transparency;
    d.angle = angel;
    d.rectType = figure_type;
    d.round = curve;
    d.border = border;
    d.color = static_cast<COLORREF>(color) & 0xFFFFFF;  // the engine takes colours as "0xRRGGBB"
    d.text = text;
    d.fontName = font_name;
    d.fontSize = font_size;
    d.fontBold = font_bold;
    d.fontItalic = font_italic;
    d.fontUnderline = font_underline;
    d.fontStrikeOut = font_strikeout;
    d.alignPos = font_align;
    d.fontCharset = font_charset;
    d.path = path;
    d.resize = resize;
    d.stroke = WatermarkStroke{stroke, static_cast<COLORREF>(strokecolor) & 0xFFFFFF, strokewidth,
                               100 - stroketransparency};
    d.shadow = WatermarkShadow{dropshadow, static_cast<COLORREF>(dropshadowcolor) & 0xFFFFFF,
                               100 - dropshadowtransparency, dropshadowangle, dropshadowsize, dropshadowdistance};
    // Every engine item holds one time range, open to the file's end, until
    // the timing is written.
    d.timeline.enabled = 1;
    d.timeline.endOfFile = 1;
    if (m_videoOutput != 1 || skipTiming != 0) return d;
    d.fadeIn = fadeIn ? fadeInduration : 0;
    d.fadeOut = fadeOut ? fadeOutduration : 0;
    if (!timelineAllVideo) return d;
    WatermarkTimeRange& r = d.timeline;
    switch (timelineType) {
    case 0: r = WatermarkTimeRange{1, L"0.0", timelineEndTime, 1, 0, 0}; break;
    case 1: r = WatermarkTimeRange{1, timelineStartTime, timelineEndTime, 0, 0, 0}; break;
    default: r = WatermarkTimeRange{1, timelineDurationTime, timelineOffsetTime, 0, 1, 1}; break;
    }
    return d;
}

void CWatermarkObj::ApplyToEngine(uint32_t skipTiming)
{
    IUnknown* item = m_engineItem.Get();
    if (!item) return;
    ComPtr<IEngineNode> itemNode = QueryNode(item);
    const WatermarkItemDesc d = EngineDesc(skipTiming);

    const struct {
        const wchar_t* name;
        int32_t value;
    } numbers[] = {
        {jobkey::posType, d.posType}, {jobkey::posX, d.posX}, {jobkey::posY, d.posY}, {jobkey::Width, d.width},
        {jobkey::Height, d.height}, {jobkey::Stretching, d.stretching}, {jobkey::Transparency, d.transparency},
        {jobkey::Angle, d.angle}, {jobkey::RectType, d.rectType}, {jobkey::Round, d.round}, {jobkey::Border, d.border},
    };
    for (const auto& n : numbers) EngineWriteInt(item, n.name, n.value);
    EngineWriteText(item, jobkey::Color, FormatEngineColor(d.color));
    EngineWriteText(item, jobkey::Text, d.text);
    EngineWriteText(item, jobkey::FontName, d.fontName);
    EngineWriteInt(item, jobkey::FontSize, d.fontSize);
    EngineWriteInt(item, jobkey::FontBold, d.fontBold);
    EngineWriteInt(item, jobkey::FontItalic, d.fontItalic);
    EngineWriteInt(item, jobkey::FontUnderline, d.fontUnderline);
    EngineWriteInt(item, jobkey::FontStrikeOut, d.fontStrikeOut);
    EngineWriteInt(item, jobkey::AlignPos, d.alignPos);
    EngineWriteInt(item, jobkey::FontCharset, d.fontCharset);
    EngineWriteText(item, jobkey::PathToImage, d.path);
    EngineWriteText(item, jobkey::PathToFile, d.path);
    EngineWriteText(item, jobkey::Resize, d.resize);

    if (ComPtr<IUnknown> outline = WriteSwitch(itemNode.Get(), item, jobkey::Stroke, d.stroke.enabled)) {
        EngineWriteText(outline.Get(), jobkey::Color, FormatEngineColor(d.stroke.color));
        EngineWriteInt(outline.Get(), jobkey::Width, d.stroke.width);
        EngineWriteInt(outline.Get(), jobkey::Opacity, d.stroke.opacity);
    }
    if (ComPtr<IUnknown> shadow = WriteSwitch(itemNode.Get(), item, jobkey::DropShadow, d.shadow.enabled)) {
        EngineWriteText(shadow.Get(), jobkey::Color, FormatEngineColor(d.shadow.color));
        EngineWriteInt(shadow.Get(), jobkey::Opacity, d.shadow.opacity);
        EngineWriteInt(shadow.Get(), jobkey::Angle, d.shadow.angle);
        EngineWriteInt(shadow.Get(), jobkey::Size, d.shadow.size);
        EngineWriteInt(shadow.Get(), jobkey::Distance, d.shadow.distance);
    }
    if (m_videoOutput == 1 && skipTiming == 0) WriteTiming(d);
}

void CWatermarkObj::WriteTiming(const WatermarkItemDesc& d)
{
    IUnknown* item = m_engineItem.Get();
    EngineWriteInt(item, jobkey::FadeIn, d.fadeIn);
    EngineWriteInt(item, jobkey::FadeOut, d.fadeOut);
    if (!timelineAllVideo) return;
    ComPtr<IEngineCollection> timelines;
    GetTimelinesNode(item, timelines.ReleaseAndGetAddressOf());
    LONG count = 0;
    if (!timelines || FAILED(timelines->GetCount(&count)) || count == 0) return;
    ComPtr<IUnknown> range;
    timelines->GetItem(0, range.ReleaseAndGetAddressOf());
    if (!range) return;
    IUnknown* r = range.Get();
    EngineWriteText(r, jobkey::StartTime, d.timeline.startTime);
    EngineWriteText(r, jobkey::EndTime, d.timeline.endTime);
    EngineWriteInt(r, jobkey::EndOfFile, d.timeline.endOfFile);
    EngineWriteInt(r, jobkey::EndTimeAsRelativeEndofFile, d.timeline.endRelativeToEnd);
    EngineWriteInt(r, jobkey::StartTimeAsRelative, d.timeline.startRelative);
}
