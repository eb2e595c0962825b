#include "TransferFixture.h"
#include "platform/KeepAwake.h"
#include <gtest/gtest.h>

using namespace jobfakes;

namespace {

// A project with one source and the video output on, so a job can be filled.
class RunManager : public ::testing::Test {
protected:
    RunManager() : factory(project.log)
    {
        Job::s_live = 0;
        project.outputs[CParametersTransfer::kVideoOutput].is_create = 1;
        project.InputFiles().AddFile(L"/m/a.mp4");
    }
    ~RunManager() override { CKeepAwake::Release(); }

    TestProject project;
    SourceFactory factory;
    MessageRecorder messages;
};

TEST_F(RunManager, StartPauseResumeStop)
{
    EXPECT_EQ(S_OK, project.Run());
    Job* job = project.lastJob;
    ASSERT_NE(nullptr, job);
    EXPECT_EQ(CRunManager::kRunning, project.m_runState);
    EXPECT_EQ(1, job->inits);
    EXPECT_EQ(1, job->runs);
    EXPECT_TRUE(CKeepAwake::IsHeld());
    EXPECT_EQ(1, Job::s_live);

    EXPECT_EQ(S_FALSE, project.Run());  // already running: nothing happens
    EXPECT_EQ(1, job->runs);

    // The document's pause.
    project.m_runState = CRunManager::kPaused;
    project.m_job->Pause();
    EXPECT_EQ(S_OK, project.Run());  // resume: the same job runs again
    EXPECT_EQ(job, project.lastJob);
    EXPECT_EQ(1, job->inits);
    EXPECT_EQ(2, job->runs);
    EXPECT_EQ(CRunManager::kRunning, project.m_runState);

    EXPECT_EQ(S_OK, project.Stop());
    EXPECT_EQ(CRunManager::kIdle, project.m_runState);
    EXPECT_FALSE(project.m_job);
    EXPECT_EQ(0, Job::s_live);
    EXPECT_FALSE(CKeepAwake::IsHeld());
    // The source no longer points at the released job.
    EXPECT_EQ(nullptr, factory.made.at(0)->job);
}

TEST_F(RunManager, StopWithoutJobClearsStateAndKeepAwake)
{
    CKeepAwake::Request();
    project.m_runState = CRunManager::kPaused;
    EXPECT_EQ(S_OK, project.Stop());
    EXPECT_EQ(CRunManager::kIdle, project.m_runState);
    EXPECT_FALSE(CKeepAwake::IsHeld());
}

TEST_F(RunManager, FailedStartsLeaveNoJobAndNoKeepAwake)
{
    struct Case {
        const char* what;
        HRESULT create, init, run;
        bool noSources;
    } cases[] = {
        {"create", E_OUTOFMEMORY, S_OK, S_OK, false},
        {"init", S_OK, E_ACCESSDENIED, S_OK, false},
        {"run", S_OK, S_OK, E_UNEXPECTED, false},
        {"empty", S_OK, S_OK, S_OK, true},
    };
    for (const Case& c : cases) {
        TestProject p;
        SourceFactory sources(p.log);
        MessageRecorder log;
        p.outputs[CParametersTransfer::kVideoOutput].is_create = 1;
        if (!c.noSources) p.InputFiles().AddFile(L"/m/a.mp4");
        p.createResult = c.create;
        ComPtr<Job> job = MakeComObject<Job>(p.log);
        job->AddProfile(1);
        job->initResult = c.init;
        job->runResult = c.run;
        p.nextJobs.push_back(job);
        job = nullptr;

        const HRESULT hr = p.Run();
        EXPECT_TRUE(FAILED(hr)) << c.what;
        if (FAILED(c.create)) {
            EXPECT_EQ(c.create, hr);
        }
        if (FAILED(c.init)) {
            EXPECT_EQ(c.init, hr);
        }
        EXPECT_EQ(CRunManager::kIdle, p.m_runState) << c.what;
        EXPECT_FALSE(p.m_job) << c.what;
        EXPECT_FALSE(CKeepAwake::IsHeld()) << c.what;
        if (c.noSources) {
            EXPECT_EQ(1, log.Count(MSGF_ERROR));
        }
        if (FAILED(c.create)) p.nextJobs.clear();  // never asked for
        EXPECT_EQ(0, Job::s_live) << c.what;
    }
}

TEST_F(RunManager, InitFailureThenANewStartLeaksNothing)
{
    ComPtr<Job> failing = MakeComObject<Job>(project.log);
    failing->AddProfile(1);
    failing->initResult = E_FAIL;
    project.nextJobs.push_back(failing);
    failing = nullptr;
    EXPECT_EQ(E_FAIL, project.Run());
    EXPECT_EQ(0, Job::s_live);

    EXPECT_EQ(S_OK, project.Run());
    EXPECT_EQ(1, Job::s_live);
    EXPECT_EQ(CRunManager::kRunning, project.m_runState);
}

TEST_F(RunManager, DestroyingTheProjectStopsAndReleasesTheJob)
{
    {
        TestProject p;
        SourceFactory sources(p.log);
        p.outputs[CParametersTransfer::kVideoOutput].is_create = 1;
        p.InputFiles().AddFile(L"/m/a.mp4");
        ASSERT_EQ(S_OK, p.Run());
        EXPECT_EQ(1, Job::s_live);
    }
    EXPECT_EQ(0, Job::s_live);
    EXPECT_FALSE(CKeepAwake::IsHeld());
}

}  // namespace
