#pragma once
// The engine's object tree as the program reaches it: named nodes holding typed
// properties, child nodes and collections. Every engine object (media source,
// conversion job, profile and format nodes, watermark items) answers these
// interfaces. Methods are declared in slot order (IUnknown's three are 0..2).
#include "engine/EngineIds.h"
#include "engine/LockSchema.h"
#include "platform/Variant.h"

// Property flag bits (IEngineProperty::GetFlags, IEngineValue::GetFlags).
enum : DWORD {
    EPF_READONLY = 0x01,
    EPF_HIDDEN = 0x02,
    EPF_SWITCH = 0x20,  // a per-stream on/off switch the user may change
};

// A node: children and properties by name.
struct IEngineNode : IUnknown {
    static constexpr const GUID& kIID = IID_IEngineNode;
    virtual HRESULT GetName(BSTR* name) = 0;                                  // 3
    virtual HRESULT GetOwner(IUnknown** owner) = 0;                           // 4
    virtual HRESULT GetItemCount(LONG* count) = 0;                            // 5
    virtual HRESULT GetItemAt(LONG index, IUnknown** item) = 0;               // 6
    // Child node, collection or property by name; E_INVALIDARG when unknown.
    virtual HRESULT GetItem(const wchar_t* name, IUnknown** item) = 0;        // 7
    // Shortcuts over GetItem + IEngineProperty; a write of an unknown name is
    // ignored (S_FALSE), a read of one leaves *value EMPTY.
    virtual HRESULT GetValue(const wchar_t* name, VARIANT* value) = 0;        // 8
    virtual HRESULT SetValue(const wchar_t* name, VARIANT value) = 0;         // 9
    // Adds (or finds) a property of the default's kind; *property may be null.
    virtual HRESULT AddProperty(const wchar_t* name, VARIANT defaultValue, IUnknown** property) = 0;  // 10
    virtual HRESULT AddChild(const wchar_t* name, IUnknown* child) = 0;       // 11
    virtual HRESULT RemoveItem(const wchar_t* name) = 0;                      // 12
    // A switch property of this node was set to value: makes sure the switch's
    // settings node exists (IEngineProperty::GetChildNode then hands it out).
    virtual HRESULT ApplySwitch(IUnknown* property, LONG value) = 0;          // 13

protected:
    ~IEngineNode() = default;
};

// One typed, named value of a node; reads convert between VARIANT kinds.
struct IEngineProperty : IUnknown {
    static constexpr const GUID& kIID = IID_IEngineProperty;
    virtual HRESULT GetName(BSTR* name) = 0;                        // 3
    virtual HRESULT GetSettingsKey(BSTR* key) = 0;                  // 4  key of a per-stream switch
    virtual HRESULT GetDisplayText(BSTR* text) = 0;                 // 5
    virtual HRESULT GetDescription(BSTR* text) = 0;                 // 6
    virtual HRESULT GetFlags(DWORD* flags) = 0;                     // 7
    virtual HRESULT GetKind(VARTYPE* vt) = 0;                       // 8
    virtual HRESULT GetOwner(IUnknown** owner) = 0;                 // 9
    virtual HRESULT GetValue(VARIANT* value) = 0;                   // 10 in the property's kind
    virtual HRESULT GetDefault(VARIANT* value) = 0;                 // 11
    virtual HRESULT Reset() = 0;                                    // 12 back to the default
    virtual HRESULT GetValueAs(VARTYPE vt, VARIANT* value) = 0;     // 13
    virtual HRESULT IsSet(BOOL* set) = 0;                           // 14 written since creation/reset
    virtual HRESULT GetChildNode(IUnknown** node) = 0;              // 15 settings node of a switch
    virtual HRESULT SetChildNode(IUnknown* node) = 0;               // 16
    // Converts to the property's kind; a value that does not convert is refused.
    virtual HRESULT SetValue(VARIANT value) = 0;                    // 17

protected:
    ~IEngineProperty() = default;
};

// Read side of an item of a property container (what the source grid shows).
struct IEngineValue : IUnknown {
    static constexpr const GUID& kIID = IID_IEngineValue;
    virtual HRESULT GetName(BSTR* name) = 0;                        // 3
    virtual HRESULT GetDescription(BSTR* text) = 0;                 // 4
    virtual HRESULT GetDisplayText(BSTR* text) = 0;                 // 5
    virtual HRESULT GetFlags(DWORD* flags) = 0;                     // 6
    // The IEngineProperty behind a switch (its settings key and new values).
    virtual HRESULT GetLinkedObject(IUnknown** settings) = 0;       // 7
    virtual HRESULT GetKind(VARTYPE* vt) = 0;                       // 8
    virtual HRESULT GetOwner(IUnknown** owner) = 0;                 // 9
    virtual HRESULT GetAsI4(LONG* v) = 0;                           // 10
    virtual HRESULT GetAsUI4(ULONG* v) = 0;                         // 11
    virtual HRESULT GetAsR8(double* v) = 0;                         // 12
    virtual HRESULT GetAsBSTR(BSTR* v) = 0;                         // 13
    virtual HRESULT GetAsI8(LONGLONG* v) = 0;                       // 14
    virtual HRESULT GetValueAs(VARTYPE vt, VARIANT* value) = 0;     // 15
    virtual HRESULT IsEmpty(BOOL* empty) = 0;                       // 16
    virtual HRESULT GetDefault(VARIANT* value) = 0;                 // 17
    virtual HRESULT IsSet(BOOL* set) = 0;                           // 18
    virtual HRESULT Reset() = 0;                                    // 19
    virtual HRESULT GetSettingsKey(BSTR* key) = 0;                  // 20
    virtual HRESULT IsReadOnly(BOOL* readOnly) = 0;                 // 21
    virtual HRESULT GetValue(VARIANT* value) = 0;                   // 22

protected:
    ~IEngineValue() = default;
};

// A named group of items (categories of a source's facts, or a node's items);
// GetItemByName searches nested groups too.
struct IPropertyContainer : IUnknown {
    static constexpr const GUID& kIID = IID_IPropertyContainer;
    virtual HRESULT GetName(BSTR* name) = 0;                              // 3
    virtual HRESULT GetCount(LONG* count) = 0;                            // 4
    virtual HRESULT GetAt(LONG index, IUnknown** item) = 0;               // 5
    virtual HRESULT GetDescription(BSTR* text) = 0;                       // 6
    virtual HRESULT GetOwner(IUnknown** owner) = 0;                       // 7
    virtual HRESULT GetFlags(DWORD* flags) = 0;                           // 8
    virtual HRESULT GetDisplayText(BSTR* text) = 0;                       // 9
    virtual HRESULT Contains(const wchar_t* name, BOOL* found) = 0;       // 10
    // Item by name, depth first; E_INVALIDARG when none. Callers hold the
    // schema lock around it.
    virtual HRESULT GetItemByName(const wchar_t* name, IUnknown** item) = 0;   // 11

protected:
    ~IPropertyContainer() = default;
};

// An ordered collection of items.
struct IEngineCollection : IUnknown {
    static constexpr const GUID& kIID = IID_IEngineCollection;
    virtual HRESULT GetCount(LONG* count) = 0;                     // 3
    virtual HRESULT GetItem(LONG index, IUnknown** item) = 0;      // 4
    virtual HRESULT Remove(LONG index) = 0;                        // 5
    virtual HRESULT RemoveAll() = 0;                               // 6
    virtual HRESULT Insert(LONG index, IUnknown* item) = 0;        // 7 index clamped to 0..count
    virtual HRESULT Add(IUnknown* item) = 0;                       // 8
    virtual HRESULT IndexOf(IUnknown* item, LONG* index) = 0;      // 9 -1 when absent
    // New item of the collection's own kind, appended (e.g. a timeline range).
    virtual HRESULT CreateNew(IUnknown** item) = 0;                // 10

protected:
    ~IEngineCollection() = default;
};

// The job's "Files" node, and every "Watermarks" collection.
struct IFilesNode : IEngineCollection {
    static constexpr const GUID& kIID = IID_IFilesNode;
    // Creates an item of a class (a watermark item class id), appends it and
    // hands it out with one reference.
    virtual HRESULT CreateItem(CLSID clsid, IUnknown** item) = 0;   // 11
    // Adds a media source (one reference kept); flags are 0.
    virtual HRESULT AddSource(IUnknown* source, DWORD flags) = 0;   // 12

protected:
    ~IFilesNode() = default;
};

// Mode of a "Formats" collection: 3 while gallery output is set up, else 0.
struct IFormatsMode : IUnknown {
    static constexpr const GUID& kIID = IID_IFormatsMode;
    virtual HRESULT SetMode(LONG mode) = 0;    // 3
    virtual HRESULT GetMode(LONG* mode) = 0;   // 4

protected:
    ~IFormatsMode() = default;
};

// Links of a tree node or media source to its owner, its source and the job.
struct IMediaItem : IUnknown {
    static constexpr const GUID& kIID = IID_IMediaItem;
    virtual HRESULT GetOwner(IUnknown** owner) = 0;          // 3 (null when none; S_FALSE)
    virtual HRESULT SetSource(IUnknown* source) = 0;         // 4
    virtual HRESULT GetSource(IUnknown** source) = 0;        // 5
    virtual HRESULT SetJob(IUnknown* job) = 0;               // 6 (not owned: no cycle)
    virtual HRESULT SetOwner(IUnknown* owner) = 0;           // 7 (not owned)
    // The object this item was derived from (a title's disc source).
    // Returns 1 when there is one, 0 when not; out may be null to only ask.
    virtual HRESULT GetAssociated(IUnknown** object) = 0;    // 8
    virtual HRESULT GetJob(IUnknown** job) = 0;              // 9

protected:
    ~IMediaItem() = default;
};

// Gallery and montage data of a source ("GalleryData", "MontageData").
struct IGalleryData : IUnknown {
    static constexpr const GUID& kIID = IID_IGalleryData;
    // (0, 0, 1) clears what a finished run left.
    virtual HRESULT Update(LONG a, LONG b, LONG reset) = 0;   // 3

protected:
    ~IGalleryData() = default;
};

