// A stand-in class lives only as long as its override; what was registered
// before comes back, so later tests in the same process see the real class.
#include "fixtures/ClassOverride.h"
#include "platform/Unknown.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID IID_INumber{0x5A1E0001, 0x7C1D, 0x4E55, {0x9B, 0x10, 0x31, 0x42, 0x53, 0x64, 0x75, 0x86}};
constexpr GUID CLSID_Number{0x5A1E0002, 0x7C1D, 0x4E55, {0x9B, 0x10, 0x31, 0x42, 0x53, 0x64, 0x75, 0x86}};

struct INumber : IUnknown {
    static constexpr const GUID& kIID = IID_INumber;
    virtual int Value() = 0;
};

class CNumber : public CComObjectBase<INumber> {
public:
    explicit CNumber(int value) : m_value(value) {}
    int Value() override { return m_value; }

private:
    int m_value;
};

ClassFactory NumberFactory(int value)
{
    return [value] { return static_cast<IUnknown*>(static_cast<INumber*>(new CNumber(value))); };
}

int Created()
{
    ComPtr<INumber> n;
    if (FAILED(CoCreate(CLSID_Number, n))) return -1;
    return n->Value();
}

TEST(ClassOverride, PutsBackTheFactoryRegisteredBefore)
{
    CoRegisterClass(CLSID_Number, NumberFactory(1));
    {
        CClassOverride outer(CLSID_Number, NumberFactory(2));
        EXPECT_EQ(Created(), 2);
        {
            CClassOverride inner(CLSID_Number, NumberFactory(3));
            EXPECT_EQ(Created(), 3);
        }
        EXPECT_EQ(Created(), 2);
    }
    EXPECT_EQ(Created(), 1);
    CoUnregisterClass(CLSID_Number);
}

TEST(ClassOverride, LeavesNothingWhenNothingWasRegistered)
{
    ASSERT_FALSE(CoGetClassFactory(CLSID_Number));
    {
        CClassOverride standIn(CLSID_Number, NumberFactory(7));
        EXPECT_EQ(Created(), 7);
    }
    EXPECT_EQ(Created(), -1);
    EXPECT_FALSE(CoGetClassFactory(CLSID_Number));
}

}  // namespace
