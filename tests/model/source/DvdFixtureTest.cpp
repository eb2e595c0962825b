// The DVD source on a disc authored at test time through the engine's real
// media source: titles listed after the pending open, kept with their trims
// across a refresh, kept while the disc is gone, and matched again when it
// is back.
#include "FakeEngine.h"
#include "fixtures/DvdFixture.h"
#include "model/source/InputDVD.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

TEST(DvdFixture, TitlesAndTheirTrimsSurviveRescans)
{
    std::string error;
    const fs::path disc = fixtures::WriteDvd(fs::path(std::getenv("KM_TEST_DIR")) / "dvd", &error);
    if (disc.empty()) GTEST_SKIP() << "no DVD fixture: " << error;

    fakes::CFakeProgressFactory dialogs;
    CInputFiles files;
    CInputDVD dvd;
    dvd.m_owner = &files;
    dvd.SetPath(disc.wstring());
    ASSERT_EQ(dvd.LoadTitles(dvd.m_path, 0), S_OK) << std::string(error);
    ASSERT_EQ(dvd.m_titles.GetCount(), 2u);
    CKMFile* first = dvd.m_titles.GetAt(0);
    CKMFile* second = dvd.m_titles.GetAt(1);
    EXPECT_EQ(first->m_chapterId, 0);
    EXPECT_EQ(second->m_chapterId, 1);
    EXPECT_NEAR(first->m_duration / 1e7, 1.0, 0.2);
    EXPECT_NEAR(second->m_duration / 1e7, 2.0, 0.2);
    EXPECT_EQ(first->m_height, 576);
    EXPECT_FALSE(first->m_fileName.empty());
    EXPECT_EQ(dvd.GetDvdObject()->m_sourceType, 1);
    EXPECT_EQ(dialogs.log.destroyed.load(), dialogs.log.created.load());

    second->SetStartTime(5'000'000);
    EXPECT_EQ(dvd.LoadTitles(dvd.m_path, 0), S_FALSE);  // already open

    EXPECT_EQ(dvd.LoadTitles(dvd.m_path, 1), S_OK);  // refresh
    ASSERT_EQ(dvd.m_titles.GetCount(), 2u);
    EXPECT_EQ(dvd.m_titles.GetAt(1), second);
    EXPECT_EQ(second->GetStartTime(), 5'000'000);

    const fs::path away = disc.parent_path() / "dvd-away";
    fs::rename(disc, away);
    EXPECT_TRUE(FAILED(dvd.LoadTitles(dvd.m_path, 1)));
    EXPECT_EQ(dvd.m_titles.GetCount(), 2u);
    EXPECT_FALSE(dvd.GetDvdObject()->m_openError.empty());

    fs::rename(away, disc);
    EXPECT_EQ(dvd.LoadTitles(dvd.m_path, 0), S_OK);
    ASSERT_EQ(dvd.m_titles.GetCount(), 2u);
    EXPECT_EQ(dvd.m_titles.GetAt(1), second);
    EXPECT_EQ(second->GetStartTime(), 5'000'000);
    EXPECT_NEAR(second->m_duration / 1e7, 2.0, 0.2);
}

}  // namespace
