#pragma once
// Reads a conversion job's tree into the plain settings of a run, once, on the
// caller's thread (under the schema lock), so the worker never touches the
// tree. Sources come from "Files" in order; the output from the first format
// node of the first profile that has one (the node the program writes).
//
// Per source: "FileName", "DurationByS", "IsVirtualVideoFile" and
// "VirtualDuration", the stream choice "IsVideo0".."IsVideo15" and
// "IsAudio0".."IsAudio15" (the first switched-on stream is converted; all off:
// none of that kind; no such switches: the first stream). Trim ranges are the
// items the gallery manager (engine/GalleriesMng.h) wrote under the profile
// node's "GalleryData": "SourceIndex", "StartTime" and "EndTime" in seconds.
#include "engine/ConversionJob.h"
#include "mediaeng/job/settings/JobSettings.h"
#include <string>

namespace mediaeng::job {

// S_OK with settings filled; a failure with error text when the tree holds no
// usable output (no format node, an unknown or unsupported format id).
HRESULT ReadJobTree(IConversionJob* job, CJobSettings& settings, std::wstring& error);

// The first format node of the first profile that has one, or null.
ComPtr<IEngineNode> FirstFormatNodeOf(IConversionJob* job);

// "FrameRateID" (frames per second x 1000, 0 = the source's) as a fraction.
void FrameRateFromId(int id, int& num, int& den);
// "AspectRatioType" (0 the source's, 1 4:3, 2 16:9, 3 1:1, 4 2.35:1) as width / height.
double AspectFromId(int id);

}  // namespace mediaeng::job
