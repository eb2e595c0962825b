// The profile node above a format node, through the engine's owner links.
#include "fixtures/EngineStubs.h"
#include "model/util/FormatProfile.h"
#include <gtest/gtest.h>

namespace {
int g_live = 0;

// A tree node of the engine reduced to its owner link.
class CItemDouble : public CComObjectBase<stubs::StubMediaItem> {
public:
    explicit CItemDouble(IUnknown* owner) : m_owner(owner) { ++g_live; }
    ~CItemDouble() override { --g_live; }
    HRESULT GetOwner(IUnknown** owner) override
    {
        *owner = m_owner.Get();
        if (!*owner) return S_FALSE;
        (*owner)->AddRef();
        return S_OK;
    }
    HRESULT GetAssociated(IUnknown**) override { return 0; }

private:
    ComPtr<IUnknown> m_owner;
};

constexpr GUID IID_IPlainDouble{0x0C0FFEE0, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
struct IPlainDouble : IUnknown {
    static constexpr const GUID& kIID = IID_IPlainDouble;
};
class CPlainDouble : public CComObjectBase<IPlainDouble> {
public:
    CPlainDouble() { ++g_live; }
    ~CPlainDouble() override { --g_live; }
};

IUnknown* AsUnknown(IMediaItem* p)
{
    return p;
}
}

TEST(FormatProfile, OwnerOfTheOwner)
{
    {
        auto profile = MakeComObject<CItemDouble>(nullptr);
        auto formats = MakeComObject<CItemDouble>(AsUnknown(profile.Get()));
        auto format = MakeComObject<CItemDouble>(AsUnknown(formats.Get()));
        ComPtr<IUnknown> out;
        EXPECT_EQ(GetFormatProfile(format.Get(), out.ReleaseAndGetAddressOf()), S_OK);
        EXPECT_EQ(out.Get(), AsUnknown(profile.Get()));
    }
    EXPECT_EQ(g_live, 0);  // every reference taken on the way was given back
}

TEST(FormatProfile, FailsWithoutOwnerLinksAndLeavesTheOutPointer)
{
    {
        IUnknown* sentinel = reinterpret_cast<IUnknown*>(0x1234);
        IUnknown* out = sentinel;
        auto plain = MakeComObject<CPlainDouble>();
        auto ownedByPlain = MakeComObject<CItemDouble>(static_cast<IUnknown*>(plain.Get()));
        auto orphan = MakeComObject<CItemDouble>(nullptr);
        EXPECT_EQ(GetFormatProfile(plain.Get(), &out), E_FAIL);         // no owner interface
        EXPECT_EQ(GetFormatProfile(ownedByPlain.Get(), &out), E_FAIL);  // its owner has none
        EXPECT_EQ(GetFormatProfile(orphan.Get(), &out), E_FAIL);        // no owner at all
        EXPECT_EQ(GetFormatProfile(nullptr, &out), E_FAIL);
        EXPECT_EQ(out, sentinel);
        EXPECT_EQ(GetFormatProfile(orphan.Get(), nullptr), E_POINTER);
    }
    EXPECT_EQ(g_live, 0);
}
