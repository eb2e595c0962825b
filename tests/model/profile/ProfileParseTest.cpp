// Reading ".vlprofile" text: line ends, colons in values, names, limits.
#include "model/config/ConfigMng.h"
#include "model/profile/ProfileEntry.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Value {
    std::wstring name;
    VARTYPE vt;
    int32_t number;
    std::wstring text;
    bool operator==(const Value&) const = default;
};

void PrintTo(const Value& v, std::ostream* os)
{
    *os << std::string(v.name.begin(), v.name.end()) << " vt " << v.vt << " " << v.number << " "
        << std::string(v.text.begin(), v.text.end());
}

class ProfileParse : public ::testing::Test {
protected:
    ProfileParse()
    {
        CConfigMng::AddParam(&node, L"video_file.destination", CONFIG_TYPE_STRING, &destination, 0);
        CConfigMng::AddParam(&node, L"video_file.video_bitrate", CONFIG_TYPE_INT, &bitrate, 1);
        CConfigMng::AddParam(&node, L"audio_file.audio_codec", CONFIG_TYPE_STRING, &codec, 1);
    }
    std::vector<Value> Parse(const std::string& text)
    {
        CProfileEntry entry(L"x", &node, 0, 0, 0);
        entry.Parse(text);
        std::vector<Value> out;
        for (const auto& [name, v] : entry.m_values)
            out.push_back({name, v.vt, v.vt == VT_I4 ? v.lVal : 0, v.vt == VT_BSTR ? v.AsString() : L""});
        return out;
    }
    CConfigMng node;
    std::wstring destination, codec;
    int32_t bitrate = 0;
};

Value I(const wchar_t* name, int32_t v) { return {name, VT_I4, v, L""}; }
Value S(const wchar_t* name, const wchar_t* v) { return {name, VT_BSTR, 0, v}; }

TEST_F(ProfileParse, Table)
{
    const std::string longValue(600, 'a');
    struct Row {
        const char* label;
        std::string text;
        std::vector<Value> expected;
    } rows[] = {
        {"CR LF", "video_file.video_bitrate:3000;\r\naudio_file.audio_codec:MP3;\r\n",
         {I(L"video_file.video_bitrate", 3000), S(L"audio_file.audio_codec", L"MP3")}},
        {"LF", "video_file.video_bitrate:3000;\naudio_file.audio_codec:MP3;\n",
         {I(L"video_file.video_bitrate", 3000), S(L"audio_file.audio_codec", L"MP3")}},
        {"no line end", "video_file.video_bitrate:1;audio_file.audio_codec:AAC;",
         {I(L"video_file.video_bitrate", 1), S(L"audio_file.audio_codec", L"AAC")}},
        {"final ';' ends the text", "audio_file.audio_codec:AAC;", {S(L"audio_file.audio_codec", L"AAC")}},
        {"text after the last ';'", "video_file.video_bitrate:5;\r\naudio_file.audio_codec:AAC",
         {I(L"video_file.video_bitrate", 5)}},
        {"drive letter", "video_file.destination:C:\\Videos\\out;\r\n",
         {S(L"video_file.destination", L"C:\\Videos\\out")}},
        {"colons in value", "video_file.destination:a:b:c;", {S(L"video_file.destination", L"a:b:c")}},
        {"upper-case name", "VIDEO_FILE.VIDEO_BITRATE:77;\n", {I(L"VIDEO_FILE.VIDEO_BITRATE", 77)}},
        {"unknown name", "video_file.nothing:1;\nvideo_file.video_bitrate:2;\n", {I(L"video_file.video_bitrate", 2)}},
        {"no colon", "video_file.video_bitrate;\n", {}},
        {"long entry dropped, next kept",
         "video_file.destination:" + longValue + ";\r\nvideo_file.video_bitrate:9;\r\n",
         {I(L"video_file.video_bitrate", 9)}},
        {"number like atol", "video_file.video_bitrate: -12abc;\n", {I(L"video_file.video_bitrate", -12)}},
        {"no number", "video_file.video_bitrate:abc;\n", {I(L"video_file.video_bitrate", 0)}},
        {"number too large", "video_file.video_bitrate:99999999999;\n",
         {I(L"video_file.video_bitrate", 2147483647)}},
        {"empty value", "video_file.destination:;\n", {S(L"video_file.destination", L"")}},
        {"later value kept too", "video_file.video_bitrate:1;\nvideo_file.video_bitrate:2;\n",
         {I(L"video_file.video_bitrate", 1), I(L"video_file.video_bitrate", 2)}},
        {"ANSI text", "video_file.destination:caf\xe9;\n", {S(L"video_file.destination", L"caf\u00e9")}},
        {"empty text", "", {}},
        {"NUL ends the text", std::string("video_file.video_bitrate:4;\nvideo_file.destination:ab\0cd;\n", 58),
         {I(L"video_file.video_bitrate", 4)}},
        {"lone ';'", ";", {}},
    };
    for (const Row& r : rows) EXPECT_EQ(Parse(r.text), r.expected) << r.label;
}

TEST_F(ProfileParse, EntryOfExactlyTheLimitIsKept)
{
    std::string name = "video_file.destination:";
    std::string value(CProfileEntry::kMaxEntry - name.size(), 'v');
    auto values = Parse(name + value + ";\n");
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].text.size(), value.size());
    EXPECT_TRUE(Parse(name + value + "v;\n").empty());
}

TEST_F(ProfileParse, ApplyWritesValuesInOrderAndLaterWins)
{
    CProfileEntry entry(L"x", &node, 0, 0, 0);
    entry.Parse("video_file.video_bitrate:1;\nvideo_file.destination:D:\\out;\nvideo_file.video_bitrate:2;\n");
    entry.Apply();
    EXPECT_EQ(bitrate, 2);
    EXPECT_EQ(destination, L"D:\\out");
}

TEST_F(ProfileParse, LoadSetsRelativePathOnlyWhenTheFileWasRead)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::path(std::getenv("KM_TEST_DIR")) / "parse" / "Phone";
    fs::create_directories(dir);
    std::ofstream(dir / "small.vlprofile", std::ios::binary) << "video_file.video_bitrate:640;\r\n";

    CProfileEntry entry(L"small", &node, 0, 0, 1);
    ASSERT_TRUE(entry.Load((dir / "small.vlprofile").wstring()));
    EXPECT_EQ(entry.GetRelativePath(), L"Phone\\small.vlprofile");
    ASSERT_EQ(entry.m_values.size(), 1u);

    CProfileEntry missing(L"none", &node, 0, 0, 1);
    EXPECT_FALSE(missing.Load((dir / "none.vlprofile").wstring()));
    EXPECT_TRUE(missing.GetRelativePath().empty());
    EXPECT_TRUE(missing.m_values.empty());
}

}  // namespace
