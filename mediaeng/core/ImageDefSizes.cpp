#include "engine/ImageDefSizes.h"

CImageDefSizes::CImageDefSizes(int32_t kind)
{
    static const wchar_t* const kSizes[] = {
        L"100%", L"75%", L"50%", L"25%", L"160 x 120", L"320 x 240", L"640 x 480", L"720 x 480",
        L"720 x 576", L"800 x 600", L"1024 x 768", L"1280 x 720", L"1920 x 1080", L"3840 x 2160",
    };
    int32_t value = 0;
    for (const wchar_t* text : kSizes) AddItem(value++, text);
    if (kind == 1) AddItem(kCustomValue, L"Custom...");
    SetDefaultValue(0);
}
