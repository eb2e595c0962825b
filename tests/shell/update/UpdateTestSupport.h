#pragma once
// Shared pieces of the update check tests: a UI-thread stand-in that runs the
// posted tasks on the test's thread, a recorder of notices, and a private
// settings file and news folder per test.
#include "fixtures/LocalHttpServer.h"
#include "platform/Settings.h"
#include "shell/update/UpdateChecker.h"
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>

namespace kmtest {

class CQueuePoster : public IUiPoster {
public:
    void Post(std::function<void()> task) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
        }
        m_cv.notify_all();
    }
    // Runs posted tasks here until done() holds; false after a generous bound.
    bool RunUntil(const std::function<bool()>& done)
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(m_mutex);
                if (!m_cv.wait_until(lock, limit, [this] { return !m_tasks.empty(); })) return false;
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            task();
        }
        return true;
    }
    // Runs what is queued now, without waiting.
    void RunPending()
    {
        for (;;) {
            std::function<void()> task;
            {
                std::lock_guard lock(m_mutex);
                if (m_tasks.empty()) return;
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            task();
        }
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_tasks;
};

struct Shown {
    uint32_t id;
    bool error;
    bool operator==(const Shown&) const = default;
};

class CRecordingMessages : public IUpdateMessages {
public:
    void ShowMessage(uint32_t stringId, bool error) override { shown.push_back({stringId, error}); }
    void OnCheckFinished(bool manual) override { (manual ? manualDone : autoDone)++; }
    std::vector<Shown> shown;
    int autoDone = 0;
    int manualDone = 0;
};

// A fresh settings file and data folder for each test.
class UpdateTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::path(std::getenv("KM_TEST_DIR")) / "update" /
                (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        CSettingsStore::Instance().SetPath(m_dir / "settings.ini");
    }
    std::filesystem::path NewsPath() const { return m_dir / "HTML" / "news.html"; }
    CUpdateService Service(const std::string& url, long totalMs = 20000) const
    {
        HttpGetLimits limits;
        limits.totalTimeoutMs = totalMs;
        return CUpdateService(url, NewsPath(), limits);
    }
    std::filesystem::path m_dir;
};

}  // namespace kmtest
