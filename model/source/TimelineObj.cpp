#include "model/source/TimelineObj.h"

CTimelineObj::CTimelineObj()
{
    AddParam(this, L"start_time", 3, &m_startTime, 0);
    AddParam(this, L"end_time", 3, &m_endTime, 0);
}

CTimelinesObj::~CTimelinesObj() = default;

uint32_t CTimelinesObj::GetCount()
{
    return static_cast<uint32_t>(m_items.size());
}

CTimelineObj* CTimelinesObj::GetAt(uint32_t index)
{
    return index < m_items.size() ? m_items[index].get() : nullptr;
}

CTimelineObj* CTimelinesObj::CreateItem()
{
    m_items.push_back(std::make_unique<CTimelineObj>());
    return m_items.back().get();
}

void CTimelinesObj::RemoveAt(int index)
{
    if (index == -1) {
        m_items.clear();
        return;
    }
    if (index >= 0 && static_cast<size_t>(index) < m_items.size())
        m_items.erase(m_items.begin() + index);
}
