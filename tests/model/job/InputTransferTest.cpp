#include "TransferFixture.h"
#include "model/job/JobMessages.h"
#include "model/source/PropertyAccess.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace jobfakes;
using Lines = std::vector<std::wstring>;
namespace fs = std::filesystem;

namespace {

std::wstring FileNameOf(IUnknown* source)
{
    ComPtr<IEngineNode> node = ComPtr<IUnknown>(source).As<IEngineNode>();
    return static_cast<Node*>(node.Get())->Value(L"FileName").AsString();
}

class InputTransfer : public ::testing::Test {
protected:
    InputTransfer() : factory(project.log)
    {
        project.outputs[CParametersTransfer::kVideoOutput].is_create = 1;
        project.advanced[CParametersTransfer::kVideoOutput].adv_image_duration = 10;
        job = project.AttachJob();
    }

    // File names of the sources in "Files", in order.
    Lines Handed() const
    {
        Lines out;
        for (const ComPtr<IUnknown>& s : job->files->items) out.push_back(FileNameOf(s.Get()));
        return out;
    }

    // Writes of the named source's flags (after "FileName"/"Type"), in order.
    Lines FlagWrites(size_t index, std::initializer_list<const wchar_t*> names) const
    {
        const std::wstring path = factory.made.at(index)->Path() + L"|";
        Lines out;
        for (const std::wstring& line : project.log->With(path))
            for (const wchar_t* n : names)
                if (line.compare(path.size(), wcslen(n) + 1, std::wstring(n) + L"|") == 0)
                    out.push_back(line.substr(path.size()));
        return out;
    }

    TestProject project;
    SourceFactory factory;
    MessageRecorder messages;
    ComPtr<Job> job;
};

TEST_F(InputTransfer, FileListHandsOverEverySourceThatOpensWithItsFlags)
{
    project.InputFiles().AddFile(L"/m/a.jpg");
    project.InputFiles().AddFile(L"/m/bad.mp4");
    project.InputFiles().AddFile(L"/m/c.mp4");
    factory.failing = {L"/m/bad.mp4"};

    EXPECT_EQ(S_OK, project.TransferInputs());
    EXPECT_EQ((Lines{L"/m/a.jpg", L"/m/c.mp4"}), Handed());
    ASSERT_EQ(3u, factory.made.size());
    const auto flags = {L"IsVirtualFile", L"IsVirtualVideoFile", L"VirtualDuration", L"IsMontageFile",
                        L"IgnoreBuild", L"AddToJoin"};
    // The still picture becomes a clip of the video output's image duration.
    EXPECT_EQ((Lines{L"IsVirtualFile|I4|0", L"IsVirtualVideoFile|I4|0", L"VirtualDuration|R8|0",
                     L"IsMontageFile|R8|0", L"IgnoreBuild|R8|0", L"AddToJoin|R8|0", L"IsVirtualFile|I4|1",
                     L"IsVirtualVideoFile|I4|1", L"VirtualDuration|R8|10"}),
              FlagWrites(0, flags));
    EXPECT_EQ((Lines{L"IsVirtualFile|I4|0", L"IsVirtualVideoFile|I4|0", L"VirtualDuration|R8|0",
                     L"IsMontageFile|R8|0", L"IgnoreBuild|R8|0", L"AddToJoin|R8|0"}),
              FlagWrites(2, flags));
    EXPECT_TRUE(FlagWrites(1, flags).empty());
    // Linked to the job and to its own source.
    EXPECT_EQ(static_cast<IUnknown*>(static_cast<IConversionJob*>(job.Get())), factory.made[0]->job);
    EXPECT_EQ(1u, project.log->With(L"S2|SetSource|set").size());
    // The text 526 first; one error line naming the file left out.
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_EQ(MSGF_ENGINE_TEXT, messages.messages.front().second);
    ASSERT_EQ(1, messages.Count(MSGF_ERROR));
    // ... and the reason its open gave.
    const std::wstring reason = project.InputFiles().GetAt(1)->m_openError;
    ASSERT_FALSE(reason.empty());
    for (const auto& m : messages.messages)
        if (m.second & MSGF_ERROR) {
            EXPECT_NE(std::wstring::npos, m.first.find(L"/m/bad.mp4"));
            EXPECT_NE(std::wstring::npos, m.first.find(reason));
        }
    // The job learns how many were left out, so its summary counts all three.
    EXPECT_EQ(1, job->root->Value(L"FilesLeftOut").AsInt(-1));
}

TEST_F(InputTransfer, StreamFlagsAre48WritesPerSourceInIndexOrder)
{
    project.InputFiles().AddFile(L"/m/c.mp4");
    CKMFile* entry = project.InputFiles().GetAt(0);
    entry->m_audioFlags[15] = 7;
    EXPECT_EQ(S_OK, project.TransferInputs());
    Lines writes;
    for (const std::wstring& l : project.log->With(L"S0|IsAudio")) writes.push_back(l);
    EXPECT_EQ(16u, writes.size());
    EXPECT_EQ(L"S0|IsAudio15|I4|7", writes.back());
    Lines all;
    for (const std::wstring& l : project.log->With(L"S0|Is"))
        if (l.find(L"IsVirtual") == std::wstring::npos && l.find(L"IsMontage") == std::wstring::npos) all.push_back(l);
    ASSERT_EQ(48u, all.size());
    EXPECT_EQ(0u, all[0].find(L"S0|IsAudio0|"));
    EXPECT_EQ(0u, all[1].find(L"S0|IsVideo0|"));
    EXPECT_EQ(0u, all[2].find(L"S0|IsImage0|"));
}

TEST_F(InputTransfer, StillPictureWithVideoOutputOffGetsBothFlagsCleared)
{
    project.outputs[CParametersTransfer::kVideoOutput].is_create = 0;
    project.outputs[CParametersTransfer::kImageOutput].is_create = 1;
    project.InputFiles().AddFile(L"/m/a.jpg");
    EXPECT_EQ(S_OK, project.TransferInputs());
    EXPECT_EQ((Lines{L"IsVirtualFile|I4|0", L"IsVirtualVideoFile|I4|0", L"VirtualDuration|R8|0",
                     L"IsVirtualFile|I4|0", L"IsVirtualVideoFile|I4|0"}),
              FlagWrites(0, {L"IsVirtualFile", L"IsVirtualVideoFile", L"VirtualDuration"}));
}

TEST_F(InputTransfer, SourceTheJobRefusesIsSkippedAndTheOthersGoOn)
{
    project.InputFiles().AddFile(L"/m/a.mp4");
    project.InputFiles().AddFile(L"/m/b.mp4");
    project.InputFiles().GetAt(0)->OpenMediaSource(L"/m/a.mp4");
    job->files->refuse.insert(static_cast<IEngineNode*>(factory.made[0].Get()));
    EXPECT_EQ(S_OK, project.TransferInputs());
    EXPECT_EQ((Lines{L"/m/b.mp4"}), Handed());
    EXPECT_EQ(1, messages.Count(MSGF_ERROR));
    EXPECT_EQ(1, job->root->Value(L"FilesLeftOut").AsInt(-1));
    EXPECT_EQ(nullptr, factory.made[0]->job);  // no link to a job it is not in
}

// A range whose end is not after its start would make an empty file: the
// entry is left out with an error naming it, unless splitting ignores ranges.
TEST_F(InputTransfer, EntryWithAnEmptyTrimRangeIsLeftOutAndNamed)
{
    struct Case {
        std::vector<std::pair<int64_t, int64_t>> ranges;
        bool split;
        bool handed;
    };
    const std::vector<Case> cases = {
        {{{10000000, 10000000}}, false, false},                    // start dragged onto the end
        {{{0, 20000000}, {30000000, 25000000}}, false, false},     // the second range inverted
        {{{10000000, 10000000}}, true, true},                      // split: ranges not applied
        {{{0, 100000}}, false, true},                              // the shortest real range
        {{}, false, true},                                          // no ranges: the whole file
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        project.InputFiles().RemoveFiles(-1);
        project.InputFiles().AddFile(L"/m/trim.mp4");
        project.InputFiles().AddFile(L"/m/other.mp4");
        CKMFile* entry = project.InputFiles().GetAt(0);
        entry->m_duration = 600000000;
        for (const auto& [start, end] : cases[i].ranges) {
            CTimelineObj* range = entry->m_timelines.CreateItem();
            range->m_startTime = start;
            range->m_endTime = end;
        }
        project.advanced[CParametersTransfer::kVideoOutput].adv_enable_split = cases[i].split ? 1 : 0;
        job->files->items.clear();
        messages.messages.clear();
        EXPECT_EQ(S_OK, project.TransferInputs());
        const Lines withTrim{L"/m/trim.mp4", L"/m/other.mp4"}, without{L"/m/other.mp4"};
        EXPECT_EQ(cases[i].handed ? withTrim : without, Handed());
        EXPECT_EQ(cases[i].handed ? 0 : 1, messages.Count(MSGF_ERROR));
        if (!cases[i].handed) {
            bool named = false;
            for (const auto& [text, flags] : messages.messages)
                named = named || ((flags & MSGF_ERROR) && text.find(L"/m/trim.mp4") != std::wstring::npos);
            EXPECT_TRUE(named);
            EXPECT_EQ(1, job->root->Value(L"FilesLeftOut").AsInt(-1));
        }
    }
    // Ranges made while the duration was unknown are 0 .. 0 and stay allowed.
    project.InputFiles().RemoveFiles(-1);
    project.InputFiles().AddFile(L"/m/unknown.mp4")->AddTimeline(0);
    job->files->items.clear();
    EXPECT_EQ(S_OK, project.TransferInputs());
    EXPECT_EQ(Lines{L"/m/unknown.mp4"}, Handed());
}

TEST_F(InputTransfer, NothingToHandOverFailsWithAnError)
{
    for (int32_t type : {0, 3, 4}) {
        project.m_sourceType = type;
        EXPECT_EQ(E_FAIL, project.TransferInputs()) << type;
    }
    EXPECT_TRUE(job->files->items.empty());
    EXPECT_EQ(3, messages.Count(MSGF_ERROR));
}

TEST_F(InputTransfer, DvdJoinMarksEveryTitleAfterAllAreAdded)
{
    ComPtr<Node> t1 = MakeSource(project.log, L"T1", {L"Video"});
    ComPtr<Node> t2 = MakeSource(project.log, L"T2", {L"Video"});
    ComPtr<Node> t3 = MakeSource(project.log, L"T3", {L"Video"});
    for (auto* t : {t1.Get(), t2.Get(), t3.Get()}) {
        SetSourceProperty(static_cast<IEngineNode*>(t), L"FileName", CVariant(t->Path()));
        CKMFilePtr title = CKMFile::Create(static_cast<IEngineNode*>(t));
        title->m_fileName = t->Path();
        project.InputDVD().m_titles.AddChild(title.get());
    }
    project.InputDVD().m_excluded.AddFile(L"T2");
    project.InputDVD().m_join = 1;
    project.m_sourceType = CParametersTransfer::kSourceDVD;
    project.log->lines.clear();

    EXPECT_EQ(S_OK, project.TransferInputs());
    Lines order;
    for (const std::wstring& l : project.log->lines)
        if (l.find(L"AddSource") != std::wstring::npos || l.find(L"AddToJoin|I4") != std::wstring::npos)
            order.push_back(l);
    EXPECT_EQ((Lines{L"Files|AddSource|T1|0", L"Files|AddSource|T3|0", L"T1|AddToJoin|I4|1", L"T3|AddToJoin|I4|1"}),
              order);
    EXPECT_TRUE(project.log->With(L"T1|SetSource").empty());  // titles keep their own source
    EXPECT_EQ(1u, project.log->With(L"T1|SetJob|job").size());

    project.InputDVD().m_join = 0;
    project.log->lines.clear();
    project.AttachJob();
    project.TransferInputs();
    EXPECT_TRUE(project.log->With(L"T1|AddToJoin|I4").empty());
}

class FolderTransfer : public InputTransfer {
protected:
    FolderTransfer()
    {
        root = fs::path(std::getenv("KM_TEST_DIR")) / "folder-walk";
        fs::remove_all(root);
        for (const char* dir : {"x", "x/deep", "y"}) fs::create_directories(root / dir);
        for (const char* f : {"a.jpg", "skip.jpg", "x/b.jpg", "x/deep/d.jpg", "y/c.jpg"}) std::ofstream(root / f) << "x";
        CInputFolder& folder = project.InputFolder();
        folder.SetFolder(root.wstring());
        folder.m_recursive = 1;
        folder.m_fileMask = L"*.jpg";
        project.m_sourceType = CParametersTransfer::kSourceFolder;
    }
    ~FolderTransfer() override { fs::remove_all(root); }
    std::wstring P(const char* rel) const { return (root / rel).wstring(); }
    fs::path root;
};

TEST_F(FolderTransfer, WalksFilesFirstThenTickedSubFoldersDepthFirst)
{
    CInputFolder& folder = project.InputFolder();
    folder.ScanFolder();
    folder.SelectFile(P("skip.jpg"));
    folder.SelectSubFolder(L"y");
    EXPECT_EQ(S_OK, project.TransferInputs());
    EXPECT_EQ((Lines{P("a.jpg"), P("x/b.jpg"), P("x/deep/d.jpg")}), Handed());
}

TEST_F(FolderTransfer, KeepsTheBrowsePositionAndTheEditedEntries)
{
    CInputFolder& folder = project.InputFolder();
    folder.SelectSubFolder(L"y");
    std::wstring left;
    folder.ChangeFolder(&left, L"x");
    folder.ScanFolder();
    ASSERT_EQ(1u, folder.m_listed.GetCount());
    CKMFile* edited = folder.m_listed.GetAt(0);
    edited->AddTimeline(0);
    const uint32_t ranges = edited->m_timelines.GetCount();
    const std::wstring subPath = folder.m_subPath;

    EXPECT_EQ(S_OK, project.TransferInputs());
    EXPECT_EQ(subPath, folder.m_subPath);
    ASSERT_EQ(1u, folder.m_listed.GetCount());
    EXPECT_EQ(edited, folder.m_listed.GetAt(0));
    EXPECT_EQ(ranges, edited->m_timelines.GetCount());
    // The edited entry itself was handed over.
    ASSERT_TRUE(edited->CurrentSource());
    bool found = false;
    for (const ComPtr<IUnknown>& s : job->files->items) found |= s.Get() == edited->CurrentSource().Get();
    EXPECT_TRUE(found);
    EXPECT_EQ((Lines{P("a.jpg"), P("skip.jpg"), P("x/b.jpg"), P("x/deep/d.jpg")}), Handed());
}

TEST_F(FolderTransfer, ResetUnlinksEverySourceHandedToTheJob)
{
    EXPECT_EQ(S_OK, project.TransferInputs());
    ASSERT_FALSE(job->files->items.empty());
    project.log->lines.clear();
    project.ResetMontageData();
    for (const ComPtr<IUnknown>& s : job->files->items) {
        ComPtr<IEngineNode> n = s.As<IEngineNode>();
        Node* node = static_cast<Node*>(n.Get());
        EXPECT_EQ(nullptr, node->job) << node->Path();
        const std::wstring p = node->Path() + L"|";
        EXPECT_EQ((Lines{p + L"IsMontageFile|R8|0", p + L"ResetAfterJob(0,0)", p + L"SetJob|null",
                         p + L"SetSource|null", p + L"GalleryData|Update(0,0,1)", p + L"MontageData|Update(0,0,1)"}),
                  project.log->With(p));
    }
}

TEST_F(InputTransfer, ResetWalksTheFileListOnceEvenWithoutATransfer)
{
    project.InputFiles().AddFile(L"/m/a.mp4");
    project.InputFiles().GetAt(0)->OpenMediaSource(L"/m/a.mp4");
    EXPECT_EQ(S_OK, project.TransferInputs());
    project.log->lines.clear();
    project.ResetMontageData();
    EXPECT_EQ(1u, project.log->With(L"S0|SetJob|null").size());
    project.log->lines.clear();
    project.ResetMontageData();  // the file list's sources are reset again
    EXPECT_EQ(1u, project.log->With(L"S0|SetJob|null").size());
}

}  // namespace

namespace {

TEST(RelinkTitleSource, PointsTheTitleAtTheNearestOwnerThatIsASource)
{
    struct Case {
        bool associated, ownerIsSource, ownersOwnerIsSource;
        const wchar_t* expectedOwner;  // null: unchanged
    } cases[] = {
        {true, false, true, L"D"},
        {true, true, false, L"O"},
        {true, false, false, nullptr},
        {false, true, true, nullptr},
    };
    for (const Case& c : cases) {
        LogPtr log = std::make_shared<Log>();
        ComPtr<Node> disc = MakeSource(log, L"D");
        disc->isSource = c.ownersOwnerIsSource;
        ComPtr<Node> owner = MakeSource(log, L"O");
        owner->isSource = c.ownerIsSource;
        owner->owner = static_cast<IEngineNode*>(disc.Get());
        ComPtr<Node> title = MakeSource(log, L"T");
        title->associated = c.associated;
        title->owner = static_cast<IEngineNode*>(owner.Get());
        CKMFilePtr entry = CKMFile::Create(static_cast<IEngineNode*>(title.Get()));
        entry->m_chapterId = 0;
        log->lines.clear();
        CParametersTransfer::RelinkTitleSource(entry.get());
        if (!c.expectedOwner) {
            EXPECT_TRUE(log->With(L"T|SetOwner").empty());
            continue;
        }
        ASSERT_EQ(1u, log->With(L"T|SetOwner").size());
        ComPtr<IEngineNode> now = ComPtr<IUnknown>(title->owner).As<IEngineNode>();
        EXPECT_EQ(c.expectedOwner, static_cast<Node*>(now.Get())->Path());
    }
}

}  // namespace
