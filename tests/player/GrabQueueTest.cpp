// The frame grabber's queue as the player drives it: one request per entry,
// none while converting, a failing entry skipped for the next, removed
// entries dropped, each picture cached on its own entry.
#include "PlayerTestSupport.h"
#include "platform/Sync.h"
#include <gtest/gtest.h>

using namespace ptest;

namespace {

ComPtr<CFakeGraph> LastGrab(CFakeSource& source)
{
    std::lock_guard<std::mutex> lk(source.mutex);
    return source.lastGrab;
}

struct GrabRig {
    // The first grab waits at this gate, so later requests stay queued.
    CEvent gate;
    std::atomic<bool> blocked{false};
    CQueuePoster poster;
    CPlayer player{poster};
    CRecordingCtrl ctrl{player};
    ComPtr<CFakeSource> blockerSource = MakeComObject<CFakeSource>();
    CKMFilePtr blocker = MakeVideoEntry(blockerSource, L"blocker.mp4");

    GrabRig()
    {
        blockerSource->script.sample = std::vector<BYTE>(24, 0xB0);
        blockerSource->beforeGrabBuild = [this] {
            blocked = true;
            gate.Wait();
        };
        player.Attach(&ctrl, &ctrl, blocker.get());
        poster.DrainUntil([this] { return blocked.load(); });
    }
    ~GrabRig() { gate.Set(); }
    ComPtr<CFakeSource> Source(BYTE value)
    {
        ComPtr<CFakeSource> s = MakeComObject<CFakeSource>();
        s->script.sample = std::vector<BYTE>(24, value);
        return s;
    }
    bool Idle() { return player.PendingRequests() == 0 && !player.HasRequestFor(blocker.get()); }
};

}  // namespace

TEST(GrabQueue, TheSameEntryTwiceMakesOneRequestAndOneGrab)
{
    GrabRig r;
    auto source = r.Source(0x11);
    CKMFilePtr a = MakeVideoEntry(source, L"a.mp4");
    EXPECT_EQ(r.player.GetFrame(a.get(), nullptr), 0);
    EXPECT_EQ(r.player.GetFrame(a.get(), nullptr), 0);
    EXPECT_EQ(r.player.PendingRequests(), 1u);
    r.gate.Set();
    ASSERT_TRUE(r.poster.DrainUntil([&] { return r.player.FindResult(a.get()) != nullptr; }));
    EXPECT_EQ(source->grabBuilds.load(), 1);
    FRAME_RECORD* rec = nullptr;
    EXPECT_EQ(r.player.GetFrame(a.get(), &rec), 0) << "a result is served again without a grab";
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(std::vector<BYTE>(rec->pbData, rec->pbData + rec->cbData), std::vector<BYTE>(24, 0x11));
    EXPECT_EQ(source->grabBuilds.load(), 1);
}

TEST(GrabQueue, NoRequestWhileConverting)
{
    CQueuePoster poster;
    CPlayer player(poster);
    auto source = MakeComObject<CFakeSource>();
    CKMFilePtr a = MakeVideoEntry(source);
    player.SetConverting(true);
    FRAME_RECORD untouched;
    FRAME_RECORD* rec = &untouched;
    EXPECT_EQ(player.GetFrame(a.get(), &rec), 0);
    EXPECT_EQ(rec, &untouched);
    EXPECT_EQ(player.PendingRequests(), 0u);
    EXPECT_FALSE(player.WorkerStarted());
}

TEST(GrabQueue, AFailingEntryIsSkippedAndTheNextOneServedOnItsOwnEntry)
{
    GrabRig r;
    auto bad = r.Source(0x22);
    bad->buildResult = E_FAIL;
    bad->buildError = L"the file is damaged";
    auto good = r.Source(0x33);
    CKMFilePtr a = MakeVideoEntry(bad, L"bad.mp4");
    CKMFilePtr b = MakeVideoEntry(good, L"good.mp4");
    r.player.GetFrame(a.get(), nullptr);
    r.player.GetFrame(b.get(), nullptr);
    r.ctrl.messages.clear();
    r.gate.Set();
    ASSERT_TRUE(r.poster.DrainUntil([&] { return r.player.FindResult(b.get()) && !a->m_lastError.empty(); }));
    EXPECT_EQ(a->m_lastError, L"the file is damaged") << "the worker's error text reaches the entry";
    EXPECT_TRUE(r.player.IsErrorHappened());
    EXPECT_EQ(r.player.FindResult(a.get()), nullptr);
    EXPECT_EQ(r.player.GetFrame(a.get(), nullptr), 1) << "an entry with an error text gets no request";
    EXPECT_EQ(bad->grabBuilds.load(), 1);

    CGrabResult* result = r.player.FindResult(b.get());
    EXPECT_EQ(result->frame.data, std::vector<BYTE>(24, 0x33));
    EXPECT_EQ(result->frame.format, MakeFormat(4, 2));
    ASSERT_NE(b->GetStreamInfo(), nullptr) << "the picture at 0 is the entry's first frame";
    EXPECT_EQ(b->GetStreamInfo()->data, std::vector<BYTE>(24, 0x33));
    EXPECT_EQ(a->GetStreamInfo(), nullptr);
    EXPECT_FALSE(r.ctrl.messages.empty());
    EXPECT_EQ(r.ctrl.messages.back(), kMsgGrabReady);
}

TEST(GrabQueue, ARemovedEntryAtTheHeadIsDroppedAndTheNextServed)
{
    GrabRig r;
    auto sa = r.Source(0x44);
    auto sb = r.Source(0x55);
    CKMFilePtr a = MakeVideoEntry(sa, L"a.mp4");
    CKMFilePtr b = MakeVideoEntry(sb, L"b.mp4");
    r.player.GetFrame(a.get(), nullptr);
    r.player.GetFrame(b.get(), nullptr);
    a->MarkRemoved();
    CKMFile* removed = a.get();
    a.reset();  // the project lets go; the request still holds it
    r.gate.Set();
    ASSERT_TRUE(r.poster.DrainUntil([&] { return r.player.FindResult(b.get()) != nullptr; }));
    EXPECT_EQ(sa->grabBuilds.load(), 0);
    EXPECT_EQ(r.player.FindResult(removed), nullptr);
}

TEST(GrabQueue, AnAbortedGrabEndsWithoutAResultAndIsAskedForAgainWhenShownAgain)
{
    GrabRig r;
    auto hanging = r.Source(0x66);
    hanging->script.grab = GraphScript::Hang;
    CKMFilePtr a = MakeVideoEntry(hanging, L"a.mp4");
    r.player.GetFrame(a.get(), nullptr);
    r.gate.Set();
    ASSERT_TRUE(r.poster.DrainUntil([&] { return LastGrab(*hanging) && LastGrab(*hanging)->runs.load() == 1; }));
    ComPtr<CFakeGraph> grab = LastGrab(*hanging);
    r.player.AbortGrab();
    ASSERT_TRUE(r.poster.DrainUntil([&] { return grab->stops.load() >= 1 && !r.player.HasRequestFor(a.get()); }));
    r.poster.Drain();
    EXPECT_EQ(r.player.PendingRequests(), 0u) << "an aborted grab does not go back into the queue";
    EXPECT_EQ(r.player.FindResult(a.get()), nullptr) << "nothing is cached for it";
    EXPECT_EQ(r.player.GetFrame(a.get(), nullptr), 0);
    EXPECT_TRUE(r.player.HasRequestFor(a.get())) << "shown again, the entry asks again";
    r.player.StopAndHold();
}

TEST(GrabQueue, ClickingThroughEntriesGrabsOnlyTheOneShownLast)
{
    GrabRig r;
    std::vector<ComPtr<CFakeSource>> sources;
    std::vector<CKMFilePtr> entries;
    for (BYTE i = 0; i < 5; ++i) {
        sources.push_back(r.Source(BYTE(0x80 + i)));
        entries.push_back(MakeVideoEntry(sources.back(), L"clip" + std::to_wstring(i) + L".mp4"));
        r.player.Attach(&r.ctrl, &r.ctrl, entries.back().get());
    }
    r.gate.Set();  // the grab of the first entry shown goes on and ends aborted
    CKMFile* last = entries.back().get();
    ASSERT_TRUE(r.poster.DrainUntil([&] { return r.player.FindResult(last) != nullptr; }));
    EXPECT_EQ(r.player.FindResult(last)->frame.data, std::vector<BYTE>(24, 0x84));
    for (size_t i = 0; i + 1 < sources.size(); ++i)
        EXPECT_EQ(sources[i]->grabBuilds.load(), 0) << "entry " << i << " was clicked past";
    ASSERT_TRUE(r.poster.DrainUntil([&] { return r.Idle(); }));
    EXPECT_EQ(r.player.FindResult(r.blocker.get()), nullptr);
    EXPECT_EQ(r.player.ResultCount(), 1u);
}

TEST(GrabQueue, AGrabThatEndsWithoutAFrameLeavesAnEmptyResultAndTellsTheControl)
{
    GrabRig r;
    auto empty = r.Source(0);
    empty->script.grab = GraphScript::EndWithoutSample;
    CKMFilePtr a = MakeVideoEntry(empty, L"a.mp4");
    r.player.Attach(&r.ctrl, &r.ctrl, a.get());  // the blocker's grab ends unserved
    r.gate.Set();
    r.ctrl.messages.clear();
    const int endsBefore = r.ctrl.playEnds;
    ASSERT_TRUE(r.poster.DrainUntil([&] { return r.player.FindResult(a.get()) != nullptr; }));
    EXPECT_EQ(r.player.FindResult(a.get())->frame.record.cbData, 0u);
    EXPECT_TRUE(r.player.IsErrorHappened());
    ASSERT_FALSE(r.ctrl.messages.empty());
    EXPECT_EQ(r.ctrl.messages.back(), kMsgGrabReady);
    EXPECT_EQ(r.ctrl.playEnds, endsBefore + 1) << "a finished grab ends like a play";
}

TEST(GrabQueue, AttachingANullEntryFreesTheCacheAndThePendingRequests)
{
    GrabRig r;
    auto source = r.Source(0x77);
    CKMFilePtr a = MakeVideoEntry(source, L"a.mp4");
    r.player.GetFrame(a.get(), nullptr);
    r.player.Attach(&r.ctrl, &r.ctrl, nullptr);
    EXPECT_EQ(r.player.PendingRequests(), 0u);
    r.gate.Set();
    r.poster.DrainUntil([&] { return !r.player.HasRequestFor(r.blocker.get()); });
    r.poster.Drain();
    EXPECT_EQ(r.player.ResultCount(), 0u) << "a grab of a freed cache is not stored";
    EXPECT_EQ(source->grabBuilds.load(), 0);
}

TEST(GrabQueue, ShutDownEndsAHangingGrab)
{
    WithWatchdog(30s, [] {
        CQueuePoster poster;
        auto source = MakeComObject<CFakeSource>();
        source->script.grab = GraphScript::Hang;
        CKMFilePtr a = MakeVideoEntry(source);
        {
            CPlayer player(poster);
            player.GetFrame(a.get(), nullptr);
            poster.DrainUntil([&] { return LastGrab(*source) && LastGrab(*source)->runs.load() == 1; });
            player.StopAndHold();
        }  // joins the worker
        EXPECT_GE(LastGrab(*source)->stops.load(), 1);
    });
}
