#pragma once
// A first-in first-out queue of limited length between two threads. Push waits
// while the queue is full, Pop while it is empty; Cancel wakes both sides for
// good, so a stopped job never leaves a thread waiting; a stop test given at
// construction is polled while waiting, so a stop needs no access to the queue.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <deque>
#include <mutex>
#include <optional>

namespace mediaeng::job {

template <class T>
class CBoundedQueue {
public:
    explicit CBoundedQueue(size_t capacity, std::function<bool()> stopped = {})
        : m_capacity(capacity ? capacity : 1), m_stopped(std::move(stopped))
    {
    }

    // False when the queue was cancelled (the item is dropped).
    bool Push(T item)
    {
        std::unique_lock<std::mutex> lk(m_mutex);
        while (!m_notFull.wait_for(lk, kPoll, [&] { return m_cancelled || m_items.size() < m_capacity; }))
            if (m_stopped && m_stopped()) return false;
        if (m_cancelled) return false;
        m_items.push_back(std::move(item));
        m_notEmpty.notify_one();
        return true;
    }

    // Empty when the queue was cancelled.
    std::optional<T> Pop()
    {
        std::unique_lock<std::mutex> lk(m_mutex);
        while (!m_notEmpty.wait_for(lk, kPoll, [&] { return m_cancelled || !m_items.empty(); }))
            if (m_stopped && m_stopped()) return std::nullopt;
        if (m_cancelled) return std::nullopt;
        T item = std::move(m_items.front());
        m_items.pop_front();
        m_notFull.notify_one();
        return item;
    }

    void Cancel()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_cancelled = true;
        m_items.clear();
        m_notFull.notify_all();
        m_notEmpty.notify_all();
    }

private:
    static constexpr std::chrono::milliseconds kPoll{20};
    std::mutex m_mutex;
    std::condition_variable m_notFull, m_notEmpty;
    std::deque<T> m_items;
    size_t m_capacity;
    bool m_cancelled = false;
    std::function<bool()> m_stopped;
};

}  // namespace mediaeng::job
