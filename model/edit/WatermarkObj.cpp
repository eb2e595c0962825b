#include "model/edit/WatermarkObj.h"
#include "engine/ImageDefSizes.h"
#include "model/edit/FontCatalog.h"
#include <atomic>

namespace {
// Property and group ids that UpdateStates addresses.
enum : int32_t {
    kFontGroup = 1, kWidthId = 2, kHeightId = 3, kResizeId = 4, kStretchingId = 5, kTextId = 6,
    kPathId = 7, kColorGroup = 8, kFigureTypeId = 9, kCurveId = 10, kBorderId = 11, kStrokeId = 12,
    kShadowId = 13, kStrokeColorId = 14, kStrokeWidthId = 15, kStrokeTransparencyId = 16,
    kShadowColorId = 17, kShadowTransparencyId = 18, kShadowAngleId = 19, kShadowSizeId = 20,
    kShadowDistanceId = 21, kFadeInDurationId = 22, kFadeOutDurationId = 23, kStartTimeId = 24,
    kEndTimeId = 25, kTimelineTypeId = 26, kOffsetTimeId = 27, kDurationTimeId = 28, kPlacementId = 29,
    kFadeGroup = 30, kTimeRangeGroup = 31, kMainGroup = 39, kPlaceGroup = 0,
};
enum : int32_t { kKindText = 0, kKindImage = 1, kKindShape = 2, kKindShapeNoCurve = 3, kKindMedia = 4 };
enum : int32_t { kFigureFrame = 0, kFigureFill = 2 };

WatermarkId NextId()
{
    static std::atomic<WatermarkId> next{1};
    return next++;
}

bool IsShape(int32_t kind) { return kind == kKindShape || kind == kKindShapeNoCurve; }
bool HasColours(int32_t kind) { return kind == kKindText || IsShape(kind); }
UINT Hidden(bool visible) { return visible ? 0 : 1; }
}

CWatermarkObj::CWatermarkObj(uint32_t videoOutput) : m_videoOutput(videoOutput), m_id(NextId())
{
    InitParams(nullptr);
}

CWatermarkObj::CWatermarkObj(int32_t kind, uint32_t videoOutput) : m_videoOutput(videoOutput), m_id(NextId())
{
    InitParams(nullptr);
    watermark_id = kind;
}

CWatermarkObj::CWatermarkObj(const CWatermarkObj& source)
    : CConfigMng(), CPropertiesImpl(), m_videoOutput(source.m_videoOutput), m_id(NextId())
{
    InitParams(&source);
}

CWatermarkObj::~CWatermarkObj() = default;

void CWatermarkObj::InitParams(const CWatermarkObj* source)
{
    if (source) {
        watermark_id = source->watermark_id;
        text = source->text;
        placement = source->placement;
        x = source->x;
        y = source->y;
        width = source->width;
        height = source->height;
        stretching = source->stretching;
        transparency = source->transparency;
        angel = source->angel;
        figure_type = source->figure_type;
        curve = source->curve;
        border = source->border;
        color = source->color;
        path = source->path;
        resize = source->resize;
        font_name = source->font_name;
        font_size = source->font_size;
        font_bold = source->font_bold;
        font_italic = source->font_italic;
        font_underline = source->font_underline;
        font_strikeout = source->font_strikeout;
        font_align = source->font_align;
        font_charset = source->font_charset;
        stroke = source->stroke;
        strokecolor = source->strokecolor;
        strokewidth = source->strokewidth;
        stroketransparency = source->stroketransparency;
        dropshadow = source->dropshadow;
        dropshadowcolor = source->dropshadowcolor;
        dropshadowtransparency = source->dropshadowtransparency;
        dropshadowangle = source->dropshadowangle;
        dropshadowsize = source->dropshadowsize;
        dropshadowdistance = source->dropshadowdistance;
        fadeIn = source->fadeIn;
        fadeInduration = source->fadeInduration;
        fadeOut = source->fadeOut;
        fadeOutduration = source->fadeOutduration;
        timelineAllVideo = source->timelineAllVideo;
        timelineType = source->timelineType;
        timelineStartTime = source->timelineStartTime;
        timelineEndTime = source->timelineEndTime;
        timelineDurationTime = source->timelineDurationTime;
        timelineOffsetTime = source->timelineOffsetTime;
    }

    const struct {
        const wchar_t* key;
        DWORD type;
        void* member;
    } params[] = {
        {L"watermark_id", CONFIG_TYPE_INT, &watermark_id},
        {L"text", CONFIG_TYPE_STRING, &text},
        {L"placement", CONFIG_TYPE_INT, &placement},
        {L"x", CONFIG_TYPE_INT, &x},
        {L"y", CONFIG_TYPE_INT, &y},
        {L"width", CONFIG_TYPE_INT, &width},
        {L"height", CONFIG_TYPE_INT, &height},
        {L"stretching", CONFIG_TYPE_INT, &stretching},
        {L"transparency", CONFIG_TYPE_INT, &transparency},
        {L"angel", CONFIG_TYPE_INT, &angel},
        {L"figure_type", CONFIG_TYPE_INT, &figure_type},
        {L"curve", CONFIG_TYPE_INT, &curve},
        {L"border", CONFIG_TYPE_INT, &border},
        {L"color", CONFIG_TYPE_INT, &color},
        {L"font_name", CONFIG_TYPE_STRING, &font_name},
        {L"font_size", CONFIG_TYPE_INT, &font_size},
        {L"font_bold", CONFIG_TYPE_INT, &font_bold},
        {L"font_italic", CONFIG_TYPE_INT, &font_italic},
        {L"font_underline", CONFIG_TYPE_INT, &font_underline},
        {L"font_strikeout", CONFIG_TYPE_INT, &font_strikeout},
        {L"font_align", CONFIG_TYPE_INT, &font_align},
        {L"font_charset", CONFIG_TYPE_INT, &font_charset},
        {L"path", CONFIG_TYPE_STRING, &path},
        {L"resize", CONFIG_TYPE_STRING, &resize},
        {L"stroke", CONFIG_TYPE_INT, &stroke},
        {L"strokecolor", CONFIG_TYPE_INT, &strokecolor},
        {L"strokewidth", CONFIG_TYPE_INT, &strokewidth},
        {L"stroketransparency", CONFIG_TYPE_INT, &stroketransparency},
        {L"dropshadow", CONFIG_TYPE_INT, &dropshadow},
        {L"dropshadowtransparency", CONFIG_TYPE_INT, &dropshadowtransparency},
        {L"dropshadowcolor", CONFIG_TYPE_INT, &dropshadowcolor},
        {L"dropshadowangle", CONFIG_TYPE_INT, &dropshadowangle},
        {L"dropshadowsize", CONFIG_TYPE_INT, &dropshadowsize},
        {L"dropshadowdistance", CONFIG_TYPE_INT, &dropshadowdistance},
        {L"fadeIn", CONFIG_TYPE_INT, &fadeIn},
        {L"fadeInduration", CONFIG_TYPE_INT, &fadeInduration},
        {L"fadeOut", CONFIG_TYPE_INT, &fadeOut},
        {L"fadeOutduration", CONFIG_TYPE_INT, &fadeOutduration},
        {L"timelineAllVideo", CONFIG_TYPE_INT, &timelineAllVideo},
        {L"timelineStartTime", CONFIG_TYPE_STRING, &timelineStartTime},
        {L"timelineEndTime", CONFIG_TYPE_STRING, &timelineEndTime},
        {L"timelineType", CONFIG_TYPE_INT, &timelineType},
        {L"timelineOffsetTime", CONFIG_TYPE_STRING, &timelineOffsetTime},
        {L"timelineDurationTime", CONFIG_TYPE_STRING, &timelineDurationTime},
    };
    for (const auto& p : params)
        AddParam(this, p.key, p.type, p.member, 0);
    CreateSchema();
}

void CWatermarkObj::CreateSchema()
{
    auto spin = [this](UINT label, CSchemaProperties* g, int32_t id, int32_t* f, int32_t max) {
        return AddProperty(label, g, id, SCHEMA_TYPE_INT, f, SPF_SPIN, SPB_NONE, 0, max);
    };
    auto options = [](CSchemaProperty* p, std::initializer_list<std::pair<int32_t, const wchar_t*>> list) {
        for (const auto& [value, label] : list) CSchemaProperty::AddOption(p, value, label);
    };
    // A switch row with its detail rows below it; the first detail row is the
    // switch itself again.
    auto withChildren = [this](UINT label, CSchemaProperties* g, int32_t id, int32_t* f) {
        CSchemaProperty* p = AddProperty(label, g, id, SCHEMA_TYPE_INT, f, SPF_SWITCH);
        p->nestedGroup = std::make_unique<CSchemaProperties>();
        AddProperty(283, p->nestedGroup.get(), 0, SCHEMA_TYPE_INT, f, SPF_SWITCH | SPF_REBUILD);
        return p->nestedGroup.get();
    };

    CSchemaProperties* main = AddGroup(61378, kMainGroup);
    AddProperty(250, main, kTextId, SCHEMA_TYPE_STRING, &text, 0);
    options(AddProperty(61438, main, kStretchingId, SCHEMA_TYPE_INT, &stretching, SPF_NO_TYPING),
            {{0, L"None"}, {1, L"Width"}, {2, L"Height"}});
    spin(61439, main, 0, &transparency, 100);
    spin(244, main, 0, &angel, 360);
    AddProperty(261, main, kPathId, SCHEMA_TYPE_STRING, &path, SPF_BUTTON, SPB_IMAGE_FILE);
    FillResizeList(AddProperty(280, main, kResizeId, SCHEMA_TYPE_STRING, &resize, SPF_FRAME_SIZE));

    CSchemaProperties* place = AddGroup(61432, kPlaceGroup);
    options(AddProperty(61435, place, kPlacementId, SCHEMA_TYPE_INT, &placement, SPF_NO_TYPING),
            {{0, L"Top-Left"}, {1, L"Top-Center"}, {2, L"Top-Right"}, {3, L"Center-Left"},
             {4, L"Center-Center"}, {5, L"Center-Right"}, {6, L"Bottom-Left"}, {7, L"Bottom-Center"},
             {8, L"Bottom-Right"}});
    AddProperty(61433, place, 0, SCHEMA_TYPE_INT, &x, 0);
    AddProperty(61434, place, 0, SCHEMA_TYPE_INT, &y, 0);
    AddProperty(61436, place, kWidthId, SCHEMA_TYPE_INT, &width, 0);
    AddProperty(61437, place, kHeightId, SCHEMA_TYPE_INT, &height, 0);

    CSchemaProperties* colours = AddGroup(245, kColorGroup);
    AddProperty(249, colours, 0, SCHEMA_TYPE_INT, &color, SPF_COLOR);
    options(AddProperty(246, colours, kFigureTypeId, SCHEMA_TYPE_INT, &figure_type, SPF_NO_TYPING | SPF_REBUILD),
            {{kFigureFill, L"Fill"}, {kFigureFrame, L"Frame"}});
    spin(247, colours, kCurveId, &curve, 100);
    spin(248, colours, kBorderId, &border, 20);
    CSchemaProperties* outline = withChildren(281, colours, kStrokeId, &stroke);
    AddProperty(249, outline, kStrokeColorId, SCHEMA_TYPE_INT, &strokecolor, SPF_COLOR);
    spin(61436, outline, kStrokeWidthId, &strokewidth, 20);
    spin(61439, outline, kStrokeTransparencyId, &stroketransparency, 100);
    CSchemaProperties* shadow = withChildren(282, colours, kShadowId, &dropshadow);
    AddProperty(249, shadow, kShadowColorId, SCHEMA_TYPE_INT, &dropshadowcolor, SPF_COLOR);
    spin(61439, shadow, kShadowTransparencyId, &dropshadowtransparency, 100);
    spin(244, shadow, kShadowAngleId, &dropshadowangle, 360);
    spin(253, shadow, kShadowSizeId, &dropshadowsize, 20);
    spin(291, shadow, kShadowDistanceId, &dropshadowdistance, 20);

    CSchemaProperties* font = AddGroup(251, kFontGroup);
    AddProperty(252, font, 0, SCHEMA_TYPE_STRING, &font_name, SPF_FONTS | SPF_NO_TYPING);
    CSchemaProperty* size = AddProperty(253, font, 0, SCHEMA_TYPE_INT, &font_size, 0);
    for (int32_t points : {8, 9, 10, 12, 14, 16, 18, 20, 22, 26, 30, 32, 40, 48})
        CSchemaProperty::AddOption(size, points, std::to_wstring(points));
    AddProperty(254, font, 0, SCHEMA_TYPE_INT, &font_bold, SPF_SWITCH);
    AddProperty(255, font, 0, SCHEMA_TYPE_INT, &font_italic, SPF_SWITCH);
    AddProperty(256, font, 0, SCHEMA_TYPE_INT, &font_underline, SPF_SWITCH);
    AddProperty(257, font, 0, SCHEMA_TYPE_INT, &font_strikeout, SPF_SWITCH);
    options(AddProperty(258, font, 0, SCHEMA_TYPE_INT, &font_align, SPF_NO_TYPING),
            {{0, L"Left"}, {1, L"Center"}, {2, L"Right"}});
    FillCharsetList(AddProperty(259, font, 0, SCHEMA_TYPE_INT, &font_charset, SPF_NO_TYPING));

    if (m_videoOutput != 1) return;
    CSchemaProperties* fades = AddGroup(292, kFadeGroup);
    spin(310, withChildren(308, fades, kShadowId, &fadeIn), kFadeInDurationId, &fadeInduration, 100);
    // Its own label (309), not the fade-in's: two rows named alike read as one twice.
    spin(310, withChildren(309, fades, kShadowId, &fadeOut), kFadeOutDurationId, &fadeOutduration, 100);

    CSchemaProperties* range = AddGroup(307, kTimeRangeGroup);
    AddProperty(283, range, 0, SCHEMA_TYPE_INT, &timelineAllVideo, SPF_SWITCH | SPF_REBUILD);
    CSchemaProperty* type =
        AddProperty(296, range, kTimelineTypeId, SCHEMA_TYPE_INT, &timelineType, SPF_NO_TYPING | SPF_REBUILD);
    CSchemaProperty::AddOptionById(489, type, 0);
    CSchemaProperty::AddOptionById(490, type, 1);
    CSchemaProperty::AddOptionById(491, type, 2);
    AddProperty(294, range, kStartTimeId, SCHEMA_TYPE_STRING, &timelineStartTime, 0);
    AddProperty(295, range, kEndTimeId, SCHEMA_TYPE_STRING, &timelineEndTime, 0);
    AddProperty(297, range, kOffsetTimeId, SCHEMA_TYPE_STRING, &timelineOffsetTime, 0);
    AddProperty(298, range, kDurationTimeId, SCHEMA_TYPE_STRING, &timelineDurationTime, 0);
}

void CWatermarkObj::FillCharsetList(CSchemaProperty* property)
{
    // The option values are character set codes, so a stored choice means the
    // same script on every machine whatever fonts it has.
    for (const FontScript& script : GetFontCatalog().GetScripts(font_name))
        CSchemaProperty::AddOption(property, script.charset, script.name);
}

void CWatermarkObj::FillResizeList(CSchemaProperty* property)
{
    CImageDefSizes sizes(0);
    for (size_t i = 0; i < sizes.GetCount(); ++i)
        CSchemaProperty::AddOption(property, sizes.GetItem(i).value, sizes.GetItem(i).text);
}

uint32_t CWatermarkObj::IsMovable() const
{
    return IsShape(watermark_id) ? 0 : 1;
}

void CWatermarkObj::UpdateStates()
{
    const int32_t k = watermark_id;
    const bool video = m_videoOutput == 1;
    SetFlag(kFontGroup, Hidden(k == kKindText), true);
    SetFlag(kTextId, Hidden(k == kKindText), true);
    SetFlag(kWidthId, Hidden(IsShape(k)), true);
    SetFlag(kHeightId, Hidden(IsShape(k)), true);
    SetFlag(kResizeId, Hidden(k == kKindText || k == kKindImage || k == kKindMedia), true);
    SetFlag(kStretchingId, Hidden(IsShape(k)), true);
    SetFlag(kPathId, Hidden(k == kKindImage || k == kKindMedia), true);
    SetFlag(kColorGroup, Hidden(HasColours(k)), true);
    SetFlag(kFigureTypeId, Hidden(IsShape(k)), true);
    SetFlag(kCurveId, Hidden(k == kKindShape), true);
    SetFlag(kBorderId, Hidden(IsShape(k) && figure_type == kFigureFrame), true);
    SetFlag(kStrokeId, Hidden(HasColours(k)), true);
    SetFlag(kShadowId, Hidden(HasColours(k)), true);
    if (HasColours(k)) {
        for (int32_t id : {kStrokeColorId, kStrokeWidthId, kStrokeTransparencyId})
            SetFlag(id, Hidden(stroke != 0), true);
        for (int32_t id : {kShadowTransparencyId, kShadowColorId, kShadowAngleId, kShadowSizeId, kShadowDistanceId})
            SetFlag(id, Hidden(dropshadow != 0), true);
    }
    if (!video) {
        SetFlag(kFadeGroup, 1, true);
        SetFlag(kTimeRangeGroup, 1, true);
    }
    const bool ranged = video && timelineAllVideo != 0;
    SetFlag(kFadeInDurationId, Hidden(video && fadeIn != 0), true);
    SetFlag(kFadeOutDurationId, Hidden(video && fadeOut != 0), true);
    SetFlag(kTimelineTypeId, Hidden(ranged), true);
    SetFlag(kStartTimeId, Hidden(ranged && timelineType == 1), true);
    SetFlag(kEndTimeId, Hidden(ranged && timelineType == 1), true);
    SetFlag(kOffsetTimeId, Hidden(ranged && timelineType == 2), true);
    SetFlag(kDurationTimeId, Hidden(ranged && timelineType == 2), true);
}
