#pragma once
// What the edit step needs to know of and do with a decoder's picture: which
// pictures it may edit as they are, their planes as the frame operations see
// them, and the crop as a cut of the picture instead of a copy.
#include "engine/PlanarView.h"
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/frame/BandedScaler.h"
#include "mediaeng/frame/Margins.h"

namespace mediaeng::job {

// The decoders' usual pictures (8-bit planar YUV 4:2:0, 4:2:2, 4:4:4), which
// the edits may work on directly and which edited pictures leave in, so the
// encoder takes them without a copy.
bool IsPlanarYuv(AVPixelFormat f);
// The planes of such a picture, in its range.
PlanarView PlanarOf(const AVFrame& f);
// Any picture's planes for a banded conversion.
frame::PlaneSet PlanesOf(const AVFrame& f);
// Whether a cut at (left, top) keeps every chroma sample whole.
bool ChromaAligned(const AVFrame& f, LONG left, LONG top);
// The margins the crop takes from a picture of this size, clamped as the
// crop operation clamps them.
frame::Margins CropMargins(const RECT& crop, int width, int height);
// A reference to the picture with the margins cut off: no pixel is copied.
av::FramePtr CroppedView(const AVFrame& src, const frame::Margins& m);

}  // namespace mediaeng::job
