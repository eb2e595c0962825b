// A new user's first hour, each journey from an empty settings folder: a
// fresh project converts without a visit to the output page, the end of a
// run says what went wrong, a file that is no project leaves the open one
// alone, and a project saved from the "save changes?" prompt is the one the
// next start opens.
#include "controls/convert/ConvertProgressCtrl.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "fixtures/MediaFixtures.h"
#include "journeys/JourneySupport.h"
#include "model/project/Project.h"
#include "platform/TextConv.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include "shell/views/SourceTypeFileView.h"
#include "controls/grid/PropertiesCtrl.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include <fstream>
#include <wx/listctrl.h>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace journey;

// Every file of dir but the given ones.
std::vector<fs::path> OtherFiles(const fs::path& dir, const std::vector<fs::path>& known)
{
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && std::find(known.begin(), known.end(), e.path()) == known.end())
            out.push_back(e.path());
    return out;
}

TEST(FirstHour, AFreshProjectConvertsAnAddedClipWithoutAVisitToTheOutputPage)
{
    const fs::path dir = FreshFolder("FirstHourFresh");
    const fs::path clip = fixtures::WriteClip(dir / "in" / "holiday.mp4", {.width = 320, .height = 240, .seconds = 1.0});
    ASSERT_FALSE(clip.empty());
    Program program;
    ASSERT_TRUE(program.started);
    DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {clip});
    kmtest::ModalHook hook;
    const wxString log = ConvertAndWait(program, hook);
    EXPECT_FALSE(log.Contains("cannot be converted")) << log;
    EXPECT_FALSE(log.Contains("could not start")) << log;
    EXPECT_TRUE(program.app.GetDocument()->GetRunSummary().IsPlainSuccess()) << log;
    // No destination was chosen: the file lands beside its source.
    const std::vector<fs::path> written = OtherFiles(dir / "in", {clip});
    ASSERT_EQ(written.size(), 1u) << log;
    const fixtures::MediaInfo info = fixtures::ReadMedia(written.front());
    ASSERT_TRUE(info.ok) << info.error << "\n" << log;
    EXPECT_NEAR(info.duration, 1.0, 0.2);
    EXPECT_TRUE(info.hasAudio);
}

TEST(FirstHour, TheEndOfARunSaysHowManyWereConvertedAndLeftOutAndWhy)
{
    // (Outputs cut short by a source that breaks off midway are counted by
    // the document's own tests: a file cut off is refused when it is probed.)
    const fs::path dir = FreshFolder("FirstHourSummary");
    const fixtures::ClipDesc desc{.width = 320, .height = 240, .seconds = 1.0};
    const fs::path whole = fixtures::WriteClip(dir / "in" / "whole.mkv", desc);
    const fs::path cut = fixtures::WriteTruncatedClip(dir / "in" / "cut.mkv", 0.5);
    const fs::path text = dir / "in" / "notes.mp4";
    std::ofstream(text) << "this is no video at all";
    ASSERT_FALSE(whole.empty() || cut.empty());
    Program program;
    ASSERT_TRUE(program.started);
    DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {whole, cut, text});
    kmtest::ModalHook hook;
    const wxString log = ConvertAndWait(program, hook);
    const CRunSummary& summary = program.app.GetDocument()->GetRunSummary();
    EXPECT_EQ(summary.converted, 1) << log;
    EXPECT_EQ(summary.total, 3) << log;
    EXPECT_FALSE(summary.IsPlainSuccess());
    // The log ends with the counts; each file left out says why.
    EXPECT_TRUE(log.Contains(summary.Text())) << log;
    EXPECT_TRUE(log.Contains("Left out: 2")) << log;
    EXPECT_TRUE(log.Contains("notes.mp4\" is not a media file")) << log;
    EXPECT_TRUE(log.Contains("cut.mkv\" is damaged")) << log;
    // So do the bar's caption and the end message.
    auto* conversion = program.Page<CConvertView>(kPageConversion);
    EXPECT_EQ(conversion->GetProgress()->m_strCaption, summary.Text());
}

TEST(FirstHour, AFileThatIsNoProjectLeavesTheOpenProjectAsItWas)
{
    const fs::path dir = FreshFolder("FirstHourOpen");
    const fs::path clip = fixtures::WriteClip(dir / "in" / "kept.mp4", {.seconds = 0.5});
    const fs::path project = dir / "kept.km";
    const fs::path notProject = dir / "notes.km";
    std::ofstream(notProject) << "not a project";
    Program program;
    ASSERT_TRUE(program.started);
    DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {clip});
    ASSERT_TRUE(program.app.GetDocument()->OnSaveDocument(Utf8ToWide(project.string())));
    CProject* before = &program.Project();

    kmtest::ModalHook hook;
    hook.AnswerMessageBox(wxID_OK);  // the error
    EXPECT_FALSE(program.app.OpenDocumentFile(Utf8ToWide(notProject.string())));
    EXPECT_EQ(hook.Count(), 1);
    EXPECT_EQ(&program.Project(), before);
    EXPECT_EQ(program.app.GetDocument()->GetPathName(), Utf8ToWide(project.string()));
    EXPECT_EQ(program.Project().InputFiles().GetCount(), 1u);
    EXPECT_EQ(program.Page<CSourceTypeFileView>(kPageFiles)->GetList()->GetItemCount(), 1);
}

TEST(FirstHour, AProjectSavedFromTheSaveChangesPromptIsTheOneTheNextStartOpens)
{
    const fs::path dir = FreshFolder("FirstHourRecent");
    const fs::path clip = fixtures::WriteClip(dir / "in" / "latest.mp4", {.seconds = 0.5});
    const fs::path older = dir / "older.km";
    const fs::path latest = dir / "latest.km";
    {
        Program program;
        ASSERT_TRUE(program.started);
        ASSERT_TRUE(program.app.GetDocument()->OnSaveDocument(Utf8ToWide(older.string())));
        ASSERT_TRUE(program.app.GetDocument()->OnSaveDocument(Utf8ToWide(latest.string())));
        program.app.GetRecentFiles().Add(Utf8ToWide(older.string()));  // opened since
        // A file added, then the window closed: "save changes?" answered yes.
        DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {clip});
        program.app.GetDocument()->SetModifiedFlag(true);
        kmtest::ModalHook hook;
        hook.AnswerMessageBox(wxID_YES);
        EXPECT_TRUE(program.app.CanCloseMainFrame());
        EXPECT_EQ(hook.Count(), 1);
        EXPECT_EQ(program.app.GetRecentFiles().First(), Utf8ToWide(latest.string()));
    }
    Program program;
    ASSERT_TRUE(program.started);
    EXPECT_EQ(program.app.GetDocument()->GetPathName(), Utf8ToWide(latest.string()));
    EXPECT_EQ(program.Project().InputFiles().GetCount(), 1u);
}

// The first shown window of type T under window.
template <class T>
T* FindShown(wxWindow* window)
{
    if (auto* found = dynamic_cast<T*>(window); found && found->IsShownOnScreen())
        return found;
    for (wxWindow* child : window->GetChildren())
        if (T* found = FindShown<T>(child))
            return found;
    return nullptr;
}

TEST(FirstHour, AFileThatCannotBeReadSaysSoAndWhyAsSoonAsItIsAdded)
{
    const fs::path dir = FreshFolder("FirstHourBroken");
    const fs::path text = dir / "in" / "letter.mp4";
    const fs::path empty = dir / "in" / "empty.mp4";
    fs::create_directories(dir / "in");
    std::ofstream(text) << "Dear friend, this is no video.";
    std::ofstream{empty};
    Program program;
    ASSERT_TRUE(program.started);
    program.frame->Show();
    auto* files = program.Page<CSourceTypeFileView>(kPageFiles);
    DropFiles(*files, {text, empty});
    ASSERT_EQ(files->GetList()->GetItemCount(), 2);
    // The rows say why, before any conversion.
    const wxString textRow = files->GetList()->GetItemText(0);
    const wxString emptyRow = files->GetList()->GetItemText(1);
    EXPECT_TRUE(textRow.Contains("letter.mp4") && textRow.Contains("not a media file")) << textRow;
    EXPECT_TRUE(emptyRow.Contains("empty.mp4") && emptyRow.Contains("is empty")) << emptyRow;

    // Picked: the properties and the preview say it too.
    files->GetList()->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                   wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    kmtest::PumpFor(std::chrono::milliseconds(100));
    auto* properties = FindShown<CPropertiesCtrl>(program.frame);
    ASSERT_NE(properties, nullptr);
    wxString shown;
    for (auto it = properties->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it)
        shown += (*it)->GetLabel() + "=" + (*it)->GetValueAsString() + "\n";
    EXPECT_TRUE(shown.Contains("cannot be read")) << shown;
    EXPECT_TRUE(shown.Contains("not a media file")) << shown;
    auto* preview = FindShown<CPreviewPlayerCtrl>(program.frame);
    ASSERT_NE(preview, nullptr);
    const wxImage picture = kmtest::PaintToImage(*preview);
    ASSERT_TRUE(picture.IsOk());
    const wxColour background = kmtest::PixelAt(picture, 1, 1);
    int inked = 0;
    for (int y = 0; y < picture.GetHeight(); y += 2)
        for (int x = 0; x < picture.GetWidth(); x += 2)
            inked += kmtest::PixelAt(picture, x, y) != background;
    EXPECT_GT(inked, 20);  // the reason is written where the picture would be
    EXPECT_TRUE(kmtest::SaveWindowPng(*program.frame, "first-hour-broken-file"));
}

}  // namespace
