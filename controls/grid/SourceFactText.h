#pragma once
// The facts of a media source as the properties grid shows them: the engine's
// names ("FrameRate", "StreamID", ...) become labels of the string table, and
// raw values read as a user reads them: the container's name, 16:9, 0:10.03,
// 2.0 Mb/s, 25 fps. A name the table does not know shows as it stands.
#include <string>

// The label of a fact or of a fact group ("General", "Video: 2", ...).
std::wstring FactLabel(const std::wstring& name);
// The value of the named fact from the engine's text of it.
std::wstring FactValue(const std::wstring& name, const std::wstring& raw);

// The pieces, each for one kind of value.
std::wstring ContainerName(const std::wstring& demuxers);  // "mov,mp4,m4a,..." -> "MP4 / MOV"
std::wstring AspectText(double ratio);                     // 1.7777 -> "16:9", 1.85 -> "1.85"
std::wstring DurationText(double seconds);                 // 10.031 -> "0:10.03", 3725 -> "1:02:05.00"
std::wstring BitrateText(double kbps);                     // 2000 -> "2.0 Mb/s", 128 -> "128 kb/s"
std::wstring FrameRateText(double fps);                    // 25 -> "25 fps", 29.97 -> "29.97 fps"
std::wstring SampleRateText(int hertz);                    // 44100 -> "44.1 kHz"
