// The message manager: copies each engine message and hands it on, in order,
// on the user-interface thread; drops what a finished or stopped job left
// queued, and what arrives while no handler is installed.
#include "ShellTestSupport.h"
#include "document/MessageMng.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace shelltest;

namespace {

struct RecordingHandler : ITextMessageMngHandler {
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        seen.push_back(L"t|" + std::wstring(text) + L"|" + std::to_wstring(flags));
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD extra) override
    {
        seen.push_back(L"n|" + std::to_wstring(id) + L"|" + std::to_wstring(value) + L"|" + std::to_wstring(extra));
        return S_OK;
    }
    HRESULT OnNotifyText(DWORD id, const wchar_t* text, DWORD flags) override
    {
        seen.push_back(L"x|" + std::to_wstring(id) + L"|" + std::wstring(text) + L"|" + std::to_wstring(flags));
        return S_OK;
    }
    std::vector<std::wstring> seen;
};

TEST(MessageMng, WithoutHandlerEveryMessageIsDropped)
{
    CMessageMng direct;
    EXPECT_EQ(direct.OnTextMessage(L"a", 4), S_OK);
    EXPECT_EQ(direct.OnNotifyMessage(1362, 1, 2), S_OK);
    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(direct.QueryInterface(IID_IMsgHandler, &out), S_OK);
    EXPECT_EQ(out, reinterpret_cast<void*>(0x1));  // nothing written
}

TEST(MessageMng, CopiesTheTextBeforeTheEngineReusesItsBuffer)
{
    QueuePoster ui;
    CMessageMng mng(&ui);
    RecordingHandler handler;
    mng.SetHandler(&handler);
    std::wstring buffer = L"first";
    mng.OnTextMessage(buffer.c_str(), 4);
    mng.OnNotifyText(MSGE_ENGINE_TEXT, buffer.c_str(), 0);
    buffer = L"XXXXX";
    EXPECT_TRUE(handler.seen.empty());  // nothing runs on the engine's thread
    ui.Drain();
    EXPECT_EQ(handler.seen, (std::vector<std::wstring>{L"t|first|4", L"x|1363|first|0"}));
}

TEST(MessageMng, MessagesQueuedBeforeANewGenerationAreDropped)
{
    QueuePoster ui;
    CMessageMng mng(&ui);
    RecordingHandler handler;
    mng.SetHandler(&handler);
    mng.OnTextMessage(L"old", 0x20);
    mng.OnNotifyMessage(1362, 7, 0);
    mng.NewGeneration();  // the job was stopped
    mng.OnTextMessage(L"new", 4);
    ui.Drain();
    EXPECT_EQ(handler.seen, (std::vector<std::wstring>{L"t|new|4"}));
}

TEST(MessageMng, AFloodOfMessagesIsOneCallToTheWindowThreadAndKeepsItsOrder)
{
    QueuePoster ui;
    CMessageMng mng(&ui);
    RecordingHandler handler;
    mng.SetHandler(&handler);
    for (int i = 0; i < 1000; ++i)
        mng.OnNotifyMessage(1362, static_cast<DWORD>(i), 0);
    EXPECT_EQ(ui.Queued(), 1u);  // not a thousand events in the window's queue
    ui.Drain();
    ASSERT_EQ(handler.seen.size(), 1000u);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(handler.seen[static_cast<size_t>(i)], L"n|1362|" + std::to_wstring(i) + L"|0");
    mng.OnTextMessage(L"later", 0);  // a drained queue posts again
    EXPECT_EQ(ui.Queued(), 1u);
    ui.Drain();
    EXPECT_EQ(handler.seen.back(), L"t|later|0");
}

TEST(MessageMng, QueuedCallsOutliveTheManagerHarmlessly)
{
    QueuePoster ui;
    RecordingHandler handler;
    {
        CMessageMng mng(&ui);
        mng.SetHandler(&handler);
        mng.OnTextMessage(L"late", 4);
    }
    EXPECT_EQ(ui.Drain(), 1u);
    EXPECT_TRUE(handler.seen.empty());
}

}  // namespace
