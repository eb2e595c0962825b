// The window test helpers themselves: dialogs answered through the hook,
// pixels of painted windows, pumping of posted calls, per-test settings.
#include "platform/Settings.h"
#include "wx/WxTestSupport.h"
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/textctrl.h>
#include <memory>
#include <thread>

using namespace kmtest;

namespace {

// A frame the test owns; destroyed (not only closed) at the end of the test.
struct FrameDeleter {
    void operator()(wxFrame* f) const { f->Destroy(); }
};
using FramePtr = std::unique_ptr<wxFrame, FrameDeleter>;

FramePtr ShownFrame(wxSize client = wxSize(200, 120))
{
    FramePtr frame(new wxFrame(nullptr, wxID_ANY, "harness"));
    frame->SetClientSize(client);
    frame->Show();
    return frame;
}

// A control that paints a red left half and a blue right half in its paint handler.
class CHalvesPanel : public wxPanel {
public:
    explicit CHalvesPanel(wxWindow* parent) : wxPanel(parent, wxID_ANY)
    {
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(this);
            const wxSize size = GetClientSize();
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(*wxRED_BRUSH);
            dc.DrawRectangle(0, 0, size.x / 2, size.y);
            dc.SetBrush(*wxBLUE_BRUSH);
            dc.DrawRectangle(size.x / 2, 0, size.x - size.x / 2, size.y);
            ++paints;
        });
    }
    int paints = 0;
};

}  // namespace

TEST(ModalHook, AnswersADialogByIdAndLetsTheTestFillIt)
{
    ModalHook hook;
    hook.AnswerDialog(360, wxID_OK, [](wxDialog& dlg) {
        auto* text = wxDynamicCast(dlg.FindWindow(1001), wxTextCtrl);
        ASSERT_NE(text, nullptr);
        text->SetValue("typed by the test");
    });
    wxDialog dlg(nullptr, 360, "Rename");
    auto* text = new wxTextCtrl(&dlg, 1001, "");
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_EQ(text->GetValue(), "typed by the test");
    EXPECT_EQ(hook.Count(), 1);
    EXPECT_EQ(hook.Unexpected(), 0);
    EXPECT_EQ(hook.Pending(), 0);
    ASSERT_EQ(hook.Texts().size(), 1u);
    EXPECT_EQ(hook.Texts()[0], "Rename");
}

TEST(ModalHook, AnswersByNameAndKeepsAnswersForLaterDialogs)
{
    ModalHook hook;
    hook.AnswerDialog(7, wxID_YES);
    hook.AnswerDialog("options", wxID_APPLY);
    wxDialog byName(nullptr, wxID_ANY, "Options", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
                    "options");
    EXPECT_EQ(byName.ShowModal(), wxID_APPLY);  // the answer for id 7 waits
    EXPECT_EQ(hook.Pending(), 1);
    wxDialog byId(nullptr, 7, "Seven");
    EXPECT_EQ(byId.ShowModal(), wxID_YES);
    EXPECT_EQ(hook.Pending(), 0);
}

TEST(ModalHook, AnswersMessageBoxesAndRecordsTheirTexts)
{
    ModalHook hook;
    hook.AnswerMessageBox(wxID_YES);
    hook.AnswerMessageBox(wxID_NO);
    EXPECT_EQ(wxMessageBox("Replace the file?", "Save", wxYES_NO), wxYES);
    wxMessageDialog dlg(nullptr, "Delete the profile?", "Profiles", wxYES_NO);
    dlg.SetExtendedMessage("It cannot be undone.");
    EXPECT_EQ(dlg.ShowModal(), wxID_NO);
    const std::vector<wxString> expected{"Save", "Replace the file?", "Profiles", "Delete the profile?",
                                         "It cannot be undone."};
    EXPECT_EQ(hook.Texts(), expected);
    EXPECT_EQ(hook.Count(), 2);
}

TEST(ModalHook, CancelsAndCountsADialogNobodyExpected)
{
    ModalHook hook;
    hook.AnswerDialog(360, wxID_OK);  // a message box does not take a dialog's answer
    EXPECT_EQ(wxMessageBox("Unexpected", "Oops", wxOK | wxCANCEL), wxCANCEL);
    wxDialog other(nullptr, 361, "Other");
    EXPECT_EQ(other.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(hook.Unexpected(), 2);
    EXPECT_EQ(hook.Pending(), 1);
}

TEST(PaintToImage, ProbesThePixelsACustomControlPaints)
{
    FramePtr frame = ShownFrame(wxSize(200, 100));
    auto* panel = new CHalvesPanel(frame.get());
    panel->SetSize(frame->GetClientSize());
    const wxImage image = PaintToImage(*panel);
    ASSERT_TRUE(image.IsOk());
    EXPECT_EQ(image.GetSize(), wxSize(200, 100));
    EXPECT_GE(panel->paints, 1);
    EXPECT_EQ(PixelAt(image, 10, 50), *wxRED);
    EXPECT_EQ(PixelAt(image, 99, 0), *wxRED);
    EXPECT_EQ(PixelAt(image, 100, 99), *wxBLUE);
    EXPECT_EQ(PixelAt(image, 199, 50), *wxBLUE);
    EXPECT_FALSE(PixelAt(image, 200, 50).IsOk());
}

TEST(PaintToImage, ShowsChildrenOfAWindowAtTheirPlaces)
{
    FramePtr frame = ShownFrame(wxSize(200, 100));
    auto* back = new wxPanel(frame.get());
    back->SetSize(frame->GetClientSize());
    back->SetBackgroundColour(*wxGREEN);
    auto* child = new CHalvesPanel(back);
    child->SetSize(120, 20, 40, 40);
    const wxImage image = PaintToImage(*back);
    ASSERT_TRUE(image.IsOk());
    EXPECT_EQ(PixelAt(image, 5, 5), *wxGREEN);
    EXPECT_EQ(PixelAt(image, 125, 40), *wxRED);
    EXPECT_EQ(PixelAt(image, 155, 40), *wxBLUE);
}

TEST(PaintToImage, SavesAScreenshotThatReadsBack)
{
    FramePtr frame = ShownFrame(wxSize(64, 32));
    auto* panel = new CHalvesPanel(frame.get());
    panel->SetSize(frame->GetClientSize());
    ASSERT_TRUE(SaveWindowPng(*panel, "harness-halves"));
    const auto path = ScreenshotDir() / "harness-halves.png";
    wxImage back(wxString::FromUTF8(path.string()), wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(back.IsOk());
    EXPECT_EQ(PixelAt(back, 2, 2), *wxRED);
    EXPECT_EQ(PixelAt(back, 60, 30), *wxBLUE);
}

TEST(RenderToImage, DrawsOnWhite)
{
    const wxImage image = RenderToImage(wxSize(20, 10), [](wxDC& dc) {
        dc.SetPen(*wxBLACK_PEN);
        dc.DrawLine(0, 5, 20, 5);
    });
    EXPECT_EQ(PixelAt(image, 3, 2), *wxWHITE);
    EXPECT_EQ(PixelAt(image, 3, 5), *wxBLACK);
}

TEST(PumpUntil, RunsCallsPostedFromAnotherThread)
{
    bool ran = false;
    std::thread worker([&] { wxTheApp->CallAfter([&] { ran = true; }); });
    worker.join();
    EXPECT_TRUE(PumpUntil([&] { return ran; }));
}

TEST(PumpUntil, GivesUpAtTheTimeOut)
{
    EXPECT_FALSE(PumpUntil([] { return false; }, std::chrono::milliseconds(20)));
}

TEST(WxTestMain, GivesEachTestItsOwnSettingsFile)
{
    auto& store = CSettingsStore::Instance();
    EXPECT_EQ(store.Path().parent_path(), TestDir());
    EXPECT_NE(store.Path().filename().string().find("GivesEachTestItsOwnSettingsFile"), std::string::npos);
    EXPECT_EQ(store.GetInt(L"Settings", L"HarnessProbe", -1), -1);
    EXPECT_TRUE(store.SetInt(L"Settings", L"HarnessProbe", 5));
}

TEST(WxTestMain, SettingsOfAnEarlierTestAreNotSeen)
{
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Settings", L"HarnessProbe", -1), -1);
}
