// How frames and graph events travel from the engine's threads to the
// attached control: always on the user-interface thread, into a record the
// control may keep, and never from an earlier graph, entry or seek.
#include "PlayerTestSupport.h"
#include <gtest/gtest.h>
#include <thread>

using namespace ptest;

namespace {

struct FrameRig {
    CQueuePoster poster;
    CPlayer player{poster};
    CRecordingCtrl ctrl{player};
    ComPtr<CFakeSource> source = MakeComObject<CFakeSource>();
    CKMFilePtr entry = MakeVideoEntry(source);

    FrameRig()
    {
        source->script.grab = GraphScript::Hang;
        player.Attach(&ctrl, &ctrl, entry.get());
        EXPECT_EQ(player.Seek(2 * kSecond), 0);  // opens the playback graph, paused
        poster.Drain();
    }
    CFakeGraph* Graph() { return source->lastPlayback.Get(); }
    // One frame from the engine's streaming thread.
    void Deliver(const std::vector<BYTE>& format, std::vector<BYTE> data, REFERENCE_TIME* time = nullptr)
    {
        IFrameDraw* draw = Graph()->Draw();
        ASSERT_NE(draw, nullptr);
        std::thread streaming([&] {
            draw->DrawFrame(static_cast<DWORD>(format.size()), const_cast<BYTE*>(format.data()),
                            static_cast<DWORD>(data.size()), data.data(), time, 0);
        });
        streaming.join();
    }
};

std::vector<BYTE> Bytes(size_t n, BYTE value) { return std::vector<BYTE>(n, value); }

}  // namespace

TEST(FrameDelivery, FramesReachTheControlOnlyWhenTheUserInterfaceThreadRuns)
{
    FrameRig r;
    r.Deliver(MakeFormat(4, 2), Bytes(24, 7));
    EXPECT_EQ(r.ctrl.frames, 0) << "nothing is called on the streaming thread";
    r.poster.Drain();
    ASSERT_EQ(r.ctrl.frames, 1);
    EXPECT_EQ(r.ctrl.lastData, Bytes(24, 7));
    EXPECT_EQ(r.ctrl.lastFormat, MakeFormat(4, 2));
}

TEST(FrameDelivery, DataIsCopiedEveryTimeAndAFormatThatChangesAtTheSameSizeToo)
{
    FrameRig r;
    r.Deliver(MakeFormat(4, 2), Bytes(24, 1));
    r.poster.Drain();
    r.Deliver(MakeFormat(4, 2), Bytes(24, 2));
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.frames, 2);
    EXPECT_EQ(r.ctrl.lastData, Bytes(24, 2));
    // Same size, other picture: top-down rows of another width.
    std::vector<BYTE> other = MakeFormat(2, -4);
    ASSERT_EQ(other.size(), MakeFormat(4, 2).size());
    r.Deliver(other, Bytes(24, 3));
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.lastFormat, other);
    // A larger picture gets larger blocks.
    r.Deliver(MakeFormat(8, 4), Bytes(96, 4));
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.lastData, Bytes(96, 4));
    EXPECT_EQ(r.ctrl.lastFormat, MakeFormat(8, 4));
}

TEST(FrameDelivery, FramesThatPileUpShowOnlyTheNewest)
{
    FrameRig r;
    for (BYTE v = 1; v <= 5; ++v) r.Deliver(MakeFormat(4, 2), Bytes(24, v));
    EXPECT_EQ(r.poster.Queued(), 1u) << "one delivery waits at a time";
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.frames, 1);
    EXPECT_EQ(r.ctrl.lastData, Bytes(24, 5));
}

TEST(FrameDelivery, WhilePlayingAFrameMovesTheEntryUnlessTheThumbIsDragged)
{
    FrameRig r;
    ASSERT_EQ(r.player.Play(), 0);
    REFERENCE_TIME t = kSecond / 2;
    r.Deliver(MakeFormat(4, 2), Bytes(24, 1), &t);
    r.poster.Drain();
    EXPECT_EQ(r.entry->m_currentPosition, 2 * kSecond + kSecond / 2) << "origin of the seek plus sample time";
    r.player.BeginSeekDrag();
    t = kSecond;
    r.Deliver(MakeFormat(4, 2), Bytes(24, 2), &t);
    r.poster.Drain();
    EXPECT_EQ(r.entry->m_currentPosition, 2 * kSecond + kSecond / 2);
    EXPECT_EQ(r.ctrl.frames, 2) << "the frame itself is still shown";
}

TEST(FrameDelivery, FramesStagedBeforeASeekOrAnotherEntryAreDropped)
{
    FrameRig r;
    r.Deliver(MakeFormat(4, 2), Bytes(24, 1));
    r.player.Seek(3 * kSecond);
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.frames, 0);

    r.Deliver(MakeFormat(4, 2), Bytes(24, 2));
    CKMFilePtr other = MakeVideoEntry(r.source, L"other.mp4");
    r.player.Attach(&r.ctrl, &r.ctrl, other.get());
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.frames, 0);
}

TEST(FrameDelivery, ALateNoteOfAClosedGraphDoesNotEndTheNewOne)
{
    FrameRig r;
    ComPtr<CFakeGraph> old(r.Graph());
    auto [notify, oldInstance] = old->NoteTarget();
    ASSERT_NE(notify, nullptr);
    r.player.CloseItem();
    r.poster.Drain();
    const int endsBefore = r.ctrl.playEnds;
    ASSERT_EQ(r.player.Seek(kSecond), 0);  // a new graph
    ComPtr<CFakeGraph> current(r.Graph());
    ASSERT_NE(current.Get(), old.Get());
    current->QueueEvent(EC_COMPLETE);
    notify->OnGraphNotify(0x478, oldInstance);  // the engine's copy of the old registration
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.playEnds, endsBefore);
    auto [sameNotify, instance] = current->NoteTarget();
    sameNotify->OnGraphNotify(0x478, instance);
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.playEnds, endsBefore + 1);
}

TEST(FrameDelivery, AFailingGraphEndsPlayLikeTheEndOfTheSource)
{
    FrameRig r;
    ASSERT_EQ(r.player.Play(), 0);
    r.Graph()->Notify(EC_ENGINE_FAILED, 0, 0);
    r.poster.Drain();
    EXPECT_EQ(r.ctrl.playEnds, 1);
    EXPECT_EQ(r.player.PlayState(), 0);
}

TEST(FrameDelivery, TheFrameDrawAnswersOnlyItsOwnInterface)
{
    FrameRig r;
    IFrameDraw* draw = r.player.AsFrameDraw();
    void* out = nullptr;
    EXPECT_EQ(draw->QueryInterface(IID_IFrameDraw, &out), S_OK);
    EXPECT_EQ(out, draw);
    EXPECT_EQ(draw->QueryInterface(IID_IUnknown, &out), E_NOINTERFACE);
    EXPECT_EQ(draw->SetFrameDraw(nullptr), E_NOTIMPL);
}
