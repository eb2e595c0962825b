#pragma once
// Where a graph's frames go, shared by the graph's named filters (which
// register the receivers) and its streaming thread (which calls them).
#include "engine/FrameDraw.h"
#include "engine/PlaybackGrabber.h"
#include <mutex>

namespace mediaeng::playback {

class CPlaybackSinks {
public:
    void SetDraw(IFrameDraw* draw)
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_draw = ComPtr<IFrameDraw>(draw);
    }
    ComPtr<IFrameDraw> Draw()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_draw;
    }
    void SetGrabber(ISampleGrabberCB* cb, LONG which)
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_grabber = ComPtr<ISampleGrabberCB>(cb);
        m_which = which;
    }
    ComPtr<ISampleGrabberCB> Grabber(LONG* which)
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        *which = m_which;
        return m_grabber;
    }
    void SetOneShot(bool oneShot)
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_oneShot = oneShot;
    }
    bool OneShot()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_oneShot;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_draw = nullptr;
        m_grabber = nullptr;
    }

private:
    std::mutex m_mutex;
    ComPtr<IFrameDraw> m_draw;
    ComPtr<ISampleGrabberCB> m_grabber;
    LONG m_which = 0;
    bool m_oneShot = false;
};

}  // namespace mediaeng::playback
