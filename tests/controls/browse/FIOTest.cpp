#include "controls/browse/BrowseFile.h"
#include "controls/browse/FIO.h"
#include "controls/browse/FileFilters.h"
#include "wx/WxTestSupport.h"

#include <gtest/gtest.h>

TEST(FIO, CancelledChoosersLeaveThePathAsItWas)
{
    kmtest::ModalHook hook;  // every chooser is answered Cancel
    std::wstring path = L"/no/such/file.mp4";
    EXPECT_EQ(CFIO::OpenMediaFile(FilterForButton(SPB_MEDIA_FILE), path), 0);
    EXPECT_EQ(path, L"/no/such/file.mp4");
    std::wstring folder = L"/tmp";
    EXPECT_EQ(CFIO::BrowseForFolder(folder), 0);
    EXPECT_EQ(folder, L"/tmp");
    EXPECT_EQ(CBrowseFile::BrowseFile(L"/tmp", true, FilterForButton(SPB_IMAGE_FILE), true, nullptr), L"");
    std::vector<std::wstring> chosen{L"stale"};
    EXPECT_FALSE(CBrowseFile::BrowseFile(chosen, L"/tmp", FilterForButton(SPB_AUDIO_FILE), true, nullptr));
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(hook.Count(), 4);  // each call ran its dialog
}
