#pragma once
// Test doubles and helpers for graphs: a frame sink that records what it was
// shown, a grabber callback, event waits with a deadline and a watchdog that
// fails a test that hangs.
#include "engine/FrameDraw.h"
#include "engine/PlaybackGrabber.h"
#include "engine/PlaybackHelpers.h"
#include "mediaeng/playback/PlaybackGraphBuilder.h"
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <vector>

namespace pbtest {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr REFERENCE_TIME kSecond = 10000000;

// Counter of a 24-bit bottom-up frame, -1 when unreadable.
int CounterOfDib(const BYTE* format, const BYTE* data);

struct ShownFrame {
    int counter = -1;
    REFERENCE_TIME sampleTime = 0;
    Clock::time_point at;
    int64_t probe = -1;  // what the sink's probe read as the frame came (-1 without one)
};

// Records the frames and positions a graph delivers.
class CRecordingSink : public IFrameDraw {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT SetFrameDraw(IFrameDraw*) override { return E_NOTIMPL; }
    HRESULT DrawFrame(DWORD formatSize, BYTE* format, DWORD dataSize, BYTE* data, REFERENCE_TIME* time,
                      DWORD reserved) override;
    HRESULT UpdatePosition(REFERENCE_TIME* time, DWORD reserved) override;

    // Waits until at least n frames came; false on time-out.
    bool WaitFrames(size_t n, std::chrono::milliseconds limit);
    std::vector<ShownFrame> Frames();
    std::vector<REFERENCE_TIME> Positions();
    void Reset();
    // Read on the delivering thread as each frame comes, e.g. how much sound
    // the device has played; set before the graph runs.
    void SetProbe(std::function<int64_t()> probe) { m_probe = std::move(probe); }

private:
    std::function<int64_t()> m_probe;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<ShownFrame> m_frames;
    std::vector<REFERENCE_TIME> m_positions;
};


// Opens a graph on a file; fails the test when it does not open.
ComPtr<IGraphBuilder> OpenGraph(const fs::path& file, int flag, std::wstring* error = nullptr);

// Registers a sink with the graph's picture stage (or its sound stage).
void HookSink(IGraphBuilder* graph, IFrameDraw* sink, const wchar_t* filter = L"MainVideoFilter");

// Next event within the limit; 0 when none came.
LONG WaitEvent(IGraphBuilder* graph, std::chrono::milliseconds limit);

// Seeks with an absolute position and an optional stop time (0: none).
HRESULT Seek(IGraphBuilder* graph, REFERENCE_TIME pos, REFERENCE_TIME stop = 0);

// Runs body on a thread; a body that does not end within limit fails the test
// and ends the process (a hang would otherwise stall the suite).
void WithWatchdog(std::chrono::milliseconds limit, const std::function<void()>& body);

fs::path TestDir();

}  // namespace pbtest
