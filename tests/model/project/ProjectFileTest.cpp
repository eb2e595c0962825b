// The project as a ".km" file: header, record and group order of a new
// project, and a save/load round trip.
#include "model/config/ConfigFileHeader.h"
#include "model/project/Project.h"
#include "platform/Archive.h"
#include "engine/MsgMng.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

uint32_t U32(const std::vector<uint8_t>& d, size_t at)
{
    return d.at(at) | d.at(at + 1) << 8 | d.at(at + 2) << 16 | static_cast<uint32_t>(d.at(at + 3)) << 24;
}

struct ParsedNode {
    std::vector<std::string> names;
    std::vector<uint32_t> groupIds, groupCounts;
    size_t end = 0;
};

// Walks the project node record of a file whose groups hold no items.
ParsedNode ParseFlatNode(const std::vector<uint8_t>& d, size_t at)
{
    ParsedNode n;
    uint32_t params = U32(d, at), groups = U32(d, at + 4);
    at += 8;
    for (uint32_t i = 0; i < params; ++i) {
        uint8_t len = d.at(at);
        n.names.emplace_back(reinterpret_cast<const char*>(&d.at(at + 1)), len);
        at += 1 + len;
        uint32_t size = U32(d, at + 4);
        at += 8 + size;
    }
    for (uint32_t i = 0; i < groups; ++i) {
        n.groupIds.push_back(U32(d, at));
        EXPECT_EQ(U32(d, at + 4), 0u);
        n.groupCounts.push_back(U32(d, at + 8));
        at += 12;
    }
    n.end = at;
    return n;
}

TEST(ProjectFile, NewProjectWritesHeaderSourceTypeFirstAndGroupsInOrder)
{
    CProject project;
    CMemoryArchive archive;
    ASSERT_EQ(project.SaveConfig(archive), S_OK);
    const std::vector<uint8_t>& d = archive.Data();
    ASSERT_GT(d.size(), kConfigHeaderSize + 8);

    const char text[] = "KestrelMedia Config file. Version: 1.0.0";
    EXPECT_EQ(std::memcmp(d.data(), "KMSF", 5), 0);
    EXPECT_EQ(std::memcmp(d.data() + 5, text, sizeof text), 0);
    for (size_t i = 5 + sizeof text; i < kConfigHeaderSize; ++i) EXPECT_EQ(d[i], 0) << i;

    // First record: "source_type", type 0, four bytes of 0.
    size_t at = kConfigHeaderSize + 8;
    ASSERT_EQ(d[at], 11);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&d[at + 1]), 11), "source_type");
    EXPECT_EQ(U32(d, at + 12), 0u);
    EXPECT_EQ(U32(d, at + 16), 4u);
    EXPECT_EQ(U32(d, at + 20), 0u);

    ParsedNode node = ParseFlatNode(d, kConfigHeaderSize);
    EXPECT_EQ(node.end, d.size());
    EXPECT_EQ(node.names.size(), 1u + 4 + 2 + 98 + 78 + 32);
    EXPECT_EQ(node.groupIds, (std::vector<uint32_t>{11, 10, 1, 2, 3, 4, 5}));
    // Folder and DVD keys come before the outputs, video before image before audio.
    EXPECT_EQ(node.names[1], "folder");
    EXPECT_EQ(node.names[7], "video_file.is_create");
    EXPECT_EQ(node.names[7 + 98], "image_file.is_create");
    EXPECT_EQ(node.names[7 + 98 + 78], "audio_file.is_create");
    EXPECT_EQ(node.names.back(), "audio_file.adv_enable_join");
}

TEST(ProjectFile, RoundTripKeepsValuesTextsAndWatermarks)
{
    CMemoryArchive archive;
    {
        CProject project;
        project.m_sourceType = 1;
        project.InputFolder().m_folder = L"/home/j\u00fcrgen/\u0412\u0438\u0434\u0435\u043e";
        project.InputDVD().m_path = L"/media/\u5149\u789f";
        CVideoFileObj* video = project.GetVideoOutput();
        video->destination = L"/tmp/\u00e9t\u00e9 \u65e5\u672c";
        video->video_bitrate = 4500;
        video->m_crop.crop_left = 12;
        video->m_adv.adv_bg_audio = L"/music/caf\u00e9.mp3";
        video->m_watermarks.AddTextWatermark();
        project.GetImageOutput()->is_create = 1;
        project.GetImageOutput()->images_rows = 4;
        project.GetAudioOutput()->audio_codec = L"Opus";
        project.SaveConfig(archive);
    }
    CMemoryArchive in(archive.Data());
    CProject loaded;
    ASSERT_EQ(loaded.LoadConfig(in), S_OK);
    EXPECT_EQ(loaded.m_sourceType, 1);
    EXPECT_EQ(loaded.InputFolder().m_folder, L"/home/j\u00fcrgen/\u0412\u0438\u0434\u0435\u043e");
    EXPECT_EQ(loaded.InputDVD().m_path, L"/media/\u5149\u789f");
    const CVideoFileObj* video = loaded.GetVideoOutput();
    EXPECT_EQ(video->destination, L"/tmp/\u00e9t\u00e9 \u65e5\u672c");
    EXPECT_EQ(video->video_bitrate, 4500);
    EXPECT_EQ(video->m_crop.crop_left, 12);
    EXPECT_EQ(video->m_adv.adv_bg_audio, L"/music/caf\u00e9.mp3");
    EXPECT_EQ(loaded.GetVideoOutput()->m_watermarks.GetCount(), 1u);
    EXPECT_EQ(loaded.GetImageOutput()->m_watermarks.GetCount(), 0u);
    EXPECT_EQ(loaded.GetImageOutput()->is_create, 1);
    EXPECT_EQ(loaded.GetImageOutput()->images_rows, 4);
    EXPECT_EQ(loaded.GetAudioOutput()->audio_codec, L"Opus");
    // The video output is still made, so it stays the active one.
    EXPECT_EQ(loaded.GetActiveOutput(), loaded.GetVideoOutput());
}

TEST(ProjectFile, HeaderChecksEndTheLoadBeforeAnyValue)
{
    CMemoryArchive saved;
    {
        CProject project;
        project.m_sourceType = 2;
        project.SaveConfig(saved);
    }
    std::vector<uint8_t> bad = saved.Data();
    bad[4] = 'X';  // no NUL after the magic
    CMemoryArchive wrong(bad);
    CProject a;
    EXPECT_EQ(a.LoadConfig(wrong), E_INVALIDARG);
    EXPECT_EQ(a.m_sourceType, 0);

    std::vector<uint8_t> lower = saved.Data();
    std::memcpy(lower.data(), "kmsf", 4);
    CMemoryArchive lowerCase(lower);
    CProject b;
    EXPECT_EQ(b.LoadConfig(lowerCase), S_OK);
    EXPECT_EQ(b.m_sourceType, 2);

    CMemoryArchive shortFile(std::vector<uint8_t>(saved.Data().begin(), saved.Data().begin() + 40));
    CProject c;
    EXPECT_EQ(c.LoadConfig(shortFile), S_FALSE);
}

// Records every line the model sends while it lives.
class LineRecorder : public IMsgHandler {
public:
    LineRecorder() { m_previous = __SetMessageHandler(this); }
    ~LineRecorder() override { __SetMessageHandler(m_previous); }
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        lines.push_back({text ? text : L"", flags});
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
    std::vector<std::pair<std::wstring, DWORD>> lines;

private:
    IMsgHandler* m_previous = nullptr;
};

std::vector<uint8_t> ProjectWithTwoFiles()
{
    CProject project;
    project.InputFiles().AddFile(L"/m/a.mp4");
    project.InputFiles().AddFile(L"/m/b.mp4");
    CMemoryArchive saved;
    project.SaveConfig(saved);
    return saved.Data();
}

// Where the file list's group record (id 1, skip size 0, two items) begins.
size_t FileGroupAt(const std::vector<uint8_t>& d)
{
    for (size_t at = 0; at + 12 <= d.size(); ++at)
        if (U32(d, at) == CProject::kGroupInputFiles && U32(d, at + 4) == 0 && U32(d, at + 8) == 2) return at;
    return d.size();
}

// A damaged count or an entry cut short never leaves an entry without a path;
// the load says how many it dropped.
TEST(ProjectFile, DamagedEntriesAreDroppedAndCounted)
{
    const std::vector<uint8_t> good = ProjectWithTwoFiles();
    const size_t group = FileGroupAt(good);
    ASSERT_LT(group, good.size());

    std::vector<uint8_t> huge = good;
    for (size_t i = 0; i < 4; ++i) huge[group + 8 + i] = 0xFF;  // 4294967295 entries
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(group) + 12 + 4);  // the first entry's counts only half there
    std::vector<uint8_t> deep = good;
    for (size_t i = 0; i < 4; ++i) deep[group + 8 + i] = i == 0 ? 40 : 0;  // 40 entries the data cannot back

    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        std::vector<std::wstring> kept;
    } cases[] = {
        {"huge count", huge, {L"/m/a.mp4", L"/m/b.mp4"}},
        {"cut inside the first entry", cut, {}},
        {"count past the data", deep, {L"/m/a.mp4", L"/m/b.mp4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineRecorder recorder;
        CMemoryArchive in(c.data);
        CProject loaded;
        loaded.LoadConfig(in);
        std::vector<std::wstring> names;
        for (uint32_t i = 0; i < loaded.InputFiles().GetCount(); ++i) names.push_back(loaded.InputFiles().GetAt(i)->m_fileName);
        EXPECT_EQ(names, c.kept);
        EXPECT_GE(loaded.DroppedOnLoad(), 1u);
        ASSERT_EQ(recorder.lines.size(), 1u);
        EXPECT_TRUE(recorder.lines[0].second & MSGF_WARNING);
        EXPECT_NE(recorder.lines[0].first.find(std::to_wstring(loaded.DroppedOnLoad())), std::wstring::npos);
    }

    LineRecorder quiet;
    CMemoryArchive in(good);
    CProject loaded;
    EXPECT_EQ(loaded.LoadConfig(in), S_OK);
    EXPECT_EQ(loaded.InputFiles().GetCount(), 2u);
    EXPECT_EQ(loaded.DroppedOnLoad(), 0u);
    EXPECT_TRUE(quiet.lines.empty());
}

}  // namespace
