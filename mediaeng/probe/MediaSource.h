#pragma once
// The media source (CLSID_MediaSource): a file, a DVD title or a whole DVD,
// probed on libavformat and libdvdread. Names it answers: engine/MediaSourceGraph.h.
#include "engine/MediaSourceGraph.h"
#include "mediaeng/core/EngineObjects.h"
#include "mediaeng/probe/MediaProbe.h"
#include "mediaeng/probe/SubFileList.h"
#include <atomic>
#include <mutex>
#include <memory>

namespace mediaeng {

class CDvdDisc;

class CMediaSource final : public CEngineNode, public IMediaSourceGraph, public CErrorMng {
public:
    CMediaSource();

    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override { return CEngineNode::AddRef(); }
    ULONG Release() override { return CEngineNode::Release(); }

    HRESULT Open(IMsgHandler* handler) override;
    HRESULT ContinueOpen(IProgressImpl* progress) override;
    HRESULT BuildGraph(LONG forPlayback, IUnknown** graph) override;
    HRESULT ReadFrame(REFERENCE_TIME time, void* record, BYTE** format, DWORD* dataSize, BYTE** data) override;
    HRESULT GetDuration(REFERENCE_TIME* duration) override;
    HRESULT IsOpen(BOOL* open) override;
    HRESULT GetLastError(BSTR* text) override;
    HRESULT Close() override;
    HRESULT ReleaseGraph() override;
    HRESULT ResetAfterJob(LONG a, LONG b) override;

private:
    enum class State { Closed, Pending, Open, Failed };

    HRESULT OpenFile(const std::string& path, const std::wstring& shownPath);
    HRESULT OpenTitle(const std::string& disc, int title, const std::wstring& shownPath);
    HRESULT OpenTitleOn(const std::shared_ptr<CDvdDisc>& disc, int title, const std::wstring& shownPath);
    HRESULT OpenDisc(IProgressImpl* progress, IMsgHandler* handler);
    HRESULT Fail(UINT id, const std::wstring& path, HRESULT hr = E_FAIL);
    HRESULT FailWith(const std::wstring& text, HRESULT hr = E_FAIL);
    // Facts of a probe; duration, when positive, replaces the probed one.
    void PublishFacts(const ProbeResult& facts, double duration);
    void AddSubFile(ComPtr<CMediaSource> sub);
    void AddSelfSubFile(const ProbeResult& facts, double duration, const std::wstring& name);
    void MarkOpen() { m_state = State::Open; }

    State m_state = State::Closed;
    double m_duration = 0;
    std::wstring m_lastError;
    ComPtr<IUnknown> m_graph;
    std::atomic<bool> m_cancel{false};
    bool m_selfSubFile = true;
    ComPtr<CSubFileList> m_subFiles;
    std::mutex m_openMutex;  // one open at a time; taken before the schema lock
    // The handler a pending Open was given, until ContinueOpen takes it: a
    // disc that opens without some of its title sets says so through it.
    // Under m_openMutex.
    ComPtr<IMsgHandler> m_handler;
};

void RegisterSourceClasses();

}  // namespace mediaeng
