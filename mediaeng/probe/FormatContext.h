#pragma once
// Owning handle of a demuxer, and the bounded open every probe uses: a read
// limit, an analysis limit and a deadline, so a damaged file cannot make it
// read without end.
#include "mediaeng/av/AvHandles.h"
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
extern "C" {
#include <libavformat/avformat.h>
}

namespace mediaeng {

using FormatContextPtr = av::InputPtr;

// Stops blocking FFmpeg calls at a deadline or when cancel turns true.
class CInterruptGuard {
public:
    explicit CInterruptGuard(std::chrono::seconds limit, const std::atomic<bool>* cancel = nullptr)
        : m_deadline(std::chrono::steady_clock::now() + limit), m_cancel(cancel)
    {
    }
    void Attach(AVFormatContext* ctx)
    {
        ctx->interrupt_callback.callback = &CInterruptGuard::Check;
        ctx->interrupt_callback.opaque = this;
    }
    // A context that outlives its open gets a new deadline (or none).
    void SetLimit(std::chrono::seconds limit) { m_deadline = std::chrono::steady_clock::now() + limit; }
    bool Cancelled() const { return m_cancel && m_cancel->load(); }
    bool Expired() const { return std::chrono::steady_clock::now() > m_deadline; }

private:
    static int Check(void* self)
    {
        auto* g = static_cast<CInterruptGuard*>(self);
        return g->Cancelled() || g->Expired();
    }
    std::chrono::steady_clock::time_point m_deadline;
    const std::atomic<bool>* m_cancel;
};

// Opens and analyses url (or the given I/O context when pb is set); returns
// an FFmpeg error code. ctx is allocated here; the guard must outlive it.
int OpenBounded(const std::string& url, AVIOContext* pb, CInterruptGuard& guard, FormatContextPtr& out);

}  // namespace mediaeng
