// From a project to a filled engine job: the whole chain of the transfer.
#include "fixtures/FakeJob.h"
#include "TransferFixture.h"
#include "model/job/JobTreeAccess.h"
#include "model/project/Project.h"
#include "model/source/PropertyAccess.h"
#include <gtest/gtest.h>

using namespace jobfakes;

namespace {

TEST(ProjectJob, CreateJobFillsTheEngineJobFromTheProject)
{
    LogPtr log = std::make_shared<Log>();
    SourceFactory sources(log);
    MessageRecorder messages;
    CProject project;
    project.GetVideoOutput()->file_format = 13;
    project.InputFiles().AddFile(L"/m/a.mp4");
    project.InputFiles().AddFile(L"/m/b.jpg");

    ASSERT_EQ(S_OK, project.CreateJob());
    ASSERT_TRUE(project.m_job);
    ComPtr<IFilesNode> files = GetFilesNode(project.m_job.Get());
    LONG count = 0;
    files->GetCount(&count);
    EXPECT_EQ(2, count);
    ComPtr<IUnknown> format;
    project.GetFormatNode(format.ReleaseAndGetAddressOf());
    EXPECT_EQ(13, GetSourceProperty(format.Get(), L"OutputFormatID").AsInt());
    EXPECT_EQ(1, GetSourceProperty(format.Get(), L"FormatType").AsInt());
    EXPECT_EQ(0, messages.Count(MSGF_ERROR));

    EXPECT_EQ(S_OK, project.Stop());
    EXPECT_FALSE(project.m_job);
    EXPECT_EQ(nullptr, sources.made.at(0)->job);
}

TEST(ProjectJob, NothingSwitchedOnGivesNoJob)
{
    LogPtr log = std::make_shared<Log>();
    SourceFactory sources(log);
    MessageRecorder messages;
    CProject project;
    project.GetVideoOutput()->is_create = 0;
    project.InputFiles().AddFile(L"/m/a.mp4");
    EXPECT_TRUE(FAILED(project.CreateJob()));
    EXPECT_FALSE(project.m_job);
    EXPECT_EQ(1, messages.Count(MSGF_ERROR));
    EXPECT_EQ(nullptr, sources.made.at(0)->job);
}

}  // namespace
