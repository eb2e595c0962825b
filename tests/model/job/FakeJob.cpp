#include "FakeJob.h"
#include "fixtures/ClassOverride.h"
#include "engine/EngineIds.h"
#include "platform/ClassRegistry.h"
#include <sstream>

namespace jobfakes {

namespace {
HRESULT AnswerOwner(IUnknown* owner, IUnknown** out)
{
    *out = owner;
    if (owner) owner->AddRef();
    return owner ? S_OK : S_FALSE;
}
}  // namespace

std::vector<std::wstring> Log::With(const std::wstring& prefix) const
{
    std::vector<std::wstring> out;
    for (const std::wstring& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
    return out;
}

std::wstring Describe(const VARIANT& v)
{
    std::wostringstream s;
    switch (v.vt) {
    case VT_I4: s << L"I4|" << v.lVal; break;
    case VT_UI4: s << L"UI4|" << v.ulVal; break;
    case VT_R8: s << L"R8|" << v.dblVal; break;
    case VT_BSTR: s << L"BSTR|" << BstrToWString(v.bstrVal); break;
    case VT_EMPTY: s << L"EMPTY|"; break;
    default: s << L"VT" << v.vt << L"|"; break;
    }
    return s.str();
}

HRESULT Property::SetValue(VARIANT value)
{
    m_log->lines.push_back(m_path + L"|" + Describe(value));
    return VariantCopy(&m_value, &value);
}

HRESULT Property::Update(LONG a, LONG b, LONG reset)
{
    m_log->lines.push_back(m_path + L"|Update(" + std::to_wstring(a) + L"," + std::to_wstring(b) + L","
                           + std::to_wstring(reset) + L")");
    return S_OK;
}

HRESULT Node::GetItem(const wchar_t* name, IUnknown** item)
{
    *item = nullptr;
    if (auto c = m_children.find(name); c != m_children.end()) {
        *item = c->second.Get();
        (*item)->AddRef();
        return S_OK;
    }
    if (m_log->missing.count(name)) return E_INVALIDARG;
    ComPtr<Property>& p = m_properties[name];
    if (!p) p = MakeComObject<Property>(m_log, m_path + L"|" + name);
    *item = static_cast<IEngineProperty*>(p.Get());
    (*item)->AddRef();
    return S_OK;
}

CVariant Node::Value(const std::wstring& name)
{
    auto p = m_properties.find(name);
    return p == m_properties.end() ? CVariant() : CVariant(p->second->m_value);
}

HRESULT Node::GetOwner(IUnknown** out)
{
    return AnswerOwner(owner, out);
}

HRESULT Node::SetSource(IUnknown* source)
{
    m_log->lines.push_back(m_path + L"|SetSource|" + (source ? L"set" : L"null"));
    return S_OK;
}

HRESULT Node::SetJob(IUnknown* j)
{
    job = j;
    m_log->lines.push_back(m_path + L"|SetJob|" + (j ? L"job" : L"null"));
    return S_OK;
}

HRESULT Node::SetOwner(IUnknown* newOwner)
{
    owner = newOwner;
    m_log->lines.push_back(m_path + L"|SetOwner");
    return S_OK;
}

HRESULT Node::GetAssociated(IUnknown** object)
{
    if (object) *object = nullptr;
    return associated ? 1 : 0;
}

HRESULT Node::GetItemByName(const wchar_t* name, IUnknown** item)
{
    *item = nullptr;
    if (!facts.count(name)) return E_INVALIDARG;
    ComPtr<Property> p = MakeComObject<Property>(m_log, m_path + L"|fact");
    *item = static_cast<IEngineProperty*>(p.Detach());
    return S_OK;
}

HRESULT Node::Open(IMsgHandler*)
{
    if (onOpen) onOpen(*this);
    return openResult;
}

HRESULT Node::GetLastError(BSTR* text)
{
    *text = SysAllocString(L"cannot open");
    return S_OK;
}

HRESULT Node::ResetAfterJob(LONG a, LONG b)
{
    m_log->lines.push_back(m_path + L"|ResetAfterJob(" + std::to_wstring(a) + L"," + std::to_wstring(b) + L")");
    return S_OK;
}

HRESULT Node::QueryInterface(REFIID iid, void** out)
{
    if (!isSource && (iid == IMediaSourceGraph::kIID || iid == IPropertyContainer::kIID)) {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    return CComObjectBase::QueryInterface(iid, out);
}

HRESULT Collection::AddSource(IUnknown* source, DWORD flags)
{
    if (refuse.count(source)) return E_FAIL;
    ComPtr<IEngineNode> node = ComPtr<IUnknown>(source).As<IEngineNode>();
    const std::wstring name = node ? static_cast<Node*>(node.Get())->Path() : L"?";
    m_log->lines.push_back(m_path + L"|AddSource|" + name + L"|" + std::to_wstring(flags));
    items.push_back(ComPtr<IUnknown>(source));
    return S_OK;
}

HRESULT Collection::SetMode(LONG m)
{
    mode = m;
    m_log->lines.push_back(m_path + L"|Mode|" + std::to_wstring(m));
    return S_OK;
}

HRESULT Collection::GetMode(LONG* m)
{
    *m = mode;
    return S_OK;
}

HRESULT Collection::GetOwner(IUnknown** out)
{
    return AnswerOwner(owner, out);
}

void* Collection::QueryExtra(REFIID iid)
{
    return iid == IEngineCollection::kIID ? static_cast<IEngineCollection*>(static_cast<IFilesNode*>(this)) : nullptr;
}

Profile MakeProfile(LogPtr log, int index, int formatCount)
{
    Profile p;
    const std::wstring name = L"P" + std::to_wstring(index);
    p.node = MakeComObject<Node>(log, name);
    p.formats = MakeComObject<Collection>(log, name + L"|Formats");
    p.formats->owner = static_cast<IEngineNode*>(p.node.Get());
    p.node->Child(L"Formats", ComPtr<IUnknown>(static_cast<IFilesNode*>(p.formats.Get())));
    for (int j = 0; j < formatCount; ++j) {
        ComPtr<Node> f = MakeComObject<Node>(log, name + L"F" + std::to_wstring(j));
        f->owner = static_cast<IFilesNode*>(p.formats.Get());
        p.formats->items.push_back(ComPtr<IUnknown>(static_cast<IEngineNode*>(f.Get())));
        p.formatNodes.push_back(f);
    }
    return p;
}

int Job::s_live = 0;

Job::Job(LogPtr l) : log(std::move(l))
{
    ++s_live;
    root = MakeComObject<Node>(log, L"Job");
    files = MakeComObject<Collection>(log, L"Files");
    profiles = MakeComObject<Collection>(log, L"Profiles");
    root->Child(L"Files", ComPtr<IUnknown>(static_cast<IFilesNode*>(files.Get())));
    root->Child(L"Profiles", ComPtr<IUnknown>(static_cast<IFilesNode*>(profiles.Get())));
}

Job::~Job()
{
    --s_live;
}

void Job::AddProfile(int formatCount)
{
    Profile p = MakeProfile(log, static_cast<int>(profileList.size()), formatCount);
    p.node->owner = static_cast<IFilesNode*>(profiles.Get());
    profiles->items.push_back(ComPtr<IUnknown>(static_cast<IEngineNode*>(p.node.Get())));
    profileList.push_back(p);
}

ComPtr<Node> MakeSource(LogPtr log, const std::wstring& path, std::set<std::wstring> facts)
{
    ComPtr<Node> s = MakeComObject<Node>(log, path);
    s->isSource = true;
    s->facts = std::move(facts);
    return s;
}

SourceFactory::SourceFactory(LogPtr log) : m_log(std::move(log))
{
    m_override = std::make_unique<CClassOverride>(CLSID_MediaSource, [this]() -> IUnknown* {
        ComPtr<Node> s = MakeSource(m_log, L"S" + std::to_wstring(made.size()), {});
        s->onOpen = [this](Node& n) {
            const std::wstring name = n.Value(L"FileName").AsString();
            if (failing.count(name)) {
                n.openResult = E_FAIL;
                return;
            }
            n.facts = {L"Video", L"Width", L"Height"};
            for (const std::wstring& end : imageEndings)
                if (name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0)
                    n.facts = {L"Width", L"Height"};
        };
        made.push_back(s);
        return static_cast<IEngineNode*>(s.Get());
    });
}

SourceFactory::~SourceFactory() = default;

}  // namespace jobfakes
