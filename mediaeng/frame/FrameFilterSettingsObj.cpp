#include "mediaeng/frame/FrameFilterSettingsObj.h"
#include "platform/ClassRegistry.h"

namespace km::frame {

HRESULT CFrameFilterSettingsObj::SetValue(const wchar_t* name, const VARIANT* value)
{
    if (!name || !value) return E_POINTER;
    CCritSecLock lock(m_lock);
    if (!m_values.SetByName(name, *value)) return E_INVALIDARG;
    ++m_version;
    return S_OK;
}

HRESULT CFrameFilterSettingsObj::GetValue(const wchar_t* name, VARIANT* value)
{
    if (!name || !value) return E_POINTER;
    CCritSecLock lock(m_lock);
    return m_values.GetByName(name, value) ? S_OK : E_INVALIDARG;
}

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

bool ReadFilterObject(IUnknown* object, FrameFilterSettings& out)
{
    out = FrameFilterSettings{};
    if (!object) return true;
    ComPtr<IFrameFilterSettings> settings;
    if (FAILED(object->QueryInterface(IID_IFrameFilterSettings, settings.ReleaseAndGetVoidAddress())) || !settings)
        return false;
    return SUCCEEDED(settings->GetSettings(&out));
}

namespace {

struct CRegistrar {
    CRegistrar() { CoAddInitializer(&RegisterFrameFilterClasses); }
} g_registrar;

}  // namespace

}  // namespace km::frame

void RegisterFrameFilterClasses()
{
    CoRegisterClass(CLSID_FrameFilterSettings,
                    [] { return static_cast<IUnknown*>(new km::frame::CFrameFilterSettingsObj()); });
}
