#include "RecordingNode.h"
#include "model/edit/FontCatalog.h"
#include "model/edit/WatermarksObj.h"
#include <gtest/gtest.h>

using namespace editing_test;

namespace {
class OneFont : public IFontCatalog {
public:
    OneFont() { m_previous = SetFontCatalog(this); }
    ~OneFont() override { SetFontCatalog(m_previous); }
    std::vector<std::wstring> GetFaceNames() override { return {L"Tahoma"}; }
    std::vector<FontScript> GetScripts(const std::wstring&) override { return {{L"Western", 0}}; }

private:
    IFontCatalog* m_previous = nullptr;
};

// A list of three watermarks a, b, c; with pushed set, each has been
// transferred to a conversion job, which replaced its engine item.
class WatermarkList : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        list.video_output = 1;
        a = list.AddTextWatermark();
        b = list.AddWatermarkKind2();
        c = list.AddImageWatermark();
        if (GetParam()) PushAll();
    }
    void PushAll()
    {
        auto job = MakeFormatNode(std::make_shared<WriteLog>());
        for (DWORD i = 0; i < list.GetCount(); ++i)
            list.GetAt(i)->CreateEngineWatermark(static_cast<IEngineNode*>(job.Get()), 0);
    }
    std::vector<CWatermarkObj*> Order()
    {
        std::vector<CWatermarkObj*> out;
        for (DWORD i = 0; i < list.GetCount(); ++i) out.push_back(list.GetAt(i));
        return out;
    }

    OneFont fonts;
    CWatermarksObj list;
    CWatermarkObj* a = nullptr;
    CWatermarkObj* b = nullptr;
    CWatermarkObj* c = nullptr;
};
}

TEST_P(WatermarkList, AddsEachKindWithTheListsVideoFlag)
{
    EXPECT_EQ(a->watermark_id, 0);
    EXPECT_EQ(b->watermark_id, 2);
    EXPECT_EQ(c->watermark_id, 1);
    EXPECT_EQ(list.AddWatermarkKind3()->watermark_id, 3);
    EXPECT_EQ(list.AddWatermarkKind4()->watermark_id, 4);
    EXPECT_EQ(list.GetCount(), 5u);
    EXPECT_EQ(a->IsVideoOutput(), 1u);
    CWatermarksObj image;
    EXPECT_EQ(image.AddTextWatermark()->IsVideoOutput(), 0u);
}

TEST_P(WatermarkList, RemoveReturnsTheWatermarkToSelectNext)
{
    EXPECT_EQ(list.RemoveById(b->GetId()), c);  // middle: the one that followed
    EXPECT_EQ(Order(), (std::vector<CWatermarkObj*>{a, c}));
    EXPECT_EQ(list.RemoveById(c->GetId()), a);  // last: the first
    EXPECT_EQ(list.RemoveById(a->GetId()), nullptr);  // only: none
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST_P(WatermarkList, UnknownOrMissingIdentityMatchesNothing)
{
    CWatermarkObj stranger(0, 1);
    for (WatermarkId id : {kNoWatermarkId, stranger.GetId()}) {
        EXPECT_EQ(list.RemoveById(id), nullptr);
        EXPECT_EQ(list.CanMoveUp(id), 0u);
        EXPECT_EQ(list.CanMoveDown(id), 0u);
        list.MoveUp(id);
        list.MoveDown(id);
        EXPECT_EQ(list.FindById(id), nullptr);
    }
    EXPECT_EQ(Order(), (std::vector<CWatermarkObj*>{a, b, c}));
}

TEST_P(WatermarkList, MovesStopAtTheEnds)
{
    EXPECT_EQ(list.CanMoveUp(a->GetId()), 0u);
    EXPECT_EQ(list.CanMoveDown(c->GetId()), 0u);
    list.MoveUp(a->GetId());
    list.MoveDown(c->GetId());
    EXPECT_EQ(Order(), (std::vector<CWatermarkObj*>{a, b, c}));

    EXPECT_EQ(list.CanMoveUp(b->GetId()), 1u);
    list.MoveUp(b->GetId());
    EXPECT_EQ(Order(), (std::vector<CWatermarkObj*>{b, a, c}));
    list.MoveDown(b->GetId());
    EXPECT_EQ(Order(), (std::vector<CWatermarkObj*>{a, b, c}));

    CWatermarkObj stranger(0, 1);
    EXPECT_EQ(list.MoveTo(&stranger, 0), 0);
    EXPECT_EQ(Order(), (std::vector<CWatermarkObj*>{a, b, c}));
    list.MoveTo(a, 2);
    EXPECT_EQ(Order(), (std::vector<CWatermarkObj*>{b, c, a}));
}

TEST_P(WatermarkList, PasteCarriesTheValuesAtCopyTimeThenTheTopLeft)
{
    EXPECT_EQ(list.PasteWatermark(), nullptr);
    b->placement = 5;
    b->x = 70;
    b->y = 80;
    b->curve = 12;
    list.CopyWatermark(b);
    b->curve = 99;  // a later change is not pasted
    b->x = 1;

    CWatermarkObj* first = list.PasteWatermark();
    CWatermarkObj* second = list.PasteWatermark();
    EXPECT_EQ(list.GetCount(), 5u);
    EXPECT_EQ(list.GetAt(3), first);
    EXPECT_EQ(list.GetAt(4), second);
    EXPECT_EQ(first->curve, 12);
    EXPECT_EQ(first->placement, 5);
    EXPECT_EQ(first->x, 70);
    EXPECT_EQ(first->y, 80);
    EXPECT_EQ(second->curve, 12);
    EXPECT_EQ(second->placement, 0);
    EXPECT_EQ(second->x, 10);
    EXPECT_EQ(second->y, 10);
    EXPECT_EQ(first->GetEngineItem(), nullptr);
    EXPECT_NE(first->GetId(), second->GetId());
    EXPECT_NE(first->GetId(), b->GetId());

    // Pasted watermarks are found, moved and removed like the others.
    list.MoveUp(second->GetId());
    EXPECT_EQ(list.GetAt(3), second);
    EXPECT_EQ(list.RemoveById(first->GetId()), a);
}

TEST_P(WatermarkList, EngineItemLookupNeverMatchesAMissingItem)
{
    EXPECT_EQ(list.FindByEngineItem(nullptr), nullptr);
    if (GetParam()) {
        EXPECT_EQ(list.FindByEngineItem(c->GetEngineItem()), c);
    }
}

TEST_P(WatermarkList, IdentityOutlivesAnotherTransfer)
{
    WatermarkId id = b->GetId();
    PushAll();
    EXPECT_EQ(b->GetId(), id);
    EXPECT_EQ(list.FindById(id), b);
    list.MoveDown(id);
    EXPECT_EQ(Order(), (std::vector<CWatermarkObj*>{a, c, b}));
}

INSTANTIATE_TEST_SUITE_P(BeforeAndAfterATransfer, WatermarkList, ::testing::Bool());
