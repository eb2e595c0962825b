#include "ResTestLibrary.h"
#include "controls/draw/SharedDrawObjects.h"
#include "controls/res/ResourceBridge.h"
#include <fstream>
#include <sstream>
#include <wx/dialog.h>
#include <wx/imaglist.h>
#include <wx/log.h>

namespace {

struct TableRow {
    std::string kind;
    unsigned id = 0;
    int line = 0;
};

std::vector<TableRow> ReadTable()
{
    std::ifstream in(std::string(KM_SOURCE_DIR) + "/resources/ResourceIds.tsv");
    std::vector<TableRow> rows;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (text.empty() || text[0] == '#') continue;
        std::istringstream fields(text);
        TableRow row;
        std::string id;
        std::getline(fields, row.kind, '\t');
        std::getline(fields, id, '\t');
        row.id = static_cast<unsigned>(std::stoul(id));
        row.line = line;
        rows.push_back(row);
    }
    return rows;
}

TEST(ResourceTable, EveryIdTheWindowCodeUsesResolvesInTheBuiltFolder)
{
    ResTestLibrary res;
    ASSERT_TRUE(res.Loaded()) << KM_RES_DIR;
    std::vector<TableRow> rows = ReadTable();
    ASSERT_FALSE(rows.empty());
    for (const TableRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "ResourceIds.tsv line " << row.line << ": " << row.kind << " " << row.id);
        if (row.kind == "string") {
            EXPECT_TRUE(KM::Res::HasString(row.id));
            EXPECT_FALSE(KM::Res::LoadString(row.id).empty());
        } else if (row.kind == "image") {
            EXPECT_TRUE(KM::Res::LoadImage(row.id).IsOk());
        } else if (row.kind.rfind("strip:", 0) == 0) {
            int cell = std::stoi(row.kind.substr(6));
            wxImage strip = KM::Res::LoadImage(row.id);
            ASSERT_TRUE(strip.IsOk());
            EXPECT_EQ(strip.GetHeight(), cell);
            EXPECT_EQ(strip.GetWidth() % cell, 0);
        } else if (row.kind == "dialog") {
            EXPECT_TRUE(KM::Res::XrcDefines(row.id, KM::Res::XrcKind::Dialog));
        } else if (row.kind == "menu") {
            EXPECT_TRUE(KM::Res::XrcDefines(row.id, KM::Res::XrcKind::Menu));
        } else if (row.kind == "toolbar") {
            EXPECT_TRUE(KM::Res::XrcDefines(row.id, KM::Res::XrcKind::ToolBar));
        } else {
            ADD_FAILURE() << "unknown kind";
        }
    }
}

// Counts what wxWidgets would otherwise show the user in a message box.
class CountingLog : public wxLog {
public:
    int complaints = 0;

protected:
    void DoLogRecord(wxLogLevel level, const wxString&, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Warning)
            ++complaints;
    }
};

TEST(ResourceTable, EveryDialogLoadsWithoutAComplaint)
{
    ResTestLibrary res;
    ASSERT_TRUE(res.Loaded());
    auto* counting = new CountingLog;
    wxLog* previous = wxLog::SetActiveTarget(counting);
    for (const TableRow& row : ReadTable()) {
        if (row.kind != "dialog")
            continue;
        wxDialog dialog;
        EXPECT_TRUE(KM::Res::LoadDialog(dialog, nullptr, row.id)) << row.id;
        EXPECT_EQ(counting->complaints, 0) << "dialog " << row.id;
        counting->complaints = 0;
    }
    wxLog::SetActiveTarget(previous);
    delete counting;
}

TEST(ResourceBridge, NamesXrcFilesByIdAndKind)
{
    EXPECT_EQ(KM::Res::XrcFileName(360, KM::Res::XrcKind::Dialog), "360.dialog.xrc");
    EXPECT_EQ(KM::Res::XrcFileName(360, KM::Res::XrcKind::Menu), "360.menu.xrc");
    EXPECT_EQ(KM::Res::XrcFileName(334, KM::Res::XrcKind::ToolBar), "334.toolbar.xrc");
}

TEST(ResourceBridge, MissingResourcesGiveEmptyResultsNotErrors)
{
    ResTestLibrary res;
    EXPECT_TRUE(KM::Res::LoadString(4000000000u).empty());
    EXPECT_FALSE(KM::Res::LoadImage(4000000000u).IsOk());
    EXPECT_FALSE(KM::Res::LoadBitmap(4000000000u).IsOk());
    EXPECT_EQ(KM::Res::LoadImageStrip(4000000000u, 32, *wxWHITE), nullptr);
    EXPECT_EQ(KM::Res::LoadMenu(4000000000u), nullptr);
    EXPECT_TRUE(KM::Res::XrcFile(4000000000u, KM::Res::XrcKind::Dialog).empty());
}

TEST(ResourceBridge, WithoutALibraryNothingResolves)
{
    CResourceLibrary* previous = GetCurrentResourceLibrary();
    SetCurrentResourceLibrary(nullptr);
    EXPECT_TRUE(KM::Res::LoadString(422).empty());
    EXPECT_FALSE(KM::Res::LoadImage(431).IsOk());
    SetCurrentResourceLibrary(previous);
}

TEST(ResourceBridge, CutsAStripIntoMaskedCells)
{
    wxImage strip(96, 32);
    strip.SetRGB(wxRect(0, 0, 96, 32), 255, 255, 255);
    strip.SetRGB(wxRect(40, 8, 4, 4), 200, 10, 10);
    std::vector<wxImage> cells = KM::Res::CutImageStrip(strip, 32, *wxWHITE);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_TRUE(cells[1].HasMask());
    EXPECT_EQ(cells[1].GetRed(8, 8), 200);
    EXPECT_TRUE(cells[0].IsTransparent(0, 0));
    EXPECT_TRUE(KM::Res::CutImageStrip(strip, 16, *wxWHITE).empty());  // height is not the cell
    EXPECT_TRUE(KM::Res::CutImageStrip(wxImage(), 32, *wxWHITE).empty());
}

TEST(ResourceBridge, CorruptImageGivesAnInvalidPicture)
{
    auto folder = kmtest::TestDir() / "corrupt-res";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "strings.tsv") << "1\tx\n";
    std::ofstream(folder / "77.png") << "not a picture";
    ResTestLibrary res(folder);
    ASSERT_TRUE(res.Loaded());
    EXPECT_FALSE(KM::Res::LoadImage(77).IsOk());
    EXPECT_EQ(KM::Res::LoadImageStrip(77, 32, *wxWHITE), nullptr);
}

TEST(SharedDrawObjects, HoldTheColoursPensBrushesAndFontsControlsShare)
{
    CSharedDrawObjects draw;
    EXPECT_EQ(draw.m_clrProgress, wxColour(0x6E, 0x97, 0xCC));  // 0xCC976E as BGR
    EXPECT_EQ(draw.m_clrText, wxColour(0x00, 0x15, 0x6E));
    EXPECT_EQ(draw.m_clrGray, wxColour(0x8D, 0x8D, 0x8D));
    EXPECT_EQ(draw.m_penLight.GetColour(), wxColour(0xD6, 0xE8, 0xFF));
    EXPECT_EQ(draw.m_penBlack.GetColour(), *wxBLACK);
    EXPECT_EQ(draw.m_penFaint.GetColour(), wxColour(0xEF, 0xEF, 0xEF));
    EXPECT_EQ(draw.m_brushLight.GetColour(), wxColour(0xC0, 0xD8, 0xF0));
    EXPECT_EQ(draw.m_brushSelection.GetColour(), wxColour(0xBF, 0xDA, 0xFF));
    EXPECT_EQ(draw.m_penGray.GetWidth(), 1);
    ASSERT_TRUE(draw.m_fontBold.IsOk());
    ASSERT_TRUE(draw.m_fontNormal.IsOk());
    EXPECT_EQ(draw.m_fontBold.GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(draw.m_fontNormal.GetWeight(), wxFONTWEIGHT_NORMAL);
    EXPECT_EQ(draw.m_ribbonImages.GetImageCount(), 0);  // empty until the frame loads it
}

TEST(SharedDrawObjects, LoadTheCommandIconsOfImage431)
{
    ResTestLibrary res;
    CSharedDrawObjects draw;
    ASSERT_TRUE(draw.LoadRibbonImages());
    // The editing bar and the ribbon use icons up to index 23.
    EXPECT_GE(draw.m_ribbonImages.GetImageCount(), 24);
    int w = 0, h = 0;
    draw.m_ribbonImages.GetSize(0, w, h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    wxImage first = draw.m_ribbonImages.GetBitmap(0).ConvertToImage();
    EXPECT_TRUE(first.HasMask() || first.HasAlpha());
}

TEST(SharedDrawObjects, WithoutImage431TheListStaysEmpty)
{
    CResourceLibrary* previous = GetCurrentResourceLibrary();
    SetCurrentResourceLibrary(nullptr);
    CSharedDrawObjects draw;
    EXPECT_FALSE(draw.LoadRibbonImages());
    EXPECT_EQ(draw.m_ribbonImages.GetImageCount(), 0);
    SetCurrentResourceLibrary(previous);
}

}  // namespace
