#include "mediaeng/frame/ParallelRows.h"
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <pthread.h>

namespace mediaeng::frame {

namespace {

constexpr long long kMinPixelsForThreads = 200000;

// A job is cut into a few chunks per thread that the caller and the workers
// take in turn, so a worker the system leaves waiting (other programs busy)
// holds up nobody: whoever is running takes the next chunk. A chunk is
// claimed with the job's number, so a worker that wakes after its job ended
// claims nothing of the next one.
class CRowPool {
public:
    CRowPool()
    {
        const int n = RowWorkers();
        for (int i = 1; i < n; ++i) {
            m_threads.emplace_back([this] { Work(); });
            const std::string name = "km-rows-" + std::to_string(i);
            pthread_setname_np(m_threads.back().native_handle(), name.c_str());
        }
    }
    ~CRowPool()
    {
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads) t.join();
    }
    unsigned Bands() const { return static_cast<unsigned>(m_threads.size()) + 1; }

    void Run(int rows, const std::function<void(int, int)>& fn)
    {
        std::lock_guard<std::mutex> caller(m_callMutex);  // one job at a time
        const uint32_t chunks = static_cast<uint32_t>(std::min<long long>(rows / 8, Bands() * 4ll));
        uint32_t job;
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_fn = &fn;
            m_rows = rows;
            m_chunks = std::max<uint32_t>(chunks, 1);
            m_finished = 0;
            job = ++m_job;
            m_claim.store(uint64_t{job} << 32, std::memory_order_release);
        }
        m_wake.notify_all();
        TakeChunks(job, fn, rows, m_chunks);
        std::unique_lock<std::mutex> lk(m_mutex);
        m_done.wait(lk, [this] { return m_finished == m_chunks; });
        m_fn = nullptr;
    }

private:
    // Takes chunks of job until none is left; each one done is counted.
    void TakeChunks(uint32_t job, const std::function<void(int, int)>& fn, int rows, uint32_t chunks)
    {
        for (;;) {
            uint64_t seen = m_claim.load(std::memory_order_acquire);
            uint32_t index;
            do {
                if (static_cast<uint32_t>(seen >> 32) != job) return;
                index = static_cast<uint32_t>(seen);
                if (index >= chunks) return;
            } while (!m_claim.compare_exchange_weak(seen, seen + 1, std::memory_order_acq_rel));
            const int b = static_cast<int>(static_cast<long long>(rows) * index / chunks);
            const int e = static_cast<int>(static_cast<long long>(rows) * (index + 1) / chunks);
            if (e > b) fn(b, e);
            std::lock_guard<std::mutex> lk(m_mutex);
            if (++m_finished == chunks) m_done.notify_one();
        }
    }

    void Work()
    {
        uint32_t seen = 0;
        for (;;) {
            const std::function<void(int, int)>* fn;
            int rows;
            uint32_t job, chunks;
            {
                std::unique_lock<std::mutex> lk(m_mutex);
                m_wake.wait(lk, [&] { return m_quit || (m_fn && m_job != seen); });
                if (m_quit) return;
                seen = job = m_job;
                fn = m_fn;
                rows = m_rows;
                chunks = m_chunks;
            }
            // fn stays valid while a chunk of job is claimed and not finished.
            TakeChunks(job, *fn, rows, chunks);
        }
    }

    std::mutex m_callMutex;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::vector<std::thread> m_threads;
    const std::function<void(int, int)>* m_fn = nullptr;  // the running job, under m_mutex
    int m_rows = 0;
    uint32_t m_chunks = 0;
    uint32_t m_finished = 0;  // chunks done, under m_mutex
    uint32_t m_job = 0;       // number of the running job, under m_mutex
    std::atomic<uint64_t> m_claim{0};  // job number << 32 | next chunk
    bool m_quit = false;
};

}  // namespace

int RowWorkers()
{
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

void ParallelRows(int rows, long long pixels, const std::function<void(int, int)>& fn)
{
    if (rows <= 0) return;
    static CRowPool pool;
    if (pixels < kMinPixelsForThreads || pool.Bands() < 2 || rows < 16) {
        fn(0, rows);
        return;
    }
    pool.Run(rows, fn);
}

}  // namespace mediaeng::frame
