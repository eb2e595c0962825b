#include "model/edit/WatermarksObj.h"
#include <algorithm>

CWatermarksObj::~CWatermarksObj()
{
    RemoveAt(-1);
}

CWatermarkObj* CWatermarksObj::CreateItem()
{
    m_items.push_back(std::make_unique<CWatermarkObj>(video_output));
    return m_items.back().get();
}

void CWatermarksObj::RemoveAt(int32_t index)
{
    if (index == -1) {
        for (auto& item : m_items) item.reset();  // in list order
        m_items.clear();
        return;
    }
    if (index < 0 || static_cast<size_t>(index) >= m_items.size()) return;
    m_items.erase(m_items.begin() + index);
}

CWatermarkObj* CWatermarksObj::Add(int32_t kind)
{
    m_items.push_back(std::make_unique<CWatermarkObj>(kind, video_output));
    return m_items.back().get();
}

long CWatermarksObj::IndexOf(WatermarkId id) const
{
    if (id == kNoWatermarkId) return -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->GetId() == id) return static_cast<long>(i);
    return -1;
}

CWatermarkObj* CWatermarksObj::FindById(WatermarkId id) const
{
    long i = IndexOf(id);
    return i < 0 ? nullptr : m_items[static_cast<size_t>(i)].get();
}

CWatermarkObj* CWatermarksObj::FindByEngineItem(const IUnknown* item) const
{
    if (!item) return nullptr;
    for (const auto& w : m_items)
        if (w->GetEngineItem() == item) return w.get();
    return nullptr;
}

CWatermarkObj* CWatermarksObj::RemoveById(WatermarkId id)
{
    long i = IndexOf(id);
    if (i < 0) return nullptr;
    RemoveAt(static_cast<int32_t>(i));
    if (static_cast<size_t>(i) < m_items.size()) return m_items[static_cast<size_t>(i)].get();
    return m_items.empty() ? nullptr : m_items.front().get();
}

void CWatermarksObj::MoveUp(WatermarkId id)
{
    if (CanMoveUp(id)) {
        long i = IndexOf(id);
        MoveTo(m_items[static_cast<size_t>(i)].get(), static_cast<size_t>(i - 1));
    }
}

void CWatermarksObj::MoveDown(WatermarkId id)
{
    if (CanMoveDown(id)) {
        long i = IndexOf(id);
        MoveTo(m_items[static_cast<size_t>(i)].get(), static_cast<size_t>(i + 1));
    }
}

uint32_t CWatermarksObj::CanMoveUp(WatermarkId id) const
{
    return IndexOf(id) > 0 ? 1 : 0;
}

uint32_t CWatermarksObj::CanMoveDown(WatermarkId id) const
{
    long i = IndexOf(id);
    return i >= 0 && static_cast<size_t>(i) + 1 < m_items.size() ? 1 : 0;
}

int CWatermarksObj::MoveTo(CWatermarkObj* watermark, size_t index)
{
    auto it = std::find_if(m_items.begin(), m_items.end(), [&](const auto& p) { return p.get() == watermark; });
    if (it == m_items.end()) return 0;
    std::unique_ptr<CWatermarkObj> moved = std::move(*it);
    m_items.erase(it);
    m_items.insert(m_items.begin() + static_cast<long>(std::min(index, m_items.size())), std::move(moved));
    return 0;
}

void CWatermarksObj::CopyWatermark(const CWatermarkObj* watermark)
{
    if (!watermark) return;
    m_copy = std::make_unique<CWatermarkObj>(*watermark);
}

CWatermarkObj* CWatermarksObj::PasteWatermark()
{
    if (!m_copy) return nullptr;
    auto next = std::make_unique<CWatermarkObj>(*m_copy);
    next->placement = 0;  // "Top-Left"
    next->x = 10;
    next->y = 10;
    m_items.push_back(std::move(m_copy));
    m_copy = std::move(next);
    return m_items.back().get();
}
