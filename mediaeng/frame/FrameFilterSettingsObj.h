#pragma once
// The engine's frame-filter object: the filter values under one lock, written
// by name through the engine node interface (as every engine object is) and
// handed out as whole copies, so filtering never sees a half-written change.
#include "engine/EngineNode.h"
#include "engine/FrameFilterSettings.h"
#include "platform/Sync.h"
#include <string>
#include <vector>

namespace mediaeng::frame {

// The engine names the object answers, in the order the filter settings write them.
const std::vector<std::wstring>& FrameFilterValueNames();

class CFrameFilterSettingsObj : public CComObjectBase<IFrameFilterSettings, IEngineNode> {
public:
    // IFrameFilterSettings
    HRESULT GetSettings(FrameFilterSettings* out) override;
    HRESULT SetSettings(const FrameFilterSettings* in) override;
    ULONG GetVersion() override;

    // IEngineNode: each value is a property by name; nothing can be added.
    HRESULT GetName(BSTR* name) override;
    HRESULT GetOwner(IUnknown** owner) override;
    HRESULT GetItemCount(LONG* count) override;
    HRESULT GetItemAt(LONG index, IUnknown** item) override;
    HRESULT GetItem(const wchar_t* name, IUnknown** item) override;
    HRESULT GetValue(const wchar_t* name, VARIANT* value) override;  // value EMPTY when unknown
    HRESULT SetValue(const wchar_t* name, VARIANT value) override;    // S_FALSE when unknown
    HRESULT AddProperty(const wchar_t*, VARIANT, IUnknown**) override { return E_NOTIMPL; }
    HRESULT AddChild(const wchar_t*, IUnknown*) override { return E_NOTIMPL; }
    HRESULT RemoveItem(const wchar_t*) override { return E_NOTIMPL; }
    HRESULT ApplySwitch(IUnknown*, LONG) override { return E_NOTIMPL; }

private:
    CCriticalSection m_lock;
    FrameFilterSettings m_values;
    ULONG m_version = 0;
};

// The values of a frame-filter object (or of nothing: identity). False when
// the object is not one.
bool ReadFilterObject(IUnknown* object, FrameFilterSettings& out);

}  // namespace mediaeng::frame
