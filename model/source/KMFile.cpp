#include "model/source/KMFile.h"
#include "engine/MediaSourceGraph.h"
#include "model/source/PropertyAccess.h"
#include <algorithm>
#include <cstring>

void CKMFileReleaser::operator()(CKMFile* entry) const
{
    if (entry) entry->ReleaseEntry();
}

CKMFilePtr CKMFile::Create() { return CKMFilePtr(new CKMFile()); }

CKMFilePtr CKMFile::Create(const std::wstring& path, int sourceType)
{
    return CKMFilePtr(new CKMFile(path, sourceType));
}

CKMFilePtr CKMFile::Create(IUnknown* media) { return CKMFilePtr(new CKMFile(media)); }

CKMFile::CKMFile()
{
    RegisterKeys();
}

CKMFile::CKMFile(const std::wstring& path, int sourceType)
{
    m_fileName = path;
    m_sourceType = sourceType;
    RegisterKeys();
}

CKMFile::CKMFile(IUnknown* media)
{
    SetSource(media);
    RegisterKeys();
    CVariant id;
    GetSourcePropertyValue(media, L"unique_file_id", &id);
    if (id.vt != VT_EMPTY) m_uniqueId = id.AsInt();
}

CKMFile::~CKMFile() = default;

void CKMFile::RegisterKeys()
{
    AddParam(this, L"file_name", 2, &m_fileName, 0);
    AddParam(this, L"timeline_behavior", 0, &m_timelineBehavior, 0);
    AddParam(this, L"chapter_id", 0, &m_chapterId, 0);
    AddParam(this, L"unique_file_id", 0, &m_uniqueId, 0);
    const struct {
        const wchar_t* prefix;
        int32_t* flags;
    } lists[] = {
        {sourcekey::IsAudio, m_audioFlags}, {sourcekey::IsVideo, m_videoFlags}, {sourcekey::IsImage, m_imageFlags}};
    for (const auto& list : lists)
        for (int n = 0; n < kStreamSlots; ++n)
            AddParam(this, sourcekey::StreamSwitch(list.prefix, n), 0, &list.flags[n], 0);
    AddGroup(this, 1, &m_timelines);
}

void CKMFile::AddRefEntry()
{
    m_refs.fetch_add(1, std::memory_order_relaxed);
}

void CKMFile::ReleaseEntry()
{
    if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

void CKMFile::GrabAddRef()
{
    AddRefEntry();
    m_grabRef.fetch_add(1);
}

void CKMFile::GrabRelease()
{
    m_grabRef.fetch_sub(1);
    ReleaseEntry();
}

void CKMFile::SetStreamInfo(uint32_t formatSize, const void* format, uint32_t dataSize, const void* data)
{
    auto info = std::make_unique<CStreamInfo>();
    info->formatSize = formatSize;
    info->dataSize = dataSize;
    info->format.resize(formatSize);
    info->data.resize(dataSize);
    if (format && formatSize) std::memcpy(info->format.data(), format, formatSize);
    if (data && dataSize) std::memcpy(info->data.data(), data, dataSize);
    m_streamInfo = std::move(info);
}

void CKMFile::FreeStreamInfo()
{
    m_streamInfo.reset();
}

void CKMFile::ResetStreamInfo()
{
    FreeStreamInfo();
    ComPtr<IUnknown> own(OwnSource());
    if (ComPtr<IMediaSourceGraph> graph = own.As<IMediaSourceGraph>()) graph->ReleaseGraph();
}

CTimelineObj* CKMFile::CurrentRange()
{
    int count = static_cast<int>(m_timelines.GetCount());
    if (count == 0) return nullptr;
    m_currentTimeline = std::clamp(m_currentTimeline, 0, count - 1);
    return m_timelines.GetAt(static_cast<uint32_t>(m_currentTimeline));
}

CTimelineObj* CKMFile::AppendRange(int64_t start, int64_t end)
{
    CTimelineObj* range = m_timelines.CreateItem();
    range->m_startTime = start;
    range->m_endTime = end;
    return range;
}

int64_t CKMFile::GetStartTime()
{
    CTimelineObj* range = CurrentRange();
    return range ? range->m_startTime : 0;
}

int64_t CKMFile::GetEndTime()
{
    CTimelineObj* range = CurrentRange();
    return range ? range->m_endTime : m_duration;
}

void CKMFile::SetStartTime(int64_t t)
{
    if (CTimelineObj* range = CurrentRange())
        range->m_startTime = t;
    else
        AppendRange(t, m_duration);
}

void CKMFile::SetEndTime(int64_t t)
{
    if (CTimelineObj* range = CurrentRange())
        range->m_endTime = t;
    else
        AppendRange(0, t);
}

void CKMFile::AddTimeline(int64_t start)
{
    if (m_timelines.GetCount() == 0) {
        AppendRange(0, m_duration);
        AppendRange(start, m_duration);
        m_currentTimeline = 1;
        return;
    }
    m_currentTimeline = static_cast<int32_t>(m_timelines.GetCount());
    AppendRange(start, m_duration);
}

void CKMFile::RemoveTimeline()
{
    if (!CurrentRange()) return;
    m_timelines.RemoveAt(m_currentTimeline);
    int count = static_cast<int>(m_timelines.GetCount());
    if (m_currentTimeline >= count) m_currentTimeline = std::max(count - 1, 0);
}

void CKMFile::CopyStreamFlags(CConfigMng* node, const std::wstring& key)
{
    ClearOtherListFlags(node, sourcekey::IsImage, key);
    ClearOtherListFlags(node, sourcekey::IsAudio, key);
    ClearOtherListFlags(node, sourcekey::IsVideo, key);
}

void CKMFile::ClearOtherListFlags(CConfigMng* node, const std::wstring& list, const std::wstring& key)
{
    if (!node || key.find(list) == std::wstring::npos) return;
    CVariant value;
    node->GetParamValue(key, &value);
    if (value.vt == VT_EMPTY || value.AsInt() == 0) return;
    for (int n = 0; n < kStreamSlots; ++n) {
        std::wstring name = sourcekey::StreamSwitch(list.c_str(), n);
        if (name != key) node->SetParamValue(name, CVariant(int32_t{0}));
    }
}
