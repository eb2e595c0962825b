#include "controls/grid/SourceFactText.h"
#include "platform/ResourceLibrary.h"
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

// Facts beyond these come from a damaged header: their raw text is shown.
constexpr double kMaxShownSeconds = 1e12;
constexpr double kMaxShownHertz = 1e9;

struct Label {
    const wchar_t* name;
    unsigned id;
    const wchar_t* text;  // when the string table lacks it
};

// Texts 61450 on in the string table.
constexpr Label kLabels[] = {
    {L"General", 61450, L"General"},   {L"Video", 61451, L"Video"},
    {L"Audio", 61452, L"Audio"},       {L"Image", 61453, L"Picture"},
    {L"Format", 61454, L"Container"},  {L"Duration", 61455, L"Duration"},
    {L"Bitrate", 61456, L"Bitrate"},   {L"Codec", 61457, L"Codec"},
    {L"Width", 61458, L"Width"},       {L"Height", 61459, L"Height"},
    {L"AspectRatio", 61460, L"Aspect ratio"}, {L"FrameRate", 61461, L"Frame rate"},
    {L"StreamID", 61462, L"Stream number"},   {L"Language", 61463, L"Language"},
    {L"Channels", 61464, L"Channels"}, {L"SamplingRate", 61465, L"Sampling rate"},
    {L"Enabled", 61466, L"Included"},
};

std::wstring Printf(const wchar_t* format, double value)
{
    wchar_t buffer[64];
    const int n = std::swprintf(buffer, 64, format, value);
    return n < 0 ? std::wstring() : std::wstring(buffer, static_cast<size_t>(n));
}

// The number the engine's text holds, or NaN.
double Number(const std::wstring& raw)
{
    wchar_t* end = nullptr;
    const double v = std::wcstod(raw.c_str(), &end);
    return end == raw.c_str() ? std::nan("") : v;
}

// Decimals only where they say something: 25 -> "25", 29.97 -> "29.97".
std::wstring Short(double value)
{
    std::wstring text = Printf(L"%.2f", value);
    while (!text.empty() && text.back() == L'0') text.pop_back();
    if (!text.empty() && text.back() == L'.') text.pop_back();
    return text;
}

}  // namespace

std::wstring FactLabel(const std::wstring& name)
{
    // "Video: 2": the kind's label with its number.
    const size_t colon = name.find(L':');
    const std::wstring head = colon == std::wstring::npos ? name : name.substr(0, colon);
    for (const Label& l : kLabels)
        if (head == l.name) {
            std::wstring text = LoadResString(l.id);
            if (text.empty()) text = l.text;
            return colon == std::wstring::npos ? text : text + name.substr(colon);
        }
    return name;
}

std::wstring ContainerName(const std::wstring& demuxers)
{
    struct Known {
        const wchar_t* first;
        const wchar_t* name;
    };
    static const Known kKnown[] = {
        {L"mov", L"MP4 / MOV"}, {L"matroska", L"Matroska / WebM"}, {L"avi", L"AVI"}, {L"asf", L"Windows Media"},
        {L"mpeg", L"MPEG program stream"}, {L"mpegts", L"MPEG transport stream"}, {L"flv", L"Flash video"},
        {L"ogg", L"Ogg"}, {L"wav", L"WAV"}, {L"mp3", L"MP3"}, {L"flac", L"FLAC"}, {L"aac", L"AAC"},
        {L"image2", L"Picture"}, {L"gif", L"GIF"}, {L"dvd", L"DVD"},
    };
    const std::wstring first = demuxers.substr(0, demuxers.find(L','));
    for (const Known& k : kKnown)
        if (first == k.first) return k.name;
    // "png_pipe", "jpeg_pipe": the picture's kind.
    std::wstring name = first;
    const size_t pipe = name.rfind(L"_pipe");
    if (pipe != std::wstring::npos && pipe + 5 == name.size()) name.erase(pipe);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
    return name;
}

std::wstring AspectText(double ratio)
{
    if (!(ratio > 0)) return {};
    struct Shape {
        int w, h;
    };
    static const Shape kShapes[] = {{16, 9}, {4, 3}, {3, 2}, {5, 4}, {1, 1}, {21, 9}, {9, 16}, {3, 4}, {2, 3}};
    for (const Shape& s : kShapes)
        if (std::fabs(ratio - double(s.w) / s.h) < 0.01) return std::to_wstring(s.w) + L":" + std::to_wstring(s.h);
    return Printf(L"%.2f", ratio);
}

std::wstring DurationText(double seconds)
{
    // Beyond what a file can hold the hundredths would not fit an integer.
    if (!(seconds >= 0 && seconds <= kMaxShownSeconds)) return {};
    const long long hundredths = std::llround(seconds * 100);
    const long long whole = hundredths / 100;
    wchar_t buffer[64];
    const int h = static_cast<int>(whole / 3600), m = static_cast<int>(whole / 60 % 60), s = static_cast<int>(whole % 60);
    const int cs = static_cast<int>(hundredths % 100);
    const int n = h > 0 ? std::swprintf(buffer, 64, L"%d:%02d:%02d.%02d", h, m, s, cs)
                        : std::swprintf(buffer, 64, L"%d:%02d.%02d", m, s, cs);
    return n < 0 ? std::wstring() : std::wstring(buffer, static_cast<size_t>(n));
}

std::wstring BitrateText(double kbps)
{
    if (!(kbps > 0)) return {};
    if (kbps >= 1000) return Printf(L"%.1f Mb/s", kbps / 1000);
    return Printf(L"%.0f kb/s", kbps);
}

std::wstring FrameRateText(double fps)
{
    return fps > 0 ? Short(fps) + L" fps" : std::wstring();
}

std::wstring SampleRateText(int hertz)
{
    return hertz > 0 ? Short(hertz / 1000.0) + L" kHz" : std::wstring();
}

std::wstring FactValue(const std::wstring& name, const std::wstring& raw)
{
    const double v = Number(raw);
    std::wstring text;
    if (name == L"Format")
        text = ContainerName(raw);
    else if (name == L"Duration")
        text = DurationText(v);
    else if (name == L"AspectRatio")
        text = AspectText(v);
    else if (name == L"Bitrate")
        text = BitrateText(v);
    else if (name == L"FrameRate")
        text = FrameRateText(v);
    else if (name == L"SamplingRate")
        text = SampleRateText(v > 0 && v <= kMaxShownHertz ? static_cast<int>(v) : 0);
    else if ((name == L"Width" || name == L"Height") && v > 0)
        text = Short(v) + L" px";
    return text.empty() ? raw : text;
}
