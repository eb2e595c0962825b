#pragma once
// Cuts margins off a frame record.
#include "engine/FrameRecord.h"
#include <memory>

class CGalleryItemBase;

class CCropMng {
public:
    CCropMng();
    ~CCropMng();
    CCropMng(const CCropMng&) = delete;
    CCropMng& operator=(const CCropMng&) = delete;

    // Margins in source pixels cut from each edge; written before each Crop.
    RECT m_rcCrop{};

    // Crops by m_rcCrop times factor (a picture scaled from the source passes
    // its scale). Margins are clamped so that at least one pixel remains. The
    // gallery item is accepted for the callers' sake; it carries no crop here.
    HRESULT Crop(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData, CGalleryItemBase* item = nullptr,
                 double factor = 1.0);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
