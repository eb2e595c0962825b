#include "model/source/InputDVD.h"
#include "engine/EngineNode.h"
#include "engine/MediaSourceGraph.h"
#include "engine/MediaSourceKeys.h"
#include "model/source/PropertyAccess.h"
#include "model/source/SourceName.h"

CInputDVD::~CInputDVD()
{
    m_dvd.reset();
    m_titles.RemoveFiles(-1);
}

HRESULT CInputDVD::RegisterParams(CConfigMng* node)
{
    CConfigMng::AddParam(node, L"path_dvd", 2, &m_path, 0);
    CConfigMng::AddParam(node, L"join", 0, &m_join, 0);
    return S_OK;
}

void CInputDVD::SetPath(const std::wstring& path)
{
    m_path = path;
    m_excluded.RemoveFiles(-1);
}

bool CInputDVD::IsOpen(const std::wstring& path) const
{
    // A DVD whose open failed does not count as open, so it can be tried again.
    return m_dvd && m_dvd->m_fileName == path && m_dvd->HasOwnSource() && m_dvd->m_infoRead;
}

HRESULT CInputDVD::LoadTitles(std::wstring path, int reuseOpen)
{
    if (!reuseOpen && IsOpen(path)) return S_FALSE;
    if (reuseOpen && m_dvd) path = m_dvd->m_fileName;
    if (path.empty()) return S_OK;

    m_dvd.reset();
    m_titles.ClearMarks();
    m_dvd = CKMFile::Create(path, 1);
    m_dvd->m_owner = m_owner;
    HRESULT status = m_dvd->OpenMediaSource(m_dvd->m_fileName);
    // A disc that cannot be read leaves the titles as they are: their trims
    // and choices come back when it is inserted again.
    if (FAILED(status)) return status;
    ComPtr<IUnknown> source = m_dvd->CurrentSource();
    ComPtr<IEngineCollection> subFiles = GetSubFiles(source.Get());
    if (!source || !subFiles) return status;
    MatchTitles(source.Get(), subFiles.Get());
    m_titles.PurgeUnmarked();
    return status;
}

void CInputDVD::MatchTitles(IUnknown* dvdSource, IEngineCollection* subFiles)
{
    int32_t count = 0;
    if (FAILED(subFiles->GetCount(&count))) return;
    for (int32_t i = 0; i < count; ++i) {
        ComPtr<IUnknown> title;
        subFiles->GetItem(i, title.ReleaseAndGetAddressOf());
        if (!title) continue;
        CVariant name = GetSourceProperty(title.Get(), sourcekey::FileName);
        if (ComPtr<IMediaItem> item = QueryMediaItem(title.Get())) item->SetOwner(dvdSource);
        if (CKMFile* entry = m_titles.FindByTitle(title.Get(), i)) {
            entry->m_keepMark = 1;
            entry->SetSource(title.Get());
            entry->m_displayName = ShownSourceName(name.AsString());
        } else if (CKMFile* added = m_titles.AddFromMedia(title.Get())) {
            added->m_keepMark = 1;
            added->m_fileName = name.AsString();
            added->m_displayName = ShownSourceName(added->m_fileName);
            added->m_chapterId = i;
        }
    }
}

std::wstring CInputDVD::DiscNote() const
{
    if (!m_dvd || !m_dvd->m_infoRead) return {};
    ComPtr<IMediaSourceGraph> graph = m_dvd->CurrentSource().As<IMediaSourceGraph>();
    BSTR text = nullptr;
    std::wstring note;
    if (graph && graph->GetLastError(&text) == S_OK) note = BstrToWString(text);
    SysFreeString(text);
    return note;
}

HRESULT CInputDVD::Close()
{
    if (m_dvd) {
        m_titles.RemoveFiles(-1);
        m_dvd->m_fileName.clear();
        m_dvd.reset();
    }
    return S_OK;
}

void CInputDVD::SelectTitle(CKMFile* title)
{
    if (title && !ContainsFileName(m_excluded, title->m_fileName)) m_excluded.AddFile(title->m_fileName);
}

void CInputDVD::UnselectTitle(CKMFile* title)
{
    if (title && ContainsFileName(m_excluded, title->m_fileName)) m_excluded.RemoveByPath(title->m_fileName);
}

int CInputDVD::IsNotSelected(const std::wstring& path)
{
    return ContainsFileName(m_excluded, path) ? 0 : 1;
}
