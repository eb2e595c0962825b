#pragma once
// A same-size pixel format conversion (decoder YUV to 24-bit RGB and back)
// split into horizontal bands that the row workers convert side by side:
// libswscale converts on one thread, and on 1080p that alone sets the pace
// of a conversion with edits. Bands start on even rows, so subsampled chroma
// rows are never shared and the result is that of one whole conversion.
extern "C" {
#include <libavutil/pixfmt.h>
}
#include <cstdint>

namespace mediaeng::frame {

struct PlaneSet {
    uint8_t* data[4] = {};
    int stride[4] = {};  // negative for pictures stored bottom-up
};

// Converts width x height from src (srcFormat) into dst (dstFormat) with the
// given SWS_* flags; false when libswscale refuses the pair.
bool ConvertInBands(const PlaneSet& src, AVPixelFormat srcFormat, const PlaneSet& dst, AVPixelFormat dstFormat,
                    int width, int height, int swsFlags);

}  // namespace mediaeng::frame
