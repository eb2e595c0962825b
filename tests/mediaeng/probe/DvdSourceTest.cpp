#include "engine/MediaInput.h"
#include "engine/MediaSourceGraph.h"
#include "fixtures/DvdFixture.h"
#include "mediaeng/dvd/DvdDisc.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <vector>
extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;

namespace {

const fs::path& Disc()
{
    static const fs::path disc = [] {
        const char* dir = std::getenv("KM_TEST_DIR");
        return fixtures::WriteDvd(fs::path(dir ? dir : "/tmp") / "dvd");
    }();
    return disc;
}

struct Progress : IProgressImpl {
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT SetRange(LONGLONG t) override { return total = t, S_OK; }
    HRESULT SetPos(LONGLONG p) override { return pos = p, S_OK; }
    HRESULT Reserved() override { return S_OK; }
    BOOL CanContinue() override { return go; }
    LONGLONG total = 0, pos = 0;
    BOOL go = 1;
};

ComPtr<IEngineNode> NewSource(const fs::path& path, int type)
{
    ComPtr<IEngineNode> s;
    EXPECT_EQ(CoCreate(CLSID_MediaSource, s), S_OK);
    s->SetValue(L"FileName", CVariant(path.wstring()));
    s->SetValue(L"Type", CVariant(int32_t{type}));
    return s;
}

ComPtr<IUnknown> SubFile(IEngineNode* source, LONG i)
{
    ComPtr<IUnknown> list, item;
    source->GetItem(L"SubFiles", list.ReleaseAndGetAddressOf());
    if (auto c = list.As<IEngineCollection>()) c->GetItem(i, item.ReleaseAndGetAddressOf());
    return item;
}

double Duration(IUnknown* source)
{
    CVariant v;
    CSchemaLock lock;
    ComPtr<IUnknown> item;
    if (auto c = ComPtr<IUnknown>(source).As<IPropertyContainer>())
        if (SUCCEEDED(c->GetItemByName(L"DurationByS", item.ReleaseAndGetAddressOf()))) item.As<IEngineValue>()->GetValue(&v);
    return v.AsDouble(-1);
}

}  // namespace

TEST(DvdMediaSource, ListsTitlesWithDurations)
{
    if (Disc().empty()) GTEST_SKIP() << "no DVD fixture (dvdauthor missing?)";
    for (const fs::path& where : {Disc(), Disc() / "VIDEO_TS", Disc() / "VIDEO_TS" / "VIDEO_TS.IFO"}) {
        SCOPED_TRACE(where.string());
        ComPtr<IEngineNode> dvd = NewSource(where, 1);
        auto graph = dvd.As<IMediaSourceGraph>();
        ASSERT_EQ(graph->Open(nullptr), MS_OPEN_PENDING);
        Progress progress;
        ASSERT_EQ(graph->ContinueOpen(&progress), S_OK);
        EXPECT_EQ(progress.total, 2);
        EXPECT_EQ(progress.pos, 2);
        LONG count = 0;
        ComPtr<IUnknown> list;
        dvd->GetItem(L"SubFiles", list.ReleaseAndGetAddressOf());
        list.As<IEngineCollection>()->GetCount(&count);
        ASSERT_EQ(count, 2);
        EXPECT_NEAR(Duration(SubFile(dvd.Get(), 0).Get()), 1.0, 0.08);
        EXPECT_NEAR(Duration(SubFile(dvd.Get(), 1).Get()), 2.0, 0.08);
        // A title knows the disc it came from.
        auto item = SubFile(dvd.Get(), 1).As<IMediaItem>();
        EXPECT_EQ(item->GetAssociated(nullptr), 1);
    }
}

// A title opens again by its own name, and its video is read through libdvdread.
TEST(DvdMediaSource, TitleReadsThroughItsCells)
{
    if (Disc().empty()) GTEST_SKIP() << "no DVD fixture (dvdauthor missing?)";
    ComPtr<IEngineNode> dvd = NewSource(Disc(), 1);
    auto graph = dvd.As<IMediaSourceGraph>();
    ASSERT_EQ(graph->Open(nullptr), MS_OPEN_PENDING);
    ASSERT_EQ(graph->ContinueOpen(nullptr), S_OK);
    CVariant name;
    SubFile(dvd.Get(), 1).As<IEngineNode>()->GetValue(L"FileName", &name);
    ComPtr<IEngineNode> title = NewSource(name.AsString(), 0);
    ASSERT_EQ(title.As<IMediaSourceGraph>()->Open(nullptr), S_OK);
    EXPECT_NEAR(Duration(title.Get()), 2.0, 0.08);
    EXPECT_TRUE(SubFile(title.Get(), 0));  // a title opened by name is its own sub-file
    EXPECT_FALSE(SubFile(SubFile(dvd.Get(), 0).As<IEngineNode>().Get(), 0));
    std::unique_ptr<CMediaInput> input;
    ASSERT_EQ(OpenMediaInput(title.Get(), input), S_OK);
    AVFormatContext* ctx = input->Format();
    int video = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    ASSERT_GE(video, 0);
    EXPECT_EQ(ctx->streams[video]->codecpar->width, 720);
    AVPacket* pkt = av_packet_alloc();
    int videoPackets = 0;
    while (av_read_frame(ctx, pkt) >= 0) {
        videoPackets += pkt->stream_index == video;
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    EXPECT_GE(videoPackets, 45);  // two runs of 25 frames
    // The whole disc reads as its longest title.
    std::unique_ptr<CMediaInput> whole;
    ASSERT_EQ(OpenMediaInput(dvd.Get(), whole), S_OK);
    EXPECT_NEAR(whole->DurationSeconds(), 2.0, 0.08);
}

TEST(DvdMediaSource, CancelAndBadPlacesFailWithAText)
{
    if (!Disc().empty()) {
        ComPtr<IEngineNode> dvd = NewSource(Disc(), 1);
        auto graph = dvd.As<IMediaSourceGraph>();
        ASSERT_EQ(graph->Open(nullptr), MS_OPEN_PENDING);
        Progress stop;
        stop.go = 0;
        EXPECT_EQ(graph->ContinueOpen(&stop), E_ABORT);
        BSTR text = nullptr;
        graph->GetLastError(&text);
        EXPECT_FALSE(BstrToWString(text).empty());
        SysFreeString(text);
    }
    const char* dir = std::getenv("KM_TEST_DIR");
    const fs::path empty = fs::path(dir ? dir : "/tmp") / "not-a-dvd";
    fs::create_directories(empty);
    ComPtr<IEngineNode> folder = NewSource(empty, 1);
    auto graph = folder.As<IMediaSourceGraph>();
    ASSERT_EQ(graph->Open(nullptr), MS_OPEN_PENDING);
    EXPECT_LT(graph->ContinueOpen(nullptr), 0);
    EXPECT_LT(NewSource(empty / "missing", 1).As<IMediaSourceGraph>()->Open(nullptr), 0);
    // A title name that points nowhere fails cleanly too.
    EXPECT_LT(NewSource(L"dvdtitle:3:" + empty.wstring(), 0).As<IMediaSourceGraph>()->Open(nullptr), 0);
    std::string disc;
    int n = 0;
    EXPECT_FALSE(mediaeng::ParseDvdTitlePath("dvdtitle:x:/a", &disc, &n));
    EXPECT_FALSE(mediaeng::ParseDvdTitlePath("dvdtitle:0:/a", &disc, &n));
    EXPECT_TRUE(mediaeng::ParseDvdTitlePath(mediaeng::MakeDvdTitlePath("/a:b", 12), &disc, &n));
    EXPECT_EQ(disc, "/a:b");
    EXPECT_EQ(n, 12);
}

// Damaged title tables (both the IFO and its backup): the open ends with
// titles it could check or with a failure, never with a read out of bounds.
TEST(DvdMediaSource, DamagedTablesNeverReadOutOfBounds)
{
    if (Disc().empty()) GTEST_SKIP() << "no DVD fixture (dvdauthor missing?)";
    const fs::path copy = Disc().parent_path() / "damaged";
    uint32_t seed = 7;
    for (int variant = 0; variant < 12; ++variant) {
        fs::remove_all(copy);
        fs::copy(Disc(), copy, fs::copy_options::recursive);
        for (const char* name : {"VTS_01_0.IFO", "VTS_01_0.BUP", "VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
            if ((variant % 3 == 0) != (name[1] == 'I')) continue;  // some variants spoil the disc table, others the title set
            std::fstream f(copy / "VIDEO_TS" / name, std::ios::in | std::ios::out | std::ios::binary);
            f.seekg(0, std::ios::end);
            const auto size = static_cast<uint32_t>(f.tellg());
            for (int i = 0; i < 64; ++i) {
                seed = seed * 1664525u + 1013904223u;
                const uint32_t at = 0x80 + (seed >> 8) % (size - 0x80);
                f.seekp(at);
                f.put(static_cast<char>(seed >> 24));
            }
        }
        ComPtr<IEngineNode> dvd = NewSource(copy, 1);
        auto graph = dvd.As<IMediaSourceGraph>();
        ASSERT_EQ(graph->Open(nullptr), MS_OPEN_PENDING);
        HRESULT hr = graph->ContinueOpen(nullptr);
        if (FAILED(hr)) {
            BSTR text = nullptr;
            graph->GetLastError(&text);
            EXPECT_FALSE(BstrToWString(text).empty());
            SysFreeString(text);
        }
    }
}

namespace {
// A fresh copy of the generated disc to damage.
fs::path DiscCopy(const char* name)
{
    const fs::path copy = Disc().parent_path() / name;
    fs::remove_all(copy);
    fs::copy(Disc(), copy, fs::copy_options::recursive);
    return copy;
}

HRESULT OpenDisc(const fs::path& disc, std::wstring* error = nullptr, LONG* titles = nullptr)
{
    ComPtr<IEngineNode> dvd = NewSource(disc, 1);
    auto graph = dvd.As<IMediaSourceGraph>();
    if (graph->Open(nullptr) != MS_OPEN_PENDING) return E_UNEXPECTED;
    const HRESULT hr = graph->ContinueOpen(nullptr);
    BSTR text = nullptr;
    graph->GetLastError(&text);
    if (error) *error = BstrToWString(text);
    SysFreeString(text);
    if (titles) {
        ComPtr<IUnknown> list;
        dvd->GetItem(L"SubFiles", list.ReleaseAndGetAddressOf());
        list.As<IEngineCollection>()->GetCount(titles);
    }
    return hr;
}
}  // namespace

// The disc table says it has no title set (or fewer than its titles name):
// the sets the titles name are checked before the program reads them.
TEST(DvdMediaSource, TitleSetCountBelowTheTitlesSetsIsCheckedAsRead)
{
    if (Disc().empty()) GTEST_SKIP() << "no DVD fixture (dvdauthor missing?)";
    const fs::path zero = DiscCopy("no-sets");
    ASSERT_TRUE(fixtures::SetDvdTitleSetCount(zero, 0));
    LONG titles = 0;
    EXPECT_EQ(OpenDisc(zero, nullptr, &titles), S_OK);
    EXPECT_EQ(titles, 2);

    // With the title set's tables damaged too: refused or opened, never a
    // read out of bounds in this process.
    uint32_t seed = 99;
    for (int variant = 0; variant < 8; ++variant) {
        const fs::path copy = DiscCopy("no-sets-damaged");
        ASSERT_TRUE(fixtures::SetDvdTitleSetCount(copy, 0));
        // The backup is damaged alike, as a disc's copies are when it was
        // authored wrongly.
        const uint32_t first = seed;
        for (const char* name : {"VTS_01_0.IFO", "VTS_01_0.BUP"}) {
            seed = first;
            std::fstream f(copy / "VIDEO_TS" / name, std::ios::in | std::ios::out | std::ios::binary);
            f.seekg(0, std::ios::end);
            const auto size = static_cast<uint32_t>(f.tellg());
            for (int i = 0; i < 64; ++i) {
                seed = seed * 1664525u + 1013904223u;
                f.seekp(0x80 + (seed >> 8) % (size - 0x80));
                f.put(static_cast<char>(seed >> 24));
            }
        }
        std::wstring error;
        if (FAILED(OpenDisc(copy, &error))) {
            EXPECT_FALSE(error.empty());
        }
    }
}

TEST(DvdMediaSource, TitlesThatAllPlayNoTimeGiveAClearError)
{
    if (Disc().empty()) GTEST_SKIP() << "no DVD fixture (dvdauthor missing?)";
    const fs::path disc = DiscCopy("no-time");
    ASSERT_TRUE(fixtures::ZeroDvdPlayingTimes(disc));
    std::wstring error;
    EXPECT_LT(OpenDisc(disc, &error), 0);
    EXPECT_NE(error.find(disc.wstring()), std::wstring::npos) << std::string(error.begin(), error.end());
}

// A disc that cannot be read says why, not only that it could not: whether
// it is opened as a disc or through one of its titles.
TEST(DvdMediaSource, ADiscThatCannotBeReadSaysWhy)
{
    const char* dir = std::getenv("KM_TEST_DIR");
    const fs::path empty = fs::path(dir ? dir : "/tmp") / "not-a-dvd-reason";
    fs::create_directories(empty);
    std::wstring asDisc;
    EXPECT_LT(OpenDisc(empty, &asDisc), 0);
    auto title = NewSource(L"dvdtitle:1:" + empty.wstring(), 0).As<IMediaSourceGraph>();
    EXPECT_LT(title->Open(nullptr), 0);
    BSTR text = nullptr;
    title->GetLastError(&text);
    const std::wstring asTitle = BstrToWString(text);
    SysFreeString(text);
    for (const std::wstring& error : {asDisc, asTitle}) {
        EXPECT_NE(error.find(L"No DVD could be read"), std::wstring::npos) << WideToUtf8(error);
        EXPECT_NE(error.find(L"no title table"), std::wstring::npos) << WideToUtf8(error);  // why
    }
}

namespace {
const fs::path& TwoSetDisc()
{
    static const fs::path disc = [] {
        const char* dir = std::getenv("KM_TEST_DIR");
        return fixtures::WriteDvdWithTitleSets(fs::path(dir ? dir : "/tmp") / "dvd-two-sets", 2);
    }();
    return disc;
}

// The disc opens with only the other set's titles; the set left out is named
// in the text the source answers with.
void ExpectOpensWithoutSet(const fs::path& disc, int leftOutSet)
{
    LONG titles = 0;
    std::wstring note;
    EXPECT_EQ(OpenDisc(disc, &note, &titles), S_OK);
    EXPECT_EQ(titles, 2);
    EXPECT_NE(note.find(disc.wstring()), std::wstring::npos) << WideToUtf8(note);
    EXPECT_NE(note.find(L"damaged title sets: " + std::to_wstring(leftOutSet) + L"."), std::wstring::npos)
        << WideToUtf8(note);
}
}  // namespace

// Each title set is checked on its own: a set whose tables are damaged costs
// only its own titles, and the source names it.
TEST(DvdMediaSource, ADamagedTitleSetLeavesOnlyItsTitlesOut)
{
    const fs::path& twoSets = TwoSetDisc();
    if (twoSets.empty()) GTEST_SKIP() << "no DVD fixture (dvdauthor missing?)";
    {
        LONG titles = 0;
        std::wstring note;
        EXPECT_EQ(OpenDisc(twoSets, &note, &titles), S_OK);
        EXPECT_EQ(titles, 4);
        EXPECT_TRUE(note.empty()) << WideToUtf8(note);
    }
    struct Case {
        int damagedSet;
        std::vector<int> keptTitles;
    };
    for (const Case& c : {Case{2, {1, 2}}, Case{1, {3, 4}}}) {
        SCOPED_TRACE(c.damagedSet);
        const fs::path copy = twoSets.parent_path() / "damaged-set";
        fs::remove_all(copy);
        fs::copy(twoSets, copy, fs::copy_options::recursive);
        ASSERT_TRUE(fixtures::TruncateDvdTitleSet(copy, c.damagedSet));

        std::string reason;
        auto disc = mediaeng::CDvdDisc::Open(copy.string(), &reason);
        ASSERT_TRUE(disc) << reason;
        EXPECT_EQ(disc->LeftOutSets(), std::vector<int>{c.damagedSet});
        std::vector<int> kept;
        for (const mediaeng::DvdTitleInfo& t : disc->Titles()) {
            kept.push_back(t.number);
            EXPECT_NE(t.titleSet, c.damagedSet);
        }
        EXPECT_EQ(kept, c.keptTitles);
        ExpectOpensWithoutSet(copy, c.damagedSet);
    }
}

namespace {
// Stands for a reader that crashes (libdvdread aborting on a freed block, say)
// while the check reads title set 2: a build of the check program that does.
struct CheckThatCrashesOnSetTwo {
    CheckThatCrashesOnSetTwo() { mediaeng::SetDvdCheckProgram(KM_DVD_CHECK_CRASHING); }
    ~CheckThatCrashesOnSetTwo() { mediaeng::SetDvdCheckProgram(KM_DVD_CHECK); }
};
}  // namespace

// A reader that crashes on one title set brings down only the check of
// that set: the other set's titles are kept and the crashed set is named.
// The titles still open by their own names afterwards.
TEST(DvdMediaSource, AReaderThatCrashesOnOneTitleSetCostsOnlyThatSet)
{
    const fs::path& twoSets = TwoSetDisc();
    if (twoSets.empty()) GTEST_SKIP() << "no DVD fixture (dvdauthor missing?)";
    CheckThatCrashesOnSetTwo crash;
    std::string reason;
    auto disc = mediaeng::CDvdDisc::Open(twoSets.string(), &reason);
    ASSERT_TRUE(disc) << reason;
    EXPECT_EQ(disc->LeftOutSets(), std::vector<int>{2});
    std::vector<int> kept;
    for (const mediaeng::DvdTitleInfo& t : disc->Titles()) kept.push_back(t.number);
    EXPECT_EQ(kept, (std::vector<int>{1, 2}));
    ExpectOpensWithoutSet(twoSets, 2);
    ComPtr<IEngineNode> title = NewSource(Utf8ToWide(mediaeng::MakeDvdTitlePath(twoSets.string(), 2)), 0);
    EXPECT_EQ(title.As<IMediaSourceGraph>()->Open(nullptr), S_OK);
    ComPtr<IEngineNode> lost = NewSource(Utf8ToWide(mediaeng::MakeDvdTitlePath(twoSets.string(), 3)), 0);
    EXPECT_LT(lost.As<IMediaSourceGraph>()->Open(nullptr), 0);
}

// Discs opened from several threads at once while others allocate all the
// time (as two conversions and the preview do): every check ends and every
// open finds the titles. A check forked from this process could inherit an
// allocator lock another thread held and hang until its time ran out, which
// made the disc look damaged.
TEST(DvdMediaSource, OpensFromManyThreadsBesideBusyAllocatorsAllSucceed)
{
    const fs::path& disc = Disc();
    if (disc.empty()) GTEST_SKIP() << "no DVD fixture (dvdauthor missing?)";
    std::atomic<bool> stop{false};
    std::vector<std::thread> churn;
    for (int i = 0; i < 4; ++i)
        churn.emplace_back([&stop, i] {
            std::vector<std::vector<char>> blocks(64);
            for (size_t n = 0; !stop; ++n) blocks[n % blocks.size()].assign(64 + (n * 37 + size_t(i)) % 4096, 'x');
        });
    std::atomic<int> opened{0};
    std::vector<std::thread> openers;
    constexpr int kThreads = 4, kRounds = 6;
    for (int i = 0; i < kThreads; ++i)
        openers.emplace_back([&] {
            for (int r = 0; r < kRounds; ++r) {
                std::string reason;
                auto d = mediaeng::CDvdDisc::Open(disc.string(), &reason);
                if (d && !d->Titles().empty() && d->LeftOutSets().empty()) ++opened;
                else ADD_FAILURE() << "open " << r << ": " << reason;
            }
        });
    for (std::thread& t : openers) t.join();
    stop = true;
    for (std::thread& t : churn) t.join();
    EXPECT_EQ(opened.load(), kThreads * kRounds);
}
