// A user's way through the program's own windows: files dropped and pasted on
// the file list, a shipped profile chosen on the output page, the destination
// typed into the settings grid, the conversion started from the ribbon with a
// damaged file in the batch, the project saved and found again at the next
// start.
#include "fixtures/MediaFixtures.h"
#include "journeys/JourneySupport.h"
#include "wx/WxTestSupport.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "model/profile/ProfilesMng.h"
#include "model/source/SourceShell.h"
#include "model/project/Project.h"
#include "model/schema/SchemaProperty.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include "shell/views/OutputView.h"
#include "shell/views/SourceTypeDVDView.h"
#include "shell/views/SourceTypeFileView.h"
#include "shell/views/SourceTypeFolderViewFiles.h"
#include "controls/convert/ConvertProgressCtrl.h"
#include "fixtures/DvdFixture.h"
#include "model/job/RunManager.h"
#include <wx/combobox.h>
#include <fstream>
#include <gtest/gtest.h>
#include <wx/dnd.h>
#include "controls/profile/ProfileListControl.h"
#include <wx/listctrl.h>

namespace {

namespace fs = std::filesystem;

using namespace journey;

TEST(UserJourney, DropPasteChooseAProfileConvertWithADamagedFileSaveAndReopen)
{
    const fs::path dir = FreshFolder("UserJourney");
    const fixtures::ClipDesc desc{.width = 320, .height = 240, .seconds = 1.0};
    const fs::path first = fixtures::WriteClip(dir / "in" / "first.mp4", desc);
    const fs::path second = fixtures::WriteClip(dir / "in" / "second.mkv", desc);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    const fs::path third = fixtures::WriteClip(dir / "in" / "third.mov", desc);
    ASSERT_FALSE(third.empty());
    const fs::path damaged = dir / "in" / "damaged.mp4";
    std::ofstream(damaged) << "this is no video at all";
    const fs::path out = dir / "out";
    const fs::path projectFile = dir / "journey.km";

    {
        Program program;
        ASSERT_TRUE(program.started);
        ASSERT_NE(program.frame, nullptr);
        // 1. Sources: two files dropped (one damaged), one pasted.
        auto* files = program.Page<CSourceTypeFileView>(kPageFiles);
        ASSERT_NE(files, nullptr);
        DropFiles(*files, {first, damaged});
        if (CSourceTypeFileView::PutFilesOnClipboard({Utf8ToWide(second.string())}) &&
            !CSourceTypeFileView::ClipboardFiles().empty())
            ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::EditPaste));
        else
            DropFiles(*files, {second});
        ASSERT_EQ(files->GetList()->GetItemCount(), 3);
        // ... and one chosen with "Files" (the chooser answered as the user would).
        struct Chooser : IFileBrowser {
            void BrowseFile(std::vector<std::wstring>& paths, const wchar_t*, const wchar_t*, bool) override
            {
                paths = chosen;
            }
            std::vector<std::wstring> chosen;
        } chooser;
        chooser.chosen = {Utf8ToWide(third.string())};
        IFileBrowser* appChooser = SourceShell::SetFileBrowser(&chooser);
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::AddFiles));
        SourceShell::SetFileBrowser(appChooser);
        ASSERT_EQ(files->GetList()->GetItemCount(), 4);
        EXPECT_TRUE(kmtest::SaveWindowPng(*program.frame, "journey-sources"));

        // 2. Output: video, the shipped "Phone 480p" profile, our folder.
        program.ShowTab(kCategoryOutput);
        auto* output = program.Page<COutputView>(kPageOutput);
        ASSERT_NE(output, nullptr);
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowVideoOutput));
        int phone = -1;
        const auto& entries = output->GetProfiles().Entries();
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i]->m_name.find(L"Phone 480p") != std::wstring::npos)
                phone = static_cast<int>(i);
        ASSERT_GE(phone, 0);
        output->GetProfileList()->SetSelection(phone);
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ChooseProfile));
        EXPECT_EQ(program.Project().GetVideoOutput()->file_format, 13);
        ASSERT_TRUE(TypeIntoGrid(*output->GetGrid(), &program.Project().GetVideoOutput()->destination, wxString::FromUTF8(out.string())));
        EXPECT_EQ(program.Project().GetVideoOutput()->destination, Utf8ToWide(out.string()));
        EXPECT_TRUE(kmtest::SaveWindowPng(*program.frame, "journey-output"));

        // 3. Convert from the ribbon; the damaged file is named, the rest converts.
        kmtest::ModalHook hook;
        hook.AnswerMessageBox(wxID_OK);  // "finished"
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon));
        auto* conversion = program.Page<CConvertView>(kPageConversion);
        ASSERT_NE(conversion, nullptr);
        ASSERT_TRUE(kmtest::PumpUntil([&] { return conversion->IsFinished(); }, std::chrono::seconds(180)))
            << conversion->GetLog()->GetValue();
        kmtest::PumpFor(std::chrono::milliseconds(100));
        const wxString log = conversion->GetLog()->GetValue();
        EXPECT_TRUE(log.Contains("damaged.mp4")) << log;
        EXPECT_TRUE(kmtest::SaveWindowPng(*program.frame, "journey-conversion"));
        for (const char* name : {"first.mp4", "second.mp4", "third.mp4"}) {
            const fixtures::MediaInfo info = fixtures::ReadMedia(out / name, false);
            ASSERT_TRUE(info.ok) << name << ": " << info.error << "\n" << log;
            EXPECT_EQ(info.width, 640) << name;
            EXPECT_EQ(info.height, 480) << name;
            EXPECT_TRUE(info.hasAudio) << name;
        }
        EXPECT_FALSE(fs::exists(out / "damaged.mp4"));

        // 4. Saved under a name; the program ends.
        ASSERT_TRUE(program.app.GetDocument()->OnSaveDocument(Utf8ToWide(projectFile.string())));
        program.app.GetRecentFiles().Add(Utf8ToWide(projectFile.string()));
    }
    {
        // The next start opens the last project with its sources and output.
        Program program;
        ASSERT_TRUE(program.started);
        EXPECT_EQ(program.app.GetDocument()->GetPathName(), Utf8ToWide(projectFile.string()));
        EXPECT_EQ(program.Project().InputFiles().GetCount(), 4u);
        EXPECT_EQ(program.Project().GetVideoOutput()->file_format, 13);
        EXPECT_EQ(program.Project().GetVideoOutput()->destination, Utf8ToWide(out.string()));
        auto* files = program.Page<CSourceTypeFileView>(kPageFiles);
        ASSERT_NE(files, nullptr);
        ASSERT_TRUE(kmtest::PumpUntil([&] { return files->GetList()->GetItemCount() == 4; }));
    }
}

}  // namespace

namespace {

TEST(UserJourney, AFolderWithAMaskAndAnExcludedSubfolder)
{
    const fs::path dir = FreshFolder("FolderJourney");
    fixtures::ClipDesc desc;
    desc.seconds = 1.0;
    ASSERT_FALSE(fixtures::WriteClip(dir / "root" / "a.mp4", desc).empty());
    ASSERT_FALSE(fixtures::WriteClip(dir / "root" / "skip.mkv", desc).empty());
    ASSERT_FALSE(fixtures::WriteClip(dir / "root" / "keep" / "b.mp4", desc).empty());
    ASSERT_FALSE(fixtures::WriteClip(dir / "root" / "drop" / "c.mp4", desc).empty());
    const fs::path out = dir / "out";

    Program program;
    ASSERT_TRUE(program.started);
    {
        kmtest::ModalHook chooser;  // the folder chooser of the "Folder" button: cancelled, the path is typed
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::SourceFolder));
    }
    auto* folder = program.Page<CSourceTypeFolderViewFiles>(kPageFolder);
    ASSERT_NE(folder, nullptr);
    folder->GetPathCombo()->SetValue(wxString::FromUTF8((dir / "root").string()));
    ASSERT_TRUE(folder->OnExecuteCommand(KM::Cmd::TakeTypedFolder));
    folder->GetMaskCombo()->SetValue("*.mp4");
    ASSERT_TRUE(folder->OnExecuteCommand(KM::Cmd::ApplyFileMask));
    wxListCtrl* list = folder->GetList();
    long drop = -1;
    for (long r = 0; r < list->GetItemCount(); ++r)
        if (list->GetItemText(r) == "drop")
            drop = r;
    ASSERT_GE(drop, 0);
    list->CheckItem(drop, false);  // the subfolder is left out
    EXPECT_TRUE(kmtest::SaveWindowPng(*program.frame, "journey-folder"));

    ChooseVideoProfile(program, L"Phone 480p", out);
    kmtest::ModalHook hook;
    const wxString log = ConvertAndWait(program, hook);
    std::vector<std::string> written;
    for (const auto& e : fs::recursive_directory_iterator(out))
        if (e.is_regular_file())
            written.push_back(e.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"a.mp4", "b.mp4"})) << log;
}

TEST(UserJourney, TwoDvdTitlesJoinedIntoOneFile)
{
    const fs::path dir = FreshFolder("DvdJourney");
    std::string error;
    const fs::path disc = fixtures::WriteDvd(dir / "disc", &error);
    if (disc.empty())
        GTEST_SKIP() << error;
    const fs::path out = dir / "out";
    Program program;
    ASSERT_TRUE(program.started);
    {
        kmtest::ModalHook chooser;
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::SourceDvd));
    }
    auto* dvd = program.Page<CSourceTypeDVDView>(kPageDvd);
    ASSERT_NE(dvd, nullptr);
    dvd->GetDriveCombo()->SetValue(wxString::FromUTF8(disc.string()));
    ASSERT_TRUE(dvd->OnExecuteCommand(KM::Cmd::TakeTypedDrive));
    ASSERT_EQ(dvd->GetList()->GetItemCount(), 2);
    if (!program.Project().InputDVD().m_join) {
        ASSERT_TRUE(dvd->OnExecuteCommand(KM::Cmd::JoinDvdTitles));
    }
    EXPECT_EQ(program.Project().InputDVD().m_join, 1);

    ChooseVideoProfile(program, L"Phone 480p", out);
    kmtest::ModalHook hook;
    const wxString log = ConvertAndWait(program, hook);
    std::vector<fs::path> written;
    for (const auto& e : fs::directory_iterator(out))
        written.push_back(e.path());
    ASSERT_EQ(written.size(), 1u) << log;
    const fixtures::MediaInfo info = fixtures::ReadMedia(written.front(), false);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_NEAR(info.duration, 3.0, 0.5);  // the 1-s and the 2-s title
}

TEST(UserJourney, AStoppedConversionLeavesNoHalfWrittenFile)
{
    const fs::path dir = FreshFolder("StopJourney");
    fixtures::ClipDesc desc;
    desc.width = 640;
    desc.height = 480;
    desc.seconds = 20.0;
    desc.noise = 60;
    const fs::path clip = fixtures::WriteClip(dir / "in" / "long.mp4", desc);
    ASSERT_FALSE(clip.empty());
    const fs::path out = dir / "out";
    Program program;
    ASSERT_TRUE(program.started);
    auto* files = program.Page<CSourceTypeFileView>(kPageFiles);
    DropFiles(*files, {clip});
    ChooseVideoProfile(program, L"Tablet Full HD 1080p", out);

    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon));
    auto* conversion = program.Page<CConvertView>(kPageConversion);
    ASSERT_NE(conversion, nullptr);
    // Half-way is any time after the first pictures and before the end.
    ASSERT_TRUE(kmtest::PumpUntil([&] { return conversion->GetProgress()->m_nPos > 0; }, std::chrono::seconds(120)));
    ASSERT_FALSE(conversion->IsFinished());
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ConversionStop));
    ASSERT_TRUE(kmtest::PumpUntil([&] {
        return program.app.GetDocument()->GetRunState() == CRunManager::kIdle &&
               conversion->GetLog()->GetValue().Contains("stopped");
    }, std::chrono::seconds(60))) << conversion->GetLog()->GetValue();
    EXPECT_FALSE(fs::exists(out / "long.mp4"));
    if (fs::exists(out))
        for (const auto& e : fs::directory_iterator(out))
            ADD_FAILURE() << "left behind: " << e.path();
}

}  // namespace

#include "controls/ids/WindowMessages.h"
#include "model/source/KMFile.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "shell/panes/FiltersPane.h"
#include "shell/views/EditingView.h"
#include <wx/choice.h>

namespace {

TEST(UserJourney, ATrimAndAColourFilterOnTheEditingPageReachTheOutput)
{
    const fs::path dir = FreshFolder("EditJourney");
    const fs::path clip = fixtures::WriteClip(dir / "in" / "colour.mp4", {.width = 320, .height = 240});
    ASSERT_FALSE(clip.empty());
    const fs::path out = dir / "out";
    Program program;
    ASSERT_TRUE(program.started);
    DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {clip});
    ChooseVideoProfile(program, L"Phone 480p", out);

    // Editing: the file from the ribbon's choice, a trim from 0.5 s, grey pictures.
    program.ShowTab(kCategoryEditing);
    auto* editing = program.Page<CEditingView>(kPageEditing);
    ASSERT_NE(editing, nullptr);
    program.frame->GetFileCombo()->SetSelection(0);
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::CurrentFileCombo));
    editing->OnInitialUpdate();
    CKMFile* entry = program.app.GetDocument()->GetCurrentFile();
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowTimelinePane));
    entry->m_currentPosition = 5'000'000;
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::SetRangeStart));
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowFiltersPane));
    program.Project().GetCurrentOutput()->m_filters.grayscale = 1;  // the grid's check box
    KM::SendWindowMessage(editing, KM::WM_KM_GRID_CHANGED);
    auto* filters = editing->PaneOf<CFiltersPane>(kFiltersKey);
    filters->Settings()->Grid().RefreshValues();
    EXPECT_TRUE(kmtest::PumpUntil([&] {
        filters->Preview()->Refresh(false);
        return filters->Preview()->ShownPicture().IsOk();
    }, std::chrono::seconds(30)));
    EXPECT_TRUE(kmtest::SaveWindowPng(*program.frame, "journey-editing"));

    kmtest::ModalHook hook;
    const wxString log = ConvertAndWait(program, hook);
    const fixtures::MediaInfo info = fixtures::ReadMedia(out / "colour.mp4");
    ASSERT_TRUE(info.ok) << info.error << "\n" << log;
    EXPECT_NEAR(info.duration, 1.5, 0.2);
    ASSERT_FALSE(info.firstFrameRgb.empty());
    int maxSpread = 0;
    for (size_t i = 0; i + 2 < info.firstFrameRgb.size(); i += 3 * 97) {
        const int r = info.firstFrameRgb[i], g = info.firstFrameRgb[i + 1], b = info.firstFrameRgb[i + 2];
        maxSpread = std::max({maxSpread, std::abs(r - g), std::abs(g - b), std::abs(r - b)});
    }
    EXPECT_LT(maxSpread, 12);  // grey: no colour left beyond coding noise
}

}  // namespace

#include "controls/editors/CropEditCtrl.h"
#include "model/edit/WatermarksObj.h"
#include "shell/panes/CropPane.h"
#include "shell/panes/EraserPane.h"
#include "shell/panes/WatermarkPane.h"
#include <wx/imagpng.h>

namespace {

// Share of the picture's pixels in the watermark's green.
double GreenShare(const std::vector<uint8_t>& rgb)
{
    size_t green = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        green += rgb[i + 1] > 150 && rgb[i] < 100 && rgb[i + 2] < 100;
    return rgb.empty() ? 0 : static_cast<double>(green) / static_cast<double>(rgb.size() / 3);
}

void SendMouse(wxWindow& window, wxEventType type, wxPoint at)
{
    wxMouseEvent event(type);
    event.SetPosition(at);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

TEST(UserJourney, AFileEditedInEveryPaneConvertsWithItsEditsAndReopensWithThem)
{
    const fs::path dir = FreshFolder("PanesJourney");
    const fs::path clip = fixtures::WriteClip(dir / "in" / "edited.mp4", {.width = 320, .height = 240});
    ASSERT_FALSE(clip.empty());
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);  // the image library owns it
    wxImage logo(40, 40);
    logo.SetRGB(wxRect(0, 0, 40, 40), 30, 220, 30);
    const fs::path logoFile = dir / "in" / "logo.png";
    ASSERT_TRUE(logo.SaveFile(wxString::FromUTF8(logoFile.string()), wxBITMAP_TYPE_PNG));
    const fs::path out = dir / "out";
    const fs::path projectFile = dir / "edited.km";
    int32_t cropLeft = 0;
    {
        Program program;
        ASSERT_TRUE(program.started);
        DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {clip});
        CVideoFileObj* video = program.Project().GetVideoOutput();
        video->SetValue(L"is_create", CVariant(int32_t{1}));
        video->SetValue(L"file_format", CVariant(int32_t{13}));  // MP4 at the source's size
        video->SetValue(L"destination", CVariant(Utf8ToWide(out.string())));

        program.ShowTab(kCategoryEditing);
        auto* editing = program.Page<CEditingView>(kPageEditing);
        ASSERT_NE(editing, nullptr);
        program.frame->GetFileCombo()->SetSelection(0);
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::CurrentFileCombo));
        CKMFile* entry = program.app.GetDocument()->GetCurrentFile();
        ASSERT_NE(entry, nullptr);

        // Timeline: the range starts at 0.5 s.
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowTimelinePane));
        entry->m_currentPosition = 5'000'000;
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::SetRangeStart));

        // Crop: the frame's left edge dragged into the picture.
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowCropPane));
        CCropEditCtrl* crop = editing->PaneOf<CCropPane>(kCropKey)->Editor();
        ASSERT_TRUE(kmtest::PumpUntil([&] {
            crop->Refresh(false);
            crop->Update();
            return crop->ShownPicture().IsOk() && crop->m_rcImage.width > 50;
        }, std::chrono::seconds(30)));
        const wxPoint edge(crop->m_rcImage.x + 1, crop->m_rcImage.y + crop->m_rcImage.height / 2);
        SendMouse(*crop, wxEVT_LEFT_DOWN, edge);
        SendMouse(*crop, wxEVT_MOTION, edge + wxPoint(30, 0));
        SendMouse(*crop, wxEVT_LEFT_UP, edge + wxPoint(30, 0));
        cropLeft = program.Project().GetCurrentCrop()->crop_left;
        ASSERT_GT(cropLeft, 10);

        // Eraser: a rectangle over the bottom band, as the grid writes it.
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowEraserPane));
        CEraserObj* eraser = program.Project().GetCurrentEraser();
        eraser->eraser_type = 1;
        eraser->eraser_left = 20;
        eraser->eraser_top = 190;
        eraser->eraser_right = 120;
        eraser->eraser_bottom = 230;
        KM::SendWindowMessage(editing, KM::WM_KM_GRID_CHANGED);

        // Watermarks: a text and a picture (the file chooser answered with the logo).
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowWatermarkPane));
        auto* watermarks = editing->PaneOf<CWatermarkPane>(kWatermarkKey);
        watermarks->m_chooseFile = [&](bool) { return Utf8ToWide(logoFile.string()); };
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::AddTextWatermark));
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::AddImageWatermark));
        ASSERT_EQ(program.Project().GetCurrentOutput()->m_watermarks.GetCount(), 2u);

        // Filters: grey pictures; the watermarks stay in their colours.
        ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowFiltersPane));
        program.Project().GetCurrentOutput()->m_filters.grayscale = 1;
        KM::SendWindowMessage(editing, KM::WM_KM_GRID_CHANGED);
        EXPECT_TRUE(kmtest::SaveWindowPng(*program.frame, "journey-panes"));

        kmtest::ModalHook hook;
        const wxString log = ConvertAndWait(program, hook);
        const fixtures::MediaInfo info = fixtures::ReadMedia(out / "edited.mp4");
        ASSERT_TRUE(info.ok) << info.error << "\n" << log;
        EXPECT_NEAR(info.width, 320 - cropLeft, 2);
        EXPECT_LE(info.height, 240);  // the output keeps the source's display shape
        EXPECT_NEAR(info.duration, 1.5, 0.2);
        EXPECT_GT(GreenShare(info.firstFrameRgb), 0.005);  // the logo, untouched by the grey filter

        ASSERT_TRUE(program.app.GetDocument()->OnSaveDocument(Utf8ToWide(projectFile.string())));
        program.app.GetRecentFiles().Add(Utf8ToWide(projectFile.string()));
    }
    {
        // The next start finds every edit again.
        Program program;
        ASSERT_TRUE(program.started);
        ASSERT_EQ(program.app.GetDocument()->GetPathName(), Utf8ToWide(projectFile.string()));
        ASSERT_EQ(program.Project().InputFiles().GetCount(), 1u);
        CKMFile* entry = program.Project().InputFiles().GetAt(0);
        EXPECT_NEAR(static_cast<double>(entry->GetStartTime()), 5'000'000.0, 100'000.0);
        CFrameFileObj* output = program.Project().GetCurrentOutput();
        ASSERT_NE(output, nullptr);
        EXPECT_EQ(output->m_crop.crop_left, cropLeft);
        EXPECT_EQ(output->m_eraser.eraser_top, 190);
        EXPECT_EQ(output->m_filters.grayscale, 1);
        ASSERT_EQ(output->m_watermarks.GetCount(), 2u);
        EXPECT_EQ(output->m_watermarks.GetAt(1)->path, Utf8ToWide(logoFile.string()));
    }
}

}  // namespace

#include "engine/ImageDefSizes.h"
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/textctrl.h>

namespace {

// The row of a frame-size setting, or null.
wxPGProperty* SizeRow(CPropertiesEditCtrl& grid)
{
    return FindRow(grid, [](const CSchemaProperty& p) { return (p.flags & SPF_FRAME_SIZE) != 0; });
}

TEST(UserJourney, TheOutputGridOpensTheSizeFileNameAndJoinImagesDialogs)
{
    FreshFolder("UserJourneyGridDialogs");
    Program program;
    ASSERT_TRUE(program.started);
    program.ShowTab(kCategoryOutput);
    auto* output = program.Page<COutputView>(kPageOutput);
    ASSERT_NE(output, nullptr);
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowVideoOutput));
    CPropertiesEditCtrl& grid = *output->GetGrid();
    kmtest::ModalHook hook;

    // The frame size shows while the output has a format and a video
    // stream: the user turns the video off and on in the grid, then picks
    // "MP4" in the format row, and the rows follow each choice.
    CVideoFileObj* video = program.Project().GetVideoOutput();
    ASSERT_NE(video->file_format, 0);  // a new project starts with a format
    ASSERT_NE(SizeRow(grid), nullptr);
    wxPGProperty* withVideo = FindRow(grid, [&](const CSchemaProperty& p) { return p.value == &video->include_video; });
    ASSERT_NE(withVideo, nullptr);
    ASSERT_TRUE(grid.ChangePropertyValue(withVideo, false));
    EXPECT_TRUE(kmtest::PumpUntil([&] { return SizeRow(grid) == nullptr; }));
    withVideo = FindRow(grid, [&](const CSchemaProperty& p) { return p.value == &video->include_video; });
    ASSERT_NE(withVideo, nullptr);
    ASSERT_TRUE(grid.ChangePropertyValue(withVideo, true));
    ASSERT_TRUE(kmtest::PumpUntil([&] { return SizeRow(grid) != nullptr; }));
    wxPGProperty* format = FindRow(grid, [&](const CSchemaProperty& p) { return p.value == &video->file_format; });
    ASSERT_NE(format, nullptr);
    const int mp4 = format->GetChoices().Index("MP4");
    ASSERT_GE(mp4, 0);
    ASSERT_TRUE(grid.ChangePropertyValue(format, wxVariant(static_cast<long>(format->GetChoices().GetValue(mp4)))));
    EXPECT_EQ(video->file_format, 13);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return SizeRow(grid) != nullptr; }));

    // The size row's custom entry asks for the size (483).
    wxPGProperty* size = SizeRow(grid);
    ASSERT_NE(size, nullptr);
    CImageDefSizes sizes(1);
    wxString custom;
    for (size_t i = 0; i < sizes.GetCount(); ++i)
        if (sizes.IsCustom(i))
            custom = wxString(sizes.GetItem(i).text);
    ASSERT_FALSE(custom.empty());
    hook.AnswerDialog(483, wxID_OK, [](wxDialog& d) {
        d.TransferDataToWindow();  // the row's present size decides the mode
        dynamic_cast<wxTextCtrl*>(d.FindWindow(1011))->ChangeValue("352");
        dynamic_cast<wxTextCtrl*>(d.FindWindow(1012))->ChangeValue("288");
        dynamic_cast<wxTextCtrl*>(d.FindWindow(1014))->ChangeValue("75");
        d.TransferDataFromWindow();
    });
    grid.ChangePropertyValue(size, wxVariant(custom));
    EXPECT_EQ(hook.Count(), 1);
    const wxString sized = size->GetValueAsString();
    EXPECT_TRUE(sized == "352 x 288" || sized == "75%") << sized;
    EXPECT_EQ(wxString(video->image_size), sized);

    // The file-name row's button opens the pattern builder (485), whose
    // advanced button opens the pattern details (385).
    wxPGProperty* name = FindRow(grid, [](const CSchemaProperty& p) { return p.buttonKind == SPB_FILE_NAME_BUILDER; });
    ASSERT_NE(name, nullptr);
    hook.AnswerDialog(485, wxID_OK, [](wxDialog& d) {
        wxWindow* advanced = d.FindWindow(1022);
        ASSERT_NE(advanced, nullptr);
        wxCommandEvent click(wxEVT_BUTTON, advanced->GetId());
        click.SetEventObject(advanced);
        advanced->ProcessWindowEvent(click);
        dynamic_cast<wxTextCtrl*>(d.FindWindow(1015))->SetValue("%f_small");
        d.TransferDataFromWindow();
    });
    hook.AnswerDialog(385, wxID_CANCEL);
    ASSERT_TRUE(PressRowButton(grid, name));
    EXPECT_EQ(hook.Count(), 3);
    EXPECT_EQ(name->GetValueAsString(), "%f_small");

    // The image output's join-images button (484).
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowImageOutput));
    kmtest::PumpFor(std::chrono::milliseconds(100));  // the loop lays the new rows out before a click can come
    wxPGProperty* join = FindRow(grid, [](const CSchemaProperty& p) { return p.buttonKind == SPB_JOIN_IMAGES; });
    ASSERT_NE(join, nullptr);
    ASSERT_EQ(join->GetValueAsString(), "Disable");
    hook.AnswerDialog(484, wxID_OK, [](wxDialog& d) {
        d.TransferDataToWindow();
        auto* box = dynamic_cast<wxCheckBox*>(d.FindWindow(1014));
        ASSERT_NE(box, nullptr);
        box->SetValue(true);
        wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
        click.SetEventObject(box);
        click.SetInt(1);
        box->ProcessWindowEvent(click);
        dynamic_cast<wxTextCtrl*>(d.FindWindow(1012))->ChangeValue("3");
        d.TransferDataFromWindow();
    });
    ASSERT_TRUE(PressRowButton(grid, join));
    EXPECT_EQ(hook.Count(), 4);
    EXPECT_EQ(program.Project().GetImageOutput()->is_join_image, 1);
    EXPECT_EQ(program.Project().GetImageOutput()->images_rows, 3);
    EXPECT_EQ(join->GetValueAsString(), "Enable");
    EXPECT_EQ(hook.Unexpected(), 0);
    EXPECT_EQ(hook.Pending(), 0);
}

}  // namespace

#include "fixtures/DvdImageFixture.h"

namespace {

// A disc image dropped on the file list splits into its titles when chosen,
// and a run converts each title into its own file.
TEST(UserJourney, ADroppedDiscImageConvertsEachOfItsTitles)
{
    const fs::path dir = FreshFolder("UserJourneyDiscImage");
    std::string error;
    const fs::path iso = fixtures::WriteDvdImage(dir / "in", &error);
    if (iso.empty())
        GTEST_SKIP() << error;
    const fs::path out = dir / "out";
    Program program;
    ASSERT_TRUE(program.started);
    auto* files = program.Page<CSourceTypeFileView>(kPageFiles);
    ASSERT_NE(files, nullptr);
    DropFiles(*files, {iso});
    wxListCtrl* list = files->GetList();
    ASSERT_EQ(list->GetItemCount(), 1);
    list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return list->GetItemCount() == 2; }));
    ChooseVideoProfile(program, L"Web small", out);
    kmtest::ModalHook hook;
    const wxString log = ConvertAndWait(program, hook);
    std::vector<double> durations;
    for (const auto& e : fs::directory_iterator(out)) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(e.path(), false);
        ASSERT_TRUE(info.ok) << e.path() << ": " << info.error << "\n" << log;
        durations.push_back(info.duration);
    }
    std::sort(durations.begin(), durations.end());
    ASSERT_EQ(durations.size(), 2u) << log;
    EXPECT_NEAR(durations[0], 1.0, 0.2) << log;
    EXPECT_NEAR(durations[1], 2.0, 0.2) << log;
}

}  // namespace
