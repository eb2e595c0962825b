#pragma once
// The toolkit's forms of the editors' plain types: the rectangle the mouse
// models work in and the stock cursor for each of their cursors.
#include "controls/editors/EditCursor.h"
#include "platform/Types.h"
#include <wx/cursor.h>
#include <wx/gdicmn.h>

RECT ToRect(const wxRect& r);
wxStockCursor ToStockCursor(EEditCursor cursor);
