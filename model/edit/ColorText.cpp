#include "model/edit/ColorText.h"
#include <cwchar>

std::wstring FormatEngineColor(COLORREF color)
{
    wchar_t buf[16];
    std::swprintf(buf, 16, L"0x%.2X%.2X%.2X", static_cast<unsigned>(GetRValue(color)),
                  static_cast<unsigned>(GetGValue(color)), static_cast<unsigned>(GetBValue(color)));
    return buf;
}
