#pragma once
// A frame record with blocks of its own, keyed by the entry it shows: the
// player's grab results and its playback frame. Only the user-interface
// thread touches one, so a record is never freed or rewritten while a control
// paints it.
#include "engine/FrameRecord.h"
#include <cstring>
#include <memory>
#include <vector>

class CKMFile;

struct CPlayerFrame {
    FRAME_RECORD record;  // what the control receives
    std::vector<BYTE> format;
    std::vector<BYTE> data;

    // Points the record at the blocks (empty blocks give null pointers).
    void Sync()
    {
        record.cbFormat = static_cast<DWORD>(format.size());
        record.pbFormat = format.empty() ? nullptr : format.data();
        record.cbData = static_cast<DWORD>(data.size());
        record.pbData = data.empty() ? nullptr : data.data();
    }
    // Takes a format block; a block of the same size but other content is
    // copied too (a picture can change its layout at the same size).
    void SetFormat(const std::vector<BYTE>& block)
    {
        if (block.size() != format.size() || (!block.empty() && std::memcmp(block.data(), format.data(), block.size()) != 0))
            format = block;
    }
};

// A result of the grab cache: the frame and the entry it belongs to, on which
// it holds a reference (so the key cannot be reused by a new entry).
struct CGrabResult {
    CPlayerFrame frame;
    CKMFile* key = nullptr;

    explicit CGrabResult(CKMFile* entry);
    ~CGrabResult();
    CGrabResult(const CGrabResult&) = delete;
    CGrabResult& operator=(const CGrabResult&) = delete;
};
using GrabResultPtr = std::unique_ptr<CGrabResult>;
