#include "controls/grid/GridDialogs.h"

namespace {
IGridDialogs* g_dialogs = nullptr;  // window thread only
}

IGridDialogs* GetGridDialogs() { return g_dialogs; }

IGridDialogs* SetGridDialogs(IGridDialogs* dialogs)
{
    IGridDialogs* previous = g_dialogs;
    g_dialogs = dialogs;
    return previous;
}
