// Name lookups of the parameter store: which parameter each one finds.
#include "model/config/ConfigMng.h"
#include <gtest/gtest.h>

namespace {
// Registers like the project: the video output binds before the image output.
class CLookupNode : public CConfigMng {
public:
    CLookupNode()
    {
        AddPrefixedParam(this, L"destination", L"video_file", CONFIG_TYPE_STRING, &videoDest, 1);
        AddPrefixedParam(this, L"profile_name", L"video_file", CONFIG_TYPE_STRING, &profile, 1);
        AddPrefixedParam(this, L"bitrate", L"video_file", CONFIG_TYPE_INT, &videoRate, 1);
        AddPrefixedParam(this, L"destination", L"image_file", CONFIG_TYPE_STRING, &imageDest, 1);
        AddPrefixedParam(this, L"bitrate", L"image_file", CONFIG_TYPE_INT, &imageRate, 1);
        AddParam(this, L"time.start", CONFIG_TYPE_INT64, &start, 0);
        AddParam(this, L"TIME.START", CONFIG_TYPE_INT, &startInt, 0);
        AddParam(this, L".hidden", CONFIG_TYPE_INT, &hidden, 0);
        AddParam(this, L"a.b.c", CONFIG_TYPE_INT, &abc, 0);
    }
    std::wstring videoDest = L"/v", profile = L"Default", imageDest = L"/i";
    int32_t videoRate = 128, imageRate = 64, startInt = 3, hidden = 4, abc = 5;
    int64_t start = 0x100000007ll;
};

CVariant Int(int32_t v)
{
    return CVariant(v);
}
}

TEST(ConfigLookup, FindParamMatchesShortNamesExactly)
{
    CLookupNode n;
    struct Row {
        const wchar_t* name;
        void* expected;
    } rows[] = {
        {L"destination", &n.videoDest},  // the first registered wins
        {L"bitrate", &n.videoRate},
        {L"Destination", nullptr},
        {L"video_file.destination", nullptr},  // full names are not short names
        {L".hidden", &n.hidden},               // a leading dot keeps the whole name
        {L"hidden", nullptr},
        {L"b.c", &n.abc},                      // after the first dot
        {L"c", nullptr},
        {L"start", &n.start},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << std::string(r.name, r.name + wcslen(r.name)));
        void* out = &n;  // sentinel: untouched when not found
        EXPECT_EQ(n.FindParam(r.name, &out), S_OK);
        EXPECT_EQ(out, r.expected ? r.expected : &n);
    }
}

TEST(ConfigLookup, GetAndSetParamValueServeIntegersOnly)
{
    CLookupNode n;
    CVariant v;
    EXPECT_EQ(n.GetParamValue(L"bitrate", &v), S_OK);
    EXPECT_EQ(v.vt, VT_INT);
    EXPECT_EQ(v.intVal, 128);

    // Not found, and the string and 64-bit fields that a 32-bit read would tear.
    for (const wchar_t* name : {L"VIDEO_FILE.PROFILE_NAME", L"video_file.bitrate", L"destination", L"start"}) {
        CVariant untouched;
        EXPECT_EQ(n.GetParamValue(name, &untouched), S_OK);
        EXPECT_EQ(untouched.vt, VT_EMPTY);
        EXPECT_EQ(n.SetParamValue(name, Int(-9)), S_OK);
    }
    EXPECT_EQ(n.videoDest, L"/v");
    EXPECT_EQ(n.start, 0x100000007ll);
    EXPECT_EQ(n.videoRate, 128);

    CVariant nine = Int(9);
    EXPECT_EQ(n.SetParamValue(L"bitrate", nine), S_OK);
    EXPECT_EQ(n.videoRate, 9);
    EXPECT_EQ(n.imageRate, 64);
    EXPECT_EQ(nine.vt, VT_I4);  // the caller's variant is left as it was
    n.SetParamValue(L"bitrate", CVariant(L"77"));  // not an integer variant
    EXPECT_EQ(n.videoRate, 9);
}

TEST(ConfigLookup, ParamVariantMatchesFullNamesWithoutCase)
{
    CLookupNode n;
    CVariant v;
    ASSERT_EQ(n.GetParamVariant(L"VIDEO_FILE.PROFILE_NAME", &v), S_OK);
    ASSERT_EQ(v.vt, VT_BSTR);
    EXPECT_EQ(BstrToWString(v.bstrVal), L"Default");
    v.bstrVal[0] = L'X';  // a copy: the field keeps its text
    EXPECT_EQ(n.profile, L"Default");

    CVariant i;
    ASSERT_EQ(n.GetParamVariant(L"Image_File.Bitrate", &i), S_OK);
    EXPECT_EQ(i.vt, VT_INT);
    EXPECT_EQ(i.intVal, 64);

    // The 64-bit parameter is passed over; the integer registered after it answers.
    CVariant t;
    ASSERT_EQ(n.GetParamVariant(L"time.start", &t), S_OK);
    EXPECT_EQ(t.intVal, 3);

    CVariant none;
    EXPECT_EQ(n.GetParamVariant(L"bitrate", &none), S_FALSE);
    EXPECT_EQ(none.vt, VT_EMPTY);

    EXPECT_EQ(n.SetParamVariant(L"IMAGE_FILE.DESTINATION", CVariant(L"/out")), S_OK);
    EXPECT_EQ(n.imageDest, L"/out");
    EXPECT_EQ(n.SetParamVariant(L"video_file.BITRATE", Int(300)), S_OK);
    EXPECT_EQ(n.videoRate, 300);
    EXPECT_EQ(n.SetParamVariant(L"time.start", Int(11)), S_OK);
    EXPECT_EQ(n.start, 0x100000007ll);
    EXPECT_EQ(n.startInt, 11);
    EXPECT_EQ(n.SetParamVariant(L"no.such", Int(1)), S_OK);
    // A kind that does not fit the field leaves it alone.
    n.SetParamVariant(L"video_file.bitrate", CVariant(L"5"));
    n.SetParamVariant(L"video_file.destination", Int(5));
    EXPECT_EQ(n.videoRate, 300);
    EXPECT_EQ(n.videoDest, L"/v");
}

TEST(ConfigLookup, RegistrationRejectsWhatCannotBeStored)
{
    CConfigMng node;
    int32_t x = 0;
    EXPECT_EQ(CConfigMng::AddParam(nullptr, L"x", CONFIG_TYPE_INT, &x, 0), E_POINTER);
    EXPECT_EQ(CConfigMng::AddParam(&node, L"x", CONFIG_TYPE_INT, nullptr, 0), E_POINTER);
    EXPECT_EQ(CConfigMng::AddParam(&node, L"x", 1, &x, 0), E_INVALIDARG);
    EXPECT_EQ(CConfigMng::AddGroup(&node, 1, nullptr), E_POINTER);
    EXPECT_TRUE(node.Params().empty());
    EXPECT_TRUE(node.Groups().empty());
    EXPECT_EQ(CConfigMng::AddPrefixedParam(&node, L"x", L"p", CONFIG_TYPE_INT, &x, 0), S_OK);
    EXPECT_EQ(node.Params().at(0).name, L"p.x");
    EXPECT_EQ(node.Clear(), S_OK);
    EXPECT_TRUE(node.Params().empty());
}
