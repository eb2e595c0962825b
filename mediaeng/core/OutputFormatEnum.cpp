#include "engine/OutputFormatEnum.h"
#include "mediaeng/core/FormatTable.h"
#include "platform/TextConv.h"
#include <cstring>

namespace {
// Long descriptions live in the resource library from this id on (+ format id).
constexpr UINT kLongDescBase = 32000;
}

COutputFormatEnum::COutputFormatEnum(DWORD category)
{
    for (const mediaeng::FormatInfo& f : mediaeng::AllFormats()) {
        if (!(category & FMTCAT_ALL) && !(f.categories & category)) continue;
        OutputFormatItem item;
        std::strncpy(item.name, f.title, sizeof(item.name) - 1);
        item.id = f.id;
        item.icon = f.icon;
        item.longDescId = kLongDescBase + static_cast<UINT>(f.id);
        m_items.push_back(item);
    }
}

std::wstring COutputFormatEnum::GetShortTitle(int32_t id)
{
    const mediaeng::FormatInfo* f = mediaeng::FindFormat(id);
    return f ? Utf8ToWide(f->title) : std::wstring();
}

UINT COutputFormatEnum::GetLongDescID(int32_t id)
{
    return mediaeng::FindFormat(id) ? kLongDescBase + static_cast<UINT>(id) : 0;
}
