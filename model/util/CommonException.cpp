#include "model/util/CommonException.h"
#include "model/util/Log.h"
#include "platform/TextConv.h"
#include <cstdio>

namespace {
std::wstring Text(const wchar_t* s)
{
    return s ? std::wstring(s) : std::wstring();
}

std::wstring Text(const char* s)
{
    return s ? Utf8ToWide(s) : std::wstring();
}

// The system's description of the result codes the program uses.
const wchar_t* SystemText(HRESULT hr)
{
    switch (hr) {
    case E_NOTIMPL: return L"Not implemented";
    case E_NOINTERFACE: return L"No such interface supported";
    case E_POINTER: return L"Invalid pointer";
    case E_ABORT: return L"Operation aborted";
    case E_FAIL: return L"Unspecified error";
    case E_UNEXPECTED: return L"Catastrophic failure";
    case E_ACCESSDENIED: return L"Access is denied.";
    case E_OUTOFMEMORY: return L"Not enough memory resources are available to complete this operation.";
    case E_INVALIDARG: return L"The parameter is incorrect.";
    case REGDB_E_CLASSNOTREG: return L"Class not registered";
    default: return L"";
    }
}
}

CCommonException::CCommonException(const wchar_t* file, const wchar_t* function, HRESULT result,
                                   const wchar_t* message, int32_t line)
    : m_result(result), m_line(line), m_message(Text(message)), m_function(Text(function)), m_file(Text(file))
{
}

CCommonException::CCommonException(const char* file, const char* function, HRESULT result, const char* message,
                                   int32_t line)
    : m_result(result), m_line(line), m_message(Text(message)), m_function(Text(function)), m_file(Text(file))
{
}

void CCommonException::CheckResult(HRESULT result, const wchar_t* file, const wchar_t* function,
                                   int conditionFailed, const wchar_t* message, int32_t line, int throwIt)
{
    std::wstring where = Text(file) + L" | " + Text(function) + L" | ";
    if (FAILED(result)) {
        wchar_t code[16];
        std::swprintf(code, 16, L"%x", static_cast<unsigned>(result));
        CLog::WriteMessage(L"CCommonException", (where + code + L" | " + SystemText(result)).c_str());
        if (throwIt) throw CCommonException(file, function, result, message, line);
    } else if (conditionFailed) {
        CLog::WriteMessage(L"CCommonException", (where + L"Unexpected error").c_str());
        if (throwIt) throw CCommonException(file, function, E_UNEXPECTED, message, line);
    }
}

void CCommonException::CheckResult(HRESULT result, const char* file, const char* function, int conditionFailed,
                                   const char* message, int32_t line, int throwIt)
{
    CheckResult(result, Text(file).c_str(), Text(function).c_str(), conditionFailed, Text(message).c_str(), line,
                throwIt);
}
