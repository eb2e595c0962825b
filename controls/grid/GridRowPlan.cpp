#include "controls/grid/GridRowPlan.h"
#include <algorithm>

namespace {

bool Shown(const CSchemaProperty& p) { return !p.hidden && !(p.flags & SPF_NO_ROW); }

GridRowPlan PlanRow(CSchemaProperty& property, bool editable, const FontNamesSource& fonts)
{
    GridRowPlan row;
    row.property = &property;
    row.readOnly = !editable && !(property.flags & SPF_ALWAYS_EDITABLE);
    if (!property.nestedGroup) {
        row.traits = PlanRowTraits(property, fonts);
        return row;
    }
    row.composite = true;
    for (const auto& nested : property.nestedGroup->properties) {
        if (nested->hidden) continue;
        GridRowPlan child;
        child.property = nested.get();
        child.readOnly = row.readOnly;
        child.traits = PlanRowTraits(*nested, fonts);
        row.children.push_back(std::move(child));
    }
    return row;
}

}  // namespace

GridRowTraits PlanRowTraits(const CSchemaProperty& property, const FontNamesSource& fonts)
{
    GridRowTraits t;
    const UINT f = property.flags;
    if ((f & SPF_FONTS) && fonts) {
        t.options = fonts();
        // A stored face this machine lacks (a project from elsewhere, the
        // default "Tahoma") still shows: the text is drawn with its stand-in.
        const std::wstring* face = property.StringValue();
        if (face && !face->empty() && std::find(t.options.begin(), t.options.end(), *face) == t.options.end())
            t.options.insert(t.options.begin(), *face);
    }
    for (const SchemaOption& o : property.options) t.options.push_back(o.text);
    if (f & SPF_BUTTON) {
        if (property.options.empty())
            t.browseButton = true;
        else
            t.settingsButton = property.buttonEnabled != 0;
    }
    t.dropButton = (f & (SPF_COLOR | SPF_DROPDOWN)) != 0;
    t.noTyping = (f & (SPF_NO_TYPING | SPF_SWITCH | SPF_READONLY)) != 0;
    if (f & SPF_SPIN) {
        t.spin = true;
        t.spinMin = property.minimum;
        t.spinMax = property.maximum;
    }
    return t;
}

bool RowTakesTyping(const CSchemaProperty& property)
{
    return !(property.flags & (SPF_NO_TYPING | SPF_SWITCH | SPF_READONLY));
}

std::vector<GridGroupPlan> PlanGridRows(const CPropertiesImpl& tree, bool editable, const FontNamesSource& fonts)
{
    std::vector<GridGroupPlan> plan;
    for (const auto& group : tree.groups) {
        if (group->hidden) continue;
        GridGroupPlan g;
        g.group = group.get();
        for (const auto& property : group->properties)
            if (Shown(*property)) g.rows.push_back(PlanRow(*property, editable, fonts));
        plan.push_back(std::move(g));
    }
    return plan;
}
