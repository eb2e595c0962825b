#include "RecordingNode.h"
#include "SchemaProbe.h"
#include "model/edit/FontCatalog.h"
#include "model/edit/WatermarksObj.h"
#include "platform/Archive.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

using namespace editing_test;

namespace {
const std::vector<std::wstring> kKeys = {
    L"watermark_id", L"text", L"placement", L"x", L"y", L"width", L"height", L"stretching", L"transparency",
    L"angel", L"figure_type", L"curve", L"border", L"color", L"font_name", L"font_size", L"font_bold",
    L"font_italic", L"font_underline", L"font_strikeout", L"font_align", L"font_charset", L"path", L"resize",
    L"stroke", L"strokecolor", L"strokewidth", L"stroketransparency", L"dropshadow", L"dropshadowtransparency",
    L"dropshadowcolor", L"dropshadowangle", L"dropshadowsize", L"dropshadowdistance", L"fadeIn",
    L"fadeInduration", L"fadeOut", L"fadeOutduration", L"timelineAllVideo", L"timelineStartTime",
    L"timelineEndTime", L"timelineType", L"timelineOffsetTime", L"timelineDurationTime"};

// Every registered value as text, in registration order.
std::vector<std::wstring> Values(const CWatermarkObj& w)
{
    std::vector<std::wstring> out;
    for (const ConfigParam& p : w.Params())
        out.push_back(p.type == CONFIG_TYPE_STRING ? *static_cast<const std::wstring*>(p.member)
                                                   : std::to_wstring(*static_cast<const int32_t*>(p.member)));
    return out;
}

class FakeFonts : public IFontCatalog {
public:
    FakeFonts() { m_previous = SetFontCatalog(this); }
    ~FakeFonts() override { SetFontCatalog(m_previous); }
    std::vector<std::wstring> GetFaceNames() override { return {L"Tahoma", L"Arial"}; }
    std::vector<FontScript> GetScripts(const std::wstring& face) override
    {
        asked.push_back(face);
        if (face == L"Arial") return {{L"Western", 0}, {L"Greek", 161}, {L"Cyrillic", 204}};
        return {{L"Western", 0}, {L"Cyrillic", 204}};
    }
    std::vector<std::wstring> asked;

private:
    IFontCatalog* m_previous = nullptr;
};
}

TEST(WatermarkObj, NewWatermarkHoldsTheDefaultsInRegistrationOrder)
{
    FakeFonts fonts;
    for (int32_t kind = 0; kind < 5; ++kind) {
        CWatermarkObj w(kind, 1);
        ASSERT_EQ(w.Params().size(), kKeys.size());
        for (size_t i = 0; i < kKeys.size(); ++i) {
            EXPECT_EQ(w.Params()[i].name, kKeys[i]);
            EXPECT_EQ(w.Params()[i].flag, 0u);
        }
        std::vector<std::wstring> v = Values(w);
        EXPECT_EQ(v[0], std::to_wstring(kind));
        EXPECT_EQ(v[2], L"8");
        EXPECT_EQ(v[10], L"2");
        EXPECT_EQ(v[14], L"Tahoma");
        EXPECT_EQ(v[23], L"100%");
        EXPECT_EQ(v[25], L"255");
        EXPECT_EQ(v[29], L"25");
        EXPECT_EQ(v[31], L"45");
        EXPECT_EQ(v[39], L"0:00:00");
        EXPECT_EQ(v[40], L"0:00:10");
        EXPECT_EQ(v[43], L"0:00:10");
        EXPECT_EQ(w.GetEngineItem(), nullptr);
        EXPECT_EQ(w.IsMovable(), (kind == 2 || kind == 3) ? 0u : 1u);
    }
}

TEST(WatermarkObj, CharsetOptionsAreStableCodesOfTheFontAtConstruction)
{
    FakeFonts fonts;
    CWatermarkObj w(0, 1);
    CSchemaProperty* charset = PropertyOf(w, &w.font_charset);
    ASSERT_TRUE(charset);
    ASSERT_EQ(charset->options.size(), 2u);
    EXPECT_EQ(charset->options[1].text, L"Cyrillic");
    EXPECT_EQ(charset->options[1].value, 204);

    w.font_name = L"Arial";
    w.font_charset = 161;
    CWatermarkObj copy(w);
    EXPECT_EQ(fonts.asked.back(), L"Arial");
    CSchemaProperty* copied = PropertyOf(copy, &copy.font_charset);
    ASSERT_EQ(copied->options.size(), 3u);
    EXPECT_EQ(copied->options[1].value, 161);
    EXPECT_EQ(Values(copy), Values(w));
    EXPECT_NE(copy.GetId(), w.GetId());
    EXPECT_EQ(copy.IsVideoOutput(), 1u);
    EXPECT_EQ(PropertyOf(w, &w.font_charset)->options.size(), 2u);  // not rebuilt by the name change
}

TEST(FontCatalog, SystemFontsReportScriptsByCode)
{
    std::vector<std::wstring> faces = GetFontCatalog().GetFaceNames();
    if (faces.empty()) GTEST_SKIP() << "no fonts installed";
    EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end()));
    std::vector<FontScript> scripts = GetFontCatalog().GetScripts(faces.front());
    ASSERT_FALSE(scripts.empty());
    if (std::find(faces.begin(), faces.end(), L"DejaVu Sans") != faces.end()) {
        std::vector<int32_t> codes;
        for (const FontScript& s : GetFontCatalog().GetScripts(L"DejaVu Sans")) codes.push_back(s.charset);
        for (int32_t code : {0, 204, 161})  // Western, Cyrillic, Greek
            EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << code;
    }
    // A face that is not installed still gets the scripts of its stand-in.
    EXPECT_FALSE(GetFontCatalog().GetScripts(L"No Such Face 1234").empty());
}

namespace {
// Rows of the watermark grid, in the order of the expectation strings below.
const std::vector<std::pair<const char*, std::function<const void*(CWatermarkObj&)>>> kRows = {
    {"text", [](CWatermarkObj& w) { return &w.text; }},
    {"font group", [](CWatermarkObj& w) { return &w.font_size; }},
    {"width", [](CWatermarkObj& w) { return &w.width; }},
    {"height", [](CWatermarkObj& w) { return &w.height; }},
    {"resize", [](CWatermarkObj& w) { return &w.resize; }},
    {"stretching", [](CWatermarkObj& w) { return &w.stretching; }},
    {"path", [](CWatermarkObj& w) { return &w.path; }},
    {"colour group", [](CWatermarkObj& w) { return &w.color; }},
    {"figure_type", [](CWatermarkObj& w) { return &w.figure_type; }},
    {"curve", [](CWatermarkObj& w) { return &w.curve; }},
    {"border", [](CWatermarkObj& w) { return &w.border; }},
    {"stroke", [](CWatermarkObj& w) { return &w.stroke; }},
    {"dropshadow", [](CWatermarkObj& w) { return &w.dropshadow; }},
    {"strokecolor", [](CWatermarkObj& w) { return &w.strokecolor; }},
    {"dropshadowcolor", [](CWatermarkObj& w) { return &w.dropshadowcolor; }},
    {"fadeInduration", [](CWatermarkObj& w) { return &w.fadeInduration; }},
    {"fadeOutduration", [](CWatermarkObj& w) { return &w.fadeOutduration; }},
    {"timelineType", [](CWatermarkObj& w) { return &w.timelineType; }},
    {"timelineStartTime", [](CWatermarkObj& w) { return &w.timelineStartTime; }},
    {"timelineOffsetTime", [](CWatermarkObj& w) { return &w.timelineOffsetTime; }},
};

struct StatesCase {
    int32_t kind, figure;
    uint32_t video;
    int32_t stroke, shadow, fadeIn, allVideo, type;
    const char* hidden;  // per row: '1' hidden, '0' shown, '-' no row
};

class WatermarkUpdateStates : public ::testing::TestWithParam<StatesCase> {};
}

TEST_P(WatermarkUpdateStates, ShowsTheRowsOfKindAndSwitches)
{
    FakeFonts fonts;
    const StatesCase& c = GetParam();
    CWatermarkObj w(c.kind, c.video);
    w.figure_type = c.figure;
    w.stroke = c.stroke;
    w.dropshadow = c.shadow;
    w.fadeIn = c.fadeIn;
    w.timelineAllVideo = c.allVideo;
    w.timelineType = c.type;
    w.UpdateStates();
    for (size_t i = 0; i < kRows.size(); ++i) {
        int expected = c.hidden[i] == '-' ? -1 : c.hidden[i] - '0';
        EXPECT_EQ(HiddenOf(w, kRows[i].second(w)), expected) << kRows[i].first;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, WatermarkUpdateStates,
    ::testing::Values(StatesCase{0, 2, 1, 0, 0, 0, 0, 0, "00110110111001111111"},
                      StatesCase{0, 2, 1, 1, 1, 1, 1, 1, "00110110111000001001"},
                      StatesCase{2, 0, 1, 0, 0, 0, 1, 2, "11001010000001111010"},
                      StatesCase{3, 0, 1, 0, 0, 0, 0, 0, "11001010010001111111"},
                      StatesCase{2, 2, 1, 0, 0, 0, 0, 0, "11001010001001111111"},
                      StatesCase{1, 2, 1, 1, 1, 1, 0, 0, "11110101111111101111"},
                      StatesCase{4, 0, 0, 0, 0, 1, 1, 1, "111101011111111-----"},
                      StatesCase{0, 2, 0, 1, 0, 1, 1, 2, "001101101110001-----"},
                      StatesCase{0, 2, 1, 0, 0, 0, 1, 0, "00110110111001111011"}),
    [](const ::testing::TestParamInfo<StatesCase>& info) {
        const StatesCase& c = info.param;
        return "kind" + std::to_string(c.kind) + "_video" + std::to_string(c.video) + "_case" +
               std::to_string(info.index);
    });

TEST(WatermarkObj, DetailRowsKeepTheirStateForKindsWithoutColours)
{
    FakeFonts fonts;
    CWatermarkObj w(0, 1);
    w.stroke = 1;
    w.UpdateStates();
    w.watermark_id = 1;
    w.stroke = 0;
    w.UpdateStates();
    EXPECT_EQ(PropertyOf(w, &w.strokecolor)->hidden, 0u);  // left as it was; its group is hidden
    w.watermark_id = 0;
    w.UpdateStates();
    EXPECT_EQ(PropertyOf(w, &w.strokecolor)->hidden, 1u);
}

TEST(WatermarkObj, ImageOutputSchemaHasNoTimingGroups)
{
    FakeFonts fonts;
    CWatermarkObj image(0, 0), video(0, 1);
    EXPECT_EQ(image.groups.size(), 4u);
    EXPECT_EQ(video.groups.size(), 6u);
    EXPECT_EQ(video.FindGroup(30)->properties.size(), 2u);
}

TEST(WatermarkObj, TwoWatermarksSurviveAProjectFileRoundTrip)
{
    FakeFonts fonts;
    struct Root : CConfigMng {
        CWatermarksObj list;
        Root()
        {
            list.video_output = 1;
            AddGroup(this, 11, &list);
        }
    };
    Root saved;
    CWatermarkObj* a = saved.list.AddWatermarkKind3();
    a->figure_type = 0;
    a->color = 0x123456;
    a->timelineAllVideo = 1;
    a->timelineType = 2;
    a->timelineOffsetTime = L"0:01:02";
    CWatermarkObj* b = saved.list.AddTextWatermark();
    b->text = L"Grüße ✓";
    b->font_name = L"DejaVu Sans";
    b->font_charset = 204;
    b->dropshadow = 1;
    b->fadeOutduration = 7;
    CMemoryArchive archive;
    saved.SaveConfig(archive);

    Root loaded;
    CMemoryArchive reader(archive.Data());
    EXPECT_EQ(loaded.LoadConfig(reader), S_OK);
    ASSERT_EQ(loaded.list.GetCount(), 2u);
    EXPECT_EQ(Values(*loaded.list.GetAt(0)), Values(*a));
    EXPECT_EQ(Values(*loaded.list.GetAt(1)), Values(*b));
    EXPECT_EQ(loaded.list.GetAt(1)->IsVideoOutput(), 1u);
}

namespace {
std::vector<std::wstring> From(const std::vector<std::wstring>& log, const std::wstring& first)
{
    auto it = std::find(log.begin(), log.end(), first);
    return std::vector<std::wstring>(it, log.end());
}
}

TEST(WatermarkEngine, CreatesTheItemAndWritesEveryValueInOrder)
{
    FakeFonts fonts;
    auto log = std::make_shared<WriteLog>();
    auto format = MakeFormatNode(log);
    CWatermarkObj w(0, 1);
    w.color = 255;
    w.stroke = 1;
    w.stroketransparency = 30;
    w.font_charset = 204;
    w.CreateEngineWatermark(static_cast<IEngineNode*>(format.Get()), 0);
    ASSERT_NE(w.GetEngineItem(), nullptr);
    const std::wstring i = L"Watermarks[0]/";
    std::vector<std::wstring> expected = {
        L"CreateItem(kind 0)", i + L"posType=I4:8", i + L"posX=I4:10", i + L"posY=I4:10",
        i + L"Width=I4:100", i + L"Height=I4:100", i + L"Stretching=I4:0", i + L"Transparency=I4:0",
        i + L"Angle=I4:0", i + L"RectType=I4:2", i + L"Round=I4:0", i + L"Border=I4:2",
        i + L"Color=BSTR:0xFF0000", i + L"Text=BSTR:www.example.com", i + L"FontName=BSTR:Tahoma",
        i + L"FontSize=I4:10", i + L"FontBold=I4:0", i + L"FontItalic=I4:0", i + L"FontUnderline=I4:0",
        i + L"FontStrikeOut=I4:0", i + L"AlignPos=I4:0", i + L"FontCharset=I4:204", i + L"PathToImage=BSTR:",
        i + L"PathToFile=BSTR:", i + L"Resize=BSTR:100%", i + L"Stroke=I4:1", L"ApplySwitch(1)",
        i + L"Stroke/Color=BSTR:0xFF0000", i + L"Stroke/Width=I4:1", i + L"Stroke/Opacity=I4:70",
        i + L"DropShadow=I4:0", L"ApplySwitch(0)", i + L"DropShadow/Color=BSTR:0x000000",
        i + L"DropShadow/Opacity=I4:75", i + L"DropShadow/Angle=I4:45", i + L"DropShadow/Size=I4:4",
        i + L"DropShadow/Distance=I4:8", i + L"FadeIn=I4:0", i + L"FadeOut=I4:0"};
    EXPECT_EQ(log->entries, expected);

    // A second push replaces the item; ApplyToEngine writes into the new one.
    IUnknown* first = w.GetEngineItem();
    w.CreateEngineWatermark(static_cast<IEngineNode*>(format.Get()), 1);
    EXPECT_NE(w.GetEngineItem(), first);
    log->entries.clear();
    w.x = 33;
    w.ApplyToEngine(1);
    EXPECT_EQ(log->entries[1], L"Watermarks[1]/posX=I4:33");
}

TEST(WatermarkEngine, NoItemWithoutACollectionOrForAnUnknownKind)
{
    FakeFonts fonts;
    auto log = std::make_shared<WriteLog>();
    auto format = MakeFormatNode(log);
    CWatermarkObj odd(7, 1);
    odd.CreateEngineWatermark(static_cast<IEngineNode*>(format.Get()), 0);
    EXPECT_EQ(odd.GetEngineItem(), nullptr);
    EXPECT_TRUE(log->entries.empty());
    CWatermarkObj w(2, 1);
    w.CreateEngineWatermark(nullptr, 0);
    EXPECT_EQ(w.GetEngineItem(), nullptr);
    w.ApplyToEngine(0);  // nothing to write into

    // An item without "Timelines" still gets its fades.
    log->missing = {L"Timelines"};
    w.timelineAllVideo = 1;
    w.CreateEngineWatermark(static_cast<IEngineNode*>(format.Get()), 0);
    EXPECT_EQ(log->entries.back(), L"Watermarks[0]/FadeOut=I4:0");
}

namespace {
struct TimingCase {
    uint32_t video, skip;
    int32_t fadeIn, fadeOut, allVideo, type;
    std::vector<std::wstring> writes;  // after the shadow's writes
};

class WatermarkTiming : public ::testing::TestWithParam<TimingCase> {};
}

TEST_P(WatermarkTiming, WritesFadesAndTheTimeRange)
{
    FakeFonts fonts;
    const TimingCase& c = GetParam();
    auto log = std::make_shared<WriteLog>();
    auto format = MakeFormatNode(log);
    CWatermarkObj w(1, c.video);
    w.fadeIn = c.fadeIn;
    w.fadeInduration = 5;
    w.fadeOut = c.fadeOut;
    w.fadeOutduration = 6;
    w.timelineAllVideo = c.allVideo;
    w.timelineType = c.type;
    w.timelineStartTime = L"0:00:01";
    w.timelineEndTime = L"0:00:02";
    w.timelineOffsetTime = L"0:00:03";
    w.timelineDurationTime = L"0:00:04";
    w.CreateEngineWatermark(static_cast<IEngineNode*>(format.Get()), c.skip);
    std::vector<std::wstring> tail = From(log->entries, L"Watermarks[0]/DropShadow/Distance=I4:8");
    ASSERT_FALSE(tail.empty());
    tail.erase(tail.begin());
    EXPECT_EQ(tail, c.writes);
}

namespace {
const std::wstring T = L"Watermarks[0]/Timelines[0]/";
}

INSTANTIATE_TEST_SUITE_P(
    Table, WatermarkTiming,
    ::testing::Values(
        TimingCase{0, 0, 1, 1, 1, 1, {}},  // image output: never timing
        TimingCase{1, 1, 1, 1, 1, 1, {}},  // skip timing
        TimingCase{1, 0, 0, 0, 0, 0, {L"Watermarks[0]/FadeIn=I4:0", L"Watermarks[0]/FadeOut=I4:0"}},
        TimingCase{1, 0, 1, 0, 0, 0, {L"Watermarks[0]/FadeIn=I4:5", L"Watermarks[0]/FadeOut=I4:0"}},
        TimingCase{1, 0, 0, 1, 1, 0,
                   {L"Watermarks[0]/FadeIn=I4:0", L"Watermarks[0]/FadeOut=I4:6", T + L"StartTime=BSTR:0.0",
                    T + L"EndTime=BSTR:0:00:02", T + L"EndOfFile=I4:1", T + L"EndTimeAsRelativeEndofFile=I4:0",
                    T + L"StartTimeAsRelative=I4:0"}},
        TimingCase{1, 0, 0, 0, 1, 1,
                   {L"Watermarks[0]/FadeIn=I4:0", L"Watermarks[0]/FadeOut=I4:0", T + L"StartTime=BSTR:0:00:01",
                    T + L"EndTime=BSTR:0:00:02", T + L"EndOfFile=I4:0", T + L"EndTimeAsRelativeEndofFile=I4:0",
                    T + L"StartTimeAsRelative=I4:0"}},
        TimingCase{1, 0, 0, 0, 1, 2,
                   {L"Watermarks[0]/FadeIn=I4:0", L"Watermarks[0]/FadeOut=I4:0", T + L"StartTime=BSTR:0:00:04",
                    T + L"EndTime=BSTR:0:00:03", T + L"EndOfFile=I4:0", T + L"EndTimeAsRelativeEndofFile=I4:1",
                    T + L"StartTimeAsRelative=I4:1"}}),
    [](const ::testing::TestParamInfo<TimingCase>& info) {
        const TimingCase& c = info.param;
        return "video" + std::to_string(c.video) + "_skip" + std::to_string(c.skip) + "_fades" +
               std::to_string(c.fadeIn) + std::to_string(c.fadeOut) + "_range" + std::to_string(c.allVideo) +
               "_type" + std::to_string(c.type);
    });
