#pragma once
// Converts a frame record to a 24-bit bottom-up DIB (what the preview blits).
#include "engine/FrameRecord.h"
#include <memory>

class CConvertTo24RGB {
public:
    CConvertTo24RGB();
    ~CConvertTo24RGB();
    CConvertTo24RGB(const CConvertTo24RGB&) = delete;
    CConvertTo24RGB& operator=(const CConvertTo24RGB&) = delete;

    // A record that already is 24-bit bottom-up is left as it is.
    HRESULT Convert24(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
