// Source entries: the trim-range accessors, the one-of-sixteen stream flags,
// the entry's record in the project file, display names, and the splitting of
// a multi-title file into chapter entries.
#include "FakeEngine.h"
#include "model/source/Files.h"
#include "platform/Archive.h"
#include "platform/TextConv.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>

using fakes::CFakeSource;

namespace {

using Ranges = std::vector<std::pair<int64_t, int64_t>>;
constexpr int64_t kDuration = 1000;

Ranges RangesOf(CKMFile& entry)
{
    Ranges out;
    for (uint32_t i = 0; i < entry.m_timelines.GetCount(); ++i)
        out.emplace_back(entry.m_timelines.GetAt(i)->m_startTime, entry.m_timelines.GetAt(i)->m_endTime);
    return out;
}

struct TimelineCase {
    const char* name;
    Ranges before;
    int32_t current;
    std::function<int64_t(CKMFile&)> operation;  // its result, or -1 for none
    int64_t result;
    Ranges after;
    int32_t currentAfter;
};
void PrintTo(const TimelineCase& c, std::ostream* os) { *os << c.name; }

class Timelines : public ::testing::TestWithParam<TimelineCase> {};

TEST_P(Timelines, AccessorTable)
{
    const TimelineCase& c = GetParam();
    CKMFilePtr entry = CKMFile::Create(L"/m/a.mp4", 0);
    entry->m_duration = kDuration;
    for (auto [start, end] : c.before) {
        CTimelineObj* range = entry->m_timelines.CreateItem();
        range->m_startTime = start;
        range->m_endTime = end;
    }
    entry->m_currentTimeline = c.current;
    EXPECT_EQ(c.operation(*entry), c.result);
    EXPECT_EQ(RangesOf(*entry), c.after);
    EXPECT_EQ(entry->m_currentTimeline, c.currentAfter);
}

const Ranges kThree{{0, 100}, {200, 300}, {400, 500}};
int64_t None(CKMFile&) { return -1; }

INSTANTIATE_TEST_SUITE_P(
    Table, Timelines,
    ::testing::Values(
        TimelineCase{"EmptyStart", {}, 0, [](CKMFile& f) { return f.GetStartTime(); }, 0, {}, 0},
        TimelineCase{"EmptyEndIsTheDuration", {}, 0, [](CKMFile& f) { return f.GetEndTime(); }, kDuration, {}, 0},
        TimelineCase{"EmptySetStart", {}, 0, [](CKMFile& f) { f.SetStartTime(40); return None(f); }, -1,
                     {{40, kDuration}}, 0},
        TimelineCase{"EmptySetEnd", {}, 0, [](CKMFile& f) { f.SetEndTime(60); return None(f); }, -1, {{0, 60}}, 0},
        TimelineCase{"EmptyAdd", {}, 0, [](CKMFile& f) { f.AddTimeline(70); return None(f); }, -1,
                     {{0, kDuration}, {70, kDuration}}, 1},
        TimelineCase{"EmptyRemove", {}, 0, [](CKMFile& f) { f.RemoveTimeline(); return None(f); }, -1, {}, 0},
        TimelineCase{"FilledStart", kThree, 1, [](CKMFile& f) { return f.GetStartTime(); }, 200, kThree, 1},
        TimelineCase{"FilledEnd", kThree, 2, [](CKMFile& f) { return f.GetEndTime(); }, 500, kThree, 2},
        TimelineCase{"FilledSetStart", kThree, 1, [](CKMFile& f) { f.SetStartTime(250); return None(f); }, -1,
                     {{0, 100}, {250, 300}, {400, 500}}, 1},
        TimelineCase{"FilledSetEnd", kThree, 0, [](CKMFile& f) { f.SetEndTime(90); return None(f); }, -1,
                     {{0, 90}, {200, 300}, {400, 500}}, 0},
        TimelineCase{"FilledAdd", {{0, 100}, {200, 300}}, 0, [](CKMFile& f) { f.AddTimeline(600); return None(f); }, -1,
                     {{0, 100}, {200, 300}, {600, kDuration}}, 2},
        TimelineCase{"RemoveTheLastOfThree", kThree, 2, [](CKMFile& f) { f.RemoveTimeline(); return None(f); }, -1,
                     {{0, 100}, {200, 300}}, 1},
        TimelineCase{"RemoveTheMiddle", kThree, 1, [](CKMFile& f) { f.RemoveTimeline(); return None(f); }, -1,
                     {{0, 100}, {400, 500}}, 1},
        TimelineCase{"RemoveTheOnlyOne", {{5, 6}}, 0, [](CKMFile& f) { f.RemoveTimeline(); return None(f); }, -1, {}, 0},
        // An index past the end (or below 0) is clamped, never used as is.
        TimelineCase{"StaleIndexStart", kThree, 7, [](CKMFile& f) { return f.GetStartTime(); }, 400, kThree, 2},
        TimelineCase{"StaleIndexEnd", kThree, -3, [](CKMFile& f) { return f.GetEndTime(); }, 100, kThree, 0},
        TimelineCase{"StaleIndexSetEnd", kThree, 9, [](CKMFile& f) { f.SetEndTime(450); return None(f); }, -1,
                     {{0, 100}, {200, 300}, {400, 450}}, 2},
        TimelineCase{"StaleIndexRemove", kThree, 5, [](CKMFile& f) { f.RemoveTimeline(); return None(f); }, -1,
                     {{0, 100}, {200, 300}}, 1}),
    [](const ::testing::TestParamInfo<TimelineCase>& info) { return std::string(info.param.name); });

int32_t Flag(CKMFile& entry, const std::wstring& key)
{
    CVariant v;
    entry.GetParamValue(key, &v);
    return v.AsInt(-1);
}

TEST(StreamFlags, EditingOneFlagClearsTheOthersOfItsListOnly)
{
    CKMFilePtr entry = CKMFile::Create(L"/m/a.mkv", 0);
    entry->SetParamValue(L"IsAudio2", CVariant(int32_t{1}));
    entry->SetParamValue(L"IsAudio5", CVariant(int32_t{1}));
    CKMFile::CopyStreamFlags(entry.get(), L"IsAudio2");
    EXPECT_EQ(Flag(*entry, L"IsAudio2"), 1);
    EXPECT_EQ(Flag(*entry, L"IsAudio0"), 0);
    EXPECT_EQ(Flag(*entry, L"IsAudio5"), 0);
    EXPECT_EQ(Flag(*entry, L"IsVideo0"), 1);
    EXPECT_EQ(Flag(*entry, L"IsImage0"), 1);

    entry->SetParamValue(L"IsVideo3", CVariant(int32_t{0}));
    CKMFile::CopyStreamFlags(entry.get(), L"IsVideo3");
    EXPECT_EQ(Flag(*entry, L"IsVideo0"), 1);  // a cleared flag clears nothing
}

// Reads one parameter record of a node record written by SaveConfig.
struct Record {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> value;
};

TEST(EntryRecord, HoldsFiftyTwoParametersAndTheTrimGroup)
{
    CKMFilePtr entry = CKMFile::Create(L"/m/ä.mp4", 0);
    CMemoryArchive archive;
    entry->SaveConfig(archive);
    const std::vector<uint8_t>& d = archive.Data();
    size_t at = 0;
    auto u32 = [&] {
        uint32_t v = 0;
        std::memcpy(&v, d.data() + at, 4);
        at += 4;
        return v;
    };
    ASSERT_GE(d.size(), 8u);
    EXPECT_EQ(u32(), 52u);
    EXPECT_EQ(u32(), 1u);
    std::vector<Record> records;
    for (int i = 0; i < 52; ++i) {
        Record r;
        uint8_t n = d[at++];
        r.name.assign(reinterpret_cast<const char*>(d.data() + at), n);
        at += n;
        r.type = u32();
        uint32_t size = u32();
        r.value.assign(d.begin() + at, d.begin() + at + size);
        at += size;
        records.push_back(r);
    }
    EXPECT_EQ(records[0].name, "file_name");
    EXPECT_EQ(records[0].type, 2u);
    EXPECT_EQ(records[1].name, "timeline_behavior");
    EXPECT_EQ(records[2].name, "chapter_id");
    EXPECT_EQ(records[2].value, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(records[3].name, "unique_file_id");
    const char* lists[] = {"IsAudio", "IsVideo", "IsImage"};
    for (int l = 0; l < 3; ++l) {
        for (int n = 0; n < 16; ++n) {
            const Record& r = records[4 + l * 16 + n];
            EXPECT_EQ(r.name, lists[l] + std::to_string(n));
            EXPECT_EQ(r.value[0], n == 0 ? 1 : 0) << r.name;
        }
    }
    EXPECT_EQ(u32(), 1u);  // group id
    EXPECT_EQ(u32(), 0u);  // skip size
    EXPECT_EQ(u32(), 0u);  // no ranges
    EXPECT_EQ(at, d.size());
}

TEST(EntryRecord, RangesSurviveASaveAndLoad)
{
    CKMFilePtr entry = CKMFile::Create(L"/m/a.mp4", 0);
    entry->m_duration = kDuration;
    entry->AddTimeline(300);
    entry->m_chapterId = 2;
    CMemoryArchive archive;
    entry->SaveConfig(archive);

    CFiles list;
    CMemoryArchive in(archive.Data());
    CKMFile* loaded = list.CreateItem();
    EXPECT_EQ(loaded->LoadConfig(in), S_OK);
    EXPECT_EQ(loaded->m_fileName, L"/m/a.mp4");
    EXPECT_EQ(loaded->m_chapterId, 2);
    EXPECT_EQ(RangesOf(*loaded), (Ranges{{0, kDuration}, {300, kDuration}}));
}

ComPtr<CFakeSource> Title(const std::wstring& name, int32_t uniqueId, double seconds)
{
    ComPtr<CFakeSource> title = fakes::MakeSource();
    title->properties[L"FileName"] = CVariant(name);
    title->containerItems[L"unique_file_id"] = CVariant(uniqueId);
    title->SetVideo(seconds, 720, 576);
    return title;
}

IUnknown* Unknown(const ComPtr<CFakeSource>& s) { return static_cast<IEngineNode*>(s.Get()); }

TEST(Chapters, DisplayNames)
{
    CKMFilePtr entry = CKMFile::Create(L"/m/film.mkv", 0);
    EXPECT_EQ(entry->GetDisplayName(), L"/m/film.mkv");
    entry->m_chapterId = 3;
    EXPECT_EQ(entry->GetDisplayName(), L"/m/film.mkv#3");

    CKMFilePtr other = CKMFile::Create(L"/m/film.mkv", 0);
    ComPtr<CFakeSource> source = fakes::MakeSource();
    ComPtr<CFakeSource> title = Title(L"Title 2", 77, 4.0);
    other->Attach(Unknown(source), Unknown(title), 1);
    EXPECT_EQ(other->GetDisplayName(), L"Title 2");
    EXPECT_EQ(other->m_uniqueId, 77);
    EXPECT_EQ(other->m_chapterId, 1);
    EXPECT_EQ(other->m_duration, 40'000'000);
    EXPECT_EQ(other->CurrentSource().Get(), Unknown(title));

    // A disc's title is named by the engine with the path it opens; it is
    // shown as the disc's path and the title's number. Anything not of that
    // exact form is shown as it stands.
    const struct {
        const wchar_t* engine;
        const wchar_t* shown;
    } names[] = {{L"dvdtitle:2:/m/disc.iso", L"/m/disc.iso#2"},
                 {L"dvdtitle:12:/m/My Disc", L"/m/My Disc#12"},
                 {L"dvdtitle:x:/m/disc.iso", L"dvdtitle:x:/m/disc.iso"},
                 {L"dvdtitle::/m/disc.iso", L"dvdtitle::/m/disc.iso"},
                 {L"dvdtitle:3:", L"dvdtitle:3:"},
                 {L"/m/dvdtitle:1:a", L"/m/dvdtitle:1:a"}};
    for (const auto& n : names) {
        CKMFilePtr split = CKMFile::Create(L"/m/disc.iso", 0);
        split->Attach(Unknown(source), Unknown(Title(n.engine, 5, 1.0)), 1);
        EXPECT_EQ(split->GetDisplayName(), n.shown) << WideToUtf8(n.engine);
        EXPECT_EQ(split->m_fileName, L"/m/disc.iso");
    }
}

TEST(Chapters, FourSubFilesSplitIntoChapterZeroAndThreeNewEntries)
{
    fakes::CSourceFactoryScope factory;
    ComPtr<CFakeSource> source = fakes::MakeSource();
    for (int i = 0; i < 4; ++i) source->AddSubFile(Title(L"Chapter " + std::to_wstring(i), 100 + i, 1.0 + i));
    factory.Queue(source);

    CInputFiles list;
    list.AddFile(L"/m/other.mp4");
    CKMFile* entry = list.AddFile(L"/m/film.mkv");
    entry->m_owner = &list;
    ASSERT_EQ(entry->OpenMediaSource(entry->m_fileName), S_OK);
    struct Cursor : IWaitCursor {
        int depth = 0, shown = 0;
        void BeginWaitCursor() override { ++depth, ++shown; }
        void EndWaitCursor() override { --depth; }
    } cursor;
    SourceShell::SetWaitCursor(&cursor);
    EXPECT_EQ(entry->Open(0), 100);
    SourceShell::SetWaitCursor(nullptr);
    EXPECT_EQ(cursor.shown, 1);
    EXPECT_EQ(cursor.depth, 0);

    ASSERT_EQ(list.GetCount(), 5u);
    EXPECT_EQ(list.GetAt(1), entry);
    for (int i = 0; i < 4; ++i) {
        CKMFile* chapter = list.GetAt(1 + i);
        EXPECT_EQ(chapter->m_fileName, L"/m/film.mkv");
        EXPECT_EQ(chapter->m_chapterId, i);
        EXPECT_EQ(chapter->m_uniqueId, 100 + i);
        EXPECT_EQ(chapter->GetDisplayName(), L"Chapter " + std::to_wstring(i));
        EXPECT_EQ(chapter->m_duration, (1 + i) * 10'000'000LL);
        EXPECT_EQ(chapter->CurrentSource().Get(), source->subFiles->items[i].Get());
    }
    // Now chapter 0, the next open takes the chapter path and splits nothing.
    EXPECT_EQ(entry->Open(0), S_OK);
    EXPECT_EQ(list.GetCount(), 5u);
}

TEST(Chapters, OneSubFileOrNoSplitLeavesTheFileWhole)
{
    fakes::CSourceFactoryScope factory;
    ComPtr<CFakeSource> single = fakes::MakeSource();
    single->AddSubFile(Title(L"Only", 1, 1.0));
    ComPtr<CFakeSource> multi = fakes::MakeSource();
    multi->AddSubFile(Title(L"A", 1, 1.0));
    multi->AddSubFile(Title(L"B", 2, 1.0));
    factory.Queue(single);
    factory.Queue(multi);

    CInputFiles list;
    CKMFile* one = list.AddFile(L"/m/one.mkv");
    CKMFile* two = list.AddFile(L"/m/two.mkv");
    one->m_owner = two->m_owner = &list;
    ASSERT_EQ(one->OpenMediaSource(one->m_fileName), S_OK);
    ASSERT_EQ(two->OpenMediaSource(two->m_fileName), S_OK);
    EXPECT_EQ(one->Open(0), S_OK);
    EXPECT_EQ(two->Open(1), S_OK);
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(one->m_chapterId, -1);
    EXPECT_EQ(two->m_chapterId, -1);
}

TEST(Chapters, OpeningOneChapterAttachesItsListedSiblings)
{
    fakes::CSourceFactoryScope factory;
    ComPtr<CFakeSource> source = fakes::MakeSource();
    for (int i = 0; i < 3; ++i) source->AddSubFile(Title(L"T" + std::to_wstring(i), 10 + i, 2.0));
    factory.Queue(source);

    // As read back from a project file: chapters 2 and 0 of the same file.
    CInputFiles list;
    CKMFile* second = list.AddFile(L"/m/film.mkv");
    second->m_chapterId = 2;
    CKMFile* first = list.AddFile(L"/m/film.mkv");
    first->m_chapterId = 0;
    second->m_owner = &list;
    ASSERT_EQ(second->OpenMediaSource(second->m_fileName), S_OK);
    EXPECT_EQ(second->Open(0), S_OK);
    EXPECT_EQ(second->m_uniqueId, 12);
    EXPECT_EQ(first->m_uniqueId, 10);
    EXPECT_EQ(first->m_infoRead, 1);
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(factory.created.load(), 1);
}

TEST(Chapters, HasErrorFollowsEitherText)
{
    CKMFilePtr entry = CKMFile::Create(L"/m/a.mp4", 0);
    EXPECT_EQ(entry->HasError(), 0);
    entry->m_lastError = L"grab failed";
    EXPECT_EQ(entry->HasError(), 1);
}

}  // namespace
