// Source lists: removal keeps entries until both the list and the preview
// player's frame grabber have let go (run under AddressSanitizer, which
// catches a second delete, a use after delete or a leak), the list edits, and
// adding files from the shell's chooser with the remembered folder.
#include "FakeEngine.h"
#include "model/source/Files.h"
#include "platform/Settings.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <thread>

using fakes::CFakeSource;

namespace {

std::vector<std::wstring> Names(CFiles& list)
{
    std::vector<std::wstring> out;
    for (uint32_t i = 0; i < list.GetCount(); ++i) out.push_back(list.GetAt(i)->m_fileName);
    return out;
}

// The entry holds one reference to its source, so the source's count tells
// whether the entry still exists without touching it.
struct Watched {
    ComPtr<CFakeSource> source = fakes::MakeSource();
    ULONG Count() const { return source->RefCount(); }
};

enum class Removal { ByIndex, All, ByPath, Purge };
struct RemovalCase {
    const char* name;
    Removal how;
    bool grabberHolds;
};
void PrintTo(const RemovalCase& c, std::ostream* os) { *os << c.name; }

class RemovalTable : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(RemovalTable, EntryIsDeletedOnceAfterListAndGrabberLetGo)
{
    const RemovalCase& c = GetParam();
    Watched watched;
    CKMFile* entry = nullptr;
    {
        CFiles list;
        list.AddFile(L"/m/0.mp4");
        entry = list.AddFile(L"/m/1.mp4");
        list.AddFile(L"/m/2.mp4");
        entry->SetSource(static_cast<IEngineNode*>(watched.source.Get()));
        ASSERT_EQ(watched.Count(), 2u);
        if (c.grabberHolds) entry->GrabAddRef();

        switch (c.how) {
        case Removal::ByIndex: list.RemoveFiles(1); break;
        case Removal::All: list.RemoveFiles(-1); break;
        case Removal::ByPath: list.RemoveByPath(L"/m/1.mp4"); break;
        case Removal::Purge:
            list.ClearMarks();
            list.GetAt(0)->m_keepMark = 1;
            list.GetAt(2)->m_keepMark = 1;
            list.PurgeUnmarked();
            break;
        }
        if (c.how == Removal::All)
            EXPECT_EQ(list.GetCount(), 0u);
        else
            EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"/m/0.mp4", L"/m/2.mp4"}));
        if (c.how != Removal::Purge || c.grabberHolds) {
            // Still there: the list (or the grabber) keeps it, marked removed.
            EXPECT_EQ(watched.Count(), 2u);
            EXPECT_TRUE(entry->IsRemoved());
        }
    }
    if (c.grabberHolds) {
        EXPECT_EQ(watched.Count(), 2u);
        EXPECT_FALSE(entry->IsAlive());
        EXPECT_TRUE(entry->IsRemoved());
        EXPECT_EQ(entry->GetGrabRef(), 1);
        entry->GrabRelease();
    }
    EXPECT_EQ(watched.Count(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, RemovalTable,
                         ::testing::Values(RemovalCase{"ByIndex", Removal::ByIndex, false},
                                           RemovalCase{"ByIndexWhileGrabbed", Removal::ByIndex, true},
                                           RemovalCase{"All", Removal::All, false},
                                           RemovalCase{"AllWhileGrabbed", Removal::All, true},
                                           RemovalCase{"ByPath", Removal::ByPath, false},
                                           RemovalCase{"ByPathWhileGrabbed", Removal::ByPath, true},
                                           RemovalCase{"Purge", Removal::Purge, false},
                                           RemovalCase{"PurgeWhileGrabbed", Removal::Purge, true}),
                         [](const ::testing::TestParamInfo<RemovalCase>& info) { return std::string(info.param.name); });

TEST(FilesGrabber, GrabberThreadLetsGoAfterTheListIsGone)
{
    Watched watched;
    auto list = std::make_unique<CFiles>();
    CKMFile* entry = list->AddFile(L"/m/a.mp4");
    entry->SetSource(static_cast<IEngineNode*>(watched.source.Get()));
    entry->GrabAddRef();  // a grab request is queued on the user interface thread

    CEvent listGone;
    bool sawRemoved = false;
    std::thread grabber([&] {
        listGone.Wait();
        sawRemoved = entry->IsRemoved();  // the worker drops the request
        entry->GrabRelease();             // and empties its request list
    });
    list->RemoveFiles(0);
    list.reset();
    listGone.Set();
    grabber.join();
    EXPECT_TRUE(sawRemoved);
    EXPECT_EQ(watched.Count(), 1u);
}

TEST(FilesGrabber, AnEntryInTwoListsOutlivesTheFirst)
{
    Watched watched;
    CKMFile* entry = nullptr;
    {
        CFiles second;
        {
            CFiles first;
            entry = first.AddFile(L"/m/a.mp4");
            entry->SetSource(static_cast<IEngineNode*>(watched.source.Get()));
            second.AddChild(entry);
            second.AddChild(entry);  // the same pointer only once
            EXPECT_EQ(second.GetCount(), 1u);
        }
        EXPECT_EQ(watched.Count(), 2u);
        EXPECT_EQ(second.GetAt(0), entry);
    }
    EXPECT_EQ(watched.Count(), 1u);
}

TEST(FilesEdits, RemoveByPathTakesOnlyTheFirstAndDuplicatesAreAllowed)
{
    CFiles list;
    list.AddFile(L"/m/a.mp4");
    list.AddFiles({L"/m/b.mp4", L"/m/a.mp4"});
    EXPECT_EQ(list.GetCount(), 3u);
    list.RemoveByPath(L"/m/a.mp4");
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"/m/b.mp4", L"/m/a.mp4"}));
    list.RemoveByPath(L"/m/A.mp4");  // exact, case-sensitive
    EXPECT_EQ(list.GetCount(), 2u);
    list.RemoveFiles(7);  // past the end: nothing
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetAt(2), nullptr);
}

TEST(FilesEdits, FindsByNameAndChapterAndReleasesOtherGraphs)
{
    Watched a, b;
    CFiles list;
    CKMFile* first = list.AddFile(L"/m/film.mkv");
    CKMFile* second = list.AddCopyOf(first);
    second->m_chapterId = 1;
    first->SetSource(static_cast<IEngineNode*>(a.source.Get()));
    second->SetSource(static_cast<IEngineNode*>(b.source.Get()));
    EXPECT_EQ(list.FindByName(L"/m/film.mkv", 1), second);
    EXPECT_EQ(list.FindByName(L"/m/film.mkv", 2), nullptr);
    list.ReleaseOtherSources(second);
    EXPECT_EQ(a.source->releaseGraphCalls.load(), 1);
    EXPECT_EQ(b.source->releaseGraphCalls.load(), 0);
}

class FilesDialog : public ::testing::Test {
protected:
    void SetUp() override { CSettingsStore::Instance().SetString(L"Settings", L"InitDir", L""); }
    fakes::CFakeBrowser browser;
};

TEST_F(FilesDialog, FirstChosenFileSetsTheInitialFolder)
{
    CFiles list;
    browser.answer = {L"/home/u/clips/a.mp4", L"/home/u/other/b.mkv"};
    EXPECT_EQ(list.AddFilesFromDialog(), S_OK);
    EXPECT_EQ(browser.seenFolder, L"<null>");
    EXPECT_TRUE(browser.seenMustExist);
    EXPECT_EQ(browser.seenFilter, CFiles::DialogFilter());
    EXPECT_EQ(Names(list), browser.answer);
    EXPECT_EQ(CSettingsStore::Instance().GetString(L"Settings", L"InitDir", L"?"), L"/home/u/clips");

    browser.answer = {};
    EXPECT_EQ(list.AddFilesFromDialog(), S_FALSE);  // cancelled
    EXPECT_EQ(browser.seenFolder, L"/home/u/clips");
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(CSettingsStore::Instance().GetString(L"Settings", L"InitDir", L"?"), L"/home/u/clips");
}

TEST(FilesDialogFilter, PairsEndWithTwoBars)
{
    const std::wstring& filter = CFiles::DialogFilter();
    EXPECT_EQ(filter.rfind(L"All supported formats|*.avi;*.wav;", 0), 0u);
    EXPECT_EQ(filter.substr(filter.size() - 20), L"All files(*.*)|*.*||");
    EXPECT_EQ(std::count(filter.begin(), filter.end(), L'|'), 28 * 2 + 1);
}

}  // namespace
