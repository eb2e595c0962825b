// The sources of the current source type into the job's "Files" node, and the
// reset of their job links and montage state after a run.
#include "engine/MediaSourceGraph.h"
#include "engine/JobTreeKeys.h"
#include "engine/MediaSourceKeys.h"
#include "model/job/JobMessages.h"
#include "model/job/JobTreeAccess.h"
#include "model/job/ParametersTransfer.h"
#include "model/source/MediaKind.h"
#include "model/source/PropertyAccess.h"
#include "model/schema/ParametersObj.h"
#include <algorithm>

namespace {

bool IsChapter(const CKMFile* entry) { return entry->m_chapterId >= 0; }

// The gallery-data call on the named child of object, when it has one.
void ResetGalleryData(IUnknown* object, const wchar_t* name)
{
    ComPtr<IEngineProperty> property = GetNamedProperty(object, name, nullptr);
    if (ComPtr<IGalleryData> data = property.As<IGalleryData>()) data->Update(0, 0, 1);
}

// Folder of the walk: the user's own listing when it is the one being walked
// and still current, else a listing of a scanner that leaves the user's alone.
struct FolderListing {
    std::vector<CKMFile*> files;
    std::vector<CInputFolder::SubFolder> subFolders;
};

bool IsCurrentListing(const CInputFolder& folder, const std::wstring& subPath)
{
    return folder.m_subPath == subPath && folder.m_lastSubPath == subPath && folder.m_lastFolder == folder.m_folder
        && folder.m_lastMask == folder.m_fileMask && folder.m_lastRecursive == folder.m_recursive
        && folder.m_dirty == 0;
}

FolderListing ListOf(CInputFolder& folder)
{
    FolderListing listing;
    for (uint32_t i = 0; i < folder.m_listed.GetCount(); ++i) listing.files.push_back(folder.m_listed.GetAt(i));
    for (const auto& record : folder.m_subFolders) listing.subFolders.push_back(*record);
    return listing;
}

}  // namespace

// Walks the user's folder depth first without moving the user's browse
// position; the walked listings stay alive for the whole transfer.
class CFolderWalk {
public:
    CFolderWalk(CInputFolder& folder) : m_folder(folder) {}

    void Collect(const std::wstring& subPath, std::vector<CKMFile*>& entries)
    {
        FolderListing listing = Scan(subPath);
        for (CKMFile* file : listing.files)
            if (m_folder.IsNotSelected(file->m_fileName) == 1) entries.push_back(file);
        for (const CInputFolder::SubFolder& sub : listing.subFolders) {
            if (m_folder.IsNotSelected(sub.path) != 1) continue;
            Collect(subPath.empty() ? sub.name : subPath + CInputFolder::kSeparator + sub.name, entries);
        }
    }

private:
    FolderListing Scan(const std::wstring& subPath)
    {
        if (IsCurrentListing(m_folder, subPath)) return ListOf(m_folder);
        auto scanner = std::make_unique<CInputFolder>();
        scanner->m_folder = m_folder.m_folder;
        scanner->m_fileMask = m_folder.m_fileMask;
        scanner->m_recursive = m_folder.m_recursive;
        scanner->m_subPath = subPath;
        scanner->ScanFolder();
        FolderListing listing = ListOf(*scanner);
        m_scanners.push_back(std::move(scanner));
        return listing;
    }

    CInputFolder& m_folder;
    std::vector<std::unique_ptr<CInputFolder>> m_scanners;
};

void CParametersTransfer::CollectInputEntries(std::vector<CKMFile*>& entries, CFolderWalk& walk)
{
    switch (m_sourceType) {
    case kSourceFiles:
        for (uint32_t i = 0; i < m_inputFiles.GetCount(); ++i) entries.push_back(m_inputFiles.GetAt(i));
        break;
    case kSourceFolder: walk.Collect(L"", entries); break;
    case kSourceDVD:
        for (uint32_t i = 0; i < m_inputDVD.m_titles.GetCount(); ++i) {
            CKMFile* title = m_inputDVD.m_titles.GetAt(i);
            if (m_inputDVD.IsNotSelected(title->m_fileName) == 1) entries.push_back(title);
        }
        break;
    default: break;
    }
}

void CParametersTransfer::RelinkTitleSource(CKMFile* entry)
{
    ComPtr<IUnknown> source = entry->CurrentSource();
    ComPtr<IMediaItem> item = source.As<IMediaItem>();
    if (!item || item->GetAssociated(nullptr) == 0) return;
    ComPtr<IUnknown> owner;
    item->GetOwner(owner.ReleaseAndGetAddressOf());
    ComPtr<IMediaItem> ownerItem = owner.As<IMediaItem>();
    if (!ownerItem) return;
    ComPtr<IUnknown> ownersOwner;
    ownerItem->GetOwner(ownersOwner.ReleaseAndGetAddressOf());
    if (ownersOwner.As<IMediaSourceGraph>())
        item->SetOwner(ownersOwner.Get());
    else if (owner.As<IMediaSourceGraph>())
        item->SetOwner(owner.Get());
}

void CParametersTransfer::ResetSourceFlags(IUnknown* source)
{
    if (!source) return;
    SetSourceProperty(source, sourcekey::IsVirtualFile, CVariant(int32_t{0}));
    SetSourceProperty(source, sourcekey::IsVirtualVideoFile, CVariant(int32_t{0}));
    SetSourceProperty(source, sourcekey::VirtualDuration, CVariant(0.0));
    SetSourceProperty(source, sourcekey::IsMontageFile, CVariant(0.0));
    SetSourceProperty(source, sourcekey::IgnoreBuild, CVariant(0.0));
    SetSourceProperty(source, sourcekey::AddToJoin, CVariant(0.0));
}

// Opens the entry's media source when it has none; the source to hand over,
// or null (with a log line naming the file) when there is none or its open
// failed.
ComPtr<IUnknown> CParametersTransfer::OpenEntrySource(CKMFile* entry)
{
    ComPtr<IUnknown> source = entry->CurrentSource();
    if (!source) {
        entry->m_owner = &m_inputFiles;
        if (entry->OpenMediaSource(entry->m_fileName) == S_OK && IsChapter(entry)) entry->Open(1);
        source = entry->CurrentSource();
    }
    if (!source || !entry->m_openError.empty()) {
        // The reason the entry's open gave, stored with it when it was added.
        if (!entry->m_openError.empty())
            SendMsgError(kMsgSourceSkippedWhy, entry->m_fileName.c_str(), entry->m_openError.c_str());
        else
            SendMsgError(kMsgSourceSkipped, entry->m_fileName.c_str());
        return nullptr;
    }
    return source;
}

bool CParametersTransfer::HasEmptyRange(CKMFile* entry)
{
    // Ranges made before the duration was known (0 .. 0) are no user's trim.
    if (entry->m_duration <= 0) return false;
    for (uint32_t i = 0; i < entry->m_timelines.GetCount(); ++i) {
        const CTimelineObj* range = entry->m_timelines.GetAt(i);
        if (range->m_endTime <= range->m_startTime) return true;
    }
    return false;
}

void CParametersTransfer::WriteStillImageFlags(IUnknown* source)
{
    const CParametersObj* settings = OutputSettings(kVideoOutput);
    if (settings && settings->is_create) {
        // The duration lives with the video output's advanced settings.
        const CParametersObj* advanced = AdvancedSettings(kVideoOutput);
        const double seconds = advanced ? advanced->adv_image_duration : 0;
        SetSourceProperty(source, sourcekey::IsVirtualFile, CVariant(int32_t{1}));
        SetSourceProperty(source, sourcekey::IsVirtualVideoFile, CVariant(int32_t{1}));
        SetSourceProperty(source, sourcekey::VirtualDuration, CVariant(seconds));
    } else {
        SetSourceProperty(source, sourcekey::IsVirtualFile, CVariant(int32_t{0}));
        SetSourceProperty(source, sourcekey::IsVirtualVideoFile, CVariant(int32_t{0}));
    }
}

HRESULT CParametersTransfer::TransferInputs()
{
    SendMsgText(kMsgAddingSources);
    m_handedSources.clear();
    CFolderWalk walk(m_inputFolder);
    std::vector<CKMFile*> entries;
    CollectInputEntries(entries, walk);
    const bool join = m_sourceType == kSourceDVD && m_inputDVD.m_join != 0;

    for (CKMFile* entry : entries) {
        if (!IsChapter(entry) || entry->CurrentSource()) continue;
        entry->m_owner = &m_inputFiles;
        if (entry->OpenMediaSource(entry->m_fileName) == S_OK) entry->Open(1);
    }

    ComPtr<IFilesNode> files = GetFilesNode(m_job.Get());
    CJobSourceList sources;
    int32_t leftOut = 0;
    const bool trimsApply = !SplitsOutput();
    for (CKMFile* entry : entries) {
        if (!files) break;
        ComPtr<IUnknown> source = OpenEntrySource(entry);
        if (!source) {
            ++leftOut;
            continue;
        }
        if (trimsApply && HasEmptyRange(entry)) {
            SendMsgError(kMsgEmptyTrimRange, entry->m_fileName.c_str());
            ++leftOut;
            continue;
        }
        if (IsChapter(entry)) RelinkTitleSource(entry);
        if (FAILED(files->AddSource(source.Get(), 0))) {
            SendMsgError(kMsgSourceSkipped, entry->m_fileName.c_str());
            ++leftOut;
            continue;
        }
        sources.push_back({source, entry});
        m_handedSources.push_back(source);
        if (ComPtr<IMediaItem> item = source.As<IMediaItem>()) {
            item->SetJob(m_job.Get());
            if (m_sourceType != kSourceDVD) item->SetSource(entry->GetOwnSource());
        }
        ResetSourceFlags(source.Get());
        if (IsImageSource(source.Get())) WriteStillImageFlags(source.Get());
    }
    // The run's summary counts every source the user gave, not only those
    // that reached "Files".
    SetSourceProperty(m_job.Get(), jobkey::FilesLeftOut, CVariant(leftOut));
    if (join)
        for (const CJobSource& s : sources)
            SetSourceProperty(s.media.Get(), sourcekey::AddToJoin, CVariant(int32_t{1}));

    TransferGalleries(sources);
    TransferStreamFlags(sources);
    if (sources.empty()) {
        SendMsgError(kMsgNothingToConvert);
        return E_FAIL;
    }
    return S_OK;
}

void CParametersTransfer::ResetSourceAfterJob(IUnknown* source)
{
    SetSourceProperty(source, sourcekey::IsMontageFile, CVariant(0.0));
    if (ComPtr<IMediaSourceGraph> graph = ComPtr<IUnknown>(source).As<IMediaSourceGraph>())
        graph->ResetAfterJob(0, 0);
    if (ComPtr<IMediaItem> item = ComPtr<IUnknown>(source).As<IMediaItem>()) {
        item->SetJob(nullptr);
        item->SetSource(nullptr);
        ComPtr<IUnknown> associated;
        if (item->GetAssociated(associated.ReleaseAndGetAddressOf()) != 0 && associated) {
            ResetGalleryData(associated.Get(), jobkey::GalleryData);
            ResetGalleryData(associated.Get(), jobkey::MontageData);
        }
    }
    ResetGalleryData(source, jobkey::GalleryData);
    ResetGalleryData(source, jobkey::MontageData);
}

void CParametersTransfer::ResetMontageData()
{
    // Every source the job had, whatever the source type, then the file
    // list's own sources (once each).
    std::vector<ComPtr<IUnknown>> done = std::move(m_handedSources);
    m_handedSources.clear();
    for (const ComPtr<IUnknown>& source : done) ResetSourceAfterJob(source.Get());
    for (uint32_t i = 0; i < m_inputFiles.GetCount(); ++i) {
        ComPtr<IUnknown> source = m_inputFiles.GetAt(i)->CurrentSource();
        if (!source) continue;
        if (std::any_of(done.begin(), done.end(), [&](const ComPtr<IUnknown>& s) { return s == source; })) continue;
        ResetSourceAfterJob(source.Get());
    }
}
