#pragma once
// The turn a video stream asks players to give its pictures (phones store
// portrait video lying down, with a display rotation), and the picture turned
// upright, so the probe, the preview and the conversion all see what players
// show.
extern "C" {
#include <libavformat/avformat.h>
}

namespace mediaeng {

// Clockwise degrees (0, 90, 180 or 270) that show the stream's pictures
// upright; 0 without a display rotation or with one that is no quarter turn.
int UprightTurn(const AVStream* stream);

// The picture turned clockwise by degrees (a quarter-turn multiple) into a new
// frame with its timing; null when it cannot be done (no memory). 0 gives a
// reference to the same picture.
AVFrame* TurnFrame(const AVFrame* frame, int degrees);

}  // namespace mediaeng
