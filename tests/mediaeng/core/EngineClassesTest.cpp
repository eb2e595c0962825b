#include "engine/EngineIds.h"
#include "engine/EngineInit.h"
#include "engine/FrameFilterSettings.h"
#include "mediaeng/core/EngineSeams.h"
#include "mediaeng/job/run/ConversionRunner.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>

// Nothing registers itself as the program loads: whatever a program links,
// the engine's classes and plug-ins come from the one list.
TEST(EngineClasses, TheListRegistersEveryClassAndPlugIn)
{
    EngineInitialize();
    ComPtr<IFrameFilterSettings> filters;
    EXPECT_EQ(CoCreate(CLSID_FrameFilters, filters), S_OK);
    ComPtr<IUnknown> source;
    EXPECT_EQ(CoCreate(CLSID_MediaSource, source), S_OK);
    EXPECT_EQ(GetConversionRunnerFactory(), &mediaeng::job::MakeConversionRunner);
    EXPECT_EQ(GetMediaGraphProvider(), &mediaeng::PlaybackGraphProvider());
}
