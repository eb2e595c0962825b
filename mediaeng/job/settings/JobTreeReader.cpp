#include "mediaeng/job/settings/JobTreeReader.h"
#include "engine/JobTreeKeys.h"
#include "engine/MediaSourceKeys.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/core/FormatTable.h"
#include "mediaeng/job/settings/OperationsReader.h"
#include "mediaeng/probe/StreamNumbering.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <cmath>
#include <cwchar>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

namespace {

ComPtr<IEngineNode> NodeOf(IUnknown* unknown)
{
    ComPtr<IEngineNode> node;
    if (unknown) unknown->QueryInterface(IID_IEngineNode, reinterpret_cast<void**>(node.ReleaseAndGetAddressOf()));
    return node;
}

ComPtr<IEngineCollection> CollectionOf(IUnknown* unknown)
{
    ComPtr<IEngineCollection> c;
    if (unknown) unknown->QueryInterface(IID_IEngineCollection, reinterpret_cast<void**>(c.ReleaseAndGetAddressOf()));
    return c;
}

ComPtr<IUnknown> Child(IEngineNode* node, const wchar_t* name)
{
    ComPtr<IUnknown> item;
    if (node) node->GetItem(name, item.ReleaseAndGetAddressOf());
    return item;
}

bool Read(IEngineNode* node, const wchar_t* name, VARTYPE vt, CVariant& out)
{
    CVariant raw;
    if (!node || FAILED(node->GetValue(name, &raw)) || raw.vt == VT_EMPTY) return false;
    if (raw.vt == VT_BSTR && vt == VT_R8) {
        // Times come as texts of seconds too; parse them without the locale.
        const std::wstring text = BstrToWString(raw.bstrVal);
        wchar_t* end = nullptr;
        const double v = std::wcstod(text.c_str(), &end);
        if (end == text.c_str()) return false;
        out = CVariant(v);
        return true;
    }
    return SUCCEEDED(VariantChangeType(&out, &raw, vt));
}

int Int(IEngineNode* node, const wchar_t* name, int fallback)
{
    CVariant v;
    return Read(node, name, VT_I4, v) ? v.lVal : fallback;
}

double Real(IEngineNode* node, const wchar_t* name, double fallback)
{
    CVariant v;
    return Read(node, name, VT_R8, v) ? v.dblVal : fallback;
}

std::wstring Text(IEngineNode* node, const wchar_t* name, const std::wstring& fallback)
{
    CVariant v;
    return Read(node, name, VT_BSTR, v) ? BstrToWString(v.bstrVal) : fallback;
}

ComPtr<IEngineNode> FirstFormatNode(IConversionJob* job, ComPtr<IEngineNode>* profileOut = nullptr)
{
    ComPtr<IEngineCollection> profiles;
    if (FAILED(job->GetProfiles(profiles.ReleaseAndGetAddressOf())) || !profiles) return nullptr;
    LONG count = 0;
    profiles->GetCount(&count);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> profile;
        profiles->GetItem(i, profile.ReleaseAndGetAddressOf());
        ComPtr<IEngineCollection> formats = CollectionOf(Child(NodeOf(profile.Get()).Get(), jobkey::Formats).Get());
        LONG n = 0;
        if (!formats || FAILED(formats->GetCount(&n)) || n < 1) continue;
        ComPtr<IUnknown> format;
        formats->GetItem(0, format.ReleaseAndGetAddressOf());
        if (ComPtr<IEngineNode> node = NodeOf(format.Get())) {
            if (profileOut) *profileOut = NodeOf(profile.Get());
            return node;
        }
    }
    return nullptr;
}

// The "Items" collection under the "GalleryData" property of a node.
ComPtr<IEngineCollection> GalleryItems(IEngineNode* node)
{
    ComPtr<IEngineProperty> data;
    if (ComPtr<IUnknown> item = Child(node, jobkey::GalleryData))
        item->QueryInterface(IID_IEngineProperty, reinterpret_cast<void**>(data.ReleaseAndGetAddressOf()));
    ComPtr<IUnknown> holder;
    if (data) data->GetChildNode(holder.ReleaseAndGetAddressOf());
    return CollectionOf(Child(NodeOf(holder.Get()).Get(), jobkey::Items).Get());
}

// The trim ranges the gallery manager wrote: one item per range with the
// source's position in "Files" and its times in seconds, in order.
void ReadRanges(IEngineNode* profile, CJobSettings& settings)
{
    ComPtr<IEngineCollection> items = GalleryItems(profile);
    LONG count = 0;
    if (!items || FAILED(items->GetCount(&count))) return;
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> item;
        items->GetItem(i, item.ReleaseAndGetAddressOf());
        ComPtr<IEngineNode> range = NodeOf(item.Get());
        const int index = Int(range.Get(), L"SourceIndex", -1);
        if (index < 0 || size_t(index) >= settings.sources.size()) continue;
        const double start = Real(range.Get(), jobkey::StartTime, 0), end = Real(range.Get(), jobkey::EndTime, 0);
        if (end > start && start >= 0)
            settings.sources[size_t(index)].ranges.push_back({std::llround(start * 1e7), std::llround(end * 1e7)});
    }
}

void ReadSources(IConversionJob* job, CJobSettings& settings)
{
    ComPtr<IFilesNode> files;
    if (FAILED(job->GetFilesNode(files.ReleaseAndGetAddressOf())) || !files) return;
    LONG count = 0;
    files->GetCount(&count);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> item;
        files->GetItem(i, item.ReleaseAndGetAddressOf());
        ComPtr<IEngineNode> node = NodeOf(item.Get());
        if (!node) continue;
        CJobSource s;
        s.path = Text(node.Get(), sourcekey::FileName, L"");
        s.duration = Real(node.Get(), sourcekey::DurationByS, 0);
        s.virtualVideo = Int(node.Get(), sourcekey::IsVirtualVideoFile, 0) != 0;
        s.virtualDuration = Real(node.Get(), sourcekey::VirtualDuration, 0);
        s.videoStream = mediaeng::ChosenStream(node.Get(), sourcekey::IsVideo);
        s.audioStream = mediaeng::ChosenStream(node.Get(), sourcekey::IsAudio);
        s.addToJoin = Real(node.Get(), sourcekey::AddToJoin, 0) != 0;
        settings.sources.push_back(std::move(s));
    }
    ComPtr<IEngineNode> root = NodeOf(job);
    settings.leftOut = std::max(0, Int(root.Get(), jobkey::FilesLeftOut, 0));
}

// The codec property of a format (its container's prefix), or null.
const wchar_t* CodecPrefix(int format)
{
    switch (format) {
    case 1: return L"AVI";
    case 2: return L"WMV";
    case 3:
    case 21: return L"MPEG";
    case 4: return L"MOV";
    case 5:
    case 6: return L"FLASH";
    case 13: return L"MP4";
    case 14: return L"3GP";
    case 15: return L"3G2";
    case 16: return L"MKV";
    case 18: return L"F4V";
    default: return nullptr;
    }
}

std::string EncoderFor(const mediaeng::FormatInfo& f, const std::wstring& codecName, bool video)
{
    if (!codecName.empty())
        if (const mediaeng::CodecInfo* c = mediaeng::FindCodecByName(f.id, codecName, video)) {
            std::string e = mediaeng::AvailableEncoder(*c);
            if (!e.empty()) return e;
        }
    for (int32_t tag : video ? f.videoTags : f.audioTags) {
        const mediaeng::CodecInfo* c = video ? mediaeng::FindVideoCodec(tag) : mediaeng::FindAudioCodec(tag);
        if (c) {
            std::string e = mediaeng::AvailableEncoder(*c);
            if (!e.empty()) return e;
        }
    }
    return {};
}

}  // namespace

ComPtr<IEngineNode> FirstFormatNodeOf(IConversionJob* job)
{
    if (!job) return nullptr;
    CSchemaLock lock;
    return FirstFormatNode(job);
}

void FrameRateFromId(int id, int& num, int& den)
{
    num = 0;
    den = 1;
    if (id <= 0) return;
    // 23976, 29970, 59940...: the NTSC rates, N x 1000/1001.
    const long long ntsc = std::llround(id * 1.001 / 1000.0) * 1000;
    if (id % 1000 != 0 && std::llabs(ntsc * 1000 / 1001 - id) <= 1) {
        num = int(ntsc);
        den = 1001;
        return;
    }
    num = id;
    den = 1000;
}

double AspectFromId(int id)
{
    switch (id) {
    case 1: return 4.0 / 3.0;
    case 2: return 16.0 / 9.0;
    case 3: return 1.0;
    case 4: return 2.35;
    default: return 0;
    }
}

HRESULT ReadJobTree(IConversionJob* job, CJobSettings& settings, std::wstring& error)
{
    if (!job) return E_POINTER;
    CSchemaLock lock;
    settings = CJobSettings();
    ReadSources(job, settings);

    ComPtr<IEngineNode> profile;
    ComPtr<IEngineNode> fmt = FirstFormatNode(job, &profile);
    ReadRanges(profile.Get(), settings);
    if (!fmt) {
        error = EngineText(text::kNoOutputFormat);
        return E_FAIL;
    }
    IEngineNode* n = fmt.Get();
    const int formatId = Int(n, jobkey::OutputFormatID, 0);
    const mediaeng::FormatInfo* f = mediaeng::FindFormat(formatId);
    const bool special = f && (f->id == mediaeng::kSameAsSourceFormat || *f->imageEncoder);
    if (!f || (!special && (!f->muxer || !*f->muxer || *f->imageEncoder))) {
        error = EngineText(text::kFormatNotConvertible, formatId);
        return E_FAIL;
    }
    CJobOutput& o = settings.output;
    o.muxer = f->muxer;
    o.extension = Utf8ToWide(f->extension);

    const bool hasVideo = !f->videoTags.empty();
    CVideoOutput& v = o.video;
    v.enabled = hasVideo && Int(n, jobkey::IncludeVideoStream, 1) != 0;
    const wchar_t* prefix = CodecPrefix(formatId);
    const std::wstring videoCodec = prefix ? Text(n, jobkey::VideoCodecKey(prefix).c_str(), L"") : L"";
    const std::wstring audioCodec = prefix ? Text(n, jobkey::AudioCodecKey(prefix).c_str(), L"") : L"";
    if (hasVideo) v.encoder = EncoderFor(*f, videoCodec, true);
    v.bitrateMode = Int(n, jobkey::VideoBitrateMode, 0);
    v.bitrateKbps = Int(n, jobkey::VideoBitrate, 2000);
    v.quality = Int(n, jobkey::Quality, 75);
    v.keyFrames = Int(n, jobkey::KeyFrames, 100);
    v.profile = Int(n, jobkey::VideoProfile, 0);
    v.twoPass = Int(n, jobkey::TwoPass, 0) != 0;
    FrameRateFromId(Int(n, jobkey::FrameRateID, 0), v.frameRateNum, v.frameRateDen);
    v.displayAspect = AspectFromId(Int(n, jobkey::AspectRatioType, 0));
    v.resize = Text(n, jobkey::Resize, L"100%");
    v.resizeType = Int(n, jobkey::ResizeType, 0);
    v.resampling = Int(n, jobkey::Resampling, 1);
    v.letterbox = Int(n, jobkey::CreateLitterbox, 0) != 0;
    v.letterboxColor = uint32_t(Int(n, jobkey::LitterboxColor, 0));

    CAudioOutput& a = o.audio;
    a.enabled = !f->audioTags.empty() && Int(n, jobkey::IncludeAudioStream, 1) != 0;
    a.encoder = EncoderFor(*f, audioCodec, false);
    a.channels = Int(n, jobkey::Channels, 2);
    a.sampleRate = Int(n, jobkey::SamplingRate, 44100);
    a.bitrateKbps = Int(n, jobkey::AudioBitrate, 128);
    a.precision = Int(n, jobkey::AudioPrecision, 16);
    a.bitrateMode = Int(n, jobkey::AudioBitrateMode, 0);
    a.quality = Int(n, jobkey::AudioQuality, 75);

    CNamingSettings& nm = o.naming;
    nm.destinationFolder = Text(n, jobkey::DestinationFolder, L"");
    nm.pattern = Text(n, jobkey::FileNamePattern, L"*.*");
    nm.overwrite = Int(n, jobkey::IsOverwrite, 1) != 0;
    nm.duplicateFormat = Text(n, jobkey::FormatDublicateName, L"%02d");
    nm.numericFormat = Text(n, jobkey::FormatNumericVariable, L"%02d");
    nm.numericStart = Int(n, jobkey::NumericVarStartWidth, 0);
    nm.numericIncrement = Int(n, jobkey::NumericVarIncrement, 1);
    nm.webSafe = Int(n, jobkey::WebSafe, 0) != 0;
    nm.nameCase = Int(n, jobkey::NameCase, 0);
    nm.extensionCase = Int(n, jobkey::ExtensionCase, 0);
    nm.useFormatExtension = Int(n, jobkey::UseFormatExtension, 1) != 0;
    ReadJobOperations(job, n, *f, settings);
    return S_OK;
}

}  // namespace mediaeng::job
