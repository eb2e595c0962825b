#include "shell/UpdateThread.h"
#include <condition_variable>
#include <mutex>
#include <pthread.h>

struct CUpdateThread::State {
    std::stop_source stop;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

CUpdateThread::~CUpdateThread()
{
    StopAndJoin(std::chrono::milliseconds(0));
}

bool CUpdateThread::Start(Task task)
{
    if (m_thread.joinable() || !task) return false;
    m_state = std::make_shared<State>();
    std::shared_ptr<State> state = m_state;
    m_thread = std::thread([state, task = std::move(task)] {
        pthread_setname_np(pthread_self(), "km-update");
        task(state->stop.get_token());
        std::lock_guard<std::mutex> lock(state->mutex);
        state->done = true;
        state->ended.notify_all();
    });
    return true;
}

bool CUpdateThread::StopAndJoin(std::chrono::milliseconds bound)
{
    if (!m_thread.joinable()) return true;
    m_state->stop.request_stop();
    bool ended;
    {
        std::unique_lock<std::mutex> lock(m_state->mutex);
        ended = m_state->ended.wait_for(lock, bound, [&] { return m_state->done; });
    }
    if (ended)
        m_thread.join();
    else
        m_thread.detach();  // it holds only its shared state
    m_state.reset();
    return ended;
}
