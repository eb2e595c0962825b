#pragma once
// By-name value access that output settings objects give the engine's codec
// lists (the key is a bare settings key such as "video_bitrate").
#include "platform/Variant.h"

struct IObject {
    virtual ~IObject() = default;
    virtual HRESULT GetValue(const wchar_t* key, VARIANT* out) = 0;
    virtual HRESULT SetValue(const wchar_t* key, VARIANT value) = 0;
};
