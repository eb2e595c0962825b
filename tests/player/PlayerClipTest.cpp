// The player over the real engine and a generated clip whose frames carry
// their number: a paused seek shows the frame at that time, and playing
// through ends once.
#include "PlayerTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "fixtures/TestEnvironment.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace ptest;
namespace fs = std::filesystem;

namespace {

fs::path TestDir()
{
    fs::path p = kmtest::TestDir() / "player";
    fs::create_directories(p);
    return p;
}

// Counter of a 24-bit bottom-up frame; -1 when unreadable.
int CounterOf(const std::vector<BYTE>& format, const std::vector<BYTE>& data)
{
    if (format.size() < sizeof(BITMAPINFOHEADER)) return -1;
    BITMAPINFOHEADER h;
    std::memcpy(&h, format.data(), sizeof(h));
    const int w = h.biWidth, rows = std::abs(h.biHeight), stride = (w * 3 + 3) & ~3;
    if (h.biBitCount != 24 || data.size() < static_cast<size_t>(stride) * rows) return -1;
    std::vector<uint8_t> topDown(static_cast<size_t>(stride) * rows);
    for (int y = 0; y < rows; ++y)
        std::memcpy(&topDown[static_cast<size_t>(y) * stride],
                    &data[static_cast<size_t>(h.biHeight > 0 ? rows - 1 - y : y) * stride], stride);
    return fixtures::ReadCounterRgb24(topDown.data(), stride, w, rows);
}

class CCountingCtrl : public CRecordingCtrl {
public:
    using CRecordingCtrl::CRecordingCtrl;
    void OnFrame(FRAME_RECORD* frame) override
    {
        CRecordingCtrl::OnFrame(frame);
        counters.push_back(CounterOf(lastFormat, lastData));
    }
    std::vector<int> counters;
};

struct ClipRig {
    CQueuePoster poster;
    CPlayer player{poster};
    CCountingCtrl ctrl{player};
    CKMFilePtr entry;

    explicit ClipRig(const char* name)
    {
        fs::path clip = fixtures::WriteClip(TestDir() / name);
        EXPECT_FALSE(clip.empty());
        entry = CKMFile::Create(clip.wstring(), 0);
        EXPECT_EQ(entry->OpenMediaSource(clip.wstring()), S_OK);
        EXPECT_EQ(entry->m_hasVideo, 1);
    }
    ~ClipRig() { player.Attach(nullptr, nullptr, nullptr); }
};

}  // namespace

TEST(PlayerClip, APausedSeekDeliversTheFrameAtThatTime)
{
    ClipRig r("seek.mp4");
    r.player.Attach(&r.ctrl, &r.ctrl, r.entry.get());
    ASSERT_EQ(r.player.Seek(kSecond), 0);
    ASSERT_TRUE(r.poster.DrainUntil([&] { return !r.ctrl.counters.empty(); }));
    EXPECT_EQ(r.ctrl.counters.back(), 25);
    EXPECT_EQ(r.player.PlayState(), 1);
    ASSERT_EQ(r.player.Seek(kSecond / 2), 0);
    ASSERT_TRUE(r.poster.DrainUntil([&] { return r.ctrl.counters.back() != 25; }));
    EXPECT_EQ(r.ctrl.counters.back(), 12) << "no frame of the earlier seek shows after it";
    EXPECT_EQ(r.entry->m_currentPosition, kSecond / 2);
}

TEST(PlayerClip, PlayingThroughEndsOnceWithFramesInOrder)
{
    ClipRig r("through.mp4");
    r.player.Attach(&r.ctrl, &r.ctrl, r.entry.get());
    ASSERT_EQ(r.player.Seek(kSecond + kSecond / 2), 0);
    ASSERT_EQ(r.player.Play(), 0);
    EXPECT_TRUE(r.player.IsPlaying());
    ASSERT_TRUE(r.poster.DrainUntil([&] { return r.ctrl.playEnds >= 1; }, 30s));
    // Anything still on its way arrives now; a second end would too.
    r.poster.DrainUntil([] { return false; }, 300ms);
    EXPECT_EQ(r.ctrl.playEnds, 1);
    EXPECT_EQ(r.player.PlayState(), 0);
    ASSERT_FALSE(r.ctrl.counters.empty());
    EXPECT_TRUE(std::is_sorted(r.ctrl.counters.begin(), r.ctrl.counters.end()));
    EXPECT_GE(r.ctrl.counters.front(), 37);
    EXPECT_GE(r.ctrl.counters.back(), 45);
    EXPECT_GT(r.entry->m_currentPosition, kSecond + kSecond / 2) << "the entry followed the play";
}
