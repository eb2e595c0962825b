#include "PlaybackTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "platform/Bitmap.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <future>
#include <iostream>

namespace pbtest {

int CounterOfDib(const BYTE* format, const BYTE* data)
{
    BITMAPINFOHEADER h;
    std::memcpy(&h, format, sizeof(h));
    if (h.biBitCount != 24 || h.biWidth <= 0 || h.biHeight <= 0) return -1;
    const int w = h.biWidth, ht = h.biHeight;
    const size_t stride = DibStride(w, 24);
    std::vector<uint8_t> topDown(size_t(w) * 3 * ht);
    for (int y = 0; y < ht; ++y) std::memcpy(&topDown[size_t(y) * w * 3], data + (ht - 1 - y) * stride, size_t(w) * 3);
    return fixtures::ReadCounterRgb24(topDown.data(), w * 3, w, ht);
}

HRESULT CRecordingSink::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IFrameDraw) {
        *out = static_cast<IFrameDraw*>(this);
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT CRecordingSink::DrawFrame(DWORD formatSize, BYTE* format, DWORD dataSize, BYTE* data, REFERENCE_TIME* time,
                                  DWORD)
{
    ShownFrame f;
    if (formatSize >= sizeof(BITMAPINFOHEADER) && dataSize > 0) f.counter = CounterOfDib(format, data);
    f.sampleTime = time ? *time : -1;
    f.at = Clock::now();
    if (m_probe) f.probe = m_probe();
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_frames.push_back(f);
    }
    m_cv.notify_all();
    return S_OK;
}

HRESULT CRecordingSink::UpdatePosition(REFERENCE_TIME* time, DWORD)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_positions.push_back(time ? *time : -1);
    return S_OK;
}

bool CRecordingSink::WaitFrames(size_t n, std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lk(m_mutex);
    return m_cv.wait_for(lk, limit, [&] { return m_frames.size() >= n; });
}

std::vector<ShownFrame> CRecordingSink::Frames()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_frames;
}

std::vector<REFERENCE_TIME> CRecordingSink::Positions()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_positions;
}

void CRecordingSink::Reset()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_frames.clear();
    m_positions.clear();
}

ComPtr<IGraphBuilder> OpenGraph(const fs::path& file, int flag, std::wstring* error)
{
    ComPtr<IGraphBuilder> graph;
    CPlaybackInput input;
    input.url = file.string();
    HRESULT hr = CreateMediaGraph(input, flag, graph.ReleaseAndGetAddressOf(), error);
    EXPECT_EQ(hr, S_OK) << file;
    return graph;
}

void HookSink(IGraphBuilder* graph, IFrameDraw* sink, const wchar_t* filter)
{
    ComPtr<IBaseFilter> f;
    ASSERT_EQ(graph->FindFilterByName(filter, f.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IFrameDraw> draw = f.As<IFrameDraw>();
    ASSERT_TRUE(draw);
    ASSERT_EQ(draw->SetFrameDraw(sink), S_OK);
}

LONG WaitEvent(IGraphBuilder* graph, std::chrono::milliseconds limit)
{
    ComPtr<IMediaEventEx> events = ComPtr<IGraphBuilder>(graph).As<IMediaEventEx>();
    LONG code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    if (FAILED(events->GetEvent(&code, &p1, &p2, static_cast<LONG>(limit.count())))) return 0;
    events->FreeEventParams(code, p1, p2);
    return code;
}

HRESULT Seek(IGraphBuilder* graph, REFERENCE_TIME pos, REFERENCE_TIME stop)
{
    ComPtr<IMediaSeeking> seeking = ComPtr<IGraphBuilder>(graph).As<IMediaSeeking>();
    return seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_AbsolutePositioning);
}

void WithWatchdog(std::chrono::milliseconds limit, const std::function<void()>& body)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> f = done->get_future();
    std::thread t([body, done] {
        body();
        done->set_value();
    });
    if (f.wait_for(limit) != std::future_status::ready) {
        std::cerr << "watchdog: the test hung for " << limit.count() << " ms\n";
        std::_Exit(3);
    }
    t.join();
}

fs::path TestDir()
{
    const char* dir = std::getenv("KM_TEST_DIR");
    return dir ? fs::path(dir) : fs::temp_directory_path();
}

}  // namespace pbtest
