// The DVD source against fake discs: titles are matched again on every load
// so their trims stay, a refresh really rescans, a failed open can be tried
// again and keeps the titles, and title exclusion is idempotent.
#include "FakeEngine.h"
#include "model/source/InputDVD.h"
#include <gtest/gtest.h>

using fakes::CFakeSource;

namespace {

ComPtr<CFakeSource> Disc(std::initializer_list<int32_t> uniqueIds)
{
    ComPtr<CFakeSource> disc = fakes::MakeSource();
    int i = 0;
    for (int32_t id : uniqueIds) {
        ComPtr<CFakeSource> title = fakes::MakeSource();
        title->properties[L"FileName"] = CVariant(L"Title " + std::to_wstring(++i));
        title->containerItems[L"unique_file_id"] = CVariant(id);
        title->SetVideo(60.0 * i, 720, 576);
        disc->AddSubFile(title);
    }
    return disc;
}

std::vector<int32_t> Ids(CFiles& titles)
{
    std::vector<int32_t> out;
    for (uint32_t i = 0; i < titles.GetCount(); ++i) out.push_back(titles.GetAt(i)->m_uniqueId);
    return out;
}

class DvdSource : public ::testing::Test {
protected:
    fakes::CSourceFactoryScope factory;
    CInputFiles files;
    CInputDVD dvd;
    void SetUp() override { dvd.m_owner = &files; }
};

TEST_F(DvdSource, ListsTheTitlesOfTheDisc)
{
    ComPtr<CFakeSource> disc = Disc({11, 12, 13});
    factory.Queue(disc);
    EXPECT_EQ(dvd.LoadTitles(L"/media/DVD", 0), S_OK);
    ASSERT_EQ(dvd.m_titles.GetCount(), 3u);
    for (uint32_t i = 0; i < 3; ++i) {
        CKMFile* title = dvd.m_titles.GetAt(i);
        EXPECT_EQ(title->m_fileName, L"Title " + std::to_wstring(i + 1));
        EXPECT_EQ(title->m_chapterId, static_cast<int32_t>(i));
        EXPECT_EQ(title->m_uniqueId, static_cast<int32_t>(11 + i));
        EXPECT_EQ(title->m_duration, (i + 1) * 600'000'000LL);
    }
    EXPECT_EQ(factory.made[0]->properties[L"Type"].AsInt(), 1);
    auto* firstTitle = static_cast<CFakeSource*>(static_cast<IEngineNode*>(disc->subFiles->items[0].Get()));
    EXPECT_EQ(firstTitle->owner, static_cast<IUnknown*>(static_cast<IEngineNode*>(disc.Get())));
    ASSERT_NE(dvd.GetDvdObject(), nullptr);
    EXPECT_EQ(dvd.GetDvdObject()->m_owner, &files);

    // The same disc again: nothing to do.
    EXPECT_EQ(dvd.LoadTitles(L"/media/DVD", 0), S_FALSE);
    EXPECT_EQ(factory.created.load(), 1);
}

TEST_F(DvdSource, RefreshRescansAndKeepsMatchedTitlesWithTheirTrims)
{
    factory.Queue(Disc({11, 12, 13}));
    ASSERT_EQ(dvd.LoadTitles(L"/media/DVD", 0), S_OK);
    CKMFile* second = dvd.m_titles.GetAt(1);
    second->AddTimeline(50);
    second->m_audioFlags[0] = 0;

    factory.Queue(Disc({11, 12, 14}));  // title 13 is gone, 14 is new
    EXPECT_EQ(dvd.LoadTitles(dvd.m_path, 1), S_OK);
    EXPECT_EQ(factory.created.load(), 2);
    EXPECT_EQ(Ids(dvd.m_titles), (std::vector<int32_t>{11, 12, 14}));
    EXPECT_EQ(dvd.m_titles.GetAt(1), second);
    EXPECT_EQ(second->m_timelines.GetCount(), 2u);
    EXPECT_EQ(second->m_audioFlags[0], 0);
}

TEST_F(DvdSource, AbsentDiscKeepsTheTitlesAndCanBeTriedAgain)
{
    factory.Queue(Disc({11, 12}));
    ASSERT_EQ(dvd.LoadTitles(L"/media/DVD", 0), S_OK);
    dvd.m_titles.GetAt(0)->AddTimeline(10);

    ComPtr<CFakeSource> absent = fakes::MakeSource();
    absent->openResult = E_FAIL;
    absent->errorText = L"No disc in the drive";
    factory.Queue(absent);
    EXPECT_EQ(dvd.LoadTitles(L"/media/DVD", 1), E_FAIL);
    EXPECT_EQ(Ids(dvd.m_titles), (std::vector<int32_t>{11, 12}));
    EXPECT_EQ(dvd.m_titles.GetAt(0)->m_timelines.GetCount(), 2u);
    EXPECT_EQ(dvd.GetDvdObject()->m_openError, L"No disc in the drive");

    // The disc is back: the same path opens anew.
    factory.Queue(Disc({11, 12}));
    EXPECT_EQ(dvd.LoadTitles(L"/media/DVD", 0), S_OK);
    EXPECT_EQ(factory.created.load(), 3);
    EXPECT_EQ(dvd.m_titles.GetAt(0)->m_timelines.GetCount(), 2u);
}

TEST_F(DvdSource, TitlesReadFromAProjectAreMatchedOnTheFirstLoad)
{
    CKMFile* saved = dvd.m_titles.CreateItem();
    saved->m_fileName = L"Title 2";
    saved->m_chapterId = 1;
    saved->m_uniqueId = 12;
    saved->SetEndTime(123);
    CKMFile* stale = dvd.m_titles.CreateItem();
    stale->m_chapterId = 5;
    stale->m_uniqueId = 99;

    factory.Queue(Disc({11, 12}));
    ASSERT_EQ(dvd.LoadTitles(L"/media/DVD", 1), S_OK);  // refresh after loading: no DVD object yet
    EXPECT_EQ(Ids(dvd.m_titles), (std::vector<int32_t>{12, 11}));
    EXPECT_EQ(dvd.m_titles.GetAt(0), saved);
    EXPECT_EQ(saved->GetEndTime(), 123);
    EXPECT_EQ(saved->m_duration, 1'200'000'000LL);
}

TEST_F(DvdSource, EmptyPathDoesNothing)
{
    dvd.m_titles.CreateItem();
    EXPECT_EQ(dvd.LoadTitles(L"", 0), S_OK);
    EXPECT_EQ(factory.created.load(), 0);
    EXPECT_EQ(dvd.m_titles.GetCount(), 1u);
}

TEST_F(DvdSource, ExclusionAndClose)
{
    factory.Queue(Disc({11, 12}));
    ASSERT_EQ(dvd.LoadTitles(L"/media/DVD", 0), S_OK);
    CKMFile* title = dvd.m_titles.GetAt(0);
    dvd.SelectTitle(title);
    dvd.SelectTitle(title);
    EXPECT_EQ(dvd.m_excluded.GetCount(), 1u);
    EXPECT_EQ(dvd.IsNotSelected(L"Title 1"), 0);
    EXPECT_EQ(dvd.IsNotSelected(L"Title 2"), 1);
    dvd.UnselectTitle(title);
    EXPECT_EQ(dvd.IsNotSelected(L"Title 1"), 1);

    dvd.SelectTitle(title);
    dvd.SetPath(L"/media/OTHER");
    EXPECT_EQ(dvd.m_excluded.GetCount(), 0u);

    EXPECT_EQ(dvd.Close(), S_OK);
    EXPECT_EQ(dvd.GetDvdObject(), nullptr);
    EXPECT_EQ(dvd.m_titles.GetCount(), 0u);
}

TEST(DvdParams, RegisteredOnTheProjectNodeInOrder)
{
    CConfigMng node;
    CInputDVD dvd;
    dvd.RegisterParams(&node);
    ASSERT_EQ(node.Params().size(), 2u);
    EXPECT_EQ(node.Params()[0].name, L"path_dvd");
    EXPECT_EQ(node.Params()[1].name, L"join");
    EXPECT_EQ(dvd.m_join, 1);
}

}  // namespace
