#include "mediaeng/probe/SubFileList.h"
#include "engine/LockSchema.h"
#include "engine/MediaSourceKeys.h"
#include <utility>

namespace mediaeng {

CSubFileList::CSubFileList() : CEngineNode(sourcekey::SubFiles, NODE_COLLECTION) {}

void CSubFileList::Defer(Maker make)
{
    CSchemaLock l;
    AddDeferred();
    m_deferred = std::move(make);
}

// Under the schema lock, so a reader on another thread never sees the list
// before its item is in.
void CSubFileList::AddDeferred()
{
    CSchemaLock l;
    if (!m_deferred) return;
    const Maker make = std::exchange(m_deferred, nullptr);
    ComPtr<CEngineNode> sub = make();
    if (!sub) return;
    ComPtr<IUnknown> owner;  // none once the source is gone
    GetOwner(owner.ReleaseAndGetAddressOf());
    sub->SetOwner(owner.Get());
    sub->SetAssociated(FromUnknown(owner.Get()));
    CEngineNode::Add(static_cast<IEngineNode*>(sub.Get()));
}

HRESULT CSubFileList::GetCount(LONG* count)
{
    AddDeferred();
    return CEngineNode::GetCount(count);
}

HRESULT CSubFileList::GetItem(LONG index, IUnknown** item)
{
    AddDeferred();
    return CEngineNode::GetItem(index, item);
}

HRESULT CSubFileList::IndexOf(IUnknown* item, LONG* index)
{
    AddDeferred();
    return CEngineNode::IndexOf(item, index);
}

HRESULT CSubFileList::Remove(LONG index)
{
    AddDeferred();
    return CEngineNode::Remove(index);
}

HRESULT CSubFileList::RemoveAll()
{
    CSchemaLock l;
    m_deferred = nullptr;
    return CEngineNode::RemoveAll();
}

HRESULT CSubFileList::Insert(LONG index, IUnknown* item)
{
    AddDeferred();
    return CEngineNode::Insert(index, item);
}

HRESULT CSubFileList::Add(IUnknown* item)
{
    AddDeferred();
    return CEngineNode::Add(item);
}

HRESULT CSubFileList::AddSource(IUnknown* source, DWORD flags)
{
    AddDeferred();
    return CEngineNode::AddSource(source, flags);
}

}  // namespace mediaeng
