// Which output the project hands to the views and editing panes for every
// combination of the outputs' "is_create" flags.
#include "model/project/Project.h"
#include "model/source/PropertyAccess.h"
#include "platform/ClassRegistry.h"

#include <gtest/gtest.h>

namespace {

TEST(ProjectOutputs, FreshProjectWorksOnTheVideoOutput)
{
    CProject project;
    EXPECT_EQ(project.GetActiveOutput(), project.GetVideoOutput());
    EXPECT_EQ(project.GetCurrentOutput(), project.GetVideoOutput());
    EXPECT_EQ(project.m_sourceType, 0);
    EXPECT_EQ(project.m_runState, CRunManager::kIdle);
}

TEST(ProjectOutputs, EveryFlagCombinationPicksTheSameOutputEverywhere)
{
    CoInitialize();
    for (int bits = 0; bits < 8; ++bits) {
        const bool video = bits & 1, image = bits & 2, audio = bits & 4;
        SCOPED_TRACE(testing::Message() << "video " << video << " image " << image << " audio " << audio);
        CProject project;
        CVideoFileObj* v = project.GetVideoOutput();
        CImageFileObj* i = project.GetImageOutput();
        CAudioFileObj* a = project.GetAudioOutput();
        v->is_create = video;
        i->is_create = image;
        a->is_create = audio;

        COutputFileObj* active = video ? static_cast<COutputFileObj*>(v)
                                 : image ? static_cast<COutputFileObj*>(i)
                                 : audio ? static_cast<COutputFileObj*>(a)
                                         : nullptr;
        CFrameFileObj* visual = video ? static_cast<CFrameFileObj*>(v) : image ? static_cast<CFrameFileObj*>(i) : nullptr;
        EXPECT_EQ(project.GetActiveOutput(), active);
        EXPECT_EQ(project.GetCurrentOutput(), visual);
        EXPECT_EQ(project.GetCurrentCrop(), video ? &v->m_crop : image ? &i->m_crop : nullptr);
        EXPECT_EQ(project.GetCurrentEraser(), video ? &v->m_eraser : image ? &i->m_eraser : nullptr);

        // Stale pointer in: it must come back null, never untouched.
        IUnknown* filter = reinterpret_cast<IUnknown*>(0x1);
        HRESULT hr = project.GetCurrentFilters(&filter);
        if (!visual) {
            EXPECT_EQ(hr, E_FAIL);
            EXPECT_EQ(filter, nullptr);
            continue;
        }
        EXPECT_EQ(hr, S_OK);
        ASSERT_NE(filter, nullptr);
        ComPtr<IUnknown> held;
        held.Attach(filter);
        // The filter object belongs to the chosen output: asking again gives the
        // same one, and the other visual output's object is another.
        ComPtr<IUnknown> again;
        project.GetCurrentFilters(again.ReleaseAndGetAddressOf());
        EXPECT_EQ(again.Get(), held.Get());
        ComPtr<IUnknown> other;
        (video ? i->m_filters : v->m_filters).GetEngineFilter(other.ReleaseAndGetAddressOf());
        EXPECT_NE(other.Get(), held.Get());
    }
}

TEST(ProjectOutputs, CurrentFiltersWithoutAnOutPointerStillRefreshesTheEngineFilter)
{
    CoInitialize();
    CProject project;
    ComPtr<IUnknown> held;
    ASSERT_EQ(project.GetCurrentFilters(held.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_TRUE(held) << "the engine offers no frame-filter object";
    project.GetVideoOutput()->m_filters.brightness = 35;
    project.GetVideoOutput()->m_filters.level = L"12:1.50:200";
    EXPECT_EQ(project.GetCurrentFilters(nullptr), S_OK);
    EXPECT_EQ(GetSourceProperty(held.Get(), L"COLOR_BRIGHTNESS").AsInt(), 35);
    EXPECT_EQ(GetSourceProperty(held.Get(), L"LevelMinBlue").AsInt(), 12);
    EXPECT_EQ(GetSourceProperty(held.Get(), L"LevelMaxRed").AsInt(), 200);

    // No visual output: nothing to refresh, and no pointer to fill.
    project.GetVideoOutput()->is_create = 0;
    EXPECT_EQ(project.GetCurrentFilters(nullptr), E_FAIL);
}

}  // namespace
