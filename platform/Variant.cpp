#include "platform/Variant.h"
#include "platform/TextConv.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>
#include <new>

namespace {
// A BSTR is a length word (bytes) followed by the text and a terminator.
struct BstrHeader {
    uint32_t bytes;
};

bool ParseNumber(const std::wstring& text, double& out)
{
    std::string s = WideToUtf8(text);
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return false;
    s = s.substr(a);
    const char* p = s.c_str();
    char* end = nullptr;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        unsigned long long v = std::strtoull(p + 2, &end, 16);
        if (end == p + 2) return false;
        out = static_cast<double>(v);
    } else {
        out = std::strtod(p, &end);  // the engine's texts always use '.'
        if (end == p) return false;
    }
    while (*end == ' ' || *end == '\t') ++end;
    return *end == '\0';
}

bool ToDouble(const VARIANT& v, double& out)
{
    switch (v.vt) {
    case VT_I4:
    case VT_INT: out = v.lVal; return true;
    case VT_UI4: out = v.ulVal; return true;
    case VT_I8: out = static_cast<double>(v.llVal); return true;
    case VT_R8: out = v.dblVal; return true;
    case VT_BOOL: out = v.boolVal ? 1 : 0; return true;
    case VT_BSTR: return ParseNumber(BstrToWString(v.bstrVal), out);
    default: return false;
    }
}

std::wstring NumberText(const VARIANT& v)
{
    switch (v.vt) {
    case VT_I4:
    case VT_INT: return std::to_wstring(v.lVal);
    case VT_UI4: return std::to_wstring(v.ulVal);
    case VT_I8: return std::to_wstring(v.llVal);
    case VT_BOOL: return v.boolVal ? L"1" : L"0";
    case VT_R8: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", v.dblVal);
        return Utf8ToWide(buf);
    }
    default: return L"";
    }
}
}

BSTR SysAllocStringLen(const wchar_t* text, uint32_t length)
{
    void* mem = std::malloc(sizeof(BstrHeader) + (static_cast<size_t>(length) + 1) * sizeof(wchar_t));
    if (!mem) return nullptr;
    static_cast<BstrHeader*>(mem)->bytes = length * static_cast<uint32_t>(sizeof(wchar_t));
    auto* s = reinterpret_cast<wchar_t*>(static_cast<char*>(mem) + sizeof(BstrHeader));
    if (text)
        std::wmemcpy(s, text, length);
    else
        std::wmemset(s, 0, length);
    s[length] = L'\0';
    return s;
}

BSTR SysAllocString(const wchar_t* text)
{
    if (!text) return nullptr;
    return SysAllocStringLen(text, static_cast<uint32_t>(std::wcslen(text)));
}

BSTR SysAllocString(const std::wstring& text)
{
    return SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
}

void SysFreeString(BSTR s)
{
    if (s) std::free(reinterpret_cast<char*>(s) - sizeof(BstrHeader));
}

uint32_t SysStringLen(BSTR s)
{
    if (!s) return 0;
    auto* h = reinterpret_cast<BstrHeader*>(reinterpret_cast<char*>(s) - sizeof(BstrHeader));
    return h->bytes / static_cast<uint32_t>(sizeof(wchar_t));
}

std::wstring BstrToWString(BSTR s)
{
    return s ? std::wstring(s, SysStringLen(s)) : std::wstring();
}

void VariantInit(VARIANT* v)
{
    v->vt = VT_EMPTY;
    v->llVal = 0;
}

HRESULT VariantClear(VARIANT* v)
{
    if (!v) return E_POINTER;
    if (v->vt == VT_BSTR)
        SysFreeString(v->bstrVal);
    else if (v->vt == VT_UNKNOWN && v->punkVal)
        v->punkVal->Release();
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src)
{
    if (!dest || !src) return E_POINTER;
    if (dest == src) return S_OK;
    VARIANT tmp;
    tmp.vt = src->vt;
    tmp.llVal = src->llVal;
    if (src->vt == VT_BSTR) {
        tmp.bstrVal = src->bstrVal ? SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal)) : nullptr;
        if (src->bstrVal && !tmp.bstrVal) return E_OUTOFMEMORY;
    } else if (src->vt == VT_UNKNOWN && src->punkVal) {
        src->punkVal->AddRef();
    }
    VariantClear(dest);
    *dest = tmp;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, VARTYPE vt)
{
    if (!dest || !src) return E_POINTER;
    VARIANT out;
    out.vt = vt;
    if (src->vt == vt) {
        VARIANT copy;
        HRESULT hr = VariantCopy(&copy, src);
        if (FAILED(hr)) return hr;
        VariantClear(dest);
        *dest = copy;
        return S_OK;
    }
    double d = 0;
    switch (vt) {
    case VT_I4:
    case VT_INT:
        if (!ToDouble(*src, d) || !std::isfinite(d) || d < std::numeric_limits<int32_t>::min() ||
            d > static_cast<double>(std::numeric_limits<uint32_t>::max()))
            return E_INVALIDARG;
        // Unsigned values above INT_MAX keep their bit pattern, as a cast would.
        out.lVal = d > std::numeric_limits<int32_t>::max() ? static_cast<int32_t>(static_cast<uint32_t>(d))
                                                            : static_cast<int32_t>(std::llround(d));
        break;
    case VT_UI4:
        if (!ToDouble(*src, d) || !std::isfinite(d) || d < std::numeric_limits<int32_t>::min() ||
            d > static_cast<double>(std::numeric_limits<uint32_t>::max()))
            return E_INVALIDARG;
        out.ulVal = d < 0 ? static_cast<uint32_t>(static_cast<int32_t>(d)) : static_cast<uint32_t>(std::llround(d));
        break;
    case VT_I8:
        if (src->vt == VT_I4 || src->vt == VT_INT) {
            out.llVal = src->lVal;
        } else if (src->vt == VT_UI4) {
            out.llVal = src->ulVal;
        } else {
            if (!ToDouble(*src, d) || !std::isfinite(d)) return E_INVALIDARG;
            out.llVal = static_cast<int64_t>(std::llround(d));
        }
        break;
    case VT_R8:
        if (!ToDouble(*src, d)) return E_INVALIDARG;
        out.dblVal = d;
        break;
    case VT_BOOL:
        if (!ToDouble(*src, d)) return E_INVALIDARG;
        out.boolVal = d != 0 ? -1 : 0;
        break;
    case VT_BSTR:
        if (src->vt == VT_EMPTY) {
            out.bstrVal = SysAllocString(L"");
        } else {
            std::wstring t = NumberText(*src);
            if (t.empty()) return E_INVALIDARG;
            out.bstrVal = SysAllocString(t);
        }
        break;
    default:
        return E_INVALIDARG;
    }
    VariantClear(dest);
    *dest = out;
    return S_OK;
}

int32_t CVariant::AsInt(int32_t fallback) const
{
    CVariant t;
    return SUCCEEDED(VariantChangeType(&t, this, VT_I4)) ? t.lVal : fallback;
}

double CVariant::AsDouble(double fallback) const
{
    CVariant t;
    return SUCCEEDED(VariantChangeType(&t, this, VT_R8)) ? t.dblVal : fallback;
}

std::wstring CVariant::AsString(const std::wstring& fallback) const
{
    CVariant t;
    return SUCCEEDED(VariantChangeType(&t, this, VT_BSTR)) ? BstrToWString(t.bstrVal) : fallback;
}
