// OpenMediaInput: a file through libavformat, a DVD title through its reader.
#include "engine/MediaInput.h"
#include "engine/EngineNode.h"
#include "engine/MediaSourceKeys.h"
#include "mediaeng/dvd/DvdTitleReader.h"
#include "mediaeng/probe/FormatContext.h"
#include "platform/TextConv.h"
#include "platform/Variant.h"

namespace mediaeng {

namespace {

constexpr std::chrono::seconds kOpenLimit{20};
constexpr std::chrono::seconds kNoLimit{std::chrono::hours(24 * 365 * 10)};

class CFileInput final : public CMediaInput {
public:
    AVFormatContext* Format() const override { return m_ctx.get(); }
    double DurationSeconds() const override
    {
        return m_ctx && m_ctx->duration != AV_NOPTS_VALUE ? double(m_ctx->duration) / double(AV_TIME_BASE) : 0.0;
    }
    // The guard lives as long as the context; its deadline bounds the open.
    CInterruptGuard m_guard{kOpenLimit};
    FormatContextPtr m_ctx;
};

class CDvdInput final : public CMediaInput {
public:
    ~CDvdInput() override { m_ctx.reset(); }  // the demuxer goes before its reader
    AVFormatContext* Format() const override { return m_ctx.get(); }
    double DurationSeconds() const override { return m_duration; }
    CInterruptGuard m_guard{kOpenLimit};
    std::unique_ptr<CDvdTitleReader> m_reader;
    FormatContextPtr m_ctx;
    double m_duration = 0;
};

}  // namespace

HRESULT OpenInputForPath(const std::string& path, std::unique_ptr<CMediaInput>& out)
{
    out.reset();
    std::string disc;
    int title = 0;
    if (ParseDvdTitlePath(path, &disc, &title)) {
        auto dvd = CDvdDisc::Open(disc, nullptr);
        if (!dvd) return E_FAIL;
        auto input = std::make_unique<CDvdInput>();
        input->m_reader = CDvdTitleReader::Open(dvd, title);
        if (!input->m_reader) return E_FAIL;
        for (const DvdTitleInfo& t : dvd->Titles())
            if (t.number == title) input->m_duration = t.duration;
        if (OpenBounded("", input->m_reader->Context(), input->m_guard, input->m_ctx) < 0) return E_FAIL;
        input->m_guard.SetLimit(kNoLimit);
        out = std::move(input);
        return S_OK;
    }
    auto input = std::make_unique<CFileInput>();
    if (OpenBounded(path, nullptr, input->m_guard, input->m_ctx) < 0) return E_FAIL;
    input->m_guard.SetLimit(kNoLimit);
    out = std::move(input);
    return S_OK;
}

}  // namespace mediaeng

HRESULT OpenMediaInput(IUnknown* source, std::unique_ptr<CMediaInput>& out)
{
    out.reset();
    ComPtr<IEngineNode> node = ComPtr<IUnknown>(source).As<IEngineNode>();
    if (!node) return E_INVALIDARG;
    CVariant name, type;
    if (FAILED(node->GetValue(sourcekey::FileName, &name)) || name.vt != VT_BSTR) return E_INVALIDARG;
    node->GetValue(sourcekey::Type, &type);
    std::string path = WideToUtf8(name.AsString());
    if (type.AsInt() == 1) {
        // A whole disc reads as its longest title.
        auto disc = mediaeng::CDvdDisc::Open(path, nullptr);
        if (!disc) return E_FAIL;
        const mediaeng::DvdTitleInfo* longest = nullptr;
        for (const auto& t : disc->Titles())
            if (!longest || t.duration > longest->duration) longest = &t;
        path = mediaeng::MakeDvdTitlePath(disc->Path(), longest->number);
    }
    return mediaeng::OpenInputForPath(path, out);
}
