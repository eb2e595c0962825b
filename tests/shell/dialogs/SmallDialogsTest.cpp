#include "engine/EngineInit.h"
#include "model/output/OutputIds.h"
#include "model/project/Project.h"
#include "platform/ClassRegistry.h"
#include "platform/ResourceLibrary.h"
#include "shell/dialogs/FileNamePatternAdvDlg.h"
#include "shell/dialogs/FilenameBuilderDlg.h"
#include "shell/dialogs/JoinImageDlg.h"
#include "shell/dialogs/PatternAdvRules.h"
#include "shell/dialogs/ShellGridDialogs.h"
#include "shell/dialogs/SizeDlg.h"
#include "shell/NewProfileNameDlgImpl.h"
#include "wx/WxTestSupport.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>
#include <wx/textctrl.h>

namespace {

class SmallDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize();
        library = CResourceLibrary::Load(KM_RES_DIR);
        ASSERT_NE(library, nullptr);
        previous = GetCurrentResourceLibrary();
        SetCurrentResourceLibrary(library.get());
        project = std::make_unique<CProject>();
        frame = new wxFrame(nullptr, wxID_ANY, "dialogs");
        frame->Show();
    }
    void TearDown() override
    {
        delete frame;
        project.reset();
        SetCurrentResourceLibrary(previous);
    }
    static wxTextCtrl* Edit(wxWindow& d, int id) { return dynamic_cast<wxTextCtrl*>(d.FindWindow(id)); }
    int32_t& IntProp(CPropertiesImpl& s, int32_t id) { return *s.FindProperty(id)->IntValue(); }

    std::unique_ptr<CResourceLibrary> library;
    CResourceLibrary* previous = nullptr;
    std::unique_ptr<CProject> project;
    wxFrame* frame = nullptr;
    CShellGridDialogs dialogs;
};

}  // namespace

TEST_F(SmallDialogsTest, SizeDialogRoundTripsBothModes)
{
    kmtest::ModalHook hook;
    hook.AnswerDialog(CSizeDlg::kTemplateId, wxID_OK, [](wxDialog& d) {
        d.TransferDataToWindow();
        EXPECT_EQ(Edit(d, 1011)->GetValue(), "320");
        EXPECT_TRUE(Edit(d, 1011)->IsEnabled());
        EXPECT_FALSE(Edit(d, 1014)->IsEnabled());
        Edit(d, 1011)->ChangeValue("800");
        Edit(d, 1012)->ChangeValue("600");
        Edit(d, 1014)->ChangeValue("not read in this mode");
        EXPECT_TRUE(d.TransferDataFromWindow());
    });
    FrameSizeText size;
    size.kind = FrameSizeText::Size;
    size.width = 320;
    size.height = 240;
    ASSERT_TRUE(dialogs.EditFrameSize(frame, size));
    EXPECT_EQ(size.kind, FrameSizeText::Size);
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 600);

    hook.AnswerDialog(CSizeDlg::kTemplateId, wxID_OK, [](wxDialog& d) {
        d.TransferDataToWindow();
        // In percent mode only the percent can be typed.
        EXPECT_FALSE(Edit(d, 1011)->IsEnabled());
        EXPECT_FALSE(Edit(d, 1012)->IsEnabled());
        EXPECT_TRUE(Edit(d, 1014)->IsEnabled());
        EXPECT_EQ(Edit(d, 1014)->GetValue(), "50");
        Edit(d, 1014)->ChangeValue("75");
        EXPECT_TRUE(d.TransferDataFromWindow());
    });
    size.kind = FrameSizeText::Percent;
    size.value = 50;
    ASSERT_TRUE(dialogs.EditFrameSize(frame, size));
    EXPECT_EQ(size.kind, FrameSizeText::Percent);
    EXPECT_EQ(size.value, 75);

    hook.AnswerDialog(CSizeDlg::kTemplateId, wxID_CANCEL);
    EXPECT_FALSE(dialogs.EditFrameSize(frame, size));
    EXPECT_EQ(size.value, 75);
    EXPECT_EQ(hook.Unexpected(), 0);
}

TEST_F(SmallDialogsTest, SizeDialogRadioSwitchesTheOpenEdits)
{
    CSizeDlg d(frame);
    EXPECT_EQ(d.GetId(), CSizeDlg::kTemplateId);
    d.TransferDataToWindow();
    auto* percent = dynamic_cast<wxRadioButton*>(d.FindWindow(1013));
    ASSERT_NE(percent, nullptr);
    percent->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, 1013);
    click.SetEventObject(percent);
    percent->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(d.m_mode, CSizeDlg::kPercent);
    EXPECT_TRUE(Edit(d, 1014)->IsEnabled());
    EXPECT_FALSE(Edit(d, 1011)->IsEnabled());
}

TEST_F(SmallDialogsTest, JoinImagesEditsTheImageOutputInPlace)
{
    CPropertiesImpl& image = *project->GetImageOutput();
    IntProp(image, OUTPUT_PROP_JOIN_IMAGES) = 0;
    kmtest::ModalHook hook;
    hook.AnswerDialog(CJoinImageDlg::kTemplateId, wxID_OK, [](wxDialog& d) {
        d.TransferDataToWindow();
        EXPECT_FALSE(Edit(d, 1012)->IsEnabled());
        auto* box = dynamic_cast<wxCheckBox*>(d.FindWindow(1014));
        ASSERT_NE(box, nullptr);
        box->SetValue(true);
        wxCommandEvent click(wxEVT_CHECKBOX, 1014);
        click.SetEventObject(box);
        box->GetEventHandler()->ProcessEvent(click);
        EXPECT_TRUE(Edit(d, 1012)->IsEnabled());
        EXPECT_TRUE(Edit(d, 1013)->IsEnabled());
        Edit(d, 1012)->ChangeValue("3");
        Edit(d, 1013)->ChangeValue("4");
        EXPECT_TRUE(d.TransferDataFromWindow());
    });
    ASSERT_TRUE(dialogs.EditJoinImages(frame, image));
    EXPECT_EQ(IntProp(image, OUTPUT_PROP_JOIN_IMAGES), 1);
    EXPECT_EQ(IntProp(image, OUTPUT_PROP_IMAGES_ROWS), 3);
    EXPECT_EQ(IntProp(image, OUTPUT_PROP_IMAGES_COLS), 4);
}

TEST_F(SmallDialogsTest, PatternTokensGoInAtTheCaretAndOkWritesThePattern)
{
    CPropertiesImpl& video = *project->GetVideoOutput();
    std::wstring& pattern = *video.FindProperty(OUTPUT_PROP_FILE_NAME)->StringValue();
    pattern = L"clip";
    kmtest::ModalHook hook;
    hook.AnswerDialog(CFilenameBuilderDlg::kTemplateId, wxID_OK, [](wxDialog& d) {
        d.TransferDataToWindow();
        wxTextCtrl* edit = Edit(d, 1015);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->GetValue(), "clip");
        edit->SetSelection(1, 3);  // "li"
        wxCommandEvent click(wxEVT_BUTTON, 1018);
        d.FindWindow(1018)->GetEventHandler()->ProcessEvent(click);
        EXPECT_EQ(edit->GetValue(), "c%fp");
        EXPECT_EQ(edit->GetInsertionPoint(), 3);
        wxCommandEvent index(wxEVT_BUTTON, 1016);
        d.FindWindow(1016)->GetEventHandler()->ProcessEvent(index);
        EXPECT_EQ(edit->GetValue(), "c%f%ip");
        EXPECT_TRUE(d.TransferDataFromWindow());
    });
    ASSERT_TRUE(dialogs.EditFileNamePattern(frame, video));
    EXPECT_EQ(pattern, L"c%f%ip");
}

TEST_F(SmallDialogsTest, AdvancedPatternSpinsAndKeysClampAsTheyShould)
{
    CPropertiesImpl& video = *project->GetVideoOutput();
    IntProp(video, OUTPUT_PROP_ST_WITH) = 0;
    IntProp(video, OUTPUT_PROP_INCREMENT) = 2;
    CFileNamePatternAdvDlg d(frame, video);
    EXPECT_EQ(d.GetId(), CFileNamePatternAdvDlg::kTemplateId);
    d.TransferDataToWindow();
    d.SpinStep(1501, -1);  // below 0: stays 0
    EXPECT_EQ(Edit(d, 1126)->GetValue(), "0");
    d.SpinStep(11457, -1);  // the spin may reach 0
    d.SpinStep(11457, -1);
    EXPECT_EQ(Edit(d, 1127)->GetValue(), "0");
    Edit(d, 1127)->ChangeValue("2");
    EXPECT_TRUE(d.KeyStep(1127, false));
    EXPECT_TRUE(d.KeyStep(1127, false));  // the Down key stops at 1
    EXPECT_EQ(IntProp(video, OUTPUT_PROP_INCREMENT), 1);
    EXPECT_EQ(Edit(d, 1127)->GetValue(), "1");
    EXPECT_TRUE(d.KeyStep(1126, true));
    EXPECT_EQ(IntProp(video, OUTPUT_PROP_ST_WITH), 1);
    EXPECT_FALSE(d.KeyStep(1124, true));
}

TEST(PatternAdvRules, StepsAndFloors)
{
    EXPECT_EQ(PatternSpinStep(L"5", 1), L"6");
    EXPECT_EQ(PatternSpinStep(L"0", -1), L"0");
    EXPECT_EQ(PatternSpinStep(L"1000", 1), L"1000");
    EXPECT_EQ(PatternSpinStep(L"abc", 1), L"1");
    EXPECT_EQ(PatternSpinStep(L"-7", 1), L"0");
    EXPECT_EQ(PatternKeyStep(0, false, 0), 0);
    EXPECT_EQ(PatternKeyStep(1, false, 1), 1);
    EXPECT_EQ(PatternKeyStep(4, true, 1), 5);
}

TEST_F(SmallDialogsTest, NewProfileNameAsksWithAPromptAndReturnsTheTypedName)
{
    kmtest::ModalHook hook;
    hook.AnswerDialog(CNewProfileNameDlgImpl::kTemplateId, wxID_OK, [](wxDialog& d) {
        auto* field = dynamic_cast<wxTextCtrl*>(d.FindWindow(XRCID("515")));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->GetValue(), "user3");  // the proposed name
        bool prompt = false;
        for (wxWindow* child : d.GetChildren())
            prompt = prompt || (dynamic_cast<wxStaticText*>(child) && !child->GetLabel().empty());
        EXPECT_TRUE(prompt);
        field->SetValue("My Phone");
    });
    hook.AnswerDialog(CNewProfileNameDlgImpl::kTemplateId, wxID_CANCEL);
    CNewProfileNameDlgImpl ask;
    ask.m_name = L"user3";
    EXPECT_EQ(ask.DoModal(), CNewProfileNameDlgImpl::kIdOk);
    EXPECT_EQ(ask.m_name, L"My Phone");
    EXPECT_EQ(ask.DoModal(), 0);
    EXPECT_EQ(ask.m_name, L"My Phone");
    EXPECT_EQ(hook.Count(), 2);
}
