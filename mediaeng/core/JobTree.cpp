#include "mediaeng/core/JobTree.h"
#include "engine/EngineIds.h"

namespace mediaeng {

namespace {

struct IntSetting {
    const wchar_t* name;
    int32_t value;
};

void AddInts(CEngineNode& node, std::initializer_list<IntSetting> settings)
{
    for (const IntSetting& s : settings) node.Prop(s.name, CVariant(s.value));
}

void AddUInts(CEngineNode& node, std::initializer_list<IntSetting> settings)
{
    for (const IntSetting& s : settings) node.Prop(s.name, CVariant(static_cast<uint32_t>(s.value)));
}

void AddTexts(CEngineNode& node, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> settings)
{
    for (const auto& [name, value] : settings) node.Prop(name, CVariant(value));
}

ComPtr<CEngineNode> Collection(const std::wstring& name, DWORD roles = NODE_COLLECTION)
{
    return MakeComObject<CEngineNode>(name, roles);
}

void AddGalleryData(CEngineNode& node, const wchar_t* name)
{
    CEngineProperty* data = node.Prop(name, CVariant());
    data->EnableGalleryData();
    ComPtr<CEngineNode> holder = MakeComObject<CEngineNode>(name);
    holder->Child(L"Items", Collection(L"Items"));
    data->SetChildNode(static_cast<IEngineNode*>(holder.Get()));
}

}  // namespace

void AddFilterProperties(CEngineNode& node)
{
    AddInts(node, {{L"IsImageNegative", 0}, {L"IsImageGrayscale", 0}, {L"IsSharpen", 0}, {L"IsSoften", 0},
                   {L"IsAutoEnhance", 0}, {L"IsDeInterlace", 0}, {L"IsAutoLevel", 0}, {L"IsAutoContrast", 0},
                   {L"DepthMap", 0}, {L"COLOR_BRIGHTNESS", 0}, {L"COLOR_CONSTRAST", 0}, {L"Gamma", 0},
                   {L"COLOR_HUE", 0}, {L"COLOR_SATURATION", 0}, {L"COLOR_LUMINOSITY", 0}, {L"RGB_RED", 0},
                   {L"RGB_GREEN", 0}, {L"RGB_BLUE", 0}, {L"COLOR_Y", 0}, {L"COLOR_U", 0}, {L"COLOR_V", 0},
                   {L"CMYK_C", 0}, {L"CMYK_M", 0}, {L"CMYK_Y", 0}, {L"CMYK_K", 0}, {L"COLORLMS_L", 0},
                   {L"COLORLMS_M", 0}, {L"COLORLMS_S", 0}, {L"COLOR_BALANSE_RED", 0}, {L"COLOR_BALANSE_GREEN", 0},
                   {L"COLOR_BALANSE_BLUE", 0}, {L"PreserveLuminosity", 0}, {L"Range", 0}});
    for (const wchar_t* ch : {L"Red", L"Green", L"Blue"}) {
        node.Prop(std::wstring(L"LevelMin") + ch, CVariant(int32_t{0}));
        node.Prop(std::wstring(L"LevelMax") + ch, CVariant(int32_t{255}));
        node.Prop(std::wstring(L"LevelMax") + ch + L"_Middle", CVariant(1.0));
    }
}

ComPtr<CEngineNode> MakeFilterItem(const std::wstring& name)
{
    ComPtr<CEngineNode> item = MakeComObject<CEngineNode>(name);
    AddFilterProperties(*item);
    return item;
}

ComPtr<CEngineNode> MakeFormatNode()
{
    ComPtr<CEngineNode> f = MakeComObject<CEngineNode>(L"Format");
    CEngineNode& n = *f;
    AddInts(n, {{L"OutputFormatID", 0}, {L"IsOverwrite", 1}, {L"NumericVarStartWidth", 0},
                {L"NumericVarIncrement", 1}, {L"WebSafe", 0}, {L"NameCase", 0}, {L"ExtensionCase", 0},
                {L"UseFormatExtension", 1}, {L"FormatType", 0}});
    AddTexts(n, {{L"DestinationFolder", L""}, {L"FileNamePattern", L"*.*"}, {L"FormatDublicateName", L"%02d"},
                 {L"FormatNumericVariable", L"%02d"}, {L"Resize", L"100%"}});
    AddInts(n, {{L"Resampling", 1}, {L"ResizeType", 0}, {L"CreateLitterbox", 0}, {L"AspectRatioType", 0},
                {L"FrameRateID", 0}, {L"IncludeVideoStream", 1}, {L"IncludeAudioStream", 1}});
    AddUInts(n, {{L"LitterboxColor", 0}});
    for (const wchar_t* c : {L"AVI", L"WMV", L"MPEG", L"MOV", L"FLASH", L"MP4", L"3GP", L"3G2", L"MKV", L"F4V"}) {
        n.Prop(std::wstring(c) + L"VideoCodec", CVariant(L""));
        n.Prop(std::wstring(c) + L"AudioCodec", CVariant(L""));
    }
    AddUInts(n, {{L"VideoBitrate", 2000}, {L"Quality", 75}, {L"AudioBitrate", 128}, {L"AudioPrecision", 16},
                 {L"AudioQuality", 75}});
    AddInts(n, {{L"TwoPass", 0}, {L"KeyFrames", 100}, {L"VideoBitrateMode", 0}, {L"VideoProfile", 0},
                {L"Channels", 2}, {L"SamplingRate", 44100}, {L"AudioBitrateMode", 0}, {L"ScreenListEnable", 0},
                {L"ScreenListRows", 2}, {L"ScreenListCols", 2}, {L"FrameShift", 0}, {L"Crop_Left", 0},
                {L"Crop_Right", 0}, {L"Crop_Top", 0}, {L"Crop_Bottom", 0}, {L"Rotate", 0}, {L"FlipH", 0},
                {L"FlipV", 0}, {L"EraserType", 0}, {L"EraserLeft", 0}, {L"EraserRight", 100}, {L"EraserTop", 0},
                {L"EraserBottom", 100}, {L"EraserStrength", 8}, {L"EraserCell", 8}});
    ComPtr<CEngineNode> filters = Collection(L"Filters");
    filters->SetItemFactory([] { return ComPtr<IUnknown>(static_cast<IEngineNode*>(MakeFilterItem().Detach()), false); });
    filters->Add(static_cast<IEngineNode*>(MakeFilterItem().Get()));
    n.Child(L"Filters", filters);
    n.Child(L"Watermarks", Collection(L"Watermarks", NODE_FILES));
    return f;
}

ComPtr<CEngineNode> MakeProfileNode()
{
    ComPtr<CEngineNode> p = MakeComObject<CEngineNode>(L"Profile");
    AddInts(*p, {{L"SplitUse", 0}, {L"SplitType", 0}, {L"SplitCountFrames", 2}, {L"SplitStep", 10},
                 {L"SplitSize", 700}, {L"SplitStartWith", 0}, {L"SplitLastVideo", 0}, {L"JoinType", 0},
                 {L"JoinImageTime", 10}, {L"GalleryType", 0}});
    AddGalleryData(*p, L"GalleryData");
    AddGalleryData(*p, L"MontageData");
    ComPtr<CEngineNode> formats = Collection(L"Formats", NODE_COLLECTION | NODE_FORMATS);
    formats->SetItemFactory([] { return ComPtr<IUnknown>(static_cast<IEngineNode*>(MakeFormatNode().Detach()), false); });
    formats->Add(static_cast<IEngineNode*>(MakeFormatNode().Get()));
    p->Child(L"Formats", formats);
    return p;
}

namespace {

ComPtr<CEngineNode> MakeTimelineItem()
{
    ComPtr<CEngineNode> t = MakeComObject<CEngineNode>(L"Timeline");
    AddTexts(*t, {{L"StartTime", L"0.0"}, {L"EndTime", L"0.0"}});
    AddInts(*t, {{L"EndOfFile", 1}, {L"EndTimeAsRelativeEndofFile", 0}, {L"StartTimeAsRelative", 0}});
    return t;
}

void AddSwitch(CEngineNode& item, const wchar_t* name, std::initializer_list<IntSetting> ints,
               const wchar_t* color)
{
    CEngineProperty* sw = item.Prop(name, CVariant(int32_t{0}));
    ComPtr<CEngineNode> child = MakeComObject<CEngineNode>(name);
    child->Prop(L"Color", CVariant(color));
    AddInts(*child, ints);
    child->SetOwner(static_cast<IEngineNode*>(&item));
    sw->SetChildNode(static_cast<IEngineNode*>(child.Get()));
}

}  // namespace

ComPtr<CEngineNode> MakeWatermarkItem(int kind)
{
    ComPtr<CEngineNode> w = MakeComObject<CEngineNode>(L"Watermark");
    BuildWatermarkItem(*w, kind);
    return w;
}

void BuildWatermarkItem(CEngineNode& n, int kind)
{
    n.Prop(L"Kind", CVariant(int32_t{kind}), EPF_READONLY);
    AddInts(n, {{L"posType", 0}, {L"posX", 0}, {L"posY", 0}, {L"Width", 0}, {L"Height", 0}, {L"Stretching", 0},
                {L"Transparency", 0}, {L"Angle", 0}, {L"RectType", 0}, {L"Round", 0}, {L"Border", 0}});
    AddTexts(n, {{L"Color", L"0xFFFFFF"}, {L"Text", L""}, {L"FontName", L"Sans"}});
    AddInts(n, {{L"FontSize", 24}, {L"FontBold", 0}, {L"FontItalic", 0}, {L"FontUnderline", 0},
                {L"FontStrikeOut", 0}, {L"AlignPos", 0}, {L"FontCharset", 0}});
    AddTexts(n, {{L"PathToImage", L""}, {L"PathToFile", L""}, {L"Resize", L"100%"}});
    AddInts(n, {{L"FadeIn", 0}, {L"FadeOut", 0}});
    AddSwitch(n, L"Stroke", {{L"Width", 1}, {L"Opacity", 100}}, L"0xFF0000");
    AddSwitch(n, L"DropShadow", {{L"Opacity", 75}, {L"Angle", 45}, {L"Size", 3}, {L"Distance", 3}}, L"0x000000");
    ComPtr<CEngineNode> timelines = Collection(L"Timelines");
    timelines->SetItemFactory([] { return ComPtr<IUnknown>(static_cast<IEngineNode*>(MakeTimelineItem().Detach()), false); });
    timelines->Add(static_cast<IEngineNode*>(MakeTimelineItem().Get()));
    n.Child(L"Timelines", timelines);
}

}  // namespace mediaeng
