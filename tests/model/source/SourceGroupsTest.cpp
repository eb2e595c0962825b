// The source objects as the project registers them: their parameters on the
// project node and their lists as groups 1 to 5, written to a project file
// and read back into fresh objects.
#include "model/source/InputDVD.h"
#include "model/source/InputFolder.h"
#include "platform/Archive.h"
#include <gtest/gtest.h>

namespace {

// Registers like the project does.
struct SourceNode {
    CConfigMng node;
    CInputFiles files;
    CInputFolder folder;
    CInputDVD dvd;
    SourceNode()
    {
        dvd.m_owner = &files;
        folder.RegisterParams(&node);
        dvd.RegisterParams(&node);
        CConfigMng::AddGroup(&node, 1, &files);
        CConfigMng::AddGroup(&node, 2, &folder.m_excluded);
        CConfigMng::AddGroup(&node, 3, &dvd.m_excluded);
        CConfigMng::AddGroup(&node, 4, &dvd.m_titles);
        CConfigMng::AddGroup(&node, 5, &folder.m_second);
    }
};

TEST(SourceGroups, ListsAndSettingsSurviveAProjectFile)
{
    SourceNode saved;
    CKMFile* a = saved.files.AddFile(L"/m/a.mp4");
    a->m_duration = 100;
    a->AddTimeline(40);
    a->m_videoFlags[0] = 0;
    a->m_videoFlags[3] = 1;
    saved.files.AddFile(L"/m/b.mkv")->m_chapterId = 2;
    saved.folder.m_folder = L"/v";
    saved.folder.m_recursive = 0;
    saved.folder.SetFileMask(L"*.mp4");
    saved.folder.SelectSubFolder(L"skip");
    saved.dvd.m_path = L"/media/DVD";
    saved.dvd.m_join = 0;
    CKMFile* title = saved.dvd.m_titles.CreateItem();
    title->m_fileName = L"Title 1";
    title->m_chapterId = 0;
    title->m_uniqueId = 11;
    title->SetEndTime(5000);
    saved.dvd.m_excluded.AddFile(L"Title 2");

    CMemoryArchive archive;
    saved.node.SaveConfig(archive);
    SourceNode loaded;
    CMemoryArchive in(archive.Data());
    ASSERT_EQ(loaded.node.LoadConfig(in), S_OK);

    ASSERT_EQ(loaded.files.GetCount(), 2u);
    CKMFile* la = loaded.files.GetAt(0);
    EXPECT_EQ(la->m_fileName, L"/m/a.mp4");
    EXPECT_EQ(la->m_timelines.GetCount(), 2u);
    EXPECT_EQ(la->m_timelines.GetAt(1)->m_startTime, 40);
    EXPECT_EQ(la->m_videoFlags[0], 0);
    EXPECT_EQ(la->m_videoFlags[3], 1);
    EXPECT_EQ(loaded.files.GetAt(1)->m_chapterId, 2);
    EXPECT_EQ(loaded.folder.m_folder, L"/v");
    EXPECT_EQ(loaded.folder.m_recursive, 0);
    EXPECT_EQ(loaded.folder.m_fileMask, L"*.mp4");
    EXPECT_EQ(loaded.folder.IsNotSelected(L"/v/skip/"), 0);
    EXPECT_EQ(loaded.dvd.m_path, L"/media/DVD");
    EXPECT_EQ(loaded.dvd.m_join, 0);
    ASSERT_EQ(loaded.dvd.m_titles.GetCount(), 1u);
    EXPECT_EQ(loaded.dvd.m_titles.GetAt(0)->m_uniqueId, 11);
    EXPECT_EQ(loaded.dvd.m_titles.GetAt(0)->GetEndTime(), 5000);
    EXPECT_EQ(loaded.dvd.IsNotSelected(L"Title 2"), 0);
    EXPECT_EQ(loaded.folder.m_second.GetCount(), 0u);
}

}  // namespace
