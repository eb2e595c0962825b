// The media probe against the engine's real media source on generated media:
// the facts of each kind of file, and a clear error (never a crash) for
// files that are no media or are damaged.
#include "FakeEngine.h"
#include "fixtures/MediaFixtures.h"
#include "model/source/FileParserImpl.h"
#include "model/source/MediaKind.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

namespace fs = std::filesystem;

class ProbeFixtures : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = fs::path(std::getenv("KM_TEST_DIR")) / "probe-fixtures";
        set = fixtures::WriteFixtureSet(folder);
    }
    static inline fs::path folder;
    static inline fixtures::FixtureSet set;
};

struct Expect {
    const char* name;
    fs::path fixtures::FixtureSet::*file;
    int width, height;
    bool video, audio, image, audioOnly;
};

TEST_F(ProbeFixtures, FactsOfEachKind)
{
    const Expect cases[] = {
        {"mp4", &fixtures::FixtureSet::mp4, 160, 120, true, true, false, false},
        {"avi", &fixtures::FixtureSet::avi, 160, 120, true, true, false, false},
        {"wide", &fixtures::FixtureSet::wide, 213, 120, true, true, false, false},
        {"wav", &fixtures::FixtureSet::wav, 0, 0, false, true, false, true},
        {"mp3", &fixtures::FixtureSet::mp3, 0, 0, false, true, false, true},
        {"png", &fixtures::FixtureSet::png, 160, 120, false, false, true, false},
        {"jpeg", &fixtures::FixtureSet::jpeg, 160, 120, false, false, true, false},
    };
    for (const Expect& c : cases) {
        SCOPED_TRACE(c.name);
        CFileParserImpl probe;
        ASSERT_EQ(probe.OpenMediaSource((set.*c.file).wstring()), S_OK) << std::string(probe.m_openError.begin(), probe.m_openError.end());
        ComPtr<IUnknown> source = probe.CurrentSource();
        EXPECT_EQ(probe.m_width, c.width);
        EXPECT_EQ(probe.m_height, c.height);
        EXPECT_EQ(probe.m_hasVideo, c.video ? 1 : 0);
        EXPECT_EQ(probe.m_hasAudio, c.audio ? 1 : 0);
        EXPECT_EQ(IsImageSource(source.Get()), c.image);
        EXPECT_EQ(IsAudioOnlySource(source.Get()), c.audioOnly);
        if (!c.image) {
            EXPECT_NEAR(probe.m_duration / 1e7, 2.0, 0.1);
        }
        EXPECT_TRUE(probe.m_openError.empty());
    }
}

TEST_F(ProbeFixtures, BadFilesFailWithATextAndStayFailed)
{
    fakes::CFakeDocument document;
    for (const fs::path& file : {set.zeroByte, set.textAsMp4, folder / "missing.mp4"}) {
        SCOPED_TRACE(file.string());
        CFileParserImpl probe;
        EXPECT_TRUE(FAILED(probe.OpenMediaSource(file.wstring())));
        EXPECT_FALSE(probe.m_openError.empty());
        EXPECT_EQ(probe.m_infoRead, 0);
        EXPECT_EQ(probe.OpenMediaSource(file.wstring()), E_FAIL);
    }
    EXPECT_EQ(document.reports.size(), 3u);
}

TEST_F(ProbeFixtures, TruncatedClipOpensOrFailsCleanly)
{
    CFileParserImpl probe;
    HRESULT hr = probe.OpenMediaSource(set.truncated.wstring());
    if (SUCCEEDED(hr)) {
        EXPECT_EQ(probe.m_infoRead, 1);
        EXPECT_EQ(probe.m_height, 120);
        EXPECT_GE(probe.m_duration, 0);
    } else {
        EXPECT_FALSE(probe.m_openError.empty());
    }
}

}  // namespace
