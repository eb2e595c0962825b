#include "shell/panes/EditPaneTable.h"
#include "controls/ids/CommandIds.h"

namespace {

using namespace KM::Cmd;

constexpr EditPaneInfo kPanes[] = {
    {kTimelineKey, ShowTimelinePane, L"pos_1", 150, 61383, 3},
    {kCropKey, ShowCropPane, L"pos_3", 250, 61385, 5},
    {kWatermarkKey, ShowWatermarkPane, L"pos_6", 250, 61384, 8},
    {kAdvancedKey, ShowAdvancedPane, L"pos_2", 250, 61386, 14},
    {kFiltersKey, ShowFiltersPane, L"pos_4", 250, 299, 10},
    {kEraserKey, ShowEraserPane, L"pos_5", 250, 357, 6},
};

}  // namespace

std::span<const EditPaneInfo> EditPanes()
{
    return kPanes;
}

const EditPaneInfo* PaneByKey(int key)
{
    for (const EditPaneInfo& p : kPanes)
        if (p.key == key) return &p;
    return nullptr;
}

const EditPaneInfo* PaneByCommand(int command)
{
    for (const EditPaneInfo& p : kPanes)
        if (p.command == command) return &p;
    return nullptr;
}

std::vector<int> BarCommands(int set)
{
    switch (set) {
    case kBarImage: return {ShowCropPane, ShowWatermarkPane, ShowFiltersPane, ShowEraserPane, ShowAdvancedPane};
    case kBarAudio: return {ShowTimelinePane, ShowAdvancedPane};
    default:
        return {ShowTimelinePane, ShowCropPane, ShowWatermarkPane, ShowFiltersPane, ShowEraserPane, ShowAdvancedPane};
    }
}

bool CPaneSwitch::Offers(int command) const
{
    for (int c : BarCommands(m_barSet))
        if (c == command) return true;
    return false;
}

bool CPaneSwitch::Select(int command)
{
    m_previous = m_active;
    const EditPaneInfo* pane = PaneByCommand(command);
    if (!pane || !Offers(command)) return false;
    m_active = pane->key;
    return true;
}

CPaneSwitch::Adaptation CPaneSwitch::Adapt(const OutputFlags& outputs)
{
    Adaptation a;
    int set;
    if (outputs.video) set = kBarAll;
    else if (outputs.image) set = kBarImage;
    else if (outputs.audio) set = kBarAudio;
    else return a;
    if (set == m_barSet) return a;
    a.rebuild = true;
    if (set == kBarImage && m_active == kTimelineKey) {
        m_previous = kTimelineKey;
        m_active = kCropKey;
        a.show = true;
    } else if (set == kBarAudio && m_active != kTimelineKey && m_active != kAdvancedKey) {
        m_previous = m_active;
        m_active = kTimelineKey;
        a.show = true;
    }
    m_barSet = set;
    return a;
}
