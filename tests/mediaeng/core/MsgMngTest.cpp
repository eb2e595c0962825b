#include "engine/MsgMng.h"
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

struct Recorder : IMsgHandler {
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        texts.emplace_back(text);
        this->flags.push_back(flags);
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD) override
    {
        events.push_back({id, value});
        return S_OK;
    }
    std::vector<std::wstring> texts;
    std::vector<DWORD> flags;
    std::vector<std::pair<DWORD, DWORD>> events;
};

CMsgArg Str(const wchar_t* s)
{
    CMsgArg a;
    a.kind = CMsgArg::String;
    a.text = s;
    return a;
}

CMsgArg Num(int64_t n)
{
    CMsgArg a;
    a.kind = CMsgArg::Int;
    a.number = n;
    return a;
}

struct HandlerScope {
    explicit HandlerScope(IMsgHandler* h) : previous(__SetMessageHandler(h)) {}
    ~HandlerScope() { __SetMessageHandler(previous); }
    IMsgHandler* previous;
};

}  // namespace

TEST(FormatMessageSafe, SubstitutesOnlyMatchingArguments)
{
    struct Case {
        const wchar_t* format;
        std::vector<CMsgArg> args;
        const wchar_t* expected;
    } cases[] = {
        {L"Folder %s not found", {Str(L"/tmp/x")}, L"Folder /tmp/x not found"},
        {L"%s and %s", {Str(L"a")}, L"a and %s"},                 // too few arguments
        {L"code %d", {Str(L"text")}, L"code %d"},                // wrong kind
        {L"%s", {Num(5)}, L"%s"},                                // a number is no text
        {L"100%% done %d%%", {Num(7)}, L"100% done 7%"},
        {L"%08X", {Num(-2147467259)}, L"80004005"},
        {L"%5.1f s", {Num(3)}, L"  3.0 s"},
        {L"%n%p%*d", {Num(1)}, L"%n%p%*d"},                      // never honoured
        {L"trailing %", {}, L"trailing %"},
        {L"%ls %hs", {Str(L"x"), Str(L"y")}, L"x y"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatMessageSafe(c.format, c.args), c.expected) << c.format;
}

TEST(CMsgMng, SendsWithFlagsAndReadsOnlyDeclaredArguments)
{
    Recorder rec;
    HandlerScope scope(&rec);
    CMsgMng mng;
    CMsgMng::SetMessageArgs(60901, "sd");
    mng.SendMsgError(60901, L"path", 12);
    // An id declared with no arguments reads none, whatever the caller passes.
    mng.SendMsgWarning(60902, L"ignored");
    mng.SendMsgText(60903);
    ASSERT_EQ(rec.texts.size(), 3u);
    EXPECT_EQ(rec.texts[0], L"#60901 path 12");  // no library text: id and arguments
    EXPECT_EQ(rec.flags[0], DWORD{MSGF_ERROR});
    EXPECT_EQ(rec.texts[1], L"#60902");
    EXPECT_EQ(rec.flags[1], DWORD{MSGF_WARNING});
    EXPECT_EQ(rec.flags[2], DWORD{MSGF_ENGINE_TEXT});
    EXPECT_EQ(CMsgMng::GetMessageArgs(519), "s");
}

TEST(CMsgMng, TextEventsGetTheirOwnCall)
{
    Recorder rec;
    HandlerScope scope(&rec);
    CMsgMng::SendNotify(MSGE_PROGRESS_POS, 42, 0);
    CMsgMng::SendNotifyText(MSGE_ENGINE_TEXT, L"engine says", 0);
    CMsgMng::SendNotifyText(MSGE_TEXT_FLAGS, L"raw", MSGF_RAW);
    ASSERT_EQ(rec.events.size(), 1u);
    EXPECT_EQ(rec.events[0].second, 42u);
    ASSERT_EQ(rec.texts.size(), 2u);
    EXPECT_EQ(rec.flags[0], DWORD{MSGF_ENGINE_TEXT});
    EXPECT_EQ(rec.flags[1], DWORD{MSGF_RAW});
    __SetMessageHandler(nullptr);
    EXPECT_EQ(CMsgMng::SendText(L"dropped", MSGF_TEXT), S_FALSE);
}

TEST(CErrorMng, LastErrorIsPerThreadAndLiteral)
{
    CErrorMng engine, probe;
    std::wstring text;
    EXPECT_FALSE(probe.IsLastError(&text));
    engine.SetError(L"50% of %s failed");
    ASSERT_TRUE(probe.IsLastError(&text));  // what the engine just reported on this thread
    EXPECT_EQ(text, L"50% of %s failed");
    EXPECT_TRUE(engine.IsErrorHappened());
    EXPECT_FALSE(probe.IsErrorHappened());
    bool seenElsewhere = true;
    std::thread([&] { seenElsewhere = probe.IsLastError(); }).join();
    EXPECT_FALSE(seenElsewhere);
    engine.SetError(L"");
    EXPECT_FALSE(probe.IsLastError());
    EXPECT_TRUE(engine.IsErrorHappened());
}
