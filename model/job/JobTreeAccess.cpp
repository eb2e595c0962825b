#include "model/job/JobTreeAccess.h"
#include "engine/JobTreeKeys.h"
#include "model/source/PropertyAccess.h"

namespace {

void SetFormatsMode(IEngineCollection* formats, LONG mode)
{
    if (!formats) return;
    if (ComPtr<IFormatsMode> m = ComPtr<IUnknown>(formats).As<IFormatsMode>()) m->SetMode(mode);
}

}  // namespace

ComPtr<IFilesNode> GetFilesNode(IUnknown* job)
{
    return GetNodeItem(job, jobkey::Files).As<IFilesNode>();
}

ComPtr<IEngineProperty> GetNamedProperty(IUnknown* object, const wchar_t* name, VARIANT* value)
{
    ComPtr<IEngineProperty> property = GetNodeItem(object, name).As<IEngineProperty>();
    if (property && value) property->GetValue(value);
    return property;
}

ComPtr<IEngineCollection> GetProfilesNode(IUnknown* object)
{
    return GetNodeItem(object, jobkey::Profiles).As<IEngineCollection>();
}

void OpenFormatsNode(CFormatsNodeHolder& holder, IUnknown* node, int gallery)
{
    CloseFormatsNode(holder);
    holder.m_node = ComPtr<IUnknown>(node);
    holder.m_formats = GetNodeItem(node, jobkey::Formats).As<IEngineCollection>();
    LONG mode = 0;
    if (gallery) {
        if (GetSourceProperty(node, jobkey::GalleryType).AsInt() == 1) mode = 3;
    }
    SetFormatsMode(holder.m_formats.Get(), mode);
    holder.m_gallery = gallery;
}

void CloseFormatsNode(CFormatsNodeHolder& holder)
{
    if (holder.m_node) {
        ComPtr<IEngineCollection> formats = GetNodeItem(holder.m_node.Get(), jobkey::Formats).As<IEngineCollection>();
        SetFormatsMode(formats.Get(), 0);
    }
    holder.m_node = nullptr;
    holder.m_formats = nullptr;
    holder.m_gallery = 0;
}

CFormatsNodeHolder::~CFormatsNodeHolder()
{
    CloseFormatsNode(*this);
}

int AllowsTwoPass(const std::wstring& codec)
{
    return codec == L"Screen video" ? 0 : 1;
}
