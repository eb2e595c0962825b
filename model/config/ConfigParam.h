#pragma once
// One registered parameter of a CConfigMng node: its type, name, the field that
// holds its value (not owned) and whether output profiles carry it.
#include "platform/Types.h"
#include <string>

// Value kinds of a parameter; the numbers are stored in ".km" files.
enum : DWORD {
    CONFIG_TYPE_INT = 0,     // member is an int32_t
    CONFIG_TYPE_STRING = 2,  // member is a std::wstring
    CONFIG_TYPE_INT64 = 3,   // member is an int64_t
};

struct ConfigParam {
    DWORD type = CONFIG_TYPE_INT;
    std::wstring name;      // full name: "key" or "prefix.key"
    void* member = nullptr;
    DWORD flag = 0;         // non-zero: written to output profiles

    // The part after the first "." (the whole name when there is none or it
    // begins with one).
    std::wstring_view ShortName() const;
};
