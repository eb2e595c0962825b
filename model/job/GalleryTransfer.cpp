// Gallery timing of the sources, or the gallery-data reset when splitting.
#include "engine/GalleriesMng.h"
#include "engine/JobTreeKeys.h"
#include "model/job/JobMessages.h"
#include "model/job/JobTreeAccess.h"
#include "model/job/ParametersTransfer.h"
#include "model/schema/ParametersObj.h"
#include "model/util/FormatProfile.h"

namespace {
void ResetGalleryData(IUnknown* object)
{
    ComPtr<IEngineProperty> property = GetNamedProperty(object, jobkey::GalleryData, nullptr);
    if (ComPtr<IGalleryData> data = property.As<IGalleryData>()) data->Update(0, 0, 1);
}
}  // namespace

bool CParametersTransfer::SplitsOutput()
{
    const EOutputKind kind = ActiveOutputKind();
    const CParametersObj* advanced = kind == kNoOutput ? nullptr : AdvancedSettings(kind);
    // The image output's advanced settings keep no split switch.
    return advanced && kind != kImageOutput && advanced->adv_enable_split != 0;
}

HRESULT CParametersTransfer::TransferGalleries(const CJobSourceList& sources)
{
    const bool split = SplitsOutput();

    ComPtr<IUnknown> format;
    GetFormatNode(format.ReleaseAndGetAddressOf());
    if (!format) return S_OK;
    ComPtr<IUnknown> profile;
    if (FAILED(GetFormatProfile(format.Get(), profile.ReleaseAndGetAddressOf()))) profile = nullptr;

    if (split) {
        if (profile) ResetGalleryData(profile.Get());
        bool trimmed = false;
        for (const CJobSource& s : sources) {
            if (s.entry && s.entry->m_timelines.GetCount() > 0) trimmed = true;
            ResetGalleryData(s.media.Get());
        }
        if (trimmed) SendMsgWarning(kMsgTrimWithSplit);
        return S_OK;
    }
    if (profile) TransferGalleryTiming(format.Get(), profile.Get(), sources);
    return S_OK;
}

void CParametersTransfer::TransferGalleryTiming(IUnknown* formatNode, IUnknown* profile, const CJobSourceList& sources)
{
    CGalleriesMng galleries;
    galleries.SetProfile(profile);
    galleries.CreateObjects();
    galleries.SetFormat(formatNode, 0);
    for (int k = 0; k < galleries.CountItemsAll(); ++k) {
        CGalleryItemBase* item = galleries.ItemByIndex(k);
        if (!item) continue;
        CKMFile* entry = FindSourceEntry(sources, item->GetSourceObject());
        if (!entry) continue;
        for (uint32_t j = 0; j < entry->m_timelines.GetCount(); ++j) {
            const CTimelineObj* range = entry->m_timelines.GetAt(j);
            item->SetDisplayTime(range->m_startTime, range->m_endTime, 0);
            if (j == 0)
                galleries.SetDisplayTime(item);
            else
                galleries.CreateNewTimeline(item, range->m_startTime, range->m_endTime);
        }
    }
}
