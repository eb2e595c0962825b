// The settings store gathers changes and writes the file once they settle,
// yet loses nothing: not when it is pointed elsewhere, not at a normal exit,
// not when the process is ended by SIGTERM or SIGINT.
#include "platform/Settings.h"
#include <gtest/gtest.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

fs::path FreshFile(const std::string& name)
{
    const fs::path path = fs::path(std::getenv("KM_TEST_DIR")) / (name + ".ini");
    fs::remove(path);
    return path;
}

// What the file holds, read by a store of its own view: point the store at
// it again (which writes nothing pending: callers flush first).
int StoredInt(const fs::path& path, const wchar_t* key)
{
    CSettingsStore& s = CSettingsStore::Instance();
    s.SetPath(path);
    return s.GetInt(L"Workspace", key, -1);
}

struct SettleScope {
    explicit SettleScope(std::chrono::milliseconds settle) : before(CSettingsStore::Instance().SettleTime())
    {
        CSettingsStore::Instance().SetSettleTime(settle);
    }
    ~SettleScope() { CSettingsStore::Instance().SetSettleTime(before); }
    std::chrono::milliseconds before;
};

TEST(SettingsStore, ABurstOfChangesIsWrittenOnceWithTheLastValues)
{
    const fs::path path = FreshFile("burst");
    CSettingsStore& s = CSettingsStore::Instance();
    s.SetPath(path);
    SettleScope never(24h);
    const unsigned before = s.WriteCount();
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(s.SetInt(L"Workspace", L"client_x", 600 + i));
        EXPECT_TRUE(s.SetInt(L"Workspace", L"client_y", 400 + i));
    }
    EXPECT_EQ(s.WriteCount(), before) << "nothing is written while changes go on";
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(s.GetInt(L"Workspace", L"client_x", -1), 699) << "readers see the change at once";
    EXPECT_TRUE(s.Flush());
    EXPECT_EQ(s.WriteCount(), before + 1);
    EXPECT_TRUE(s.Flush());
    EXPECT_EQ(s.WriteCount(), before + 1) << "nothing pending, nothing written";
    EXPECT_EQ(StoredInt(path, L"client_x"), 699);
    EXPECT_EQ(StoredInt(path, L"client_y"), 499);
}

TEST(SettingsStore, SettledChangesAreWrittenWithoutAFlushAndARepeatedValueWritesNothing)
{
    const fs::path path = FreshFile("settled");
    CSettingsStore& s = CSettingsStore::Instance();
    s.SetPath(path);
    SettleScope soon(10ms);
    const unsigned before = s.WriteCount();
    s.SetInt(L"Workspace", L"client_x", 777);
    const auto until = std::chrono::steady_clock::now() + 20s;  // guards a hang only
    while (s.WriteCount() == before && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(s.WriteCount(), before + 1);
    s.SetInt(L"Workspace", L"client_x", 777);
    EXPECT_TRUE(s.Flush());
    EXPECT_EQ(s.WriteCount(), before + 1) << "the same value again is no change";
    EXPECT_EQ(StoredInt(path, L"client_x"), 777);
}

TEST(SettingsStore, PointingTheStoreElsewhereWritesWhatWasPendingToTheOldFile)
{
    const fs::path first = FreshFile("first");
    const fs::path second = FreshFile("second");
    CSettingsStore& s = CSettingsStore::Instance();
    s.SetPath(first);
    SettleScope never(24h);
    s.SetInt(L"Workspace", L"client_x", 640);
    s.SetPath(second);
    EXPECT_EQ(s.GetInt(L"Workspace", L"client_x", -1), -1);
    EXPECT_EQ(StoredInt(first, L"client_x"), 640);
}

// The child sets a value that would settle only in a day, then ends as
// given; the parent finds the value in the file.
struct EndCase {
    const char* name;
    int signal;  // 0: a normal exit
};

class SettingsStoreEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(SettingsStoreEnd, APendingChangeSurvivesTheEndOfTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const EndCase c = GetParam();
    // The child runs this test again from its start in a process of its own,
    // with a test folder of its own: it takes the file from the parent.
    const char* given = std::getenv("KM_SETTINGS_END_FILE");
    const fs::path path = given ? fs::path(given) : FreshFile(std::string("end-") + c.name);
    setenv("KM_SETTINGS_END_FILE", path.c_str(), 1);
    auto child = [&] {
        CSettingsStore& s = CSettingsStore::Instance();
        s.SetPath(path);
        s.SetSettleTime(24h);
        CSettingsStore::FlushOnSignals();
        s.SetInt(L"Workspace", L"client_x", 812);
        if (c.signal == 0) std::exit(3);
        std::raise(c.signal);
        for (;;) pause();
    };
    if (c.signal == 0)
        EXPECT_EXIT(child(), ::testing::ExitedWithCode(3), "");
    else
        EXPECT_EXIT(child(), ::testing::KilledBySignal(c.signal), "");
    unsetenv("KM_SETTINGS_END_FILE");
    EXPECT_EQ(StoredInt(path, L"client_x"), 812);
}

INSTANTIATE_TEST_SUITE_P(Ends, SettingsStoreEnd,
                         ::testing::Values(EndCase{"exit", 0}, EndCase{"sigterm", SIGTERM}, EndCase{"sigint", SIGINT}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
