#include "mediaeng/job/transcode/FrameGeometry.h"
#include "mediaeng/job/settings/JobSettings.h"
#include <algorithm>
#include <cmath>
#include <cwctype>
#include <regex>

namespace mediaeng::job {

namespace {
struct NamedSize {
    const wchar_t* name;
    int w, h;
};
constexpr NamedSize kNamedSizes[] = {
    {L"sqcif", 128, 96},   {L"qcif", 176, 144},   {L"cif", 352, 288},     {L"4cif", 704, 576},
    {L"qvga", 320, 240},   {L"vga", 640, 480},    {L"svga", 800, 600},    {L"xga", 1024, 768},
    {L"pal", 720, 576},    {L"ntsc", 720, 480},   {L"480p", 854, 480},    {L"720p", 1280, 720},
    {L"1080p", 1920, 1080}, {L"1440p", 2560, 1440}, {L"4k", 3840, 2160}, {L"2160p", 3840, 2160},
};

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s) c = wchar_t(std::towlower(c));
    return s;
}
}  // namespace

bool ParseResizeText(const std::wstring& text, int srcWidth, int srcHeight, int& width, int& height)
{
    std::wsmatch m;
    static const std::wregex size(L"(\\d{1,5})\\s*[xX*\u00D7]\\s*(\\d{1,5})");
    if (std::regex_search(text, m, size)) {
        width = std::stoi(m[1].str());
        height = std::stoi(m[2].str());
        return width > 0 && height > 0;
    }
    static const std::wregex percent(L"(\\d{1,4}(?:\\.\\d+)?)\\s*%");
    if (std::regex_search(text, m, percent)) {
        const double p = std::stod(m[1].str());
        if (p <= 0) return false;
        width = std::max(1, int(std::lround(srcWidth * p / 100.0)));
        height = std::max(1, int(std::lround(srcHeight * p / 100.0)));
        return true;
    }
    const std::wstring lower = Lower(text);
    for (const NamedSize& n : kNamedSizes) {
        if (lower.find(n.name) != std::wstring::npos) {
            width = n.w;
            height = n.h;
            return true;
        }
    }
    return false;
}

CFrameGeometry ComputeGeometry(int srcWidth, int srcHeight, double sar, int targetWidth, int targetHeight,
                               int resizeType, bool letterbox)
{
    CFrameGeometry g;
    g.sourceCut = {0, 0, srcWidth, srcHeight};
    g.outWidth = targetWidth;
    g.outHeight = targetHeight;
    g.picture = {0, 0, targetWidth, targetHeight};
    if (resizeType == kResizeStretch || srcWidth <= 0 || srcHeight <= 0) return g;

    const double srcAspect = srcWidth * (sar > 0 ? sar : 1.0) / srcHeight;
    const double dstAspect = double(targetWidth) / targetHeight;
    if (resizeType == kResizeCropFill) {
        // Cut the source to the target's shape, then scale it to fill.
        if (srcAspect > dstAspect) {
            const int w = std::max(1, int(std::lround(srcWidth * dstAspect / srcAspect)));
            g.sourceCut = {(srcWidth - w) / 2, 0, w, srcHeight};
        } else {
            const int h = std::max(1, int(std::lround(srcHeight * srcAspect / dstAspect)));
            g.sourceCut = {0, (srcHeight - h) / 2, srcWidth, h};
        }
        return g;
    }
    int w = targetWidth, h = targetHeight;
    if (srcAspect > dstAspect)
        h = std::max(2, int(std::lround(targetWidth / srcAspect)));
    else
        w = std::max(2, int(std::lround(targetHeight * srcAspect)));
    w &= ~1;
    h &= ~1;
    if ((resizeType == kResizeFit && letterbox) || resizeType == kResizeFitBlurred) {
        g.bars = w != targetWidth || h != targetHeight;
        g.picture = {((targetWidth - w) / 2) & ~1, ((targetHeight - h) / 2) & ~1, w, h};
        return g;
    }
    g.outWidth = w;
    g.outHeight = h;
    g.picture = {0, 0, w, h};
    return g;
}

}  // namespace mediaeng::job
