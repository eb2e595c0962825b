#pragma once
// The preview control's strip arithmetic, without a window: the seek track,
// the thumb, a point's position on the track, and the buttons' faces.
#include <cstdint>

struct SeekTrack {
    int x0 = 0;   // left end
    int x1 = 0;   // right end (before the time text)
    int length = 0;  // usable length, at least 1
};

inline constexpr int kStripHeight = 26;

// The track of a control whose client area spans [left, right).
SeekTrack MakeSeekTrack(int left, int right, int timeWidth);
// The position of x on the track, clamped to [0, duration].
int64_t PositionFromX(const SeekTrack& track, int x, int64_t duration);
// The thumb's left x for a position (x0 + 1 for an empty duration).
int ThumbX(const SeekTrack& track, int64_t position, int64_t duration);

struct PreviewButtonFaces {
    bool playVisible = true, playEnabled = false;
    bool stopVisible = true, stopEnabled = false;
    bool pauseVisible = false;
    bool operator==(const PreviewButtonFaces&) const = default;
};

// n: 1 after the end of play or of a grab, else 0; state: the player's (0
// stopped, 1 paused, 2 running).
PreviewButtonFaces ButtonFaces(int n, bool hasItem, bool converting, int state, bool playing, bool rewind);

// The display aspect of a picture after a turn and a crop: the source's pixel
// shape (its display aspect over its stored aspect) turns with the picture
// and applies to the size that is left. 0 (the picture's own shape) when the
// source gives no aspect or its pixels are square.
double TransformedAspect(double displayAspect, int sourceW, int sourceH, int quarterTurns, int outW, int outH);
