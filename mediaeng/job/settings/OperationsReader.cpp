#include "mediaeng/job/settings/OperationsReader.h"
#include "engine/JobTreeKeys.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace mediaeng::job {

namespace {

template <class I>
ComPtr<I> As(IUnknown* unknown, const GUID& iid)
{
    ComPtr<I> p;
    if (unknown) unknown->QueryInterface(iid, reinterpret_cast<void**>(p.ReleaseAndGetAddressOf()));
    return p;
}

int Int(IEngineNode* node, const wchar_t* name, int fallback)
{
    CVariant raw, out;
    if (!node || FAILED(node->GetValue(name, &raw)) || raw.vt == VT_EMPTY) return fallback;
    return SUCCEEDED(VariantChangeType(&out, &raw, VT_I4)) ? out.lVal : fallback;
}

// The profile whose "Formats" holds format.
ComPtr<IEngineNode> ProfileOf(IConversionJob* job, IEngineNode* format)
{
    ComPtr<IEngineCollection> profiles;
    if (FAILED(job->GetProfiles(profiles.ReleaseAndGetAddressOf())) || !profiles) return nullptr;
    LONG count = 0;
    profiles->GetCount(&count);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> item;
        profiles->GetItem(i, item.ReleaseAndGetAddressOf());
        ComPtr<IEngineNode> profile = As<IEngineNode>(item.Get(), IID_IEngineNode);
        ComPtr<IUnknown> formatsItem;
        if (!profile || FAILED(profile->GetItem(jobkey::Formats, formatsItem.ReleaseAndGetAddressOf()))) continue;
        ComPtr<IEngineCollection> formats = As<IEngineCollection>(formatsItem.Get(), IID_IEngineCollection);
        LONG n = 0;
        if (!formats || FAILED(formats->GetCount(&n))) continue;
        for (LONG k = 0; k < n; ++k) {
            ComPtr<IUnknown> f;
            formats->GetItem(k, f.ReleaseAndGetAddressOf());
            if (As<IEngineNode>(f.Get(), IID_IEngineNode).Get() == format) return profile;
        }
    }
    return nullptr;
}

double Real(IEngineNode* node, const wchar_t* name, double fallback)
{
    CVariant raw, out;
    if (!node || FAILED(node->GetValue(name, &raw)) || raw.vt == VT_EMPTY) return fallback;
    return SUCCEEDED(VariantChangeType(&out, &raw, VT_R8)) ? out.dblVal : fallback;
}

// The display times the gallery manager keeps under the profile's
// "GalleryData": they are the trim ranges of the sources they name, and
// replace any ranges read from the sources themselves.
void ReadGalleryRanges(IEngineNode* profile, std::vector<CJobSource>& sources)
{
    ComPtr<IUnknown> dataItem, holder, itemsItem;
    if (FAILED(profile->GetItem(jobkey::GalleryData, dataItem.ReleaseAndGetAddressOf()))) return;
    ComPtr<IEngineProperty> data = As<IEngineProperty>(dataItem.Get(), IID_IEngineProperty);
    if (!data || FAILED(data->GetChildNode(holder.ReleaseAndGetAddressOf()))) return;
    ComPtr<IEngineNode> holderNode = As<IEngineNode>(holder.Get(), IID_IEngineNode);
    if (!holderNode || FAILED(holderNode->GetItem(jobkey::Items, itemsItem.ReleaseAndGetAddressOf()))) return;
    ComPtr<IEngineCollection> items = As<IEngineCollection>(itemsItem.Get(), IID_IEngineCollection);
    LONG count = 0;
    if (!items || FAILED(items->GetCount(&count))) return;
    std::vector<std::vector<CTrimRange>> ranges(sources.size());
    std::vector<bool> named(sources.size(), false);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> item;
        items->GetItem(i, item.ReleaseAndGetAddressOf());
        ComPtr<IEngineNode> range = As<IEngineNode>(item.Get(), IID_IEngineNode);
        const int index = Int(range.Get(), L"SourceIndex", -1);
        if (index < 0 || size_t(index) >= sources.size()) continue;
        named[size_t(index)] = true;
        const double start = Real(range.Get(), jobkey::StartTime, 0), end = Real(range.Get(), jobkey::EndTime, 0);
        if (end > start && start >= 0) ranges[size_t(index)].push_back({std::llround(start * 1e7), std::llround(end * 1e7)});
    }
    for (size_t i = 0; i < sources.size(); ++i)
        if (named[i]) sources[i].ranges = std::move(ranges[i]);
}

}  // namespace

void ReadJobOperations(IConversionJob* job, IEngineNode* format, const mediaeng::FormatInfo& info,
                       CJobSettings& settings)
{
    CJobOperations& ops = settings.operations;
    ops = CJobOperations();
    ops.streamCopy = info.id == mediaeng::kSameAsSourceFormat;
    if (*info.imageEncoder) {
        ops.image.enabled = true;
        ops.image.encoder = info.imageEncoder;
        ops.image.sheet = Int(format, jobkey::ScreenListEnable, 0) != 0;
        ops.image.rows = std::max(1, Int(format, jobkey::ScreenListRows, 2));
        ops.image.cols = std::max(1, Int(format, jobkey::ScreenListCols, 2));
        ops.image.startSeconds = std::max(0, Int(format, jobkey::FrameShift, 0));
    }
    ComPtr<IEngineNode> profile = ProfileOf(job, format);
    if (!profile) return;
    IEngineNode* p = profile.Get();
    ReadGalleryRanges(p, settings.sources);
    CSplitSettings& s = ops.split;
    s.use = Int(p, jobkey::SplitUse, 0) != 0;
    s.type = Int(p, jobkey::SplitType, 0);
    s.count = Int(p, jobkey::SplitCountFrames, 2);
    s.stepSeconds = Int(p, jobkey::SplitStep, 10);
    s.sizeMb = Int(p, jobkey::SplitSize, 700);
    s.startSeconds = std::max(0, Int(p, jobkey::SplitStartWith, 0));
    s.keepLast = Int(p, jobkey::SplitLastVideo, 0) != 0;
    // A split wins over a join: the program never asks for both.
    ops.join.use = !s.use && Int(p, jobkey::JoinType, 0) != 0;
    ops.join.imageSeconds = Int(p, jobkey::JoinImageTime, 10);
}

}  // namespace mediaeng::job
