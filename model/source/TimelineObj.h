#pragma once
// Trim ranges of a source entry: one range, and the ordered list of them that
// is group 1 of the entry's node in the project file.
#include "model/config/ConfigMng.h"
#include <memory>
#include <vector>

class CTimelineObj : public CConfigMng {
public:
    CTimelineObj();

    int64_t m_startTime = 0;  // 100-ns units
    int64_t m_endTime = 0;
};

class CTimelinesObj : public CConfigMng {
public:
    CTimelinesObj() = default;
    ~CTimelinesObj() override;

    uint32_t GetCount() override;
    CTimelineObj* GetAt(uint32_t index) override;
    // Appends a new range (times 0) and returns it.
    CTimelineObj* CreateItem() override;
    // -1 deletes every range; otherwise deletes range index, keeping the order.
    virtual void RemoveAt(int index);

private:
    std::vector<std::unique_ptr<CTimelineObj>> m_items;
};
