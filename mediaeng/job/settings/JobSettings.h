#pragma once
// What one conversion run is asked to do, read once from the job's tree before
// the run starts: the sources in order and the output format with its
// encoding, frame-size and naming settings. Plain values, no engine objects,
// so the worker threads never touch the tree.
#include "mediaeng/job/settings/JobOperations.h"
#include <cstdint>
#include <string>
#include <vector>

namespace mediaeng::job {

// A kept stretch of a source, in 100-ns units from the start of the file.
struct CTrimRange {
    int64_t start = 0;
    int64_t end = 0;
};

struct CJobSource {
    std::wstring path;
    std::vector<CTrimRange> ranges;  // empty: the whole file
    int videoStream = 0;             // index among the file's video streams, -1: none
    int audioStream = 0;             // index among the file's audio streams, -1: none
    bool virtualVideo = false;       // a still picture shown as a clip
    double virtualDuration = 0;      // its length in seconds
    double duration = 0;             // probed length in seconds (weights the progress), 0: unknown
    bool addToJoin = false;          // a DVD title joined with the others so marked
};

// Bitrate modes of "VideoBitrateMode" (2: quality); for "AudioBitrateMode" 1
// is the quality-driven mode and 0 and 2 follow the bitrate.
enum EBitrateMode { kBitrateConstant = 0, kBitrateVariable = 1, kBitrateQuality = 2 };

// How the picture reaches the "Resize" size ("ResizeType").
enum EResizeType {
    kResizeStretch = 0,     // exactly W x H
    kResizeCropFill = 1,    // fills W x H keeping the aspect; the overflow is cut off
    kResizeFit = 2,         // inside W x H keeping the aspect: bars of "LitterboxColor" when
                            // "CreateLitterbox", else the output takes the fitted size
    kResizeFitBlurred = 3,  // inside W x H keeping the aspect, on a blurred copy of itself
};

struct CVideoOutput {
    bool enabled = true;
    std::string encoder;            // FFmpeg encoder name; empty: the muxer's default
    int bitrateMode = kBitrateConstant;
    int bitrateKbps = 2000;
    int quality = 75;               // 0 worst .. 100 best
    int keyFrames = 100;            // a keyframe at least every N frames
    int profile = 0;                // 0 baseline, 1 main, 2 high (H.264)
    bool twoPass = false;
    int frameRateNum = 0;           // 0: the source's rate
    int frameRateDen = 1;
    double displayAspect = 0;       // 0: the source's display aspect
    std::wstring resize = L"100%";  // "N%", "W x H" or "WxH"
    int resizeType = kResizeStretch;
    int resampling = 0;             // 0 bilinear, 1 bicubic, 2 nearest, 3 lanczos
    bool letterbox = false;
    uint32_t letterboxColor = 0;    // COLORREF 0x00BBGGRR
};

struct CAudioOutput {
    bool enabled = true;
    std::string encoder;
    int channels = 2;               // 0: the source's
    int sampleRate = 44100;         // 0: the source's
    int bitrateKbps = 128;
    int precision = 16;             // bits per sample of PCM output
    int bitrateMode = kBitrateConstant;
    int quality = 75;               // 0 .. 100
};

// "NameCase" and "ExtensionCase".
enum ELetterCase { kCaseAsIs = 0, kCaseLower = 1, kCaseUpper = 2 };

struct CNamingSettings {
    std::wstring destinationFolder;  // empty: beside each source
    std::wstring pattern = L"*.*";
    bool overwrite = true;
    std::wstring duplicateFormat = L"%02d";
    std::wstring numericFormat = L"%02d";
    int numericStart = 0;
    int numericIncrement = 1;
    bool webSafe = false;
    int nameCase = kCaseAsIs;
    int extensionCase = kCaseAsIs;
    bool useFormatExtension = true;
};

struct CJobOutput {
    std::string muxer = "mp4";       // FFmpeg muxer short name
    std::wstring extension = L"mp4"; // the format's own extension, no dot
    CVideoOutput video;
    CAudioOutput audio;
    CNamingSettings naming;
};

struct CJobSettings {
    std::vector<CJobSource> sources;
    // Sources of the run that never reached "Files" (their open failed): the
    // batch's total counts them and its result is not plain success.
    int leftOut = 0;
    CJobOutput output;
    CJobOperations operations;
};

}  // namespace mediaeng::job
