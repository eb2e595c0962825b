#include "player/PlayerImpl.h"
#include "engine/MediaSourceGraph.h"
#include <cstdlib>

CPlayerImpl::MallocFrame::~MallocFrame()
{
    std::free(record.pbFormat);
    std::free(record.pbData);
}

HRESULT CPlayerImpl::GetFrame(CKMFile* entry, FRAME_RECORD** r)
{
    if (!entry || entry->m_frameError) {
        m_pFrame.reset();
        if (r) *r = nullptr;
        return 0;
    }
    if (entry->m_hasVideo) {
        const CStreamInfo* info = entry->GetStreamInfo();
        if (entry->m_currentPosition == 0 && r && info && info->dataSize) {
            m_streamRecord.cbFormat = info->formatSize;
            m_streamRecord.pbFormat = const_cast<BYTE*>(info->format.data());
            m_streamRecord.cbData = info->dataSize;
            m_streamRecord.pbData = const_cast<BYTE*>(info->data.data());
            *r = &m_streamRecord;
            return 0;
        }
        return RequestFrame(entry, r);
    }
    // Entries keep no picture flag: a frame size without video is a picture.
    if (entry->m_hasFrameSize) {
        auto noPicture = [&] {
            if (r) *r = m_pFrame ? &m_pFrame->record : nullptr;
            return 0;
        };
        ComPtr<IUnknown> source = entry->CurrentSource();
        if (!source) return noPicture();
        ComPtr<IMediaSourceGraph> graph = source.As<IMediaSourceGraph>();
        if (!graph) return noPicture();
        if (!m_pFrame) m_pFrame = std::make_unique<MallocFrame>();
        FRAME_RECORD& rec = m_pFrame->record;
        HRESULT hr = graph->ReadFrame(entry->m_currentPosition, &rec, &rec.pbFormat, &rec.cbData, &rec.pbData);
        entry->m_frameError = hr != 0 ? 1 : 0;
        if (r) *r = &rec;
        return hr;
    }
    if (r) *r = m_pFrame ? &m_pFrame->record : nullptr;
    return 0;
}
