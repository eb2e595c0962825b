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
#include <functional>
#include <vector>

namespace mediaeng::frame {

struct PlaneSet {
    uint8_t* data[4] = {};
    int stride[4] = {};  // negative for pictures stored bottom-up
};

// Converts width x height from src (srcFormat) into dst (dstFormat) with the
// given SWS_* flags; false when libswscale refuses the pair.
bool ConvertInBands(const PlaneSet& src, AVPixelFormat srcFormat, const PlaneSet& dst, AVPixelFormat dstFormat,
                    int width, int height, int swsFlags);

// The luma each luma value of a grey pixel (no chroma) of a planar YUV
// format comes back with from the trip through 24-bit RGB that the two
// functions here make (SWS_POINT into RGB, SWS_BILINEAR back): not always
// itself, libswscale's fast paths round on the way. Empty when libswscale
// refuses the format.
std::vector<uint8_t> GreyRoundTrip(AVPixelFormat format);

// Edits a planar YUV picture through 24-bit RGB a strip of a few rows at a
// time: each row worker converts its strip into a small buffer of its own
// (SWS_POINT, as ConvertInBands does), lets edit change it where it is, and
// converts it back into dst (SWS_BILINEAR), so the whole picture never
// exists in RGB and each strip stays in the worker's cache. edit is called on
// the workers, at once, each time with a strip whose first row is even.
using RgbStripEdit = std::function<void(uint8_t* bgr, int stride, int width, int rows)>;
bool EditAsRgbStrips(const PlaneSet& src, const PlaneSet& dst, AVPixelFormat format, int width, int height,
                     const RgbStripEdit& edit);

}  // namespace mediaeng::frame
