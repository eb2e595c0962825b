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

void CWatermarkObj::ApplyToEngine(uint32_t skipTiming)
{
    IUnknown* item = m_engineItem.Get();
    if (!item) return;
    ComPtr<IEngineNode> itemNode = QueryNode(item);

    const struct {
        const wchar_t* name;
        int32_t value;
    } numbers[] = {
        {jobkey::posType, placement}, {jobkey::posX, x}, {jobkey::posY, y}, {jobkey::Width, width}, {jobkey::Height, height},
        {jobkey::Stretching, stretching}, {jobkey::Transparency, transparency}, {jobkey::Angle, angel},
        {jobkey::RectType, figure_type}, {jobkey::Round, curve}, {jobkey::Border, border},
    };
    for (const auto& n : numbers) EngineWriteInt(item, n.name, n.value);
    EngineWriteText(item, jobkey::Color, FormatEngineColor(static_cast<COLORREF>(color)));
    EngineWriteText(item, jobkey::Text, text);
    EngineWriteText(item, jobkey::FontName, font_name);
    EngineWriteInt(item, jobkey::FontSize, font_size);
    EngineWriteInt(item, jobkey::FontBold, font_bold);
    EngineWriteInt(item, jobkey::FontItalic, font_italic);
    EngineWriteInt(item, jobkey::FontUnderline, font_underline);
    EngineWriteInt(item, jobkey::FontStrikeOut, font_strikeout);
    EngineWriteInt(item, jobkey::AlignPos, font_align);
    EngineWriteInt(item, jobkey::FontCharset, font_charset);
    EngineWriteText(item, jobkey::PathToImage, path);
    EngineWriteText(item, jobkey::PathToFile, path);
    EngineWriteText(item, jobkey::Resize, resize);

    if (ComPtr<IUnknown> outline = WriteSwitch(itemNode.Get(), item, jobkey::Stroke, stroke)) {
        EngineWriteText(outline.Get(), jobkey::Color, FormatEngineColor(static_cast<COLORREF>(strokecolor)));
        EngineWriteInt(outline.Get(), jobkey::Width, strokewidth);
        EngineWriteInt(outline.Get(), jobkey::Opacity, 100 - stroketransparency);
    }
    if (ComPtr<IUnknown> shadow = WriteSwitch(itemNode.Get(), item, jobkey::DropShadow, dropshadow)) {
        EngineWriteText(shadow.Get(), jobkey::Color, FormatEngineColor(static_cast<COLORREF>(dropshadowcolor)));
        EngineWriteInt(shadow.Get(), jobkey::Opacity, 100 - dropshadowtransparency);
        EngineWriteInt(shadow.Get(), jobkey::Angle, dropshadowangle);
        EngineWriteInt(shadow.Get(), jobkey::Size, dropshadowsize);
        EngineWriteInt(shadow.Get(), jobkey::Distance, dropshadowdistance);
    }
    if (m_videoOutput == 1 && skipTiming == 0) WriteTiming();
}

void CWatermarkObj::WriteTiming()
{
    IUnknown* item = m_engineItem.Get();
    EngineWriteInt(item, jobkey::FadeIn, fadeIn ? fadeInduration : 0);
    EngineWriteInt(item, jobkey::FadeOut, fadeOut ? fadeOutduration : 0);
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
        EngineWriteText(r, jobkey::StartTime, L"0.0");
        EngineWriteText(r, jobkey::EndTime, timelineEndTime);
        EngineWriteInt(r, jobkey::EndOfFile, 1);
        EngineWriteInt(r, jobkey::EndTimeAsRelativeEndofFile, 0);
        EngineWriteInt(r, jobkey::StartTimeAsRelative, 0);
        break;
    case 1:
        EngineWriteText(r, jobkey::StartTime, timelineStartTime);
        EngineWriteText(r, jobkey::EndTime, timelineEndTime);
        EngineWriteInt(r, jobkey::EndOfFile, 0);
        EngineWriteInt(r, jobkey::EndTimeAsRelativeEndofFile, 0);
        EngineWriteInt(r, jobkey::StartTimeAsRelative, 0);
        break;
    default:
        EngineWriteText(r, jobkey::StartTime, timelineDurationTime);
        EngineWriteText(r, jobkey::EndTime, timelineOffsetTime);
        EngineWriteInt(r, jobkey::EndOfFile, 0);
        EngineWriteInt(r, jobkey::EndTimeAsRelativeEndofFile, 1);
        EngineWriteInt(r, jobkey::StartTimeAsRelative, 1);
        break;
    }
}
