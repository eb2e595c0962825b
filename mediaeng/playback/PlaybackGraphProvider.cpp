// Plugs the playback and grab graphs into the engine's media sources: a
// source's BuildGraph and ReadFrame come here, and each graph opens its own
// demuxer of the source (a file, or a DVD title through its reader).
#include "engine/FrameRecord.h"
#include "engine/MediaSourceGraph.h"
#include "engine/MediaSourceKeys.h"
#include "mediaeng/core/EngineSeams.h"
#include "mediaeng/playback/PlaybackGraphBuilder.h"
#include "mediaeng/probe/StreamNumbering.h"
#include "platform/TextConv.h"
#include "platform/Variant.h"
#include <algorithm>

namespace mediaeng::playback {
namespace {

CPlaybackInput InputOf(IUnknown* source)
{
    CPlaybackInput input;
    if (auto node = ComPtr<IUnknown>(source).As<IEngineNode>()) {
        CVariant name;
        if (SUCCEEDED(node->GetValue(sourcekey::FileName, &name)) && name.vt == VT_BSTR) input.url = WideToUtf8(name.AsString());
        input.videoStream = std::max(0, mediaeng::ChosenStream(node.Get(), sourcekey::IsVideo));
        input.audioStream = std::max(0, mediaeng::ChosenStream(node.Get(), sourcekey::IsAudio));
    }
    ComPtr<IUnknown> keep(source);
    input.openInput = [keep](std::unique_ptr<CMediaInput>& out) { return OpenMediaInput(keep.Get(), out); };
    return input;
}

class CPlaybackGraphProvider final : public IMediaGraphProvider {
public:
    // A source that outlives the provider at exit finds no provider, not a dead one.
    ~CPlaybackGraphProvider() override { mediaeng::ClearMediaGraphProvider(this); }

    HRESULT BuildGraph(IUnknown* source, LONG forPlayback, IUnknown** graph) override
    {
        if (!source || !graph) return E_POINTER;
        *graph = nullptr;
        IGraphBuilder* built = nullptr;
        std::wstring error;
        HRESULT hr = CreateMediaGraph(InputOf(source), forPlayback ? MEDIA_GRAPH_PLAYBACK : MEDIA_GRAPH_GRAB, &built, &error);
        if (FAILED(hr)) {
            if (!error.empty()) CErrorMng().SetError(error);
            return hr;
        }
        *graph = built;  // IGraphBuilder is the graph's first interface
        return S_OK;
    }

    HRESULT ReadFrame(IUnknown* source, REFERENCE_TIME time, void* record, BYTE** format, DWORD* dataSize,
                      BYTE** data) override
    {
        if (!source || !format || !dataSize || !data) return E_POINTER;
        DWORD formatSize = 0;
        std::wstring error;
        HRESULT hr = ReadPictureAt(InputOf(source), time, &formatSize, format, dataSize, data, &error);
        if (record) static_cast<FRAME_RECORD*>(record)->cbFormat = formatSize;
        if (FAILED(hr) && !error.empty()) CErrorMng().SetError(error);
        return hr;
    }
};

}  // namespace
}  // namespace mediaeng::playback

IMediaGraphProvider& mediaeng::PlaybackGraphProvider()
{
    static playback::CPlaybackGraphProvider provider;
    return provider;
}
