#include "PlayerTestSupport.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <future>
#include <thread>

namespace ptest {

// ---- poster ----

// ---- control ----

void CRecordingCtrl::OnFrame(FRAME_RECORD* frame)
{
    ++frames;
    ASSERT_NE(frame, nullptr);
    lastFormat.assign(frame->pbFormat, frame->pbFormat + frame->cbFormat);
    lastData.assign(frame->pbData, frame->pbData + frame->cbData);
    for (BYTE b : lastData) checksum += b;
}

void CRecordingCtrl::OnPlayEnd()
{
    ++playEnds;
    m_player.MarkPlayEnded();
}

// ---- graph parts ----

class CFakePicture : public CComObjectBase<IBaseFilter, IFrameDraw, IFilterMode> {
public:
    explicit CFakePicture(CFakeGraph& graph) : m_graph(graph) {}
    HRESULT GetName(const wchar_t** name) override
    {
        *name = L"MainVideoFilter";
        return S_OK;
    }
    HRESULT GetPin(PIN_DIRECTION, int, IPin**) override { return E_FAIL; }
    HRESULT SetFrameDraw(IFrameDraw* sink) override
    {
        std::lock_guard<std::mutex> lk(m_graph.mutex);
        m_graph.m_draw = ComPtr<IFrameDraw>(sink);
        return S_OK;
    }
    HRESULT DrawFrame(DWORD, BYTE*, DWORD, BYTE*, REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }
    HRESULT UpdatePosition(REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }
    HRESULT SetFilterMode(int mode) override
    {
        std::lock_guard<std::mutex> lk(m_graph.mutex);
        m_graph.filterMode = mode;
        return S_OK;
    }

private:
    CFakeGraph& m_graph;
};

class CFakePin : public CComObjectBase<IPin> {
public:
    HRESULT ConnectionMediaType(AM_MEDIA_TYPE* mt) override
    {
        std::vector<BYTE> f = MakeFormat(4, 2);
        mt->cbFormat = static_cast<DWORD>(f.size());
        mt->pbFormat = static_cast<BYTE*>(std::malloc(f.size()));
        std::memcpy(mt->pbFormat, f.data(), f.size());
        return S_OK;
    }
    HRESULT QueryDirection(PIN_DIRECTION* dir) override
    {
        *dir = PINDIR_INPUT;
        return S_OK;
    }
};

class CFakeGrabber : public CComObjectBase<IBaseFilter, ISampleGrabber> {
public:
    explicit CFakeGrabber(CFakeGraph& graph) : m_graph(graph) {}
    HRESULT GetName(const wchar_t** name) override
    {
        *name = L"Grabber";
        return S_OK;
    }
    HRESULT GetPin(PIN_DIRECTION, int, IPin** pin) override
    {
        *pin = MakeComObject<CFakePin>().Detach();
        return S_OK;
    }
    HRESULT SetCallback(ISampleGrabberCB* cb, LONG) override
    {
        std::lock_guard<std::mutex> lk(m_graph.mutex);
        m_graph.m_grabCb = ComPtr<ISampleGrabberCB>(cb);
        return S_OK;
    }
    HRESULT SetOneShot(BOOL) override { return S_OK; }
    HRESULT SetBufferSamples(BOOL) override { return S_OK; }
    HRESULT GetConnectedMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }

private:
    CFakeGraph& m_graph;
};

class CFakeSample : public CComObjectBase<IMediaSample> {
public:
    explicit CFakeSample(std::vector<BYTE>& bytes) : m_bytes(bytes) {}
    HRESULT GetPointer(BYTE** buffer) override
    {
        *buffer = m_bytes.data();
        return S_OK;
    }
    LONG GetActualDataLength() override { return static_cast<LONG>(m_bytes.size()); }

private:
    std::vector<BYTE>& m_bytes;
};

// ---- graph ----

HRESULT CFakeGraph::FindFilterByName(const wchar_t* name, IBaseFilter** filter)
{
    *filter = nullptr;
    if (std::wcscmp(name, L"MainVideoFilter") == 0)
        *filter = MakeComObject<CFakePicture>(*this).Detach();
    else if (std::wcscmp(name, L"Grabber") == 0 && !m_playback)
        *filter = MakeComObject<CFakeGrabber>(*this).Detach();
    return *filter ? S_OK : E_FAIL;
}

HRESULT CFakeGraph::Run()
{
    ++runs;
    state = State_Running;
    if (m_playback) return S_OK;
    ComPtr<ISampleGrabberCB> cb;
    {
        std::lock_guard<std::mutex> lk(mutex);
        cb = m_grabCb;
    }
    if (m_script.grab == GraphScript::Sample && cb) {
        ComPtr<CFakeSample> sample = MakeComObject<CFakeSample>(m_script.sample);
        cb->SampleCB(0, sample.Get());
    } else if (m_script.grab == GraphScript::EndWithoutSample) {
        Notify(EC_COMPLETE, 0, 0);
    }
    return S_OK;
}

HRESULT CFakeGraph::Pause()
{
    ++pauses;
    state = State_Paused;
    return S_OK;
}

HRESULT CFakeGraph::Stop()
{
    ++stops;
    state = State_Stopped;
    return S_OK;
}

HRESULT CFakeGraph::GetState(LONG, LONG* s)
{
    *s = state;
    return S_OK;
}

HRESULT CFakeGraph::SetPositions(LONGLONG* current, DWORD, LONGLONG* stop, DWORD)
{
    std::lock_guard<std::mutex> lk(mutex);
    if (current) seeks.push_back(*current);
    if (stop) lastStop = *stop;
    return S_OK;
}

HRESULT CFakeGraph::GetEvent(LONG* code, LONG_PTR* p1, LONG_PTR* p2, LONG)
{
    std::lock_guard<std::mutex> lk(mutex);
    if (m_events.empty()) return E_ABORT;
    *code = m_events.front();
    *p1 = *p2 = 0;
    m_events.pop_front();
    return S_OK;
}

HRESULT CFakeGraph::SetNotifyWindow(IGraphNotify* notify, LONG, LONG_PTR instance)
{
    std::lock_guard<std::mutex> lk(mutex);
    m_notify = ComPtr<IGraphNotify>(notify);
    m_instance = instance;
    return S_OK;
}

HRESULT CFakeGraph::Notify(LONG code, LONG_PTR, LONG_PTR)
{
    ComPtr<IGraphNotify> notify;
    LONG_PTR instance = 0;
    {
        std::lock_guard<std::mutex> lk(mutex);
        m_events.push_back(code);
        notify = m_notify;
        instance = m_instance;
    }
    if (notify) notify->OnGraphNotify(0x478, instance);
    return S_OK;
}

void CFakeGraph::QueueEvent(LONG code)
{
    std::lock_guard<std::mutex> lk(mutex);
    m_events.push_back(code);
}

IFrameDraw* CFakeGraph::Draw()
{
    std::lock_guard<std::mutex> lk(mutex);
    return m_draw.Get();
}

std::pair<IGraphNotify*, LONG_PTR> CFakeGraph::NoteTarget()
{
    std::lock_guard<std::mutex> lk(mutex);
    return {m_notify.Get(), m_instance};
}

// ---- source ----

HRESULT CFakeSource::BuildGraph(LONG forPlayback, IUnknown** graph)
{
    *graph = nullptr;
    if (!forPlayback && beforeGrabBuild) beforeGrabBuild();
    ++(forPlayback ? playbackBuilds : grabBuilds);
    if (FAILED(buildResult)) {
        CErrorMng().SetError(buildError);  // the engine's last error of this thread
        return buildResult;
    }
    ComPtr<CFakeGraph> g = MakeComObject<CFakeGraph>(forPlayback != 0, script);
    {
        std::lock_guard<std::mutex> lk(mutex);
        (forPlayback ? lastPlayback : lastGrab) = g;
    }
    *graph = static_cast<IGraphBuilder*>(g.Detach());
    return S_OK;
}

CKMFilePtr MakeVideoEntry(const ComPtr<CFakeSource>& source, const std::wstring& name)
{
    CKMFilePtr entry = CKMFile::Create(name, 0);
    entry->SetSource(source.Get());
    entry->m_hasVideo = 1;
    entry->m_hasFrameSize = 1;
    entry->m_duration = 10 * kSecond;
    return entry;
}

std::vector<BYTE> MakeFormat(int w, int h)
{
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof(bih);
    bih.biWidth = w;
    bih.biHeight = h;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biSizeImage = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
    std::vector<BYTE> out(sizeof(bih));
    std::memcpy(out.data(), &bih, sizeof(bih));
    return out;
}

void WithWatchdog(std::chrono::milliseconds limit, const std::function<void()>& body)
{
    std::promise<void> done;
    auto finished = done.get_future();
    std::thread worker([&] {
        body();
        done.set_value();
    });
    if (finished.wait_for(limit) != std::future_status::ready) {
        ADD_FAILURE() << "the test hung";
        std::_Exit(3);
    }
    worker.join();
}

}  // namespace ptest
