#include "mediaeng/frame/FrameFilterSettingsObj.h"
#include "engine/JobTreeKeys.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"

namespace mediaeng::frame {

namespace {

// One value of the object seen as an engine property.
class CFilterValueProperty : public CComObjectBase<IEngineProperty> {
public:
    CFilterValueProperty(CFrameFilterSettingsObj* owner, std::wstring name) : m_owner(owner), m_name(std::move(name)) {}

    HRESULT GetName(BSTR* name) override { return Out(name, m_name); }
    HRESULT GetSettingsKey(BSTR* key) override { return Out(key, L""); }
    HRESULT GetDisplayText(BSTR* text) override { return Out(text, m_name); }
    HRESULT GetDescription(BSTR* text) override { return Out(text, L""); }
    HRESULT GetFlags(DWORD* flags) override
    {
        if (!flags) return E_POINTER;
        *flags = 0;
        return S_OK;
    }
    HRESULT GetKind(VARTYPE* vt) override
    {
        if (!vt) return E_POINTER;
        CVariant v;
        m_owner->GetValue(m_name.c_str(), &v);
        *vt = v.vt;
        return S_OK;
    }
    HRESULT GetOwner(IUnknown** owner) override
    {
        if (!owner) return E_POINTER;
        *owner = static_cast<IEngineNode*>(m_owner.Get());
        (*owner)->AddRef();
        return S_OK;
    }
    HRESULT GetValue(VARIANT* value) override { return m_owner->GetValue(m_name.c_str(), value); }
    HRESULT GetDefault(VARIANT* value) override
    {
        if (!value) return E_POINTER;
        FrameFilterSettings defaults;
        return defaults.GetByName(m_name.c_str(), value) ? S_OK : E_FAIL;
    }
    HRESULT Reset() override
    {
        CVariant v;
        GetDefault(&v);
        return m_owner->SetValue(m_name.c_str(), v);
    }
    HRESULT GetValueAs(VARTYPE vt, VARIANT* value) override
    {
        if (!value) return E_POINTER;
        CVariant v;
        HRESULT hr = GetValue(&v);
        if (FAILED(hr)) return hr;
        return VariantChangeType(value, &v, vt);
    }
    HRESULT IsSet(BOOL* set) override
    {
        if (!set) return E_POINTER;
        *set = 1;
        return S_OK;
    }
    HRESULT GetChildNode(IUnknown** node) override
    {
        if (node) *node = nullptr;
        return E_NOTIMPL;
    }
    HRESULT SetChildNode(IUnknown*) override { return E_NOTIMPL; }
    HRESULT SetValue(VARIANT value) override
    {
        const HRESULT hr = m_owner->SetValue(m_name.c_str(), value);
        return hr == S_OK ? S_OK : E_INVALIDARG;
    }

private:
    static HRESULT Out(BSTR* out, const std::wstring& text)
    {
        if (!out) return E_POINTER;
        *out = SysAllocString(text);
        return S_OK;
    }

    ComPtr<CFrameFilterSettingsObj> m_owner;
    std::wstring m_name;
};

const std::wstring* FindName(const wchar_t* name)
{
    if (!name) return nullptr;
    for (const std::wstring& n : FrameFilterValueNames())
        if (EqualsNoCase(n, name)) return &n;
    return nullptr;
}

}  // namespace

HRESULT CFrameFilterSettingsObj::GetSettings(FrameFilterSettings* out)
{
    if (!out) return E_POINTER;
    CCritSecLock lock(m_lock);
    *out = m_values;
    return S_OK;
}

HRESULT CFrameFilterSettingsObj::SetSettings(const FrameFilterSettings* in)
{
    if (!in) return E_POINTER;
    CCritSecLock lock(m_lock);
    m_values = *in;
    ++m_version;
    return S_OK;
}

ULONG CFrameFilterSettingsObj::GetVersion()
{
    CCritSecLock lock(m_lock);
    return m_version;
}

HRESULT CFrameFilterSettingsObj::GetName(BSTR* name)
{
    if (!name) return E_POINTER;
    *name = SysAllocString(jobkey::Filters);
    return S_OK;
}

HRESULT CFrameFilterSettingsObj::GetOwner(IUnknown** owner)
{
    if (!owner) return E_POINTER;
    *owner = nullptr;
    return S_FALSE;
}

HRESULT CFrameFilterSettingsObj::GetItemCount(LONG* count)
{
    if (!count) return E_POINTER;
    *count = static_cast<LONG>(FrameFilterValueNames().size());
    return S_OK;
}

HRESULT CFrameFilterSettingsObj::GetItemAt(LONG index, IUnknown** item)
{
    if (!item) return E_POINTER;
    *item = nullptr;
    const auto& names = FrameFilterValueNames();
    if (index < 0 || index >= static_cast<LONG>(names.size())) return E_INVALIDARG;
    return GetItem(names[static_cast<size_t>(index)].c_str(), item);
}

HRESULT CFrameFilterSettingsObj::GetItem(const wchar_t* name, IUnknown** item)
{
    if (!item) return E_POINTER;
    *item = nullptr;
    const std::wstring* known = FindName(name);
    if (!known) return E_INVALIDARG;
    ComPtr<CFilterValueProperty> p = MakeComObject<CFilterValueProperty>(this, *known);
    *item = static_cast<IEngineProperty*>(p.Detach());
    return S_OK;
}

HRESULT CFrameFilterSettingsObj::GetValue(const wchar_t* name, VARIANT* value)
{
    if (!name || !value) return E_POINTER;
    CCritSecLock lock(m_lock);
    return m_values.GetByName(name, value) ? S_OK : E_INVALIDARG;
}

HRESULT CFrameFilterSettingsObj::SetValue(const wchar_t* name, VARIANT value)
{
    // The caller owns the value (and clears it); it is only read here.
    if (!name) return E_POINTER;
    CCritSecLock lock(m_lock);
    if (!FindName(name)) return S_FALSE;
    if (!m_values.SetByName(name, value)) return E_INVALIDARG;
    ++m_version;
    return S_OK;
}

bool ReadFilterObject(IUnknown* object, FrameFilterSettings& out)
{
    out = FrameFilterSettings{};
    if (!object) return true;
    ComPtr<IFrameFilterSettings> settings;
    if (SUCCEEDED(object->QueryInterface(IID_IFrameFilterSettings, settings.ReleaseAndGetVoidAddress())) && settings)
        return SUCCEEDED(settings->GetSettings(&out));
    // Any other engine node holding the values by name (a job's filter item).
    ComPtr<IEngineNode> node;
    if (FAILED(object->QueryInterface(IID_IEngineNode, node.ReleaseAndGetVoidAddress())) || !node) return false;
    for (const std::wstring& name : FrameFilterValueNames()) {
        CVariant v;
        if (SUCCEEDED(node->GetValue(name.c_str(), &v)) && v.vt != VT_EMPTY) out.SetByName(name.c_str(), v);
    }
    return true;
}

}  // namespace mediaeng::frame

void RegisterFrameFilterClasses()
{
    CoRegisterClass(CLSID_FrameFilters, [] {
        return static_cast<IUnknown*>(
            static_cast<IFrameFilterSettings*>(new mediaeng::frame::CFrameFilterSettingsObj()));
    });
}
