#include "controls/format/FormatRows.h"
#include "engine/OutputFormatEnum.h"
#include "platform/TextConv.h"

namespace {

std::vector<FormatRow> RowsOf(DWORD category)
{
    std::vector<FormatRow> rows;
    const COutputFormatEnum formats(category);
    for (size_t i = 0; i < formats.GetCount(); ++i) {
        const OutputFormatItem& f = formats.GetItem(i);
        rows.push_back({Utf8ToWide(f.name), f.icon, f.id});
    }
    return rows;
}

}  // namespace

std::vector<FormatRow> AllVideoFormatRows()
{
    return RowsOf(FMTCAT_VIDEO | FMTCAT_SAME);
}

std::vector<FormatRow> FormatRowsForKind(int kind)
{
    switch (kind) {
    case 1: return RowsOf(FMTCAT_VIDEO | FMTCAT_SAME);
    case 2: return RowsOf(FMTCAT_AUDIO | FMTCAT_SAME);
    case 4: return RowsOf(FMTCAT_IMAGE);
    default: return {};
    }
}

std::vector<FormatRow> AdvancedRows()
{
    return {{L"None", 1, 0}, {L"Split", 2, 1}, {L"Join", 0, 2}};
}

std::vector<FormatRow> AdvancedRowsForKind(int kind)
{
    if (kind == 1 || kind == 2)
        return {{L"Split", 2, 1}, {L"Join", 0, 2}};
    if (kind == 4)
        return {{L"Extract from Video", 2, 3}};
    return {};
}

unsigned AdvancedDescriptionId(int kind, int code)
{
    static const unsigned video[] = {61392, 61393, 61394, 0};
    static const unsigned audio[] = {388, 390, 389, 0};
    static const unsigned image[] = {391, 0, 0, 392};
    if (code < 0 || code > 3)
        return 0;
    switch (kind) {
    case 1: return video[code];
    case 2: return audio[code];
    case 4: return image[code];
    default: return 0;
    }
}
