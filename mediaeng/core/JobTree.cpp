#include "mediaeng/core/JobTree.h"
#include "engine/JobTreeKeys.h"
#include "engine/EngineIds.h"
#include "engine/FrameEraser.h"

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
    holder->Child(jobkey::Items, Collection(jobkey::Items));
    data->SetChildNode(static_cast<IEngineNode*>(holder.Get()));
}

}  // namespace

void AddFilterProperties(CEngineNode& node)
{
    AddInts(node, {{jobkey::IsImageNegative, 0}, {jobkey::IsImageGrayscale, 0}, {jobkey::IsSharpen, 0}, {jobkey::IsSoften, 0},
                   {jobkey::IsAutoEnhance, 0}, {jobkey::IsDeInterlace, 0}, {jobkey::IsAutoLevel, 0}, {jobkey::IsAutoContrast, 0},
                   {jobkey::DepthMap, 0}, {jobkey::COLOR_BRIGHTNESS, 0}, {jobkey::COLOR_CONSTRAST, 0}, {jobkey::Gamma, 0},
                   {jobkey::COLOR_HUE, 0}, {jobkey::COLOR_SATURATION, 0}, {jobkey::COLOR_LUMINOSITY, 0}, {jobkey::RGB_RED, 0},
                   {jobkey::RGB_GREEN, 0}, {jobkey::RGB_BLUE, 0}, {jobkey::COLOR_Y, 0}, {jobkey::COLOR_U, 0}, {jobkey::COLOR_V, 0},
                   {jobkey::CMYK_C, 0}, {jobkey::CMYK_M, 0}, {jobkey::CMYK_Y, 0}, {jobkey::CMYK_K, 0}, {jobkey::COLORLMS_L, 0},
                   {jobkey::COLORLMS_M, 0}, {jobkey::COLORLMS_S, 0}, {jobkey::COLOR_BALANSE_RED, 0}, {jobkey::COLOR_BALANSE_GREEN, 0},
                   {jobkey::COLOR_BALANSE_BLUE, 0}, {jobkey::PreserveLuminosity, 0}, {jobkey::Range, 0}});
    for (const wchar_t* ch : jobkey::kLevelChannels) {
        node.Prop(jobkey::LevelMinKey(ch), CVariant(int32_t{0}));
        node.Prop(jobkey::LevelMaxKey(ch), CVariant(int32_t{255}));
        node.Prop(jobkey::LevelMiddleKey(ch), CVariant(1.0));
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
    AddInts(n, {{jobkey::OutputFormatID, 0}, {jobkey::IsOverwrite, 1}, {jobkey::NumericVarStartWidth, 0},
                {jobkey::NumericVarIncrement, 1}, {jobkey::WebSafe, 0}, {jobkey::NameCase, 0}, {jobkey::ExtensionCase, 0},
                {jobkey::UseFormatExtension, 1}, {jobkey::FormatType, 0}});
    AddTexts(n, {{jobkey::DestinationFolder, L""}, {jobkey::FileNamePattern, L"*.*"}, {jobkey::FormatDublicateName, L"%02d"},
                 {jobkey::FormatNumericVariable, L"%02d"}, {jobkey::Resize, L"100%"}});
    AddInts(n, {{jobkey::Resampling, 1}, {jobkey::ResizeType, 0}, {jobkey::CreateLitterbox, 0}, {jobkey::AspectRatioType, 0},
                {jobkey::FrameRateID, 0}, {jobkey::IncludeVideoStream, 1}, {jobkey::IncludeAudioStream, 1}});
    AddUInts(n, {{jobkey::LitterboxColor, 0}});
    for (const wchar_t* c : jobkey::kCodecPrefixes) {
        n.Prop(jobkey::VideoCodecKey(c), CVariant(L""));
        n.Prop(jobkey::AudioCodecKey(c), CVariant(L""));
    }
    AddUInts(n, {{jobkey::VideoBitrate, 2000}, {jobkey::Quality, 75}, {jobkey::AudioBitrate, 128}, {jobkey::AudioPrecision, 16},
                 {jobkey::AudioQuality, 75}});
    AddInts(n, {{jobkey::TwoPass, 0}, {jobkey::KeyFrames, 100}, {jobkey::VideoBitrateMode, 0}, {jobkey::VideoProfile, 0},
                {jobkey::Channels, 2}, {jobkey::SamplingRate, 44100}, {jobkey::AudioBitrateMode, 0}, {jobkey::ScreenListEnable, 0},
                {jobkey::ScreenListRows, 2}, {jobkey::ScreenListCols, 2}, {jobkey::FrameShift, 0}, {jobkey::Crop_Left, 0},
                {jobkey::Crop_Right, 0}, {jobkey::Crop_Top, 0}, {jobkey::Crop_Bottom, 0}, {jobkey::Rotate, 0}, {jobkey::FlipH, 0},
                {jobkey::FlipV, 0}});
    const tag_ERASEPARAM eraser;  // the eraser's defaults
    AddInts(n, {{jobkey::EraserType, eraser.nType}, {jobkey::EraserLeft, eraser.nLeft}, {jobkey::EraserRight, eraser.nRight},
                {jobkey::EraserTop, eraser.nTop}, {jobkey::EraserBottom, eraser.nBottom},
                {jobkey::EraserStrength, eraser.nStrength}, {jobkey::EraserCell, eraser.nCell}});
    ComPtr<CEngineNode> filters = Collection(jobkey::Filters);
    filters->SetItemFactory([] { return ComPtr<IUnknown>(static_cast<IEngineNode*>(MakeFilterItem().Detach()), false); });
    filters->Add(static_cast<IEngineNode*>(MakeFilterItem().Get()));
    n.Child(jobkey::Filters, filters);
    n.Child(jobkey::Watermarks, Collection(jobkey::Watermarks, NODE_FILES));
    return f;
}

ComPtr<CEngineNode> MakeProfileNode()
{
    ComPtr<CEngineNode> p = MakeComObject<CEngineNode>(L"Profile");
    AddInts(*p, {{jobkey::SplitUse, 0}, {jobkey::SplitType, 0}, {jobkey::SplitCountFrames, 2}, {jobkey::SplitStep, 10},
                 {jobkey::SplitSize, 700}, {jobkey::SplitStartWith, 0}, {jobkey::SplitLastVideo, 0}, {jobkey::JoinType, 0},
                 {jobkey::JoinImageTime, 10}, {jobkey::GalleryType, 0}});
    AddGalleryData(*p, jobkey::GalleryData);
    AddGalleryData(*p, jobkey::MontageData);
    ComPtr<CEngineNode> formats = Collection(jobkey::Formats, NODE_COLLECTION | NODE_FORMATS);
    formats->SetItemFactory([] { return ComPtr<IUnknown>(static_cast<IEngineNode*>(MakeFormatNode().Detach()), false); });
    formats->Add(static_cast<IEngineNode*>(MakeFormatNode().Get()));
    p->Child(jobkey::Formats, formats);
    return p;
}

namespace {

ComPtr<CEngineNode> MakeTimelineItem()
{
    ComPtr<CEngineNode> t = MakeComObject<CEngineNode>(L"Timeline");
    AddTexts(*t, {{jobkey::StartTime, L"0.0"}, {jobkey::EndTime, L"0.0"}});
    AddInts(*t, {{jobkey::EndOfFile, 1}, {jobkey::EndTimeAsRelativeEndofFile, 0}, {jobkey::StartTimeAsRelative, 0}});
    return t;
}

void AddSwitch(CEngineNode& item, const wchar_t* name, std::initializer_list<IntSetting> ints,
               const wchar_t* color)
{
    CEngineProperty* sw = item.Prop(name, CVariant(int32_t{0}));
    ComPtr<CEngineNode> child = MakeComObject<CEngineNode>(name);
    child->Prop(jobkey::Color, CVariant(color));
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
    n.Prop(jobkey::Kind, CVariant(int32_t{kind}), EPF_READONLY);
    AddInts(n, {{jobkey::posType, 0}, {jobkey::posX, 0}, {jobkey::posY, 0}, {jobkey::Width, 0}, {jobkey::Height, 0}, {jobkey::Stretching, 0},
                {jobkey::Transparency, 0}, {jobkey::Angle, 0}, {jobkey::RectType, 0}, {jobkey::Round, 0}, {jobkey::Border, 0}});
    AddTexts(n, {{jobkey::Color, L"0xFFFFFF"}, {jobkey::Text, L""}, {jobkey::FontName, L"Sans"}});
    AddInts(n, {{jobkey::FontSize, 24}, {jobkey::FontBold, 0}, {jobkey::FontItalic, 0}, {jobkey::FontUnderline, 0},
                {jobkey::FontStrikeOut, 0}, {jobkey::AlignPos, 0}, {jobkey::FontCharset, 0}});
    AddTexts(n, {{jobkey::PathToImage, L""}, {jobkey::PathToFile, L""}, {jobkey::Resize, L"100%"}});
    AddInts(n, {{jobkey::FadeIn, 0}, {jobkey::FadeOut, 0}});
    AddSwitch(n, jobkey::Stroke, {{jobkey::Width, 1}, {jobkey::Opacity, 100}}, L"0xFF0000");
    AddSwitch(n, jobkey::DropShadow, {{jobkey::Opacity, 75}, {jobkey::Angle, 45}, {jobkey::Size, 3}, {jobkey::Distance, 3}}, L"0x000000");
    ComPtr<CEngineNode> timelines = Collection(jobkey::Timelines);
    timelines->SetItemFactory([] { return ComPtr<IUnknown>(static_cast<IEngineNode*>(MakeTimelineItem().Detach()), false); });
    timelines->Add(static_cast<IEngineNode*>(MakeTimelineItem().Get()));
    n.Child(jobkey::Timelines, timelines);
}

}  // namespace mediaeng
