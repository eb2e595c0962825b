#include "mediaeng/probe/MediaSource.h"
#include "engine/JobTreeKeys.h"
#include "engine/MediaSourceKeys.h"
#include "engine/MsgMng.h"
#include "mediaeng/core/EngineText.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/dvd/DiscPath.h"
#include "mediaeng/dvd/DvdDisc.h"
#include "mediaeng/dvd/DvdTitleReader.h"
#include "platform/ClassRegistry.h"
#include "platform/ResourceLibrary.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace mediaeng {

namespace {

enum : UINT {
    IDS_NOT_FOUND = 32301,
    IDS_EMPTY = 32302,
    IDS_NOT_MEDIA = 32303,
    IDS_DAMAGED = 32304,
    IDS_NO_STREAMS = 32305,
    IDS_NO_DVD = 32306,
    IDS_CANCELLED = 32307,
    IDS_NO_NAME = 32308,
    IDS_TOO_SLOW = 32309,
    IDS_NO_DVD_BECAUSE = 32310,  // the disc's path, then why it could not be read
    IDS_NO_TITLE_LENGTH = 32311,
    IDS_DVD_SETS_LEFT_OUT = 32312,  // the disc's path, then the title sets' numbers
};

std::wstring ErrorText(UINT id, const std::wstring& path, const std::wstring& reason = {})
{
    std::wstring format = LoadResString(id);
    if (format.empty()) {
        static const std::pair<UINT, const wchar_t*> kFallback[] = {
            {IDS_NOT_FOUND, L"The file \"%s\" does not exist."},
            {IDS_EMPTY, L"The file \"%s\" is empty."},
            {IDS_NOT_MEDIA, L"\"%s\" is not a media file that can be read."},
            {IDS_DAMAGED, L"\"%s\" is damaged or incomplete."},
            {IDS_NO_STREAMS, L"\"%s\" holds no video, audio or picture."},
            {IDS_NO_DVD, L"No DVD could be read at \"%s\"."},
            {IDS_CANCELLED, L"Opening \"%s\" was cancelled."},
            {IDS_NO_NAME, L"No file name was given."},
            {IDS_TOO_SLOW, L"Reading \"%s\" took too long."},
            {IDS_NO_DVD_BECAUSE, L"No DVD could be read at \"%s\": %s."},
            {IDS_NO_TITLE_LENGTH, L"no title on it has a playing time"},
            {IDS_DVD_SETS_LEFT_OUT, L"The DVD at \"%s\" was read without its damaged title sets: %s."},
        };
        for (const auto& [key, text] : kFallback)
            if (key == id) format = text;
    }
    CMsgArg arg;
    arg.kind = CMsgArg::String;
    arg.text = path;
    CMsgArg why = arg;
    why.text = reason;
    return FormatMessageSafe(format, {arg, why});
}

// The title sets a disc was read without, named by number: "2, 5".
std::wstring LeftOutSetsText(const std::wstring& path, const std::vector<int>& sets)
{
    std::wstring numbers;
    for (int n : sets) numbers += (numbers.empty() ? L"" : L", ") + std::to_wstring(n);
    return ErrorText(IDS_DVD_SETS_LEFT_OUT, path, numbers);
}

// The disc could not be read, and why when the reader said.
std::wstring NoDvdText(const std::wstring& path, const std::string& reason)
{
    return reason.empty() ? ErrorText(IDS_NO_DVD, path) : ErrorText(IDS_NO_DVD_BECAUSE, path, Utf8ToWide(reason));
}

enum ESwitchList : size_t { kAudioSwitches, kVideoSwitches, kImageSwitches, kSwitchLists };
constexpr size_t kSwitches = sourcekey::kStreamSwitches;

// "IsAudio0".."IsImage15", made once: every source object, one for each file
// probed, carries all 48 switches.
const std::wstring& SwitchKey(ESwitchList list, size_t n)
{
    static const auto keys = [] {
        std::array<std::array<std::wstring, kSwitches>, kSwitchLists> k;
        const wchar_t* names[kSwitchLists] = {sourcekey::IsAudio, sourcekey::IsVideo, sourcekey::IsImage};
        for (size_t l = 0; l < kSwitchLists; ++l)
            for (size_t i = 0; i < kSwitches; ++i) k[l][i] = sourcekey::StreamSwitch(names[l], i);
        return k;
    }();
    return keys[list][n];
}

}  // namespace

CMediaSource::CMediaSource() : CEngineNode(L"MediaSource")
{
    CSchemaLock l;  // held across the properties below: each one's own lock is then a re-entry
    Prop(sourcekey::FileName, CVariant(L""));
    Prop(sourcekey::Type, CVariant(int32_t{0}));
    Prop(sourcekey::IsVirtualFile, CVariant(int32_t{0}));
    Prop(sourcekey::IsVirtualVideoFile, CVariant(int32_t{0}));
    Prop(sourcekey::VirtualDuration, CVariant(0.0));
    Prop(sourcekey::IsMontageFile, CVariant(0.0));
    Prop(sourcekey::IgnoreBuild, CVariant(0.0));
    Prop(sourcekey::AddToJoin, CVariant(0.0));
    Prop(sourcekey::JoinSubFiles, CVariant(int32_t{0}));
    Prop(sourcekey::IncludeSubFile, CVariant(int32_t{1}));
    for (ESwitchList list : {kAudioSwitches, kVideoSwitches, kImageSwitches})
        for (size_t n = 0; n < kSwitches; ++n) {
            const std::wstring& key = SwitchKey(list, n);
            Prop(key, CVariant(int32_t{n == 0 ? 1 : 0}))->SetSettingsKey(key);
        }
    for (const wchar_t* name : {jobkey::GalleryData, jobkey::MontageData}) {
        CEngineProperty* data = Prop(name, CVariant());
        data->EnableGalleryData();
        ComPtr<CEngineNode> holder = MakeComObject<CEngineNode>(name);
        holder->Child(jobkey::Items, MakeComObject<CEngineNode>(jobkey::Items, NODE_COLLECTION));
        data->SetChildNode(static_cast<IEngineNode*>(holder.Get()));
    }
    m_subFiles = MakeComObject<CSubFileList>();
    Child(sourcekey::SubFiles, m_subFiles);
}

HRESULT CMediaSource::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IMediaSourceGraph) {
        if (!out) return E_POINTER;
        *out = static_cast<IMediaSourceGraph*>(this);
        AddRef();
        return S_OK;
    }
    return CEngineNode::QueryInterface(iid, out);
}

HRESULT CMediaSource::Fail(UINT id, const std::wstring& path, HRESULT hr)
{
    return FailWith(ErrorText(id, path), hr);
}

HRESULT CMediaSource::FailWith(const std::wstring& text, HRESULT hr)
{
    CSchemaLock l;
    m_lastError = text;
    m_state = State::Failed;
    SetError(m_lastError);
    return hr;
}

HRESULT CMediaSource::Open(IMsgHandler* handler)
{
    std::lock_guard<std::mutex> opening(m_openMutex);
    {
        CSchemaLock l;
        if (m_state == State::Open) return S_OK;
        if (m_state == State::Pending) return MS_OPEN_PENDING;
    }
    SetError(L"");  // no stale text from an earlier call on this thread
    const std::wstring name = ValueOf(sourcekey::FileName).AsString();
    const int32_t type = ValueOf(sourcekey::Type).AsInt();
    if (name.empty()) return Fail(IDS_NO_NAME, name);
    const std::string path = WideToUtf8(name);
    // A disc named as a plain file is read as the disc it is.
    if (type == 1 || (type == 0 && LooksLikeDvd(path))) {
        std::error_code ec;
        if (!fs::exists(path, ec)) return Fail(IDS_NOT_FOUND, name);
        m_handler = ComPtr<IMsgHandler>(handler);
        CSchemaLock l;
        m_state = State::Pending;
        return MS_OPEN_PENDING;
    }
    std::string disc;
    int title = 0;
    if (ParseDvdTitlePath(path, &disc, &title)) return OpenTitle(disc, title, name);
    return OpenFile(path, name);
}

HRESULT CMediaSource::OpenFile(const std::string& path, const std::wstring& shown)
{
    struct stat st {};  // one look at the file for all three checks
    if (::stat(path.c_str(), &st) != 0) return Fail(IDS_NOT_FOUND, shown);
    if (!S_ISREG(st.st_mode)) return Fail(IDS_NOT_MEDIA, shown);
    if (st.st_size == 0) return Fail(IDS_EMPTY, shown);

    CInterruptGuard guard(std::chrono::seconds(20), &m_cancel);
    FormatContextPtr ctx;
    if (OpenBounded(path, nullptr, guard, ctx) < 0)
        return Fail(guard.Expired() ? IDS_TOO_SLOW : IDS_NOT_MEDIA, shown);
    ProbeResult facts;
    if (!ProbeStreams(ctx.get(), facts)) return Fail(IDS_NO_STREAMS, shown);
    if (LooksTruncated(ctx.get(), facts)) return Fail(IDS_DAMAGED, shown);
    ctx.reset();  // the demuxer's memory goes back before the facts take theirs
    PublishFacts(facts, 0);
    AddSelfSubFile(facts, 0, shown);
    CSchemaLock l;
    m_state = State::Open;
    return S_OK;
}

HRESULT CMediaSource::OpenTitle(const std::string& discPath, int title, const std::wstring& shown)
{
    std::string reason;
    auto disc = CDvdDisc::Open(discPath, &reason);
    if (!disc) return FailWith(NoDvdText(Utf8ToWide(discPath), reason));
    return OpenTitleOn(disc, title, shown);
}

HRESULT CMediaSource::OpenTitleOn(const std::shared_ptr<CDvdDisc>& disc, int title, const std::wstring& shown)
{
    auto reader = CDvdTitleReader::Open(disc, title);
    if (!reader) return Fail(IDS_NOT_MEDIA, shown);
    double duration = 0;
    for (const DvdTitleInfo& t : disc->Titles())
        if (t.number == title) duration = t.duration;
    ProbeResult facts;
    {
        CInterruptGuard guard(std::chrono::seconds(20), &m_cancel);
        FormatContextPtr ctx;
        if (OpenBounded("", reader->Context(), guard, ctx) < 0 || !ProbeStreams(ctx.get(), facts))
            return Fail(IDS_NOT_MEDIA, shown);
    }
    PublishFacts(facts, duration);
    if (m_selfSubFile) AddSelfSubFile(facts, duration, shown);
    CSchemaLock l;
    m_state = State::Open;
    return S_OK;
}

// A file (or a title opened by its own name) is its own one sub-file: a
// second source object with the same name and facts, so nothing holds itself.
void CMediaSource::AddSelfSubFile(const ProbeResult& facts, double duration, const std::wstring& name)
{
    m_subFiles->Defer([facts, duration, name] {
        ComPtr<CMediaSource> sub = MakeComObject<CMediaSource>();
        sub->Prop(sourcekey::FileName, CVariant())->Assign(CVariant(name));
        sub->PublishFacts(facts, duration);
        sub->MarkOpen();
        return ComPtr<CEngineNode>(sub);
    });
}

HRESULT CMediaSource::ContinueOpen(IProgressImpl* progress)
{
    std::lock_guard<std::mutex> opening(m_openMutex);
    {
        CSchemaLock l;
        if (m_state == State::Open) return S_OK;
        if (m_state != State::Pending) return E_UNEXPECTED;
    }
    // Held only for this open: the handler's owner need not outlive the source.
    ComPtr<IMsgHandler> handler;
    handler.Swap(m_handler);
    return OpenDisc(progress, handler.Get());
}

HRESULT CMediaSource::OpenDisc(IProgressImpl* progress, IMsgHandler* handler)
{
    const std::wstring name = ValueOf(sourcekey::FileName).AsString();
    std::string reason;
    auto disc = CDvdDisc::Open(WideToUtf8(name), &reason);
    if (!disc) return FailWith(NoDvdText(name, reason));
    const auto& titles = disc->Titles();
    if (progress) progress->SetRange(static_cast<LONGLONG>(titles.size()));
    double longest = 0;
    const DvdTitleInfo* main = nullptr;
    for (size_t i = 0; i < titles.size(); ++i) {
        if (progress && !progress->CanContinue()) return Fail(IDS_CANCELLED, name, E_ABORT);
        const DvdTitleInfo& t = titles[i];
        ComPtr<CMediaSource> sub = MakeComObject<CMediaSource>();
        const std::wstring titlePath = Utf8ToWide(MakeDvdTitlePath(disc->Path(), t.number));
        sub->Prop(sourcekey::FileName, CVariant())->Assign(CVariant(titlePath));
        sub->m_selfSubFile = false;  // a disc's title is listed once, by the disc
        if (SUCCEEDED(sub->OpenTitleOn(disc, t.number, titlePath))) {
            AddSubFile(sub);
            if (t.duration > longest) longest = t.duration, main = &t;
        }
        if (progress) progress->SetPos(static_cast<LONGLONG>(i + 1));
    }
    LONG count = 0;
    m_subFiles->GetCount(&count);
    if (count == 0) return FailWith(NoDvdText(name, EngineTextUtf8(text::kNoPlayableTitle)));
    // Tables that give every title no playing time are damaged: no title can
    // stand for the disc.
    if (!main) return FailWith(NoDvdText(name, WideToUtf8(ErrorText(IDS_NO_TITLE_LENGTH, name))));
    // The disc as a whole shows its longest title's picture.
    ProbeResult facts;
    StreamFacts video;
    video.width = main->width;
    video.height = main->height;
    video.displayAspect = main->aspect;
    video.frameRate = main->frameRate;
    video.codec = "mpeg2video";
    facts.video.push_back(video);
    PublishFacts(facts, longest);
    // The open succeeds, but titles of the disc are missing: the user is told
    // which sets were left out (an error line, as a damaged file gets), and
    // the same text answers GetLastError.
    const std::wstring leftOut = disc->LeftOutSets().empty() ? L"" : LeftOutSetsText(name, disc->LeftOutSets());
    {
        CSchemaLock l;
        m_lastError = leftOut;
        m_state = State::Open;
    }
    if (!leftOut.empty() && handler) handler->OnTextMessage(leftOut.c_str(), MSGF_ERROR);
    return S_OK;
}

void CMediaSource::AddSubFile(ComPtr<CMediaSource> sub)
{
    IUnknown* self = static_cast<IEngineNode*>(this);
    sub->SetOwner(self);
    sub->SetAssociated(this);
    m_subFiles->Add(static_cast<IEngineNode*>(sub.Get()));
}

void CMediaSource::PublishFacts(const ProbeResult& facts, double duration)
{
    CSchemaLock l;
    ClearFacts();
    m_duration = duration > 0 ? duration : facts.duration;
    if (!facts.still) {
        Publish(sourcekey::DurationByS, CVariant(m_duration));
        Publish(sourcekey::StreamDuration, CVariant(static_cast<int64_t>(m_duration * 1e7)));
    }
    if (!facts.video.empty()) {
        const StreamFacts& v = facts.video.front();
        const double aspect = v.displayAspect > 0 ? v.displayAspect : (v.height ? double(v.width) / v.height : 0.0);
        Publish(sourcekey::Width, CVariant(int32_t{v.width}));
        Publish(sourcekey::Height, CVariant(int32_t{v.height}));
        Publish(sourcekey::AspectRatio, CVariant(aspect));
        // Facts are bounded by the probe; the clamp keeps any slip from wrapping.
        const double shown = std::clamp(v.height * aspect + 0.5, 0.0, double(INT32_MAX));
        Publish(sourcekey::DisplayWidth, CVariant(static_cast<int32_t>(shown)));
        Publish(sourcekey::DisplayHeight, CVariant(int32_t{v.height}));
        if (!facts.still) Publish(sourcekey::FrameRate, CVariant(v.frameRate));
    }
    Publish(sourcekey::IsImage, CVariant(int32_t{facts.still ? 1 : 0}));

    CEngineNode* general = FactGroup(sourcekey::General);
    general->Fact(sourcekey::Format, CVariant(Utf8ToWide(facts.format)));
    if (!facts.still) general->Fact(sourcekey::Duration, CVariant(m_duration));
    if (facts.bitrate > 0) general->Fact(sourcekey::Bitrate, CVariant(static_cast<int32_t>(facts.bitrate / 1000)));

    auto addSwitch = [this](CEngineNode* group, ESwitchList list, size_t index) {
        const std::wstring& key = SwitchKey(list, index);
        ComPtr<IUnknown> linked;
        CEngineNode::GetItem(key.c_str(), linked.ReleaseAndGetAddressOf());
        CEngineProperty* sw = group->Fact(sourcekey::Enabled, ValueOf(key), EPF_SWITCH);
        sw->SetSettingsKey(key);
        sw->SetLinked(linked.Get());
    };
    if (facts.still) {
        const StreamFacts& v = facts.video.front();
        CEngineNode* g = FactGroup(sourcekey::Image);
        g->Fact(sourcekey::Codec, CVariant(Utf8ToWide(v.codec)));
        g->Fact(sourcekey::Width, CVariant(int32_t{v.width}));
        g->Fact(sourcekey::Height, CVariant(int32_t{v.height}));
        addSwitch(g, kImageSwitches, 0);
        return;
    }
    for (size_t i = 0; i < facts.video.size() && i < sourcekey::kStreamSwitches; ++i) {
        const StreamFacts& v = facts.video[i];
        CEngineNode* g = FactGroup(sourcekey::StreamCategory(sourcekey::Video, i, facts.video.size()));
        g->Fact(sourcekey::Codec, CVariant(Utf8ToWide(v.codec)));
        g->Fact(sourcekey::Width, CVariant(int32_t{v.width}));
        g->Fact(sourcekey::Height, CVariant(int32_t{v.height}));
        g->Fact(sourcekey::AspectRatio, CVariant(v.displayAspect));
        g->Fact(sourcekey::FrameRate, CVariant(v.frameRate));
        g->Fact(sourcekey::Bitrate, CVariant(static_cast<int32_t>(v.bitrate / 1000)));
        g->Fact(sourcekey::StreamID, CVariant(int32_t{v.index}));
        if (!v.language.empty()) g->Fact(sourcekey::Language, CVariant(Utf8ToWide(v.language)));
        addSwitch(g, kVideoSwitches, i);
    }
    for (size_t i = 0; i < facts.audio.size() && i < sourcekey::kStreamSwitches; ++i) {
        const StreamFacts& a = facts.audio[i];
        CEngineNode* g = FactGroup(sourcekey::StreamCategory(sourcekey::Audio, i, facts.audio.size()));
        g->Fact(sourcekey::Codec, CVariant(Utf8ToWide(a.codec)));
        g->Fact(sourcekey::Channels, CVariant(int32_t{a.channels}));
        g->Fact(sourcekey::SamplingRate, CVariant(int32_t{a.sampleRate}));
        g->Fact(sourcekey::Bitrate, CVariant(static_cast<int32_t>(a.bitrate / 1000)));
        g->Fact(sourcekey::StreamID, CVariant(int32_t{a.index}));
        if (!a.language.empty()) g->Fact(sourcekey::Language, CVariant(Utf8ToWide(a.language)));
        addSwitch(g, kAudioSwitches, i);
    }
}

HRESULT CMediaSource::BuildGraph(LONG forPlayback, IUnknown** graph)
{
    if (!graph) return E_POINTER;
    *graph = nullptr;
    IMediaGraphProvider* provider = GetMediaGraphProvider();
    if (!provider) return E_NOTIMPL;
    HRESULT hr = provider->BuildGraph(static_cast<IEngineNode*>(this), forPlayback, graph);
    if (SUCCEEDED(hr) && *graph) {
        CSchemaLock l;
        m_graph = ComPtr<IUnknown>(*graph);
    }
    return hr;
}

HRESULT CMediaSource::ReadFrame(REFERENCE_TIME time, void* record, BYTE** format, DWORD* dataSize, BYTE** data)
{
    IMediaGraphProvider* provider = GetMediaGraphProvider();
    if (!provider) return E_NOTIMPL;
    return provider->ReadFrame(static_cast<IEngineNode*>(this), time, record, format, dataSize, data);
}

HRESULT CMediaSource::GetDuration(REFERENCE_TIME* duration)
{
    if (!duration) return E_POINTER;
    CSchemaLock l;
    *duration = static_cast<REFERENCE_TIME>(m_duration * 1e7);
    return S_OK;
}

HRESULT CMediaSource::IsOpen(BOOL* open)
{
    if (!open) return E_POINTER;
    CSchemaLock l;
    *open = m_state == State::Open;
    return S_OK;
}

HRESULT CMediaSource::GetLastError(BSTR* text)
{
    if (!text) return E_POINTER;
    CSchemaLock l;
    *text = SysAllocString(m_lastError);
    return m_lastError.empty() ? S_FALSE : S_OK;
}

HRESULT CMediaSource::Close()
{
    ComPtr<IUnknown> graph;
    CSchemaLock l;
    graph.Swap(m_graph);
    ClearFacts();
    m_state = State::Closed;
    return S_OK;
}

HRESULT CMediaSource::ReleaseGraph()
{
    ComPtr<IUnknown> graph;
    CSchemaLock l;
    graph.Swap(m_graph);
    return S_OK;
}

HRESULT CMediaSource::ResetAfterJob(LONG, LONG) { return S_OK; }

void RegisterSourceClasses()
{
    CoRegisterClass(CLSID_MediaSource, []() -> IUnknown* { return static_cast<IEngineNode*>(new CMediaSource()); });
}

}  // namespace mediaeng
