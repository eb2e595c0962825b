#pragma once
// Logging facade of the shared utilities. The program keeps no log file, so
// every call does nothing; it stays so code that logs need not change.
#include <cstdint>

class CLog {
public:
    CLog& operator=(const CLog&) = default;

    static void ClearLog(const wchar_t*) {}
    static void ClearLog(const char*) {}
    static void WriteMessage(const wchar_t*, const wchar_t*) {}
    static void WriteMessage(const char*, const char*) {}
    static void WriteMessage(const wchar_t*, const wchar_t*, int32_t) {}
    static void WriteMessage(const char*, const char*, int32_t) {}
    static void WriteMessage(int32_t, const wchar_t*, int32_t) {}
    static void WriteMessage(int32_t, const char*, int32_t) {}
    static void WriteMessage3(const wchar_t*, const wchar_t*) {}
    static void WriteMessage3(const char*, const char*) {}
};
