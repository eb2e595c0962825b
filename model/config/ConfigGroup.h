#pragma once
// One child group of a CConfigMng node: the id that names it in ".km" files and
// the container (not owned) whose GetCount/GetAt/CreateItem give its items.
#include "platform/Types.h"

class CConfigMng;

struct ConfigGroup {
    DWORD id = 0;
    CConfigMng* container = nullptr;
};
