#pragma once
// The ordered watermarks of one visual output (a child group of the output's
// node), with the edits of the watermark pane: add, remove, move, copy, paste.
#include "model/edit/WatermarkObj.h"
#include <memory>
#include <vector>

class CWatermarksObj : public CConfigMng {
public:
    CWatermarksObj() = default;
    ~CWatermarksObj() override;

    DWORD GetCount() override { return static_cast<DWORD>(m_items.size()); }
    // The index must be below the count.
    CWatermarkObj* GetAt(DWORD index) override { return m_items.at(index).get(); }
    CWatermarkObj* CreateItem() override;
    // Deletes the watermark at the index (releasing its engine item); -1 all.
    void RemoveAt(int32_t index);

    CWatermarkObj* AddTextWatermark() { return Add(0); }
    CWatermarkObj* AddImageWatermark() { return Add(1); }
    CWatermarkObj* AddWatermarkKind2() { return Add(2); }
    CWatermarkObj* AddWatermarkKind3() { return Add(3); }
    CWatermarkObj* AddWatermarkKind4() { return Add(4); }

    // The watermarks are found by their own identity (CWatermarkObj::GetId),
    // which survives every replacement of their engine items; kNoWatermarkId
    // matches nothing.
    CWatermarkObj* FindById(WatermarkId id) const;
    // The watermark whose current engine item this is; null matches nothing.
    CWatermarkObj* FindByEngineItem(const IUnknown* item) const;
    // Returns the watermark to select next (the one that followed, else the
    // first), or null when nothing matched or the list is now empty.
    CWatermarkObj* RemoveById(WatermarkId id);
    void MoveUp(WatermarkId id);
    void MoveDown(WatermarkId id);
    uint32_t CanMoveUp(WatermarkId id) const;
    uint32_t CanMoveDown(WatermarkId id) const;
    // Takes the watermark out and puts it back at the index of the shortened
    // list; an unknown watermark changes nothing. Returns 0.
    int MoveTo(CWatermarkObj* watermark, size_t index);
    // Holds a copy of the watermark for PasteWatermark; null holds nothing new.
    void CopyWatermark(const CWatermarkObj* watermark);
    // Appends the held copy and holds a fresh copy of it placed at the top
    // left; null when nothing is held.
    CWatermarkObj* PasteWatermark();
    bool HasCopy() const { return m_copy != nullptr; }

    uint32_t video_output = 0;  // 1 in the video output's list

private:
    CWatermarkObj* Add(int32_t kind);
    // Index of the watermark with the id, or -1.
    long IndexOf(WatermarkId id) const;

    std::vector<std::unique_ptr<CWatermarkObj>> m_items;
    std::unique_ptr<CWatermarkObj> m_copy;
};
