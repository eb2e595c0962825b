// The scaler's threaded run gives the bytes of its one-thread run, for a
// picture handed whole or in slices from different buffers, in either row
// order, shrunk or enlarged.
#include "mediaeng/frame/SwsScaler.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>
extern "C" {
#include <libswscale/swscale.h>
}

namespace {

using mediaeng::frame::CSwsScaler;
using mediaeng::frame::PixelView;
using mediaeng::frame::RgbSlice;

std::vector<BYTE> Scaled(CSwsScaler& scaler, const std::vector<RgbSlice>& slices, int sw, int dw, int dh)
{
    std::vector<BYTE> out(size_t(dw) * dh * 3);
    const PixelView dst{out.data(), std::ptrdiff_t(dw) * 3, dw, dh, 3};
    EXPECT_EQ(S_OK, scaler.ScaleSlices(slices.data(), int(slices.size()), sw, dst, SWS_BILINEAR));
    return out;
}

}  // namespace

TEST(SwsScaler, ThreadsGiveTheBytesOfOneThread)
{
    struct Case {
        const char* what;
        int sw, sh, dw, dh;
        bool bottomUp, split;
    };
    const Case cases[] = {
        {"shrunk, whole", 1280, 720, 633, 357, false, false},
        {"shrunk, bottom-up in three slices", 1283, 717, 990, 581, true, true},
        {"enlarged, in three slices", 301, 173, 777, 459, false, true},
        {"tall, thin result", 540, 920, 37, 601, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::ptrdiff_t stride = std::ptrdiff_t(c.sw) * 3 + 5;
        std::vector<BYTE> picture(size_t(stride) * c.sh);
        for (size_t i = 0; i < picture.size(); ++i) picture[i] = BYTE((i * 2654435761u) >> 13);
        const BYTE* top = c.bottomUp ? picture.data() + (c.sh - 1) * stride : picture.data();
        const std::ptrdiff_t rowStep = c.bottomUp ? -stride : stride;
        std::vector<RgbSlice> slices{{top, rowStep, c.sh}};
        std::vector<BYTE> middle;  // the middle rows from a buffer of their own, as the eraser hands them
        if (c.split) {
            const int from = c.sh / 3, rows = c.sh / 4;
            middle.resize(size_t(c.sw) * 3 * rows);
            for (int y = 0; y < rows; ++y)
                std::copy_n(top + (from + y) * rowStep, c.sw * 3, middle.data() + size_t(y) * c.sw * 3);
            slices = {{top, rowStep, from},
                      {middle.data(), std::ptrdiff_t(c.sw) * 3, rows},
                      {top + (from + rows) * rowStep, rowStep, c.sh - from - rows}};
        }
        CSwsScaler single, threaded;
        threaded.UseThreads(6);
        const std::vector<BYTE> expected = Scaled(single, slices, c.sw, c.dw, c.dh);
        EXPECT_EQ(Scaled(threaded, slices, c.sw, c.dw, c.dh), expected);
        EXPECT_EQ(Scaled(threaded, slices, c.sw, c.dw, c.dh), expected) << "the second run, on the kept context";
    }
}
