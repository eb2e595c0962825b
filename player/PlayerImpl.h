#pragma once
// The still picture of an entry: video from the grab cache or the entry's
// first-frame cache, pictures read at once, nothing for sound.
#include "player/PlayVideoImpl.h"

class CPlayerImpl : public CPlayVideoImpl {
public:
    using CPlayVideoImpl::CPlayVideoImpl;

    // r may be null. Returns 0, 1 when refused, or the picture read's failure.
    HRESULT GetFrame(CKMFile* entry, FRAME_RECORD** r);

private:
    // The record handed out for pictures and sound entries; blocks malloc'ed
    // by the engine's frame read.
    struct MallocFrame {
        FRAME_RECORD record;
        ~MallocFrame();
    };
    std::unique_ptr<MallocFrame> m_pFrame;
    FRAME_RECORD m_streamRecord;  // a view of the entry's cached first frame
};
