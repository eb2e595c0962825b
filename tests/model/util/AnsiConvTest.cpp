// The ANSI code page of names and profile text: Windows-1252 everywhere.
#include "model/util/AnsiConv.h"
#include <gtest/gtest.h>

TEST(AnsiConv, WindowsCodePage1252BothWays)
{
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideToAnsi(L"video_file.bitrate"), "video_file.bitrate");
    EXPECT_EQ(WideToAnsi(L"caf\u00E9 \u20AC \u201Cq\u201D"), "caf\xE9 \x80 \x93q\x94");
    EXPECT_EQ(AnsiToWide("caf\xE9 \x80 \x93q\x94"), L"caf\u00E9 \u20AC \u201Cq\u201D");
    // What the code page cannot show becomes '#', one per character.
    EXPECT_EQ(WideToAnsi(L"a\u4E2D\u0416\U0001F600b"), "a###b");
}
