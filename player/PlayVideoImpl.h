#pragma once
// Playback of the current entry: opening its playback graph, Play, Pause,
// Stop and Seek. User-interface thread only. Results: 0 success, 1 refused
// or nothing to do, negative a failure.
#include "player/VideoThumbnail.h"

class CPlayVideoImpl : public CVideoThumbnail {
public:
    using CVideoThumbnail::CVideoThumbnail;

    HRESULT Play();
    HRESULT Pause();
    HRESULT Stop();
    HRESULT Seek(const int64_t& position);
    HRESULT SeekToItemPosition();
    HRESULT Prepare();
    HRESULT OpenGraph();

    // The conversion processing tells the player when a conversion starts
    // and ends; meanwhile Play and Seek are refused and no grab is queued.
    void SetConverting(bool converting) { m_bConverting = converting ? 1 : 0; }
    bool IsConverting() const { return m_bConverting != 0; }

protected:
    HRESULT AttachVideoWindow(bool hasVideo);
    HRESULT HookFrameDraw(bool hasVideo);
    void SetFilterMode();
};
