#pragma once
// Text in the program's "ANSI" code page, which is Windows-1252 on every system
// so that ".km" names and profile files read the same everywhere.
#include <string>
#include <string_view>

std::wstring AnsiToWide(std::string_view narrow);
// Characters that Windows-1252 cannot show become '#'.
std::string WideToAnsi(std::wstring_view wide);
