#include "controls/grid/GridRowPlan.h"
#include "GridTestSchema.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Names(const std::vector<GridRowPlan>& rows)
{
    std::vector<std::wstring> out;
    for (const GridRowPlan& r : rows) out.push_back(r.property->name);
    return out;
}

const FontNamesSource kFonts = [] { return std::vector<std::wstring>{L"DejaVu Sans", L"Liberation Serif"}; };

}  // namespace

TEST(GridRowPlan, SkipsHiddenGroupsHiddenAndRowlessPropertiesAndNestsChildren)
{
    GridTestSchema s;
    const auto plan = PlanGridRows(s, true, kFonts);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].group, s.general);
    EXPECT_EQ(plan[1].group, s.picture);
    EXPECT_EQ(Names(plan[0].rows), (std::vector<std::wstring>{L"Format", L"Bitrate", L"Title"}));
    EXPECT_EQ(Names(plan[1].rows), (std::vector<std::wstring>{L"Size", L"Enabled", L"Colour", L"Levels", L"Strength"}));
    const GridRowPlan& size = plan[1].rows[0];
    EXPECT_TRUE(size.composite);
    EXPECT_EQ(Names(size.children), (std::vector<std::wstring>{L"Width", L"Height"}));
    // Nested properties are tested for hidden only.
    s.heightP->flags = SPF_NO_ROW;
    EXPECT_EQ(PlanGridRows(s, true, kFonts)[1].rows[0].children.size(), 2u);
}

TEST(GridRowPlan, ReadOnlyBuildLeavesOnlyAlwaysEditableRowsOpen)
{
    GridTestSchema s;
    for (const auto& g : PlanGridRows(s, false, kFonts))
        for (const GridRowPlan& r : g.rows) {
            EXPECT_EQ(r.readOnly, r.property != s.titleP) << r.property->name;
            for (const GridRowPlan& c : r.children) EXPECT_TRUE(c.readOnly);
        }
    for (const auto& g : PlanGridRows(s, true, kFonts))
        for (const GridRowPlan& r : g.rows) EXPECT_FALSE(r.readOnly);
}

TEST(GridRowPlan, TraitsFollowTheFlags)
{
    struct Case {
        UINT flags;
        bool withOptions;
        UINT buttonEnabled;
        bool browse, settings, drop, noTyping, spin;
        size_t options;
    };
    const Case cases[] = {
        {0, false, 1, false, false, false, false, false, 0},
        {SPF_BUTTON, false, 1, true, false, false, false, false, 0},
        {SPF_BUTTON, true, 1, false, true, false, false, false, 2},
        {SPF_BUTTON, true, 0, false, false, false, false, false, 2},
        {SPF_COLOR, false, 1, false, false, true, false, false, 0},
        {SPF_DROPDOWN, false, 1, false, false, true, false, false, 0},
        {SPF_NO_TYPING, true, 1, false, false, false, true, false, 2},
        {SPF_SWITCH, false, 1, false, false, false, true, false, 0},
        {SPF_READONLY, false, 1, false, false, false, true, false, 0},
        {SPF_SPIN, false, 1, false, false, false, false, true, 0},
        {SPF_FONTS, true, 1, false, false, false, false, false, 4},
    };
    for (const Case& c : cases) {
        CSchemaProperty p;
        p.flags = c.flags;
        p.buttonEnabled = c.buttonEnabled;
        p.minimum = -5;
        p.maximum = 5;
        if (c.withOptions) {
            CSchemaProperty::AddOption(&p, 1, L"one");
            CSchemaProperty::AddOption(&p, 2, L"two");
        }
        const GridRowTraits t = PlanRowTraits(p, kFonts);
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(t.browseButton, c.browse);
        EXPECT_EQ(t.settingsButton, c.settings);
        EXPECT_EQ(t.dropButton, c.drop);
        EXPECT_EQ(t.noTyping, c.noTyping);
        EXPECT_EQ(t.spin, c.spin);
        EXPECT_EQ(t.options.size(), c.options);
        if (c.spin) {
            EXPECT_EQ(t.spinMin, -5);
            EXPECT_EQ(t.spinMax, 5);
        }
        if (c.flags == SPF_FONTS) {
            EXPECT_EQ(t.options.front(), L"DejaVu Sans");  // fonts come first
        }
    }
}

TEST(GridRowPlan, AStoredFontFaceThisMachineLacksStillShows)
{
    const FontNamesSource fonts = [] { return std::vector<std::wstring>{L"DejaVu Sans", L"DejaVu Serif"}; };
    std::wstring face = L"Tahoma";
    CSchemaProperty p;
    p.flags = SPF_FONTS | SPF_NO_TYPING;
    p.type = SCHEMA_TYPE_STRING;
    p.value = &face;
    EXPECT_EQ(PlanRowTraits(p, fonts).options, (std::vector<std::wstring>{L"Tahoma", L"DejaVu Sans", L"DejaVu Serif"}));
    face = L"DejaVu Serif";  // installed: listed once, where the catalog has it
    EXPECT_EQ(PlanRowTraits(p, fonts).options, (std::vector<std::wstring>{L"DejaVu Sans", L"DejaVu Serif"}));
}
