// A file's own sub-file is made when its source's list is first read: it
// must then be what it was when the probe made it, once, and safe to make
// after the source itself is gone.
#include "engine/MediaSourceGraph.h"
#include "engine/MediaSourceKeys.h"
#include "fixtures/MediaFixtures.h"
#include "platform/ClassRegistry.h"
#include <cstdlib>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

fs::path Clip()
{
    const char* dir = std::getenv("KM_TEST_DIR");
    const fs::path d = fs::path(dir ? dir : "/tmp") / "subfiles";
    fs::create_directories(d);
    static const fs::path clip = fixtures::WriteClip(d / "clip.mp4");
    return clip;
}

ComPtr<IEngineNode> OpenSource(const fs::path& file)
{
    ComPtr<IEngineNode> source;
    EXPECT_EQ(CoCreate(CLSID_MediaSource, source), S_OK);
    source->SetValue(sourcekey::FileName, CVariant(file.wstring()));
    EXPECT_EQ(source.As<IMediaSourceGraph>()->Open(nullptr), S_OK);
    return source;
}

ComPtr<IEngineCollection> SubFiles(IEngineNode* source)
{
    ComPtr<IUnknown> list;
    source->GetItem(sourcekey::SubFiles, list.ReleaseAndGetAddressOf());
    return list.As<IEngineCollection>();
}

ComPtr<IEngineNode> SubFileAt(IEngineCollection* list, LONG index)
{
    ComPtr<IUnknown> item;
    list->GetItem(index, item.ReleaseAndGetAddressOf());
    return item.As<IEngineNode>();
}

CVariant Value(IEngineNode* node, const wchar_t* name)
{
    CVariant v;
    node->GetValue(name, &v);
    return v;
}

}  // namespace

TEST(SubFileList, FileIsItsOwnSubFileWithTheSourcesFactsOwnerAndSwitches)
{
    ASSERT_FALSE(Clip().empty());
    ComPtr<IEngineNode> source = OpenSource(Clip());
    ComPtr<IEngineCollection> list = SubFiles(source.Get());
    ASSERT_TRUE(list);
    LONG count = 0;
    ASSERT_EQ(list->GetCount(&count), S_OK);
    ASSERT_EQ(count, 1);
    ComPtr<IEngineNode> sub = SubFileAt(list.Get(), 0);
    ASSERT_TRUE(sub);
    EXPECT_EQ(SubFileAt(list.Get(), 0).Get(), sub.Get()) << "made once, not at every read";
    const std::wstring names[] = {sourcekey::FileName, sourcekey::Width, sourcekey::Height, sourcekey::DurationByS,
                                  sourcekey::FrameRate, sourcekey::StreamSwitch(sourcekey::IsVideo, 0),
                                  sourcekey::StreamSwitch(sourcekey::IsAudio, 1)};
    for (const std::wstring& name : names)
        EXPECT_EQ(Value(sub.Get(), name.c_str()).AsString(), Value(source.Get(), name.c_str()).AsString()) << name;
    BOOL open = 0;
    sub.As<IMediaSourceGraph>()->IsOpen(&open);
    EXPECT_TRUE(open);
    ComPtr<IUnknown> owner;
    sub->GetOwner(owner.ReleaseAndGetAddressOf());
    EXPECT_EQ(owner.As<IEngineNode>().Get(), source.Get());
}

TEST(SubFileList, ListKeptPastItsSourceStillGivesTheSubFile)
{
    ASSERT_FALSE(Clip().empty());
    ComPtr<IEngineCollection> list;
    {
        ComPtr<IEngineNode> source = OpenSource(Clip());
        list = SubFiles(source.Get());
    }
    ASSERT_TRUE(list);
    LONG count = 0;
    list->GetCount(&count);
    ASSERT_EQ(count, 1);
    ComPtr<IEngineNode> sub = SubFileAt(list.Get(), 0);
    ASSERT_TRUE(sub);
    EXPECT_EQ(Value(sub.Get(), sourcekey::FileName).AsString(), Clip().wstring());
    EXPECT_EQ(Value(sub.Get(), sourcekey::Width).AsInt(), 160);
}
