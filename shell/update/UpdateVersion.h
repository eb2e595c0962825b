#pragma once
// Version texts of the update check: the program's own "%d.%d.%d" and the
// server's answer, which counts only in the exact form N.N.N and is compared by
// its numbers (so "1.10.0" is newer than "1.9.0").
#include <array>
#include <optional>
#include <string>

using VersionNumbers = std::array<unsigned, 3>;

// The program's version from the generated version header.
std::wstring GetOwnVersionText();
// Three groups of 1 to 9 digits separated by dots, nothing else; empty otherwise.
std::optional<VersionNumbers> ParseVersionText(const std::wstring& text);
std::wstring FormatVersion(const VersionNumbers& v);
