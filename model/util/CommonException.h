#pragma once
// An exception that carries a failed result code with the place it came from,
// and the check that logs a failure and, when asked, throws it.
#include "platform/Types.h"
#include <string>

class CCommonException {
public:
    // A null text is taken as empty.
    CCommonException(const wchar_t* file, const wchar_t* function, HRESULT result, const wchar_t* message, int32_t line);
    CCommonException(const char* file, const char* function, HRESULT result, const char* message, int32_t line);

    // A failed result (negative) is logged with its system text; a success with
    // conditionFailed set is logged as unexpected. Either throws when throwIt is
    // set: the result (E_UNEXPECTED for a failed condition) with the caller's
    // message. Anything else does nothing.
    static void CheckResult(HRESULT result, const wchar_t* file, const wchar_t* function, int conditionFailed,
                            const wchar_t* message, int32_t line, int throwIt);
    static void CheckResult(HRESULT result, const char* file, const char* function, int conditionFailed,
                            const char* message, int32_t line, int throwIt);

    HRESULT Result() const { return m_result; }
    int32_t Line() const { return m_line; }
    const std::wstring& Message() const { return m_message; }
    const std::wstring& Function() const { return m_function; }
    const std::wstring& File() const { return m_file; }

private:
    HRESULT m_result;
    int32_t m_line;
    std::wstring m_message;
    std::wstring m_function;
    std::wstring m_file;
};
