#include "controls/ids/WindowMessages.h"
#include "wx/WxTestSupport.h"
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

struct Seen {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
};

TEST(WindowMessages, EveryMessageNumberHasItsOwnEventType)
{
    const unsigned numbers[] = {0x401, 0x402, 0x403, 0x404, 0x405, 0x406, 0x407, 0x464, 0x465, 0x478};
    std::vector<wxEventType> types;
    for (unsigned n : numbers) {
        wxEventType t = KM::WindowMessageEventType(n);
        EXPECT_NE(t, wxEVT_NULL) << n;
        for (wxEventType other : types) EXPECT_NE(t, other) << n;
        types.push_back(t);
    }
    EXPECT_EQ(KM::WindowMessageEventType(0x400), wxEVT_NULL);
    EXPECT_EQ(KM::WindowMessageEventType(0x479), wxEVT_NULL);
}

TEST(WindowMessages, PostedFromAWorkerArriveOnTheWindowThreadInOrderWithTheirValues)
{
    wxEvtHandler handler;
    std::vector<Seen> seen;
    std::thread::id windowThread = std::this_thread::get_id();
    bool onWindowThread = true;
    auto record = [&](KM::CWindowMessageEvent& e) {
        onWindowThread = onWindowThread && std::this_thread::get_id() == windowThread;
        seen.push_back({e.GetMessageId(), e.GetWParam(), e.GetLParam()});
    };
    handler.Bind(EVT_KM_GRID_CHANGED, record);
    handler.Bind(EVT_KM_LOG_ADD, record);

    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            KM::PostWindowMessage(&handler, i % 2 ? KM::WM_KM_LOG_ADD : KM::WM_KM_GRID_CHANGED, i, -i);
    });
    worker.join();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return seen.size() == 50; }));
    EXPECT_TRUE(onWindowThread);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(seen[i].message, i % 2 ? 0x464u : 0x404u);
        EXPECT_EQ(seen[i].wParam, static_cast<uintptr_t>(i));
        EXPECT_EQ(seen[i].lParam, -i);
    }
}

TEST(WindowMessages, SentMessagesRunAtOnceAndReturnTheHandlersResult)
{
    wxEvtHandler handler;
    handler.Bind(EVT_KM_GRID_COMMIT, [](KM::CWindowMessageEvent& e) { e.SetResult(static_cast<intptr_t>(e.GetWParam()) + 1); });
    EXPECT_EQ(KM::SendWindowMessage(&handler, KM::WM_KM_GRID_COMMIT, 41, 0), 42);
    EXPECT_EQ(KM::SendWindowMessage(&handler, KM::WM_KM_LOG_CLEAR), 0);  // nobody handles it
}

TEST(WindowMessages, UnknownNumbersAndMissingTargetsAreRefused)
{
    wxEvtHandler handler;
    EXPECT_FALSE(KM::PostWindowMessage(&handler, 0x4FF));
    EXPECT_FALSE(KM::PostWindowMessage(nullptr, KM::WM_KM_LOG_ADD));
    EXPECT_EQ(KM::SendWindowMessage(nullptr, KM::WM_KM_LOG_ADD), 0);
}

}  // namespace
