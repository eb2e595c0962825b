#include "controls/grid/GridValueText.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "engine/EngineInit.h"
#include "model/schema/SchemaImpl.h"
#include "model/output/AudioFileObj.h"
#include "model/output/ImageFileObj.h"
#include "model/output/VideoFileObj.h"
#include "model/project/Project.h"
#include "platform/ClassRegistry.h"
#include "platform/ResourceLibrary.h"
#include "wx/WxTestSupport.h"

#include <gtest/gtest.h>
#include <set>
#include <wx/frame.h>

namespace {

class OutputSchemaGridTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        CoInitialize();
        library = CResourceLibrary::Load(KM_RES_DIR);
        ASSERT_NE(library, nullptr);
        previous = GetCurrentResourceLibrary();
        SetCurrentResourceLibrary(library.get());
        project = std::make_unique<CProject>();
        frame = new wxFrame(nullptr, wxID_ANY, "output", wxDefaultPosition, wxSize(420, 700));
        grid = new CPropertiesEditCtrl(frame, wxID_ANY, wxPoint(0, 0), wxSize(400, 680));
        frame->Show();
    }
    void TearDown() override
    {
        grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
        delete frame;
        project.reset();
        SetCurrentResourceLibrary(previous);
    }
    CPropertiesImpl* Output()
    {
        switch (GetParam()) {
        case 0: return project->GetVideoOutput();
        case 1: return project->GetAudioOutput();
        default: return project->GetImageOutput();
        }
    }

    std::unique_ptr<CResourceLibrary> library;
    CResourceLibrary* previous = nullptr;
    std::unique_ptr<CProject> project;
    wxFrame* frame = nullptr;
    CPropertiesEditCtrl* grid = nullptr;
};

const char* const kKinds[] = {"video", "audio", "image"};

}  // namespace

TEST_P(OutputSchemaGridTest, RealSchemaBuildsRowsThatShowTheirFields)
{
    CPropertiesImpl* output = Output();
    grid->BuildRowsFromParameterTree(output, project.get(), true);
    size_t rows = 0, categories = 0;
    for (auto it = grid->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it) {
        if ((*it)->IsCategory()) {
            ++categories;
            EXPECT_FALSE((*it)->GetLabel().empty());
            continue;
        }
        const CSchemaProperty* p = CPropertiesEditCtrl::RowProperty(*it);
        ASSERT_NE(p, nullptr);
        ++rows;
        EXPECT_FALSE(p->hidden);
        EXPECT_FALSE(p->flags & SPF_NO_ROW);
        if (!(*it)->GetChildCount() && (p->flags & (SPF_COLOR | SPF_DROPDOWN))) {
            EXPECT_EQ((*it)->GetValueAsString(), wxString(FormatPropertyText(*p)));
        }
    }
    EXPECT_GE(categories, 1u);
    EXPECT_GE(rows, 3u);

    // Every output format of the kind rebuilds without leaving a row unbound.
    CSchemaProperty* format = output->FindProperty(SCHEMA_PROP_FILE_FORMAT);
    ASSERT_NE(format, nullptr);
    ASSERT_NE(format->IntValue(), nullptr);
    ASSERT_FALSE(format->options.empty());
    for (const SchemaOption& o : std::vector<SchemaOption>(format->options)) {
        *format->IntValue() = o.value;
        grid->Rebuild(false);
        for (auto it = grid->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it) {
            if (!(*it)->IsCategory()) {
                EXPECT_NE(CPropertiesEditCtrl::RowProperty(*it), nullptr);
            }
        }
    }

    // The screenshot shows the format with the most rows, not "Same as source".
    int32_t fullest = format->options.front().value;
    size_t most = 0;
    for (const SchemaOption& o : std::vector<SchemaOption>(format->options)) {
        *format->IntValue() = o.value;
        grid->Rebuild(false);
        size_t n = 0;
        for (auto it = grid->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it) ++n;
        if (n > most) {
            most = n;
            fullest = o.value;
        }
    }
    *format->IntValue() = fullest;
    grid->Rebuild(false);
    const wxImage shot = kmtest::PaintToImage(*grid);
    ASSERT_TRUE(shot.IsOk());
    std::set<uint32_t> colours;
    for (int y = 0; y < shot.GetHeight(); y += 2)
        for (int x = 0; x < shot.GetWidth(); x += 2)
            colours.insert((shot.GetRed(x, y) << 16) | (shot.GetGreen(x, y) << 8) | shot.GetBlue(x, y));
    EXPECT_GT(colours.size(), 4u);  // text, lines and backgrounds, not a blank window
    EXPECT_TRUE(kmtest::SaveWindowPng(*grid, std::string("output-grid-") + kKinds[GetParam()]));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OutputSchemaGridTest, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(kKinds[info.param]); });
