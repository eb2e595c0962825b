#pragma once
// The engine's tree objects: CEngineProperty (a typed, named value) and
// CEngineNode (named items; optionally a collection, a "Files"/"Watermarks"
// node, a "Formats" collection with a mode, a media item with links).
// Every structural change and every value access takes the schema lock, the
// one lock of the engine trees, so trees may be read from a job's worker
// while the program looks things up.
#include "engine/EngineNode.h"
#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace mediaeng {

class CEngineNode;

// A pointer to a node that does not keep it alive and turns null when the
// node goes away (owner, job and associated links).
class CNodeLink {
public:
    CNodeLink() = default;
    ~CNodeLink() { Set(nullptr); }
    CNodeLink(const CNodeLink&) = delete;
    CNodeLink& operator=(const CNodeLink&) = delete;
    void Set(CEngineNode* target);
    CEngineNode* Get() const { return m_target; }

private:
    friend class CEngineNode;
    CEngineNode* m_target = nullptr;
};

class CEngineProperty final
    : public CComObjectBase<IEngineProperty, IEngineValue, IGalleryData> {
public:
    // kind VT_EMPTY takes the kind of the first value written.
    CEngineProperty(std::wstring name, const VARIANT& defaultValue, DWORD flags = 0);

    // IEngineProperty / IEngineValue
    HRESULT GetName(BSTR* name) override;
    HRESULT GetSettingsKey(BSTR* key) override;
    HRESULT GetDisplayText(BSTR* text) override;
    HRESULT GetDescription(BSTR* text) override;
    HRESULT GetFlags(DWORD* flags) override;
    HRESULT GetKind(VARTYPE* vt) override;
    HRESULT GetOwner(IUnknown** owner) override;
    HRESULT GetValue(VARIANT* value) override;
    HRESULT GetDefault(VARIANT* value) override;
    HRESULT Reset() override;
    HRESULT GetValueAs(VARTYPE vt, VARIANT* value) override;
    HRESULT IsSet(BOOL* set) override;
    HRESULT GetChildNode(IUnknown** node) override;
    HRESULT SetChildNode(IUnknown* node) override;
    HRESULT SetValue(VARIANT value) override;
    HRESULT GetLinkedObject(IUnknown** settings) override;
    HRESULT GetAsI4(LONG* v) override;
    HRESULT GetAsUI4(ULONG* v) override;
    HRESULT GetAsR8(double* v) override;
    HRESULT GetAsBSTR(BSTR* v) override;
    HRESULT GetAsI8(LONGLONG* v) override;
    HRESULT IsEmpty(BOOL* empty) override;
    HRESULT IsReadOnly(BOOL* readOnly) override;
    // IGalleryData: a reset clears the property's child node's collections.
    HRESULT Update(LONG a, LONG b, LONG reset) override;

    const std::wstring& Name() const { return m_name; }
    void SetOwnerNode(CEngineNode* owner) { m_owner.Set(owner); }
    void SetSettingsKey(std::wstring key) { m_settingsKey = std::move(key); }
    void SetLinked(IUnknown* linked) { m_linked = ComPtr<IUnknown>(linked); }
    void SetDisplay(std::wstring text) { m_display = std::move(text); }
    void SetDescriptionText(std::wstring text) { m_description = std::move(text); }
    // Engine-side write that ignores the read-only flag.
    HRESULT Assign(const VARIANT& value);
    CVariant Value() const;
    void EnableGalleryData() { m_galleryData = true; }

    HRESULT QueryInterface(REFIID iid, void** out) override;

private:
    std::wstring m_name;
    VARTYPE m_kind;
    CVariant m_value;
    CVariant m_default;
    DWORD m_flags;
    bool m_set = false;
    bool m_galleryData = false;
    std::wstring m_settingsKey, m_display, m_description;
    ComPtr<IUnknown> m_child;
    ComPtr<IUnknown> m_linked;
    CNodeLink m_owner;
};

// Roles a node answers beyond IEngineNode, IPropertyContainer and IMediaItem.
enum : DWORD {
    NODE_COLLECTION = 0x1,   // IEngineCollection
    NODE_FILES = 0x2,        // IFilesNode (implies a collection)
    NODE_FORMATS = 0x4,      // IFormatsMode
};

class CEngineNode : public CComObjectBase<IEngineNode, IPropertyContainer, IFilesNode, IFormatsMode, IMediaItem> {
public:
    explicit CEngineNode(std::wstring name, DWORD roles = 0);
    ~CEngineNode() override;

    // Counted here so a link can take a reference only while the node lives:
    // a node whose count reached 0 is gone for its links even before its
    // destructor has unlinked them.
    ULONG AddRef() override { return ++m_count; }
    ULONG Release() override;
    bool TryAddRef();

    // IEngineNode
    HRESULT GetName(BSTR* name) override;
    HRESULT GetOwner(IUnknown** owner) override;
    HRESULT GetItemCount(LONG* count) override;
    HRESULT GetItemAt(LONG index, IUnknown** item) override;
    HRESULT GetItem(const wchar_t* name, IUnknown** item) override;
    HRESULT GetValue(const wchar_t* name, VARIANT* value) override;
    HRESULT SetValue(const wchar_t* name, VARIANT value) override;
    HRESULT AddProperty(const wchar_t* name, VARIANT defaultValue, IUnknown** property) override;
    HRESULT AddChild(const wchar_t* name, IUnknown* child) override;
    HRESULT RemoveItem(const wchar_t* name) override;
    HRESULT ApplySwitch(IUnknown* property, LONG value) override;
    // IPropertyContainer (GetName, GetOwner shared)
    HRESULT GetCount(LONG* count) override;
    HRESULT GetAt(LONG index, IUnknown** item) override;
    HRESULT GetDescription(BSTR* text) override;
    HRESULT GetFlags(DWORD* flags) override;
    HRESULT GetDisplayText(BSTR* text) override;
    HRESULT Contains(const wchar_t* name, BOOL* found) override;
    HRESULT GetItemByName(const wchar_t* name, IUnknown** item) override;
    // IEngineCollection / IFilesNode (GetCount shared)
    HRESULT GetItem(LONG index, IUnknown** item) override;
    HRESULT Remove(LONG index) override;
    HRESULT RemoveAll() override;
    HRESULT Insert(LONG index, IUnknown* item) override;
    HRESULT Add(IUnknown* item) override;
    HRESULT IndexOf(IUnknown* item, LONG* index) override;
    HRESULT CreateNew(IUnknown** item) override;
    HRESULT CreateItem(CLSID clsid, IUnknown** item) override;
    HRESULT AddSource(IUnknown* source, DWORD flags) override;
    // IFormatsMode
    HRESULT SetMode(LONG mode) override;
    HRESULT GetMode(LONG* mode) override;
    // IMediaItem (GetOwner shared)
    HRESULT SetSource(IUnknown* source) override;
    HRESULT GetSource(IUnknown** source) override;
    HRESULT SetJob(IUnknown* job) override;
    HRESULT SetOwner(IUnknown* owner) override;
    HRESULT GetAssociated(IUnknown** object) override;
    HRESULT GetJob(IUnknown** job) override;

    // Engine-side building.
    CEngineProperty* Prop(const std::wstring& name, const CVariant& defaultValue, DWORD flags = 0);
    CEngineNode* Child(const std::wstring& name, ComPtr<CEngineNode> child);
    // A fact of the property container (not a settable item of the node).
    CEngineProperty* Fact(const std::wstring& name, const CVariant& value, DWORD flags = EPF_READONLY);
    CEngineNode* FactGroup(const std::wstring& name);
    // A read-only fact found by name (node and container) but not listed
    // among the container's categories.
    CEngineProperty* Publish(const std::wstring& name, const CVariant& value);
    void ClearFacts();
    // Collections: what CreateNew makes.
    void SetItemFactory(std::function<ComPtr<IUnknown>()> factory) { m_factory = std::move(factory); }
    void SetAssociated(CEngineNode* node) { m_associated.Set(node); }
    CVariant ValueOf(const std::wstring& name) const;
    const std::wstring& Name() const { return m_name; }
    static CEngineNode* FromUnknown(IUnknown* object);

    HRESULT QueryInterface(REFIID iid, void** out) override;

protected:
    void* QueryExtra(REFIID iid) override;

private:
    friend class CNodeLink;
    struct Item {
        std::wstring name;
        ComPtr<IUnknown> object;
    };
    const Item* FindNamed(const std::vector<Item>& items, const std::wstring& name) const;
    IUnknown* FindDeep(const std::wstring& name) const;
    void Adopt(IUnknown* object);

    std::wstring m_name;
    DWORD m_roles;
    std::vector<Item> m_items;   // node view: properties and children by name
    std::vector<Item> m_facts;   // container view: facts and fact groups
    std::vector<Item> m_named;   // facts found by name only
    std::vector<ComPtr<IUnknown>> m_list;  // collection items
    std::function<ComPtr<IUnknown>()> m_factory;
    LONG m_mode = 0;
    ComPtr<IUnknown> m_source;
    CNodeLink m_owner, m_job, m_associated;
    std::vector<CNodeLink*> m_backLinks;  // links that point at this node
    std::atomic<ULONG> m_count{0};
};

}  // namespace mediaeng
