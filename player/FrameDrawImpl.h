#pragma once
// The player's IFrameDraw: the engine's picture and sound stages hand it every
// frame and position. It belongs to the player, so its count is only a count.
#include "engine/FrameDraw.h"
#include <atomic>

class CFrameDrawImpl : public IFrameDraw {
public:
    CFrameDrawImpl() = default;
    virtual ~CFrameDrawImpl() = default;
    CFrameDrawImpl(const CFrameDrawImpl&) = delete;
    CFrameDrawImpl& operator=(const CFrameDrawImpl&) = delete;

    // Answers only IFrameDraw, with itself and without a reference.
    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override { return static_cast<ULONG>(++m_drawRef); }
    ULONG Release() override { return static_cast<ULONG>(--m_drawRef); }
    HRESULT SetFrameDraw(IFrameDraw*) override { return E_NOTIMPL; }
    HRESULT DrawFrame(DWORD formatSize, BYTE* format, DWORD dataSize, BYTE* data, REFERENCE_TIME* time,
                      DWORD reserved) override;
    HRESULT UpdatePosition(REFERENCE_TIME* time, DWORD reserved) override;

    IFrameDraw* AsFrameDraw() { return this; }

protected:
    // What the two deliveries forward to (the engine's streaming thread).
    virtual HRESULT OnDrawFrame(DWORD formatSize, const BYTE* format, DWORD dataSize, const BYTE* data,
                                const REFERENCE_TIME* time) = 0;
    virtual HRESULT OnUpdatePosition(const REFERENCE_TIME* time) = 0;

private:
    std::atomic<LONG> m_drawRef{0};
};
