// The result check of the shared utilities: when it throws and what it carries.
#include "model/util/CommonException.h"
#include "model/util/Log.h"
#include <gtest/gtest.h>

TEST(CommonException, CheckResultThrowsOnlyWhenAsked)
{
    // Success without a failed condition does nothing, whatever throwIt says.
    EXPECT_NO_THROW(CCommonException::CheckResult(S_OK, L"f.cpp", L"Fn", 0, L"m", 1, 1));
    EXPECT_NO_THROW(CCommonException::CheckResult(S_FALSE, "f.cpp", "Fn", 0, "m", 1, 1));
    // With throwIt 0 nothing is thrown, even for failures.
    EXPECT_NO_THROW(CCommonException::CheckResult(E_FAIL, L"f.cpp", L"Fn", 0, L"m", 1, 0));
    EXPECT_NO_THROW(CCommonException::CheckResult(S_OK, L"f.cpp", L"Fn", 1, L"m", 1, 0));

    try {
        CCommonException::CheckResult(E_INVALIDARG, L"f.cpp", L"Fn", 0, L"bad size", 42, 1);
        FAIL() << "no throw";
    } catch (const CCommonException& e) {
        EXPECT_EQ(e.Result(), E_INVALIDARG);
        EXPECT_EQ(e.Message(), L"bad size");  // the caller's text, not the system's
        EXPECT_EQ(e.File(), L"f.cpp");
        EXPECT_EQ(e.Function(), L"Fn");
        EXPECT_EQ(e.Line(), 42);
    }
    try {
        CCommonException::CheckResult(S_OK, "g.cpp", "Gn", 1, nullptr, 7, 1);
        FAIL() << "no throw";
    } catch (const CCommonException& e) {
        EXPECT_EQ(e.Result(), E_UNEXPECTED);
        EXPECT_EQ(e.Message(), L"");
        EXPECT_EQ(e.File(), L"g.cpp");
    }
    const wchar_t* none = nullptr;
    CCommonException copy(none, none, E_FAIL, none, 0);
    EXPECT_EQ(copy.File(), L"");
    copy = CCommonException(L"a", L"b", E_POINTER, L"c", 3);
    EXPECT_EQ(copy.Result(), E_POINTER);
    EXPECT_EQ(copy.Message(), L"c");
    CLog::WriteMessage(1, L"nothing happens", 2);
}
