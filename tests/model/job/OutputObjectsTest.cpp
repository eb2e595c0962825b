// The transfer over the real output objects into the engine's own job tree.
#include "engine/EngineNode.h"
#include "model/job/OutputsProjectDouble.h"
#include "model/source/PropertyAccess.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>

namespace {

TEST(OutputObjectsTransfer, WritesTheActiveOutputAndItsEditingIntoTheEngineJob)
{
    CoInitialize();
    OutputsProject project;
    ASSERT_EQ(S_OK, CoCreate(CLSID_ConversionJob, project.m_job));
    project.video.is_create = 0;
    project.image.is_create = 1;
    project.image.file_format = 9;
    project.image.m_crop.crop_left = 12;
    project.image.m_adv.adv_split_start_time = 4;
    project.image.m_watermarks.AddTextWatermark();
    project.video.m_crop.crop_left = 99;  // not the active output

    EXPECT_EQ(S_OK, project.TransferOutput());
    ComPtr<IUnknown> format;
    project.GetFormatNode(format.ReleaseAndGetAddressOf());
    ASSERT_TRUE(format);
    EXPECT_EQ(9, GetSourceProperty(format.Get(), L"OutputFormatID").AsInt());
    EXPECT_EQ(12, GetSourceProperty(format.Get(), L"Crop_Left").AsInt());
    EXPECT_EQ(4, GetSourceProperty(format.Get(), L"FrameShift").AsInt());
    ComPtr<IUnknown> watermarks;
    ComPtr<IEngineNode> node = format.As<IEngineNode>();
    ASSERT_TRUE(node);
    ASSERT_EQ(S_OK, node->GetItem(L"Watermarks", watermarks.ReleaseAndGetAddressOf()));
    LONG count = 0;
    watermarks.As<IEngineCollection>()->GetCount(&count);
    EXPECT_EQ(1, count);
    project.m_job = nullptr;
}

}  // namespace
