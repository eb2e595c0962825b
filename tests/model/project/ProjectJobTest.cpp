// A project deleted while its conversion runs stops and lets go of the job.
#include "model/project/Project.h"
#include "fixtures/FakeJob.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(ProjectJob, DeletingARunningProjectStopsAndReleasesTheJob)
{
    auto log = std::make_shared<jobfakes::Log>();
    ComPtr<jobfakes::Job> job = MakeComObject<jobfakes::Job>(log);
    auto project = std::make_unique<CProject>();
    project->m_job = job;
    project->m_runState = CRunManager::kRunning;
    project.reset();
    EXPECT_EQ(job->stops, 1);
    // Only this test's reference is left.
    EXPECT_EQ(job->AddRef(), 2u);
    job->Release();
}

}  // namespace
