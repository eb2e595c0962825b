// The main frame's arithmetic and tables that need no window: column and row
// sizes of the source pages, the tab-to-page table, the status text's
// shortening, the frame's command states and the editing tab's file choice.
#include "model/project/Project.h"
#include "shell/frame/FileComboItems.h"
#include "shell/frame/FrameCommandState.h"
#include "shell/frame/FrameLayout.h"
#include "shell/frame/PageKinds.h"
#include "shell/frame/PageRegistry.h"
#include "shell/frame/StatusTextFit.h"
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

TEST(FrameLayout, SourceColumnsAndRowsFallBackWhenTheStoredSizesDoNotFit)
{
    struct Case { int stored, client, expected; } columns[] = {
        {-1, 1000, 400},   // missing
        {300, 1000, 300},  // fits
        {950, 1000, 400},  // leaves exactly 50: no longer fits
        {949, 1000, 949},
        {5000, 700, 280},
        {-1, 1, 0},
    };
    for (const Case& c : columns)
        EXPECT_EQ(SourceLeftColumnWidth(c.stored, c.client), c.expected) << c.stored << " in " << c.client;

    const SourceRowHeights stored = SourceRows(200, 300, 900);
    EXPECT_EQ(stored.preview, 200);
    EXPECT_EQ(stored.properties, 300);
    for (auto [preview, properties] : {std::pair{-1, 300}, std::pair{200, -1}, std::pair{-1, -1}}) {
        const SourceRowHeights rows = SourceRows(preview, properties, 900);
        EXPECT_EQ(rows.preview, 297);
        EXPECT_EQ(rows.properties, 603);
    }

    EXPECT_TRUE(ShouldStoreFrameSize(700, 525));
    EXPECT_FALSE(ShouldStoreFrameSize(0, 0));
    EXPECT_FALSE(ShouldStoreFrameSize(700, 0));
}

TEST(PageKinds, EachTabShowsItsPageAndOnlyTheSourceTabFollowsTheProject)
{
    struct Case { int position; bool source; bool refill; int page; } cases[] = {
        {kCategorySource, true, false, -1},        {kCategoryEditing, false, true, kPageEditing},
        {kCategoryOutput, false, false, kPageOutput}, {kCategoryConversion, false, false, kPageConversion},
        {kCategoryNews, false, false, kPageNews},  {0, false, false, -1},
        {-1, false, false, -1},                     {6, false, false, -1},
    };
    for (const Case& c : cases) {
        const CategoryAction a = ActionForCategory(c.position);
        EXPECT_EQ(a.showSource, c.source) << c.position;
        EXPECT_EQ(a.refillFileCombo, c.refill) << c.position;
        EXPECT_EQ(a.pageKind, c.page) << c.position;
    }
    EXPECT_EQ(PageKindForSourceType(0), kPageFiles);
    EXPECT_EQ(PageKindForSourceType(2), kPageDvd);
    EXPECT_EQ(PageKindForSourceType(3), -1);
    // The first request always shows the page; an unchanged type only when kept.
    EXPECT_TRUE(SourceViewNeedsShow(0, -1, false));
    EXPECT_FALSE(SourceViewNeedsShow(0, 0, false));
    EXPECT_TRUE(SourceViewNeedsShow(0, 0, true));
    EXPECT_TRUE(SourceViewNeedsShow(1, 0, false));
}

// The pages register themselves from their own files; none may take another's
// tab, source type or splitters.
TEST(PageKinds, EveryPageIsRegisteredWithATabOrASourceTypeOfItsOwn)
{
    std::set<int> kinds, tabs, sourceTypes, slots, clientOrders;
    for (const PageInfo& page : RegisteredPages()) {
        EXPECT_TRUE(kinds.insert(page.kind).second) << page.kind;
        ASSERT_NE(page.makeView, nullptr) << page.kind;
        if (page.isSource) {
            EXPECT_EQ(page.category, kCategorySource) << page.kind;
            EXPECT_TRUE(sourceTypes.insert(page.source.sourceType).second) << page.kind;
            EXPECT_TRUE(slots.insert(page.source.splitterSlot).second) << page.kind;
            EXPECT_TRUE(clientOrders.insert(page.source.clientOrder).second) << page.kind;
            EXPECT_TRUE(page.source.splitterSlot % 2 == 0 && page.source.splitterSlot < 6)
                << "an outer and an inner splitter";
            EXPECT_NE(page.source.makeProperties, nullptr);
            EXPECT_NE(page.source.makePreview, nullptr);
        } else {
            EXPECT_TRUE(tabs.insert(page.category).second) << page.kind;
        }
    }
    EXPECT_EQ(kinds, (std::set<int>{kPageFiles, kPageFolder, kPageDvd, kPageOutput, kPageConversion, kPageEditing,
                                   kPageNews}));
    EXPECT_EQ(tabs, (std::set<int>{kCategoryEditing, kCategoryOutput, kCategoryConversion, kCategoryNews}));
    EXPECT_THROW(CPageRegistration(ViewPage(kPageOutput, kCategoryOutput, nullptr)), std::logic_error)
        << "a kind is registered once";
}

TEST(StatusTextFit, ALongMessageIsCutAtItsLastSeparatorsWithTheEllipsis)
{
    auto width = [](const std::wstring& t) { return static_cast<int>(t.size()) * 7; };
    const std::wstring text = L"Cannot open /home/user/videos/holiday_2024.mp4";
    EXPECT_EQ(FitStatusText(text, 1000, width), text);  // fits as it is
    const std::wstring fitted = FitStatusText(text, 7 * 30, width);
    EXPECT_EQ(fitted, L"Cannot open /home/user...");
    EXPECT_LT(width(fitted), 7 * 30);
    // Nothing left to cut: the last try stays.
    EXPECT_EQ(FitStatusText(L"Unbreakable", 10, width), L"Unbreakable");
    EXPECT_EQ(FitStatusText(L"a b", 10, width), L"a...");
    EXPECT_EQ(FitStatusText(L"", 0, width), L"");
}

TEST(FrameCommandState, TogglesAndSourceTypeMarksFollowTheirValues)
{
    FrameCommandContext context;
    context.loadRecentDoc = 0;
    context.autoCheck = 1;
    context.sourceType = 3;
    struct Case { int command; bool handled, checkable, checked; } cases[] = {
        {316, true, true, false}, {479, true, true, true}, {315, true, true, true}, {314, true, true, false},
        {452, true, false, false}, {462, true, false, false}, {477, true, false, false}, {310, true, false, false},
        {456, false, false, false}, {470, false, false, false},
    };
    for (const Case& c : cases) {
        const FrameCommandUi ui = FrameCommandState(c.command, context);
        EXPECT_EQ(ui.handled, c.handled) << c.command;
        if (!c.handled)
            continue;
        EXPECT_TRUE(ui.enabled) << c.command;
        EXPECT_EQ(ui.checkable, c.checkable) << c.command;
        EXPECT_EQ(ui.checked, c.checked) << c.command;
    }
}

TEST(FileComboItems, AtMost102EntriesByFileNameAndTheCurrentOneFound)
{
    CProject project;
    for (int i = 0; i < 150; ++i)
        project.InputFiles().AddFile(L"/media/clips/clip" + std::to_wstring(i) + L".mp4");
    const auto items = BuildFileComboItems(&project);
    ASSERT_EQ(items.size(), kMaxFileComboItems);
    EXPECT_EQ(items.front().text, L"clip0.mp4");
    EXPECT_EQ(items.back().text, L"clip101.mp4");
    EXPECT_EQ(FileComboIndexOf(items, project.InputFiles().GetAt(5)), 5);
    EXPECT_EQ(FileComboIndexOf(items, project.InputFiles().GetAt(120)), -1);  // beyond the list
    EXPECT_EQ(FileComboIndexOf(items, nullptr), -1);

    project.m_sourceType = 4;  // a type without a page: nothing to choose
    EXPECT_TRUE(BuildFileComboItems(&project).empty());
    EXPECT_TRUE(BuildFileComboItems(nullptr).empty());
}
