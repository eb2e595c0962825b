#pragma once
// Base of the preview player's frame grabber as the engine's sample grabber
// calls it: every grabbed sample arrives in AddSample on the streaming thread.
// The grabber belongs to its owner, so the reference count is only a count.
#include "engine/PlaybackGrabber.h"
#include <atomic>

class CFakeCallback : public ISampleGrabberCB {
public:
    CFakeCallback() = default;
    virtual ~CFakeCallback() = default;
    CFakeCallback(const CFakeCallback&) = delete;
    CFakeCallback& operator=(const CFakeCallback&) = delete;

    // IUnknown and ISampleGrabberCB: no reference is added, none deletes.
    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT SampleCB(double time, IMediaSample* sample) override;
    HRESULT BufferCB(double time, BYTE* buffer, LONG length) override;

    // The sample's bytes, valid only during the call. The base ignores them.
    virtual void AddSample(double time, BYTE* buffer, LONG length);

    LONG RefCount() const { return m_ref.load(); }

protected:
    // The grabber's streaming thread and its owner both count: atomic.
    std::atomic<LONG> m_ref{0};
};
