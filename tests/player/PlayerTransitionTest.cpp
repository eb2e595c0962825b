// Play, Pause, Stop and Seek over a scripted graph: which state each leaves,
// where the graph was sought, and what the control was told.
#include "PlayerTestSupport.h"
#include "engine/MsgMng.h"
#include "platform/ResourceLibrary.h"
#include <gtest/gtest.h>

using namespace ptest;

namespace {

struct Rig {
    CQueuePoster poster;
    CPlayer player{poster};
    CRecordingCtrl ctrl{player};
    ComPtr<CFakeSource> source = MakeComObject<CFakeSource>();
    CKMFilePtr entry = MakeVideoEntry(source);

    Rig()
    {
        source->script.grab = GraphScript::Hang;  // the attach's still picture never comes
        player.Attach(&ctrl, &ctrl, entry.get());
        poster.Drain();
    }
    CFakeGraph* Graph() { return source->lastPlayback.Get(); }
    int64_t LastSeek()
    {
        std::lock_guard<std::mutex> lk(Graph()->mutex);
        return Graph()->seeks.empty() ? -1 : Graph()->seeks.back();
    }
    // The graph reaches the end of the source: its event and note, drained.
    void PlayToEnd()
    {
        entry->m_currentPosition = 10 * kSecond;
        Graph()->Notify(EC_COMPLETE, 0, 0);
        poster.Drain();
    }
};

struct TransitionCase {
    const char* name;
    std::function<void(Rig&)> before;
    std::function<HRESULT(Rig&)> action;
    HRESULT result;
    int state;        // play state after the action
    int playing;      // playing flag after the action
    int64_t soughtTo; // the graph's last seek (-1: no graph)
};

const TransitionCase kCases[] = {
    {"PlayWhileConverting", [](Rig& r) { r.player.SetConverting(true); },
     [](Rig& r) { return r.player.Play(); }, 1, 0, 0, -1},
    {"SeekWhileConverting", [](Rig& r) { r.player.SetConverting(true); },
     [](Rig& r) { return r.player.Seek(3 * kSecond); }, 1, 0, 0, -1},
    {"PlayFromTheEntrysPosition", [](Rig& r) { r.entry->m_currentPosition = 2 * kSecond; },
     [](Rig& r) { return r.player.Play(); }, 0, 2, 1, 2 * kSecond},
    {"PlayAfterTheEndStartsFromZero",
     [](Rig& r) {
         r.player.Play();
         r.PlayToEnd();
     },
     [](Rig& r) { return r.player.Play(); }, 0, 2, 1, 0},
    {"PlayWhilePausedGoesOnFromThePausedPosition",
     [](Rig& r) {
         r.player.Play();
         r.entry->m_currentPosition = 4 * kSecond;
         r.player.Pause();
     },
     [](Rig& r) { return r.player.Play(); }, 0, 2, 1, 4 * kSecond},
    {"PlayAfterEndThenSeekGoesOnFromTheSeek",
     [](Rig& r) {
         r.player.Play();
         r.PlayToEnd();
         r.player.Seek(5 * kSecond);
     },
     [](Rig& r) { return r.player.Play(); }, 0, 2, 1, 5 * kSecond},
    {"SeekWhilePlayingKeepsPlaying", [](Rig& r) { r.player.Play(); },
     [](Rig& r) { return r.player.Seek(6 * kSecond); }, 0, 2, 1, 6 * kSecond},
    {"SeekOnANewGraphLeavesItPaused", nullptr,
     [](Rig& r) { return r.player.Seek(7 * kSecond); }, 0, 1, 0, 7 * kSecond},
    {"SeekWhileStoppedLeavesItPaused",
     [](Rig& r) {
         r.player.Play();
         r.player.Stop();
     },
     [](Rig& r) { return r.player.Seek(8 * kSecond); }, 0, 1, 0, 8 * kSecond},
    {"StopWhilePlaying", [](Rig& r) { r.player.Play(); },
     [](Rig& r) { return r.player.Stop(); }, 0, 0, 0, 0},
};

void PrintTo(const TransitionCase& c, std::ostream* os) { *os << c.name; }

class PlayerTransitions : public ::testing::TestWithParam<TransitionCase> {};

}  // namespace

TEST_P(PlayerTransitions, LeaveTheExpectedState)
{
    const TransitionCase& c = GetParam();
    Rig r;
    if (c.before) c.before(r);
    EXPECT_EQ(c.action(r), c.result);
    r.poster.Drain();
    EXPECT_EQ(r.player.PlayState(), c.state);
    EXPECT_EQ(r.player.IsPlaying(), c.playing != 0);
    if (c.soughtTo < 0) {
        EXPECT_EQ(r.source->playbackBuilds.load(), 0) << "a refused call built no graph";
    } else {
        ASSERT_NE(r.Graph(), nullptr);
        EXPECT_EQ(r.LastSeek(), c.soughtTo);
        EXPECT_EQ(r.Graph()->state.load(), c.state) << "the graph is in the player's state";
        EXPECT_EQ(r.Graph()->lastStop, 10 * kSecond) << "seeking ends at the duration";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, PlayerTransitions, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlayerCore, SeekSetsBothPositionsOfTheEntryAndTellsThePause)
{
    Rig r;
    EXPECT_EQ(r.player.Seek(3 * kSecond), 0);
    EXPECT_EQ(r.entry->m_currentPosition, 3 * kSecond);
    EXPECT_EQ(r.entry->m_resumePosition, 3 * kSecond);
    EXPECT_EQ(r.ctrl.paused, 1);
    EXPECT_EQ(r.Graph()->filterMode, 2);
}

namespace {
struct CountingHandler : IMsgHandler {
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        texts.push_back(text);
        lastFlags = flags;
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
    std::vector<std::wstring> texts;
    DWORD lastFlags = 0;
};
}  // namespace

TEST(PlayerCore, AFailedPlayReportsTheCodeAndDoesNotShowPlaying)
{
    auto library = CResourceLibrary::Load(KM_RES_DIR);
    ASSERT_NE(library, nullptr);
    CResourceLibrary* previous = GetCurrentResourceLibrary();
    SetCurrentResourceLibrary(library.get());
    Rig r;
    r.source->buildResult = E_ACCESSDENIED;
    CountingHandler handler;
    IMsgHandler* old = __SetMessageHandler(&handler);
    HRESULT hr = r.player.Play();
    __SetMessageHandler(old);
    SetCurrentResourceLibrary(previous);
    EXPECT_EQ(hr, E_ACCESSDENIED);
    EXPECT_FALSE(r.player.IsPlaying());
    EXPECT_EQ(r.player.PlayState(), 0);
    EXPECT_EQ(r.player.m_bGraphReady, 0);
    ASSERT_EQ(handler.texts.size(), 1u);
    EXPECT_NE(handler.texts[0].find(L"80070005"), std::wstring::npos) << "the code is the message's argument";
    EXPECT_TRUE(handler.lastFlags & MSGF_ERROR);
}

TEST(PlayerCore, TheEndOfPlayTellsTheControlOnceAndKeepsTheResumePosition)
{
    Rig r;
    r.player.Play();
    r.PlayToEnd();
    EXPECT_EQ(r.ctrl.playEnds, 1);
    EXPECT_EQ(r.ctrl.states.back(), 1);
    EXPECT_EQ(r.player.PlayState(), 0);
    EXPECT_EQ(r.entry->m_resumePosition, 10 * kSecond);
}

TEST(PlayerCore, AttachingAnotherEntryAbortsAndClearsTheRewindFlagButTheSameEntryDoesNot)
{
    Rig r;
    r.player.MarkPlayEnded();
    r.player.Attach(&r.ctrl, &r.ctrl, r.entry.get());
    EXPECT_TRUE(r.player.IsRewinding());
    CKMFilePtr other = MakeVideoEntry(r.source, L"other.mp4");
    r.player.Attach(&r.ctrl, &r.ctrl, other.get());
    EXPECT_FALSE(r.player.IsRewinding());
    EXPECT_EQ(r.player.GetItem(), other.get());
    EXPECT_EQ(r.ctrl.states.front(), 0);
}

TEST(PlayerCore, OneProcessWidePlayerIsReachedThroughItsAccessor)
{
    CQueuePoster poster;
    {
        CPlayer player(poster);
        CPlayer::SetInstance(&player);
        EXPECT_EQ(CPlayer::Instance(), &player);
    }
    EXPECT_EQ(CPlayer::Instance(), nullptr) << "a destroyed player is no longer handed out";
}
