#pragma once
// By-name access to the nodes of an engine job: its "Files" node, its
// "Profiles" collection and the "Formats" collection of a profile, held in
// gallery mode while output settings are written. Every function releases
// what it obtains; a missing interface or child gives null.
#include "engine/EngineNode.h"
#include "platform/Variant.h"
#include <string>

// The job's "Files" node, or null.
ComPtr<IFilesNode> GetFilesNode(IUnknown* job);
// The named child's property interface, or null; its value goes to *value
// when both are given.
ComPtr<IEngineProperty> GetNamedProperty(IUnknown* object, const wchar_t* name, VARIANT* value);
// The object's "Profiles" child as a collection, or null.
ComPtr<IEngineCollection> GetProfilesNode(IUnknown* object);

// A "Formats" collection held open (in gallery mode 3 or plain mode 0) with
// the node it belongs to; the destructor closes it.
class CFormatsNodeHolder {
public:
    CFormatsNodeHolder() = default;
    ~CFormatsNodeHolder();
    CFormatsNodeHolder(const CFormatsNodeHolder&) = delete;
    CFormatsNodeHolder& operator=(const CFormatsNodeHolder&) = delete;

    IEngineCollection* Formats() const { return m_formats.Get(); }
    IUnknown* Node() const { return m_node.Get(); }
    int GalleryFlag() const { return m_gallery; }

private:
    friend void OpenFormatsNode(CFormatsNodeHolder& holder, IUnknown* node, int gallery);
    friend void CloseFormatsNode(CFormatsNodeHolder& holder);

    ComPtr<IEngineCollection> m_formats;
    int m_gallery = 0;
    ComPtr<IUnknown> m_node;
};

// Holds node's "Formats" collection, in mode 3 when gallery is set and the
// node's "GalleryType" is 1, else mode 0.
void OpenFormatsNode(CFormatsNodeHolder& holder, IUnknown* node, int gallery);
// Puts the collection back to mode 0 and lets go of both.
void CloseFormatsNode(CFormatsNodeHolder& holder);

// 0 for the one codec that cannot encode in two passes ("Screen video",
// exactly), else 1.
int AllowsTwoPass(const std::wstring& codec);
