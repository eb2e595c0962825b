#include "controls/grid/PropertiesCtrl.h"
#include "engine/EngineInit.h"
#include "fixtures/MediaFixtures.h"
#include "GridOwnerRecorder.h"
#include "mediaeng/core/EngineObjects.h"
#include "model/source/KMFile.h"
#include "platform/ClassRegistry.h"
#include "platform/Variant.h"
#include "wx/WxTestSupport.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {

class SourceGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize();
        frame = new wxFrame(nullptr, wxID_ANY, "source", wxDefaultPosition, wxSize(360, 480));
        owner = new GridOwnerRecorder(frame);
        grid = new CPropertiesCtrl(owner, wxID_ANY, wxPoint(0, 0), wxSize(340, 460));
        frame->Show();
    }
    void TearDown() override
    {
        grid->SetSource(nullptr);
        delete frame;
    }
    wxPGProperty* RowNamed(const wxString& label, const wxPGProperty* under)
    {
        for (auto it = grid->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it)
            if ((*it)->GetLabel() == label && (!under || (*it)->GetParent() == under)) return *it;
        return nullptr;
    }
    wxPGProperty* Category(const wxString& label)
    {
        for (auto it = grid->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it)
            if ((*it)->IsCategory() && (*it)->GetLabel() == label) return *it;
        return nullptr;
    }

    wxFrame* frame = nullptr;
    GridOwnerRecorder* owner = nullptr;
    CPropertiesCtrl* grid = nullptr;
};

}  // namespace

TEST_F(SourceGridTest, NoSourceGivesNoRows)
{
    grid->SetSource(nullptr);
    EXPECT_TRUE(grid->GetIterator(wxPG_ITERATE_ALL).AtEnd());
    CKMFilePtr unopened = CKMFile::Create(L"/no/such/clip.mp4", 0);
    grid->SetSource(unopened.get());
    EXPECT_TRUE(grid->GetIterator(wxPG_ITERATE_ALL).AtEnd());
}

TEST_F(SourceGridTest, StreamSwitchWritesTheEntryAndTheEngine)
{
    const auto clip = fixtures::WriteClip(kmtest::TestDir() / "source-grid.mkv");
    CKMFilePtr entry = CKMFile::Create(clip.wstring(), 0);
    ASSERT_EQ(entry->OpenMediaSource(clip.wstring()), S_OK);
    grid->SetSource(entry.get());

    wxPGProperty* general = Category("General");
    ASSERT_NE(general, nullptr);
    // Labels of the string table, values as a user reads them.
    wxPGProperty* container = RowNamed("Container", general);
    ASSERT_NE(container, nullptr);
    EXPECT_TRUE(container->HasFlag(wxPG_PROP_READONLY));
    EXPECT_EQ(container->GetValueAsString(), "Matroska / WebM");
    ASSERT_NE(RowNamed("Duration", general), nullptr);
    EXPECT_TRUE(RowNamed("Duration", general)->GetValueAsString().StartsWith("0:0")) << RowNamed("Duration", general)->GetValueAsString();
    wxPGProperty* audio = Category("Audio");
    ASSERT_NE(audio, nullptr);
    wxPGProperty* enabled = RowNamed("Included", audio);
    ASSERT_NE(enabled, nullptr);
    EXPECT_TRUE(enabled->GetValue().GetBool());
    ASSERT_EQ(entry->m_audioFlags[0], 1);

    grid->ChangePropertyValue(enabled, wxVariant(false));
    EXPECT_EQ(entry->m_audioFlags[0], 0);
    ComPtr<IUnknown> source = entry->CurrentSource();
    CVariant engineValue;
    ComPtr<IEngineNode> node = source.As<IEngineNode>();
    ASSERT_TRUE(node);
    node->GetValue(L"IsAudio0", &engineValue);
    EXPECT_EQ(engineValue.AsInt(-1), 0);
    EXPECT_EQ(owner->notices, (std::vector<RecordedNotice>{{KM::WM_KM_GRID_CHANGED, 0, intptr_t(enabled)}}));
    EXPECT_TRUE(kmtest::SaveWindowPng(*grid, "source-properties-grid"));
}

TEST_F(SourceGridTest, ACategoryInACategoryIsAChildRow)
{
    using mediaeng::CEngineNode;
    ComPtr<CEngineNode> root = MakeComObject<CEngineNode>(L"root");
    CEngineNode* outer = root->FactGroup(L"Outer");
    outer->Fact(L"Codec", CVariant(L"h264"));
    CEngineNode* inner = outer->FactGroup(L"Inner");
    inner->Fact(L"Profile", CVariant(L"High"));
    grid->BuildRowsFromPropertySet(static_cast<IPropertyContainer*>(root.Get()), nullptr);
    wxPGProperty* outerRow = Category("Outer");
    ASSERT_NE(outerRow, nullptr);
    wxPGProperty* innerRow = RowNamed("Inner", outerRow);
    ASSERT_NE(innerRow, nullptr);
    EXPECT_FALSE(innerRow->IsCategory());
    ASSERT_NE(RowNamed("Profile", innerRow), nullptr);
    EXPECT_EQ(RowNamed("Profile", innerRow)->GetValueAsString(), "High");
}
