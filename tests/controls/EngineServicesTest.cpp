#include "engine/DefaultPalette.h"
#include "engine/PreviewMan.h"
#include <gtest/gtest.h>
#include <set>

namespace {

TEST(DefaultPalette, FillsWholeRowsOfFourteenDistinctColours)
{
    const auto& palette = CDefaultPalette::GetPalette();
    ASSERT_FALSE(palette.empty());
    EXPECT_EQ(palette.size() % 14, 0u);
    EXPECT_EQ(&palette, &CDefaultPalette::GetPalette());  // built once
    std::set<uint32_t> distinct;
    for (const PaletteEntry& e : palette) distinct.insert(e.red << 16 | e.green << 8 | e.blue);
    EXPECT_EQ(distinct.size(), palette.size());
    EXPECT_EQ(palette.front().red, 255);  // white first, black at the end of the grey row
    EXPECT_EQ(palette[13].red + palette[13].green + palette[13].blue, 0);
}

struct Counted : IUnknown {
    int refs = 1;
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
};

TEST(PreviewMan, HoldsAnObjectUntilReleased)
{
    CPreviewMan& man = CPreviewMan::GetInstance();
    EXPECT_EQ(&man, &CPreviewMan::GetInstance());
    EXPECT_FALSE(man.HasObject());  // nothing registers one in this engine
    Counted object;
    man.SetObject(ComPtr<IUnknown>(&object));
    EXPECT_TRUE(man.HasObject());
    EXPECT_EQ(object.refs, 2);
    man.ReleaseObject();
    EXPECT_FALSE(man.HasObject());
    EXPECT_EQ(object.refs, 1);
}

TEST(LoadGDILibrary, SucceedsEveryTime)
{
    EXPECT_EQ(LoadGDILibrary(), S_OK);
    EXPECT_EQ(LoadGDILibrary(), S_OK);
}

}  // namespace
