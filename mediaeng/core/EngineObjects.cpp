#include "mediaeng/core/EngineObjects.h"
#include "platform/ClassRegistry.h"
#include <algorithm>

namespace mediaeng {

namespace {

HRESULT CopyOut(const std::wstring& text, BSTR* out)
{
    if (!out) return E_POINTER;
    *out = SysAllocString(text);
    return S_OK;
}

template <class T>
HRESULT HandOut(const ComPtr<T>& object, IUnknown** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!object) return S_FALSE;
    return object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(out));
}

// Called with the schema lock held, which keeps node's memory while its
// destructor waits for the lock to unlink it.
HRESULT HandOutNode(CEngineNode* node, IUnknown** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!node || !node->TryAddRef()) return S_FALSE;
    *out = static_cast<IEngineNode*>(node);
    return S_OK;
}

}  // namespace

// ---- CNodeLink ----

void CNodeLink::Set(CEngineNode* target)
{
    CSchemaLock lock;
    if (m_target == target) return;
    if (m_target) {
        auto& links = m_target->m_backLinks;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    m_target = target;
    if (m_target) m_target->m_backLinks.push_back(this);
}

// ---- CEngineProperty ----

CEngineProperty::CEngineProperty(std::wstring name, const VARIANT& defaultValue, DWORD flags)
    : m_name(std::move(name)), m_kind(defaultValue.vt), m_value(defaultValue), m_default(defaultValue), m_flags(flags)
{
}

HRESULT CEngineProperty::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IGalleryData && !m_galleryData) {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    return CComObjectBase::QueryInterface(iid, out);
}


HRESULT CEngineProperty::GetName(BSTR* name) { return CopyOut(m_name, name); }
HRESULT CEngineProperty::GetSettingsKey(BSTR* key) { CSchemaLock l; return CopyOut(m_settingsKey, key); }
HRESULT CEngineProperty::GetDescription(BSTR* text) { CSchemaLock l; return CopyOut(m_description, text); }

HRESULT CEngineProperty::GetDisplayText(BSTR* text)
{
    CSchemaLock l;
    return CopyOut(m_display.empty() ? m_value.AsString() : m_display, text);
}

HRESULT CEngineProperty::GetFlags(DWORD* flags)
{
    if (!flags) return E_POINTER;
    *flags = m_flags;
    return S_OK;
}

HRESULT CEngineProperty::GetKind(VARTYPE* vt)
{
    if (!vt) return E_POINTER;
    CSchemaLock l;
    *vt = m_kind;
    return S_OK;
}

HRESULT CEngineProperty::GetOwner(IUnknown** owner)
{
    CSchemaLock l;
    return HandOutNode(m_owner.Get(), owner);
}

HRESULT CEngineProperty::GetValue(VARIANT* value)
{
    if (!value) return E_POINTER;
    CSchemaLock l;
    return VariantCopy(value, &m_value);
}

HRESULT CEngineProperty::GetDefault(VARIANT* value)
{
    if (!value) return E_POINTER;
    CSchemaLock l;
    return VariantCopy(value, &m_default);
}

HRESULT CEngineProperty::Reset()
{
    CSchemaLock l;
    m_value = m_default;
    m_set = false;
    return S_OK;
}

HRESULT CEngineProperty::GetValueAs(VARTYPE vt, VARIANT* value)
{
    if (!value) return E_POINTER;
    CSchemaLock l;
    if (m_value.vt == VT_EMPTY) {
        VariantClear(value);
        return S_FALSE;
    }
    CVariant out;
    HRESULT hr = VariantChangeType(&out, &m_value, vt);
    if (FAILED(hr)) return hr;
    return VariantCopy(value, &out);
}

HRESULT CEngineProperty::IsSet(BOOL* set)
{
    if (!set) return E_POINTER;
    CSchemaLock l;
    *set = m_set;
    return S_OK;
}

HRESULT CEngineProperty::GetChildNode(IUnknown** node)
{
    CSchemaLock l;
    return HandOut(m_child, node);
}

HRESULT CEngineProperty::SetChildNode(IUnknown* node)
{
    CSchemaLock l;
    m_child = ComPtr<IUnknown>(node);
    return S_OK;
}

HRESULT CEngineProperty::Assign(const VARIANT& value)
{
    CSchemaLock l;
    if (m_kind == VT_EMPTY) m_kind = value.vt;
    CVariant converted;
    HRESULT hr = value.vt == m_kind ? VariantCopy(&converted, &value) : VariantChangeType(&converted, &value, m_kind);
    if (FAILED(hr)) return E_INVALIDARG;
    m_value = converted;
    m_set = true;
    return S_OK;
}

HRESULT CEngineProperty::SetValue(VARIANT value)
{
    if (m_flags & EPF_READONLY) return E_ACCESSDENIED;
    return Assign(value);
}

CVariant CEngineProperty::Value() const
{
    CSchemaLock l;
    return m_value;
}

HRESULT CEngineProperty::GetLinkedObject(IUnknown** settings)
{
    CSchemaLock l;
    return HandOut(m_linked, settings);
}

namespace {
// The typed getters: the value converted to one kind, 0 when it does not convert.
template <class T>
HRESULT GetAs(CEngineProperty& p, VARTYPE vt, T CVariant::*member, T* v)
{
    if (!v) return E_POINTER;
    CVariant out;
    HRESULT hr = p.GetValueAs(vt, &out);
    *v = hr == S_OK ? out.*member : T{};
    return hr;
}
}

HRESULT CEngineProperty::GetAsI4(LONG* v) { return GetAs<LONG>(*this, VT_I4, &CVariant::lVal, v); }
HRESULT CEngineProperty::GetAsUI4(ULONG* v) { return GetAs<ULONG>(*this, VT_UI4, &CVariant::ulVal, v); }
HRESULT CEngineProperty::GetAsR8(double* v) { return GetAs<double>(*this, VT_R8, &CVariant::dblVal, v); }
HRESULT CEngineProperty::GetAsI8(LONGLONG* v) { return GetAs<LONGLONG>(*this, VT_I8, &CVariant::llVal, v); }

HRESULT CEngineProperty::GetAsBSTR(BSTR* v)
{
    if (!v) return E_POINTER;
    CVariant out;
    HRESULT hr = GetValueAs(VT_BSTR, &out);
    *v = SysAllocString(hr == S_OK ? out.AsString() : std::wstring());
    return hr;
}

HRESULT CEngineProperty::IsEmpty(BOOL* empty)
{
    if (!empty) return E_POINTER;
    CSchemaLock l;
    *empty = m_value.vt == VT_EMPTY;
    return S_OK;
}

HRESULT CEngineProperty::IsReadOnly(BOOL* readOnly)
{
    if (!readOnly) return E_POINTER;
    *readOnly = (m_flags & EPF_READONLY) != 0;
    return S_OK;
}

HRESULT CEngineProperty::Update(LONG, LONG, LONG reset)
{
    if (!reset) return S_OK;
    CSchemaLock l;
    m_value = m_default;
    m_set = false;
    if (CEngineNode* node = CEngineNode::FromUnknown(m_child.Get())) {
        LONG n = 0;
        node->GetItemCount(&n);
        for (LONG i = 0; i < n; ++i) {
            ComPtr<IUnknown> item;
            node->GetItemAt(i, item.ReleaseAndGetAddressOf());
            if (ComPtr<IEngineCollection> c = item.As<IEngineCollection>()) c->RemoveAll();
        }
    }
    return S_OK;
}

// ---- CEngineNode ----

CEngineNode::CEngineNode(std::wstring name, DWORD roles)
    : m_name(std::move(name)), m_roles(roles & NODE_FILES ? roles | NODE_COLLECTION : roles)
{
}

CEngineNode::~CEngineNode()
{
    CSchemaLock l;
    for (CNodeLink* link : m_backLinks) link->m_target = nullptr;
    m_backLinks.clear();
}

ULONG CEngineNode::Release()
{
    const ULONG n = --m_count;
    if (n == 0) delete this;
    return n;
}

bool CEngineNode::TryAddRef()
{
    ULONG n = m_count.load();
    while (n != 0)
        if (m_count.compare_exchange_weak(n, n + 1)) return true;
    return false;
}

CEngineNode* CEngineNode::FromUnknown(IUnknown* object)
{
    return object ? dynamic_cast<CEngineNode*>(object) : nullptr;
}

HRESULT CEngineNode::QueryInterface(REFIID iid, void** out)
{
    // A node with facts lists them as a read-only collection (categories, then
    // their items), which is how the source properties grid walks them.
    bool collection = (m_roles & NODE_COLLECTION) != 0;
    if (!collection && iid == IID_IEngineCollection) {
        CSchemaLock l;
        collection = !m_facts.empty();
    }
    if ((iid == IID_IFilesNode && !(m_roles & NODE_FILES)) || (iid == IID_IEngineCollection && !collection) ||
        (iid == IID_IFormatsMode && !(m_roles & NODE_FORMATS))) {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    return CComObjectBase::QueryInterface(iid, out);
}

void* CEngineNode::QueryExtra(REFIID iid)
{
    if (iid == IID_IEngineCollection) return static_cast<IEngineCollection*>(static_cast<IFilesNode*>(this));
    return nullptr;
}

void CEngineNode::Adopt(IUnknown* object)
{
    if (CEngineNode* node = FromUnknown(object)) {
        if (!node->m_owner.Get()) node->m_owner.Set(this);
    } else if (auto* prop = dynamic_cast<CEngineProperty*>(object)) {
        prop->SetOwnerNode(this);
    }
}

const CEngineNode::Item* CEngineNode::FindNamed(const std::vector<Item>& items, const std::wstring& name) const
{
    for (const Item& item : items)
        if (item.name == name) return &item;
    return nullptr;
}

IUnknown* CEngineNode::FindDeep(const std::wstring& name) const
{
    if (const Item* named = FindNamed(m_named, name)) return named->object.Get();
    for (const Item& item : m_facts) {
        if (item.name == name) return item.object.Get();
        if (CEngineNode* group = FromUnknown(item.object.Get()))
            if (IUnknown* found = group->FindDeep(name)) return found;
    }
    return nullptr;
}

HRESULT CEngineNode::GetName(BSTR* name) { return CopyOut(m_name, name); }

HRESULT CEngineNode::GetOwner(IUnknown** owner)
{
    CSchemaLock l;
    return HandOutNode(m_owner.Get(), owner);
}

HRESULT CEngineNode::GetItemCount(LONG* count)
{
    if (!count) return E_POINTER;
    CSchemaLock l;
    *count = static_cast<LONG>(m_items.size());
    return S_OK;
}

HRESULT CEngineNode::GetItemAt(LONG index, IUnknown** item)
{
    CSchemaLock l;
    if (index < 0 || static_cast<size_t>(index) >= m_items.size()) {
        if (item) *item = nullptr;
        return E_INVALIDARG;
    }
    return HandOut(m_items[static_cast<size_t>(index)].object, item);
}

HRESULT CEngineNode::GetItem(const wchar_t* name, IUnknown** item)
{
    if (!item) return E_POINTER;
    *item = nullptr;
    if (!name) return E_INVALIDARG;
    CSchemaLock l;
    const Item* found = FindNamed(m_items, name);
    return found ? HandOut(found->object, item) : E_INVALIDARG;
}

HRESULT CEngineNode::GetValue(const wchar_t* name, VARIANT* value)
{
    if (!value) return E_POINTER;
    VariantClear(value);
    ComPtr<IUnknown> item;
    if (FAILED(GetItem(name, item.ReleaseAndGetAddressOf()))) return E_INVALIDARG;
    ComPtr<IEngineProperty> prop = item.As<IEngineProperty>();
    return prop ? prop->GetValue(value) : E_INVALIDARG;
}

HRESULT CEngineNode::SetValue(const wchar_t* name, VARIANT value)
{
    ComPtr<IUnknown> item;
    if (FAILED(GetItem(name, item.ReleaseAndGetAddressOf()))) return S_FALSE;  // unknown names are ignored
    ComPtr<IEngineProperty> prop = item.As<IEngineProperty>();
    return prop ? prop->SetValue(value) : S_FALSE;
}

HRESULT CEngineNode::AddProperty(const wchar_t* name, VARIANT defaultValue, IUnknown** property)
{
    if (!name || !*name) return E_INVALIDARG;
    CSchemaLock l;
    if (const Item* found = FindNamed(m_items, name)) {
        if (!dynamic_cast<CEngineProperty*>(found->object.Get())) return E_INVALIDARG;
        return property ? HandOut(found->object, property) : S_FALSE;
    }
    CEngineProperty* prop = Prop(name, CVariant(defaultValue));
    if (property) return HandOut(ComPtr<IUnknown>(static_cast<IEngineProperty*>(prop)), property);
    return S_OK;
}

HRESULT CEngineNode::AddChild(const wchar_t* name, IUnknown* child)
{
    if (!name || !*name || !child) return E_INVALIDARG;
    CSchemaLock l;
    if (FindNamed(m_items, name)) return E_INVALIDARG;
    m_items.push_back({name, ComPtr<IUnknown>(child)});
    Adopt(child);
    return S_OK;
}

HRESULT CEngineNode::RemoveItem(const wchar_t* name)
{
    if (!name) return E_INVALIDARG;
    ComPtr<IUnknown> removed;  // released after the lock
    CSchemaLock l;
    auto it = std::find_if(m_items.begin(), m_items.end(), [&](const Item& i) { return i.name == name; });
    if (it == m_items.end()) return S_FALSE;
    removed = std::move(it->object);
    m_items.erase(it);
    return S_OK;
}

HRESULT CEngineNode::ApplySwitch(IUnknown* property, LONG)
{
    ComPtr<IEngineProperty> prop = ComPtr<IUnknown>(property).As<IEngineProperty>();
    if (!prop) return E_INVALIDARG;
    CSchemaLock l;
    ComPtr<IUnknown> child;
    prop->GetChildNode(child.ReleaseAndGetAddressOf());
    if (!child) {
        BSTR name = nullptr;
        prop->GetName(&name);
        ComPtr<CEngineNode> node = MakeComObject<CEngineNode>(BstrToWString(name));
        SysFreeString(name);
        node->m_owner.Set(this);
        prop->SetChildNode(static_cast<IEngineNode*>(node.Get()));
    }
    return S_OK;
}

HRESULT CEngineNode::GetCount(LONG* count)
{
    if (!count) return E_POINTER;
    CSchemaLock l;
    if (m_roles & NODE_COLLECTION) *count = static_cast<LONG>(m_list.size());
    else *count = static_cast<LONG>(m_facts.empty() ? m_items.size() : m_facts.size());
    return S_OK;
}

HRESULT CEngineNode::GetAt(LONG index, IUnknown** item)
{
    CSchemaLock l;
    if (m_roles & NODE_COLLECTION) return GetItem(index, item);
    const std::vector<Item>& items = m_facts.empty() ? m_items : m_facts;
    if (index < 0 || static_cast<size_t>(index) >= items.size()) {
        if (item) *item = nullptr;
        return E_INVALIDARG;
    }
    return HandOut(items[static_cast<size_t>(index)].object, item);
}

HRESULT CEngineNode::GetDescription(BSTR* text) { return CopyOut(L"", text); }

HRESULT CEngineNode::GetFlags(DWORD* flags)
{
    if (!flags) return E_POINTER;
    *flags = 0;
    return S_OK;
}

HRESULT CEngineNode::GetDisplayText(BSTR* text) { return CopyOut(m_name, text); }

HRESULT CEngineNode::Contains(const wchar_t* name, BOOL* found)
{
    if (!found) return E_POINTER;
    ComPtr<IUnknown> item;
    *found = SUCCEEDED(GetItemByName(name, item.ReleaseAndGetAddressOf()));
    return S_OK;
}

HRESULT CEngineNode::GetItemByName(const wchar_t* name, IUnknown** item)
{
    if (!item) return E_POINTER;
    *item = nullptr;
    if (!name) return E_INVALIDARG;
    CSchemaLock l;
    if (IUnknown* found = FindDeep(name)) return HandOut(ComPtr<IUnknown>(found), item);
    // A node without facts shows its own items.
    if (m_facts.empty() && m_named.empty())
        if (const Item* own = FindNamed(m_items, name)) return HandOut(own->object, item);
    return E_INVALIDARG;
}

HRESULT CEngineNode::GetItem(LONG index, IUnknown** item)
{
    CSchemaLock l;
    if (!(m_roles & NODE_COLLECTION)) return GetAt(index, item);
    if (index < 0 || static_cast<size_t>(index) >= m_list.size()) {
        if (item) *item = nullptr;
        return E_INVALIDARG;
    }
    return HandOut(m_list[static_cast<size_t>(index)], item);
}

HRESULT CEngineNode::Remove(LONG index)
{
    ComPtr<IUnknown> removed;
    CSchemaLock l;
    if (!(m_roles & NODE_COLLECTION)) return E_ACCESSDENIED;
    if (index < 0 || static_cast<size_t>(index) >= m_list.size()) return E_INVALIDARG;
    removed = std::move(m_list[static_cast<size_t>(index)]);
    m_list.erase(m_list.begin() + index);
    return S_OK;
}

HRESULT CEngineNode::RemoveAll()
{
    std::vector<ComPtr<IUnknown>> removed;
    CSchemaLock l;
    if (!(m_roles & NODE_COLLECTION)) return E_ACCESSDENIED;
    removed.swap(m_list);
    return S_OK;
}

HRESULT CEngineNode::Insert(LONG index, IUnknown* item)
{
    if (!item) return E_INVALIDARG;
    CSchemaLock l;
    if (!(m_roles & NODE_COLLECTION)) return E_ACCESSDENIED;
    size_t at = std::clamp<LONG>(index, 0, static_cast<LONG>(m_list.size()));
    m_list.insert(m_list.begin() + static_cast<std::ptrdiff_t>(at), ComPtr<IUnknown>(item));
    Adopt(item);
    return S_OK;
}

HRESULT CEngineNode::Add(IUnknown* item)
{
    CSchemaLock l;
    return Insert(static_cast<LONG>(m_list.size()), item);
}

HRESULT CEngineNode::IndexOf(IUnknown* item, LONG* index)
{
    if (!index) return E_POINTER;
    *index = -1;
    ComPtr<IUnknown> wanted;
    if (item) item->QueryInterface(IID_IUnknown, wanted.ReleaseAndGetVoidAddress());
    CSchemaLock l;
    for (size_t i = 0; i < m_list.size(); ++i) {
        ComPtr<IUnknown> id;
        m_list[i]->QueryInterface(IID_IUnknown, id.ReleaseAndGetVoidAddress());
        if (id.Get() == wanted.Get()) {
            *index = static_cast<LONG>(i);
            return S_OK;
        }
    }
    return S_FALSE;
}

HRESULT CEngineNode::CreateNew(IUnknown** item)
{
    if (!m_factory) return E_NOTIMPL;
    ComPtr<IUnknown> made = m_factory();
    if (!made) return E_OUTOFMEMORY;
    HRESULT hr = Add(made.Get());
    if (FAILED(hr)) return hr;
    return item ? HandOut(made, item) : S_OK;
}

HRESULT CEngineNode::CreateItem(CLSID clsid, IUnknown** item)
{
    if (item) *item = nullptr;
    ComPtr<IUnknown> made;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, made.ReleaseAndGetVoidAddress());
    if (FAILED(hr)) return hr;
    hr = Add(made.Get());
    if (FAILED(hr)) return hr;
    return item ? HandOut(made, item) : S_OK;
}

HRESULT CEngineNode::AddSource(IUnknown* source, DWORD)
{
    if (!source) return E_INVALIDARG;
    CSchemaLock l;
    m_list.push_back(ComPtr<IUnknown>(source));  // a source keeps its own owner
    return S_OK;
}

HRESULT CEngineNode::SetMode(LONG mode)
{
    CSchemaLock l;
    m_mode = mode;
    return S_OK;
}

HRESULT CEngineNode::GetMode(LONG* mode)
{
    if (!mode) return E_POINTER;
    CSchemaLock l;
    *mode = m_mode;
    return S_OK;
}

HRESULT CEngineNode::SetSource(IUnknown* source)
{
    CSchemaLock l;
    // A source that names itself would keep itself alive.
    m_source = FromUnknown(source) == this ? ComPtr<IUnknown>() : ComPtr<IUnknown>(source);
    return S_OK;
}

HRESULT CEngineNode::GetSource(IUnknown** source)
{
    CSchemaLock l;
    return HandOut(m_source, source);
}

HRESULT CEngineNode::SetJob(IUnknown* job)
{
    if (job && !FromUnknown(job)) return E_INVALIDARG;
    m_job.Set(FromUnknown(job));
    return S_OK;
}

HRESULT CEngineNode::SetOwner(IUnknown* owner)
{
    if (owner && !FromUnknown(owner)) return E_INVALIDARG;
    m_owner.Set(FromUnknown(owner));
    return S_OK;
}

HRESULT CEngineNode::GetAssociated(IUnknown** object)
{
    CSchemaLock l;
    CEngineNode* node = m_associated.Get();
    if (object) return HandOutNode(node, object) == S_OK ? 1 : 0;
    return node && node->m_count.load() != 0 ? 1 : 0;
}

HRESULT CEngineNode::GetJob(IUnknown** job)
{
    CSchemaLock l;
    return HandOutNode(m_job.Get(), job);
}

CEngineProperty* CEngineNode::Prop(const std::wstring& name, const CVariant& defaultValue, DWORD flags)
{
    CSchemaLock l;
    if (const Item* found = FindNamed(m_items, name))
        if (auto* existing = dynamic_cast<CEngineProperty*>(found->object.Get())) return existing;
    ComPtr<CEngineProperty> prop = MakeComObject<CEngineProperty>(name, defaultValue, flags);
    prop->SetOwnerNode(this);
    m_items.push_back({name, ComPtr<IUnknown>(static_cast<IEngineProperty*>(prop.Get()))});
    return prop.Get();
}

CEngineNode* CEngineNode::Child(const std::wstring& name, ComPtr<CEngineNode> child)
{
    CSchemaLock l;
    CEngineNode* raw = child.Get();
    m_items.push_back({name, ComPtr<IUnknown>(static_cast<IEngineNode*>(raw))});
    if (!raw->m_owner.Get()) raw->m_owner.Set(this);
    return raw;
}

CEngineProperty* CEngineNode::Fact(const std::wstring& name, const CVariant& value, DWORD flags)
{
    CSchemaLock l;
    ComPtr<CEngineProperty> prop = MakeComObject<CEngineProperty>(name, value, flags);
    prop->SetOwnerNode(this);
    m_facts.push_back({name, ComPtr<IUnknown>(static_cast<IEngineProperty*>(prop.Get()))});
    return prop.Get();
}

CEngineNode* CEngineNode::FactGroup(const std::wstring& name)
{
    CSchemaLock l;
    ComPtr<CEngineNode> group = MakeComObject<CEngineNode>(name);
    group->m_owner.Set(this);
    m_facts.push_back({name, ComPtr<IUnknown>(static_cast<IEngineNode*>(group.Get()))});
    return group.Get();
}

CEngineProperty* CEngineNode::Publish(const std::wstring& name, const CVariant& value)
{
    CSchemaLock l;
    ComPtr<CEngineProperty> prop = MakeComObject<CEngineProperty>(name, value, EPF_READONLY);
    prop->SetOwnerNode(this);
    ComPtr<IUnknown> object(static_cast<IEngineProperty*>(prop.Get()));
    m_named.push_back({name, object});
    for (Item& item : m_items)
        if (item.name == name) {
            item.object = object;  // a fact published again
            return prop.Get();
        }
    m_items.push_back({name, object});
    return prop.Get();
}

void CEngineNode::ClearFacts()
{
    std::vector<Item> old, named;
    CSchemaLock l;
    old.swap(m_facts);
    named.swap(m_named);
}

CVariant CEngineNode::ValueOf(const std::wstring& name) const
{
    CSchemaLock l;
    if (const Item* found = FindNamed(m_items, name))
        if (auto* prop = dynamic_cast<CEngineProperty*>(found->object.Get())) return prop->Value();
    return CVariant();
}

}  // namespace mediaeng
