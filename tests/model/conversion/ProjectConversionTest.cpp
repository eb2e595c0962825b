// The whole road of a conversion: a project with sources and a video output,
// CRunManager::Run through the engine's job, playable files on disk.
#include "engine/MsgMng.h"
#include "fixtures/MediaFixtures.h"
#include "model/project/Project.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

class CollectingHandler final : public IMsgHandler {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_flags.push_back(flags);
        m_texts.push_back(text ? text : L"");
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
    std::string All()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        std::string out;
        for (const std::wstring& t : m_texts) out += WideToUtf8(t) + "\n";
        return out;
    }
    int Count(DWORD flag)
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        int n = 0;
        for (DWORD f : m_flags) n += (f & flag) ? 1 : 0;
        return n;
    }

private:
    std::mutex m_mutex;
    std::vector<DWORD> m_flags;
    std::vector<std::wstring> m_texts;
};

TEST(ProjectConversion, RunWritesAPlayableFilePerSource)
{
    CoInitialize();
    const char* base = std::getenv("KM_TEST_DIR");
    const fs::path dir = fs::path(base ? base : "/tmp") / "project-conversion";
    fs::remove_all(dir);
    const fs::path a = fixtures::WriteClip(dir / "src" / "first.mkv");
    const fs::path b = fixtures::WriteClip(dir / "src" / "second.mpg");
    ASSERT_FALSE(a.empty() || b.empty());

    CollectingHandler handler;
    IMsgHandler* previous = __SetMessageHandler(&handler);
    {
        CProject project;
        project.m_sourceType = CParametersTransfer::kSourceFiles;
        project.InputFiles().AddFile(Utf8ToWide(a.string()));
        CKMFile* second = project.InputFiles().AddFile(Utf8ToWide(b.string()));
        ASSERT_TRUE(second);
        CTimelineObj* range = second->m_timelines.CreateItem();  // 0.4 s to 1.2 s: frames 10 to 29
        range->m_startTime = 4'000'000;
        range->m_endTime = 12'000'000;
        CVideoFileObj* video = project.GetVideoOutput();
        video->SetValue(L"is_create", CVariant(int32_t{1}));
        video->SetValue(L"file_format", CVariant(int32_t{13}));  // MP4
        video->SetValue(L"destination", CVariant(Utf8ToWide((dir / "out").string())));
        video->SetValue(L"file_name", CVariant(L"*.*"));

        if (project.ActiveOutputKind() != CParametersTransfer::kVideoOutput) {
            __SetMessageHandler(previous);
            GTEST_SKIP() << "the project does not hand its outputs to the job transfer yet";
        }
        ASSERT_EQ(project.Run(), S_OK) << handler.All();
        ASSERT_TRUE(project.m_job);
        EXPECT_EQ(project.m_job->Wait(60000), S_OK);
        HRESULT result = E_FAIL;
        project.m_job->GetResult(&result);
        EXPECT_EQ(result, S_OK);
        project.Stop();
    }
    __SetMessageHandler(previous);

    for (const char* name : {"first.mp4", "second.mp4"}) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / name);
        ASSERT_TRUE(info.ok) << name << ": " << info.error;
        EXPECT_EQ(info.width, 160);
        EXPECT_EQ(info.height, 120);
        EXPECT_TRUE(info.hasAudio);
    }
    const fixtures::MediaInfo whole = fixtures::ReadMedia(dir / "out" / "first.mp4");
    EXPECT_EQ(whole.frames, 50);
    const fixtures::MediaInfo cut = fixtures::ReadMedia(dir / "out" / "second.mp4");
    ASSERT_EQ(cut.frames, 20);
    EXPECT_EQ(cut.counters.front(), 10);
    EXPECT_EQ(cut.counters.back(), 29);
    EXPECT_NEAR(cut.audioDuration, 0.8, 0.05);
    EXPECT_EQ(handler.Count(0x20), 2);   // two files done
    EXPECT_EQ(handler.Count(0x100), 1);  // the run finished
    EXPECT_EQ(handler.Count(0x08), 0);
}

}  // namespace

#include "model/project/FirstFormats.h"

namespace {

TEST(ProjectConversion, ANewProjectOnItsFirstFormatsConvertsWithoutAVisitToTheOutputPage)
{
    CoInitialize();
    const char* base = std::getenv("KM_TEST_DIR");
    const fs::path dir = fs::path(base ? base : "/tmp") / "project-first-formats";
    fs::remove_all(dir);
    const fs::path clip = fixtures::WriteClip(dir / "clip.mp4");
    ASSERT_FALSE(clip.empty());

    CollectingHandler handler;
    IMsgHandler* previous = __SetMessageHandler(&handler);
    std::wstring extension;
    {
        CProject project;
        ChooseFirstFormats(project);
        for (COutputFileObj* output : std::initializer_list<COutputFileObj*>{
                 project.GetVideoOutput(), project.GetImageOutput(), project.GetAudioOutput()})
            EXPECT_NE(output->file_format, 0);
        EXPECT_FALSE(project.GetVideoOutput()->video_codec.empty());
        project.InputFiles().AddFile(Utf8ToWide(clip.string()));
        ASSERT_EQ(project.Run(), S_OK) << handler.All();
        ASSERT_TRUE(project.m_job);
        EXPECT_EQ(project.m_job->Wait(60000), S_OK);
        HRESULT result = E_FAIL;
        project.m_job->GetResult(&result);
        EXPECT_EQ(result, S_OK) << handler.All();
        project.Stop();
    }
    __SetMessageHandler(previous);
    // No destination: the file lands beside its source.
    std::vector<fs::path> written;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path() != clip)
            written.push_back(e.path());
    ASSERT_EQ(written.size(), 1u) << handler.All();
    const fixtures::MediaInfo info = fixtures::ReadMedia(written.front());
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.frames, 50);
    EXPECT_TRUE(info.hasAudio);
}

TEST(ProjectConversion, AChosenFormatIsKeptWhenTheFirstFormatsAreGiven)
{
    CProject project;
    project.GetVideoOutput()->file_format = 13;
    ChooseFirstFormats(project);
    EXPECT_EQ(project.GetVideoOutput()->file_format, 13);
}

}  // namespace
