// Ten thousand messages from an engine thread reach the handler on the
// user-interface thread in the order they were sent, while that thread drains.
#include "ShellTestSupport.h"
#include "document/MessageMng.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include <vector>

using namespace shelltest;

namespace {

struct OrderHandler : ITextMessageMngHandler {
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        order.push_back(static_cast<int>(flags));
        texts.push_back(text);
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD value, DWORD) override
    {
        order.push_back(static_cast<int>(value));
        return S_OK;
    }
    HRESULT OnNotifyText(DWORD, const wchar_t*, DWORD) override { return S_OK; }
    std::vector<int> order;
    std::vector<std::wstring> texts;
};

TEST(MessageMngThreads, TenThousandMessagesArriveInOrder)
{
    constexpr int kCount = 10000;
    QueuePoster ui;
    CMessageMng mng(&ui);
    OrderHandler handler;
    mng.SetHandler(&handler);
    std::atomic<bool> done{false};
    std::thread engine([&] {
        for (int i = 0; i < kCount; ++i) {
            if (i % 2)
                mng.OnNotifyMessage(MSGE_PROGRESS_POS, static_cast<DWORD>(i), 0);
            else
                mng.OnTextMessage(std::to_wstring(i).c_str(), static_cast<DWORD>(i));
        }
        done = true;
    });
    while (!done.load() || ui.Queued() > 0) ui.Drain();
    engine.join();
    ui.Drain();
    ASSERT_EQ(handler.order.size(), static_cast<size_t>(kCount));
    for (int i = 0; i < kCount; ++i) ASSERT_EQ(handler.order[i], i);
    for (size_t i = 0; i < handler.texts.size(); ++i) ASSERT_EQ(handler.texts[i], std::to_wstring(2 * i));
}

}  // namespace
