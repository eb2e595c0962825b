// The document: the current source entry, which operations mark the project
// modified, and ".km" files that are damaged, cut off or cannot be written.
#include "ShellTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "model/source/SourceShell.h"
#include "platform/TextConv.h"
#include "document/KestrelMediaDoc.h"
#include "document/ShellStrings.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace shelltest;
namespace fs = std::filesystem;

namespace {

struct FakePlayer : IDocPlayer {
    void CloseGraph() override { calls.push_back("close"); }
    void Detach() override { calls.push_back("detach"); }
    std::vector<std::string> calls;
};

struct FakeUi : IDocumentUi {
    void ShowError(const std::wstring& text) override { errors.push_back(text); }
    void ShowWarning(const std::wstring& text) override { warnings.push_back(text); }
    Answer AskSaveChanges(const std::wstring&) override { return answer; }
    std::wstring AskSavePath(const std::wstring&) override { return savePath; }
    std::vector<std::wstring> errors, warnings;
    Answer answer = Answer::Cancel;
    std::wstring savePath;
};

std::vector<uint8_t> ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& p, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::wstring W(const fs::path& p)
{
    return Utf8ToWide(p.string());
}

class Doc : public ::testing::Test {
protected:
    Doc() : doc(nullptr, &player, &ui)
    {
        dir = TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        doc.OnNewDocument();
        doc.AddListener(&listener);
        player.calls.clear();
    }

    ResourceScope resources;
    FakePlayer player;
    FakeUi ui;
    CKestrelMediaDoc doc;
    RecordingListener listener;
    fs::path dir;
};

TEST_F(Doc, SetCurrentFileClosesAndBroadcastsOnlyOnAChange)
{
    fs::path clip = fixtures::WriteClip(dir / "a.mp4");
    fs::path text = fixtures::WriteTextFile(dir / "notes.mp4");
    CKMFile* a = doc.GetProject()->InputFiles().AddFile(W(clip));
    CKMFile* broken = doc.GetProject()->InputFiles().AddFile(W(text));
    a->m_resumePosition = 12345;

    struct Step {
        const char* what;
        CKMFile* item;
        bool ok;
        std::vector<std::string> playerCalls;
        std::vector<std::wstring> heard;
    } steps[] = {
        {"none while none", nullptr, true, {"detach"}, {L"clear"}},
        {"a new entry", a, true, {"close"}, {L"current"}},
        {"the same entry", a, true, {}, {}},
        {"an entry that cannot open", broken, false, {"close"}, {}},
        {"back to none", nullptr, true, {"close", "detach"}, {L"clear"}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        player.calls.clear();
        HRESULT hr = doc.SetCurrentFile(s.item);
        EXPECT_EQ(SUCCEEDED(hr), s.ok);
        EXPECT_EQ(player.calls, s.playerCalls);
        std::vector<std::wstring> heard;
        for (const std::wstring& e : listener.Take())
            if (e.rfind(L"msg|", 0) != 0) heard.push_back(e);  // the probe's own error lines aside
        EXPECT_EQ(heard, s.heard);
        EXPECT_EQ(doc.GetCurrentFile(), s.item);  // a failed entry stays current
    }
    EXPECT_EQ(a->m_currentPosition, 12345);
    EXPECT_EQ(a->m_owner, &doc.GetProject()->InputFiles());
}

TEST_F(Doc, SourceOperationsMarkModifiedAsTheyShould)
{
    struct Browser : IFileBrowser {
        void BrowseFile(std::vector<std::wstring>& paths, const wchar_t*, const wchar_t*, bool) override
        {
            paths = chosen;
        }
        std::vector<std::wstring> chosen;
    } browser;
    IFileBrowser* saved = SourceShell::SetFileBrowser(&browser);
    CKMFile* item = doc.GetProject()->InputFiles().AddFile(L"/m/a.mp4");

    struct Op {
        const char* name;
        std::function<void()> run;
        bool marks;
    } ops[] = {
        {"AddFilesFromDialog cancelled", [&] { browser.chosen.clear(); EXPECT_EQ(doc.AddFilesFromDialog(), 0); }, false},
        {"AddFilesFromDialog", [&] { browser.chosen = {L"/m/b.mp4"}; EXPECT_EQ(doc.AddFilesFromDialog(), 1); }, true},
        {"RemoveFile", [&] { doc.RemoveFile(1); }, true},
        {"SetFolder", [&] { doc.SetFolder(W(dir)); }, true},
        {"ChangeFolder", [&] { doc.ChangeFolder(L"[..]"); }, false},
        {"ToggleRecursive", [&] { doc.ToggleRecursive(); }, true},
        {"SetFileMask", [&] { doc.SetFileMask(L"*.mp4"); }, true},
        {"SelectFile", [&] { doc.SelectFile(item); }, true},
        {"UnselectFile", [&] { doc.UnselectFile(item); }, true},
        {"SelectSubFolder", [&] { doc.SelectSubFolder(L"x"); }, true},
        {"UnselectSubFolder", [&] { doc.UnselectSubFolder(L"x"); }, true},
        {"RefreshFolder", [&] { doc.RefreshFolder(); }, false},
        {"SetDVDPath", [&] { doc.SetDVDPath(W(dir / "dvd")); }, true},
        {"LoadDVDTitles", [&] { doc.LoadDVDTitles(W(dir / "dvd")); }, false},
        {"RefreshDVDTitles", [&] { doc.RefreshDVDTitles(); }, false},
        {"SelectTitle", [&] { doc.SelectTitle(item); }, true},
        {"UnselectTitle", [&] { doc.UnselectTitle(item); }, true},
        {"RemoveAllFiles", [&] { doc.RemoveAllFiles(); }, true},
    };
    for (const Op& op : ops) {
        SCOPED_TRACE(op.name);
        doc.SetModifiedFlag(false);
        op.run();
        EXPECT_EQ(doc.IsModified(), op.marks);
    }
    EXPECT_EQ(doc.GetProject()->InputFiles().GetCount(), 0u);
    SourceShell::SetFileBrowser(saved);
}

TEST_F(Doc, SavedProjectOpensAgain)
{
    doc.GetProject()->InputFiles().AddFile(L"/m/a.mp4");
    doc.GetProject()->m_sourceType = CParametersTransfer::kSourceFolder;
    doc.SetModifiedFlag();
    fs::path file = dir / "p.km";
    ASSERT_TRUE(doc.OnSaveDocument(W(file)));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), L"p.km");

    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.GetPathName().empty());
    ASSERT_TRUE(doc.OnOpenDocument(W(file)));
    EXPECT_EQ(doc.GetPathName(), W(file));
    EXPECT_EQ(doc.GetProject()->m_sourceType, CParametersTransfer::kSourceFolder);
    EXPECT_EQ(doc.GetProject()->InputFiles().GetCount(), 1u);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_TRUE(ui.warnings.empty());
}

TEST_F(Doc, FileThatIsNoProjectLeavesTheOpenProjectAsItWas)
{
    fs::path good = dir / "old.km";
    doc.GetProject()->InputFiles().AddFile(L"/m/a.mp4");
    ASSERT_TRUE(doc.OnSaveDocument(W(good)));
    std::vector<uint8_t> bytes = ReadAll(good);

    std::vector<uint8_t> wrongMagic = bytes;
    wrongMagic[0] = 'X';
    WriteAll(dir / "magic.km", wrongMagic);
    WriteAll(dir / "short.km", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 40));
    WriteAll(dir / "empty.km", {});

    for (const char* name : {"magic.km", "short.km", "empty.km", "missing.km"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(doc.OnOpenDocument(W(good)));
        ui.errors.clear();
        listener.Take();
        EXPECT_FALSE(doc.OnOpenDocument(W(dir / name)));
        ASSERT_EQ(ui.errors.size(), 1u);
        EXPECT_NE(ui.errors[0].find(W(dir / name)), std::wstring::npos);
        // The open project stays as it was, under its own name.
        EXPECT_EQ(doc.GetPathName(), W(good));
        EXPECT_EQ(doc.GetProject()->InputFiles().GetCount(), 1u);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.GetCurrentFile(), nullptr);
    }
    EXPECT_EQ(ReadAll(good), bytes);  // a failed open writes nothing
}

TEST_F(Doc, ANewProjectStartsOnAFormatThatConvertsAndALoadedOneKeepsWhatItStored)
{
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_NE(doc.GetProject()->GetVideoOutput()->file_format, 0);
    EXPECT_NE(doc.GetProject()->GetAudioOutput()->file_format, 0);
    EXPECT_NE(doc.GetProject()->GetImageOutput()->file_format, 0);
    // A project stored without a format (an older file) keeps none.
    doc.GetProject()->GetVideoOutput()->file_format = 0;
    const fs::path file = dir / "no-format.km";
    ASSERT_TRUE(doc.OnSaveDocument(W(file)));
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnOpenDocument(W(file)));
    EXPECT_EQ(doc.GetProject()->GetVideoOutput()->file_format, 0);
}

TEST_F(Doc, EverySaveIsToldToTheSavedListener)
{
    std::vector<std::wstring> saved;
    doc.SetSavedListener([&](const std::wstring& path) { saved.push_back(path); });
    const fs::path file = dir / "told.km";
    ASSERT_TRUE(doc.OnSaveDocument(W(file)));
    // The "save changes?" prompt saves through the same road.
    doc.SetModifiedFlag();
    ui.answer = IDocumentUi::Answer::Yes;
    ASSERT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.OnSaveDocument(W(dir / "no-such-folder" / "x.km")));  // a failed save is not told
    EXPECT_EQ(saved, (std::vector<std::wstring>{W(file), W(file)}));
}

TEST_F(Doc, CutOffFileLoadsWhatIsIntactAndSaysSo)
{
    for (int i = 0; i < 3; ++i) doc.GetProject()->InputFiles().AddFile(L"/m/clip" + std::to_wstring(i) + L".mp4");
    doc.GetProject()->m_sourceType = CParametersTransfer::kSourceDVD;
    fs::path file = dir / "cut.km";
    ASSERT_TRUE(doc.OnSaveDocument(W(file)));
    std::vector<uint8_t> bytes = ReadAll(file);
    // Cut inside the file list, which follows the project's own settings.
    bytes.resize(bytes.size() - bytes.size() / 3);
    WriteAll(file, bytes);

    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.OnOpenDocument(W(file)));
    EXPECT_TRUE(ui.errors.empty());
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_NE(ui.warnings[0].find(W(file)), std::wstring::npos);
    EXPECT_EQ(doc.GetProject()->m_sourceType, CParametersTransfer::kSourceDVD);
    EXPECT_LT(doc.GetProject()->InputFiles().GetCount(), 3u);
}

TEST_F(Doc, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    fs::path file = dir / "keep.km";
    ASSERT_TRUE(doc.OnSaveDocument(W(file)));
    std::vector<uint8_t> before = ReadAll(file);
    doc.GetProject()->InputFiles().AddFile(L"/m/new.mp4");
    doc.SetModifiedFlag();

    // Nothing can be created beside the file under the temporary name.
    fs::create_directory(dir / ("keep.km.part-" + std::to_string(::getpid())));
    EXPECT_FALSE(doc.OnSaveDocument(W(file)));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), W(file));
}

TEST_F(Doc, SaveIntoReadOnlyFolderKeepsTheOldFile)
{
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    fs::path ro = dir / "ro";
    fs::create_directory(ro);
    fs::path file = ro / "p.km";
    ASSERT_TRUE(doc.OnSaveDocument(W(file)));
    std::vector<uint8_t> before = ReadAll(file);
    doc.GetProject()->InputFiles().AddFile(L"/m/new.mp4");
    fs::permissions(ro, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(doc.OnSaveDocument(W(file)));
    fs::permissions(ro, fs::perms::owner_all);
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(ui.errors.size(), 1u);
}

TEST_F(Doc, SaveModifiedAsksAndSavesOrKeeps)
{
    EXPECT_TRUE(doc.SaveModified());  // nothing changed: no question
    doc.SetModifiedFlag();
    ui.answer = IDocumentUi::Answer::Cancel;
    EXPECT_FALSE(doc.SaveModified());
    ui.answer = IDocumentUi::Answer::No;
    EXPECT_TRUE(doc.SaveModified());
    ui.answer = IDocumentUi::Answer::Yes;
    ui.savePath.clear();  // save dialog cancelled
    EXPECT_FALSE(doc.SaveModified());
    ui.savePath = W(dir / "asked.km");
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(fs::exists(dir / "asked.km"));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Doc, ProjectReplacedListenersHearBeforeTheOldProjectGoes)
{
    struct Listener : IProjectReplacedListener {
        void OnProjectReplacing(CProject* oldProject, CProject* newProject) override
        {
            told.push_back({oldProject, newProject});
            EXPECT_EQ(doc->GetCurrentFile(), nullptr);
            EXPECT_EQ(doc->GetProject(), oldProject);  // still alive and in place
        }
        CKestrelMediaDoc* doc = nullptr;
        std::vector<std::pair<CProject*, CProject*>> told;
    } listener;
    listener.doc = &doc;
    auto registration = doc.GetProjectReplacedNotice().Register(&listener);
    CProject* first = doc.GetProject();
    doc.OnNewDocument();
    ASSERT_EQ(listener.told.size(), 1u);
    EXPECT_EQ(listener.told[0].first, first);
    EXPECT_EQ(listener.told[0].second, doc.GetProject());
    EXPECT_FALSE(doc.OnOpenDocument(W(dir / "missing.km")));  // the open project stays: nobody is told
    EXPECT_EQ(listener.told.size(), 1u);
}

}  // namespace
