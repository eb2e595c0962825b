#include "model/config/ConfigMng.h"
#include "platform/TextConv.h"

std::wstring_view ConfigParam::ShortName() const
{
    size_t dot = name.find(L'.');
    if (dot == std::wstring::npos || dot == 0) return name;
    return std::wstring_view(name).substr(dot + 1);
}

CConfigMng::~CConfigMng()
{
    Clear();
}

HRESULT CConfigMng::Clear()
{
    m_params.clear();
    m_groups.clear();
    return S_OK;
}

HRESULT CConfigMng::AddParam(CConfigMng* owner, const std::wstring& name, DWORD type, void* member, DWORD flag)
{
    if (!owner || !member) return E_POINTER;
    if (type != CONFIG_TYPE_INT && type != CONFIG_TYPE_STRING && type != CONFIG_TYPE_INT64) return E_INVALIDARG;
    owner->m_params.push_back(ConfigParam{type, name, member, flag});
    return S_OK;
}

HRESULT CConfigMng::AddPrefixedParam(CConfigMng* owner, const std::wstring& name, const std::wstring& prefix,
                                     DWORD type, void* member, DWORD flag)
{
    return AddParam(owner, prefix + L"." + name, type, member, flag);
}

HRESULT CConfigMng::AddGroup(CConfigMng* owner, DWORD id, CConfigMng* container)
{
    if (!owner || !container) return E_POINTER;
    owner->m_groups.push_back(ConfigGroup{id, container});
    return S_OK;
}

const ConfigParam* CConfigMng::FindByShortName(const std::wstring& name) const
{
    for (const ConfigParam& p : m_params)
        if (p.ShortName() == name) return &p;
    return nullptr;
}

const ConfigParam* CConfigMng::FindByFullNameNoCase(const std::wstring& name) const
{
    // 64-bit parameters are passed over: a variant lookup serves profile values.
    for (const ConfigParam& p : m_params)
        if ((p.type == CONFIG_TYPE_INT || p.type == CONFIG_TYPE_STRING) && EqualsNoCase(p.name, name)) return &p;
    return nullptr;
}

const ConfigParam* CConfigMng::FindByFullName(const std::wstring& name) const
{
    for (const ConfigParam& p : m_params)
        if (p.name == name) return &p;
    return nullptr;
}

ConfigGroup* CConfigMng::FindGroup(DWORD id)
{
    for (ConfigGroup& g : m_groups)
        if (g.id == id) return &g;
    return nullptr;
}

HRESULT CConfigMng::FindParam(const std::wstring& name, void** member) const
{
    const ConfigParam* p = FindByShortName(name);
    if (p && member) *member = p->member;
    return S_OK;
}

HRESULT CConfigMng::GetParamValue(const std::wstring& name, VARIANT* value) const
{
    // Only an int32 field may be read as one: reading a string or 64-bit field
    // that way would hand out part of its representation.
    const ConfigParam* p = FindByShortName(name);
    if (!p || p->type != CONFIG_TYPE_INT || !value) return S_OK;
    VariantClear(value);
    value->vt = VT_INT;
    value->intVal = *static_cast<const int32_t*>(p->member);
    return S_OK;
}

namespace {
bool IntegerOf(const VARIANT& v, int32_t& out)
{
    if (v.vt != VT_I4 && v.vt != VT_INT && v.vt != VT_UI4) return false;
    out = v.lVal;
    return true;
}
}

HRESULT CConfigMng::SetParamValue(const std::wstring& name, const VARIANT& value)
{
    const ConfigParam* p = FindByShortName(name);
    int32_t v = 0;
    if (p && p->type == CONFIG_TYPE_INT && IntegerOf(value, v)) *static_cast<int32_t*>(p->member) = v;
    return S_OK;
}

HRESULT CConfigMng::GetParamVariant(const std::wstring& name, VARIANT* value) const
{
    const ConfigParam* p = FindByFullNameNoCase(name);
    if (!p) return S_FALSE;
    if (!value) return E_POINTER;
    VariantClear(value);
    if (p->type == CONFIG_TYPE_INT) {
        value->vt = VT_INT;
        value->intVal = *static_cast<const int32_t*>(p->member);
    } else {
        value->vt = VT_BSTR;
        value->bstrVal = SysAllocString(*static_cast<const std::wstring*>(p->member));
    }
    return S_OK;
}

HRESULT CConfigMng::SetParamVariant(const std::wstring& name, const VARIANT& value)
{
    const ConfigParam* p = FindByFullNameNoCase(name);
    if (!p) return S_OK;
    int32_t v = 0;
    if (p->type == CONFIG_TYPE_INT && IntegerOf(value, v))
        *static_cast<int32_t*>(p->member) = v;
    else if (p->type == CONFIG_TYPE_STRING && value.vt == VT_BSTR)
        *static_cast<std::wstring*>(p->member) = BstrToWString(value.bstrVal);
    return S_OK;
}
