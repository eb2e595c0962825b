// Gallery timing of the sources, or the gallery-data reset when splitting.
#include "model/job/JobMessages.h"
#include "model/job/JobTreeAccess.h"
#include "model/job/ParametersTransfer.h"
#include "model/schema/ParametersObj.h"
#include "model/util/FormatProfile.h"

namespace {
void ResetGalleryData(IUnknown* object)
{
    ComPtr<IEngineProperty> property = GetNamedProperty(object, L"GalleryData", nullptr);
    if (ComPtr<IGalleryData> data = property.As<IGalleryData>()) data->Update(0, 0, 1);
}
}  // namespace

HRESULT CParametersTransfer::TransferGalleries(const CJobSourceList& sources)
{
    const EOutputKind kind = ActiveOutputKind();
    const CParametersObj* advanced = kind == kNoOutput ? nullptr : AdvancedSettings(kind);
    // The image output's advanced settings keep no split switch.
    const bool split = advanced && kind != kImageOutput && advanced->adv_enable_split != 0;

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

void CParametersTransfer::TransferGalleryTiming(IUnknown*, IUnknown*, const CJobSourceList&) {}
