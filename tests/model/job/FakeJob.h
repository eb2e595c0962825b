#pragma once
// Stand-ins for the engine's job tree and media sources: every property
// write, link, mode change and gallery-data call lands in one ordered log as
// "path|name|kind|value", and the job counts its live instances.
#include "../common/EngineStubs.h"
#include "engine/ConversionJob.h"
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CClassOverride;

namespace jobfakes {

struct Log {
    std::vector<std::wstring> lines;
    std::set<std::wstring> missing;  // names no node answers
    // Lines that begin with prefix, in order.
    std::vector<std::wstring> With(const std::wstring& prefix) const;
};
using LogPtr = std::shared_ptr<Log>;

std::wstring Describe(const VARIANT& v);  // "I4|3", "BSTR|text", "R8|10", ...

class Property : public CComObjectBase<stubs::StubEngineProperty, IGalleryData> {
public:
    Property(LogPtr log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    HRESULT SetValue(VARIANT value) override;
    HRESULT GetValue(VARIANT* value) override { return VariantCopy(value, &m_value); }
    HRESULT Update(LONG a, LONG b, LONG reset) override;
    CVariant m_value;

private:
    LogPtr m_log;
    std::wstring m_path;
};

// A node, and a media source: answers any property name (except the log's
// missing names), holds named children, links to an owner and records the
// media-item links; as a source its container lists the facts it was given.
class Node : public CComObjectBase<stubs::StubEngineNode, stubs::StubMediaItem, stubs::StubPropertyContainer,
                                   stubs::StubMediaSourceGraph> {
public:
    Node(LogPtr log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    void Child(const std::wstring& name, ComPtr<IUnknown> child) { m_children[name] = std::move(child); }
    CVariant Value(const std::wstring& name);  // EMPTY when never written
    const std::wstring& Path() const { return m_path; }

    IUnknown* owner = nullptr;       // not owned
    IUnknown* job = nullptr;         // last SetJob, not owned
    bool associated = false;         // GetAssociated answers 1
    std::set<std::wstring> facts;    // container items ("Width", "Height", "Video")
    HRESULT openResult = S_OK;
    bool isSource = false;           // answers IMediaSourceGraph / IPropertyContainer
    std::function<void(Node&)> onOpen;  // lets a test shape the source by its "FileName"

    // IEngineNode
    HRESULT GetItem(const wchar_t* name, IUnknown** item) override;
    HRESULT GetOwner(IUnknown** out) override;  // also the media item's and the container's
    // IMediaItem
    HRESULT SetSource(IUnknown* source) override;
    HRESULT SetJob(IUnknown* job) override;
    HRESULT SetOwner(IUnknown* newOwner) override;
    HRESULT GetAssociated(IUnknown** object) override;
    // IPropertyContainer
    HRESULT GetItemByName(const wchar_t* name, IUnknown** item) override;
    // IMediaSourceGraph
    HRESULT Open(IMsgHandler*) override;
    HRESULT ContinueOpen(IProgressImpl*) override { return S_OK; }
    HRESULT GetLastError(BSTR* text) override;
    HRESULT Close() override { return S_OK; }
    HRESULT ReleaseGraph() override { return S_OK; }
    HRESULT ResetAfterJob(LONG a, LONG b) override;

    HRESULT QueryInterface(REFIID iid, void** out) override;

private:
    LogPtr m_log;
    std::wstring m_path;
    std::map<std::wstring, ComPtr<IUnknown>> m_children;
    std::map<std::wstring, ComPtr<Property>> m_properties;
};

// "Profiles", "Formats" (with its mode) and "Files" collections.
class Collection
    : public CComObjectBase<stubs::ItemsCollectionOf<stubs::StubFilesNode>, IFormatsMode, stubs::StubMediaItem> {
public:
    Collection(LogPtr log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    IUnknown* owner = nullptr;  // not owned
    std::set<IUnknown*> refuse;  // AddSource fails for these
    LONG mode = 0;

    HRESULT AddSource(IUnknown* source, DWORD flags) override;
    HRESULT SetMode(LONG m) override;
    HRESULT GetMode(LONG* m) override;
    HRESULT GetOwner(IUnknown** out) override;
    HRESULT GetAssociated(IUnknown**) override { return 0; }

protected:
    void* QueryExtra(REFIID iid) override;

private:
    LogPtr m_log;
    std::wstring m_path;
};

// A profile node "P<i>" with a "Formats" collection of the given number of
// format nodes "P<i>F<j>", owners linked as the engine links them.
struct Profile {
    ComPtr<Node> node;
    ComPtr<Collection> formats;
    std::vector<ComPtr<Node>> formatNodes;
};
Profile MakeProfile(LogPtr log, int index, int formatCount);

// The job: "Files" and "Profiles"; counts live instances and its calls.
class Job : public CComObjectBase<IConversionJob, stubs::StubEngineNode> {
public:
    static int s_live;
    Job(LogPtr log);
    ~Job() override;
    void AddProfile(int formatCount);

    LogPtr log;
    ComPtr<Node> root;
    ComPtr<Collection> files;
    ComPtr<Collection> profiles;
    std::vector<Profile> profileList;
    HRESULT initResult = S_OK;
    HRESULT runResult = S_OK;
    int inits = 0, runs = 0, pauses = 0, stops = 0;

    // IConversionJob
    HRESULT GetRoot(IEngineNode**) override { return E_NOTIMPL; }
    HRESULT GetState(LONG*) override { return E_NOTIMPL; }
    HRESULT Wait(DWORD) override { return S_OK; }
    HRESULT GetFilesNode(IFilesNode**) override { return E_NOTIMPL; }
    HRESULT GetProfiles(IEngineCollection**) override { return E_NOTIMPL; }
    HRESULT GetResult(HRESULT*) override { return E_NOTIMPL; }
    HRESULT Init(LONG) override { ++inits; return initResult; }
    HRESULT Run(LONG, LONG, LONG, IMsgHandler*) override { ++runs; return runResult; }
    HRESULT Pause() override { ++pauses; return S_OK; }
    HRESULT Stop() override { ++stops; return S_OK; }
    // IEngineNode, through the root node
    HRESULT GetItem(const wchar_t* name, IUnknown** item) override { return root->GetItem(name, item); }
};

// Makes the engine's media source class hand out fake sources while it
// lives: a file whose name ends with one of imageEndings probes as a still
// picture, one in failing fails to open, any other as video.
class SourceFactory {
public:
    explicit SourceFactory(LogPtr log);
    ~SourceFactory();
    std::vector<std::wstring> imageEndings{L".jpg"};
    std::set<std::wstring> failing;  // by file name
    std::vector<ComPtr<Node>> made;

private:
    LogPtr m_log;
    std::unique_ptr<CClassOverride> m_override;  // last: its factory uses the members above
};

// A media source named path with the given container facts.
ComPtr<Node> MakeSource(LogPtr log, const std::wstring& path, std::set<std::wstring> facts = {L"Video"});

}  // namespace jobfakes
