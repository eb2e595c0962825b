#pragma once
// The engine's frame-filter object: the filter values under one lock, handed
// out as whole copies so filtering never sees a half-written change.
#include "engine/FrameFilterSettings.h"
#include "platform/Sync.h"

namespace km::frame {

class CFrameFilterSettingsObj : public CComObjectBase<IFrameFilterSettings> {
public:
    HRESULT SetValue(const wchar_t* name, const VARIANT* value) override;
    HRESULT GetValue(const wchar_t* name, VARIANT* value) override;
    HRESULT GetSettings(FrameFilterSettings* out) override;
    HRESULT SetSettings(const FrameFilterSettings* in) override;
    ULONG GetVersion() override;

private:
    CCriticalSection m_lock;
    FrameFilterSettings m_values;
    ULONG m_version = 0;
};

// The values of a frame-filter object (or of nothing: identity). False when
// the object is not one.
bool ReadFilterObject(IUnknown* object, FrameFilterSettings& out);

}  // namespace km::frame
