#pragma once
// What a run does beyond one source to one file: splitting each output into
// parts, joining sources into one output, writing pictures instead of video,
// and copying streams without re-encoding ("Same as source"). Read from the
// profile and format nodes with the rest of the run's settings.
#include <string>

namespace mediaeng::job {

// "SplitType".
enum ESplitType { kSplitByTime = 0, kSplitByCount = 1, kSplitBySize = 2 };

struct CSplitSettings {
    bool use = false;       // "SplitUse"
    int type = kSplitByTime;
    int count = 2;          // "SplitCountFrames": parts, or pictures to extract
    int stepSeconds = 10;   // "SplitStep": seconds per part, or between pictures
    int sizeMb = 700;       // "SplitSize": the most one part may weigh, MB (10^6 bytes)
    int startSeconds = 0;   // "SplitStartWith": skipped before the first part
    bool keepLast = false;  // "SplitLastVideo": keep a last part shorter than the step
};

struct CJoinSettings {
    bool use = false;          // "JoinType" 1
    int imageSeconds = 10;     // "JoinImageTime": how long a picture shows
};

// The image output (an image format chosen as the output).
struct CImageSettings {
    bool enabled = false;
    std::string encoder;       // FFmpeg picture encoder ("mjpeg", "png", ...)
    bool sheet = false;        // "ScreenListEnable": tile pictures rows x cols
    int rows = 2, cols = 2;    // "ScreenListRows", "ScreenListCols"
    int startSeconds = 0;      // "FrameShift": where the first picture is taken
};

struct CJobOperations {
    CSplitSettings split;
    CJoinSettings join;
    CImageSettings image;
    bool streamCopy = false;   // format 100: streams copied into the source's container

    // Nothing beyond one re-encoded file per source (joins of DVD titles
    // marked "AddToJoin" are decided per source).
    bool IsPlain() const { return !split.use && !join.use && !image.enabled && !streamCopy; }
};

}  // namespace mediaeng::job
