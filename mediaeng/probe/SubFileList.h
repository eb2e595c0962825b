#pragma once
// The "SubFiles" list of a media source. A file, or a DVD title opened by its
// own name, is its own one sub-file: a second source object with the same
// name and facts. Only sources split into chapters, and the one shown, ever
// read that list, so its item is made when the list is first read rather
// than with every probe of a file added to a list.
#include "mediaeng/core/EngineObjects.h"
#include <functional>

namespace mediaeng {

class CSubFileList final : public CEngineNode {
public:
    using Maker = std::function<ComPtr<CEngineNode>()>;

    CSubFileList();

    // The list's next item, made by make at the first read, with the list's
    // owner as its owner. An item deferred earlier is added first.
    void Defer(Maker make);

    using CEngineNode::GetItem;
    HRESULT GetCount(LONG* count) override;
    HRESULT GetItem(LONG index, IUnknown** item) override;
    HRESULT IndexOf(IUnknown* item, LONG* index) override;
    HRESULT Remove(LONG index) override;
    HRESULT RemoveAll() override;
    HRESULT Insert(LONG index, IUnknown* item) override;
    HRESULT Add(IUnknown* item) override;
    HRESULT AddSource(IUnknown* source, DWORD flags) override;

private:
    void AddDeferred();

    Maker m_deferred;
};

}  // namespace mediaeng
