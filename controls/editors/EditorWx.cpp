#include "controls/editors/EditorWx.h"

RECT ToRect(const wxRect& r)
{
    return RECT{r.x, r.y, r.x + r.width, r.y + r.height};
}

wxStockCursor ToStockCursor(EEditCursor cursor)
{
    switch (cursor) {
    case EEditCursor::SizeNWSE: return wxCURSOR_SIZENWSE;
    case EEditCursor::SizeNESW: return wxCURSOR_SIZENESW;
    case EEditCursor::SizeNS: return wxCURSOR_SIZENS;
    case EEditCursor::SizeWE: return wxCURSOR_SIZEWE;
    case EEditCursor::SizeAll: return wxCURSOR_SIZING;
    case EEditCursor::Hand: return wxCURSOR_HAND;
    default: return wxCURSOR_ARROW;
    }
}
