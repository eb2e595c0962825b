#include "model/job/RunManager.h"
#include <gtest/gtest.h>

namespace {

class CBareProject : public CRunManager {
public:
    CVideoFileObj* GetVideoOutput() override { return nullptr; }
    CAudioFileObj* GetAudioOutput() override { return nullptr; }
    CImageFileObj* GetImageOutput() override { return nullptr; }
};

TEST(RunManager, StopWithoutJobOnlyClearsState)
{
    CBareProject project;
    project.m_runState = CRunManager::kPaused;
    EXPECT_EQ(S_OK, project.Stop());
    EXPECT_EQ(CRunManager::kIdle, project.m_runState);
    EXPECT_FALSE(project.m_job);
}

}  // namespace
