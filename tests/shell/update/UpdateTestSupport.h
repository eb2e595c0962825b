#pragma once
// Shared pieces of the update check tests: a UI-thread stand-in that runs the
// posted tasks on the test's thread, a recorder of notices, and a private
// settings file and news folder per test.
#include "fixtures/LocalHttpServer.h"
#include "fixtures/QueuePoster.h"
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
