#pragma once
// The engine's FFmpeg handles under the names the playback code uses, and the
// time conversions between stream time bases and 100-ns media time.
#include "mediaeng/av/AvHandles.h"
#include "platform/Types.h"
#include <memory>
#include <string>

namespace mediaeng::playback {

using FormatPtr = av::InputPtr;
using CodecPtr = av::CodecCtxPtr;
using av::FramePtr;
using av::PacketPtr;
using av::SwrPtr;
using av::SwsPtr;

constexpr AVRational kMediaTimeBase{1, 10000000};  // 100 ns
constexpr REFERENCE_TIME kUnitsPerSecond = 10000000;

inline REFERENCE_TIME ToMediaTime(int64_t ts, AVRational tb) { return av_rescale_q(ts, tb, kMediaTimeBase); }
inline int64_t FromMediaTime(REFERENCE_TIME t, AVRational tb) { return av_rescale_q(t, kMediaTimeBase, tb); }

// FFmpeg's text for an error code, for the playback's wide messages.
std::wstring AvErrorText(int err);

}  // namespace mediaeng::playback
