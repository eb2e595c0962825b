#include "platform/ResultText.h"
#include "platform/ResourceLibrary.h"
#include <iterator>

namespace {
struct Cause {
    HRESULT code;
    uint32_t textId;
    const wchar_t* text;
};

// The codes that reach the user's lines; texts 7220 on in the resource library.
constexpr Cause kCauses[] = {
    {E_FAIL, 7220, L"the operation failed"},
    {E_INVALIDARG, 7221, L"a setting is not valid"},
    {E_OUTOFMEMORY, 7222, L"there is not enough memory"},
    {E_ACCESSDENIED, 7223, L"access is denied"},
    {E_NOTIMPL, 7224, L"this is not supported"},
    {E_ABORT, 7225, L"it was cancelled"},
    {E_POINTER, 7226, L"an internal error occurred"},
    {E_UNEXPECTED, 7226, L"an internal error occurred"},
    {E_NOINTERFACE, 7226, L"an internal error occurred"},
    {REGDB_E_CLASSNOTREG, 7227, L"a part of the program is missing"},
    {static_cast<HRESULT>(0x80070002u), 7228, L"the file does not exist"},
    {static_cast<HRESULT>(0x80070003u), 7229, L"the folder does not exist"},
};
}  // namespace

std::wstring ResultText(HRESULT hr)
{
    uint32_t id = 7230;
    const wchar_t* fallback = L"an unknown error occurred";
    for (const Cause& c : kCauses)
        if (c.code == hr) {
            id = c.textId;
            fallback = c.text;
            break;
        }
    std::wstring text = LoadResString(id);
    return text.empty() ? fallback : text;
}
