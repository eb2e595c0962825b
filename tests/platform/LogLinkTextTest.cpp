// Links in log lines: file names of any text survive the trip through a line
// and never end a link early or make one of their own.
#include "platform/LogLinkText.h"
#include <gtest/gtest.h>

namespace {

struct NameCase {
    const wchar_t* name;
    bool unchanged;  // an ordinary name keeps its spelling in the line
};

const NameCase kNames[] = {
    {L"clip.mp4", true},
    {L"Track #1.mp4", true},
    {L"a#b#c.mkv", true},
    {L"my holiday  video .avi", true},
    {L"50% done*.mp4", true},
    {L"été à Noël – déjà vu.mp4", true},
    {L"日本語のファイル名.mp4", true},
    {L"ends with hash#", true},
    {L"#*#", false},
    {L"x#*#y#*#5.mp4", false},
    {L"#*link*#evil#*#/etc/passwd#*#7", false},
    {L"*link*#starts-with-star", false},
    {L"%2A.mp4", false},
    {L"#%2A#%25", false},
    {L"##**##", false},
    {L"", true},
};

TEST(LogLinkText, EveryNameComesBackAsOneLinkWithItsPath)
{
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(testing::Message() << "name #" << (&c - kNames));
        const std::wstring path = std::wstring(L"/out/dir #*# x/") + c.name;
        const std::wstring line = L"Saved " + EncodeLogLink(c.name, path);
        const auto runs = ParseLogLine(line);
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[0], (STextTag{L"Saved ", L"", 0, false}));
        EXPECT_EQ(runs[1], (STextTag{c.name, path, 0, true}));
        EXPECT_EQ(EscapeLogLinkField(c.name) == c.name, c.unchanged);
        EXPECT_EQ(line.find(kLogLinkStart, 1), 6u);  // only the one marker
    }
}

TEST(LogLinkText, PlainTextWithMarkersStaysPlain)
{
    for (const NameCase& c : kNames) {
        const std::wstring source = std::wstring(L"/in/") + c.name;
        const auto runs = ParseLogLine(L"Converting " + EscapeLogText(source));
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0], (STextTag{L"Converting " + source, L"", 0, false}));
    }
}

TEST(LogLinkText, ParsesLinesAsTheLogShowsThem)
{
    struct Case {
        const wchar_t* line;
        std::vector<STextTag> runs;
    };
    const Case cases[] = {
        {L"", {}},
        {L"no link here", {{L"no link here", L"", 0, false}}},
        {L"#*link*#only text", {{L"only text", L"", 0, true}}},
        {L"a #*link*#t#*#p#*# 42tail", {{L"a ", L"", 0, false}, {L"t", L"p", 42, true}}},
        {L"#*link*#t#*#p#*#-3#*link*#u#*#q", {{L"t", L"p", -3, true}, {L"u", L"q", 0, true}}},
        {L"#*link*#t#*#p#*#x", {{L"t", L"p", 0, true}}},
        {L"#*link*#t#*#p#*#99999999999", {{L"t", L"p", INT32_MAX, true}}},
        {L"x#*link*#", {{L"x", L"", 0, false}, {L"", L"", 0, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line #" << (&c - cases));
        EXPECT_EQ(ParseLogLine(c.line), c.runs);
    }
}

TEST(LogLinkText, EncodesTheId)
{
    EXPECT_EQ(EncodeLogLink(L"a.mp4", L"/o/a.mp4", 3), L"#*link*#a.mp4#*#/o/a.mp4#*#3");
}

}  // namespace
