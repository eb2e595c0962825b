#pragma once
// Output formats of one category, in the order the format lists show them.
// Categories are bits: 0x02 video, 0x20 audio, 0x04 image, 0x10 "Same as
// source" (in both the video 0x12 and audio 0x30 lists); 0x01 lists all.
#include "platform/Types.h"
#include <cstdint>
#include <string>
#include <vector>

enum : DWORD {
    FMTCAT_ALL = 0x01,
    FMTCAT_VIDEO = 0x02,
    FMTCAT_IMAGE = 0x04,
    FMTCAT_SAME = 0x10,
    FMTCAT_AUDIO = 0x20,
};

struct OutputFormatItem {
    char name[256]{};      // UTF-8 short title
    int32_t id = 0;        // "file_format" value
    int32_t icon = 0;      // index into bitmap 500
    UINT longDescId = 0;   // string id of the long description
};

class COutputFormatEnum {
public:
    explicit COutputFormatEnum(DWORD category);
    size_t GetCount() const { return m_items.size(); }
    const OutputFormatItem& GetItem(size_t index) const { return m_items[index]; }
    // Any format id, whatever the category: empty / 0 for an unknown id.
    static std::wstring GetShortTitle(int32_t id);
    static UINT GetLongDescID(int32_t id);

private:
    std::vector<OutputFormatItem> m_items;
};
