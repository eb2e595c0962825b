#include "controls/preview/PreviewGeometry.h"
#include <algorithm>
#include <cmath>

SeekTrack MakeSeekTrack(int left, int right, int timeWidth)
{
    SeekTrack t;
    t.x0 = left + 50;
    t.x1 = right - 5 - timeWidth;
    // A tiny window leaves no track: keep one pixel so nothing divides by zero.
    t.length = std::max(t.x1 - t.x0 - 13, 1);
    return t;
}

int64_t PositionFromX(const SeekTrack& track, int x, int64_t duration)
{
    if (duration <= 0)
        return 0;
    const int64_t p = static_cast<int64_t>(x - track.x0 - 6) * duration / track.length;
    return std::clamp<int64_t>(p, 0, duration);
}

int ThumbX(const SeekTrack& track, int64_t position, int64_t duration)
{
    if (duration <= 0)
        return track.x0 + 1;
    const int64_t p = std::clamp<int64_t>(position, 0, duration);
    return static_cast<int>(static_cast<int64_t>(track.length) * p / duration) + track.x0 + 1;
}

PreviewButtonFaces ButtonFaces(int n, bool hasItem, bool converting, int state, bool playing, bool rewind)
{
    PreviewButtonFaces f;
    f.playEnabled = hasItem;
    if (converting) {
        f.stopVisible = false;
        f.playEnabled = false;
        return f;
    }
    if (n == 0 && state != 0) {
        f.stopEnabled = true;
        if (playing && !rewind) {
            f.playVisible = false;
            f.pauseVisible = true;
        }
    }
    return f;
}

double TransformedAspect(double displayAspect, int sourceW, int sourceH, int quarterTurns, int outW, int outH)
{
    if (!(displayAspect > 0) || sourceW <= 0 || sourceH <= 0 || outW <= 0 || outH <= 0)
        return 0.0;
    double pixel = displayAspect * sourceH / sourceW;
    if (std::abs(pixel - 1.0) < 1e-3)
        return 0.0;
    if (((quarterTurns % 4) + 4) % 4 % 2 == 1)
        pixel = 1.0 / pixel;
    return pixel * outW / outH;
}
