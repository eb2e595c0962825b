// The profile choosers' rows and the format lists' rows, selections and
// descriptions.
#include "wx/WxTestSupport.h"
#include "controls/ResTestLibrary.h"
#include "controls/format/ListViewFrame.h"
#include "controls/res/ResourceBridge.h"
#include "controls/profile/ProfileListControl.h"
#include "controls/profile/ProfileListHeader.h"
#include "controls/profile/ProfileRows.h"
#include "controls/profile/TaskGroupCaption.h"
#include "controls/timeline/TaskPaneLook.h"
#include "model/profile/ProfilesMng.h"
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/weakref.h>
#include <set>

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

// The list's one column is headed by string 515 and spans the rows' width,
// the header standing right above the rows.
TEST(ProfileListControl, HasOneColumnTitledWithItsStringAcrossTheRows)
{
    ResTestLibrary res;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "profiles", wxDefaultPosition, wxSize(400, 400));
    auto* panel = new wxPanel(frame);
    auto* list = new CProfileListControl(panel, 359, nullptr);
    frame->Show();
    list->Place(wxRect(5, 10, 300, 200));
    CProfileListHeader* header = list->Header();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetColumnCount(), 1u);
    EXPECT_EQ(header->GetTitle(), KM::Res::LoadString(CProfileListControl::kColumnTitle));
    EXPECT_FALSE(header->GetTitle().empty());
    EXPECT_EQ(header->GetPosition(), wxPoint(5, 10));
    EXPECT_GT(header->GetSize().y, 0);
    EXPECT_EQ(list->GetPosition(), wxPoint(5, 10 + header->GetSize().y));
    EXPECT_EQ(list->GetSize().y + header->GetSize().y, 200);
    EXPECT_EQ(header->GetColumnWidth(), list->GetClientSize().x);
    list->Place(wxRect(0, 0, 180, 120));  // narrower: the column follows
    EXPECT_EQ(header->GetColumnWidth(), list->GetClientSize().x);
    list->Hide();
    EXPECT_FALSE(header->IsShown());
    list->Show();
    EXPECT_TRUE(header->IsShown());
    wxWeakRef<wxWindow> gone = header;
    list->Destroy();
    EXPECT_FALSE(gone);  // the list takes its header with it
    frame->Destroy();
}

// A caption window shows the caption band with its text; the hot state
// draws the text in its own colour.
TEST(TaskGroupCaption, PaintsTheBandAndItsTextInThePlainOrHotColour)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "caption", wxDefaultPosition, wxSize(300, 100));
    auto* caption = new CTaskGroupCaption(frame, wxID_ANY, "Profiles", wxFont(wxFontInfo(12).Bold()));
    caption->SetSize(0, 0, 240, 28);
    frame->Show();
    auto textColours = [&](int state) {
        caption->SetState(state);
        caption->DrawTaskGroupCaption();
        const wxImage shot = kmtest::PaintToImage(*caption);
        std::set<unsigned long> colours;
        for (int y = 0; y < shot.GetHeight(); ++y)
            for (int x = 0; x < shot.GetWidth(); ++x)
                colours.insert(kmtest::PixelAt(shot, x, y).GetRGB());
        EXPECT_EQ(kmtest::PixelAt(shot, 230, 2), KM::Res::ColourFromRef(TaskPaneLook::kCaptionFill));
        return colours;
    };
    const auto plain = textColours(0);
    EXPECT_TRUE(plain.count(KM::Res::ColourFromRef(TaskPaneLook::kCaptionText).GetRGB()));
    const auto hot = textColours(CTaskGroupCaption::kHot);
    EXPECT_TRUE(hot.count(KM::Res::ColourFromRef(TaskPaneLook::kCaptionHotText).GetRGB()));
    EXPECT_FALSE(hot.count(KM::Res::ColourFromRef(TaskPaneLook::kCaptionText).GetRGB()));
    frame->Destroy();
}

// In the profile list a group heading is drawn as a task-pane group caption
// (hot under the pointer); a profile row stays white, and a selected heading
// is highlighted like any selected row.
TEST(ProfileListControl, GroupHeadingsAreDrawnAsCaptionsThatTurnHotUnderThePointer)
{
    ResTestLibrary res;
    CProfilesMng profiles;
    profiles.AddEntry(L"Custom", L"", 0, 0, 0);
    profiles.AddEntry(L"Phone", L"Phone", 0, 1, 0);
    profiles.AddProfileFile(L"Phone 480p.vlprofile", L"Phone", 0, 1);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "profiles", wxDefaultPosition, wxSize(400, 300));
    auto* panel = new wxPanel(frame);
    auto* list = new CProfileListControl(panel, 359, nullptr);
    list->SetProfileSource(&profiles);
    frame->Show();
    list->Place(wxRect(0, 0, 300, 200));
    list->Fill(L"");
    ASSERT_EQ(list->Rows().size(), 3u);
    ASSERT_TRUE(list->Rows()[1].header);
    const wxColour fill = KM::Res::ColourFromRef(TaskPaneLook::kCaptionFill);
    auto rowColours = [&](size_t row) {
        const wxImage shot = kmtest::PaintToImage(*list);
        const wxRect r = list->GetItemRect(row);
        std::set<unsigned long> colours;
        for (int y = r.y; y < r.GetBottom(); ++y)
            for (int x = r.x; x < r.GetRight(); ++x)
                colours.insert(kmtest::PixelAt(shot, x, y).GetRGB());
        return colours;
    };
    const wxRect heading = list->GetItemRect(1);
    auto rightEdge = [&](size_t row) {
        const wxRect r = list->GetItemRect(row);
        return kmtest::PixelAt(kmtest::PaintToImage(*list), r.GetRight() - 3, r.y + r.height / 2);
    };
    EXPECT_EQ(rightEdge(1), fill);
    EXPECT_EQ(rightEdge(2), *wxWHITE);
    const auto plain = rowColours(1);
    EXPECT_TRUE(plain.count(KM::Res::ColourFromRef(TaskPaneLook::kCaptionText).GetRGB()));

    wxMouseEvent move(wxEVT_MOTION);
    move.SetPosition(wxPoint(20, heading.y + heading.height / 2));
    list->ProcessWindowEvent(move);
    EXPECT_EQ(list->HotRow(), 1);
    const auto hot = rowColours(1);
    EXPECT_TRUE(hot.count(KM::Res::ColourFromRef(TaskPaneLook::kCaptionHotText).GetRGB()));
    EXPECT_FALSE(hot.count(KM::Res::ColourFromRef(TaskPaneLook::kCaptionText).GetRGB()));
    move.SetPosition(wxPoint(20, list->GetItemRect(2).y + 2));  // a profile row is never hot
    list->ProcessWindowEvent(move);
    EXPECT_EQ(list->HotRow(), -1);

    list->SetSelection(1);
    EXPECT_EQ(rightEdge(1), wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    frame->Destroy();
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

namespace {

// Clicks as the mouse gives them: a click on an icon reports its format and
// shows its description; a click between the icons changes nothing and
// shows the owner's format again.
TEST(ListViewFrame, AClickOnAnIconReportsItsFormatAndOneBetweenIconsRestoresTheOwners)
{
    ResTestLibrary res;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "formats", wxDefaultPosition, wxSize(400, 500));
    Notify notify;
    auto* formats = new CListViewFrame;
    ASSERT_TRUE(formats->Create(frame, wxRect(0, 0, 380, 460), &notify));
    frame->Show();
    formats->SelectFormat(1, 13);
    wxListCtrl& list = *formats->GetList();
    ASSERT_GT(list.GetItemCount(), 2);
    const long mp4 = formats->SelectedRow();
    const long other = mp4 == 0 ? 1 : 0;
    const int otherFormat = static_cast<int>(list.GetItemData(other));

    kmtest::ClickListRow(list, other);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !notify.changed.empty(); }));
    EXPECT_EQ(notify.changed, std::vector<int>{otherFormat});
    EXPECT_EQ(formats->SelectedRow(), other);
    wxString title, description;
    formats->GetSelectionText(title, description);
    EXPECT_NE(title, "MP4");

    // Below the last icon row, where no icon is.
    wxWindow& inner = kmtest::ListMouseWindow(list);
    const wxPoint last = kmtest::ListRowPoint(list, list.GetItemCount() - 1);
    const wxPoint empty(inner.GetClientSize().x - 3, std::min(last.y + 100, inner.GetClientSize().y - 3));
    kmtest::Click(inner, empty);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return formats->SelectedRow() == mp4; }));
    EXPECT_EQ(notify.changed.size(), 1u);  // nothing reported
    formats->GetSelectionText(title, description);
    EXPECT_EQ(title, "MP4");
    frame->Destroy();
}

}  // namespace
