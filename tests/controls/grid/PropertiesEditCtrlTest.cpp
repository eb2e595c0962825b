#include "controls/color/ColorPickerCtrl.h"
#include "controls/grid/GridDialogs.h"
#include "controls/grid/GridValueText.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/grid/PropertyGridProperty.h"
#include "engine/ImageDefSizes.h"
#include "GridOwnerRecorder.h"
#include "GridTestSchema.h"
#include "wx/WxTestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/frame.h>
#include <wx/sizer.h>

namespace {

using KM::WM_KM_GRID_CHANGED;
using KM::WM_KM_PROFILE_VALUE_CHANGED;

class GridWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "grid", wxDefaultPosition, wxSize(420, 560));
        owner = new GridOwnerRecorder(frame);
        grid = new CPropertiesEditCtrl(owner, wxID_ANY, wxPoint(0, 0), wxSize(400, 520));
        frame->Show();
    }
    void TearDown() override
    {
        // The grid keeps pointers into the schema: it lets go before the schema dies.
        grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
        delete frame;
    }

    wxPGProperty* Row(const CSchemaProperty* p)
    {
        wxPGProperty* row = grid->FindRow(p);
        EXPECT_NE(row, nullptr) << (p ? std::string(wxString(p->name).utf8_str()) : "null");
        return row;
    }
    size_t ValueRowCount()
    {
        size_t n = 0;
        for (auto it = grid->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it)
            if (!(*it)->IsCategory()) ++n;
        return n;
    }

    wxFrame* frame = nullptr;
    GridOwnerRecorder* owner = nullptr;
    CPropertiesEditCtrl* grid = nullptr;
    GridTestSchema schema;
    int context = 0;
};

}  // namespace

TEST_F(GridWindowTest, BuildShowsTheShownRowsWithTheirValues)
{
    grid->BuildRowsFromParameterTree(&schema, nullptr, true);
    EXPECT_EQ(schema.updates, 1);
    // Format, Bitrate, Title; Size with Width and Height; Enabled, Colour, Levels, Strength.
    EXPECT_EQ(ValueRowCount(), 10u);
    EXPECT_EQ(grid->FindRow(schema.noRowP), nullptr);
    EXPECT_EQ(grid->FindRow(schema.secretP), nullptr);
    EXPECT_EQ(grid->FindRow(schema.hiddenNestedP), nullptr);
    EXPECT_EQ(Row(schema.formatP)->GetValueAsString(), "MP4");
    EXPECT_EQ(Row(schema.colorP)->GetValueAsString(), "332211");
    EXPECT_EQ(Row(schema.levelP)->GetValueAsString(), "0:1.00:255");
    EXPECT_EQ(Row(schema.widthP)->GetParent(), Row(schema.sizeP));
    EXPECT_TRUE(Row(schema.enabledP)->GetValue().GetBool());

    grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
    EXPECT_EQ(ValueRowCount(), 0u);
    EXPECT_TRUE(owner->notices.empty());  // building never notifies
}

TEST_F(GridWindowTest, ReadOnlyBuildKeepsOnlyAlwaysEditableRowsAndRebuildIsEditable)
{
    grid->BuildRowsFromParameterTree(&schema, &context, false);
    EXPECT_FALSE(Row(schema.bitrateP)->IsEnabled());
    EXPECT_FALSE(Row(schema.widthP)->IsEnabled());
    EXPECT_TRUE(Row(schema.titleP)->IsEnabled());
    grid->Rebuild(false);
    EXPECT_TRUE(Row(schema.bitrateP)->IsEnabled());
    EXPECT_EQ(grid->GetContext(), &context);
}

TEST_F(GridWindowTest, NoticesFollowTheFlagsAndTheContext)
{
    grid->BuildRowsFromParameterTree(&schema, &context, true);
    wxPGProperty* format = Row(schema.formatP);
    owner->onNotice = [&] { EXPECT_EQ(schema.format, 3); };  // the field is written before the owner hears
    grid->ChangePropertyValue(format, wxVariant(2L));  // third option, "MKV"
    EXPECT_EQ(owner->notices, (std::vector<RecordedNotice>{{WM_KM_PROFILE_VALUE_CHANGED, 0, intptr_t(format)},
                                                            {WM_KM_GRID_CHANGED, 1, intptr_t(format)}}));
    owner->onNotice = nullptr;
    owner->notices.clear();

    grid->BuildRowsFromParameterTree(&schema, nullptr, true);
    grid->ChangePropertyValue(Row(schema.formatP), wxVariant(0L));
    EXPECT_EQ(schema.format, 1);
    EXPECT_EQ(owner->Messages(), std::vector<unsigned>{WM_KM_GRID_CHANGED});
    owner->notices.clear();

    grid->ChangePropertyValue(Row(schema.bitrateP), wxVariant(wxString("1500")));
    EXPECT_EQ(schema.bitrate, 1500);
    ASSERT_EQ(owner->notices.size(), 1u);
    EXPECT_EQ(owner->notices[0].wParam, 0u);
    owner->notices.clear();
    grid->ChangePropertyValue(Row(schema.bitrateP), wxVariant(wxString("15x")));  // no number: ignored
    EXPECT_EQ(schema.bitrate, 1500);
    EXPECT_EQ(Row(schema.bitrateP)->GetValueAsString(), "1500");
    EXPECT_TRUE(owner->notices.empty());

    grid->SetRebuilding(true);
    grid->ChangePropertyValue(Row(schema.bitrateP), wxVariant(wxString("7")));
    grid->SetRebuilding(false);
    EXPECT_EQ(schema.bitrate, 1500);  // dropped while rebuilding
    EXPECT_TRUE(owner->notices.empty());
}

TEST_F(GridWindowTest, CheckBoxTwiceReturnsTheFieldAndReportsTwice)
{
    grid->BuildRowsFromParameterTree(&schema, nullptr, true);
    grid->ChangePropertyValue(Row(schema.enabledP), wxVariant(false));
    EXPECT_EQ(schema.enabled, 0);
    grid->ChangePropertyValue(Row(schema.enabledP), wxVariant(true));
    EXPECT_EQ(schema.enabled, 1);
    EXPECT_EQ(owner->notices.size(), 2u);
}

TEST_F(GridWindowTest, ColourAndLevelRowsRoundTripTheirTexts)
{
    grid->BuildRowsFromParameterTree(&schema, nullptr, true);
    auto* color = dynamic_cast<CPropertyGridProperty*>(Row(schema.colorP));
    ASSERT_NE(color, nullptr);
    grid->ChangePropertyValue(color, wxVariant(wxString("aabbcc")));
    EXPECT_EQ(schema.color, static_cast<int32_t>(RGB(0xAA, 0xBB, 0xCC)));
    grid->ChangePropertyValue(color, wxVariant(wxString("abc")));  // short text: red first, blue left 0
    EXPECT_EQ(schema.color, static_cast<int32_t>(RGB(0xAB, 0x0C, 0x00)));
    color->OnColorChanged(RGB(0x33, 0x22, 0x11));
    EXPECT_EQ(schema.color, 0x112233);
    EXPECT_EQ(color->GetValueAsString(), "332211");

    auto* level = dynamic_cast<CPropertyGridProperty*>(Row(schema.levelP));
    ASSERT_NE(level, nullptr);
    level->OnLevelChanged(16, 235, 1.2);
    EXPECT_EQ(schema.level, L"16:1.20:235");
    EXPECT_EQ(level->GetValueAsString(), "16:1.20:235");
    EXPECT_EQ(owner->notices.size(), 4u);
}

// The colour row's pop-up driven as the user drives it: its button opens it
// under the row, a click on a colour cell takes that colour and closes it, a
// second press of the button closes it, and Escape closes it unchanged.
TEST_F(GridWindowTest, TheColourPopupOpensOnTheRowsButtonAndClosesOnAPickAButtonOrEscape)
{
    grid->BuildRowsFromParameterTree(&schema, nullptr, true);
    auto* row = dynamic_cast<CPropertyGridProperty*>(Row(schema.colorP));
    ASSERT_NE(row, nullptr);
    // The row's editor may be made anew after a change: the button is looked up at each press.
    const auto press = [&] {
        if (grid->GetSelection() != row || !grid->GetEditorControlSecondary())
            grid->SelectProperty(row, false);
        wxWindow* button = grid->GetEditorControlSecondary();
        ASSERT_NE(button, nullptr);
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
    };
    press();
    CColorPickerCtrl* popup = row->ColorPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->IsShown());
    EXPECT_EQ(popup->Picker().GetColor(), 0x112233u);

    // A palette cell, pressed and released.
    const COLORREF pick = popup->Picker().PaletteColors().at(3);
    wxPoint cell;
    for (const ColorCell& c : popup->Picker().Layout().cells)
        if (c.color == pick)
            cell = wxPoint((c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2);
    kmtest::Click(popup->Picker(), cell);
    EXPECT_FALSE(popup->IsShown());
    EXPECT_EQ(schema.color, static_cast<int32_t>(pick));
    EXPECT_EQ(row->GetValueAsString(), wxString(FormatColorText(pick)));

    press();
    ASSERT_TRUE(popup->IsShown());
    press();  // the second press closes it
    EXPECT_FALSE(popup->IsShown());

    press();
    ASSERT_TRUE(popup->IsShown());
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(&popup->Picker());
    popup->Picker().GetEventHandler()->ProcessEvent(escape);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return !popup->IsShown(); }));
    EXPECT_EQ(schema.color, static_cast<int32_t>(pick));
}

TEST_F(GridWindowTest, SpinRowsReportEachTypedNumberWithinTheirLimits)
{
    grid->BuildRowsFromParameterTree(&schema, nullptr, true);
    wxPGProperty* spin = Row(schema.spinP);
    grid->SelectProperty(spin, false);
    auto type = [&](const char* text) {
        wxCommandEvent e(wxEVT_TEXT, grid->GetId());
        e.SetString(text);
        e.SetEventObject(grid);
        grid->ProcessWindowEvent(e);
    };
    type("7");
    EXPECT_EQ(schema.spin, 7);
    type("75");
    EXPECT_EQ(schema.spin, 75);
    type("750");  // beyond the maximum of 100
    type("7 5");
    type("");
    EXPECT_EQ(schema.spin, 75);
    EXPECT_EQ(owner->notices.size(), 2u);
}

TEST_F(GridWindowTest, RefreshPairsRowsByPropertyAfterAHiddenStateChange)
{
    grid->BuildRowsFromParameterTree(&schema, nullptr, true);
    // The model hides a property the rows were built with and shows another,
    // then changes fields; no rebuild happens.
    schema.bitrateP->hidden = 1;
    schema.secretP->hidden = 0;
    schema.bitrate = 111;
    schema.title = L"renamed";
    schema.width = 320;
    schema.enabled = 0;
    grid->RefreshValues();
    EXPECT_EQ(Row(schema.bitrateP)->GetValueAsString(), "111");
    EXPECT_EQ(Row(schema.titleP)->GetValueAsString(), "renamed");
    EXPECT_EQ(Row(schema.widthP)->GetValueAsString(), "320");
    EXPECT_FALSE(Row(schema.enabledP)->GetValue().GetBool());
    EXPECT_EQ(schema.secret, 9);
    EXPECT_TRUE(owner->notices.empty());
}

TEST_F(GridWindowTest, AnOpenEditorNeverOverwritesAMouseEdit)
{
    grid->BuildRowsFromParameterTree(&schema, nullptr, true);
    wxPGProperty* row = Row(schema.bitrateP);
    ASSERT_TRUE(grid->SelectProperty(row, true));
    auto* editor = dynamic_cast<wxTextCtrl*>(grid->GetEditorControl());
    ASSERT_NE(editor, nullptr);
    editor->SetValue("999");  // typed, not committed
    ASSERT_TRUE(grid->IsEditorsValueModified());
    schema.bitrate = 1234;  // the picture editor changes the field
    grid->RefreshValues();
    EXPECT_EQ(editor->GetValue(), "1234");
    grid->Rebuild(true);
    EXPECT_EQ(schema.bitrate, 1234);
    EXPECT_EQ(CPropertiesEditCtrl::RowProperty(grid->GetSelection()), schema.bitrateP);  // selection kept
}

namespace {
struct FakeDialogs : IGridDialogs {
    int sizeCalls = 0;
    bool answer = true;
    FrameSizeText seen;
    bool EditFrameSize(wxWindow*, FrameSizeText& size) override
    {
        ++sizeCalls;
        seen = size;
        size.kind = FrameSizeText::Size;
        size.width = 800;
        size.height = 600;
        return answer;
    }
    bool EditJoinImages(wxWindow*, CPropertiesImpl&) override { return false; }
    bool EditFileNamePattern(wxWindow*, CPropertiesImpl&) override { return false; }
};
}  // namespace

TEST_F(GridWindowTest, OnlyTheCustomSizeEntryOpensTheSizeDialog)
{
    std::wstring size = L"50%";
    CSchemaProperty* sizeP = schema.AddProperty(0, schema.picture, 50, SCHEMA_TYPE_STRING, &size, SPF_FRAME_SIZE);
    sizeP->name = L"Output size";
    CImageDefSizes sizes(1);
    std::wstring custom, plain;
    for (size_t i = 0; i < sizes.GetCount(); ++i) {
        CSchemaProperty::AddOption(sizeP, sizes.GetItem(i).value, sizes.GetItem(i).text);
        (sizes.IsCustom(i) ? custom : plain) = sizes.GetItem(i).text;
    }
    ASSERT_FALSE(custom.empty());
    ASSERT_FALSE(plain.empty());
    FakeDialogs dialogs;
    IGridDialogs* previous = SetGridDialogs(&dialogs);
    grid->BuildRowsFromParameterTree(&schema, nullptr, true);

    grid->ChangePropertyValue(Row(sizeP), wxVariant(wxString(plain)));
    EXPECT_EQ(dialogs.sizeCalls, 0);
    EXPECT_EQ(size, plain);

    size = L"50%";
    grid->RefreshValues();
    grid->ChangePropertyValue(Row(sizeP), wxVariant(wxString(custom)));
    EXPECT_EQ(dialogs.sizeCalls, 1);
    EXPECT_EQ(dialogs.seen.kind, FrameSizeText::Percent);
    EXPECT_EQ(dialogs.seen.value, 50);
    EXPECT_EQ(size, L"800 x 600");

    dialogs.answer = false;
    grid->ChangePropertyValue(Row(sizeP), wxVariant(wxString(custom)));
    EXPECT_EQ(size, L"800 x 600");  // cancelled: the previous text stays
    EXPECT_EQ(Row(sizeP)->GetValueAsString(), "800 x 600");
    SetGridDialogs(previous);
}

TEST(PropertiesFrameCtrl, EditorAndGridChangesReachTheParentAlike)
{
    auto* frameWnd = new wxFrame(nullptr, wxID_ANY, "frame", wxDefaultPosition, wxSize(300, 400));
    auto* parent = new GridOwnerRecorder(frameWnd);
    auto* frame = new CPropertiesFrameCtrl;
    ASSERT_TRUE(frame->Create(parent));
    frame->SetSize(0, 0, 280, 380);
    frameWnd->Show();
    EXPECT_EQ(frame->GetId(), 190);
    EXPECT_EQ(frame->Grid().GetId(), 2);
    EXPECT_EQ(frame->Grid().GetPosition(), wxPoint(1, 0));
    // Right of the frame's 1-pixel strip and no wider than what is left.
    EXPECT_EQ(frame->Grid().GetSize(), frame->GetClientSize() - wxSize(1, 0));

    GridTestSchema schema;
    frame->Grid().BuildRowsFromParameterTree(&schema, nullptr, true);
    frame->Refresh();  // nothing selected: nothing selected after
    EXPECT_EQ(frame->Grid().GetSelection(), nullptr);
    frame->Grid().SelectProperty(frame->Grid().FindRow(schema.titleP));
    frame->Refresh();
    EXPECT_EQ(CPropertiesEditCtrl::RowProperty(frame->Grid().GetSelection()), schema.titleP);

    schema.width = 100;
    frame->OnChange();
    EXPECT_EQ(frame->Grid().FindRow(schema.widthP)->GetValueAsString(), "100");
    wxPGProperty* bitrate = frame->Grid().FindRow(schema.bitrateP);
    frame->Grid().ChangePropertyValue(bitrate, wxVariant(wxString("64")));
    EXPECT_EQ(parent->notices, (std::vector<RecordedNotice>{{WM_KM_GRID_CHANGED, 0, 0},
                                                             {WM_KM_GRID_CHANGED, 0, intptr_t(bitrate)}}));
    frame->Grid().BuildRowsFromParameterTree(nullptr, nullptr, true);
    delete frameWnd;
}
