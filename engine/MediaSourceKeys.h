#pragma once
// The property names of a media source, written once: the program (model/)
// writes and reads them and the engine (mediaeng/) builds, publishes and reads
// them, so a misspelt name is a compile error rather than a property silently
// missing. Kinds and meanings: engine/MediaSourceGraph.h. The gallery data
// holders keep the job tree's names (jobkey::GalleryData, MontageData, Items).
#include <cstddef>
#include <string>

namespace sourcekey {

// Written before Open.
inline constexpr wchar_t FileName[] = L"FileName";
inline constexpr wchar_t Type[] = L"Type";

// The job's flags.
inline constexpr wchar_t IsVirtualFile[] = L"IsVirtualFile";
inline constexpr wchar_t IsVirtualVideoFile[] = L"IsVirtualVideoFile";
inline constexpr wchar_t VirtualDuration[] = L"VirtualDuration";
inline constexpr wchar_t IsMontageFile[] = L"IsMontageFile";
inline constexpr wchar_t IgnoreBuild[] = L"IgnoreBuild";
inline constexpr wchar_t AddToJoin[] = L"AddToJoin";
inline constexpr wchar_t JoinSubFiles[] = L"JoinSubFiles";
inline constexpr wchar_t IncludeSubFile[] = L"IncludeSubFile";

// The collection of a disc's titles (a file or title: one copy of itself).
inline constexpr wchar_t SubFiles[] = L"SubFiles";

// The stream switches are "<list><n>" for n below kStreamSwitches. "IsImage"
// alone is also the fact that the source is a still picture.
inline constexpr wchar_t IsVideo[] = L"IsVideo";
inline constexpr wchar_t IsAudio[] = L"IsAudio";
inline constexpr wchar_t IsImage[] = L"IsImage";
inline constexpr int kStreamSwitches = 16;
inline std::wstring StreamSwitch(const wchar_t* list, size_t n) { return list + std::to_wstring(n); }

// Facts after Open, by name and in the property container.
inline constexpr wchar_t DurationByS[] = L"DurationByS";
inline constexpr wchar_t StreamDuration[] = L"StreamDuration";
inline constexpr wchar_t Width[] = L"Width";
inline constexpr wchar_t Height[] = L"Height";
inline constexpr wchar_t AspectRatio[] = L"AspectRatio";
inline constexpr wchar_t DisplayWidth[] = L"DisplayWidth";
inline constexpr wchar_t DisplayHeight[] = L"DisplayHeight";
inline constexpr wchar_t FrameRate[] = L"FrameRate";

// Categories of the property container.
inline constexpr wchar_t General[] = L"General";
inline constexpr wchar_t Video[] = L"Video";
inline constexpr wchar_t Audio[] = L"Audio";
inline constexpr wchar_t Image[] = L"Image";
// One of several streams of a kind: "Video: 1", "Video: 2", ... (n from 1).
inline std::wstring NumberedCategory(const wchar_t* kind, size_t n) { return kind + (L": " + std::to_wstring(n)); }
// Stream index (from 0) of count streams of a kind: the only one is the kind alone.
inline std::wstring StreamCategory(const wchar_t* kind, size_t index, size_t count)
{
    return count == 1 ? std::wstring(kind) : NumberedCategory(kind, index + 1);
}

// Facts inside the categories, besides the picture facts above.
inline constexpr wchar_t Format[] = L"Format";
inline constexpr wchar_t Duration[] = L"Duration";
inline constexpr wchar_t Bitrate[] = L"Bitrate";
inline constexpr wchar_t Codec[] = L"Codec";
inline constexpr wchar_t Channels[] = L"Channels";
inline constexpr wchar_t SamplingRate[] = L"SamplingRate";
inline constexpr wchar_t StreamID[] = L"StreamID";
inline constexpr wchar_t Language[] = L"Language";
inline constexpr wchar_t Enabled[] = L"Enabled";

}  // namespace sourcekey
