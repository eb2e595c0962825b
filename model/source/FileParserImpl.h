#pragma once
// The media probe of a source entry: owns the entry's engine media source,
// opens it for a path (continuing a slow open on a worker thread behind the
// shell's wait dialog), reads the facts the rest of the program needs and
// keeps the engine's error text when the open fails.
#include "engine/MsgMng.h"
#include "platform/Unknown.h"
#include <string>

struct IMediaSourceGraph;
struct IPropertyContainer;
struct IProgressImpl;
class IProgressDlg;

class CFileParserImpl : public CErrorMng {
public:
    // How long an open that continues on the worker may take before the
    // "Please wait..." dialog appears.
    static constexpr DWORD kOpenWaitMs = 2000;

    CFileParserImpl();
    ~CFileParserImpl() override;
    CFileParserImpl(const CFileParserImpl&) = delete;
    CFileParserImpl& operator=(const CFileParserImpl&) = delete;

    // Opens the source for path once: 0 when open and its facts read (also
    // when it already was), negative on failure. A failed probe stays failed:
    // later calls report the stored text to the active document and give E_FAIL.
    HRESULT OpenMediaSource(std::wstring path);
    // Makes source the own source and reads its facts.
    HRESULT SetSource(IUnknown* source);
    HRESULT ReadMediaInfo(IUnknown* source);
    // The source (override first) with one reference; 1 and *out untouched when none.
    HRESULT GetSource(IUnknown** out);
    HRESULT GetPropertyContainer(IPropertyContainer** out);
    // Copies the engine's last error, when there is one, into m_lastError.
    HRESULT FetchLastError();
    // Lets the source drop its playback graph.
    HRESULT ReleaseGraph();

    // The source every read uses: the override source when set, else the own one.
    ComPtr<IUnknown> CurrentSource() const;
    bool HasOwnSource() const { return static_cast<bool>(m_source); }
    // The entry's own source (a chapter's whole file), not the override; not AddRef'd.
    IUnknown* GetOwnSource() const { return m_source.Get(); }

    int32_t m_infoRead = 0;
    std::wstring m_openError;
    std::wstring m_lastError;
    int32_t m_width = 0;
    int32_t m_height = 0;
    double m_aspectRatio = 0.0;
    int32_t m_hasVideo = 0;
    int32_t m_hasFrameSize = 0;
    int32_t m_hasAudio = 0;
    int64_t m_duration = 0;  // 100-ns units
    int32_t m_sourceType = 0;  // "Type" sent to the engine: 0 a media file, 1 a DVD

protected:
    // Own source := source, override := subFile; references balanced.
    void SetSources(IUnknown* source, IUnknown* subFile);
    IUnknown* OwnSource() const { return m_source.Get(); }
    IUnknown* OverrideSource() const { return m_override.Get(); }

private:
    // Shared with the open worker while a pending open continues.
    struct OpenWorkerBlock {
        IMediaSourceGraph* graph = nullptr;  // not owned
        uintptr_t spare = 0;
        IProgressDlg* dialog = nullptr;  // stands for the dialog's window
        IProgressImpl* progress = nullptr;  // the dialog's sink, not owned
    };

    HRESULT WaitForOpen(IMediaSourceGraph* graph);
    static HRESULT OpenSourceThread(CFileParserImpl* probe);
    void RecordOpenFailure(IMediaSourceGraph* graph, HRESULT hr, const std::wstring& path);

    ComPtr<IUnknown> m_source;
    ComPtr<IUnknown> m_override;
    OpenWorkerBlock m_openBlock;
};
