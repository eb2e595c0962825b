#include "platform/Archive.h"
#include "platform/ClassRegistry.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "platform/Variant.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {
constexpr GUID IID_ITestThing{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr GUID CLSID_TestThing{0x99999999, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};

struct ITestThing : IUnknown {
    static constexpr const GUID& kIID = IID_ITestThing;
    virtual int Value() = 0;
};

int g_live = 0;
class CTestThing : public CComObjectBase<ITestThing> {
public:
    CTestThing() { ++g_live; }
    ~CTestThing() override { --g_live; }
    int Value() override { return 42; }
};
}

TEST(Guid, ParsesAndPrints)
{
    auto g = ParseGuid("{4afac543-8451-41A6-B77F-2E638148ABFD}");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->Data1, 0x4AFAC543u);
    EXPECT_EQ(g->Data4[7], 0xFD);
    EXPECT_EQ(GuidToString(*g), "{4AFAC543-8451-41A6-B77F-2E638148ABFD}");
    EXPECT_FALSE(ParseGuid("{4afac543-8451-41A6-B77F-2E638148ABF}"));
    EXPECT_FALSE(ParseGuid("zzfac543-8451-41A6-B77F-2E638148ABFD"));
}

TEST(ComObjects, CreateByClassIdAndReleaseOnce)
{
    CoRegisterClass(CLSID_TestThing, [] { return static_cast<IUnknown*>(static_cast<ITestThing*>(new CTestThing)); });
    {
        ComPtr<ITestThing> p;
        ASSERT_EQ(CoCreate(CLSID_TestThing, p), S_OK);
        EXPECT_EQ(p->Value(), 42);
        ComPtr<IUnknown> u = p.As<IUnknown>();
        EXPECT_TRUE(u);
        EXPECT_EQ(g_live, 1);
    }
    EXPECT_EQ(g_live, 0);
    ComPtr<ITestThing> none;
    EXPECT_EQ(CoCreate(GUID_NULL, none), REGDB_E_CLASSNOTREG);
    CoUnregisterClass(CLSID_TestThing);
}

TEST(Variant, ConvertsBetweenKinds)
{
    struct Case {
        CVariant in;
        VARTYPE to;
        HRESULT hr;
        double number;
        std::wstring text;
    };
    const Case cases[] = {
        {CVariant(int32_t(-5)), VT_R8, S_OK, -5, L""},
        {CVariant(2.5), VT_I4, S_OK, 3, L""},
        {CVariant(L"1234"), VT_I4, S_OK, 1234, L""},
        {CVariant(L" 0x10 "), VT_UI4, S_OK, 16, L""},
        {CVariant(L"12abc"), VT_I4, E_INVALIDARG, 0, L""},
        {CVariant(uint32_t(7)), VT_BSTR, S_OK, 0, L"7"},
        {CVariant(1.5), VT_BSTR, S_OK, 0, L"1.5"},
        {CVariant(), VT_I4, E_INVALIDARG, 0, L""},
    };
    for (const auto& c : cases) {
        CVariant out;
        EXPECT_EQ(VariantChangeType(&out, &c.in, c.to), c.hr);
        if (c.hr != S_OK) continue;
        ASSERT_EQ(out.vt, c.to);
        if (c.to == VT_BSTR)
            EXPECT_EQ(BstrToWString(out.bstrVal), c.text);
        else
            EXPECT_DOUBLE_EQ(out.AsDouble(), c.number);
    }
    CVariant s(L"text");
    CVariant copy(s);
    EXPECT_NE(copy.bstrVal, s.bstrVal);  // deep copy
    EXPECT_EQ(SysStringLen(copy.bstrVal), 4u);
}

TEST(TextConv, RoundTripsAndFallsBack)
{
    std::wstring t = L"Caf\u00e9 \u20ac \u4e2d \U0001F600";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(t)), t);
    auto bytes = WideToUtf16LE(t);
    EXPECT_EQ(bytes.size(), 2 * Utf16Length(t));
    EXPECT_EQ(Utf16LEToWide(bytes.data(), bytes.size() / 2), t);
    EXPECT_EQ(WideToCp1252(L"Caf\u00e9 \u20ac \u4e2d"), std::string("Caf\xe9 \x80 #"));
    EXPECT_EQ(Cp1252ToWide("\x80\xe9"), L"\u20ac\u00e9");
    EXPECT_EQ(Utf8ToWide("a\xe2\x82"), L"a\ufffd");
    EXPECT_TRUE(EqualsNoCase(L"Video_File.X", L"video_file.x"));
}

TEST(Archive, MemoryReadCountsAndFileCommit)
{
    CMemoryArchive m;
    m.Write("abc", 3);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 2), 2u);
    EXPECT_EQ(m.Read(buf, 8), 1u);
    EXPECT_EQ(m.Read(buf, 8), 0u);

    auto dir = std::filesystem::path(std::getenv("KM_TEST_DIR"));
    auto target = dir / "out.bin";
    {
        CFileWriteArchive w(target);
        w.Write("xyz", 3);
        // not committed: nothing appears under the final name
    }
    EXPECT_FALSE(std::filesystem::exists(target));
    {
        CFileWriteArchive w(target);
        w.Write("xyz", 3);
        EXPECT_TRUE(w.Commit());
    }
    EXPECT_EQ(std::filesystem::file_size(target), 3u);
    CFileWriteArchive bad(dir / "missing-folder" / "x.km");
    bad.Write("x", 1);
    EXPECT_FALSE(bad.Commit());
}

TEST(Settings, StoresAndReloads)
{
    auto path = std::filesystem::path(std::getenv("KM_TEST_DIR")) / "s.ini";
    auto& s = CSettingsStore::Instance();
    s.SetPath(path);
    EXPECT_EQ(s.GetInt(L"Settings", L"AutoCheck", 1), 1);
    EXPECT_TRUE(s.SetInt(L"Settings", L"AutoCheck", 0));
    EXPECT_TRUE(s.SetString(L"Settings", L"InitDir", L"/tmp/a b\\c\n\u00e9"));
    s.SetPath(path);
    EXPECT_EQ(s.GetInt(L"Settings", L"AutoCheck", 1), 0);
    EXPECT_EQ(s.GetString(L"Settings", L"InitDir", L""), L"/tmp/a b\\c\n\u00e9");
}

#include "platform/ResourceLibrary.h"

TEST(ResourceLibrary, LoadsStringTableOfTheBuild)
{
    auto lib = CResourceLibrary::Load(KM_RES_DIR);
    ASSERT_TRUE(lib);
    EXPECT_EQ(lib->GetString(100), L"KestrelMedia");
    EXPECT_EQ(lib->GetString(0xFFFFFF), L"");
    EXPECT_FALSE(CResourceLibrary::Load(std::filesystem::path(KM_RES_DIR) / "nope"));
    SetCurrentResourceLibrary(lib.get());
    EXPECT_EQ(LoadResString(100), L"KestrelMedia");
    SetCurrentResourceLibrary(nullptr);
    EXPECT_EQ(LoadResString(100), L"");
}
