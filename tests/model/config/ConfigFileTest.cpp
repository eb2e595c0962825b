// Saving and loading ".km" files: the exact layout, and damaged input.
#include "ConfigTestNodes.h"
#include "KmBytes.h"
#include "platform/TextConv.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
std::vector<uint8_t> Save(CConfigMng& node)
{
    CMemoryArchive a;
    node.SaveConfig(a);
    return a.Data();
}

HRESULT Load(CConfigMng& node, const std::vector<uint8_t>& bytes)
{
    CMemoryArchive a(bytes);
    return node.LoadConfig(a);
}

void FillGolden(CTestProject& p)
{
    p.count = 7;
    p.title = L"Zo\u00EB\u20AC\U0001F600";
    p.start = 0x0123456789ABCDEFll;
    auto* a = static_cast<CTestItem*>(p.list.CreateItem());
    a->value = -2;
    a->name = L"a";
    auto* b = static_cast<CTestItem*>(p.list.CreateItem());
    b->value = 0;
    b->name = L"";
}

// The golden tree, laid out by hand.
std::vector<uint8_t> GoldenBytes()
{
    return KmBytes{}
        .hex("4B 4D 53 46 00")  // "KMSF" NUL
        .ascii("KestrelMedia Config file. Version: 1.0.0")
        .zeros(24)
        .hex("03 00 00 00  01 00 00 00")  // 3 parameters, 1 group
        .hex("05").ascii("count").hex("00 00 00 00  04 00 00 00  07 00 00 00")
        .hex("0B").ascii("video.title").hex("02 00 00 00  0C 00 00 00")
        .hex("5A 00 6F 00 EB 00 AC 20 3D D8 00 DE")  // Z o e-diaeresis euro U+1F600
        .hex("05").ascii("start").hex("03 00 00 00  08 00 00 00  EF CD AB 89 67 45 23 01")
        .hex("05 00 00 00  00 00 00 00  02 00 00 00")  // group 5, skip 0, 2 items
        .hex("02 00 00 00  00 00 00 00")
        .hex("05").ascii("value").hex("00 00 00 00  04 00 00 00  FE FF FF FF")
        .hex("04").ascii("name").hex("02 00 00 00  02 00 00 00  61 00")
        .hex("02 00 00 00  00 00 00 00")
        .hex("05").ascii("value").hex("00 00 00 00  04 00 00 00  00 00 00 00")
        .hex("04").ascii("name").hex("02 00 00 00  00 00 00 00")
        .b;
}

fs::path TestDir()
{
    const char* d = std::getenv("KM_TEST_DIR");
    return d ? fs::path(d) : fs::temp_directory_path();
}

void WriteFile(const fs::path& p, const std::vector<uint8_t>& bytes)
{
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}
}

TEST(ConfigFile, GoldenBytesAndRoundTrip)
{
    CTestProject p;
    FillGolden(p);
    std::vector<uint8_t> bytes = Save(p);
    ASSERT_EQ(bytes, GoldenBytes());

    CTestProject q;
    ASSERT_EQ(Load(q, bytes), S_OK);
    EXPECT_EQ(q.count, 7);
    EXPECT_EQ(q.title, p.title);
    EXPECT_EQ(q.start, p.start);
    ASSERT_EQ(q.list.items.size(), 2u);
    EXPECT_EQ(q.list.items[0]->value, -2);
    EXPECT_EQ(q.list.items[0]->name, L"a");
    EXPECT_EQ(q.list.items[1]->value, 0);
    EXPECT_EQ(q.list.items[1]->name, L"unnamed");  // an empty string keeps the default
}

TEST(ConfigFile, EmptyNodeIsEightZeroBytes)
{
    CConfigMng node;
    EXPECT_EQ(Save(node), std::vector<uint8_t>(8, 0));
}

TEST(ConfigFile, ParameterRegisteredTwiceIsWrittenTwiceAndLoadsIntoTheFirst)
{
    int32_t first = 1, second = 2;
    CConfigMng a;
    CConfigMng::AddParam(&a, L"x", CONFIG_TYPE_INT, &first, 0);
    CConfigMng::AddParam(&a, L"x", CONFIG_TYPE_INT, &second, 0);
    EXPECT_EQ(Save(a), KmBytes{}.node(2, 0).intParam("x", 1).intParam("x", 2).b);
    first = second = 0;
    EXPECT_EQ(Load(a, KmBytes{}.node(2, 0).intParam("x", 5).intParam("x", 9).b), S_OK);
    EXPECT_EQ(first, 9);
    EXPECT_EQ(second, 0);
}

TEST(ConfigFile, SavesNullItemsAsEmptyNodesToStayInStep)
{
    struct CHoleList : CConfigMng {
        DWORD GetCount() override { return 1; }
    } holes;
    CConfigMng root;
    CConfigMng::AddGroup(&root, 3, &holes);
    EXPECT_EQ(Save(root), KmBytes{}.node(0, 1).group(3, 0, 1).node(0, 0).b);
}

// Each row: the file, the load result, and the fields it leaves.
struct MalformedCase {
    const char* what;
    std::vector<uint8_t> bytes;
    HRESULT result;
    int32_t count;
    std::wstring title;
    int64_t start;
    size_t items;
};

TEST(ConfigFile, MalformedFiles)
{
    const uint32_t kHuge = 0xFFFFFFFFu;
    auto hdr = [] { return KmBytes{}.header(); };
    auto dropLast = [](std::vector<uint8_t> v) {
        v.pop_back();
        return v;
    };
    const std::vector<MalformedCase> cases = {
        {"header only (69 bytes)", hdr().b, S_FALSE, 42, L"*.*", -1, 0},
        {"lower-case magic", KmBytes{}.header("kmsf").node(1, 0).intParam("count", 3).b, S_OK, 3, L"*.*", -1, 0},
        {"letter instead of NUL", KmBytes{}.header("KMSFX").node(1, 0).intParam("count", 3).b, E_INVALIDARG, 42,
         L"*.*", -1, 0},
        {"68 bytes", dropLast(KmBytes{}.header().b), S_FALSE, 42, L"*.*", -1, 0},
        {"counts cut", hdr().hex("01 00 00 00 00 00").b, S_FALSE, 42, L"*.*", -1, 0},
        {"name length missing", hdr().node(1, 0).b, S_FALSE, 42, L"*.*", -1, 0},
        {"name cut", hdr().node(1, 0).hex("05").ascii("cou").b, S_FALSE, 42, L"*.*", -1, 0},
        {"type and size cut", hdr().node(1, 0).name("count").u32(0).hex("04 00").b, S_FALSE, 42, L"*.*", -1, 0},
        {"int value cut", hdr().node(1, 0).name("count").u32(0).u32(4).hex("07 00").b, S_FALSE, 42, L"*.*", -1,
         0},
        {"string cut at an odd byte", hdr().node(1, 0).name("video.title").u32(2).u32(8).hex("68 00 69 00 6A").b,
         S_FALSE, 42, L"hi", -1, 0},
        {"64-bit value cut", hdr().node(1, 0).name("start").u32(3).u32(8).hex("01 02 03 04").b, S_FALSE, 42,
         L"*.*", -1, 0},
        {"group record cut", hdr().node(0, 1).u32(5).u32(0).b, S_FALSE, 42, L"*.*", -1, 0},
        {"item cut", hdr().node(0, 1).group(5, 0, 1).node(1, 0).name("value").b, S_FALSE, 42, L"*.*", -1, 1},
        {"type-2 record for an int", hdr().node(2, 0).name("count").u32(2).u32(6).hex("AB CD EF 01 02 03")
                                         .intParam("count", 0x3F).b,
         S_OK, 0x3F, L"*.*", -1, 0},
        {"type-2 record for an int, then end", hdr().node(1, 0).name("count").u32(2).u32(6)
                                                   .hex("AB CD EF 01 02 03").b,
         S_OK, 0x01EFCDAB, L"*.*", -1, 0},
        {"4-byte record for a 64-bit field keeps the high bytes", hdr().node(1, 0).intParam("start", 5).b, S_OK, 42,
         L"*.*", static_cast<int64_t>(0xFFFFFFFF00000005ull), 0},
        {"string record for a string, stored type ignored", hdr().node(1, 0).name("video.title").u32(0).u32(2)
                                                               .hex("41 00").b,
         S_OK, 42, L"A", -1, 0},
        {"unknown name skipped", hdr().node(2, 0).intParam("nosuch", 1).intParam("count", 3).b, S_OK, 3, L"*.*",
         -1, 0},
        {"name compared with case", hdr().node(1, 0).intParam("COUNT", 3).b, S_OK, 42, L"*.*", -1, 0},
        {"unknown empty group skipped", hdr().node(0, 2).group(77, 0, 0).group(5, 0, 1).node(0, 0).b, S_OK, 42,
         L"*.*", -1, 1},
        {"unknown group covered by its skip size", hdr().node(0, 2).group(77, 8, 1).node(0, 0).group(5, 0, 1)
                                                       .node(0, 0).b,
         S_OK, 42, L"*.*", -1, 1},
        {"unknown group with items and skip 0", hdr().node(0, 2).group(77, 0, 1).node(0, 0).group(5, 0, 1)
                                                    .node(0, 0).b,
         S_FALSE, 42, L"*.*", -1, 0},
        {"unknown name, size 0xFFFFFFFF", hdr().node(2, 0).intParam("count", 3).name("nosuch").u32(0).u32(kHuge)
                                              .zeros(16).b,
         S_FALSE, 3, L"*.*", -1, 0},
        {"int, size 0xFFFFFFFF", hdr().node(1, 0).name("count").u32(0).u32(kHuge).u32(9).zeros(3).b, S_FALSE, 9,
         L"*.*", -1, 0},
        {"string, size 0xFFFFFFFF", hdr().node(1, 0).name("video.title").u32(2).u32(kHuge).hex("68 00 69 00").b,
         S_FALSE, 42, L"hi", -1, 0},
        {"unknown group, skip 0xFFFFFFFF", hdr().node(0, 1).group(77, kHuge, 0).zeros(8).b, S_FALSE, 42, L"*.*",
         -1, 0},
        {"parameter count 0xFFFFFFFF", hdr().node(kHuge, 0).intParam("count", 3).b, S_FALSE, 3, L"*.*", -1, 0},
        {"group count 0xFFFFFFFF", hdr().node(0, kHuge).group(5, 0, 0).b, S_FALSE, 42, L"*.*", -1, 0},
        {"item count 0xFFFFFFFF", hdr().node(0, 1).group(5, 0, kHuge).node(1, 0).intParam("value", 4).b, S_FALSE,
         42, L"*.*", -1, 2},
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTestProject p;
        EXPECT_EQ(Load(p, c.bytes), c.result);
        EXPECT_EQ(p.count, c.count);
        EXPECT_EQ(p.title, c.title);
        EXPECT_EQ(p.start, c.start);
        EXPECT_EQ(p.list.items.size(), c.items);
    }
}

TEST(ConfigFile, EveryTruncationOfTheGoldenFileEndsWithOne)
{
    std::vector<uint8_t> golden = GoldenBytes();
    for (size_t n = 0; n < golden.size(); ++n) {
        SCOPED_TRACE(n);
        CTestProject p;
        EXPECT_EQ(Load(p, std::vector<uint8_t>(golden.begin(), golden.begin() + n)), S_FALSE);
    }
}

TEST(ConfigFile, IsConfigFile)
{
    fs::path dir = TestDir() / "isconfig";
    fs::create_directories(dir);
    auto check = [&](const char* name, const std::vector<uint8_t>& bytes) {
        fs::path p = dir / name;
        WriteFile(p, bytes);
        return CConfigMng::IsConfigFile(Utf8ToWide(p.string()));
    };
    std::vector<uint8_t> header = KmBytes{}.header().b;
    EXPECT_TRUE(check("exact.km", header));
    EXPECT_TRUE(check("lower.km", KmBytes{}.header("kmsf").b));
    EXPECT_TRUE(check("any text.km", KmBytes{}.ascii("kMsF").zeros(65).b));
    EXPECT_FALSE(check("letter.km", KmBytes{}.header("KMSFX").b));
    EXPECT_FALSE(check("short.km", std::vector<uint8_t>(header.begin(), header.end() - 1)));
    EXPECT_FALSE(check("other.km", KmBytes{}.header("KMSG").b));
    EXPECT_FALSE(CConfigMng::IsConfigFile(Utf8ToWide((dir / "missing.km").string())));
    EXPECT_FALSE(CConfigMng::IsConfigFile(Utf8ToWide(dir.string())));
}

TEST(ConfigFile, SavedFileOnDiskLoadsBack)
{
    fs::path path = TestDir() / "caf\u00E9 project.km";
    CTestProject p;
    FillGolden(p);
    {
        CFileWriteArchive out(path);
        p.SaveConfig(out);
        ASSERT_TRUE(out.Commit());
    }
    EXPECT_TRUE(CConfigMng::IsConfigFile(Utf8ToWide(path.string())));
    CTestProject q;
    CFileReadArchive in(path);
    EXPECT_EQ(q.LoadConfig(in), S_OK);
    EXPECT_EQ(q.title, p.title);
    EXPECT_EQ(q.list.items.size(), 2u);
}

TEST(ConfigFile, NestingDeeperThanAnyTreeEndsTheLoad)
{
    // A node whose items are nodes of its own kind, as a chapter list could be.
    struct CNest : CConfigMng {
        CNest() { AddGroup(this, 1, &children); }
        struct CList : CConfigMng {
            DWORD GetCount() override { return static_cast<DWORD>(items.size()); }
            CConfigMng* GetAt(DWORD i) override { return items[i].get(); }
            CConfigMng* CreateItem() override
            {
                items.push_back(std::make_unique<CNest>());
                return items.back().get();
            }
            std::vector<std::unique_ptr<CNest>> items;
        } children;
    };
    auto nested = [](int levels) {
        KmBytes k;
        for (int i = 0; i < levels; ++i) k.node(0, 1).group(1, 0, 1);
        return k.node(0, 0).b;
    };
    CNest shallow;
    EXPECT_EQ(Load(shallow, nested(20)), S_OK);
    CNest deep;
    EXPECT_EQ(Load(deep, nested(100000)), S_FALSE);
}
