// A user's way through the program's own windows: files dropped and pasted on
// the file list, a shipped profile chosen on the output page, the destination
// typed into the settings grid, the conversion started from the ribbon with a
// damaged file in the batch, the project saved and found again at the next
// start.
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "model/profile/ProfilesMng.h"
#include "model/project/Project.h"
#include "model/schema/SchemaProperty.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/KestrelMediaApp.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include "shell/views/OutputView.h"
#include "shell/views/SourceTypeFileView.h"
#include <fstream>
#include <gtest/gtest.h>
#include <wx/dnd.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>

namespace {

namespace fs = std::filesystem;

class Program {
public:
    explicit Program(const std::wstring& project = L"")
    {
        CKestrelMediaApp::RegisterMainFrameFactory(&CMainFrame::Create);
        CKestrelMediaApp::StartupOptions options;
        options.resourceFolder = KM_RES_DIR;
        options.showSplash = false;
        options.commandLineFile = project;
        started = app.InitInstance(options);
        frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
    }
    ~Program()
    {
        if (app.GetDocument())
            app.GetDocument()->SetModifiedFlag(false);
        app.ExitInstance();
        CKestrelMediaApp::RegisterMainFrameFactory(nullptr);
    }
    void ShowTab(int position) { frame->GetRibbon()->SetActiveCategory(frame->GetCategory(position)); }
    template <class View>
    View* Page(int kind) const
    {
        return dynamic_cast<View*>(frame->FindMainView(kind));
    }
    CProject& Project() { return *app.GetDocument()->GetProject(); }

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
    bool started = false;
};

void DropFiles(CSourceTypeFileView& view, const std::vector<fs::path>& files)
{
    wxArrayString names;
    for (const fs::path& f : files)
        names.Add(wxString::FromUTF8(f.string()));
    auto* target = dynamic_cast<wxFileDropTarget*>(view.GetList()->GetDropTarget());
    ASSERT_NE(target, nullptr);
    target->OnDropFiles(20, 20, names);
}

// Types text into the grid row bound to a setting, as the user does.
bool TypeIntoGrid(CPropertiesEditCtrl& grid, const void* field, const wxString& text)
{
    for (auto it = grid.GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it) {
        const CSchemaProperty* p = CPropertiesEditCtrl::RowProperty(*it);
        if (p && p->value == field)
            return grid.ChangePropertyValue(*it, text);
    }
    return false;
}

TEST(UserJourney, DropPasteChooseAProfileConvertWithADamagedFileSaveAndReopen)
{
    const fs::path dir = kmtest::TestDir() / "UserJourney";
    fs::remove_all(dir);
    fs::create_directories(dir);
    CSettingsStore::Instance().SetPath(dir / "settings.ini");
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    fixtures::ClipDesc desc;
    desc.width = 320;
    desc.height = 240;
    desc.seconds = 1.0;
    const fs::path first = fixtures::WriteClip(dir / "in" / "first.mp4", desc);
    const fs::path second = fixtures::WriteClip(dir / "in" / "second.mkv", desc);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
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
        ASSERT_TRUE(program.frame->DispatchCommand(COutputView::kChooseProfile));
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
        for (const char* name : {"first.mp4", "second.mp4"}) {
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
        EXPECT_EQ(program.Project().InputFiles().GetCount(), 3u);
        EXPECT_EQ(program.Project().GetVideoOutput()->file_format, 13);
        EXPECT_EQ(program.Project().GetVideoOutput()->destination, Utf8ToWide(out.string()));
        auto* files = program.Page<CSourceTypeFileView>(kPageFiles);
        ASSERT_NE(files, nullptr);
        ASSERT_TRUE(kmtest::PumpUntil([&] { return files->GetList()->GetItemCount() == 3; }));
    }
}

}  // namespace
