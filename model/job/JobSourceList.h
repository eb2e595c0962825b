#pragma once
// The sources handed to one conversion job, in the order they were added:
// each engine media object with the source entry it came from.
#include "platform/Unknown.h"
#include <vector>

class CKMFile;

struct CJobSource {
    ComPtr<IUnknown> media;
    CKMFile* entry = nullptr;  // owned by its input list, alive for the transfer
};

using CJobSourceList = std::vector<CJobSource>;
