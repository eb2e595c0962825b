// Every file and folder chooser of the program, opened from a fresh settings
// folder as the user opens it and cancelled with its Cancel button once it is
// on screen: nothing changes, and GTK warns of nothing (Program's end).
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/ids/CommandIds.h"
#include "fixtures/MediaFixtures.h"
#include "journeys/JourneySupport.h"
#include "model/edit/WatermarkObj.h"
#include "model/edit/WatermarksObj.h"
#include "model/project/Project.h"
#include "platform/TextConv.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/PageKinds.h"
#include "shell/panes/AdvancedPane.h"
#include "shell/panes/EditPaneTable.h"
#include "shell/panes/WatermarkPane.h"
#include "shell/views/EditingView.h"
#include "shell/views/OutputView.h"
#include "shell/views/SourceTypeFileView.h"
#include <gtest/gtest.h>
#include <wx/choice.h>

namespace {

namespace fs = std::filesystem;
using namespace journey;

// Runs what opens a chooser of the given kind and cancels it on screen.
void OpenAndCancel(const char* what, const wxString& kind, const std::function<void()>& open)
{
    SCOPED_TRACE(what);
    kmtest::ModalHook hook;
    hook.ShowAndCancel(kind);
    open();
    EXPECT_EQ(hook.Pending(), 0) << what << ": no " << kind << " was shown";
    EXPECT_EQ(hook.Unexpected(), 0) << what;
}

TEST(Choosers, EveryChooserOpenedAndCancelledChangesNothingAndWarnsOfNothing)
{
    const fs::path dir = FreshFolder("Choosers");
    const fs::path clip = fixtures::WriteClip(dir / "in" / "clip.mp4", {.width = 320, .height = 240, .seconds = 0.5});
    const fs::path logo = fixtures::WritePicture(dir / "in" / "logo.png", 32, 32);
    ASSERT_FALSE(clip.empty() || logo.empty());
    Program program;
    ASSERT_TRUE(program.started);
    program.frame->Show();
    kmtest::PumpFor(std::chrono::milliseconds(100));
    CMainFrame& frame = *program.frame;

    // Sources: Files, Folder and DVD each open their chooser at once.
    OpenAndCancel("Files", "filedialog", [&] { frame.DispatchCommand(KM::Cmd::SourceFileList); });
    OpenAndCancel("Folder", "dirdialog", [&] { frame.DispatchCommand(KM::Cmd::SourceFolder); });
    OpenAndCancel("DVD", "dirdialog", [&] { frame.DispatchCommand(KM::Cmd::SourceDvd); });
    {
        kmtest::ModalHook hook;  // back to the file list; its chooser answered Cancel unseen
        frame.DispatchCommand(KM::Cmd::SourceFileList);
    }
    DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {clip});
    ASSERT_EQ(program.Project().InputFiles().GetCount(), 1u);

    // File: Open and Save As.
    program.app.GetDocument()->SetModifiedFlag(false);
    OpenAndCancel("Open", "filedialog", [&] { frame.DispatchCommand(KM::Cmd::FileOpen); });
    OpenAndCancel("Save as", "filedialog", [&] { frame.DispatchCommand(KM::Cmd::FileSaveAs); });
    EXPECT_TRUE(program.app.GetDocument()->GetPathName().empty());

    // Output: the destination folder's button.
    program.ShowTab(kCategoryOutput);
    ASSERT_TRUE(frame.DispatchCommand(KM::Cmd::ShowVideoOutput));
    auto* output = program.Page<COutputView>(kPageOutput);
    ASSERT_NE(output, nullptr);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    OpenAndCancel("Destination folder", "dirdialog", [&] {
        EXPECT_TRUE(PressRowButton(*output->GetGrid(), RowOf(*output->GetGrid(), &program.Project().GetVideoOutput()->destination)));
    });
    EXPECT_TRUE(program.Project().GetVideoOutput()->destination.empty());

    // Editing: a picture and a video watermark from the ribbon, and a
    // picture watermark's file button in its grid.
    program.ShowTab(kCategoryEditing);
    program.frame->GetFileCombo()->SetSelection(0);
    ASSERT_TRUE(frame.DispatchCommand(KM::Cmd::CurrentFileCombo));
    ASSERT_TRUE(frame.DispatchCommand(KM::Cmd::ShowWatermarkPane));
    auto* editing = program.Page<CEditingView>(kPageEditing);
    ASSERT_NE(editing, nullptr);
    OpenAndCancel("Picture watermark", "filedialog", [&] { frame.DispatchCommand(KM::Cmd::AddImageWatermark); });
    OpenAndCancel("Video watermark", "filedialog", [&] { frame.DispatchCommand(KM::Cmd::AddMediaWatermark); });
    CWatermarksObj& marks = program.Project().GetCurrentOutput()->m_watermarks;
    EXPECT_EQ(marks.GetCount(), 0u);
    auto* watermarks = editing->PaneOf<CWatermarkPane>(kWatermarkKey);
    watermarks->m_chooseFile = [&](bool) { return Utf8ToWide(logo.string()); };
    ASSERT_TRUE(frame.DispatchCommand(KM::Cmd::AddImageWatermark));
    watermarks->m_chooseFile = nullptr;
    ASSERT_EQ(marks.GetCount(), 1u);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    CWatermarkObj* mark = marks.GetAt(0);
    OpenAndCancel("Watermark picture row", "filedialog",
                  [&] { EXPECT_TRUE(PressRowButton(watermarks->Settings()->Grid(), RowOf(watermarks->Settings()->Grid(), &mark->path))); });
    EXPECT_EQ(mark->path, Utf8ToWide(logo.string()));
}

}  // namespace
