#include "controls/browse/FileFilters.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(FileFilters, ProgramFiltersBecomeFileDialogWildcards)
{
    EXPECT_EQ(ToFileDialogWildcard(L"Images|*.png;*.jpg;|All files(*.*)|*.*||"), L"Images|*.png;*.jpg|All files(*.*)|*.*");
    EXPECT_EQ(ToFileDialogWildcard(L"TGA|*.tga;||"), L"TGA|*.tga");
    EXPECT_EQ(ToFileDialogWildcard(L""), L"");
    for (UINT kind : {SPB_MEDIA_FILE, SPB_IMAGE_FILE, SPB_AUDIO_FILE}) {
        const std::wstring w = ToFileDialogWildcard(FilterForButton(kind));
        EXPECT_EQ(w.find(L"||"), std::wstring::npos);
        EXPECT_EQ(w.find(L";|"), std::wstring::npos);
        EXPECT_EQ(w.back(), L'*');  // ends with "All files(*.*)|*.*"
        EXPECT_EQ(std::count(w.begin(), w.end(), L'|') % 2, 1);  // pairs
    }
    EXPECT_EQ(std::wstring(FilterForButton(SPB_FOLDER)), L"");
}

TEST(FileFilters, SelectedPathsJoinWithoutATrailingSeparator)
{
    EXPECT_EQ(JoinSelectedPaths({L"/a/b.mp4"}), L"/a/b.mp4");
    EXPECT_EQ(JoinSelectedPaths({L"/a", L"/b"}), L"/a;/b");
    EXPECT_EQ(JoinSelectedPaths({}), L"");
}
