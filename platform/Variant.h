#pragma once
// Length-prefixed strings and tagged values as the engine interfaces pass them.
#include "platform/Unknown.h"
#include <string>

using BSTR = wchar_t*;
using VARTYPE = uint16_t;

BSTR SysAllocString(const wchar_t* text);
BSTR SysAllocStringLen(const wchar_t* text, uint32_t length);
BSTR SysAllocString(const std::wstring& text);
void SysFreeString(BSTR s);
uint32_t SysStringLen(BSTR s);
// The text of a BSTR (a null BSTR is the empty text).
std::wstring BstrToWString(BSTR s);

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UNKNOWN = 13,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_INT = 22,
};

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    union {
        int32_t lVal;
        int32_t intVal;
        uint32_t ulVal;
        int64_t llVal;
        double dblVal;
        int16_t boolVal;
        BSTR bstrVal;
        IUnknown* punkVal;
    };
    VARIANT() : llVal(0) {}
};

void VariantInit(VARIANT* v);
// Frees what the value owns (string, interface reference) and makes it EMPTY.
HRESULT VariantClear(VARIANT* v);
// Deep copy: strings duplicated, interfaces AddRef'd. dest is cleared first.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
// Converts src to kind vt into dest (dest may equal src). Numbers convert among
// themselves and to and from text; anything else gives E_INVALIDARG.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, VARTYPE vt);

// RAII holder: clears its value on destruction.
class CVariant : public VARIANT {
public:
    CVariant() = default;
    CVariant(int32_t v) { vt = VT_I4; lVal = v; }
    CVariant(uint32_t v) { vt = VT_UI4; ulVal = v; }
    CVariant(double v) { vt = VT_R8; dblVal = v; }
    CVariant(int64_t v) { vt = VT_I8; llVal = v; }
    CVariant(const wchar_t* s) { vt = VT_BSTR; bstrVal = SysAllocString(s); }
    CVariant(const std::wstring& s) { vt = VT_BSTR; bstrVal = SysAllocString(s); }
    CVariant(IUnknown* p)
    {
        vt = VT_UNKNOWN;
        punkVal = p;
        if (p) p->AddRef();
    }
    CVariant(const CVariant& o) : VARIANT() { VariantCopy(this, &o); }
    CVariant(const VARIANT& o) : VARIANT() { VariantCopy(this, &o); }
    CVariant& operator=(const CVariant& o)
    {
        if (this != &o) VariantCopy(this, &o);
        return *this;
    }
    ~CVariant() { VariantClear(this); }

    // Value as the kind asked for; the fallback when it does not convert.
    int32_t AsInt(int32_t fallback = 0) const;
    double AsDouble(double fallback = 0.0) const;
    std::wstring AsString(const std::wstring& fallback = L"") const;
};
