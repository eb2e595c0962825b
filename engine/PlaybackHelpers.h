#pragma once
// Graph helpers of the engine: pins, tear-down, the engine's position lock and
// the format block of a grabber's media type.
#include "engine/PlaybackGraph.h"
#include <string>

// Pin of a filter by direction and index (the caller releases it).
HRESULT GetPin(IBaseFilter* filter, PIN_DIRECTION dir, int index, IPin** pin);

// Stops a graph, ends and joins its threads and frees its sources and
// decoders; the object stays valid (every call then fails) until released.
HRESULT ClearGraphFull(IGraphBuilder* graph);

// The engine's position lock: held around stopping a playback graph so that
// no position change of the engine runs in between. Recursive.
void __LockChangePos();
void __UnLockChangePos();

// Graph-runner helpers the frame grabber uses.
class CRunGraphImpl {
public:
    // A format block (BITMAPINFOHEADER first) copied from a media type; free it
    // with _FreeFormat. E_INVALIDARG when the type carries no picture format.
    static HRESULT _SaveFormat(const AM_MEDIA_TYPE* mt, BYTE** block, DWORD* size);
    static void _FreeFormat(BYTE* block);
};

// The text of a graph's last failure (open, decode, a grab that found no
// frame or ran out of time); empty when there was none.
std::wstring GetGraphError(IGraphBuilder* graph);
