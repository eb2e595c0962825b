#pragma once
// Quarter-turn rotation and mirror flips of a frame record (clockwise turns;
// the flips mirror the turned picture as the user sees it).
#include "engine/FrameRecord.h"
#include <memory>

class CGalleryItemBase;

class CRotateImpl {
public:
    CRotateImpl();
    ~CRotateImpl();
    CRotateImpl(const CRotateImpl&) = delete;
    CRotateImpl& operator=(const CRotateImpl&) = delete;

    // Degrees, taken to the nearest quarter turn (any sign, any size).
    HRESULT SetAngle(int degrees);
    HRESULT SetFlip(int flipH, int flipV);
    // Turns and flips the record; header-only when it has no data block.
    HRESULT Rotate(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
