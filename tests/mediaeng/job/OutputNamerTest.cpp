// Output names: pattern tokens, wildcards, cases, web-safe names, the numeric
// variable, duplicates and the never-replace-the-source rule.
#include "JobTestUtil.h"
#include "mediaeng/job/settings/OutputNamer.h"
#include <fstream>

namespace {

using namespace jobtest;
using mediaeng::job::CNamingSettings;
using mediaeng::job::COutputNamer;

struct NameCase {
    const wchar_t* pattern;
    int nameCase, extCase;
    bool webSafe, useFormatExt;
    const char* source;   // file name in src/
    const char* expected; // file name in out/
};

class OutputName : public ::testing::TestWithParam<NameCase> {};

TEST_P(OutputName, FollowsThePattern)
{
    const NameCase& c = GetParam();
    const fs::path dir = TestFolder();
    CNamingSettings s;
    s.destinationFolder = (dir / "out").wstring();
    s.pattern = c.pattern;
    s.nameCase = c.nameCase;
    s.extensionCase = c.extCase;
    s.webSafe = c.webSafe;
    s.useFormatExtension = c.useFormatExt;
    s.numericStart = 5;
    s.numericIncrement = 3;
    s.numericFormat = L"%03d";
    std::tm tm{};
    tm.tm_year = 126;
    tm.tm_mon = 11;
    tm.tm_mday = 10;
    tm.tm_hour = 9;
    COutputNamer namer(s, L"mp4", std::mktime(&tm));
    const fs::path got = namer.MakeName(dir / "My Folder" / c.source, 1);
    EXPECT_EQ(got.parent_path(), (dir / "out").lexically_normal());
    EXPECT_EQ(got.filename().string(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Patterns, OutputName, ::testing::Values(
    NameCase{L"*.*", 0, 0, false, true, "clip.avi", "clip.mp4"},
    NameCase{L"*", 0, 0, false, true, "clip.avi", "clip.mp4"},
    NameCase{L"%f_small", 0, 0, false, true, "clip.avi", "clip_small.mp4"},
    NameCase{L"%f.%e", 0, 0, false, true, "clip.avi", "clip.mp4"},
    NameCase{L"%n-%f", 0, 0, false, true, "clip.avi", "005-clip.mp4"},
    NameCase{L"%i_%p_%u", 0, 0, false, true, "clip.avi", "2_My Folder_20261210-090000.mp4"},
    NameCase{L"%f 100%%", 0, 0, false, true, "clip.avi", "clip 100%.mp4"},
    NameCase{L"%f.txt", 0, 0, false, true, "clip.avi", "clip.mp4"},
    NameCase{L"%f.txt", 0, 0, false, false, "clip.avi", "clip.txt"},
    NameCase{L"*.*", 2, 1, false, true, "Clip.avi", "CLIP.mp4"},
    NameCase{L"*.*", 1, 2, false, true, "Clip.avi", "clip.MP4"},
    NameCase{L"*.*", 0, 0, true, true, "Café au lait (1)!.avi", "Cafe_au_lait_1_.mp4"},
    NameCase{L"a/b\\c", 0, 0, false, true, "clip.avi", "a_b_c.mp4"},
    NameCase{L"", 0, 0, false, true, "clip.avi", "clip.mp4"}));

TEST(OutputNamer, DuplicatesAreNumberedWhenOverwriteIsOff)
{
    const fs::path dir = TestFolder();
    fs::create_directories(dir / "out");
    std::ofstream(dir / "out" / "clip.mp4") << "x";
    CNamingSettings s;
    s.destinationFolder = (dir / "out").wstring();
    s.overwrite = false;
    s.duplicateFormat = L"(%d)";
    COutputNamer namer(s, L"mp4", 0);
    EXPECT_EQ(namer.MakeName(dir / "clip.avi", 0).filename(), "clip_(1).mp4");
    EXPECT_EQ(namer.MakeName(dir / "a" / "clip.mkv", 1).filename(), "clip_(2).mp4");  // taken in this batch

    s.overwrite = true;
    COutputNamer overwriting(s, L"mp4", 0);
    EXPECT_EQ(overwriting.MakeName(dir / "clip.avi", 0).filename(), "clip.mp4");
    EXPECT_EQ(overwriting.MakeName(dir / "b" / "clip.avi", 1).filename(), "clip_(1).mp4");  // never two outputs in one
}

TEST(OutputNamer, NeverNamesTheOutputAfterItsSource)
{
    const fs::path dir = TestFolder();
    const fs::path src = dir / "clip.mp4";
    std::ofstream(src) << "x";
    CNamingSettings s;  // beside the source, overwrite on
    COutputNamer namer(s, L"mp4", 0);
    const fs::path got = namer.MakeName(src, 0);
    EXPECT_EQ(got.filename(), "clip_01.mp4");
}

TEST(OutputNamer, MalformedNumberFormatsFallBackWithAWarning)
{
    for (const wchar_t* bad : {L"%s", L"%d%d", L"%n", L"no number", L"%999d"}) {
        std::wstring out;
        EXPECT_FALSE(COutputNamer::FormatNumber(bad, 1, out)) << bad;
    }
    std::wstring out;
    ASSERT_TRUE(COutputNamer::FormatNumber(L"#%04d#", 42, out));
    EXPECT_EQ(out, L"#0042#");
    CNamingSettings s;
    s.pattern = L"%f_%n";
    s.numericFormat = L"%s%s%s";
    s.destinationFolder = TestFolder().wstring();
    COutputNamer namer(s, L"avi", 0);
    std::wstring warning;
    EXPECT_EQ(namer.MakeName("/x/clip.mkv", 0, &warning).filename(), "clip_00.avi");
    EXPECT_FALSE(warning.empty());
}

}  // namespace
