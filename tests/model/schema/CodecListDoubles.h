#pragma once
// Codec lists with chosen items and capabilities, standing in for the
// engine's per-format lists in schema tests.
#include "OutputSchema.h"

#include <functional>
#include <string>
#include <vector>

struct VideoCaps {
    bool adv = false, multiPass = false, keyFrame = false, quality = false, bitrate = false, rate = false;
};

class FakeVideoCodecs : public CVideoCodecsBase {
public:
    struct Codec {
        std::wstring name;
        VideoCaps caps;
    };
    FakeVideoCodecs(std::vector<Codec> codecs, std::wstring defaultCodec)
        : CVideoCodecsBase(-1), m_codecs(std::move(codecs)), m_default(std::move(defaultCodec))
    {
        for (size_t i = 0; i < m_codecs.size(); ++i) AddItem(static_cast<int32_t>(100 + i), m_codecs[i].name.c_str());
    }
    void GetDefaultCodec(wchar_t* buffer, size_t size) const override
    {
        std::wstring d = m_default.substr(0, size - 1);
        std::copy(d.begin(), d.end(), buffer);
        buffer[d.size()] = L'\0';
    }
    BOOL IsAdv(int i) const override { return At(i).adv; }
    BOOL IsMultyPass(int i, int) const override { return At(i).multiPass; }
    BOOL IsKeyFrame(int i) const override { return At(i).keyFrame; }
    BOOL IsQuality(int i) const override { return At(i).quality; }
    BOOL IsBitrate(int i) const override { return At(i).bitrate; }
    BOOL IsRate(int i) const override { return At(i).rate; }
    void SetObject(IObject* object) override { lastObject = object; }

    IObject* lastObject = nullptr;

private:
    // Reading outside the list is the fault under test: fail loudly.
    const VideoCaps& At(int i) const { return m_codecs.at(static_cast<size_t>(i)).caps; }

    std::vector<Codec> m_codecs;
    std::wstring m_default;
};

struct WaveEntry {
    DWORD rate = 0;
    WORD channels = 0;
    DWORD byteRate = 0;
};

class FakeAudioCodecs : public CAudioCodecsBase {
public:
    struct Codec {
        std::wstring name;
        int32_t tag = 0;
        bool precision = false, rateControl = false, bitrate = false;
    };
    explicit FakeAudioCodecs(std::vector<Codec> codecs, std::wstring defaultCodec = L"")
        : CAudioCodecsBase(-1), m_codecs(std::move(codecs)), m_default(std::move(defaultCodec))
    {
        for (const Codec& c : m_codecs) AddItem(c.tag, c.name.c_str());
    }
    void GetDefaultCodec(wchar_t* buffer, size_t size) const override
    {
        std::wstring d = m_default.substr(0, size - 1);
        std::copy(d.begin(), d.end(), buffer);
        buffer[d.size()] = L'\0';
    }
    BOOL IsPrecision(int i) const override { return m_codecs.at(static_cast<size_t>(i)).precision; }
    BOOL IsRateControl(int i) const override { return m_codecs.at(static_cast<size_t>(i)).rateControl; }
    BOOL IsBitrate(int i) const override { return m_codecs.at(static_cast<size_t>(i)).bitrate; }
    HRESULT InitAudioFormat(int32_t tag, int32_t rateControl) override
    {
        initCalls.push_back({tag, rateControl});
        m_waves.assign(initResult == S_OK ? waves.size() : 0, WAVEFORMATEX{});
        return initResult;
    }
    DWORD GetWave(WAVEFORMATEX* out, size_t item, int32_t*) const override
    {
        const WaveEntry& w = waves.at(item);
        *out = WAVEFORMATEX{};
        out->nSamplesPerSec = w.rate;
        out->nChannels = w.channels;
        out->nAvgBytesPerSec = 12345;  // the returned byte rate is the one that counts
        return w.byteRate;
    }

    std::vector<WaveEntry> waves;
    HRESULT initResult = S_OK;
    std::vector<std::pair<int32_t, int32_t>> initCalls;

private:
    std::vector<Codec> m_codecs;
    std::wstring m_default;
};

// An output schema with the four groups whose codec lists come from the test.
class TestSchemaImpl : public OutputSchema {
public:
    std::function<std::shared_ptr<CVideoCodecsBase>(int32_t)> makeVideo;
    std::function<std::shared_ptr<CAudioCodecsBase>(int32_t)> makeAudio;
    int videoBuilds = 0;
    int audioBuilds = 0;

protected:
    std::shared_ptr<CVideoCodecsBase> CreateVideoCodecs(int32_t format) override
    {
        ++videoBuilds;
        return makeVideo ? makeVideo(format) : nullptr;
    }
    std::shared_ptr<CAudioCodecsBase> CreateAudioCodecs(int32_t format) override
    {
        ++audioBuilds;
        return makeAudio ? makeAudio(format) : nullptr;
    }
};

// Texts of an engine list, for comparing a property's options with it.
inline std::vector<std::wstring> ListTexts(const CListEnumBase& list)
{
    std::vector<std::wstring> out;
    for (size_t i = 0; i < schema_lists::Count(list); ++i) out.push_back(schema_lists::Text(list, i));
    return out;
}
inline std::vector<std::wstring> OptionTexts(const CSchemaProperty& p)
{
    std::vector<std::wstring> out;
    for (const SchemaOption& o : p.options) out.push_back(o.text);
    return out;
}
inline std::vector<int32_t> OptionValues(const CSchemaProperty& p)
{
    std::vector<int32_t> out;
    for (const SchemaOption& o : p.options) out.push_back(o.value);
    return out;
}
