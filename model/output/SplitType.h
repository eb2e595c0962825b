#pragma once
// Split-mode options of the advanced settings: by time, by number of parts,
// by size (video and audio only).
#include "engine/ListEnumBase.h"

enum : int32_t {
    SPLIT_BY_TIME = 0,
    SPLIT_BY_COUNT = 1,
    SPLIT_BY_SIZE = 2,
};

class CSplitType : public CListEnumBase {
public:
    CSplitType();
};

class CImageSplitType : public CListEnumBase {
public:
    CImageSplitType();
};
