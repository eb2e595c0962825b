#include "mediaeng/playback/MediaGraph.h"
#include "engine/PlaybackHelpers.h"
#include "mediaeng/playback/PlaybackFilters.h"
#include <cwchar>

namespace mediaeng::playback {

CMediaGraph::CMediaGraph(SessionKind kind)
    : m_kind(kind), m_sinks(std::make_shared<CPlaybackSinks>()), m_session(kind, m_sinks)
{
}

CMediaGraph::~CMediaGraph() { m_session.Close(); }

HRESULT CMediaGraph::Open(const CPlaybackInput& input, std::wstring* error) { return m_session.Open(input, error); }

HRESULT CMediaGraph::QueryInterface(REFIID iid, void** out)
{
    if (!m_session.HasVideo() && (iid == IID_IBasicVideo || iid == IID_IVideoWindow)) {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    return CComObjectBase::QueryInterface(iid, out);
}

HRESULT CMediaGraph::FindFilterByName(const wchar_t* name, IBaseFilter** filter)
{
    if (!name || !filter) return E_POINTER;
    *filter = nullptr;
    if (m_closed) return E_UNEXPECTED;
    const bool play = m_kind == SessionKind::Playback;
    if (std::wcscmp(name, L"MainVideoFilter") == 0 && m_session.HasVideo())
        *filter = MakeComObject<CPictureFilter>(m_sinks).Detach();
    else if (std::wcscmp(name, L"WaveCodec") == 0 && play && m_session.HasAudio())
        *filter = MakeComObject<CSoundFilter>(m_sinks).Detach();
    else if (std::wcscmp(name, L"Grabber") == 0 && !play)
        *filter = MakeComObject<CGrabberFilter>(m_sinks, m_session.OutputHeader()).Detach();
    return *filter ? S_OK : E_FAIL;  // VFW_E_NOT_FOUND in spirit
}

HRESULT CMediaGraph::Stop()
{
    return m_session.Stop();
}

HRESULT CMediaGraph::GetState(LONG, LONG* state)
{
    if (!state) return E_POINTER;
    *state = m_session.State();
    return S_OK;
}

HRESULT CMediaGraph::GetCurrentPosition(LONGLONG* current)
{
    if (!current) return E_POINTER;
    *current = m_session.Position();
    return S_OK;
}

HRESULT CMediaGraph::GetStopPosition(LONGLONG* stop)
{
    if (!stop) return E_POINTER;
    *stop = m_session.StopTime();
    return S_OK;
}

HRESULT CMediaGraph::GetDuration(LONGLONG* duration)
{
    if (!duration) return E_POINTER;
    *duration = m_session.Duration();
    return S_OK;
}

HRESULT CMediaGraph::GetRate(double* rate)
{
    if (!rate) return E_POINTER;
    *rate = 1.0;
    return S_OK;
}

HRESULT CMediaGraph::SetNotifyWindow(IGraphNotify* notify, LONG msg, LONG_PTR instance)
{
    m_session.Events().SetNotify(notify, msg, instance);
    return S_OK;
}

HRESULT CMediaGraph::Notify(LONG code, LONG_PTR param1, LONG_PTR param2)
{
    m_session.Events().Post(code, param1, param2);
    return S_OK;
}

HRESULT CMediaGraph::GetVideoSize(LONG* width, LONG* height)
{
    if (!width || !height) return E_POINTER;
    *width = m_session.Width();
    *height = m_session.Height();
    return S_OK;
}

HRESULT CMediaGraph::get_AvgTimePerFrame(REFERENCE_TIME* time)
{
    if (!time) return E_POINTER;
    *time = m_session.FrameDuration();
    return S_OK;
}

HRESULT CMediaGraph::CloseGraph()
{
    m_closed = true;
    m_session.Close();
    m_session.Events().Close();
    return S_OK;
}

}  // namespace mediaeng::playback
