#pragma once
// Display times of a job's gallery items: one item per source of the job's
// "Files" node. The manager writes each item's time ranges into the "Items"
// collection under the profile node's "GalleryData" property, one node per
// range: "SourceIndex" I4 (position in "Files"), "StartTime" and "EndTime"
// R8 seconds. The job reads them when it builds galleries.
#include "platform/Unknown.h"
#include "platform/Variant.h"
#include <memory>
#include <vector>

class CGalleryItemBase {
public:
    CGalleryItemBase(IUnknown* source, LONG index);
    virtual ~CGalleryItemBase();
    CGalleryItemBase(const CGalleryItemBase&) = delete;
    CGalleryItemBase& operator=(const CGalleryItemBase&) = delete;

    // 100-ns units; the range the item shows (its first timeline).
    virtual LONGLONG GetDisplayStartTime(int timeline = 0);
    virtual LONGLONG GetDisplayEndTime();
    HRESULT SetDisplayTime(LONGLONG start, LONGLONG end, int flags);
    LONGLONG GetDuration();

    // Marks the item converted with a text (copied; null stays null) and a value.
    HRESULT SetDone(IUnknown* object, const wchar_t* text, LONG value);
    int IsFileDone() const { return m_done; }
    const wchar_t* DoneText() const { return m_doneText; }

    IUnknown* GetSourceObject() const { return m_source.Get(); }
    LONG SourceIndex() const { return m_index; }

private:
    ComPtr<IUnknown> m_source;
    LONG m_index;
    LONGLONG m_start = 0;
    LONGLONG m_end = 0;
    int m_done = 0;
    BSTR m_doneText = nullptr;
    LONG m_doneValue = 0;
};

// The format node the galleries are built for.
class CGalleriesFormat {
public:
    virtual ~CGalleriesFormat() = default;
    HRESULT SetFormat(IUnknown* format, LONG flags);

protected:
    ComPtr<IUnknown> m_format;
};

class CGalleriesCopyPaste {
public:
    virtual ~CGalleriesCopyPaste() = default;
};

class CGalleriesMng : public CGalleriesFormat, public CGalleriesCopyPaste {
public:
    CGalleriesMng();
    ~CGalleriesMng() override;

    HRESULT SetProfile(IUnknown* profile);
    // One item per source of the job that owns the profile; the old ranges
    // of the profile's "GalleryData" are dropped.
    HRESULT CreateObjects();
    int CountItemsAll() const { return static_cast<int>(m_items.size()); }
    CGalleryItemBase* ItemByIndex(int index);
    // Makes the item's display time its only range.
    HRESULT SetDisplayTime(CGalleryItemBase* item);
    // Adds a further range for the item.
    HRESULT CreateNewTimeline(CGalleryItemBase* item, LONGLONG start, LONGLONG end);

private:
    HRESULT AddRange(CGalleryItemBase* item, LONGLONG start, LONGLONG end);

    ComPtr<IUnknown> m_profile;
    std::vector<std::unique_ptr<CGalleryItemBase>> m_items;
};
