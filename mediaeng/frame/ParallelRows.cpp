#include "mediaeng/frame/ParallelRows.h"
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <pthread.h>

namespace mediaeng::frame {

namespace {

constexpr long long kMinPixelsForThreads = 200000;

class CRowPool {
public:
    CRowPool()
    {
        const unsigned n = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
        for (unsigned i = 1; i < n; ++i) {
            m_threads.emplace_back([this, i] { Work(i); });
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
        const unsigned bands = Bands();
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_fn = &fn;
            m_rows = rows;
            m_pending = bands - 1;
            ++m_generation;
        }
        m_wake.notify_all();
        Band(0, rows, bands, fn);
        std::unique_lock<std::mutex> lk(m_mutex);
        m_done.wait(lk, [this] { return m_pending == 0; });
        m_fn = nullptr;
    }

private:
    static void Band(unsigned i, int rows, unsigned bands, const std::function<void(int, int)>& fn)
    {
        const int b = static_cast<int>(static_cast<long long>(rows) * i / bands);
        const int e = static_cast<int>(static_cast<long long>(rows) * (i + 1) / bands);
        if (e > b) fn(b, e);
    }

    void Work(unsigned index)
    {
        unsigned long seen = 0;
        for (;;) {
            const std::function<void(int, int)>* fn;
            int rows;
            {
                std::unique_lock<std::mutex> lk(m_mutex);
                m_wake.wait(lk, [&] { return m_quit || m_generation != seen; });
                if (m_quit) return;
                seen = m_generation;
                fn = m_fn;
                rows = m_rows;
            }
            Band(index, rows, Bands(), *fn);
            {
                std::lock_guard<std::mutex> lk(m_mutex);
                --m_pending;
            }
            m_done.notify_one();
        }
    }

    std::mutex m_callMutex;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::vector<std::thread> m_threads;
    const std::function<void(int, int)>* m_fn = nullptr;
    int m_rows = 0;
    unsigned m_pending = 0;
    unsigned long m_generation = 0;
    bool m_quit = false;
};

}  // namespace

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
