#pragma once
// Text conversions between the program's wide strings, UTF-8 (FFmpeg, files on
// this system), UTF-16LE (the project file) and Windows-1252 (the "ANSI" names).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);  // invalid bytes become U+FFFD

// UTF-16LE code units, little-endian whatever the host.
std::vector<uint8_t> WideToUtf16LE(std::wstring_view text);
std::wstring Utf16LEToWide(const uint8_t* bytes, size_t units);
size_t Utf16Length(std::wstring_view text);  // code units the text takes in UTF-16

// Windows-1252; characters it cannot show become '#'.
std::string WideToCp1252(std::wstring_view text);
std::wstring Cp1252ToWide(std::string_view text);

// Letter-case-insensitive comparison (simple case folding of the BMP).
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
std::wstring ToLowerText(std::wstring_view text);
std::wstring ToUpperText(std::wstring_view text);
