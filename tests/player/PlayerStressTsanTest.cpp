// Frames at 1 kHz from a streaming thread and graph notes from an engine
// thread while the user-interface thread attaches, detaches, plays, stops and
// closes in a loop. Runs in the ThreadSanitizer build (label "tsan") and under
// the address sanitizer: every byte of every frame the control gets is read.
#include "PlayerTestSupport.h"
#include <gtest/gtest.h>
#include <thread>

using namespace ptest;

TEST(PlayerStress, FramesAndNotesWhileTheControlComesAndGoes)
{
    WithWatchdog(120s, [] {
        CQueuePoster poster;
        auto source = MakeComObject<CFakeSource>();
        CKMFilePtr a = MakeVideoEntry(source, L"a.mp4");
        CKMFilePtr b = MakeVideoEntry(source, L"b.mp4");
        CPlayer player(poster);
        CRecordingCtrl ctrl(player);
        std::atomic<bool> done{false};

        std::thread streaming([&] {
            const std::vector<BYTE> small = MakeFormat(4, 2), large = MakeFormat(8, 4);
            std::vector<BYTE> data(96);
            for (int i = 0; !done; ++i) {
                const bool big = (i / 7) % 2 == 1;  // the size changes now and then
                REFERENCE_TIME t = i * 10000;
                std::fill(data.begin(), data.end(), static_cast<BYTE>(i));
                player.AsFrameDraw()->DrawFrame(static_cast<DWORD>((big ? large : small).size()),
                                                const_cast<BYTE*>((big ? large : small).data()),
                                                big ? 96 : 24, data.data(), &t, 0);
                if (i % 5 == 0) player.AsFrameDraw()->UpdatePosition(&t, 0);
                std::this_thread::sleep_for(1ms);
            }
        });
        std::thread engine([&] {
            while (!done) {
                ComPtr<CFakeGraph> graph;
                {
                    std::lock_guard<std::mutex> lk(source->mutex);
                    graph = source->lastPlayback;
                }
                if (graph) graph->Notify(EC_COMPLETE, 0, 0);  // also after the graph was closed
                std::this_thread::sleep_for(3ms);
            }
        });

        for (int round = 0; round < 150; ++round) {
            player.Attach(&ctrl, &ctrl, a.get());
            player.Seek(kSecond);
            poster.Drain();
            player.Play();
            std::this_thread::sleep_for(2ms);
            poster.Drain();
            player.Attach(&ctrl, &ctrl, b.get());
            player.Play();
            std::this_thread::sleep_for(2ms);
            poster.Drain();
            player.Stop();
            if (round % 3 == 0) player.CloseItem();
            player.Attach(nullptr, nullptr, nullptr);
            poster.Drain();
        }
        done = true;
        streaming.join();
        engine.join();
        poster.Drain();
        EXPECT_GT(ctrl.frames, 0);
        EXPECT_GT(ctrl.checksum, 0u);
    });
}
