// The profile choosers' rows and the format lists' rows, selections and
// descriptions.
#include "wx/WxTestSupport.h"
#include "controls/ResTestLibrary.h"
#include "controls/format/ListViewFrame.h"
#include "controls/res/ResourceBridge.h"
#include "controls/profile/ProfileRows.h"
#include "model/profile/ProfilesMng.h"
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/listctrl.h>

namespace {

TEST(ProfileRows, HeadingsFlushLeftProfilesIndentedAndTheCurrentOneSelected)
{
    CProfilesMng profiles;
    profiles.AddEntry(L"Custom", L"", 0, 0, 0);
    profiles.AddEntry(L"Phone", L"Phone", 0, 1, 0);
    profiles.AddProfileFile(L"Phone 480p.vlprofile", L"Phone", 0, 1);
    profiles.m_entries[2]->m_relativePath = L"Phone\\Phone 480p.vlprofile";  // as loading the file sets it
    profiles.m_entries[1]->m_relativePath = L"Phone\\";
    const ProfileRows none = BuildProfileRows(profiles, L"");
    ASSERT_EQ(none.rows.size(), profiles.Entries().size());
    EXPECT_EQ(none.selected, 0);
    EXPECT_TRUE(none.rows[1].header);
    EXPECT_EQ(none.rows[2].text.rfind(L"        ", 0), 0u);  // indented
    EXPECT_EQ(none.rows[1].text.rfind(L" ", 0), std::wstring::npos);
    const std::wstring phone = profiles.Entries()[2]->GetRelativePath();
    ASSERT_FALSE(phone.empty());
    EXPECT_EQ(BuildProfileRows(profiles, phone).selected, 2);
    // A name that only a heading has selects row 0.
    EXPECT_EQ(BuildProfileRows(profiles, profiles.Entries()[1]->GetRelativePath()).selected, 0);
}

TEST(FormatRows, KindsListTheirFormatsAndTheAdvancedOperations)
{
    EXPECT_FALSE(FormatRowsForKind(1).empty());
    EXPECT_FALSE(FormatRowsForKind(2).empty());
    EXPECT_FALSE(FormatRowsForKind(4).empty());
    EXPECT_TRUE(FormatRowsForKind(3).empty());
    EXPECT_EQ(AdvancedRows().size(), 3u);
    EXPECT_EQ(AdvancedRowsForKind(1), (std::vector<FormatRow>{{L"Split", 2, 1}, {L"Join", 0, 2}}));
    EXPECT_EQ(AdvancedRowsForKind(4), (std::vector<FormatRow>{{L"Extract from Video", 2, 3}}));
    EXPECT_TRUE(AdvancedRowsForKind(7).empty());
    EXPECT_EQ(AdvancedDescriptionId(2, 1), 390u);
    EXPECT_EQ(AdvancedDescriptionId(4, 1), 0u);
}

class Notify : public IFormatChangeNotify {
public:
    void OnFormatChanged(int id) override { changed.push_back(id); }
    int GetCurrentFormat() override { return current; }
    std::vector<int> changed;
    int current = 13;
};

TEST(ListViewFrame, SelectingAFormatShowsItsDescriptionAndTheAdvancedListHasNoNoneForAKind)
{
    ResTestLibrary res;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "formats", wxDefaultPosition, wxSize(400, 400));
    Notify notify;
    auto* formats = new CListViewFrame;
    ASSERT_TRUE(formats->Create(frame, wxRect(0, 0, 380, 380), &notify));
    formats->SelectFormat(1, 13);
    wxString title, description;
    formats->GetSelectionText(title, description);
    EXPECT_EQ(title, "MP4");
    const long before = formats->GetList()->GetItemCount();
    formats->SelectFormat(1, 1);  // same kind: no refill
    EXPECT_EQ(formats->GetList()->GetItemCount(), before);
    formats->SelectByData(2, 19);
    EXPECT_EQ(formats->GetKind(), 2);
    formats->GetSelectionText(title, description);
    EXPECT_EQ(title, "MP3");

    auto* advanced = new CListViewFrameAdv;
    ASSERT_TRUE(advanced->Create(frame, wxRect(0, 0, 380, 380), &notify));
    EXPECT_EQ(advanced->GetList()->GetItemCount(), 3);
    advanced->FillForKind(1);
    EXPECT_EQ(advanced->GetList()->GetItemCount(), 2);
    advanced->GetSelectionText(title, description);
    EXPECT_EQ(description, KM::Res::LoadString(61393));  // nothing selected: code 1
    frame->Show();
    EXPECT_TRUE(kmtest::SaveWindowPng(*formats, "format-list"));
    frame->Destroy();
}

}  // namespace
