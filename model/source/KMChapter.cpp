#include "model/source/KMChapter.h"
#include "engine/EngineNode.h"
#include "engine/MediaSourceKeys.h"
#include "model/source/Files.h"
#include "model/source/PropertyAccess.h"
#include "model/source/SourceName.h"
#include "model/source/SourceShell.h"

CKMChapter::CKMChapter() = default;

CKMChapter::~CKMChapter() = default;

std::wstring CKMChapter::GetDisplayName()
{
    if (m_chapterId >= 0 && m_displayName.empty())
        m_displayName = m_fileName + L"#" + std::to_wstring(m_chapterId);
    return m_displayName.empty() ? m_fileName : m_displayName;
}

HRESULT CKMChapter::Open(int noSplit)
{
    CWaitCursorScope busy;
    if (m_chapterId >= 0) return OpenChapter();
    if (noSplit == 0) return OpenWholeFile();
    return S_OK;
}

int CKMChapter::HasError() const
{
    return (!m_openError.empty() || !m_lastError.empty()) ? 1 : 0;
}

void CKMChapter::Attach(IUnknown* source, IUnknown* subFile, int chapterIndex)
{
    SetSources(source, subFile);
    CVariant name = GetSourceProperty(subFile, sourcekey::FileName);
    if (name.vt == VT_BSTR) m_displayName = ShownSourceName(BstrToWString(name.bstrVal));
    m_chapterId = chapterIndex;
    m_infoRead = 1;
    CVariant id;
    GetSourcePropertyValue(subFile, L"unique_file_id", &id);
    if (id.vt != VT_EMPTY) m_uniqueId = id.AsInt();
    if (IUnknown* current = OverrideSource()) ReadMediaInfo(current);
}

namespace {
ComPtr<IUnknown> SubFileAt(IEngineCollection* subFiles, int index)
{
    ComPtr<IUnknown> item;
    subFiles->GetItem(index, item.ReleaseAndGetAddressOf());
    return item;
}

int SubFileCount(IEngineCollection* subFiles)
{
    int32_t count = 0;
    if (FAILED(subFiles->GetCount(&count)) || count < 0) return 0;
    return count;
}
}

HRESULT CKMChapter::OpenWholeFile()
{
    ComPtr<IUnknown> source = CurrentSource();
    if (!source) return S_OK;
    ComPtr<IEngineCollection> subFiles = GetSubFiles(source.Get());
    if (!subFiles) return S_OK;
    int count = SubFileCount(subFiles.Get());
    // Without a list to take the other chapters the file stays whole rather
    // than losing them.
    if (count <= 1 || !m_owner) return S_OK;
    for (int i = 0; i < count; ++i) {
        ComPtr<IUnknown> subFile = SubFileAt(subFiles.Get(), i);
        if (!subFile) continue;
        if (i == 0)
            Attach(source.Get(), subFile.Get(), 0);
        else
            AddSubFileEntry(source.Get(), subFile.Get(), i);
    }
    return kSplitIntoChapters;
}

void CKMChapter::AddSubFileEntry(IUnknown* source, IUnknown* subFile, int index)
{
    if (CKMFile* entry = m_owner->AddCopyOf(this))
        entry->Attach(source, subFile, index);
}

HRESULT CKMChapter::OpenChapter()
{
    ComPtr<IUnknown> source = CurrentSource();  // held while the chapters attach
    ComPtr<IEngineCollection> subFiles = GetSubFiles(source.Get());
    if (!subFiles) return S_OK;
    int count = SubFileCount(subFiles.Get());
    for (int i = 0; i < count; ++i) {
        ComPtr<IUnknown> subFile = SubFileAt(subFiles.Get(), i);
        if (!subFile) continue;
        if (i == m_chapterId) {
            Attach(source.Get(), subFile.Get(), i);
        } else if (m_owner) {
            if (CKMFile* sibling = m_owner->FindByName(m_fileName, i))
                sibling->Attach(source.Get(), subFile.Get(), i);
        }
    }
    return S_OK;
}
