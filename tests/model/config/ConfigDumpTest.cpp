// Profile text written by DumpParams.
#include "model/config/ConfigMng.h"
#include "platform/TextConv.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {
fs::path TestDir()
{
    const char* d = std::getenv("KM_TEST_DIR");
    return d ? fs::path(d) : fs::temp_directory_path();
}

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CDumpNode : public CConfigMng {
public:
    CDumpNode()
    {
        AddPrefixedParam(this, L"bitrate", L"video_file", CONFIG_TYPE_INT, &rate, 1);
        AddPrefixedParam(this, L"destination", L"video_file", CONFIG_TYPE_STRING, &dest, 1);
        AddParam(this, L"start", CONFIG_TYPE_INT64, &start, 1);  // never in profiles
        AddParam(this, L"source_type", CONFIG_TYPE_INT, &sourceType, 0);
        AddPrefixedParam(this, L"width", L"image_file", CONFIG_TYPE_INT, &width, 2);
    }
    int32_t rate = -128, sourceType = 1, width = 640;
    std::wstring dest = L"/out/caf\u00E9 \u4E2D";
    int64_t start = 5;
};
}

TEST(ConfigDump, WritesFlaggedParametersWithCrLf)
{
    fs::path path = TestDir() / "dump.vlprofile";
    std::ofstream(path) << "old contents that must go away entirely";
    CDumpNode n;
    EXPECT_EQ(n.DumpParams(Utf8ToWide(path.string())), 1);
    EXPECT_EQ(ReadAll(path), "video_file.bitrate:-128;\r\n"
                             "video_file.destination:/out/caf\xE9 #;\r\n"
                             "image_file.width:640;\r\n");
}

TEST(ConfigDump, EmptyWhenNothingIsFlagged)
{
    fs::path path = TestDir() / "empty.vlprofile";
    CConfigMng n;
    EXPECT_EQ(n.DumpParams(Utf8ToWide(path.string())), 1);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST(ConfigDump, ReportsAFileThatCannotBeWritten)
{
    fs::path path = TestDir() / "no such folder" / "x.vlprofile";
    CDumpNode n;
    EXPECT_EQ(n.DumpParams(Utf8ToWide(path.string())), 0);
    EXPECT_FALSE(fs::exists(path.parent_path()));
}

TEST(ConfigDump, KeepsWithinTheLineAndTextLimits)
{
    // A line too long for the profile reader is left out whole; the text stops
    // before 65,000 units.
    class CBigNode : public CConfigMng {
    public:
        CBigNode()
        {
            AddParam(this, L"long", CONFIG_TYPE_STRING, &longText, 1);
            AddParam(this, L"fits", CONFIG_TYPE_STRING, &fits, 1);
            for (auto& s : many) AddParam(this, L"m", CONFIG_TYPE_STRING, &s, 1);
        }
        std::wstring longText = std::wstring(600, L'x');
        std::wstring fits = std::wstring(504, L'y');  // "fits:" + 504 + ";\n" = 511 units
        std::wstring many[200] = {};
    } n;
    for (auto& s : n.many) s = std::wstring(400, L'z');
    fs::path path = TestDir() / "big.vlprofile";
    ASSERT_EQ(n.DumpParams(Utf8ToWide(path.string())), 1);
    std::string text = ReadAll(path);
    EXPECT_EQ(text.find("long:"), std::string::npos);
    EXPECT_EQ(text.rfind("fits:", 0), 0u);
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_LT(text.size() - lines, 65000u);  // in units, without the CRs text mode adds
    EXPECT_EQ(text.substr(text.size() - 3), ";\r\n");
}
