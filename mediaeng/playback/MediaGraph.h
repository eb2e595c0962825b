#pragma once
// A media source's graph as one object: the control, seeking, event and
// video interfaces the player queries, over a playback or grab session.
#include "engine/PlaybackGraph.h"
#include "mediaeng/playback/PlaybackSession.h"

namespace mediaeng::playback {

// {E8C1A2F4-3B6D-4F7E-9A25-6C0D8B1E4F39}: reaches the graph behind its interfaces.
constexpr GUID IID_IMediaGraphInternal{0xE8C1A2F4, 0x3B6D, 0x4F7E, {0x9A, 0x25, 0x6C, 0x0D, 0x8B, 0x1E, 0x4F, 0x39}};

struct IMediaGraphInternal : IUnknown {
    static constexpr const GUID& kIID = IID_IMediaGraphInternal;
    virtual HRESULT CloseGraph() = 0;
    virtual std::wstring GraphError() = 0;
};

class CMediaGraph : public CComObjectBase<IGraphBuilder, IMediaControl, IMediaSeeking, IMediaEventEx, IMediaEventSink,
                                          IBasicVideo, IVideoWindow, IMediaGraphInternal> {
public:
    explicit CMediaGraph(SessionKind kind);
    ~CMediaGraph() override;
    HRESULT Open(const CPlaybackInput& input, std::wstring* error);
    CPlaybackSession& Session() { return m_session; }
    // Video interfaces exist only for sources with pictures.
    HRESULT QueryInterface(REFIID iid, void** out) override;

    // IGraphBuilder
    HRESULT FindFilterByName(const wchar_t* name, IBaseFilter** filter) override;
    HRESULT SetDefaultSyncSource() override { return S_OK; }
    // IMediaControl
    HRESULT Run() override { return m_session.Run(); }
    HRESULT Pause() override { return m_session.Pause(); }
    HRESULT Stop() override;
    HRESULT GetState(LONG msTimeout, LONG* state) override;
    // IMediaSeeking
    HRESULT SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override
    {
        return m_session.SetPositions(current, currentFlags, stop, stopFlags);
    }
    HRESULT GetCurrentPosition(LONGLONG* current) override;
    HRESULT GetStopPosition(LONGLONG* stop) override;
    HRESULT GetDuration(LONGLONG* duration) override;
    HRESULT SetRate(double rate) override { return rate == 1.0 ? S_OK : E_NOTIMPL; }
    HRESULT GetRate(double* rate) override;
    // IMediaEventEx
    HRESULT GetEvent(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG msTimeout) override
    {
        return m_session.Events().Get(code, param1, param2, msTimeout);
    }
    HRESULT FreeEventParams(LONG, LONG_PTR, LONG_PTR) override { return S_OK; }
    HRESULT SetNotifyWindow(IGraphNotify* notify, LONG msg, LONG_PTR instance) override;
    // IMediaEventSink
    HRESULT Notify(LONG code, LONG_PTR param1, LONG_PTR param2) override;
    // IBasicVideo
    HRESULT GetVideoSize(LONG* width, LONG* height) override;
    HRESULT get_AvgTimePerFrame(REFERENCE_TIME* time) override;
    // IVideoWindow: the window is never shown, so its settings change nothing.
    HRESULT put_Owner(LONG_PTR) override { return S_OK; }
    HRESULT put_MessageDrain(LONG_PTR) override { return S_OK; }
    HRESULT put_WindowStyle(LONG) override { return S_OK; }
    HRESULT SetWindowPosition(LONG, LONG, LONG, LONG) override { return S_OK; }
    HRESULT put_Visible(LONG visible) override { return visible ? E_NOTIMPL : S_OK; }
    HRESULT SetWindowForeground(LONG) override { return S_OK; }
    // IMediaGraphInternal
    HRESULT CloseGraph() override;
    std::wstring GraphError() override { return m_session.LastError(); }

private:
    const SessionKind m_kind;
    std::shared_ptr<CPlaybackSinks> m_sinks;
    CPlaybackSession m_session;
    bool m_closed = false;
};

}  // namespace mediaeng::playback
