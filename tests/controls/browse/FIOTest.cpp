#include "controls/browse/BrowseFile.h"
#include "controls/browse/FIO.h"
#include "controls/browse/FileFilters.h"
#include "wx/WxTestSupport.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>

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

namespace {

// A file of the test's own folder.
std::filesystem::path TouchFile(const std::string& name)
{
    const auto path = kmtest::TestDir() / name;
    std::ofstream(path) << "x";
    return path;
}

}  // namespace

// The choosers accepted with a choice made in them: the chosen path comes
// back; the single-file chooser opens at the caller's file when it exists.
TEST(FIO, AcceptedChoosersGiveTheChosenPaths)
{
    const auto first = TouchFile("first.mp4"), second = TouchFile("second.mp4");
    kmtest::ModalHook hook;
    wxString shownFile, shownFolder;
    hook.AnswerDialog("filedialog", wxID_OK, [&](wxDialog& d) {
        auto& dialog = dynamic_cast<wxFileDialog&>(d);
        shownFile = dialog.GetFilename();
        shownFolder = dialog.GetDirectory();
        EXPECT_TRUE(kmtest::AcceptChooser(dialog, wxString(second.wstring())));
    });
    std::wstring path = first.wstring();
    EXPECT_EQ(CFIO::OpenMediaFile(FilterForButton(SPB_MEDIA_FILE), path), 1);
    EXPECT_EQ(path, second.wstring());
    EXPECT_EQ(shownFile, "first.mp4");
    EXPECT_EQ(shownFolder, wxString(kmtest::TestDir().wstring()));

    hook.AnswerDialog("dirdialog", wxID_OK, [&](wxDialog& d) {
        EXPECT_TRUE(kmtest::AcceptChooser(d, wxString(kmtest::TestDir().wstring())));
    });
    std::wstring folder = L"/tmp";
    EXPECT_EQ(CFIO::BrowseForFolder(folder), 1);
    EXPECT_EQ(folder, kmtest::TestDir().wstring());

    hook.AnswerDialog("filedialog", wxID_OK, [&](wxDialog& d) {
        EXPECT_TRUE(kmtest::AcceptChooser(d, wxString(first.wstring())));
    });
    EXPECT_EQ(CBrowseFile::BrowseFile(kmtest::TestDir().wstring().c_str(), false, FilterForButton(SPB_MEDIA_FILE), true,
                                      nullptr),
              first.wstring());
    hook.AnswerDialog("filedialog", wxID_OK, [&](wxDialog& d) {
        EXPECT_TRUE(kmtest::AcceptChooser(d, wxString(second.wstring())));
    });
    std::vector<std::wstring> chosen{L"stale"};
    EXPECT_TRUE(CBrowseFile::BrowseFile(chosen, kmtest::TestDir().wstring().c_str(), FilterForButton(SPB_MEDIA_FILE),
                                        true, nullptr));
    EXPECT_EQ(chosen, std::vector<std::wstring>{second.wstring()});

    // A caller's file that does not exist: the chooser opens with no name.
    hook.AnswerDialog("filedialog", wxID_CANCEL, [&](wxDialog& d) {
        shownFile = dynamic_cast<wxFileDialog&>(d).GetFilename();
    });
    path = (kmtest::TestDir() / "gone.mp4").wstring();
    EXPECT_EQ(CFIO::OpenMediaFile(FilterForButton(SPB_MEDIA_FILE), path), 0);
    EXPECT_EQ(shownFile, "");
    EXPECT_EQ(hook.Unexpected(), 0);
    EXPECT_EQ(hook.Pending(), 0);
}
